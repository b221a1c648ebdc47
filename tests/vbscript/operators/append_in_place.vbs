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
