' Writing a CSV log of 200 000 lines through the FileSystemObject, then reading it back
' line by line and adding up one column.
Dim fso, f, i, n, total, path
path = "/tmp/fltamp_bench_text_file.csv"
Set fso = CreateObject("Scripting.FileSystemObject")
Set f = fso.CreateTextFile(path, True)
For i = 1 To 200000
    f.WriteLine i & "," & (i Mod 30) & "," & (i Mod 30 + 1) & " MHz"
Next
f.Close
n = 0
total = 0
Set f = fso.OpenTextFile(path)
Do Until f.AtEndOfStream
    total = total + CLng(Split(f.ReadLine, ",")(1))
    n = n + 1
Loop
f.Close
fso.DeleteFile path
WScript.Echo n, total
