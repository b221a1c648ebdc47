' What Select Case, With and For Each hold while their bodies run (the subject, the
' object, the collection and its items) is let go of when the statement ends, however
' it ends: at End, by Exit Do, Exit For or Exit Sub out of the body, or by an error in
' the head that On Error Resume Next goes on after.
Class Tracker
    Public Name
    Public Default Property Get Value
        Value = Name
    End Property
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name
    End Sub
End Class

Function Make(name)
    Set Make = New Tracker
    Make.Name = name
End Function

Select Case Make("s1")
Case "x"
    WScript.Echo "no"
Case "s1"
    WScript.Echo "matched s1" ' expect: matched s1
End Select
' expect: terminate s1
WScript.Echo "after select" ' expect: after select

Sub SelectExits()
    Do
        Select Case Make("s2")
        Case "s2"
            Exit Do
        End Select
    Loop
    ' expect: terminate s2
    WScript.Echo "after exit do" ' expect: after exit do
    Select Case Make("s3")
    Case "s3"
        Exit Sub
    End Select
End Sub
SelectExits
' expect: terminate s3
WScript.Echo "after exit sub" ' expect: after exit sub

With Make("w1")
    WScript.Echo .Name ' expect: w1
End With
' expect: terminate w1
WScript.Echo "after with" ' expect: after with

Sub WithExits()
    Dim i
    For i = 1 To 3
        With Make("w2")
            If i = 2 Then Exit For
        End With
    Next
    ' expect: terminate w2
    ' expect: terminate w2
    WScript.Echo "after exit for " & i ' expect: after exit for 2
    With Make("w3")
        Exit Sub
    End With
End Sub
WithExits
' expect: terminate w3
WScript.Echo "after with exit sub" ' expect: after with exit sub

Sub WithErrors()
    On Error Resume Next
    Dim zero
    With Make("w4")
        zero = 1 / zero
        WScript.Echo .Name & " " & Err.Number ' expect: w4 11
        Err.Clear
    End With
    ' expect: terminate w4
    With 3
        WScript.Echo "not run"
    End With
    WScript.Echo "with 3: " & Err.Number ' expect: with 3: 424
End Sub
WithErrors

Sub NestedWith()
    With Make("outer")
        With Make("inner")
            WScript.Echo .Name ' expect: inner
        End With
        ' expect: terminate inner
        WScript.Echo .Name ' expect: outer
    End With
    ' expect: terminate outer
End Sub
NestedWith

For Each t In Array(Make("e1"), Make("e2"))
    WScript.Echo "item " & t.Name ' expect: item e1
    ' expect: item e2
Next
' expect: terminate e1
WScript.Echo "counter keeps " & t.Name ' expect: counter keeps e2
Set t = Nothing ' expect: terminate e2

Sub ForEachExits()
    Dim t, u
    Do
        For Each t In Array(Make("e3"), Make("e4"))
            Exit Do
        Next
    Loop
    ' expect: terminate e4
    WScript.Echo "after exit do " & t.Name ' expect: after exit do e3
    For Each u In Array(1, 2, 3)
        ' expect: terminate e3
        For Each t In Array("a", "b")
            If u = 2 Then Exit For
            WScript.Echo u & t ' expect: 1a
            ' expect: 1b
            ' expect: 3a
            ' expect: 3b
        Next
    Next
    For Each t In Array(Make("e5"))
        Exit Sub
    Next
End Sub
ForEachExits
' expect: terminate e5
WScript.Echo "after for each exit sub" ' expect: after for each exit sub

Sub ForEachErrors()
    On Error Resume Next
    Dim x, n
    For Each x In 5
        WScript.Echo "not run"
    Next
    WScript.Echo "in 5: " & Err.Number ' expect: in 5: 451
    Err.Clear
    For Each x In Nothing
        WScript.Echo "not run"
    Next
    WScript.Echo "in Nothing: " & Err.Number ' expect: in Nothing: 91
    Err.Clear
    For Each x In Array(1, 0, 2)
        n = 10 / x
        WScript.Echo x & " " & n & " " & Err.Number ' expect: 1 10 0
        ' expect: 0 10 11
        ' expect: 2 5 11
    Next
End Sub
ForEachErrors

' The collection is found once: changing the variable in the body changes nothing.
Dim list
list = Array(1, 2, 3)
For Each x In list
    list = Array(9)
    WScript.Echo x ' expect: 1
    ' expect: 2
    ' expect: 3
Next
' The subject is found once and compared with each Case value in turn until one matches.
Function Noted(v)
    WScript.Echo "case " & v
    Noted = v
End Function
Dim subject
subject = 2
Select Case subject
Case Noted(1), Noted(2), Noted(3) ' expect: case 1
    ' expect: case 2
    WScript.Echo "two" ' expect: two
Case Noted(4)
End Select
Select Case Null
Case Null
    WScript.Echo "not run"
Case Else
    WScript.Echo "Null matches nothing" ' expect: Null matches nothing
End Select
