-- A tight integer loop at the top level: the interpreter's dispatch and arithmetic on globals
-- (a numeric for's control variable is always local in Lua).
total = 0
for i = 1, 10000000 do
    total = total + (i % 7) * 3 - 1
end
print(total)
