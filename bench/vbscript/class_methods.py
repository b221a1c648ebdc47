# Method calls and property access on a class instance.
class Counter:
    def __init__(self):
        self.total = 0

    def add(self, n):
        self.total = self.total + n

    @property
    def value(self):
        return self.total


c = Counter()
for i in range(1, 9000001):
    c.add(i % 10)
print(c.value)
