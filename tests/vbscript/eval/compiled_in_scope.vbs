' Code Execute and Eval run inside a procedure: loops, With, For Each and Select Case
' over the procedure's locals; Execute's own On Error; an error in it or in Eval is the
' calling statement's; the function's own name with arguments calls it.
Class Named
    Public Name
End Class

Function Make(name)
    Set Make = New Named
    Make.Name = name
End Function

Function Summed(list)
    Dim total, item, i
    Execute "For Each item In list : total = total + item : Next" & vbLf & _
            "For i = 1 To 3 : total = total * 2 : Next" & vbLf & _
            "Select Case total : Case 48 : total = total & ""!"" : End Select"
    Summed = total
End Function
WScript.Echo Summed(Array(1, 2, 3)) ' expect: 48!

Sub Nested()
    Dim zero
    With Make("outer")
        On Error Resume Next
        Execute "With Make(""inner"") : WScript.Echo .Name : zero = 1 / zero : End With" ' expect: inner
        WScript.Echo Err.Number, .Name ' expect: 11 outer
        Err.Clear
        Execute "On Error Resume Next : zero = 1 / zero : WScript.Echo ""went on"" " ' expect: went on
        WScript.Echo Err.Number ' expect: 11
        Err.Clear
        zero = 7
        zero = Eval("1 / 0")
        WScript.Echo zero, Err.Number ' expect: 7 11
        Err.Clear
        Execute "Dim a() : ReDim a(2) : a(1) = 5 : ReDim Preserve a(3) : zero = UBound(a) + a(1)"
        WScript.Echo zero, Err.Number ' expect: 8 0
        Execute "Dim f(2) : ReDim f(3)"
        WScript.Echo Err.Number ' expect: 10
        Err.Clear
        Set zero = Eval("Make(""made"")")
        WScript.Echo zero.Name ' expect: made
    End With
End Sub
Nested

Function Factorial(n)
    If n <= 1 Then
        Factorial = 1
    Else
        Execute "Factorial = n * Factorial(n - 1)"
    End If
End Function
WScript.Echo Factorial(5) ' expect: 120
