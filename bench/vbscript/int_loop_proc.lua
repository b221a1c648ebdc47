-- The tight integer loop of int_loop_top inside a procedure: the same work on locals.
function Main()
    local total = 0
    for i = 1, 10000000 do
        total = total + (i % 7) * 3 - 1
    end
    print(total)
end
Main()
