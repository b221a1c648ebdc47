' Execute runs in the current scope, ExecuteGlobal in the global one.
Dim x : x = 1
Execute "x = x + 1"
WScript.Echo x ' expect: 2
Sub Inner
    Dim y : y = 10
    Execute "y = y * 2"
    WScript.Echo y
    ExecuteGlobal "Function Twice(n) : Twice = n * 2 : End Function"
End Sub
Inner ' expect: 20
WScript.Echo Twice(21) ' expect: 42
Execute "If x = 2 Then" & vbCrLf & "WScript.Echo ""multi-line""" & vbCrLf & "End If" ' expect: multi-line
Randomize 1
r = Rnd
WScript.Echo r >= 0 And r < 1 ' expect: True
