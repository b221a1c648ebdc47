' Dim and ReDim find the name first, then each bound in turn, each made a whole number
' before the next is found; a fixed array refuses ReDim before any bound is found. The
' same in global code and in a procedure.
Function B(n)
    WScript.Echo "bound " & n
    B = n
End Function
Dim fixed(2)
On Error Resume Next
ReDim fixed(B(5))
WScript.Echo Err.Number ' expect: 10
Err.Clear
ReDim grown(B(1), B(2)) ' expect: bound 1
' expect: bound 2
WScript.Echo UBound(grown, 1), UBound(grown, 2) ' expect: 1 2
ReDim grown(B("x"), B(3)) ' expect: bound x
WScript.Echo Err.Number, UBound(grown, 2) ' expect: 13 2
Err.Clear
On Error GoTo 0

Sub Sizes()
    Dim a(), i
    ReDim a(B(2)) ' expect: bound 2
    For i = 0 To 2
        a(i) = i
    Next
    ReDim Preserve a(3)
    WScript.Echo Join(a, ",") ' expect: 0,1,2,
    Erase a
    WScript.Echo IsArray(a), Join(a, ",") = "" ' expect: True True
    Dim f(1)
    f(0) = "x"
    Erase f
    WScript.Echo UBound(f), IsEmpty(f(0)) ' expect: 1 True
    On Error Resume Next
    ReDim f(B(4))
    WScript.Echo Err.Number ' expect: 10
    Err.Clear
    Dim s
    s = "text"
    Erase s
    WScript.Echo Err.Number ' expect: 13
    Err.Clear
    ReDim a(B(1), B(Null)) ' expect: bound 1
    ' expect: bound 
    WScript.Echo Err.Number ' expect: 94
End Sub
Sizes
