x = 1 2 ' expect compile error: 1025: Expected end of statement
