' Class_Terminate runs when the last reference goes.
Class Tracker
    Public Name
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name
    End Sub
End Class
Set t = New Tracker : t.Name = "one"
Set u = t
Set t = Nothing
WScript.Echo "still held" ' expect: still held
Set u = Nothing ' expect: terminate one
Sub Scoped
    Dim local : Set local = New Tracker : local.Name = "local"
End Sub
Scoped ' expect: terminate local
Set t = New Tracker : t.Name = "replaced"
Set t = New Tracker ' expect: terminate replaced
t.Name = "at end"
WScript.Echo "end of script" ' expect: end of script
' expect: terminate at end
