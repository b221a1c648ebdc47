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

// No 16-bit number needs more characters than this; a longer field is not kept in
// memory whole (a file of one endless line must not exhaust it) and fails the read.
constexpr std::size_t longestField = 256;

// One field: skips blanks and line ends before it, takes characters up to a blank, a
// comma or a line end, and swallows the delimiter so the next field starts clean.
struct Field {
    std::string text;
    bool overlong = false;
};

std::optional<Field> nextField(std::istream& in) {
    int c = in.peek();
    while (c != EOF && (isBlank(c) || isLineEnd(c))) {
        in.get();
        c = in.peek();
    }
    if (c == EOF)
        return std::nullopt;
    std::string field;
    bool overlong = false;
    while (c != EOF && !isBlank(c) && !isLineEnd(c) && c != ',') {
        const char taken = static_cast<char>(in.get());
        if (field.size() < longestField)
            field.push_back(taken);
        else
            overlong = true;
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
    return Field{std::move(field), overlong};
}

std::optional<Integer> nextValue(std::istream& in) {
    const std::optional<Field> field = nextField(in);
    if (!field || field->overlong)
        return std::nullopt;
    return basic::toInteger(basic::parseNumber(field->text).value_or(0.0));
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
