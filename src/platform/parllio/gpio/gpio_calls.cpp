// The real table over libgpiod 1.6's C API. One chip and its lines live in a state block
// that every entry shares.
#include "platform/parllio/gpio/gpio_calls.h"

#include <gpiod.h>

#include <cerrno>
#include <memory>

namespace parllio {
namespace {

struct Held {
    gpiod_chip* chip = nullptr;
    gpiod_line_bulk outputs = GPIOD_LINE_BULK_INITIALIZER;
    gpiod_line* input = nullptr;

    void close() {
        if (chip)
            gpiod_chip_close(chip);
        chip = nullptr;
        input = nullptr;
        outputs = GPIOD_LINE_BULK_INITIALIZER;
    }
    ~Held() { close(); }
};

int lastError() {
    return errno ? errno : EIO;
}

} // namespace

GpioCalls GpioCalls::real() {
    const auto held = std::make_shared<Held>();
    GpioCalls calls;
    calls.openChip = [held](const std::string& name) {
        errno = 0;
        held->chip = gpiod_chip_open_by_name(name.c_str());
        return held->chip ? 0 : lastError();
    };
    calls.requestOutputs = [held](const OutputLines& offsets, const OutputLevels& levels) {
        OutputLines lines = offsets;
        errno = 0;
        if (gpiod_chip_get_lines(held->chip, lines.data(), lines.size(), &held->outputs) < 0 ||
            gpiod_line_request_bulk_output(&held->outputs, gpioConsumer, levels.data()) < 0)
            return lastError();
        return 0;
    };
    calls.requestInput = [held](unsigned offset, bool pullUp) {
        errno = 0;
        gpiod_line* line = gpiod_chip_get_line(held->chip, offset);
        const int flags = pullUp ? GPIOD_LINE_REQUEST_FLAG_BIAS_PULL_UP : 0;
        if (!line || gpiod_line_request_input_flags(line, gpioConsumer, flags) < 0)
            return lastError();
        held->input = line;
        return 0;
    };
    calls.setOutputs = [held](const OutputLevels& levels) {
        errno = 0;
        return gpiod_line_set_value_bulk(&held->outputs, levels.data()) < 0 ? lastError() : 0;
    };
    calls.getInput = [held] {
        errno = 0;
        const int value = gpiod_line_get_value(held->input);
        return value < 0 ? -lastError() : value;
    };
    calls.close = [held] { held->close(); };
    return calls;
}

} // namespace parllio
