' `s = s & x` appends to the variable's own text: other holders of the text keep theirs.
Dim s, t, arr(1)
s = "ab"
t = s
s = s & "c"
WScript.Echo s, t ' expect: abc ab
arr(0) = s
s = s & "d"
WScript.Echo s, arr(0) ' expect: abcd abc
s = s & 5 & Null
WScript.Echo s ' expect: abcd5
Function Grow()
    s = s & "!"
    Grow = "?"
End Function
s = s & Grow()
WScript.Echo s ' expect: abcd5?
Const K = "k"
u = K
u = u & "x"
WScript.Echo K, u ' expect: k kx
Sub AddTo(ByRef v, ByVal w)
    v = v & w
End Sub
AddTo s, "#"
WScript.Echo s ' expect: abcd5?#
n = 1
n = n & 2
WScript.Echo n, TypeName(n) ' expect: 12 String
e = Empty
e = e & ""
WScript.Echo Len(e), TypeName(e) ' expect: 0 String
Dim i, big
For i = 1 To 1000
    big = big & "xy"
Next
WScript.Echo Len(big), Mid(big, 1999, 2) ' expect: 2000 xy
' The same in a procedure, where the variable is a local or a field.
Function Twice(ByRef v)
    v = "zz"
    Twice = "!"
End Function
Function Built(n)
    Dim r, i, keep
    r = "a"
    keep = r
    For i = 1 To n
        r = r & i
    Next
    r = r & Null
    Built = r & "," & keep
    r = r & Twice(r)
    Built = Built & "," & r
End Function
WScript.Echo Built(3) ' expect: a123,a,a123!
Class Text
    Public Body
    Public Default Property Get Value
        Value = "<" & Body & ">"
    End Property
    Sub Add(x)
        Body = Body & x
    End Sub
End Class
Set tx = New Text
tx.Add "p"
tx.Add 1
WScript.Echo tx.Body ' expect: p1
' An object gives its default value, and the variable takes the text.
Set o = tx
o = o & "!"
WScript.Echo o, TypeName(o) ' expect: <p1>! String
