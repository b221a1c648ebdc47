' A quicksort of pseudo-random numbers from a small linear congruential generator.
Const N = 500000
Dim a(), i, seed
ReDim a(N - 1)
seed = 12345
For i = 0 To N - 1
    seed = (seed * 1103 + 12345) Mod 65536
    a(i) = seed
Next

Sub QuickSort(lo, hi)
    Dim i, j, pivot, t
    i = lo
    j = hi
    pivot = a((lo + hi) \ 2)
    Do While i <= j
        Do While a(i) < pivot
            i = i + 1
        Loop
        Do While a(j) > pivot
            j = j - 1
        Loop
        If i <= j Then
            t = a(i): a(i) = a(j): a(j) = t
            i = i + 1
            j = j - 1
        End If
    Loop
    If lo < j Then QuickSort lo, j
    If i < hi Then QuickSort i, hi
End Sub

QuickSort 0, N - 1
For i = 1 To N - 1
    If a(i - 1) > a(i) Then WScript.Echo "unsorted at", i
Next
WScript.Echo a(0), a(N \ 2), a(N - 1)
