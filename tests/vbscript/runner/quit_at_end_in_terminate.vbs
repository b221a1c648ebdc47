' An object still held at the end runs Class_Terminate as the engine goes; its Quit
' gives the exit status.
' expect exit: 4
Class QuitsOnTerminate
    Private Sub Class_Terminate
        WScript.Quit 4
    End Sub
End Class
Set x = New QuitsOnTerminate
WScript.Echo "end" ' expect: end
