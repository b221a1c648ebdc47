' String, number, hexadecimal, octal and date literals.
WScript.Echo "say ""hi""" ' expect: say "hi"
WScript.Echo &HFF, &H10, &O17, &O777 ' expect: 255 16 15 511
WScript.Echo &HFFFF, TypeName(&HFFFF) ' expect: -1 Integer
WScript.Echo &H10000, TypeName(&H10000) ' expect: 65536 Long
WScript.Echo &HFFFFFFFF ' expect: -1
WScript.Echo 1.5E3, .5, 1E-3 ' expect: 1500 0.5 0.001
WScript.Echo TypeName(32767), TypeName(32768), TypeName(2147483648) ' expect: Integer Long Double
WScript.Echo TypeName(#1/2/2003#), Year(#1/2/2003#) ' expect: Date 2003
WScript.Echo #3/5/2024 10:30:00 PM# ' expect: 3/5/2024 10:30:00 PM
WScript.Echo Len("") ' expect: 0
