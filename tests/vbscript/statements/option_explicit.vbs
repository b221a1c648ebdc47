Option Explicit
Dim declared
declared = 1
WScript.Echo declared ' expect: 1
undeclared = 2 ' expect runtime error: 500: Variable is undefined: 'undeclared'
