' MsgBox and InputBox print their prompt and return the default answer.
r = MsgBox("Proceed?", vbYesNo + vbDefaultButton2) ' expect: Proceed?
WScript.Echo r = vbNo ' expect: True
r = MsgBox("Plain") ' expect: Plain
WScript.Echo r ' expect: 1
s = InputBox("Name?", "Title", "nobody") ' expect: Name?
WScript.Echo s ' expect: nobody
