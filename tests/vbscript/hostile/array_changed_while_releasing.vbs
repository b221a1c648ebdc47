' An array element's Class_Terminate may use the array that is letting go of it (Erase,
' ReDim, ReDim Preserve cutting elements off): the array is whole again first.
Class Resizes
    Private Sub Class_Terminate
        ReDim Preserve b(0)
        b(0) = "kept"
    End Sub
End Class
Class Replaces
    Private Sub Class_Terminate
        a = "replaced"
    End Sub
End Class

ReDim b(5)
Set b(3) = New Resizes
Set b(4) = New Resizes
ReDim Preserve b(1)
WScript.Echo UBound(b), b(0) ' expect: 0 kept

ReDim b(2)
Set b(1) = New Resizes
ReDim b(3)
WScript.Echo UBound(b), b(0) ' expect: 0 kept

Dim a(2)
Set a(0) = New Replaces
Set a(1) = New Replaces
Erase a
WScript.Echo a ' expect: replaced

ReDim a(2)
Set a(2) = New Replaces
Erase a
WScript.Echo a ' expect: replaced

' Set x = Nothing: the variable holds Nothing before the object goes.
Class Reads
    Private Sub Class_Terminate
        WScript.Echo TypeName(x)
    End Sub
End Class
Set x = New Reads
Set x = Nothing ' expect: Nothing
x = 5
Set x = New Reads
x = 6 ' expect: Integer

' Growing one element at a time keeps every element.
ReDim c(-1)
For i = 0 To 9999
    ReDim Preserve c(i)
    c(i) = i
Next
WScript.Echo UBound(c), c(0), c(5000), c(9999) ' expect: 9999 0 5000 9999
