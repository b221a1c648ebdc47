' ReDim declares the array it sizes, also under Option Explicit.
Option Explicit
ReDim list(2)
list(2) = "ok"
WScript.Echo list(2) ' expect: ok
Sub Local
    ReDim inner(1)
    inner(1) = "local"
    WScript.Echo inner(1)
End Sub
Local ' expect: local
