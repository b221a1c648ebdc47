' Elements read and written with a plain subscript: rounding, bounds, copies.
Dim a(3)
For i = 0 To 3 : a(i) = i * 10 : Next
k = 1.5
WScript.Echo a(k) ' expect: 20
k = 2.5
WScript.Echo a(k) ' expect: 20
a(k) = a(k) + 1
WScript.Echo a(2) ' expect: 21
b = a
b(0) = 99
WScript.Echo a(0), b(0) ' expect: 0 99
k = "3"
WScript.Echo a(k) ' expect: 30
Sub Inside()
    Dim c(2), j
    j = 2
    c(j) = "local"
    WScript.Echo c(j), a(j)
End Sub
Inside ' expect: local 21
On Error Resume Next
k = 4
WScript.Echo a(k)
WScript.Echo Err.Number ' expect: 9
Err.Clear
a(k) = 1
WScript.Echo Err.Number ' expect: 9
Err.Clear
k = "x"
WScript.Echo a(k)
WScript.Echo Err.Number ' expect: 13
