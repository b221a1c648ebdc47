// Builds the OS report from a filled version record.
#include "panel/os_report.h"

#include <cstdint>

#include "vbscript/basic_number.h"

namespace panel {
namespace {

std::string line(const char* label, const std::string& value) {
    return label + value + "\r\n";
}

std::string signed32(std::uint32_t value) {
    return basic::decimalText(static_cast<std::int32_t>(value));
}

} // namespace

std::string osReportText(const platform::OsVersionRecord& record) {
    return line("Build Number: ", signed32(record.buildNumber)) +
           line("Major Version: ", signed32(record.majorVersion)) +
           line("Minor Version: ", signed32(record.minorVersion)) +
           line("Version Info Size: ", signed32(record.size)) +
           line("Platform ID: ", signed32(record.platformId)) +
           line("CSD Version: ", platform::servicePackText(record));
}

} // namespace panel
