' Fixed, dynamic and multi-dimensional arrays; arrays copy on assignment.
Dim a(2), m(1, 2), d()
a(0) = "x" : a(2) = "z"
WScript.Echo UBound(a), LBound(a), a(0), IsEmpty(a(1)) ' expect: 2 0 x True
m(1, 2) = 12 : m(0, 1) = 1
WScript.Echo UBound(m, 1), UBound(m, 2), m(1, 2) + m(0, 1) ' expect: 1 2 13
ReDim d(3)
d(3) = "last"
ReDim Preserve d(5)
WScript.Echo UBound(d), d(3) ' expect: 5 last
ReDim d(1)
WScript.Echo IsEmpty(d(1)), UBound(d) ' expect: True 1
b = a
b(0) = "changed"
WScript.Echo a(0), b(0) ' expect: x changed
Erase a
WScript.Echo UBound(a), IsEmpty(a(0)) ' expect: 2 True
Erase d
WScript.Echo IsArray(d) ' expect: True
x = Array(1, 2, 3)
WScript.Echo UBound(x), x(1), IsArray(x), IsArray(1) ' expect: 2 2 True False
Dim g(1, 1)
ReDim Preserve d(2)
WScript.Echo UBound(d) ' expect: 2
WScript.Echo a(3) ' expect runtime error: 9: Subscript out of range
