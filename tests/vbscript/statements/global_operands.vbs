' Operators on names that are not local variables read and write them where they live,
' yet each name is still looked up as it runs: a variable made a function since, a
' constant, an object's default value and a name used for the first time each count.
Class Counter
    Public Count
    Public Default Property Get Value
        reads = reads + 1
        Value = 10
    End Property
    Public Sub Bump
        Count = Count + 1
    End Sub
End Class

' A variable that becomes a function is called from then on, read or compared.
w = 1
s = 0
For i = 1 To 3
    s = s + w
    If w > 50 Then s = s + 1000
    If i = 1 Then ExecuteGlobal "Function w : w = 100 : End Function"
Next
WScript.Echo s ' expect: 2201

' A result stored to a name that has become a function.
t = 0
On Error Resume Next
For i = 1 To 2
    t = t + 1
    WScript.Echo "t step " & i & " error " & Err.Number
    Err.Clear
    If i = 1 Then ExecuteGlobal "Function t : t = 7 : End Function"
Next
On Error GoTo 0
' expect: t step 1 error 0
' expect: t step 2 error 501

' A constant is read in place but not assigned.
Const K = 5
x = 1
x = x + K
WScript.Echo x ' expect: 6
On Error Resume Next
K = K + 1
WScript.Echo "assign constant: " & Err.Number & " " & K ' expect: assign constant: 501 5
On Error GoTo 0

' An object's default property runs its code, an array is no number, Empty counts 0.
reads = 0
Set c = New Counter
y = c + 1
WScript.Echo y & " " & reads ' expect: 11 1
If c > 5 Then WScript.Echo "greater " & reads ' expect: greater 2
arr = Array(1, 2)
On Error Resume Next
z = arr + 1
WScript.Echo "array: " & Err.Number ' expect: array: 13
On Error GoTo 0
fresh = fresh + 1
WScript.Echo fresh ' expect: 1

' Text, and a field of the running object.
txt = "b"
txt = "a" & txt
WScript.Echo txt ' expect: ab
c.Count = 0
c.Bump
c.Bump
WScript.Echo c.Count ' expect: 2

' A loop's condition on a variable that becomes a function.
n = 0
Do While n < 3
    n = n + 1
    If n = 2 Then ExecuteGlobal "Function n : n = 5 : End Function"
Loop
WScript.Echo "left" ' expect: left
