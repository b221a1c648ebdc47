' Stop breaks into a debugger; none is ever attached, so it does nothing.
Stop
WScript.Echo "after stop" ' expect: after stop
If True Then Stop Else WScript.Echo "never"
Sub Pause
    Stop
    WScript.Echo "in pause" : Stop End Sub
Pause ' expect: in pause
