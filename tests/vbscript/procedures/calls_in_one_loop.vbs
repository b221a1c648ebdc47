' Calls that the instruction loop runs itself: procedures, methods, built-ins, members,
' with their arguments bound as the call runs.
Class Noisy
    Public Name
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name
    End Sub
End Class

Function Make(n)
    Set Make = New Noisy
    Make.Name = n
End Function

Class Holder
    Public Tag
    Public Function WithLocal()
        Dim inner
        Set inner = Make("local of " & Tag)
        WithLocal = Tag
    End Function
    Public Function DropSelf()
        Dim inner
        Set inner = Make("local of " & Tag)
        Set kept = Nothing
        DropSelf = Tag
    End Function
    Private Sub Class_Terminate
        WScript.Echo "terminate holder " & Tag
    End Sub
    Private Function Secret(x)
        Secret = x * 2
    End Function
    Public Function UsesSecret(x)
        UsesSecret = Secret(x) + Me.Twice(x)
    End Function
    Public Function Twice(x)
        Twice = x + x
    End Function
    Public Function Down(n)
        Down = Down(n + 1)
    End Function
End Class

Function NewHolder(t)
    Set NewHolder = New Holder
    NewHolder.Tag = t
End Function

' A temporary object lives to the end of its method's call: the callee's locals go
' first, then the object, before the next statement.
x = NewHolder("a").WithLocal()
WScript.Echo "after", x
' expect: terminate local of a
' expect: terminate holder a
' expect: after a

' A method that drops the last outside reference to its own object: the object lives
' until the call ends, after the callee's locals.
Set kept = NewHolder("b")
y = kept.DropSelf()
WScript.Echo "after", y
' expect: terminate local of b
' expect: terminate holder b
' expect: after b

Sub Main()
    Dim h, n, total
    Set h = NewHolder("c")
    WScript.Echo h.UsesSecret(5) ' expect: 20
    On Error Resume Next
    WScript.Echo h.Secret(1)
    WScript.Echo Err.Number ' expect: 438
    Err.Clear
    total = h.Down(1)
    WScript.Echo Err.Number ' expect: 28
    On Error GoTo 0
    n = 4
    WScript.Echo Len(Mid("abcdef", n, 2)), Twice(n) ' expect: 2 8
End Sub

Function Twice(v)
    Twice = v * 2
End Function

Main
' expect: terminate holder c

' ByRef binds a local variable and an array element; ByVal and a value in parentheses
' copy.
Sub Inc(ByRef v)
    v = v + 1
End Sub
Sub IncByVal(ByVal v)
    v = v + 1
End Sub
Sub Binding()
    Dim a(2), n, m
    n = 1
    Inc n
    Inc (n)
    IncByVal n
    a(1) = 10
    Inc a(1)
    Inc a(n - 2)
    WScript.Echo n, a(1), a(0) ' expect: 2 11 1
End Sub
Binding

' A name nothing defines is an error before its arguments run; a wrong number of
' arguments is found after them.
Function Side()
    WScript.Echo "side ran"
    Side = 1
End Function
Sub Caller()
    On Error Resume Next
    Nowhere Side()
    WScript.Echo Err.Number ' expect: 35
    Err.Clear
    Inc Side(), 2 ' expect: side ran
    WScript.Echo Err.Number ' expect: 450
End Sub
Caller

' An error in a callee with no handler of its own goes to its caller's; Exit Function
' clears Err.
Function Fails(n)
    Fails = 1 \ n
End Function
Function Clears()
    On Error Resume Next
    Err.Raise 5
    Exit Function
End Function
Sub Handles()
    Dim r
    On Error Resume Next
    r = Fails(0)
    WScript.Echo Err.Number, "went on" ' expect: 11 went on
    r = Clears()
    WScript.Echo Err.Number ' expect: 0
End Sub
Handles

' A procedure defined again later is the one earlier code reaches.
Sub Greet()
    WScript.Echo "first"
End Sub
Sub CallsGreet()
    Greet
End Sub
CallsGreet ' expect: first
ExecuteGlobal "Sub Greet() : WScript.Echo ""second"" : End Sub"
CallsGreet ' expect: second

' Names that are not locals, bound as the call runs: a global or a field by reference, a
' constant by value, and for a built-in the value the name had before a later argument
' ran.
Const Five = 5
g = 1
Inc g
Inc Five
WScript.Echo g, Five ' expect: 2 5
Class Tally
    Private count
    Public Function Bump()
        count = 40
        Inc count
        Bump = count
    End Function
End Class
Set t = New Tally
WScript.Echo t.Bump() ' expect: 41
word = "abc"
Function ChangesWord()
    word = "XYZW"
    ChangesWord = 2
End Function
part = Mid(word, ChangesWord)
WScript.Echo part, word ' expect: bc XYZW
