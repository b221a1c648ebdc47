' A sign binds tighter than ^: -3 ^ 2 is (-3) ^ 2.
WScript.Echo -3 ^ 2, -(3 ^ 2), 0 - 3 ^ 2 ' expect: 9 -9 -9
WScript.Echo 2 ^ -1, -2 ^ -1, - -2 ^ 2 ' expect: 0.5 -0.5 4
WScript.Echo -2 ^ 3, -2 ^ 2 ^ 3, 1 - -2 ^ 2 ' expect: -8 64 -3
x = 3
WScript.Echo -x ^ 2, -x * 2, +x ^ 2 ' expect: 9 -6 9
