' Regular expressions over a 20 000-line report, twenty times over: every match of a pattern
' with a group, then a global Replace that uses the group.
Dim lines(19999), i, text, re, m, turn, total, replacedLength
For i = 0 To 19999
    lines(i) = "code " & (i Mod 30) & ": " & (i Mod 30 + 1) & " MHz ok"
Next
text = Join(lines, vbLf)
Set re = New RegExp
re.Pattern = "(\d+) MHz"
re.Global = True
total = 0
For turn = 1 To 20
    For Each m In re.Execute(text)
        total = total + CLng(m.SubMatches(0))
    Next
    replacedLength = Len(re.Replace(text, "$1000 kHz"))
Next
WScript.Echo total, replacedLength
