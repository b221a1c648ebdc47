' The digit loops of while_loop_top inside a procedure: the same work on locals.
Sub Main()
    Dim start, n, digit, total, sevens
    total = 0
    sevens = 0
    start = 1
    Do While start <= 3000000
        n = start
        Do While n > 0
            digit = n Mod 10
            If digit = 7 Then sevens = sevens + 1
            total = total + digit
            n = n \ 10
        Loop
        start = start + 1
    Loop
    WScript.Echo total, sevens
End Sub
Main
