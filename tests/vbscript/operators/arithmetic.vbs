' The arithmetic operators and their precedence.
WScript.Echo 2 + 3 * 4, (2 + 3) * 4 ' expect: 14 20
WScript.Echo -2 ^ 2, 2 ^ -1, 2 ^ 3 ^ 2 ' expect: 4 0.5 64
WScript.Echo 7 \ 2, -7 \ 2, 7 Mod 3, -7 Mod 3, 7.6 \ 2 ' expect: 3 -3 1 -1 4
WScript.Echo 10 Mod 4 * 2 ' expect: 2
WScript.Echo 10 \ 4 * 2 ' expect: 1
WScript.Echo 1 + 2 & 3 + 4 ' expect: 37
WScript.Echo 5 - -3, - - 4 ' expect: 8 4
WScript.Echo 1 / 4, 3 * 1.5 ' expect: 0.25 4.5
WScript.Echo 2.5 \ 1, 3.5 \ 1 ' expect: 2 4
x = 1 / 0 ' expect runtime error: 11: Division by zero
