' A tight integer loop at the top level: the interpreter's dispatch and arithmetic on globals.
Dim i, total
total = 0
For i = 1 To 10000000
    total = total + (i Mod 7) * 3 - 1
Next
WScript.Echo total
