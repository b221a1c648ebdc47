// The text forms of numbers in the script library: what CStr and "&" make of a Double, a
// Single and a Currency, FormatNumber and FormatPercent with the US conventions (grouping
// ",", decimal point "."), and Round. Free of the engine's values.
#pragma once

#include <cstdint>
#include <string>

namespace vbs::lib {

// The default text of a Double: rounded to 15 significant digits, no trailing zeros, never
// "-0". The plain form is used while it shows every significant digit within 15 digit
// places, so 123456789012345 and 0.000000000000001 print plainly; beyond that the exponent
// form "d.dddE+XX" (at least two exponent digits) is used: 1E+15, 1.5E+16, 1E-16,
// 3.33333333333333E-05, 1.99999997764826E-02. Infinities and NaN, which the engine's
// arithmetic never lets through, print as "1.#INF", "-1.#INF" and "-1.#IND".
std::u16string doubleText(double value);

// The default text of a Single: the same rules with 7 significant digits (1E+07,
// 0.3333333, 1.5E-08).
std::u16string singleText(float value);

// The default text of a Currency held as a count of ten-thousandths: plain digits with up
// to 4 decimals and no trailing zeros ("12.5", "-0.0001", "922337203685477.5807").
std::u16string currencyText(std::int64_t tenThousandths);

// The script's Tristate arguments: vbTrue (-1), vbFalse (0), vbUseDefault (-2).
enum class Tristate { True = -1, False = 0, UseDefault = -2 };

// The most places after the decimal point FormatNumber and FormatPercent print.
constexpr int kMaxFormatDecimals = 255;

struct NumberFormat {
    int digitsAfterDecimal = -1;                          // -1: the default, 2
    Tristate includeLeadingDigit = Tristate::UseDefault;  // default: "0.5", not ".5"
    Tristate useParensForNegative = Tristate::UseDefault; // default: "-1.00", not "(1.00)"
    Tristate groupDigits = Tristate::UseDefault;          // default: "1,234.00"
};

// FormatNumber: the value rounded to digitsAfterDecimal places, halves away from zero. The
// rounding works on the value's 15-digit decimal form (the digits doubleText shows), so
// 2.675 gives "2.68" although the binary value lies just below. A result whose digits are
// all zero has no sign ("0.00" for -0.001). digitsAfterDecimal must lie in -1 ..
// kMaxFormatDecimals (the caller raises error 5 otherwise; larger counts are cut to it).
std::u16string formatNumber(double value, const NumberFormat& format = {});

// FormatPercent: the value times 100 formatted as by formatNumber, followed by "%" (inside
// the parentheses of a negative number: "(50.0%)").
std::u16string formatPercent(double value, const NumberFormat& format = {});

// FormatCurrency: the value formatted as by formatNumber after a "$" ("$1,234.50"), a
// negative one in parentheses unless useParensForNegative is False ("($0.50)", "-$0.50").
std::u16string formatCurrency(double value, const NumberFormat& format = {});

// Round: the value rounded to `decimals` places (>= 0; the caller raises error 5 below),
// halves to the even neighbour. With decimals 0 this is basic::roundHalfEven; with more,
// the halves are judged on the 15-digit decimal form (Round(2.675, 2) is 2.68,
// Round(2.665, 2) is 2.66).
double roundTo(double value, int decimals);

} // namespace vbs::lib
