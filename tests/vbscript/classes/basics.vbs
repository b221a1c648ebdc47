' Class members, Public and Private, Property Get/Let/Set, Me.
Class Account
    Private mBalance
    Public Owner
    Private Sub Class_Initialize
        mBalance = 0
    End Sub
    Public Property Get Balance
        Balance = mBalance
    End Property
    Public Property Let Balance(v)
        If v < 0 Then Err.Raise 5
        mBalance = v
    End Property
    Public Sub Deposit(amount)
        Me.Balance = mBalance + amount
    End Sub
    Public Function Describe()
        Describe = Owner & ": " & Balance
    End Function
End Class
Set acc = New Account
acc.Owner = "Ann"
acc.Deposit 50
acc.Balance = acc.Balance + 25
WScript.Echo acc.Describe() ' expect: Ann: 75
WScript.Echo TypeName(acc) ' expect: Account
Set other = acc
other.Deposit 5
WScript.Echo acc.Balance ' expect: 80
On Error Resume Next
acc.Balance = -1
WScript.Echo Err.Number ' expect: 5
Err.Clear
x = acc.mBalance
WScript.Echo Err.Number ' expect: 438
