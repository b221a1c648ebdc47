-- Methods that mostly read and write their object's fields: ten bodies bouncing about a
-- box, moved 400 000 turns each (Lua's arrays count from 1).
Body = {}
Body.__index = Body

function Body.new()
    return setmetatable({}, Body)
end

function Body:init(x0, y0, vx0, vy0)
    self.x = x0
    self.y = y0
    self.vx = vx0
    self.vy = vy0
    self.bounces = 0
end

function Body:move()
    self.x = self.x + self.vx
    self.y = self.y + self.vy
    if self.x < 0 or self.x > 1000 then
        self.vx = -self.vx
        self.bounces = self.bounces + 1
    end
    if self.y < 0 or self.y > 1000 then
        self.vy = -self.vy
        self.bounces = self.bounces + 1
    end
end

function Body:energy()
    return self.vx * self.vx + self.vy * self.vy
end

bodies = {}
for i = 0, 9 do
    bodies[i + 1] = Body.new()
    bodies[i + 1]:init((i * 97) % 1000, (i * 41) % 1000, (i % 7) + 1, 9 - (i % 5))
end
for turn = 1, 400000 do
    for i = 1, 10 do
        bodies[i]:move()
    end
end
total = 0
for i = 1, 10 do
    b = bodies[i]
    total = total + b.x + b.y + b.bounces + b:energy()
end
print(total)
