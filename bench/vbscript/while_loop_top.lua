-- While loops with a branch at the top level, all on globals: the digits of the numbers
-- from 1 to 3 000 000, their sum and how many are sevens.
total = 0
sevens = 0
start = 1
while start <= 3000000 do
    n = start
    while n > 0 do
        digit = n % 10
        if digit == 7 then sevens = sevens + 1 end
        total = total + digit
        n = n // 10
    end
    start = start + 1
end
print(total .. " " .. sevens)
