' One call site meeting objects of different classes finds each class's own member.
Class Cat
    Public Function Speak() : Speak = "meow" : End Function
    Private Function Secret() : Secret = "cat secret" : End Function
    Public Function Tell() : Tell = Secret() : End Function
End Class
Class Dog
    Public Function Speak() : Speak = "woof" : End Function
    Public Function Secret() : Secret = "dog secret" : End Function
    Public Speaks
End Class
Dim pets(2)
Set pets(0) = New Cat : Set pets(1) = New Dog : Set pets(2) = New Cat
For Each p In pets
    WScript.Echo p.Speak()
Next
' expect: meow
' expect: woof
' expect: meow
WScript.Echo pets(0).Tell() ' expect: cat secret

' The same call site: public on a Dog, private on a Cat.
On Error Resume Next
For Each p In Array(pets(1), pets(0))
    Err.Clear
    r = p.Secret()
    WScript.Echo r, Err.Number
Next
On Error GoTo 0
' expect: dog secret 0
' expect: dog secret 438

' A field on one class, a method on another, through one call site.
Class Holder
    Public Speak
End Class
Set h = New Holder : h.Speak = "field"
For Each p In Array(h, pets(1))
    WScript.Echo p.Speak
Next
' expect: field
' expect: woof
