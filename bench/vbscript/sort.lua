-- A quicksort of pseudo-random numbers from a small linear congruential generator (Lua's
-- arrays count from 1; the pivot is the same element).
N = 500000
a = {}
seed = 12345
for i = 1, N do
    seed = (seed * 1103 + 12345) % 65536
    a[i] = seed
end

function QuickSort(lo, hi)
    local i = lo
    local j = hi
    local pivot = a[(lo + hi) // 2]
    while i <= j do
        while a[i] < pivot do
            i = i + 1
        end
        while a[j] > pivot do
            j = j - 1
        end
        if i <= j then
            local t = a[i]; a[i] = a[j]; a[j] = t
            i = i + 1
            j = j - 1
        end
    end
    if lo < j then QuickSort(lo, j) end
    if i < hi then QuickSort(i, hi) end
end

QuickSort(1, N)
for i = 2, N do
    if a[i - 1] > a[i] then print("unsorted at", i - 1) end
end
print(a[1] .. " " .. a[N // 2 + 1] .. " " .. a[N])
