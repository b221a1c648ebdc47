' FormatCurrency: a dollar sign before the number as FormatNumber shows it; a negative
' amount in parentheses unless asked otherwise.
WScript.Echo FormatCurrency(1234.5) & " " & FormatCurrency(0.125) & " " & FormatCurrency(7) ' expect: $1,234.50 $0.13 $7.00
WScript.Echo FormatCurrency(-1234.5) & " " & FormatCurrency(-0.5, 2, , False) & " " & FormatCurrency(-0.001) ' expect: ($1,234.50) -$0.50 $0.00
WScript.Echo FormatCurrency(1234.5678, 0) & " " & FormatCurrency(0.5, 1, False) & " " & FormatCurrency(1234.5, 2, , , False) ' expect: $1,235 $.5 $1234.50
WScript.Echo FormatCurrency(CCur("12.345")) & " " & FormatCurrency("3") ' expect: $12.35 $3.00
Sub Check(code)
    On Error Resume Next
    Execute code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check "x = FormatCurrency(""abc"")" ' expect: 13 Type mismatch
Check "x = FormatCurrency(1, -2)" ' expect: 5 Invalid procedure call or argument
Check "x = FormatCurrency(Null)" ' expect: 94 Invalid use of Null
