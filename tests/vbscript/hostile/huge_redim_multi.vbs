On Error Resume Next
ReDim a(100000, 100000)
WScript.Echo Err.Number ' expect: 7
Err.Clear
s = Space(2000000000)
WScript.Echo Err.Number ' expect: 14
