' Without Option Explicit a name is created on first use: global at the top, local in a procedure.
g = 5
Sub Setter
    local1 = 10
    g = g + 1
End Sub
Setter
WScript.Echo g, IsEmpty(local1) ' expect: 6 True
