' An error nobody handles ends the script with the language's number, on its line.
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo "before" ' expect: before
Set f = fso.OpenTextFile("settings.txt") ' expect runtime error: 53: File not found
WScript.Echo "never"
