' WScript.Quit inside Class_Terminate ends the script there.
' expect exit: 3
Class QuitsOnTerminate
    Private Sub Class_Terminate
        WScript.Echo "terminating" ' expect: terminating
        WScript.Quit 3
    End Sub
End Class
Set x = New QuitsOnTerminate
Set x = Nothing
WScript.Echo "not reached"
