' Operands whose default property runs script code that changes the variables and arrays
' the other operand or the subscript came from. Each line runs twice: the second time,
' the names are known and read in place.
Class Shrinker
    Public Default Property Get Value()
        ReDim a(0)
        y = 100
        Value = 1
    End Property
End Class
Dim a()
For pass = 1 To 2
    ReDim a(1)
    Set a(0) = New Shrinker
    a(1) = 10
    WScript.Echo a(0) + a(1), UBound(a)
Next
' expect: 11 0
' expect: 11 0
For pass = 1 To 2
    ReDim a(1)
    Set a(0) = New Shrinker
    a(1) = 10
    If a(0) < a(1) Then WScript.Echo "less"
Next
' expect: less
' expect: less
Set s = New Shrinker
For pass = 1 To 2
    y = 5
    WScript.Echo s + y, y
Next
' expect: 6 100
' expect: 6 100
Set k = New Shrinker
On Error Resume Next
For pass = 1 To 2
    ReDim a(3)
    Err.Clear
    x = a(k)
    WScript.Echo Err.Number
Next
' expect: 9
' expect: 9
' An object subscript whose default property replaces the array.
Class Replacer
    Public Default Property Get Value()
        a = "gone"
        Value = 1
    End Property
End Class
Set k = New Replacer
For pass = 1 To 2
    ReDim a(3)
    Err.Clear
    x = a(k)
    WScript.Echo Err.Number
    ReDim a(3)
    Err.Clear
    a(k) = 5
    WScript.Echo Err.Number
Next
' expect: 13
' expect: 13
' expect: 13
' expect: 13
' The same subscripts on an element passed by reference.
Sub Touch(v) : v = 7 : End Sub
Set k = New Shrinker
For pass = 1 To 2
    ReDim a(3)
    Err.Clear
    Touch a(k)
    WScript.Echo Err.Number, UBound(a)
Next
' expect: 9 0
' expect: 9 0
Set k = New Replacer
For pass = 1 To 2
    ReDim a(3)
    Err.Clear
    Touch a(k)
    WScript.Echo Err.Number, a
Next
' expect: 13 gone
' expect: 13 gone
