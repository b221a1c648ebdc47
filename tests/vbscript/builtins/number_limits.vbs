' Conversions of numbers to whole-number types stop at the exact ends of each type's
' range with "Overflow", and never wrap round.
Sub Show(expression)
    On Error Resume Next
    r = Eval(expression)
    If Err.Number = 0 Then
        WScript.Echo expression & " = " & r
    Else
        WScript.Echo expression & ": error " & Err.Number
    End If
End Sub
Show "CCur(922337203685477.5807)" ' expect: CCur(922337203685477.5807): error 6
Show "CCur(""922337203685477.5808"")" ' expect: CCur("922337203685477.5808"): error 6
Show "CCur(""922337203685477.5807"")" ' expect: CCur("922337203685477.5807") = 922337203685477.5807
Show "CCur("" -922337203685477.5808 "")" ' expect: CCur(" -922337203685477.5808 ") = -922337203685477.5808
Show "CCur(-922337203685477.5808)" ' expect: CCur(-922337203685477.5808): error 6
Show "CCur(""1.00005"") & "" "" & CCur(""1.00015"") & "" "" & CCur(""1.000051"")" ' expect: CCur("1.00005") & " " & CCur("1.00015") & " " & CCur("1.000051") = 1 1.0002 1.0001
Show "CCur(""1e3"")" ' expect: CCur("1e3") = 1000
Show "CCur(""-1e15"")" ' expect: CCur("-1e15"): error 6
Show "CCur(""922337203685477"")" ' expect: CCur("922337203685477") = 922337203685477
Show "CCur(1) * 1e15" ' expect: CCur(1) * 1e15: error 6
Show "CCur(900000000000000) + CCur(900000000000000)" ' expect: CCur(900000000000000) + CCur(900000000000000): error 6
Show "Int(CCur(""-922337203685477.5807""))" ' expect: Int(CCur("-922337203685477.5807")): error 6
Show "Fix(CCur(""-922337203685477.5807""))" ' expect: Fix(CCur("-922337203685477.5807")) = -922337203685477
Show "Int(CCur(""-2.5""))" ' expect: Int(CCur("-2.5")) = -3
Show "CByte(255.5)" ' expect: CByte(255.5): error 6
Show "CByte(-0.5)" ' expect: CByte(-0.5) = 0
Show "CInt(32767.5)" ' expect: CInt(32767.5): error 6
Show "CInt(-32768.5)" ' expect: CInt(-32768.5) = -32768
Show "CLng(2147483647.5)" ' expect: CLng(2147483647.5): error 6
Show "CLng(-2147483648.5)" ' expect: CLng(-2147483648.5) = -2147483648
Show "CLng(1e300)" ' expect: CLng(1e300): error 6
Show "Rnd(-1e300)" ' expect: Rnd(-1e300): error 6
Show "DateAdd(""d"", 1e300, #1/1/2000#)" ' expect: DateAdd("d", 1e300, #1/1/2000#): error 5
Show "#1/1/2000# + 1e300" ' expect: #1/1/2000# + 1e300: error 6
Show "-#1/1/2000#" ' expect: -#1/1/2000# = 12/28/1799
Show "-#12/31/9999#" ' expect: -#12/31/9999#: error 6
Show "Year(#1/1/2000# + 1)" ' expect: Year(#1/1/2000# + 1) = 2000
