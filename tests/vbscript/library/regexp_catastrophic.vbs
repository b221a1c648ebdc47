' A search that would backtrack for ages ends with an error instead of hanging.
Set re = New RegExp
re.Pattern = "^(\w+\s?)*$"
WScript.Echo re.Test("a few words") ' expect: True
WScript.Echo re.Test(String(30, "word ") & "!") ' expect runtime error: 28: Out of stack space
