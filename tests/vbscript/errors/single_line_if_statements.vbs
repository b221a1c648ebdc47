' The statements of a single-line If are separated by ":"; two with nothing between them
' are 1025, and the whole text fails before any of it runs.
Sub Check(code)
    On Error Resume Next
    ExecuteGlobal "WScript.Echo ""ran""" & vbLf & code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check "If True Then a = 1 b = 2" ' expect: 1025 Expected end of statement
Check "If True Then a = 1 Else a = 2 b = 3" ' expect: 1025 Expected end of statement
Check "If True Then WScript.Echo 1 WScript.Echo 2" ' expect: 1025 Expected end of statement
Check "If True Then a = 1 : WScript.Echo ""one line"" Else a = 2"
' expect: ran
' expect: one line
' expect: 0 
