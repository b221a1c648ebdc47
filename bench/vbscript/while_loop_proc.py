# The digit loops of while_loop_top inside a procedure: the same work on locals.
def main():
    total = 0
    sevens = 0
    start = 1
    while start <= 3000000:
        n = start
        while n > 0:
            digit = n % 10
            if digit == 7:
                sevens = sevens + 1
            total = total + digit
            n = n // 10
        start = start + 1
    print(total, sevens)


main()
