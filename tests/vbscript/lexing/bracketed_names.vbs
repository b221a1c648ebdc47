' Names in square brackets may hold blanks or be keywords.
Dim [my value], [Dim]
[my value] = 4
[Dim] = 5
WScript.Echo [my value] + [Dim] ' expect: 9
