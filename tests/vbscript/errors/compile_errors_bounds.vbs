' The bounds of an array declared with Dim, Public, Private or as a class field are
' integer literals; anything else is 1026, and the whole text fails before any of it
' runs. ReDim takes any expression.
Sub Check(code)
    On Error Resume Next
    ExecuteGlobal "WScript.Echo ""ran""" & vbLf & code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
n = 3
Check "Dim a(n)" ' expect: 1026 Expected integer constant
Check "Dim a(1 + 1)" ' expect: 1026 Expected integer constant
Check "Dim a(2, n)" ' expect: 1026 Expected integer constant
Check "Dim a(1.5)" ' expect: 1026 Expected integer constant
Check "Dim a(-1)" ' expect: 1026 Expected integer constant
Check "Dim a(""3"")" ' expect: 1026 Expected integer constant
Check "Public a(n)" ' expect: 1026 Expected integer constant
Check "Private a(n)" ' expect: 1026 Expected integer constant
Check "Sub S" & vbLf & "Dim a(n)" & vbLf & "End Sub" ' expect: 1026 Expected integer constant
Check "Class C" & vbLf & "Private f(n)" & vbLf & "End Class" ' expect: 1026 Expected integer constant
Check "Class C" & vbLf & "Dim f(1 + 1)" & vbLf & "End Class" ' expect: 1026 Expected integer constant
Check "Dim d1(3), d2(2, &h3), d3()" & vbLf & "WScript.Echo UBound(d1), UBound(d2, 2)"
' expect: ran
' expect: 3 3
' expect: 0 
Check "ReDim r(n + 1) : WScript.Echo UBound(r)"
' expect: ran
' expect: 4
' expect: 0 
