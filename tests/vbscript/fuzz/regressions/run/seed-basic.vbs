Class C
    Public v
    Private Sub Class_Terminate() : v = 0 : End Sub
End Class
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", New C
For i = 1 To 10 : s = s & Mid("abc", i Mod 3 + 1, 1) : Next
On Error Resume Next
x = 1 / 0
Execute "y = Eval(""2 ^ 10"")"
