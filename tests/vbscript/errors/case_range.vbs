' A Case range is a compile error: nothing in the script runs.
WScript.Echo "never printed"
Select Case 3
Case 1 To 5 ' expect compile error: 1025: Expected end of statement
End Select
