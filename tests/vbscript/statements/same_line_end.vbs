' End Sub, End Function, End Property and End Class may follow a statement on its line
' without ":".
Sub Greet(name) : WScript.Echo "hello " & name End Sub
Function Twice(n)
    Twice = n * 2 End Function
Sub Early(n)
    If n > 0 Then WScript.Echo "positive" Else WScript.Echo "not positive" End Sub
Class Box
    Private v_
    Public Property Get Value
        Value = v_ End Property
    Public Property Let Value(n)
        v_ = n End Property
    Public label End Class
Greet "bench" ' expect: hello bench
WScript.Echo Twice(21) ' expect: 42
Early 1 ' expect: positive
Early 0 ' expect: not positive
Set b = New Box
b.Value = 7
b.label = "seven"
WScript.Echo b.Value, b.label ' expect: 7 seven
Sub Stopped : Exit Sub End Sub
Stopped
WScript.Echo "done" ' expect: done
