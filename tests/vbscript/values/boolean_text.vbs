' Text converts to a Boolean as "True" or "False" in any case, and as "#TRUE#" or
' "#FALSE#", the way Booleans are written in files.
If "#TRUE#" Then WScript.Echo "taken" ' expect: taken
If "#FALSE#" Then WScript.Echo "wrong" Else WScript.Echo "not taken" ' expect: not taken
WScript.Echo CBool("#true#"), CBool(" #False# "), CBool("TRUE"), CBool("false") ' expect: True False True False
On Error Resume Next
x = CBool("#YES#")
WScript.Echo Err.Number ' expect: 13
Err.Clear
x = CBool("#TRUE")
WScript.Echo Err.Number ' expect: 13
