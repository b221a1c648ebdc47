// The frequency/code relation and the in-bounds test, on top of the Basic number rules.
#include "panel/frequency_rules.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "vbscript/basic_number.h"

namespace panel {

bool validCode(Long code) {
    return code >= lowestCode && code <= highestCode;
}

Integer shownValue(Integer code) {
    if (code == std::numeric_limits<Integer>::max())
        throw std::overflow_error("Overflow");
    return static_cast<Integer>(code + 1);
}

std::string shownText(Integer code) {
    return basic::decimalText(shownValue(code));
}

TypedFrequency readTypedFrequency(std::u16string_view text) {
    const std::optional<double> v = basic::parseNumber(text);
    if (!v)
        return {};
    const std::optional<Integer> r = basic::toInteger(*v - 1);
    if (!r)
        return {};
    if (*v < lowestMhz || *r > highestCode)
        return {Typed::OutOfBounds};
    return {Typed::InBounds, static_cast<Integer>(std::floor(*v) - 1)};
}

std::optional<Long> delayOf(std::u16string_view text) {
    const std::optional<double> v = basic::parseNumber(text);
    if (!v)
        return std::nullopt;
    return basic::toLong(*v);
}

} // namespace panel
