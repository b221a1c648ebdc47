// The board's four lines on a single-board computer's GPIO pins (libgpiod 1.6): three
// outputs for latch, data and clock, set together in one call, and one input for the
// chip's answer. The three standard port addresses all reach the same lines. Each call
// returns once the kernel has set or read the lines, so every access is done on the
// pins when it returns.
#pragma once

#include <string>

#include "platform/parllio/gpio/gpio_calls.h"
#include "platform/parllio/parllio.h"

namespace parllio {

struct GpioSettings {
    std::string chip = "gpiochip0";
    // Line offsets on the chip: latch, data, clock (outputs), answer (input). The default
    // is the Raspberry Pi header's BCM 17, 27, 22 and 23 (header pins 11, 13, 15, 16).
    std::array<unsigned, 4> lines = {17, 27, 22, 23};
    std::string error; // why the settings cannot be used; empty when they can

    // FLTAMP_GPIO_CHIP and FLTAMP_GPIO_LINES ("17,27,22,23").
    static GpioSettings fromEnvironment();
};

class GpioBackend : public Backend {
public:
    GpioBackend(GpioCalls calls, GpioSettings settings);
    ~GpioBackend() override;
    GpioBackend(const GpioBackend&) = delete; // holds the chip and its lines
    GpioBackend& operator=(const GpioBackend&) = delete;

    bool claim(std::string& why) override;
    void outByte(std::int32_t address, std::uint8_t value) override;
    std::uint8_t inByte(std::int32_t address) override;

private:
    std::string requestLines(); // empty when every line is held
    std::string lineTrouble(int error, const std::string& lines) const;

    GpioCalls calls_;
    GpioSettings settings_;
    bool open_ = false;
};

} // namespace parllio
