// The command-line write switch: "-c CODE" (any case) as the first two words of the
// argument text writes CODE to the chip and ends the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/Variables.h"

namespace panel {

// The program's arguments joined by single blanks, as the load handler reads them.
std::string argumentText(int argc, const char* const* argv);

// The code to write when the argument text asks for a command-line write: the second
// word read by Val's leading-number rule, its absolute value rounded halves to even.
// Nothing when the first word is not "-c", there is no second word, or the code does
// not fit a 16-bit Integer; the program then starts normally.
std::optional<device::Integer> commandLineCode(std::string_view argumentText);

} // namespace panel
