// Splitting the argument text into words and reading the write switch's code.
#include "panel/command_line.h"

#include <cmath>
#include <vector>

#include "vbscript/basic_number.h"

namespace panel {
namespace {

// Every single blank separates two words, so two blanks in a row give an empty word.
std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> found;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = text.find(' ', start);
        found.push_back(text.substr(start, blank - start));
        if (blank == std::string_view::npos)
            return found;
        start = blank + 1;
    }
}

bool isWriteSwitch(std::string_view word) {
    return word.size() == 2 && word[0] == '-' && (word[1] == 'c' || word[1] == 'C');
}

} // namespace

std::string argumentText(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    return text;
}

std::optional<device::Integer> commandLineCode(std::string_view argumentText) {
    if (argumentText.empty())
        return std::nullopt;
    const std::vector<std::string_view> found = words(argumentText);
    if (found.size() < 2 || !isWriteSwitch(found[0]))
        return std::nullopt;
    return basic::toInteger(std::fabs(basic::val(found[1])));
}

} // namespace panel
