Class C
  Private Sub Class_Terminate
    d.Add "x", 1
  End Sub
End Class
Set d = CreateObject("Scripting.Dictionary")
d.Add 1, New C
d.RemoveAll
d.RemoveAll
