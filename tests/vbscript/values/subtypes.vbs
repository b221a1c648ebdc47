' Every subtype and its TypeName and VarType.
Dim e
WScript.Echo TypeName(e), VarType(e) ' expect: Empty 0
WScript.Echo TypeName(Null), VarType(Null) ' expect: Null 1
WScript.Echo TypeName(True), VarType(True) ' expect: Boolean 11
WScript.Echo TypeName(CByte(5)), VarType(CByte(5)) ' expect: Byte 17
WScript.Echo TypeName(5), VarType(5) ' expect: Integer 2
WScript.Echo TypeName(100000), VarType(100000) ' expect: Long 3
WScript.Echo TypeName(CSng(1.5)), VarType(CSng(1.5)) ' expect: Single 4
WScript.Echo TypeName(1.5), VarType(1.5) ' expect: Double 5
WScript.Echo TypeName(CCur(1.5)), VarType(CCur(1.5)) ' expect: Currency 6
WScript.Echo TypeName(Now), VarType(Now) ' expect: Date 7
WScript.Echo TypeName("s"), VarType("s") ' expect: String 8
WScript.Echo TypeName(Nothing), VarType(Nothing) ' expect: Nothing 9
WScript.Echo TypeName(Array(1)), VarType(Array(1)) ' expect: Variant() 8204
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(d), IsObject(d), IsObject(Nothing), IsObject(1) ' expect: Dictionary True True False
WScript.Echo IsEmpty(e), IsEmpty(""), IsNull(Null), IsNull(e) ' expect: True False True False
