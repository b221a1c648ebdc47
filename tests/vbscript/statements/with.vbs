' With ... End With names the object once.
Class Box
    Public W, H
    Public Function Area() : Area = W * H : End Function
End Class
Set b = New Box
With b
    .W = 3
    .H = 4
    WScript.Echo .Area() ' expect: 12
    WScript.Echo .W + .H ' expect: 7
End With
