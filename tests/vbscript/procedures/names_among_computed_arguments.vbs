' A name passed before an argument that runs code is taken at its place: by value for a
' built-in or an array's subscripts (what it held then), by reference for a procedure or a
' member (the variable itself, whatever the later argument did to it); a function or a
' constant named there gives its value at that place.
Dim g, list(3)
Function Bump()
    g = g + 1
    WScript.Echo "bump " & g
    Bump = g
End Function
Function Seen()
    WScript.Echo "seen"
    Seen = "s"
End Function
Sub Show(a, b)
    WScript.Echo a & "," & b
End Sub
Sub Twice(a, b)
    a = a * 2
End Sub
Const Limit = 9
Class Box
    Public Sub Show(a, b)
        WScript.Echo a & "," & b
    End Sub
End Class

g = 1
WScript.Echo Mid("abcdef", g, Bump()) ' expect: bump 2
' expect: ab
Show g, Bump() ' expect: bump 3
' expect: 3,3
list(1) = "one" : list(2) = "two" : list(3) = "three"
g = 1
WScript.Echo list(g + 0) & " " & Join(Array(g, Bump())) ' expect: bump 2
' expect: one 1 2
Show Seen, Len(Seen) ' expect: seen
' expect: seen
' expect: s,1
Show Limit, Limit + 1 ' expect: 9,10
g = 5
Twice g, Bump() ' expect: bump 6
WScript.Echo g ' expect: 12
Dim b : Set b = New Box
g = 1
b.Show g, Bump() ' expect: bump 2
' expect: 2,2

Sub Locals(n)
    Dim k : k = n
    Show k, Step(k) ' expect: bump 11
    ' expect: 11,2
    WScript.Echo Mid("abcdefghijklmnop", k, Step(k)) ' expect: bump 12
    ' expect: kl
    WScript.Echo Grow(3, 2) ' expect: 9
End Sub
Function Step(ByRef v)
    v = v + 1
    g = v
    WScript.Echo "bump " & v
    Step = 2
End Function
Function Grow(n, depth)
    If depth = 0 Then
        Grow = n
    Else
        Grow = n + Grow(n, depth - 1)
    End If
End Function
Locals 10

On Error Resume Next
Show Missing, Bump() ' expect: bump 13
' expect: ,13
WScript.Echo Err.Number ' expect: 0
Err.Clear
' A callee nothing defines fails before its arguments run.
Undefined g, Bump()
WScript.Echo Err.Number ' expect: 35
