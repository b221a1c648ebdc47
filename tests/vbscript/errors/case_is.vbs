' A Case comparison is a compile error: nothing in the script runs.
WScript.Echo "never printed"
Select Case 3
Case Is > 5 ' expect compile error: 1023: Expected expression
End Select
