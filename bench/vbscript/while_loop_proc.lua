-- The digit loops of while_loop_top inside a procedure: the same work on locals.
function Main()
    local total = 0
    local sevens = 0
    local start = 1
    while start <= 3000000 do
        local n = start
        while n > 0 do
            local digit = n % 10
            if digit == 7 then sevens = sevens + 1 end
            total = total + digit
            n = n // 10
        end
        start = start + 1
    end
    print(total .. " " .. sevens)
end
Main()
