' Conversion and number built-ins.
WScript.Echo Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7) ' expect: 2 -3 2 -2
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(2.567, 2), Round(2.675, 2) ' expect: 2 4 -2 2.57 2.68
WScript.Echo Abs(-5), Abs(3.5), Sgn(-2), Sgn(0), Sgn(7) ' expect: 5 3.5 -1 0 1
WScript.Echo Hex(255), Hex(-1), Hex(65536), Oct(8), Oct(-1) ' expect: FF FFFF 10000 10 177777
WScript.Echo CBool(1), CBool("False"), CByte(7.5), CCur("12.34567") ' expect: True False 8 12.3457
WScript.Echo TypeName(Int(2.5)), TypeName(Int(2)), TypeName(CSng(2.5)) ' expect: Double Integer Single
WScript.Echo CLng(2147483647.4) ' expect: 2147483647
x = CLng(2147483648) ' expect runtime error: 6: Overflow
