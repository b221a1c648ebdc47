// Appends trace lines straight to the file descriptor: a program that ends at once
// (the "-c" write mode, Abort) must still leave every line on disk.
#include "platform/parllio/trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <utility>

namespace parllio {
namespace {

std::string reason(int error) {
    switch (error) {
    case ENXIO:
        return "nobody reads that FIFO";
    case EAGAIN:
        return "its reader does not keep up";
    case EPIPE:
        return "its reader went away";
    default:
        return std::strerror(error);
    }
}

} // namespace

PortTrace PortTrace::fromEnvironment() {
    const char* path = std::getenv("FLTAMP_TRACE");
    return path && *path ? PortTrace(path) : PortTrace();
}

PortTrace::PortTrace(const std::string& path)
    : path_(path),
      fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC, 0644)) {
    if (fd_ < 0) {
        const std::string why = reason(errno);
        std::cerr << "fltamp: cannot open the trace file " << path << ": " << why
                  << "; port accesses are not traced\n";
        return;
    }
    std::signal(SIGPIPE, SIG_IGN);
}

PortTrace::PortTrace(PortTrace&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

PortTrace& PortTrace::operator=(PortTrace&& other) noexcept {
    std::swap(path_, other.path_);
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
    ssize_t written;
    do {
        written = ::write(fd_, text.data(), text.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0)
        stop(reason(errno));
    else if (static_cast<std::size_t>(written) != text.size())
        stop("a line was cut short");
}

// A trace with a hole in it would mislead whoever reads it: it ends at the first loss.
void PortTrace::stop(const std::string& why) {
    std::cerr << "fltamp: cannot write the trace file " << path_ << ": " << why
              << "; tracing stops here\n";
    ::close(fd_);
    fd_ = -1;
}

} // namespace parllio
