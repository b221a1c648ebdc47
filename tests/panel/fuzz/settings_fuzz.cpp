// Fuzz target: any bytes read as a settings file. Besides crashes and sanitizer reports,
// it stops on a read that breaks the reader's promises: a second value without a first,
// reading past the window, or values that do not survive being saved and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "panel/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const panel::SettingsValues values = panel::readSettings(in);
    if (values.selected && !values.current)
        std::abort();
    if (in.tellg() > static_cast<std::streamoff>(panel::settingsWindow))
        std::abort();
    if (values.current && values.selected) {
        std::istringstream saved(panel::settingsText(*values.current, *values.selected));
        const panel::SettingsValues again = panel::readSettings(saved);
        if (again.current != values.current || again.selected != values.selected)
            std::abort();
    }
    return 0;
}
