// The Basic language's rules for numbers written as text: reading a typed number,
// Val's leading-number rule, rounding halves to the even neighbour, and the 16- and
// 32-bit range checks of Integer and Long. The operator window and the script engine
// both follow these rules, so they live here once, free of any toolkit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace basic {

// Reads a whole text as a number: blanks (spaces, tabs) around it, an optional sign,
// decimal digits with an optional "." fraction and an optional exponent (E or D), or
// a hexadecimal "&H…" / octal "&O…" number. Returns nothing for any other text, the
// empty text included. Hexadecimal and octal numbers of up to 16 bits read as a
// signed Integer, those of up to 32 bits as a signed Long (&HFFFF is -1).
std::optional<double> parseNumber(std::u16string_view text);
std::optional<double> parseNumber(std::string_view text);

// Val: the number that the text's leading characters spell; blanks, tabs and line
// feeds anywhere are skipped; 0 when the text does not begin with a number.
double val(std::u16string_view text);
double val(std::string_view text);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
double roundHalfEven(double value);

// Rounds half to even and checks the range; nothing when the result does not fit.
std::optional<std::int16_t> toInteger(double value);
std::optional<std::int32_t> toLong(double value);

// Plain decimal digits with a leading "-" for a negative number, no blanks.
std::string decimalText(std::int64_t value);

} // namespace basic
