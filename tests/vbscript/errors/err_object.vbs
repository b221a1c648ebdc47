' The Err object: On Error Resume Next, Number, Description, Source, Clear, Raise.
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description ' expect: 11 Division by zero
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]" ' expect: 0 []
Err.Raise 1000, "MySource", "Custom failure"
WScript.Echo Err.Number, Err.Source, Err.Description ' expect: 1000 MySource Custom failure
Err.Raise 9
WScript.Echo Err.Number, Err.Description ' expect: 9 Subscript out of range
Err.Raise vbObjectError + 1
WScript.Echo Err.Number, Err.Description ' expect: -2147221503 Unknown runtime error
Dim arr(1)
arr(5) = 1
WScript.Echo Err.Number ' expect: 9
Err.Number = 0
WScript.Echo Err ' expect: 0
On Error GoTo 0
WScript.Echo "end" ' expect: end
Function Failing
    On Error Resume Next
    x = 1 / 0
    Exit Function
End Function
On Error Resume Next
Failing
WScript.Echo Err.Number ' expect: 0
