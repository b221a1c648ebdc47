-- Filling an array of a million and summing it, five times over, at the top level on globals
-- (Lua's arrays count from 1).
N = 1000000
a = {}
total = 0
for turn = 1, 5 do
    for i = 1, N do
        a[i] = (i - 1) * 2 + turn
    end
    for i = 1, #a do
        total = total + a[i]
    end
end
print(total)
