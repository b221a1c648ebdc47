' Dropping a very long chain of objects or nested arrays does not exhaust the stack.
Class Link
    Public NextLink
End Class
Set head = Nothing
For i = 1 To 300000
    Set l = New Link
    Set l.NextLink = head
    Set head = l
Next
Set l = Nothing
Set head = Nothing
WScript.Echo "objects released" ' expect: objects released
a = Empty
For i = 1 To 300000
    a = Array(a)
Next
a = Empty
WScript.Echo "arrays released" ' expect: arrays released
Set d = CreateObject("Scripting.Dictionary")
Set root = d
For i = 1 To 100000
    Set inner = CreateObject("Scripting.Dictionary")
    d.Add "next", inner
    Set d = inner
Next
Set d = Nothing : Set inner = Nothing : Set root = Nothing
WScript.Echo "dictionaries released" ' expect: dictionaries released
