' Statements inside procedures: errors under On Error Resume Next, Exit from nested
' statements, a function calling itself with every kind of argument, and temporary values
' that hold objects.

' On Error Resume Next goes on with the statement after the one that failed, at that
' statement's own level; after a failed If condition that is the branch's first.
Function Zero() : Zero = 0 : End Function
Sub Resumes()
    On Error Resume Next
    Dim n, hits
    If 1 / Zero() > 0 Then
        WScript.Echo "then", Err.Number
    Else
        WScript.Echo "not reached either"
    End If
    WScript.Echo "after If", Err.Number
    Err.Clear
    If True Then
        n = 1 / Zero()
        WScript.Echo "inside If", Err.Number
    End If
    Err.Clear
    n = 0
    Do While 1 / n > 0
        WScript.Echo "not reached"
    Loop
    WScript.Echo "after Do While", Err.Number
    Err.Clear
    hits = 0
    Do
        hits = hits + 1
    Loop Until 1 / (hits - 2) > 100
    WScript.Echo "after Loop Until", hits, Err.Number
    Err.Clear
    n = "text" + 1
    WScript.Echo "after assignment", Err.Number
End Sub
Resumes ' expect: then 11
' expect: after If 11
' expect: inside If 11
' expect: after Do While 11
' expect: after Loop Until 2 11
' expect: after assignment 13

' Without a handler the error leaves the procedure with the failing statement's line.
Sub FailsInLoop()
    Dim i
    i = 0
    Do While i < 5
        i = i + 1
        If i = 3 Then i = i / Zero()
    Loop
End Sub
On Error Resume Next
FailsInLoop
WScript.Echo Err.Number, Err.Source <> "" ' expect: 11 True
On Error GoTo 0

' Exit Do from an If, from a Select Case, from a For and from a While loop inside a Do.
Function Exits(how)
    Dim n, i
    n = 0
    Do
        n = n + 1
        If how = "if" And n = 2 Then Exit Do
        Select Case how
        Case "select"
            If n = 3 Then Exit Do
        End Select
        For i = 1 To 3
            If how = "for" And n = 4 Then Exit Do
        Next
        While how = "while" And n = 5
            Exit Do
        Wend
    Loop While n < 10
    Exits = how & " " & n
End Function
WScript.Echo Exits("if"), Exits("select"), Exits("for"), Exits("while"), Exits("none")
' expect: if 2 select 3 for 4 while 5 none 10

' Exit Function from inside loops clears Err; Exit Do only leaves the inner Do.
Function Nested()
    Dim a, b
    On Error Resume Next
    x = 1 / Zero()
    a = 0
    Do While True
        a = a + 1
        b = 0
        Do
            b = b + 1
            If b = 2 Then Exit Do
        Loop
        If a = 3 Then
            Nested = a * 10 + b
            Exit Function
        End If
    Loop
End Function
WScript.Echo Nested(), Err.Number ' expect: 32 0

' A function calling itself: a local variable goes by reference, an expression, a
' parenthesised variable and a literal by value; ByVal parameters take a copy; a global
' goes by reference as well.
Function Down(n, ByVal label, count)
    count = count + 1
    If n <= 0 Then
        Down = label
    Else
        label = label & n
        Down = Down(n - 1, (label), count)
    End If
End Function
Dim calls
calls = 0
WScript.Echo Down(3, "x", calls), calls ' expect: x321 4
Function Drain(ByRef n)
    If n > 0 Then
        n = n - 1
        Drain = Drain(n) + 1
    Else
        Drain = 0
    End If
End Function
Function StartDrain()
    Dim k
    k = 4
    StartDrain = Drain(k) & " " & k
End Function
WScript.Echo StartDrain() ' expect: 4 0
Dim g
g = 3
WScript.Echo Drain(g), g ' expect: 3 0
Function Counted(n, unused)
    If n > 0 Then Counted = Counted(n - 1) Else Counted = 0
End Function
On Error Resume Next
x = Counted(2, 0)
WScript.Echo Err.Number ' expect: 450
On Error GoTo 0
Function Fact(n)
    If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)
End Function
WScript.Echo Fact(10), Fact(20) ' expect: 3628800 2.43290200817664E+18

' The left operand is read before a self call on the right changes it.
Function Grow(n, depth)
    If depth = 0 Then
        Grow = 0
    Else
        Grow = n + Grow(n, depth - 1)
        n = n + 1
    End If
End Function
Function StartGrow()
    Dim v
    v = 1
    StartGrow = Grow(v, 3) & " " & v
End Function
WScript.Echo StartGrow() ' expect: 3 4

' An object held only for a comparison or an operator is released as soon as it has
' been used, not when the procedure ends.
Class Noisy
    Public Default Property Get Value : Value = 5 : End Property
    Private Sub Class_Terminate : WScript.Echo "terminated" : End Sub
End Class
Function Fresh() : Set Fresh = New Noisy : End Function
Sub UsesTemporaries()
    If Fresh() Is Nothing Then WScript.Echo "nothing"
    WScript.Echo "after Is"
    Dim n
    n = Fresh() + 1
    WScript.Echo "after +", n
    n = Fresh()
    WScript.Echo "after assignment", n
End Sub
UsesTemporaries ' expect: terminated
' expect: after Is
' expect: terminated
' expect: after + 6
' expect: terminated
' expect: after assignment 5

' Conditions: Null counts as False, a string as its truth, an object as its default.
Function Truth(v)
    If v Then Truth = "T" Else Truth = "F"
    Do Until v
        Truth = Truth & "u"
        Exit Do
    Loop
End Function
Set obj = New Noisy
WScript.Echo Truth(Null), Truth("true"), Truth(0), Truth(obj) ' expect: Fu T Fu T
Set obj = Nothing ' expect: terminated

' A function calling itself: an error deep down goes to the nearest caller with On Error
' Resume Next; Exit Function in the callee clears Err for that caller.
Function Dive(n)
    If n = 0 Then
        Dive = 1 / Zero()
    ElseIf n = 3 Then
        On Error Resume Next
        Dive = Dive(n - 1)
        Dive = "caught at 3: " & Err.Number
    Else
        Dive = Dive(n - 1)
    End If
End Function
WScript.Echo Dive(5) ' expect: caught at 3: 11
Function Quits(n)
    On Error Resume Next
    If n = 0 Then
        Quits = 0
        Exit Function
    End If
    x = 1 / Zero()
    Quits = Quits(n - 1) + Err.Number
End Function
WScript.Echo Quits(2) ' expect: 0

' Recursion without end stops with "Out of stack space", which a caller may catch; the
' engine carries on.
Function Forever(n) : Forever = Forever(n + 1) : End Function
On Error Resume Next
x = Forever(0)
WScript.Echo Err.Number ' expect: 28
On Error GoTo 0
WScript.Echo Fact(5) ' expect: 120

' Each call's locals go when the call ends, innermost first.
Function Holds(n)
    Dim o
    Set o = New Noisy
    If n > 0 Then Holds = Holds(n - 1) & n Else Holds = "|"
End Function
WScript.Echo Holds(2) ' expect: terminated
' expect: terminated
' expect: terminated
' expect: |12

' An assignment whose object has no default value fails and leaves the variable alone.
Class Plain
    Public v
End Class
Sub KeepsOld()
    On Error Resume Next
    Dim x, p
    x = "old"
    Set p = New Plain
    x = p
    WScript.Echo x, Err.Number
End Sub
KeepsOld ' expect: old 438

' Dim inside a loop leaves its variable as it is; Dim of an array makes the array.
Function Totals()
    Dim i
    Do While i < 3
        Dim total, list(2)
        total = total + i
        list(i) = i * 10
        i = i + 1
    Loop
    Totals = total & " " & list(2)
End Function
WScript.Echo Totals() ' expect: 3 20
