' Block and single-line If with ElseIf and Else.
For i = 1 To 4
    If i = 1 Then
        WScript.Echo "one"
    ElseIf i = 2 Then
        WScript.Echo "two"
    ElseIf i = 3 Then
        WScript.Echo "three"
    Else
        WScript.Echo "other"
    End If
Next
' expect: one
' expect: two
' expect: three
' expect: other
If True Then WScript.Echo "a" : WScript.Echo "b" Else WScript.Echo "c"
' expect: a
' expect: b
If False Then WScript.Echo "a" Else WScript.Echo "c" : WScript.Echo "d"
' expect: c
' expect: d
If 0 Then WScript.Echo "zero is true"
If "1" Then WScript.Echo "text one is true" ' expect: text one is true
If True Then If False Then WScript.Echo "x" Else WScript.Echo "inner else" ' expect: inner else
