' The runtime errors the language defines, each caught and reported by number.
Sub Check(code)
    On Error Resume Next
    Execute code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check "x = CInt(""a"")" ' expect: 13 Type mismatch
Check "x = 10 \ 0" ' expect: 11 Division by zero
Check "x = CByte(300)" ' expect: 6 Overflow
Check "x = Mid(""abc"", 0)" ' expect: 5 Invalid procedure call or argument
Check "Dim o : o.Name = 1" ' expect: 424 Object required
Check "Set o = CreateObject(""Scripting.Dictionary"") : o.NoSuchMethod" ' expect: 438 Object doesn't support this property or method
Check "x = Left(""abc"")" ' expect: 450 Wrong number of arguments or invalid property assignment
Check "Set o = CreateObject(""No.Such.Thing"")" ' expect: 429 ActiveX component can't create object
Check "Set o = Nothing : o.Name = 1" ' expect: 91 Object variable not set
Check "x = Sqr(-1)" ' expect: 5 Invalid procedure call or argument
Check "Set x = 5" ' expect: 424 Object required
Check "For Each e In 5 : Next" ' expect: 451 Object not a collection
Check "x = Null + CStr(Null)" ' expect: 94 Invalid use of Null
