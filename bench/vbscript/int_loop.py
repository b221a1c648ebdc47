# A tight integer loop: the interpreter's dispatch and arithmetic.
total = 0
for i in range(1, 3000001):
    total = total + (i % 7) * 3 - 1
print(total)
