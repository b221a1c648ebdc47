' The order things happen in around calls and operators.
Function Bump(v) : v = v + 1 : Bump = 10 : End Function

' The left operand is read before the right one runs.
x = 1
WScript.Echo x + Bump(x), x ' expect: 11 2
Dim a(1)
a(0) = 5
Function BumpElement() : a(0) = 100 : BumpElement = 1 : End Function
WScript.Echo a(0) + BumpElement() ' expect: 6
Sub Check()
    Dim n : n = 1
    WScript.Echo n + Bump(n), n
End Sub
Check ' expect: 11 2

' A ByVal parameter takes its value once all the arguments have run.
Sub Show(ByVal p, q) : WScript.Echo p, q : End Sub
x = 1
Show x, Bump(x) ' expect: 2 10
x = 1
Call Show(x, Bump(x)) ' expect: 2 10
Class Shower
    Sub Show(ByVal p, q) : WScript.Echo p, q : End Sub
End Class
Set s = New Shower
x = 1
s.Show x, Bump(x) ' expect: 2 10

' The object of a method call is found before its arguments run.
Class Named
    Public Name
    Sub Say(text) : WScript.Echo Name, text : End Sub
End Class
Function Switch() : Set o = second : Switch = "hello" : End Function
Set first = New Named : first.Name = "first"
Set second = New Named : second.Name = "second"
Set o = first
o.Say Switch() ' expect: first hello
o.Say "again" ' expect: second again

' A built-in takes its arguments' values in order: a ByRef parameter is read before a
' function named after it, which changes the variable the parameter stands for, runs.
Dim counter : counter = 5
Function BumpCounter() : counter = counter + 1 : BumpCounter = 1 : End Function
Dim grid(7, 1) : grid(5, 1) = "five" : grid(6, 1) = "six"
Sub ReadInOrder(ByRef a)
    WScript.Echo Mid(a, BumpCounter, 5), a
    Dim cell : cell = grid(a, BumpCounter)
    WScript.Echo cell, a
End Sub
ReadInOrder counter ' expect: 5 6
' expect: six 7
