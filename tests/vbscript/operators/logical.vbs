' Not, And, Or, Xor, Eqv, Imp: logical on Booleans, bitwise on numbers.
WScript.Echo Not True, True And False, True Or False, True Xor True ' expect: False False True False
WScript.Echo True Eqv False, False Imp False, True Imp False ' expect: False True False
WScript.Echo 12 And 10, 12 Or 10, 12 Xor 10, Not 0, Not 5 ' expect: 8 14 6 -1 -6
WScript.Echo 5 Eqv 3, 5 Imp 3 ' expect: -7 -5
WScript.Echo Not 1 = 2 ' expect: True
WScript.Echo True Or False And False ' expect: True
WScript.Echo False And True Or True ' expect: True
WScript.Echo TypeName(CByte(3) And CByte(1)), TypeName(1 And 100000) ' expect: Byte Long
