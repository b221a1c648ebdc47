' Under On Error Resume Next an error in the condition of an If or ElseIf goes on with
' the next statement, the first of that branch, with Err holding the error; after the
' branch the code goes on after End If. Every other construct whose head fails is left
' whole: a loop's condition, Select Case's subject, For's bounds and step, For Each's
' collection. The same code runs in global code and as a procedure's body, which run in
' different ways. (` stands for a quote in the code below.)
Dim zero, trace, code

Sub Note(text)
    trace = trace & text & " "
End Sub

Function Fails()
    Fails = 1 / zero
End Function

Sub L(text)
    code = code & Replace(text, "`", """") & vbLf
End Sub

L "On Error Resume Next"
L "If 1 / zero Then"
L "    Note `then ` & Err.Number"
L "    Err.Clear"
L "Else"
L "    Note `else`"
L "End If"
L "Note `after-if ` & Err.Number"
L "If False Then"
L "    Note `first`"
L "ElseIf Fails() Then"
L "    Note `elseif ` & Err.Number"
L "    Note `elseif2`"
L "Else"
L "    Note `else`"
L "End If"
L "Note `after-elseif`"
L "Err.Clear"
L "If Fails() > 0 Then Note `single` Else Note `single-else`"
L "Note `after-single ` & Err.Number"
L "Err.Clear"
L "If zero Then Note `x` Else If Fails() Then Note `a` : Note `b` Else Note `c`"
L "Note `after-nested-single ` & Err.Number"
L "Err.Clear"
L "Do While Fails()"
L "    Note `do-while`"
L "    Exit Do"
L "Loop"
L "Note `after-do-while ` & Err.Number"
L "Err.Clear"
L "Do Until Fails()"
L "    Note `do-until`"
L "    Exit Do"
L "Loop"
L "Note `after-do-until ` & Err.Number"
L "Err.Clear"
L "n = 0"
L "Do"
L "    n = n + 1"
L "Loop While Fails()"
L "Note `loop-while ` & n & ` ` & Err.Number"
L "Err.Clear"
L "n = 0"
L "Do"
L "    n = n + 1"
L "Loop Until Fails()"
L "Note `loop-until ` & n & ` ` & Err.Number"
L "Err.Clear"
L "While Fails()"
L "    Note `while`"
L "Wend"
L "Note `after-while ` & Err.Number"
L "Err.Clear"
L "Select Case Fails()"
L "Case Empty"
L "    Note `case`"
L "Case Else"
L "    Note `case-else`"
L "End Select"
L "Note `after-select ` & Err.Number"
L "Err.Clear"
L "For i = Fails() To 2"
L "    Note `for-from`"
L "Next"
L "Note `after-for-from ` & Err.Number"
L "Err.Clear"
L "For i = 1 To Fails()"
L "    Note `for-to`"
L "Next"
L "Note `after-for-to ` & Err.Number"
L "Err.Clear"
L "For i = 1 To 2 Step Fails()"
L "    Note `for-step`"
L "Next"
L "Note `after-for-step ` & Err.Number"
L "Err.Clear"
L "For Each item In Fails()"
L "    Note `for-each`"
L "Next"
L "Note `after-for-each ` & Err.Number"

ExecuteGlobal code
WScript.Echo trace
ExecuteGlobal "Sub Constructs" & vbLf & code & "End Sub"
trace = ""
Constructs
WScript.Echo trace
' expect: then 11 after-if 0 elseif 11 elseif2 after-elseif single after-single 11 a b after-nested-single 11 after-do-while 11 after-do-until 11 loop-while 1 11 loop-until 1 11 after-while 11 after-select 11 after-for-from 11 after-for-to 11 after-for-step 11 after-for-each 11
' expect: then 11 after-if 0 elseif 11 elseif2 after-elseif single after-single 11 a b after-nested-single 11 after-do-while 11 after-do-until 11 loop-while 1 11 loop-until 1 11 after-while 11 after-select 11 after-for-from 11 after-for-to 11 after-for-step 11 after-for-each 11
