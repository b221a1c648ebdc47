// How the window's frequencies relate to the chip's codes: a code c is a cutoff of
// c + 1 MHz, the scroll bars and boxes show c + 1, and typed numbers are judged by the
// in-bounds test before they may select anything.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/Variables.h"

namespace panel {

using device::Integer;
using device::Long;

inline constexpr int lowestMhz = 1;
inline constexpr int highestMhz = 30;
inline constexpr Integer lowestCode = 0;
inline constexpr Integer highestCode = 29; // the chip's 5-bit register also holds 30, 31

// True for the codes 0..29 that stand for 1..30 MHz.
bool validCode(Long code);

// code + 1 computed as a 16-bit Integer: throws std::overflow_error for 32767.
Integer shownValue(Integer code);
// The decimal text the window shows for a code (code + 1).
std::string shownText(Integer code);

enum class Typed { NotANumber, OutOfBounds, InBounds };

struct TypedFrequency {
    Typed outcome = Typed::NotANumber;
    Integer code = 0; // the selected code; meaningful only when InBounds
};

// The in-bounds test of a typed frequency v: a number whose v - 1 rounds to a 16-bit
// Integer, in bounds when 1 <= v < 30.5. In bounds, the code is the whole part of v
// minus 1 (12.7 selects code 11).
TypedFrequency readTypedFrequency(std::u16string_view text);

// A delay box's number rounded to a Long; nothing when the box holds no such number.
std::optional<Long> delayOf(std::u16string_view text);

} // namespace panel
