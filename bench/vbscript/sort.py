# A quicksort of pseudo-random numbers from a small linear congruential generator.
N = 500000
a = [0] * N
seed = 12345
for i in range(0, N):
    seed = (seed * 1103 + 12345) % 65536
    a[i] = seed


def quick_sort(lo, hi):
    i = lo
    j = hi
    pivot = a[(lo + hi) // 2]
    while i <= j:
        while a[i] < pivot:
            i = i + 1
        while a[j] > pivot:
            j = j - 1
        if i <= j:
            a[i], a[j] = a[j], a[i]
            i = i + 1
            j = j - 1
    if lo < j:
        quick_sort(lo, j)
    if i < hi:
        quick_sort(i, hi)


quick_sort(0, N - 1)
for i in range(1, N):
    if a[i - 1] > a[i]:
        print("unsorted at", i)
print(a[0], a[N // 2], a[N - 1])
