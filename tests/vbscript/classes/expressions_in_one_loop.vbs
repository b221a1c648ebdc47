' Me, New, members of computed objects, With members and calls on computed callees, in
' global code and in procedures, with their order of evaluation, errors and releases.
Class Item
    Public Name
    Public Values
    Private Sub Class_Initialize
        Name = "new"
        Values = Array(10, 20, 30)
    End Sub
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name
    End Sub
    Public Function Self()
        Set Self = Me
    End Function
    Public Function Named(n)
        Name = n
        Set Named = Me
    End Function
    Public Default Function At(i)
        At = Values(i)
    End Function
    Public Function Items()
        Items = Values
    End Function
    Public Function Describe()
        Describe = Me.Name & ":" & Me.At(1) & ":" & Self().Name
    End Function
End Class

Class Grid
    Public Cells(2, 3)
End Class

Function Make(n)
    Set Make = New Item
    Make.Name = n
End Function

Function Pick(a)
    WScript.Echo "pick"
    Pick = a
End Function

Dim g : Set g = New Grid
WScript.Echo UBound(g.Cells, 1) & "x" & UBound(g.Cells, 2) ' expect: 2x3
' A temporary object goes before the statement's call runs.
WScript.Echo (New Item).Name ' expect: terminate new
' expect: new
WScript.Echo Make("a").Describe() ' expect: terminate a
' expect: a:20:a
x = Make("b").Items()(2) : WScript.Echo "after b" ' expect: terminate b
' expect: after b
WScript.Echo x ' expect: 30
WScript.Echo Make("c")(0) ' expect: terminate c
' expect: 10
WScript.Echo (Make("d")).At(2) ' expect: terminate d
' expect: 30
WScript.Echo Pick(Array(1, 2, 3))(Pick(1)) ' expect: pick
' expect: pick
' expect: 2
With Make("e")
    WScript.Echo .Name & .At(0) & .Self().Name ' expect: e10e
    .Named("f").Name = "g"
    WScript.Echo .Name ' expect: g
End With ' expect: terminate g

Sub InProcedure(i)
    Dim o : Set o = New Item
    o.Name = "p"
    WScript.Echo o.Self().Self().Values(i) & o.Items()(i + 1) ' expect: 2030
    With o
        WScript.Echo .Describe() ' expect: p:20:p
    End With
End Sub
InProcedure 1 ' expect: terminate p

On Error Resume Next
WScript.Echo .Name
WScript.Echo Err.Number ' expect: 424
Err.Clear
y = New Missing
WScript.Echo Err.Number ' expect: 506
Err.Clear
y = Make("h").Items()(7) ' expect: terminate h
WScript.Echo Err.Number ' expect: 9
Err.Clear
y = Pick(5)(1) ' expect: pick
WScript.Echo Err.Number ' expect: 13
Err.Clear
Set n = Nothing
y = n.Name
WScript.Echo Err.Number ' expect: 91
On Error GoTo 0
