' String building with & and scanning with Mid and InStr.
Dim s, i, hits, part
s = ""
For i = 1 To 20000
    s = s & Chr(65 + (i Mod 26))
Next
hits = 0
For i = 1 To Len(s) - 3 Step 3
    part = Mid(s, i, 3)
    If InStr(part, "ABC") > 0 Then hits = hits + 1
Next
For i = 1 To 2000
    hits = hits + InStr(i, s, "XYZ")
Next
WScript.Echo Len(s), hits
