' "&" turns both sides into text; "+" adds as soon as one side is a number.
WScript.Echo 1 & 2, "a" & 1.5, True & "" ' expect: 12 a1.5 True
WScript.Echo "3" + 4, "3" + "4" ' expect: 7 34
x = "a" + 1 ' expect runtime error: 13: Type mismatch
