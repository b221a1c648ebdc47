// The text forms of numbers in the script library; see number_format.h.
#include "vbscript/lib/number_format.h"

#include "vbscript/basic_number.h"
#include "vbscript/lib/text_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vbs::lib {

namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;
constexpr int kCurrencyDecimals = 4;
constexpr int kUsDefaultDecimals = 2;

// A finite number as decimal digits: the value is 0.d1d2d3... * 10^pointPos, i.e. the
// decimal point sits after the first pointPos digits. Zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;
};

void stripTrailingZeros(Decimal& number) {
    while (!number.digits.empty() && number.digits.back() == '0')
        number.digits.pop_back();
    if (number.digits.empty())
        number.negative = false;
}

// The value rounded to `significant` digits (correctly rounded by the C library).
Decimal toDecimal(double value, int significant) {
    Decimal number;
    if (value == 0)
        return number;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
    const char* p = buffer;
    if (*p == '-') {
        number.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            number.digits.push_back(*p);
    }
    number.pointPos = std::atoi(p + 1) + 1;
    stripTrailingZeros(number);
    return number;
}

enum class Halves { AwayFromZero, ToEven };

// Rounds to `decimals` places after the point.
void roundDecimal(Decimal& number, int decimals, Halves halves) {
    const long keep = static_cast<long>(number.pointPos) + decimals;
    if (keep >= static_cast<long>(number.digits.size()))
        return;
    if (keep < 0) {
        number.digits.clear();
        stripTrailingZeros(number);
        return;
    }
    const std::size_t cut = static_cast<std::size_t>(keep);
    const char first = number.digits[cut];
    const bool moreAfter = number.digits.find_first_not_of('0', cut + 1) != std::string::npos;
    const int lastKept = cut > 0 ? number.digits[cut - 1] - '0' : 0;
    bool up = first > '5' ||
              (first == '5' && (moreAfter || halves == Halves::AwayFromZero || lastKept % 2 == 1));
    number.digits.resize(cut);
    for (std::size_t i = cut; up && i-- > 0;) {
        if (number.digits[i] == '9') {
            number.digits[i] = '0';
        } else {
            ++number.digits[i];
            up = false;
        }
    }
    if (up) {
        number.digits.insert(number.digits.begin(), '1');
        ++number.pointPos;
    }
    stripTrailingZeros(number);
}

std::string exponentForm(const Decimal& number) {
    std::string text = number.negative ? "-" : "";
    text += number.digits[0];
    if (number.digits.size() > 1) {
        text += '.';
        text += number.digits.substr(1);
    }
    const int exponent = number.pointPos - 1;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return text + buffer;
}

// The digits before the point ("" when there are none) and exactly `decimals` after it.
std::string integerDigits(const Decimal& number) {
    if (number.pointPos <= 0)
        return "";
    const auto whole = static_cast<std::size_t>(number.pointPos);
    std::string text = number.digits.substr(0, whole);
    text.append(whole - text.size(), '0');
    return text;
}

std::string fractionDigits(const Decimal& number, std::size_t decimals) {
    std::string text;
    for (std::size_t i = 0; i < decimals; ++i) {
        const long index = static_cast<long>(number.pointPos) + static_cast<long>(i);
        const bool present = index >= 0 && index < static_cast<long>(number.digits.size());
        text += present ? number.digits[static_cast<std::size_t>(index)] : '0';
    }
    return text;
}

std::string plainForm(const Decimal& number) {
    std::string whole = integerDigits(number);
    const long fraction = static_cast<long>(number.digits.size()) - number.pointPos;
    std::string text = number.negative ? "-" : "";
    text += whole.empty() ? "0" : whole;
    if (fraction > 0)
        text += "." + fractionDigits(number, static_cast<std::size_t>(fraction));
    return text;
}

std::u16string floatText(double value, int significant) {
    if (std::isnan(value))
        return u"-1.#IND";
    if (std::isinf(value))
        return value < 0 ? u"-1.#INF" : u"1.#INF";
    const Decimal number = toDecimal(value, significant);
    if (number.digits.empty())
        return u"0";
    const long leadingZeros = number.pointPos < 0 ? -number.pointPos : 0;
    const bool fits = number.pointPos <= significant &&
                      leadingZeros + static_cast<long>(number.digits.size()) <= significant;
    return widen(fits ? plainForm(number) : exponentForm(number));
}

std::string grouped(const std::string& digits) {
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

bool chosen(Tristate option, bool usDefault) {
    return option == Tristate::UseDefault ? usDefault : option == Tristate::True;
}

// The formatted number with `prefix` ("$" or "") and `suffix` ("%" or "") inside any
// parentheses or sign; negative numbers are shown in parentheses by default when
// `parensByDefault`.
std::string formattedDigits(double value, const NumberFormat& format, const char* prefix,
                            const char* suffix, bool parensByDefault = false) {
    const int decimals = format.digitsAfterDecimal < 0
                             ? kUsDefaultDecimals
                             : std::min(format.digitsAfterDecimal, kMaxFormatDecimals);
    Decimal number = toDecimal(value, kDoubleDigits);
    roundDecimal(number, decimals, Halves::AwayFromZero);

    std::string whole = integerDigits(number);
    if (chosen(format.groupDigits, true))
        whole = grouped(whole);
    if (whole.empty() && chosen(format.includeLeadingDigit, true))
        whole = "0";
    std::string text = prefix + whole;
    if (decimals > 0)
        text += "." + fractionDigits(number, static_cast<std::size_t>(decimals));
    text += suffix;
    if (!number.negative)
        return text;
    return chosen(format.useParensForNegative, parensByDefault) ? "(" + text + ")" : "-" + text;
}

} // namespace

std::u16string doubleText(double value) {
    return floatText(value, kDoubleDigits);
}

std::u16string singleText(float value) {
    return floatText(value, kSingleDigits);
}

std::u16string currencyText(std::int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    // Unsigned so that the most negative Currency has a magnitude too.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, kCurrencyDecimals - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return widen(text);
}

std::u16string formatNumber(double value, const NumberFormat& format) {
    return widen(formattedDigits(value, format, "", ""));
}

std::u16string formatPercent(double value, const NumberFormat& format) {
    return widen(formattedDigits(value * 100, format, "", "%"));
}

std::u16string formatCurrency(double value, const NumberFormat& format) {
    return widen(formattedDigits(value, format, "$", "", true));
}

double roundTo(double value, int decimals) {
    if (decimals <= 0 || !std::isfinite(value))
        return basic::roundHalfEven(value);
    Decimal number = toDecimal(value, kDoubleDigits);
    roundDecimal(number, decimals, Halves::ToEven);
    if (number.digits.empty())
        return 0;
    return std::strtod(exponentForm(number).c_str(), nullptr);
}

} // namespace vbs::lib
