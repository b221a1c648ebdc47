# The tight integer loop of int_loop_top inside a procedure: the same work on locals.
def main():
    total = 0
    for i in range(1, 10000001):
        total = total + (i % 7) * 3 - 1
    print(total)


main()
