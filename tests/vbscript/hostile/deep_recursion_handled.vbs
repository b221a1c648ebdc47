' The stack error can be caught, and the engine carries on.
Dim depth
Sub Dive : depth = depth + 1 : Dive : End Sub
On Error Resume Next
Dive
WScript.Echo Err.Number, depth > 20 ' expect: 28 True
On Error GoTo 0
Sub Small(n)
    If n > 0 Then Small n - 1
End Sub
Small 20
WScript.Echo "recovered" ' expect: recovered
