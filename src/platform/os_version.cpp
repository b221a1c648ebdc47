// The version record on Linux: the NT family's platform identifier, the kernel
// release's first three numbers as major, minor and build, and the kernel's version
// string as the service-pack text.
#include "platform/os_version.h"

#include <sys/utsname.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

std::function<bool(OsVersionRecord&)>& source() {
    static std::function<bool(OsVersionRecord&)> installed;
    return installed;
}

// Reads up to three dot-separated numbers from a release such as "6.1.0-18-amd64".
void readRelease(const char* release, OsVersionRecord& record) {
    std::uint32_t* fields[] = {&record.majorVersion, &record.minorVersion, &record.buildNumber};
    const char* p = release;
    for (std::uint32_t* field : fields) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(p, &end, 10);
        if (end == p)
            return;
        *field = static_cast<std::uint32_t>(value);
        if (*end != '.')
            return;
        p = end + 1;
    }
}

bool fromUname(OsVersionRecord& record) {
    utsname names{};
    if (uname(&names) != 0)
        return false;
    fillFromKernel(record, names.release, names.version);
    return true;
}

} // namespace

void fillFromKernel(OsVersionRecord& record, const char* release, const char* version) {
    record.platformId = platformNt;
    readRelease(release, record);
    // At most 127 characters, so the text always ends in a NUL within the field.
    const std::size_t length = std::min(std::strlen(version), servicePackLength - 1);
    std::memcpy(record.servicePack.data(), version, length);
    record.servicePack[length] = '\0';
}

OsVersionRecord preparedVersionRecord() {
    OsVersionRecord record;
    record.size = versionRecordSize;
    record.servicePack.fill(' ');
    return record;
}

bool getVersionEx(OsVersionRecord& record) {
    return source() ? source()(record) : fromUname(record);
}

void setVersionSource(std::function<bool(OsVersionRecord&)> replacement) {
    source() = std::move(replacement);
}

std::string servicePackText(const OsVersionRecord& record) {
    const auto end = std::find(record.servicePack.begin(), record.servicePack.end(), '\0');
    return std::string(record.servicePack.begin(), end);
}

} // namespace platform
