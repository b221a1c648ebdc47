' A tight integer loop: the interpreter's dispatch and arithmetic.
Dim i, total
total = 0
For i = 1 To 3000000
    total = total + (i Mod 7) * 3 - 1
Next
WScript.Echo total
