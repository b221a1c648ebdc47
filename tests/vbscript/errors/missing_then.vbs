If x = 1 WScript.Echo "a" ' expect compile error: 1017: Expected 'Then'
