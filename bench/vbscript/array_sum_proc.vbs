' The array work of array_sum_top inside a procedure, on locals.
Const N = 1000000
Sub Main()
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
End Sub
Main
