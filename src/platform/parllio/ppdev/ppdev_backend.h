// The real parallel port through the kernel's parport device interface (/dev/parportN).
// Each port's base address comes from /proc/sys/dev/parport/parportN/base-addr, so an
// address such as 888 finds its port; on PCI cards with other bases, 888, 632 and 956
// stand for the first, second and third port in number order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/parllio/parllio.h"

namespace parllio {

// The system calls the backend makes, replaceable so tests can play the kernel.
struct SystemCalls {
    std::function<int(const char* path, int flags)> open;
    std::function<int(int fd, unsigned long request, void* argument)> ioctl;
    std::function<int(int fd)> close;
    std::string procRoot = "/proc/sys/dev/parport"; // holds parportN/base-addr
    std::string deviceRoot = "/dev";                // holds parportN

    static SystemCalls real();
};

class PpdevBackend : public Backend {
public:
    explicit PpdevBackend(SystemCalls calls);
    ~PpdevBackend() override;
    PpdevBackend(const PpdevBackend&) = delete; // owns the port descriptors
    PpdevBackend& operator=(const PpdevBackend&) = delete;

    bool claim(std::string& why) override;
    void outByte(std::int32_t address, std::uint8_t value) override;
    std::uint8_t inByte(std::int32_t address) override;

    struct Port {
        int number;
        long base;
        int fd;
    };
    const std::vector<Port>& claimedPorts() const { return ports_; }

private:
    const Port& portAt(std::int32_t base) const;
    SystemCalls calls_;
    std::vector<Port> ports_; // claimed ports in number order
};

} // namespace parllio
