' Select Case with lists of values and Case Else. A case takes values only: a range
' (Case 4 To 9) or a comparison (Case Is >= 100) is a compile error (see the errors
' folder), so the ranges are written as lists here.
Function Kind(v)
    Select Case v
        Case 1, 2, 3
            Kind = "small"
        Case 4, 5, 6, 7, 8, 9
            Kind = "medium"
        Case "a", "b"
            Kind = "letter"
        Case Else
            Kind = "other"
    End Select
End Function
WScript.Echo Kind(2), Kind(7), Kind(500), Kind("b"), Kind(50) ' expect: small medium other letter other
Select Case "x"
Case "y"
    WScript.Echo "no"
End Select
WScript.Echo "nothing matched" ' expect: nothing matched
Function Size(v)
    Select Case True
        Case v >= 100
            Size = "huge"
        Case v >= 4
            Size = "medium"
        Case Else
            Size = "small"
    End Select
End Function
WScript.Echo Size(500), Size(7), Size(1) ' expect: huge medium small
