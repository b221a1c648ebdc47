x = ((((((1)))))) + "a" & #1/2/2003#
Sub A(ByRef b) : End Sub
