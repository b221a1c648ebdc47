' Mathematical built-ins.
WScript.Echo Sqr(16), Exp(0), Log(1), Sin(0), Cos(0), Tan(0), Atn(0) ' expect: 4 1 0 0 1 0 0
WScript.Echo Round(Atn(1) * 4, 5), Round(Log(Exp(2)), 10) ' expect: 3.14159 2
Rnd -1
Randomize 42
a = Rnd
Rnd -1
Randomize 42
b = Rnd
WScript.Echo a = b, a >= 0 And a < 1, TypeName(a) ' expect: True True Single
x = Log(0) ' expect runtime error: 5: Invalid procedure call or argument
