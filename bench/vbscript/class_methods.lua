-- Method calls and property access on a class instance.
Counter = {}
Counter.__index = Counter

function Counter.new()
    return setmetatable({total = 0}, Counter)
end

function Counter:add(n)
    self.total = self.total + n
end

function Counter:value()
    return self.total
end

c = Counter.new()
for i = 1, 9000000 do
    c:add(i % 10)
end
print(c:value())
