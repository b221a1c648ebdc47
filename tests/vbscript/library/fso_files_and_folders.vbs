' Files and folders: existence, CreateFolder, CopyFile, MoveFile and DeleteFile, with
' wildcards in the last part of the source.
Set fso = CreateObject("Scripting.FileSystemObject")
Sub MakeFile(name, text)
    Dim f : Set f = fso.CreateTextFile(name, True)
    f.Write text
    f.Close
End Sub
Function Contents(name)
    Dim f : Set f = fso.OpenTextFile(name)
    Contents = f.ReadAll
    f.Close
End Function
Sub Check(code)
    On Error Resume Next
    Execute code
    WScript.Echo Err.Number & " " & Err.Description
End Sub

Set folder = fso.CreateFolder("data")
WScript.Echo folder.Name & " " & (folder.Path = fso.GetAbsolutePathName("data")) & " " & TypeName(folder) ' expect: data True Folder
WScript.Echo fso.FolderExists("data") & " " & fso.FileExists("data") ' expect: True False
MakeFile "data/a.csv", "A"
MakeFile "data/b.csv", "B"
MakeFile "data/notes.txt", "N"
MakeFile "data/.hidden.csv", "H"
WScript.Echo fso.FileExists("data/a.csv") & " " & fso.FolderExists("data/a.csv") & " " & fso.FileExists("") ' expect: True False False

' CopyFile: to a name, into a folder, overwriting only when allowed.
fso.CopyFile "data/a.csv", "copy.csv"
WScript.Echo Contents("copy.csv") ' expect: A
fso.CopyFile "data/b.csv", "copy.csv"
WScript.Echo Contents("copy.csv") ' expect: B
Check "fso.CopyFile ""data/a.csv"", ""copy.csv"", False" ' expect: 58 File already exists
Check "fso.CopyFile ""copy.csv"", ""copy.csv""" ' expect: 70 Permission denied
WScript.Echo Contents("copy.csv") ' expect: B
Check "fso.CopyFile ""copy.csv"", ""data""" ' expect: 70 Permission denied
fso.CreateFolder "backup"
fso.CopyFile "data/*.csv", "backup"
WScript.Echo fso.FileExists("backup/a.csv") & " " & fso.FileExists("backup/b.csv") & " " & fso.FileExists("backup/.hidden.csv") & " " & fso.FileExists("backup/notes.txt") ' expect: True True False False
fso.CopyFile "data/notes.txt", "backup/"
WScript.Echo Contents("backup/notes.txt") ' expect: N

' MoveFile never replaces a file.
fso.MoveFile "copy.csv", "moved.csv"
WScript.Echo fso.FileExists("copy.csv") & " " & Contents("moved.csv") ' expect: False B
Check "fso.MoveFile ""moved.csv"", ""data/a.csv""" ' expect: 58 File already exists
Check "fso.MoveFile ""moved.csv"", ""data""" ' expect: 58 File already exists
fso.CreateFolder "archive"
fso.MoveFile "backup/?.csv", "archive/"
WScript.Echo fso.FileExists("archive/a.csv") & " " & fso.FileExists("archive/b.csv") & " " & fso.FileExists("backup/a.csv") ' expect: True True False

' DeleteFile: wildcards, and read-only files only with force.
fso.DeleteFile "archive/*"
WScript.Echo fso.FileExists("archive/a.csv") & " " & fso.FolderExists("archive") ' expect: False True
fso.DeleteFile "data/*.*"
WScript.Echo fso.FileExists("data/notes.txt") & " " & fso.FileExists("data/.hidden.csv") ' expect: False True
