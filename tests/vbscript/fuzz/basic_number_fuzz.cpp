// Fuzz target: the Basic number rules (basic_number.h) on any text and any Double. Besides
// not crashing, each rule must keep its promise: a number read from text is finite and
// Val reads the same; rounding lands on a whole number within a half; a whole number
// that fits is in its type's range; decimal text reads back as the number it spells.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "vbscript/basic_number.h"

namespace {

void require(bool promise) {
    if (!promise)
        __builtin_trap();
}

void checkText(std::u16string_view text) {
    std::optional<double> number = basic::parseNumber(text);
    if (number) {
        require(std::isfinite(*number));
        // The whole text is one number with blanks around it at most, so Val, which skips
        // blanks anywhere, reads the same.
        require(basic::val(text) == *number);
    }
    double v = basic::val(text);
    require(!std::isnan(v));
}

void checkDouble(double d) {
    double rounded = basic::roundHalfEven(d);
    if (std::isfinite(d)) {
        require(rounded == std::trunc(rounded));
        require(std::fabs(rounded - d) <= 0.5);
    }
    if (auto i = basic::toInteger(d)) {
        require(std::isfinite(d) && std::fabs(*i - d) <= 0.5);
    } else {
        require(!(rounded >= -32768 && rounded <= 32767));
    }
    if (auto l = basic::toLong(d)) {
        require(std::isfinite(d) && std::fabs(*l - d) <= 0.5);
    } else {
        require(!(rounded >= -2147483648.0 && rounded <= 2147483647.0));
    }
}

// Each byte as one 16-bit unit, as the rules' 8-bit overloads read text.
std::u16string widened(std::string_view text) {
    std::u16string wide;
    for (unsigned char c : text)
        wide += static_cast<char16_t>(c);
    return wide;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes as 8-bit text, and as 16-bit text two bytes to a unit.
    std::string_view narrow(reinterpret_cast<const char*>(data), size);
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        wide += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    checkText(widened(narrow));
    require(basic::parseNumber(narrow) == basic::parseNumber(widened(narrow)));
    checkText(wide);
    // Each eight bytes as a Double and as a whole number.
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        double d;
        std::int64_t n;
        std::memcpy(&d, data + i, 8);
        std::memcpy(&n, data + i, 8);
        checkDouble(d);
        auto back = basic::parseNumber(basic::decimalText(n));
        require(back && *back == static_cast<double>(n));
    }
    return 0;
}
