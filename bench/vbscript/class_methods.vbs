' Method calls and property access on a class instance.
Class Counter
    Private total
    Private Sub Class_Initialize()
        total = 0
    End Sub
    Public Sub Add(n)
        total = total + n
    End Sub
    Public Property Get Value()
        Value = total
    End Property
End Class

Dim c, i
Set c = New Counter
For i = 1 To 9000000
    c.Add i Mod 10
Next
WScript.Echo c.Value
