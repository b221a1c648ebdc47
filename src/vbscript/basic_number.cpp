// Basic's number-from-text rules, rounding and Integer/Long range checks.
#include "vbscript/basic_number.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace basic {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c, int radix) {
    int value = -1;
    if (isDigit(c))
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value >= 0 && value < radix ? value : -1;
}

// Reads "&H…" or "&O…" at pos. A value of up to 16 bits is an Integer and up to 32 bits
// a Long, so the top bit of that width is the sign (&HFFFF is -1, &H10000 is 65536).
// Nothing when no digit follows or the value needs more than 32 bits.
std::optional<double> radixPrefix(std::u16string_view text, std::size_t& pos) {
    if (pos + 1 >= text.size() || text[pos] != u'&')
        return std::nullopt;
    const char16_t kind = text[pos + 1];
    const int radix = (kind == u'H' || kind == u'h') ? 16 : (kind == u'O' || kind == u'o') ? 8 : 0;
    if (radix == 0)
        return std::nullopt;
    std::size_t i = pos + 2;
    std::uint64_t value = 0;
    const std::size_t firstDigit = i;
    for (; i < text.size() && digitValue(text[i], radix) >= 0; ++i) {
        value = value * radix + digitValue(text[i], radix);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    if (i == firstDigit)
        return std::nullopt;
    pos = i;
    if (value <= 0xFFFFu)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Reads the longest decimal number at pos: sign, digits, "." fraction, exponent (E or D).
// Nothing when no digit is found; pos moves past what was read.
std::optional<double> decimalPrefix(std::u16string_view text, std::size_t& pos) {
    std::string ascii;
    std::size_t i = pos;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ascii += static_cast<char>(text[i++]);
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        ascii += static_cast<char>(text[i]);
    if (i < text.size() && text[i] == u'.') {
        ascii += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits)
            ascii += static_cast<char>(text[i]);
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() &&
        (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += static_cast<char>(text[j++]);
        const std::size_t firstExponentDigit = j;
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent += static_cast<char>(text[j]);
        if (j > firstExponentDigit) {
            ascii += exponent;
            i = j;
        }
    }
    pos = i;
    return std::strtod(ascii.c_str(), nullptr);
}

std::u16string widen(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (unsigned char c : text)
        wide += static_cast<char16_t>(c);
    return wide;
}

} // namespace

std::optional<double> parseNumber(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::u16string_view core = text.substr(begin, end - begin);
    std::size_t pos = 0;
    std::optional<double> value = radixPrefix(core, pos);
    if (!value) {
        pos = 0;
        value = decimalPrefix(core, pos);
    }
    if (!value || pos != core.size() || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text) {
    return parseNumber(widen(text));
}

double val(std::u16string_view text) {
    std::u16string packed;
    for (char16_t c : text)
        if (!isBlank(c) && c != u'\n')
            packed += c;
    std::size_t pos = 0;
    if (std::optional<double> value = radixPrefix(packed, pos))
        return *value;
    pos = 0;
    return decimalPrefix(packed, pos).value_or(0.0);
}

double val(std::string_view text) {
    return val(widen(text));
}

double roundHalfEven(double value) {
    // The default floating-point rounding mode is to nearest, ties to even.
    return std::nearbyint(value);
}

std::optional<std::int16_t> toInteger(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int32_t> toLong(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::string decimalText(std::int64_t value) {
    return std::to_string(value);
}

} // namespace basic
