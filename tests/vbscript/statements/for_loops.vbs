' For with Step (up, down, fractional), For Each over arrays and collections, Exit For.
s = ""
For i = 1 To 5 : s = s & i : Next
WScript.Echo s, i ' expect: 12345 6
s = ""
For i = 10 To 1 Step -3 : s = s & i & " " : Next
WScript.Echo s ' expect: 10 7 4 1 
s = ""
For x = 0 To 1 Step 0.25 : s = s & x & ";" : Next
WScript.Echo s ' expect: 0;0.25;0.5;0.75;1;
For i = 5 To 1
    WScript.Echo "never"
Next
total = 0
For Each v In Array(1, 2, 3, 4)
    If v = 4 Then Exit For
    total = total + v
Next
WScript.Echo total ' expect: 6
Set d = CreateObject("Scripting.Dictionary")
d.Add "k1", 1 : d.Add "k2", 2
For Each k In d
    WScript.Echo k ' expect: k1
Next
' expect: k2
For i = 1 To 3
    For j = 1 To 3
        If j = 2 Then Exit For
        WScript.Echo i & j
    Next
Next
' expect: 11
' expect: 21
' expect: 31
