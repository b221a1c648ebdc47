# Methods that mostly read and write their object's fields: ten bodies bouncing about a
# box, moved 400 000 turns each.
class Body:
    def init(self, x0, y0, vx0, vy0):
        self.x = x0
        self.y = y0
        self.vx = vx0
        self.vy = vy0
        self.bounces = 0

    def move(self):
        self.x = self.x + self.vx
        self.y = self.y + self.vy
        if self.x < 0 or self.x > 1000:
            self.vx = -self.vx
            self.bounces = self.bounces + 1
        if self.y < 0 or self.y > 1000:
            self.vy = -self.vy
            self.bounces = self.bounces + 1

    def energy(self):
        return self.vx * self.vx + self.vy * self.vy


bodies = [None] * 10
for i in range(0, 10):
    bodies[i] = Body()
    bodies[i].init((i * 97) % 1000, (i * 41) % 1000, (i % 7) + 1, 9 - (i % 5))
for turn in range(1, 400001):
    for i in range(0, 10):
        bodies[i].move()
total = 0
for i in range(0, 10):
    b = bodies[i]
    total = total + b.x + b.y + b.bounces + b.energy()
print(total)
