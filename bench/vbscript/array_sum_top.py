# Filling an array of a million and summing it, five times over, at the top level on globals.
N = 1000000
a = [None] * N
total = 0
for turn in range(1, 6):
    for i in range(0, N):
        a[i] = i * 2 + turn
    for i in range(0, len(a)):
        total = total + a[i]
print(total)
