' An unhandled error reports the line where it happened.
Sub Deep
    x = CLng("nope") ' expect runtime error: 13: Type mismatch
End Sub
WScript.Echo "start" ' expect: start
Deep
