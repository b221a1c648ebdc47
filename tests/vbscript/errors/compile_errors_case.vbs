' A Case takes a list of values only. A range is 1025 at To (after a complete
' expression), a comparison 1023 at Is (which cannot start an expression). The whole
' text fails before any of it runs.
Sub Check(code)
    On Error Resume Next
    ExecuteGlobal "WScript.Echo ""ran""" & vbLf & code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check "Select Case 3" & vbLf & "Case 1 To 5" & vbLf & "End Select" ' expect: 1025 Expected end of statement
Check "Select Case 3" & vbLf & "Case 0, 1 To 5" & vbLf & "End Select" ' expect: 1025 Expected end of statement
Check "Select Case 3" & vbLf & "Case Is > 5" & vbLf & "End Select" ' expect: 1023 Expected expression
Check "Select Case 3" & vbLf & "Case 1, Is > 5" & vbLf & "End Select" ' expect: 1023 Expected expression
Check "Select Case 3" & vbLf & "Case 1 x = 2" & vbLf & "End Select" ' expect: 1025 Expected end of statement
Check "Sub S(v)" & vbLf & "Select Case v : Case 1 To 2 : End Select" & vbLf & "End Sub" ' expect: 1025 Expected end of statement
Check "Select Case 3" & vbLf & "Case 1, 3 : WScript.Echo ""hit""" & vbLf & "End Select"
' expect: ran
' expect: hit
' expect: 0 
