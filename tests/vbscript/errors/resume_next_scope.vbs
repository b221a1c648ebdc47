' An error in a procedure without a handler goes to the caller's handler, and the
' caller carries on after the call.
Sub Fails
    WScript.Echo "before"
    x = 1 / 0
    WScript.Echo "not reached"
End Sub
On Error Resume Next
Fails ' expect: before
WScript.Echo "caller continues", Err.Number ' expect: caller continues 11
