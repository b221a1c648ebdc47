Class C
    Public Default Function A : End Function
    Public Default Function B : End Function ' expect compile error: 1052: Cannot have multiple default property/method in a Class
End Class
