' Filling an array of a million and summing it, five times over, at the top level on globals.
Const N = 1000000
Dim a(), turn, i, total
ReDim a(N - 1)
total = 0
For turn = 1 To 5
    For i = 0 To N - 1
        a(i) = i * 2 + turn
    Next
    For i = 0 To UBound(a)
        total = total + a(i)
    Next
Next
WScript.Echo total
