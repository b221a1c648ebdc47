' Integer overflow promotes to Long, Long to Double; Byte to Integer.
WScript.Echo 32767 + 1, TypeName(32767 + 1) ' expect: 32768 Long
WScript.Echo TypeName(100 * 100), TypeName(200 * 200) ' expect: Integer Long
WScript.Echo 2147483647 + 1, TypeName(2147483647 + 1) ' expect: 2147483648 Double
WScript.Echo TypeName(CByte(200) + CByte(100)), CByte(200) + CByte(100) ' expect: Integer 300
WScript.Echo TypeName(CByte(2) + CByte(3)) ' expect: Byte
WScript.Echo TypeName(1 + 1.5), TypeName(CSng(1) + 1) ' expect: Double Single
WScript.Echo TypeName(CSng(1) + 100000) ' expect: Double
WScript.Echo TypeName(True + True), True + True ' expect: Integer -2
WScript.Echo TypeName(CCur(1) + 1.5), CCur(1) + 1.5 ' expect: Currency 2.5
WScript.Echo TypeName(-32768), TypeName(-(-32768)) ' expect: Long Long
Dim e
WScript.Echo TypeName(e + 1), e + 1, TypeName(e & "") ' expect: Integer 1 String
WScript.Echo TypeName(10 / 2), 10 / 2 ' expect: Double 5
WScript.Echo TypeName(#1/1/2000# + 1), #1/1/2000# + 1 ' expect: Date 1/2/2000
WScript.Echo TypeName(#1/2/2000# - #1/1/2000#) ' expect: Double
