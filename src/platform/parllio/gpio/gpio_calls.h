// The few libgpiod 1.6 calls the GPIO backend makes, as a table that tests replace with a
// fake chip. Results are 0 or an errno value; the real table holds the open chip and the
// requested lines between calls.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace parllio {

// The three output lines, in the order latch, data, clock.
using OutputLines = std::array<unsigned, 3>;
using OutputLevels = std::array<int, 3>;

struct GpioCalls {
    std::function<int(const std::string& chip)> openChip; // gpiod_chip_open_by_name
    // gpiod_chip_get_lines, then gpiod_line_request_bulk_output with these first levels.
    std::function<int(const OutputLines& offsets, const OutputLevels& levels)> requestOutputs;
    // gpiod_chip_get_line, then gpiod_line_request_input_flags, with the pull-up bias or none.
    std::function<int(unsigned offset, bool pullUp)> requestInput;
    // gpiod_line_set_value_bulk on the three outputs at once.
    std::function<int(const OutputLevels& levels)> setOutputs;
    // gpiod_line_get_value on the input: 0 or 1, or a negative errno value.
    std::function<int()> getInput;
    // gpiod_chip_close, which releases every line requested on the chip.
    std::function<void()> close;

    static GpioCalls real();
};

// The consumer name the lines carry while the panel holds them (gpioinfo shows it).
inline constexpr const char* gpioConsumer = "fltamp";

} // namespace parllio
