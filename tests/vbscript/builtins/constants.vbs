' The language's named constants.
WScript.Echo vbOKOnly, vbOKCancel, vbYesNo, vbYes, vbNo, vbCancel ' expect: 0 1 4 6 7 2
WScript.Echo vbString, vbInteger, vbArray, vbTrue, vbFalse, vbUseDefault ' expect: 8 2 8192 -1 0 -2
WScript.Echo vbBinaryCompare, vbTextCompare, vbSunday, vbSaturday ' expect: 0 1 1 7
WScript.Echo Len(vbCrLf & vbTab & vbCr & vbLf & vbNullChar), vbNullString = "" ' expect: 6 True
vbCrLf = "x" ' expect runtime error: 501: Illegal assignment
