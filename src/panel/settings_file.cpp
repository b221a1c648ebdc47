// Writing and reading settings files.
#include "panel/settings_file.h"

#include <fstream>

#include "vbscript/basic_number.h"

namespace panel {
namespace {

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

// One field: skips blanks and line ends before it, takes characters up to a blank, a
// comma or a line end, and swallows the delimiter so the next field starts clean.
std::optional<std::string> nextField(std::istream& in) {
    int c = in.peek();
    while (c != EOF && (isBlank(c) || isLineEnd(c))) {
        in.get();
        c = in.peek();
    }
    if (c == EOF)
        return std::nullopt;
    std::string field;
    while (c != EOF && !isBlank(c) && !isLineEnd(c) && c != ',') {
        field.push_back(static_cast<char>(in.get()));
        c = in.peek();
    }
    while (c != EOF && isBlank(c)) {
        in.get();
        c = in.peek();
    }
    if (c == ',') {
        in.get();
    } else if (c == '\r') {
        in.get();
        if (in.peek() == '\n')
            in.get();
    } else if (c == '\n') {
        in.get();
    }
    return field;
}

std::optional<Integer> nextValue(std::istream& in) {
    const std::optional<std::string> field = nextField(in);
    if (!field)
        return std::nullopt;
    return basic::toInteger(basic::parseNumber(*field).value_or(0.0));
}

} // namespace

std::string settingsLine(Integer value) {
    const std::string digits = basic::decimalText(value);
    return (value < 0 ? digits : " " + digits) + " \r\n";
}

std::string settingsText(Integer current, Integer selected) {
    return settingsLine(current) + settingsLine(selected);
}

bool writeSettingsFile(const std::string& path, Integer current, Integer selected) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << settingsText(current, selected);
    out.close();
    return static_cast<bool>(out);
}

SettingsValues readSettings(std::istream& in) {
    SettingsValues values;
    values.current = nextValue(in);
    if (values.current)
        values.selected = nextValue(in);
    return values;
}

std::optional<SettingsValues> readSettingsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return readSettings(in);
}

} // namespace panel
