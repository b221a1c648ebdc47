// The port trace: with FLTAMP_TRACE=FILE every port access appends one line to FILE,
// "W 0x378 0x05" for a write and "R 0x379 0x10" for a status read. The trace is a
// witness, never a reason to stop: a trace that cannot be opened or written is reported
// once on stderr, tracing stops there, and the port work goes on.
#pragma once

#include <cstdint>
#include <string>

namespace parllio {

class PortTrace {
public:
    // Opens the file named by FLTAMP_TRACE, if any.
    static PortTrace fromEnvironment();
    // Opens without waiting: a FIFO that nobody reads fails at once, and a reader that
    // falls behind costs lines rather than a stalled port. A reader that goes away must
    // not kill the program, so the program ignores SIGPIPE from here on.
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
    void stop(const std::string& why);
    std::string path_;
    int fd_ = -1;
};

} // namespace parllio
