' ByRef is the default; ByVal copies; parentheses around an argument pass it by value.
Sub AddOne(n) : n = n + 1 : End Sub
Sub AddOneByVal(ByVal n) : n = n + 1 : End Sub
Sub AddOneByRef(ByRef n) : n = n + 1 : End Sub
a = 1
AddOne a : WScript.Echo a ' expect: 2
AddOneByVal a : WScript.Echo a ' expect: 2
AddOneByRef a : WScript.Echo a ' expect: 3
AddOne (a) : WScript.Echo a ' expect: 3
Call AddOne(a) : WScript.Echo a ' expect: 4
Call AddOne((a)) : WScript.Echo a ' expect: 4
AddOne a + 0 : WScript.Echo a ' expect: 4
Function Swap(x, y) : t = x : x = y : y = t : Swap = "swapped" : End Function
p = "first" : q = "second"
r = Swap(p, q)
WScript.Echo r, p, q ' expect: swapped second first
ReDim arr(2, 2)
arr(1, 2) = 10
AddOne arr(1, 2) : WScript.Echo arr(1, 2) ' expect: 11
AddOneByVal arr(1, 2) : WScript.Echo arr(1, 2) ' expect: 11
Sub Shrink(v) : ReDim arr(0, 0) : v = 99 : End Sub
Shrink arr(1, 2) : WScript.Echo UBound(arr, 1) ' expect: 0
