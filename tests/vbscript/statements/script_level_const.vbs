' Private Const and Public Const at the script level are constants like Const.
Private Const Limit = 30, Floor = 1
Public Const Unit = "MHz"
Const Plain = -2.5
WScript.Echo Limit, Floor, Unit, Plain ' expect: 30 1 MHz -2.5
Sub Show
    WScript.Echo Limit & " " & Unit
End Sub
Show ' expect: 30 MHz
On Error Resume Next
Limit = 5
WScript.Echo Err.Number, Limit ' expect: 501 30
