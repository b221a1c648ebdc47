' Reading properties of a host object (the runner's WScript and its Arguments).
Dim i, n
n = 0
For i = 1 To 3500000
    n = n + Len(WScript.ScriptName) + WScript.Arguments.Count
Next
WScript.Echo n
