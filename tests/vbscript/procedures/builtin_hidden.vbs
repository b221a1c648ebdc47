' A global procedure defined later hides the built-in of the same name, also at call
' sites that already ran.
Sub Measure() : WScript.Echo Len("abc") : End Sub
Measure ' expect: 3
ExecuteGlobal "Function Len(x) : Len = 42 : End Function"
Measure ' expect: 42
