# The array work of array_sum_top inside a procedure, on locals.
N = 1000000


def main():
    a = [None] * N
    total = 0
    for turn in range(1, 6):
        for i in range(0, N):
            a[i] = i * 2 + turn
        for i in range(0, len(a)):
            total = total + a[i]
    print(total)


main()
