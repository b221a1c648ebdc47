' An argument `a(i)` where `a` is an array variable passes the element by reference: a
' ByRef parameter's final value is written back, unless the callee made the element go.
' The subscripts are found at the argument's turn, before the arguments after it.
Dim a(), m(2, 2), k
ReDim a(3)
Sub Inc(x)
    x = x + 1
End Sub
Sub IncBoth(x, ByVal y, z)
    x = x + 10
    y = y + 10
    z = z + 10
End Sub
Sub Shrink(x)
    ReDim a(0)
    x = 99
End Sub
Function Show(s, v)
    WScript.Echo s
    Show = v
End Function
Class Counter
    Public Sub Add(x, n)
        x = x + n
    End Sub
End Class

Inc a(1)
WScript.Echo a(1) ' expect: 1
k = 1
IncBoth a(k + 1), a(k), m(k, Show("second subscript", 2)) ' expect: second subscript
WScript.Echo a(2) & " " & a(1) & " " & m(1, 2) ' expect: 10 1 10
Dim c
Set c = New Counter
c.Add a(3), Show("after the element", 5) ' expect: after the element
WScript.Echo a(3) ' expect: 5
Call Inc(a(Show("subscript first", 0))) ' expect: subscript first
WScript.Echo a(0) ' expect: 1
WScript.Echo Show("value", a(0)) & "," & UBound(a) ' expect: value
' expect: 1,3
Shrink a(3)
WScript.Echo UBound(a) & "|" & a(0) & "|" ' expect: 0||
Sub InProcedure()
    Dim local(2), i
    i = 2
    Inc local(i)
    Inc local(i - 1)
    WScript.Echo local(1) & local(2) ' expect: 11
End Sub
InProcedure
' Not an array: a call.
Function Twice(x)
    Twice = x * 2
End Function
Inc Twice(4)
WScript.Echo Twice(Twice(2)) ' expect: 8
On Error Resume Next
Dim b(1)
Inc b(5)
WScript.Echo Err.Number ' expect: 9
Err.Clear
Inc b(Show("bad", "x")) ' expect: bad
WScript.Echo Err.Number ' expect: 13
On Error GoTo 0
' A global name beside an argument that runs code is found at its turn: a variable is
' passed by reference, a built-in takes the value it had then.
Dim g
Function Bump(v)
    v = 10
    Bump = 1
End Function
Sub Pair(x, y)
    WScript.Echo x & " " & y
End Sub
g = 2
Pair g, Bump(g) ' expect: 10 1
g = 3
WScript.Echo Mid("abcdef", g, Bump(g)) ' expect: c
Const limit = 4
Pair limit, Bump(g) ' expect: 4 1
Pair Twice(1), g + 1 ' expect: 2 11
' A name among the subscripts is read once they all ran.
Dim w(11, 2), wi
wi = 2
Inc w(wi, Bump(wi))
WScript.Echo w(10, 1) & w(2, 1) ' expect: 1
' An element among an element's subscripts is read at its turn; a name among them once
' they all ran. A built-in takes the element's value, with its subscripts found at their turn.
Dim v(3), vi
v(1) = 2
vi = 1
Inc w(v(vi), Bump(vi))
WScript.Echo w(2, 1) ' expect: 1
vi = 1
WScript.Echo Len(w(vi + 1, Bump(vi))) & " " & vi ' expect: 1 10
' The running function's own name, and a method of the running object, called with an
' element: written back too.
Dim r(3)
Function Down(n, x)
    x = n
    If n > 0 Then Down = Down(n - 1, r(n - 1)) Else Down = 0
End Function
Down 3, r(3)
WScript.Echo r(0) & r(1) & r(2) & r(3) ' expect: 0123
Class Cell
    Private Sub SetIt(x)
        x = "set"
    End Sub
    Public Sub Run()
        SetIt r(0)
        Me.Other r(1)
    End Sub
    Public Sub Other(x)
        x = "other"
    End Sub
End Class
Dim runner
Set runner = New Cell
runner.Run
WScript.Echo r(0) & " " & r(1) ' expect: set other
' Assigning to what is no variable, element nor property.
Class Plain
    Public Sub Bad()
        Me = 1
    End Sub
End Class
On Error Resume Next
Dim p
Set p = New Plain
p.Bad
WScript.Echo Err.Number ' expect: 501
Err.Clear
Twice(1)(2) = 3
WScript.Echo Err.Number ' expect: 501
On Error GoTo 0
