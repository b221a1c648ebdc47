' Eval evaluates an expression in the current scope.
x = 5
WScript.Echo Eval("x * 2"), Eval("x = 5"), Eval("""a"" & ""b""") ' expect: 10 True ab
Function Scaled(n)
    Dim factor : factor = 3
    Scaled = Eval("n * factor")
End Function
WScript.Echo Scaled(7) ' expect: 21
WScript.Echo Eval("Len(""abcd"")") ' expect: 4
x = Eval("1 +") ' expect runtime error: 1023: Expected expression
