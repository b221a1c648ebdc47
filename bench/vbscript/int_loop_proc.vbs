' The tight integer loop of int_loop_top inside a procedure: the same work on locals.
Sub Main()
    Dim i, total
    total = 0
    For i = 1 To 10000000
        total = total + (i Mod 7) * 3 - 1
    Next
    WScript.Echo total
End Sub
Main
