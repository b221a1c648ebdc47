' Const, Dim of several names, and Option Explicit.
Option Explicit
Const Pi = 3.14, Greeting = "hi"
Dim a, b(2), c
a = 1 : b(1) = 2 : c = a + b(1)
WScript.Echo Pi, Greeting, c ' expect: 3.14 hi 3
Pi = 3 ' expect runtime error: 501: Illegal assignment
