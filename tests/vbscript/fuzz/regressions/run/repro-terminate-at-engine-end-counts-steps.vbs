'Case Elsestill held when the script ends run Class_Terminate, which may define more
' globals while the engine lets go of the ones it has.
Class Definer
    Private Sub Class_Terminate
        For i = 1 To 893
            ExecuteGlobal "Dim late" & i & " : late" & i & " = " & i
        Next
        WScript.Echo "terminated"
    End Sub
End Class
Set keep = New Definer
WScript.Echo "end" ' expect: end
' expect: terminated
