' args: first "second" 3
' The runner's WScript object.
WScript.Echo WScript.Arguments.Count ' expect: 3
WScript.Echo WScript.Arguments(0), WScript.Arguments.Item(2) ' expect: first 3
For Each a In WScript.Arguments : WScript.StdOut.Write a & ";" : Next
WScript.StdOut.WriteLine ' expect: first;"second";3;
WScript.Echo WScript.ScriptName ' expect: wscript.vbs
WScript.Echo Right(WScript.ScriptFullName, 19) ' expect: /runner/wscript.vbs
WScript.Echo True, False, Null, 1.5, "" ' expect: True False Null 1.5 
WScript.Echo ' expect: 
WScript.Sleep 1
WScript.StdErr.Write ""
