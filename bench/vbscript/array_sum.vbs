' Filling an array and summing it.
Const N = 1000000
Dim a(), i, total
ReDim a(N - 1)
For i = 0 To N - 1
    a(i) = i * 2
Next
total = 0
For i = 0 To UBound(a)
    total = total + a(i)
Next
WScript.Echo total
