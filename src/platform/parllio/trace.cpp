// Appends trace lines straight to the file descriptor: a program that ends at once
// (the "-c" write mode, Abort) must still leave every line on disk.
#include "platform/parllio/trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace parllio {

PortTrace PortTrace::fromEnvironment() {
    const char* path = std::getenv("FLTAMP_TRACE");
    return path && *path ? PortTrace(path) : PortTrace();
}

PortTrace::PortTrace(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {
    if (fd_ < 0)
        std::perror(("FLTAMP: cannot open the trace file " + path).c_str());
}

PortTrace::PortTrace(PortTrace&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

PortTrace& PortTrace::operator=(PortTrace&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

PortTrace::~PortTrace() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string PortTrace::line(char kind, std::int32_t address, std::uint8_t value) {
    char text[40];
    std::snprintf(text, sizeof text, "%c 0x%x 0x%02x", kind, static_cast<unsigned>(address), value);
    return text;
}

void PortTrace::record(char kind, std::int32_t address, std::uint8_t value) {
    if (fd_ < 0)
        return;
    const std::string text = line(kind, address, value) + "\n";
    // One write per line keeps lines whole even when several processes share the file.
    if (::write(fd_, text.data(), text.size()) < 0)
        std::perror("FLTAMP: trace write failed");
}

} // namespace parllio
