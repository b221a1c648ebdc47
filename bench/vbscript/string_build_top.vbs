' String building with & and scanning with Mid and InStr at the top level, on globals:
' a 20 000-character string built and scanned 180 times.
Dim s, turn, i, hits, part
hits = 0
For turn = 1 To 180
    s = ""
    For i = 1 To 20000
        s = s & Chr(65 + (i Mod 26))
    Next
    For i = 1 To Len(s) - 3 Step 3
        part = Mid(s, i, 3)
        If InStr(part, "ABC") > 0 Then hits = hits + 1
    Next
    For i = 1 To 2000
        hits = hits + InStr(i, s, "XYZ")
    Next
Next
WScript.Echo Len(s), hits
