' A Dictionary item's Class_Terminate may use the very Dictionary that is letting go of
' it: the Dictionary is whole again before any value it drops is let go of.
Class AddsX
    Private Sub Class_Terminate
        d.Add "x", 1
    End Sub
End Class
Set d = CreateObject("Scripting.Dictionary")
d.Add 1, New AddsX
d.RemoveAll
WScript.Echo d.Count, Join(d.Keys, ",") ' expect: 1 x
d.RemoveAll
WScript.Echo d.Count ' expect: 0

Class RemovesB
    Private Sub Class_Terminate
        If d.Exists("b") Then d.Remove "b"
    End Sub
End Class
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", New RemovesB
d.Add "b", New RemovesB
d.Add "c", 3
d.Remove "a"
WScript.Echo d.Count, Join(d.Keys, ","), d("c") ' expect: 1 c 3

' Replacing an item lets go of the old one at once, and only once; the Dictionary then
' holds the new item.
Class Writes
    Private Sub Class_Terminate
        d("seen") = d("a")
    End Sub
End Class
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", New Writes
d("a") = 1
WScript.Echo d("a"), d("seen") ' expect: 1 1
Dim gone
Class Counted
    Private Sub Class_Terminate
        gone = gone + 1
    End Sub
End Class
gone = 0
Set d("b") = New Counted
Set d("b") = New Counted
WScript.Echo gone, d.Count ' expect: 1 3

' A key that is an object: renaming the key lets go of it after the rename.
Set k = New Counted
d.Add k, "object key"
Set k = Nothing
d.Key(d.Keys()(3)) = "renamed"
WScript.Echo gone, d("renamed") ' expect: 2 object key
Set d = Nothing
WScript.Echo gone ' expect: 3

' Removing every key, front first, keeps the order of the rest.
Set d = CreateObject("Scripting.Dictionary")
For i = 1 To 1000
    d.Add i, i * 2
Next
For i = 1 To 997
    d.Remove i
Next
d.Add "end", 0
WScript.Echo d.Count, Join(d.Keys, ","), Join(d.Items, ",") ' expect: 4 998,999,1000,end 1996,1998,2000,0
