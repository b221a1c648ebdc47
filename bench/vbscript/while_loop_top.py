# While loops with a branch at the top level, all on globals: the digits of the numbers
# from 1 to 3 000 000, their sum and how many are sevens.
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
