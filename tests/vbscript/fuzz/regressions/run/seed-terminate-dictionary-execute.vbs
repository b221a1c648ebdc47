Class Node
    Public items, nextNode
    Private Sub Class_Initialize : Set items = CreateObject("Scripting.Dictionary") : End Sub
    Private Sub Class_Terminate
        On Error Resume Next
        d.RemoveAll
        Erase a
        ReDim Preserve b(0)
        Execute "g = g + 1"
        Set keep = Me
    End Sub
End Class
Dim a(3), g
ReDim b(3)
Set d = CreateObject("Scripting.Dictionary")
Set a(1) = New Node : Set b(2) = New Node
d.Add "k", New Node
d("k").items.Add 1, New Node
Sub Work(n)
    Dim local : local = n * 2
    Execute "local = local + Len(""ab"")"
    If n > 0 Then Work n - 1
    d(n) = Eval("local")
End Sub
Work 3
d.Remove "k"
ReDim Preserve b(1)
Erase a
d.CompareMode = 1
Set keep = Nothing
