' A pattern the dialect does not accept is error 5017 when the RegExp is used (setting the
' pattern is fine); one whose search backtracks without end is error 28.
Set re = New RegExp
Sub Check(pattern)
    On Error Resume Next
    re.Pattern = pattern
    x = re.Test("aaaa")
    WScript.Echo pattern & " " & Err.Number & " " & Err.Description
End Sub
Check "(abc" ' expect: (abc 5017 Syntax error in regular expression
Check "abc)" ' expect: abc) 5017 Syntax error in regular expression
Check "[abc" ' expect: [abc 5017 Syntax error in regular expression
Check "*a" ' expect: *a 5017 Syntax error in regular expression
Check "a**" ' expect: a** 5017 Syntax error in regular expression
Check "a*+" ' expect: a*+ 5017 Syntax error in regular expression
Check "a{2}{3}" ' expect: a{2}{3} 5017 Syntax error in regular expression
Check "^*" ' expect: ^* 5017 Syntax error in regular expression
Check "\b+" ' expect: \b+ 5017 Syntax error in regular expression
Check "[z-a]" ' expect: [z-a] 5017 Syntax error in regular expression
Check "a{3,1}" ' expect: a{3,1} 5017 Syntax error in regular expression
Check "a\" ' expect: a\ 5017 Syntax error in regular expression
Check "(?<=a)b" ' expect: (?<=a)b 5017 Syntax error in regular expression
Check "(?<name>a)" ' expect: (?<name>a) 5017 Syntax error in regular expression
Check "(?i)a" ' expect: (?i)a 5017 Syntax error in regular expression
Check "(*UTF)a" ' expect: (*UTF)a 5017 Syntax error in regular expression
Check "(?R)" ' expect: (?R) 5017 Syntax error in regular expression
Check "a|*" ' expect: a|* 5017 Syntax error in regular expression
Check "(a+)+$" ' expect: (a+)+$ 0
Sub Search(method, text)
    On Error Resume Next
    re.Pattern = "(a+)+$"
    re.Global = True
    Select Case method
    Case "Test": x = re.Test(text)
    Case "Execute": Set x = re.Execute(text)
    Case "Replace": x = re.Replace(text, "-")
    End Select
    WScript.Echo method & " " & Err.Number & " " & Err.Description
End Sub
Search "Test", String(40, "a") & "!" ' expect: Test 28 Out of stack space
Search "Execute", String(40, "a") & "!" ' expect: Execute 28 Out of stack space
Search "Replace", String(40, "a") & "!" ' expect: Replace 28 Out of stack space
Search "Test", String(40, "a") ' expect: Test 0
' Setting a bad pattern is no error; using it is, and a good one after it works again.
re.Pattern = "("
re.Pattern = "a"
WScript.Echo re.Test("cat") ' expect: True
