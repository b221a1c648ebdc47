' A Const whose value is not a literal is a compile error: nothing in the script runs.
WScript.Echo "never printed"
Const A = 1
Const B = A * 2 ' expect compile error: 1045: Expected literal constant
