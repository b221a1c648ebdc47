' A default property with arguments reads and assigns like an array; Public lists.
Class Table
    Public Rows, Cols
    Private cells
    Private Sub Class_Initialize
        Rows = 2 : Cols = 2
        ReDim cells(Rows - 1, Cols - 1)
    End Sub
    Public Default Property Get Cell(r, c) : Cell = cells(r, c) : End Property
    Public Property Let Cell(r, c, v) : cells(r, c) = v : End Property
    Public Function Owner() : Set Owner = Me : End Function
End Class
Set t = New Table
t(1, 0) = "x"
t.Cell(0, 1) = "y"
WScript.Echo t(1, 0), t.Cell(0, 1), t.Rows * t.Cols ' expect: x y 4
WScript.Echo t.Owner() Is t ' expect: True
With t
    With .Owner()
        WScript.Echo .Rows ' expect: 2
    End With
    WScript.Echo .Cols ' expect: 2
End With
Set d = CreateObject("Scripting.Dictionary")
d("a") = 1 : d("b") = 2
sum = 0
For Each v In d.Items : sum = sum + v : Next
WScript.Echo sum, d.Keys()(1) ' expect: 3 b
