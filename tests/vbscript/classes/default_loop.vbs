' A default member that hands back its own object cannot loop forever.
Class Loop1
    Public Default Property Get Self : Set Self = Me : End Property
End Class
Set o = New Loop1
x = o ' expect runtime error: 438: Object doesn't support this property or method
