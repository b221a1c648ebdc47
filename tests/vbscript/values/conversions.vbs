' Strings and numbers: "+" joins two strings and adds a string to a number; "&" always joins.
WScript.Echo "1" + "2", "1" + 2, TypeName("1" + 2), 1 & 2 ' expect: 12 3 Double 12
WScript.Echo CInt("12"), CLng(" 7 "), CDbl("1.5e2"), CBool("true"), CBool(0) ' expect: 12 7 150 True False
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CLng(1.5) ' expect: 2 4 -2 2
WScript.Echo CStr(True), CStr(1 / 4), CStr(1E+20), CStr(123456789012345) ' expect: True 0.25 1E+20 123456789012345
WScript.Echo CStr(CSng(1) / 3), 1 / 3 ' expect: 0.3333333 0.333333333333333
WScript.Echo CCur(1.23456), CByte(255) ' expect: 1.2346 255
WScript.Echo CDate("3/5/2024"), CDate(1) ' expect: 3/5/2024 12/31/1899
WScript.Echo IsNumeric("12"), IsNumeric("1e3"), IsNumeric("abc"), IsNumeric(""), IsNumeric(Empty) ' expect: True True False False True
WScript.Echo IsDate("3/5/2024"), IsDate("hello") ' expect: True False
x = CInt("abc") ' expect runtime error: 13: Type mismatch
