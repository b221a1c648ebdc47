' Run with little memory (ulimit -v): "Out of memory" can be caught, and once the memory
' is given back the engine carries on.
On Error Resume Next
Set d = CreateObject("Scripting.Dictionary")
i = 0
Do
    d.Add i, Space(1000)
    If Err.Number <> 0 Then Exit Do
    i = i + 1
Loop
WScript.Echo Err.Number, Err.Description, i > 1000 ' expect: 7 Out of memory True
On Error GoTo 0
Set d = Nothing
WScript.Echo Len(Space(1000)) ' expect: 1000
