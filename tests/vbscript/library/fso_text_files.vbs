' Text files through the FileSystemObject: written with CR LF, read with CR LF or LF,
' UTF-8 by default and UTF-16 when asked, with the stream's Line and Column kept.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Set fso = CreateObject("Scripting.FileSystemObject")

' What a file holds, its line ends made visible.
Function Shown(name)
    Dim f : Set f = fso.OpenTextFile(name)
    Shown = Replace(Replace(f.ReadAll, vbCr, "<CR>"), vbLf, "<LF>")
    f.Close
End Function

Set f = fso.CreateTextFile("log.txt")
f.WriteLine "first"
f.Write "sec"
WScript.Echo f.Line & "," & f.Column ' expect: 2,4
f.WriteLine "ond"
f.WriteBlankLines 2
f.Write "tail"
WScript.Echo f.Line & "," & f.Column ' expect: 5,5
f.WriteLine
f.Close
WScript.Echo Shown("log.txt") ' expect: first<CR><LF>second<CR><LF><CR><LF><CR><LF>tail<CR><LF>

' Appending, and the create flag of OpenTextFile.
Set f = fso.OpenTextFile("log.txt", ForAppending)
f.WriteLine "more"
f.Close
Set f = fso.OpenTextFile("new.txt", ForAppending, True)
f.Write "made"
f.Close
WScript.Echo Shown("new.txt") ' expect: made
Set f = fso.OpenTextFile("new.txt", ForWriting)
f.Write "replaced"
f.Close
WScript.Echo Shown("new.txt") ' expect: replaced

' Reading line by line: CR LF and LF both end a line, a lone CR does not, and a last
' line without an end is a line too.
Set f = fso.CreateTextFile("mixed.txt", True)
f.Write "one" & vbCrLf & "two" & vbLf & "th" & vbCr & "ree" & vbLf & vbLf & "last"
f.Close
Set f = fso.OpenTextFile("mixed.txt", ForReading)
Do Until f.AtEndOfStream
    n = f.Line
    WScript.Echo n & ":" & Replace(f.ReadLine, vbCr, "<CR>")
Loop
' expect: 1:one
' expect: 2:two
' expect: 3:th<CR>ree
' expect: 4:
' expect: 5:last
f.Close

' Read, Skip, SkipLine, AtEndOfLine and Column.
Set f = fso.OpenTextFile("mixed.txt")
WScript.Echo f.Read(2) & "|" & f.Column & "|" & f.AtEndOfLine ' expect: on|3|False
f.Skip 1
WScript.Echo f.AtEndOfLine & "|" & f.Column ' expect: True|4
WScript.Echo Len(f.Read(2)) & "|" & f.Line & "|" & f.Column ' expect: 2|2|1
f.SkipLine
WScript.Echo Replace(f.ReadLine, vbCr, "<CR>") ' expect: th<CR>ree
f.Close

' Text beyond ASCII goes in and out as UTF-8; a byte-order mark at the start is skipped.
Set f = fso.CreateTextFile("utf8.txt")
f.WriteLine "Grüße – 30 MHz"
f.Close
Set f = fso.OpenTextFile("utf8.txt")
WScript.Echo f.ReadLine ' expect: Grüße – 30 MHz
f.Close
Set f = fso.CreateTextFile("marked.txt")
f.Write ChrW(&HFEFF) & "after the mark"
f.Close
WScript.Echo Shown("marked.txt") ' expect: after the mark

' A Unicode file (UTF-16 with its mark) reads back as Unicode; read as UTF-8, each of its
' 18 bytes is a character (the mark and the Omega's first byte as U+FFFD).
Set f = fso.CreateTextFile("wide.txt", True, True)
f.WriteLine "wide Ω"
f.Close
Set f = fso.OpenTextFile("wide.txt", ForReading, False, -1)
WScript.Echo f.ReadLine ' expect: wide Ω
f.Close
Set f = fso.OpenTextFile("wide.txt")
WScript.Echo Len(f.ReadAll) ' expect: 18
f.Close

' Many blank lines at once.
Set f = fso.CreateTextFile("blank.txt")
f.WriteBlankLines 10000
WScript.Echo f.Line & " " & f.Column ' expect: 10001 1
f.Close
Set f = fso.OpenTextFile("blank.txt")
WScript.Echo Len(f.ReadAll) & " " & f.Line ' expect: 20000 10001
f.Close

' A long file read line by line crosses the stream's blocks without losing a line.
Set f = fso.CreateTextFile("long.txt")
For i = 1 To 20000
    f.WriteLine "line " & i & " é"
Next
f.Close
Set f = fso.OpenTextFile("long.txt")
count = 0
Do Until f.AtEndOfStream
    s = f.ReadLine
    count = count + 1
    If s <> "line " & count & " é" Then WScript.Echo "wrong line " & count & ": " & s
Loop
WScript.Echo count & " " & f.Line ' expect: 20000 20001
f.Close

' Characters and a line end that straddle the stream's 64 KiB blocks: the 2-byte "é" at
' bytes 65535-65536, the CR LF at 131071-131072, the 3-byte "€" at 196607-196609.
Set f = fso.CreateTextFile("blocks.txt")
f.Write String(65535, "x") & "é" & String(65534, "y") & vbCrLf & String(65534, "z") & "€end"
f.Close
Set f = fso.OpenTextFile("blocks.txt")
f.Skip 131070
WScript.Echo f.AtEndOfLine & " " & f.Column ' expect: True 131071
f.Close
Set f = fso.OpenTextFile("blocks.txt")
s = f.ReadLine
WScript.Echo Len(s) & " " & Mid(s, 65535, 3) & " " & Right(s, 1) ' expect: 131070 xéy y
s = f.ReadLine
WScript.Echo Len(s) & " " & Right(s, 5) & " " & f.AtEndOfStream ' expect: 65538 z€end True
f.Close
