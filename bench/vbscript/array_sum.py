# Filling an array and summing it.
N = 1000000
a = [None] * N
for i in range(0, N):
    a[i] = i * 2
total = 0
for i in range(0, len(a)):
    total = total + a[i]
print(total)
