' A Dim bound that is not an integer literal is a compile error: nothing in the script
' runs.
WScript.Echo "never printed"
n = 3
Dim a(n) ' expect compile error: 1026: Expected integer constant
