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
' A local counter: an Integer that outgrows its type becomes a Long; a counter the body
' makes text or a Double, a ByRef counter and a Double step go on by the same rules.
Sub LocalCounters(ByRef outer)
    Dim i, s
    s = ""
    For i = 32766 To 32768 : s = s & TypeName(i) & " " : Next
    WScript.Echo s & TypeName(i)
    s = ""
    For i = 5 To 1 Step -2 : s = s & i : Next
    WScript.Echo s & " " & i
    s = ""
    For i = 1 To 4
        If i = 2 Then i = "2"
        s = s & TypeName(i) & i & ","
    Next
    WScript.Echo s
    s = ""
    For i = 1 To 2 Step 0.5 : s = s & i & "," : Next
    WScript.Echo s
    For outer = 1 To 3 : Next
End Sub
Dim counted
LocalCounters counted ' expect: Integer Integer Long Long
' expect: 531 -1
' expect: Integer1,String2,Double3,Double4,
' expect: 1,1.5,2,
WScript.Echo counted ' expect: 4
