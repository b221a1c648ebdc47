' A subscript whose evaluation replaces the array it indexes is evaluated once.
Dim a(2), calls
Function Index()
    calls = calls + 1
    a = "no longer an array"
    Index = 1
End Function
a(1) = "one"
On Error Resume Next
x = a(Index())
WScript.Echo calls, Err.Number ' expect: 1 13
