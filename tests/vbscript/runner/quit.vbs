' expect exit: 3
WScript.Echo "before" ' expect: before
WScript.Quit 3
WScript.Echo "after"
