' A bad pattern nobody handles ends the script on the line that used it.
Set re = New RegExp
re.Pattern = "[0-9"
WScript.Echo "pattern set" ' expect: pattern set
If re.Test("7") Then WScript.Echo "never" ' expect runtime error: 5017: Syntax error in regular expression
