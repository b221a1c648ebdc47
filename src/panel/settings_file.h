// The settings file: the current and the selected code as two numbers, one a line, in
// Basic's number format (" 4 " CR LF). Reading takes two numeric fields, not two lines.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

#include "device/Variables.h"

namespace panel {

using device::Integer;

// One value in the number format: a blank (or "-"), the digits, a blank, CR LF.
std::string settingsLine(Integer value);
// The whole file: current code, then selected code.
std::string settingsText(Integer current, Integer selected);

// Creates or replaces the file at exactly that path; false when it cannot be written
// (a partly written file stays on disk).
bool writeSettingsFile(const std::string& path, Integer current, Integer selected);

// What a read found, field by field: reading stops at the first field that fails (end
// of file before a value, a value outside the 16-bit range, or no value within the
// first settingsWindow bytes).
struct SettingsValues {
    std::optional<Integer> current;
    std::optional<Integer> selected;
};

// A settings file is eleven bytes: two values further in than this are not looked for,
// so a huge or endless file costs no more than a small one.
constexpr std::size_t settingsWindow = 64 * 1024;

// Fields are separated by blanks, commas or line ends; a UTF-8 byte-order mark at the
// start is skipped; a field that is not a number reads as 0; nothing is read after the
// second value.
SettingsValues readSettings(std::istream& in);
// Nothing when the path names no regular file (a FIFO, a device, a folder) or the file
// cannot be opened; a FIFO is never waited on.
std::optional<SettingsValues> readSettingsFile(const std::string& path);

} // namespace panel
