// The port trace: with FLTAMP_TRACE=FILE every port access appends one line to FILE,
// "W 0x378 0x05" for a write and "R 0x379 0x10" for a status read.
#pragma once

#include <cstdint>
#include <string>

namespace parllio {

class PortTrace {
public:
    // Opens the file named by FLTAMP_TRACE, if any.
    static PortTrace fromEnvironment();
    explicit PortTrace(const std::string& path);
    PortTrace() = default;
    PortTrace(PortTrace&& other) noexcept;
    PortTrace& operator=(PortTrace&& other) noexcept;
    ~PortTrace();

    void write(std::int32_t address, std::uint8_t value) { record('W', address, value); }
    void read(std::int32_t address, std::uint8_t value) { record('R', address, value); }

    // One trace line, as it appears in the file (without the line end).
    static std::string line(char kind, std::int32_t address, std::uint8_t value);

private:
    void record(char kind, std::int32_t address, std::uint8_t value);
    int fd_ = -1;
};

} // namespace parllio
