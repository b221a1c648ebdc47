Dim a
Dim a ' expect compile error: 1041: Name redefined
