// Claims every parallel port the kernel offers, exclusively, and writes the data and
// reads the status registers with the ppdev ioctls. No root is needed, only access to
// /dev/parportN (the lp group) and no printer driver holding the port.
#include "platform/parllio/ppdev/ppdev_backend.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace parllio {
namespace {

// The standard addresses, in the order of the ports they stand for when no port has them.
constexpr std::array<std::int32_t, 3> standardBases = {0x378, 0x278, 0x3BC};

struct Candidate {
    int number;
    long base;
};

// parportN folders of the procfs tree, in number order, with their base addresses.
std::vector<Candidate> listPorts(const std::string& procRoot) {
    std::vector<Candidate> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(procRoot, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("parport", 0) != 0 || name.size() == 7 ||
            !std::all_of(name.begin() + 7, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::ifstream file(entry.path() / "base-addr");
        long base = -1;
        if (!(file >> base))
            continue;
        found.push_back({std::stoi(name.substr(7)), base});
    }
    std::sort(found.begin(), found.end(),
              [](const Candidate& a, const Candidate& b) { return a.number < b.number; });
    return found;
}

// Why a port could not be had, in the bench engineer's terms. The most telling reason
// among all ports wins: a busy port says more than a missing one.
std::string reasonFor(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "permission denied: add yourself to the lp group (sudo usermod -aG lp $USER) "
               "and log in again";
    case EBUSY:
        return "the port is held by the lp printer driver (sudo modprobe -r lp, or blacklist lp)";
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "no parallel port found";
    default:
        return std::strerror(error);
    }
}

int rank(int error) {
    switch (error) {
    case EBUSY:
        return 3;
    case EACCES:
    case EPERM:
        return 2;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return 0;
    default:
        return 1;
    }
}

} // namespace

SystemCalls SystemCalls::real() {
    SystemCalls calls;
    calls.open = [](const char* path, int flags) { return ::open(path, flags); };
    calls.ioctl = [](int fd, unsigned long request, void* argument) {
        return ::ioctl(fd, request, argument);
    };
    calls.close = [](int fd) { return ::close(fd); };
    return calls;
}

PpdevBackend::PpdevBackend(SystemCalls calls) : calls_(std::move(calls)) {}

PpdevBackend::~PpdevBackend() {
    for (const Port& port : ports_)
        calls_.close(port.fd);
}

bool PpdevBackend::claim(std::string& why) {
    if (!ports_.empty())
        return true;
    int worstError = ENOENT;
    for (const Candidate& candidate : listPorts(calls_.procRoot)) {
        const std::string path = calls_.deviceRoot + "/parport" + std::to_string(candidate.number);
        errno = 0;
        const int fd = calls_.open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            if (rank(errno) > rank(worstError))
                worstError = errno;
            continue;
        }
        // Exclusive first: a claim then fails at once instead of sleeping behind the holder.
        errno = 0;
        if (calls_.ioctl(fd, PPEXCL, nullptr) < 0 || calls_.ioctl(fd, PPCLAIM, nullptr) < 0) {
            const int error = errno ? errno : EIO;
            if (rank(error) > rank(worstError) || worstError == ENOENT)
                worstError = error;
            calls_.close(fd);
            continue;
        }
        ports_.push_back({candidate.number, candidate.base, fd});
    }
    if (ports_.empty()) {
        why = reasonFor(worstError);
        return false;
    }
    return true;
}

const PpdevBackend::Port& PpdevBackend::portAt(std::int32_t base) const {
    for (const Port& port : ports_)
        if (port.base == base)
            return port;
    const auto standard = std::find(standardBases.begin(), standardBases.end(), base);
    const auto index = static_cast<std::size_t>(standard - standardBases.begin());
    if (standard != standardBases.end() && index < ports_.size())
        return ports_[index];
    throw PortError("no parallel port at address " + std::to_string(base));
}

void PpdevBackend::outByte(std::int32_t address, std::uint8_t value) {
    const Port& port = portAt(address);
    unsigned char byte = value;
    if (calls_.ioctl(port.fd, PPWDATA, &byte) < 0)
        throw PortError(std::string("writing the data register failed: ") + std::strerror(errno));
}

std::uint8_t PpdevBackend::inByte(std::int32_t address) {
    const Port& port = portAt(address - 1);
    unsigned char status = 0;
    if (calls_.ioctl(port.fd, PPRSTATUS, &status) < 0)
        throw PortError(std::string("reading the status register failed: ") + std::strerror(errno));
    return status;
}

} // namespace parllio
