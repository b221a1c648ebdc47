' Null spreads through arithmetic and comparisons; "&" treats it as "".
Dim n : n = Null
WScript.Echo IsNull(n + 1), IsNull(n * 2), IsNull(-n), IsNull(n = 1) ' expect: True True True True
WScript.Echo "a" & n & "b" ' expect: ab
WScript.Echo IsNull(n & n) ' expect: True
WScript.Echo (Null And False), IsNull(Null And True), (Null Or True), IsNull(Null Or False) ' expect: False True True True
WScript.Echo IsNull(Len(n)), IsNull(UCase(n)) ' expect: True True
If n Then WScript.Echo "no" Else WScript.Echo "null is not true" ' expect: null is not true
x = CStr(n) ' expect runtime error: 94: Invalid use of Null
