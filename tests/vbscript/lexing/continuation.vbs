' A blank and an underscore at the end of a line continue the statement.
Dim total
total = 1 + _
        2 + _
    3
WScript.Echo total ' expect: 6
WScript.Echo "x", _
   "y" ' expect: x y
