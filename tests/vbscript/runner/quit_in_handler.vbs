' expect exit: 0
' Quit ends the run even under On Error Resume Next.
On Error Resume Next
WScript.Quit
WScript.Echo "after"
