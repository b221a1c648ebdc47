' Assignments to members, to elements with computed subscripts and to default
' properties: the value is found first (and made what `=` or Set assigns), then the
' subscripts left to right, then the object; what they held is let go of by the end of
' the statement; each failure is the error the assignment itself raises.
Class Tracker
    Public Name, Items, Child
    Private Sub Class_Initialize
        Items = Array(0, 0, 0)
    End Sub
    Public Default Property Get Value
        Log "value of " & Name
        Value = Name
    End Property
    Public Property Let Item(i, v)
        Log "let item " & i & " = " & v
        Items(i) = v
    End Property
    Public Property Set Link(o)
        Log "set link " & o.Name
        Set Child = o
    End Property
    Private Sub Class_Terminate
        Log "terminate " & Name
    End Sub
End Class

Sub Log(s)
    WScript.Echo s
End Sub

Function Make(name)
    Set Make = New Tracker
    Make.Name = name
    Log "made " & name
End Function

Function Show(s, v)
    Log s
    Show = v
End Function

Dim o, a(3, 3), k
Set o = Make("o") ' expect: made o
Make("tmp").Name = Show("value", "x")
' expect: value
' expect: made tmp
' expect: terminate x
o.Item(Show("sub 1", 1)) = Show("value 2", 2)
' expect: value 2
' expect: sub 1
' expect: let item 1 = 2
Make("holder").Item(Show("sub 0", 0)) = Make("v")
' expect: made v
' expect: value of v
' expect: terminate v
' expect: sub 0
' expect: made holder
' expect: let item 0 = v
' expect: terminate holder
Set o.Link = Make("c")
' expect: made c
' expect: set link c
WScript.Echo o.Child.Name ' expect: c
k = 1
a(k + 1, Show("j", 2)) = Show("element", "e")
' expect: element
' expect: j
WScript.Echo a(2, 2) ' expect: e

Sub InProcedure(p)
    Dim local(2), i
    i = 0
    local(i + 1) = "one"
    p.Name = local(1)
    With p
        .Item(i + 2) = .Name & "!"
    End With
End Sub
Dim q
Set q = Make("q") ' expect: made q
InProcedure q ' expect: let item 2 = one!
WScript.Echo q.Name ' expect: one

' An object variable with subscripts assigns its default property; this class has no
' default Property Let.
On Error Resume Next
q(1) = 5
WScript.Echo Err.Number ' expect: 501
Err.Clear
Dim nothingYet
Set nothingYet = Nothing
nothingYet.Name = Show("before 91", 1) ' expect: before 91
WScript.Echo Err.Number ' expect: 91
Err.Clear
k.Name = Show("before 424", 1) ' expect: before 424
WScript.Echo Err.Number ' expect: 424
Err.Clear
Set o.Link = 5
WScript.Echo Err.Number ' expect: 424
Err.Clear
k(Show("sub of a number", 0)) = 1 ' expect: sub of a number
WScript.Echo Err.Number ' expect: 13
Err.Clear
a(Show("out", 9), 0) = 1 ' expect: out
WScript.Echo Err.Number ' expect: 9
Err.Clear
Execute "o.Name = ""exec"" : a(k + 0, 1) = ""x"""
WScript.Echo o.Name & a(1, 1) ' expect: execx
Const c1 = 3, c2 = "c"
WScript.Echo c1 & c2 ' expect: 3c
Execute "Const c3 = 4"
WScript.Echo c3 ' expect: 4
Execute "Const c1 = 5"
WScript.Echo Err.Number ' expect: 1041
Err.Clear
On Error GoTo 0
Set o = Nothing
' expect: terminate exec
' expect: terminate c
Set q = Nothing ' expect: terminate one
