' A Const takes a literal: a string, number or date, True, False, Null, Empty, or a
' sign and a number. Anything else is 1045, and the whole text fails before any of it
' runs.
Sub Check(code)
    On Error Resume Next
    ExecuteGlobal "WScript.Echo ""ran""" & vbLf & code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Const Known = 5
Check "Const a = Known" ' expect: 1045 Expected literal constant
Check "Const a = vbCrLf" ' expect: 1045 Expected literal constant
Check "Const a = Nothing" ' expect: 1045 Expected literal constant
Check "Const a = (1)" ' expect: 1045 Expected literal constant
Check "Const a = 1 + 2" ' expect: 1045 Expected literal constant
Check "Const a = ""x"" & ""y""" ' expect: 1045 Expected literal constant
Check "Const a = Len(""x"")" ' expect: 1045 Expected literal constant
Check "Const a = -""1""" ' expect: 1045 Expected literal constant
Check "Const a = -True" ' expect: 1045 Expected literal constant
Check "Const a = - -1" ' expect: 1045 Expected literal constant
Check "Const a = -#1/2/2003#" ' expect: 1045 Expected literal constant
Check "Const a = 1, b = Known" ' expect: 1045 Expected literal constant
Check "Sub S" & vbLf & "Const a = Known" & vbLf & "End Sub" ' expect: 1045 Expected literal constant
Check "Private Const a = Known" ' expect: 1045 Expected literal constant
Check "Const c1 = ""s"", c2 = 12, c3 = 1.5E3, c4 = #1/2/2003#, c5 = True, c6 = False"
' expect: ran
' expect: 0 
Check "Const c7 = Null, c8 = Empty, c9 = -4, c10 = +4.5, c11 = &hFF, c12 = -&h10"
' expect: ran
' expect: 0 
WScript.Echo c1, c2, c3, c4, c5, c6 ' expect: s 12 1500 1/2/2003 True False
WScript.Echo IsNull(c7), IsEmpty(c8), c9, c10, c11, c12 ' expect: True True -4 4.5 255 -16
