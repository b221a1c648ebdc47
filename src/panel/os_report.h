// The text of the OS report: the version record's raw values, six labelled lines.
#pragma once

#include <string>

#include "platform/os_version.h"

namespace panel {

inline constexpr const char* osReportTitle = "OS Information Report";

// Numbers show as signed 32-bit values (a build number with its top bit set is
// negative); the service-pack text runs up to its first NUL. Lines end in CR LF.
std::string osReportText(const platform::OsVersionRecord& record);

} // namespace panel
