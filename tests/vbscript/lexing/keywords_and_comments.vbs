' Keywords and names ignore case; both comment forms; ":" separates statements.
DIM abc : aBc = 3
wscript.echo ABC ' expect: 3
Rem a comment line
REM another: with a colon
If abc = 3 Then WScript.Echo "three" ' expect: three
WScript.Echo "a" : WScript.Echo "b"
' expect: a
' expect: b
