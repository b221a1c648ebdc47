x = (1 + ' expect compile error: 1023: Expected expression
