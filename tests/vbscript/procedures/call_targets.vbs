' A parenthesised or New expression is a call target and a member base like a name:
' parentheses around a base only group it. At the start of a statement a "(" after a
' blank begins an index when "=" follows its group, and the call's arguments otherwise.
Class Counter
    Public Count
    Private Sub Class_Initialize
        Count = 7
    End Sub
    Public Sub Show
        WScript.Echo "shown", Count
    End Sub
    Public Default Function Twice(n)
        Twice = n * 2
    End Function
End Class
Function Inc(x)
    Inc = x + 1
End Function
Sub Show(x)
    WScript.Echo "sub", x
End Sub

WScript.Echo (New Counter).Count ' expect: 7
Call (New Counter).Show ' expect: shown 7
WScript.Echo (New Counter)(4) ' expect: 8
Call (((Show))) ((5)) ' expect: sub 5
Call (Show)(6) ' expect: sub 6
y = (Inc)(1)
WScript.Echo y ' expect: 2
a = Array(10, 20)
WScript.Echo ((a))(1), (a)(0) ' expect: 20 10
WScript.Echo ((1 + 2)) * 3, (Inc(1)) ' expect: 9 2

Dim arr(2), grid(1, 1)
arr (0) = "v"
arr (1 + (0)) = "w"
grid (1, 0) = "g"
WScript.Echo arr(0), arr(1), grid(1, 0) ' expect: v w g
Show (3) ' expect: sub 3
Show (3) + 1 ' expect: sub 4
Sub InProcedure
    Dim local(1)
    local (1) = "in a procedure"
    WScript.Echo local(1)
End Sub
InProcedure ' expect: in a procedure
