' A string without its closing quote is a compile error; nothing runs.
WScript.Echo "runs"
x = "abc ' expect compile error: 1033: Unterminated string constant
