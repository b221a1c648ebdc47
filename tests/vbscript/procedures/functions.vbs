' Functions return through their name; recursion; Exit Function; both call syntaxes.
Function Fib(n)
    If n < 2 Then
        Fib = n
        Exit Function
    End If
    Fib = Fib(n - 1) + Fib(n - 2)
End Function
WScript.Echo Fib(15) ' expect: 610
Function NoResult()
End Function
WScript.Echo IsEmpty(NoResult()) ' expect: True
Private Function Twice(x) : Twice = x * 2 : End Function
Public Sub Show(a, b) : WScript.Echo a & "-" & b : End Sub
Show 1, 2 ' expect: 1-2
Call Show(3, 4) ' expect: 3-4
WScript.Echo Twice(Twice(5)) ' expect: 20
Sub EarlyExit
    WScript.Echo "in"
    Exit Sub
    WScript.Echo "not reached"
End Sub
EarlyExit ' expect: in
WScript.Echo Later(1) ' expect: defined later
Function Later(x) : Later = "defined later" : End Function
