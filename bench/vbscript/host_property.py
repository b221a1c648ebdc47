# Reading properties of a host object (an object with a name and an argument list).
class Arguments:
    def __init__(self, items):
        self.items = items

    @property
    def count(self):
        return len(self.items)


class Host:
    def __init__(self):
        self._arguments = Arguments([])

    @property
    def script_name(self):
        return "host_property.vbs"

    @property
    def arguments(self):
        return self._arguments


host = Host()
n = 0
for i in range(1, 3500001):
    n = n + len(host.script_name) + host.arguments.count
print(n)
