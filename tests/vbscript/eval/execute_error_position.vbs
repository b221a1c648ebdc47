' An error in code run by Execute is reported at the Execute statement.
WScript.Echo "start" ' expect: start
Execute "x = 1" & vbCrLf & "y = 1 / 0" ' expect runtime error: 11: Division by zero
