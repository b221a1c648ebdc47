' ReDim of a fixed-size array is error 10, raised before the new bounds are read: bounds
' that are no numbers, or that would fail when computed, give 10 all the same.
Function Bound()
    WScript.Echo "bound read"
    Bound = 1
End Function
Dim fixed(3)
On Error Resume Next
ReDim fixed("abc")
WScript.Echo Err.Number ' expect: 10
Err.Clear
ReDim Preserve fixed(1 / 0)
WScript.Echo Err.Number ' expect: 10
Err.Clear
ReDim fixed(Bound())
WScript.Echo Err.Number ' expect: 10
Err.Clear
ReDim growing("abc")
WScript.Echo Err.Number ' expect: 13
On Error GoTo 0
Dim a(2)
ReDim a(5) ' expect runtime error: 10: This array is fixed or temporarily locked
