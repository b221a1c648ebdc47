' Runaway recursion ends with "Out of stack space", not a crash.
Function Down(n)
    Down = Down(n + 1) ' expect runtime error: 28: Out of stack space
End Function
Down 0
