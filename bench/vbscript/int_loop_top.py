# A tight integer loop at the top level: the interpreter's dispatch and arithmetic on globals.
total = 0
for i in range(1, 10000001):
    total = total + (i % 7) * 3 - 1
print(total)
