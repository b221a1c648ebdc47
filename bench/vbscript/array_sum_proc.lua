-- The array work of array_sum_top inside a procedure, on locals.
N = 1000000
function Main()
    local a = {}
    local total = 0
    for turn = 1, 5 do
        for i = 1, N do
            a[i] = (i - 1) * 2 + turn
        end
        for i = 1, #a do
            total = total + a[i]
        end
    end
    print(total)
end
Main()
