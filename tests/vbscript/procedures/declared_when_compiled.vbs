' Procedures and constants are declared when the code is compiled, wherever they stand:
' inside a block that never runs they exist all the same, from the code's first line.
' A procedure defined again is allowed and its last definition holds; any other name
' declared twice is 1041.
WScript.Echo Twice(2), Greeting, Later() ' expect: 4 s second
If False Then Const Greeting = "s"
If False Then
    Function Twice(n)
        Twice = n * 2
    End Function
End If
Function Later()
    Later = "first"
End Function
Function Later()
    Later = "second"
End Function
Do
    Private Sub InLoop
        WScript.Echo "in a loop's body"
    End Sub
    Exit Do
Loop
Select Case 1
Case 2
    Sub InCase : WScript.Echo "in a Case that does not match" : End Sub
End Select
InLoop ' expect: in a loop's body
InCase ' expect: in a Case that does not match

' A procedure's constants likewise, each call afresh.
Sub Local(pass)
    WScript.Echo pass, k, TypeName(k)
    If False Then
        Const k = -5
    End If
End Sub
Local 1 ' expect: 1 -5 Integer
Local 2 ' expect: 2 -5 Integer

' A constant in a loop is declared once, however often the loop goes round.
For i = 1 To 2
    Const InFor = "once"
Next
WScript.Echo InFor ' expect: once

Sub Check(code)
    On Error Resume Next
    ExecuteGlobal "WScript.Echo ""ran""" & vbLf & code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check "Dim a" & vbLf & "Dim a" ' expect: 1041 Name redefined
Check "Dim b" & vbLf & "Sub b : End Sub" ' expect: 1041 Name redefined
Check "Sub c : End Sub" & vbLf & "If False Then Const c = 1" ' expect: 1041 Name redefined
Check "Class d : End Class" & vbLf & "Sub d : End Sub" ' expect: 1041 Name redefined
Check "If False Then Const e = 1 Else Const e = 2" ' expect: 1041 Name redefined
' A constant defined again by later code is refused when that code is run.
Check "Const Greeting = ""again"""
' expect: 1041 Name redefined
Check "g = 1 : Sub f : End Sub : Sub f : End Sub"
' expect: ran
' expect: 0 
