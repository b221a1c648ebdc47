' Select Case with lists, ranges, Is comparisons and Case Else.
Function Kind(v)
    Select Case v
        Case 1, 2, 3
            Kind = "small"
        Case 4 To 9
            Kind = "medium"
        Case "a", "b"
            Kind = "letter"
        Case Is >= 100
            Kind = "huge"
        Case Else
            Kind = "other"
    End Select
End Function
WScript.Echo Kind(2), Kind(7), Kind(500), Kind("b"), Kind(50) ' expect: small medium huge letter other
Select Case "x"
Case "y"
    WScript.Echo "no"
End Select
WScript.Echo "nothing matched" ' expect: nothing matched
