' Property Set holds an object; a Default member answers for the object.
Class Node
    Private mNext
    Public Value
    Public Property Set NextNode(n) : Set mNext = n : End Property
    Public Property Get NextNode : Set NextNode = mNext : End Property
    Public Default Property Get Text : Text = "node " & Value : End Property
End Class
Set a = New Node : a.Value = 1
Set b = New Node : b.Value = 2
Set a.NextNode = b
WScript.Echo a.NextNode.Value ' expect: 2
WScript.Echo a ' expect: node 1
s = a
WScript.Echo s ' expect: node 1
WScript.Echo a.NextNode Is b ' expect: True
