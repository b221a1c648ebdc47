For i = 1 To 2
    x = i
' expect compile error: 1020: Expected 'Next'
