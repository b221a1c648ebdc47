x = 5 Mod 0 ' expect runtime error: 11: Division by zero
