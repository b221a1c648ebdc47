Class C
  Private Sub Class_Terminate
    If d.Exists("b") Then d.Remove "b"
  End Sub
End Class
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", New C
d.Add "b", New C
d.Add "c", 3
d.Remove "a"
d("c") = New C
d("c") = 1
d.Key("c") = New C
