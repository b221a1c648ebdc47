' Recursion through Execute, ExecuteGlobal and Eval, caught with On Error Resume Next.
On Error Resume Next
s = "Execute s"
Execute s
WScript.Echo Err.Number ' expect: 28
Err.Clear
e = "Eval(e)"
x = Eval(e)
WScript.Echo Err.Number ' expect: 28
Err.Clear
Sub Again
    ExecuteGlobal "Again"
End Sub
Again
WScript.Echo Err.Number ' expect: 28
Err.Clear
Sub Inside
    Execute "Inside"
End Sub
Inside
WScript.Echo Err.Number ' expect: 28
On Error GoTo 0
Execute "WScript.Echo ""recovered"""  ' expect: recovered
