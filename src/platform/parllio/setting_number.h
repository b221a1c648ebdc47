// Numbers in the adapter backends' settings. A setting that names pins or a rate is
// taken exactly as written or not at all: a guessed value could drive the wrong pins.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace parllio {

// The whole text as a decimal number within low..high; nothing for anything else.
inline std::optional<long> settingNumber(std::string_view text, long low, long high) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

} // namespace parllio
