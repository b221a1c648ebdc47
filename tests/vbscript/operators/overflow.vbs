x = 1E308 * 10 ' expect runtime error: 6: Overflow
