' The FileSystemObject's errors carry the language's numbers.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Set fso = CreateObject("Scripting.FileSystemObject")
Sub Check(code)
    On Error Resume Next
    Execute code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Set f = fso.CreateTextFile("here.txt")
f.WriteLine "one line"
f.Close
fso.CreateFolder "folder"

Check "fso.OpenTextFile ""missing.txt""" ' expect: 53 File not found
Check "fso.OpenTextFile ""missing.txt"", ForAppending" ' expect: 53 File not found
Check "fso.OpenTextFile ""nowhere/new.txt"", ForWriting, True" ' expect: 76 Path not found
Check "fso.CreateTextFile ""here.txt""" ' expect: 58 File already exists
Check "fso.CreateTextFile ""here.txt"", False" ' expect: 58 File already exists
Check "fso.CreateFolder ""folder""" ' expect: 58 File already exists
Check "fso.CreateFolder ""nowhere/folder""" ' expect: 76 Path not found
Check "fso.OpenTextFile ""folder""" ' expect: 70 Permission denied
Check "fso.CreateTextFile ""folder"", True" ' expect: 70 Permission denied
Check "fso.OpenTextFile ""here.txt"", 3" ' expect: 5 Invalid procedure call or argument
Check "fso.OpenTextFile ""here.txt"", ForReading, False, 1" ' expect: 5 Invalid procedure call or argument
Check "fso.OpenTextFile """"" ' expect: 5 Invalid procedure call or argument
Check "fso.OpenTextFile ""here.txt"" & ChrW(0) & "".bak""" ' expect: 52 Bad file name or number
Check "fso.DeleteFile ""missing.txt""" ' expect: 53 File not found
Check "fso.DeleteFile ""*.none""" ' expect: 53 File not found
Check "fso.DeleteFile ""nowhere/*.txt""" ' expect: 76 Path not found
Check "fso.DeleteFile ""folder""" ' expect: 53 File not found
Check "fso.CopyFile ""missing.txt"", ""copy.txt""" ' expect: 53 File not found
Check "fso.CopyFile ""here.txt"", ""nowhere/""" ' expect: 76 Path not found
Check "fso.MoveFile ""missing.txt"", ""moved.txt""" ' expect: 53 File not found

' Reading past the end, and a stream used the wrong way or after Close.
Set f = fso.OpenTextFile("here.txt")
f.ReadLine
Check "f.ReadLine" ' expect: 62 Input past end of file
Check "f.Read 1" ' expect: 62 Input past end of file
Check "f.ReadAll" ' expect: 62 Input past end of file
Check "f.Skip 1" ' expect: 62 Input past end of file
Check "f.SkipLine" ' expect: 62 Input past end of file
Check "f.Write ""x""" ' expect: 54 Bad file mode
Check "f.Read -1" ' expect: 5 Invalid procedure call or argument
f.Close
f.Close
Check "f.ReadLine" ' expect: 52 Bad file name or number
Set f = fso.OpenTextFile("here.txt", ForAppending)
Check "x = f.ReadLine" ' expect: 54 Bad file mode
Check "x = f.AtEndOfStream" ' expect: 54 Bad file mode
f.Close
Check "f.WriteLine ""late""" ' expect: 52 Bad file name or number
Check "x = f.Line" ' expect: 52 Bad file name or number
Set f = fso.CreateTextFile("empty.txt")
f.Close
Set f = fso.OpenTextFile("empty.txt")
Check "x = f.ReadAll" ' expect: 62 Input past end of file
WScript.Echo f.AtEndOfStream & " " & f.AtEndOfLine ' expect: True True
