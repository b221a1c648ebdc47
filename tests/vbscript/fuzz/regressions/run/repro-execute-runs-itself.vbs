On Error Resume Next
s = "Execute s"
Execute s
e = "Eval(e)"
x = Eval(e)
Sub S
  ExecuteGlobal "S"
End Sub
S
s = "Execute s"
Execute s
