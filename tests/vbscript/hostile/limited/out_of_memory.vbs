' Run with little memory (ulimit -v): filling memory until it runs out ends with
' "Out of memory", and what the script printed before stays printed.
WScript.Echo "filling" ' expect: filling
Set d = CreateObject("Scripting.Dictionary")
i = 0
Do
    d.Add i, Space(1000)
    i = i + 1
Loop
' expect runtime error: 7: Out of memory
