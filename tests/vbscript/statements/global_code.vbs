' Code outside procedures runs in the same compiled form as procedures and keeps their
' rules: names are looked up when they run, temporaries go at the end of their
' statement, an error belongs to its statement.
Class Tracker
    Public Name
    Public Function Foo()
        Foo = 1
    End Function
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name
    End Sub
End Class
Function Make(n)
    Set Make = New Tracker
    Make.Name = n
End Function

' A temporary object goes before the next statement, also on every turn of a loop.
x = Make("a").Foo() ' expect: terminate a
WScript.Echo "after a" ' expect: after a
k = 0
Do While k < 2
    k = k + 1
    y = Make("turn " & k).Foo() + x
    WScript.Echo "turn done"
Loop
' expect: terminate turn 1
' expect: turn done
' expect: terminate turn 2
' expect: turn done
If Make("condition").Foo() = 1 Then WScript.Echo "taken" ' expect: terminate condition
' expect: taken

' A procedure defined later by ExecuteGlobal is the one code compiled before reaches,
' and a name used as a variable before it became a function is then the function.
Sub Show : WScript.Echo "first Show" : End Sub
n = 0
Do While n < 2
    n = n + 1
    Show
    r = Later
    WScript.Echo "Later is " & r
    If n = 1 Then ExecuteGlobal "Sub Show : WScript.Echo ""second Show"" : End Sub"
    If n = 1 Then ExecuteGlobal "Function Later : Later = 22 : End Function"
Loop
' expect: first Show
' expect: Later is 
' expect: second Show
' expect: Later is 22

' A user function of a built-in's name hides it also in code compiled before it.
total = 0
For i = 1 To 2
    total = total + Len("abc")
    If i = 1 Then ExecuteGlobal "Function Len(s) : Len = 100 : End Function"
Next
WScript.Echo total ' expect: 103

' An error belongs to its statement: On Error Resume Next goes on with the next one.
On Error Resume Next
z = 1 / 0
WScript.Echo "after: " & Err.Number ' expect: after: 11
Err.Clear
m = 0
Do While m < 1 / 0
    m = m + 1
Loop
WScript.Echo "loop skipped: " & Err.Number & " " & m ' expect: loop skipped: 11 0
On Error GoTo 0

' For loops: Exit For and Exit Do from statements inside them, at the top level and in a
' procedure; an error in the header skips the loop; a Null bound is error 94.
Function Loops(limit)
    Dim i, j, out
    Do
        For i = 1 To limit
            Select Case i
            Case 3
                If limit = 4 Then Exit For
                Exit Do
            End Select
            For j = 10 To 1 Step -4
                out = out & j & " "
            Next
            out = out & "| "
        Next
        out = out & "after for; "
        limit = limit + 2
    Loop While i = 3 And limit < 9
    Loops = out & "i=" & i
End Function
WScript.Echo Loops(4) ' expect: 10 6 2 | 10 6 2 | after for; 10 6 2 | 10 6 2 | i=3
For Each word In Array("a", "b")
    For n = 1 To 3
        If n = 2 Then Exit For
        WScript.Echo word & n
    Next
Next
' expect: a1
' expect: b1
On Error Resume Next
For n = 1 To 1 / 0
    WScript.Echo "never"
Next
WScript.Echo "header error: " & Err.Number ' expect: header error: 11
Err.Clear
For n = 1 To Null
Next
WScript.Echo "null bound: " & Err.Number ' expect: null bound: 94
On Error GoTo 0

' Elements assigned: of an array, Set of an object, a host object's default property,
' at the top level and in a procedure.
Dim cells(2)
Set d = CreateObject("Scripting.Dictionary")
Sub Fill(k)
    Dim local(1)
    local(k) = k * 10
    cells(k) = local(k) + 1
    d("key" & k) = cells(k)
End Sub
Fill 1
cells(2) = cells(1) * 2
Set cells(0) = d
d("direct") = cells(2)
WScript.Echo cells(1) & " " & cells(2) & " " & cells(0).Count & " " & d("key1") ' expect: 11 22 2 11
On Error Resume Next
cells(5) = 1
WScript.Echo "out of range: " & Err.Number ' expect: out of range: 9
On Error GoTo 0

' A compile error in code Execute runs is a runtime error of the Execute statement.
Execute "q = ((1" ' expect runtime error: 1006: Expected ')'
