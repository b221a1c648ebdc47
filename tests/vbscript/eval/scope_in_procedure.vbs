' Code run by Execute and Eval inside a procedure finds names as the procedure's body
' does: its locals and parameters, then globals and built-ins.
Sub EchoTwice
    WScript.Echo 1
    Execute "WScript.Echo 2"
End Sub
EchoTwice ' expect: 1
' expect: 2

g = 5
Sub ReadsGlobal
    x = g
    WScript.Echo Eval("g"), x
End Sub
ReadsGlobal ' expect: 5 5

Sub WritesGlobal
    x = g
    Execute "g = 6"
End Sub
WritesGlobal
WScript.Echo g ' expect: 6

Sub CallsBuiltin
    x = Len("abc")
    WScript.Echo Eval("Len(""ab"")"), x
End Sub
CallsBuiltin ' expect: 2 3

Function Locals(p)
    Dim d
    d = p * 2
    y = p + 1
    Execute "d = d + 1 : y = y + 1 : p = p + 100"
    Locals = Eval("d & "" "" & y & "" "" & p")
End Function
WScript.Echo Locals(1) ' expect: 3 3 101
