x = CInt(40000) ' expect runtime error: 6: Overflow
