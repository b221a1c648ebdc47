' A compile error anywhere in the file means nothing runs.
WScript.Echo "never printed"
If x Then
    y = 1
' expect compile error: 1014: Expected 'End'
