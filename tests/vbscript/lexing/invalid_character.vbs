WScript.Echo "runs"
x = 1 ! 2 ' expect compile error: 1032: Invalid character
