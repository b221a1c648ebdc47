// Reading the GPIO settings, requesting the four lines, and one libgpiod call per port
// access.
#include "platform/parllio/gpio/gpio_backend.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string_view>

#include "platform/parllio/setting_number.h"
#include "platform/parllio/wire.h"

namespace parllio {
namespace {

enum Line { latch, data, clock, answer };

constexpr const char* linesHelp =
    " is not four different line offsets latch,data,clock,answer (e.g. 17,27,22,23)";

// A name in /dev, nothing that leads out of it.
bool plainChipName(const std::string& name) {
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '.')
            return false;
    return name != "." && name != "..";
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::optional<std::array<unsigned, 4>> lineList(std::string_view text) {
    std::array<unsigned, 4> lines{};
    std::set<unsigned> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i + 1 == lines.size();
        if (last != (comma == std::string_view::npos))
            return std::nullopt;
        const auto offset = settingNumber(trimmed(text.substr(0, comma)), 0, 65535);
        if (!offset || !seen.insert(static_cast<unsigned>(*offset)).second)
            return std::nullopt;
        lines[i] = static_cast<unsigned>(*offset);
        text.remove_prefix(last ? text.size() : comma + 1);
    }
    return lines;
}

OutputLevels levelsFor(std::uint8_t lines) {
    return {lines & wire::latchLine ? 1 : 0, lines & wire::dataLine ? 1 : 0,
            lines & wire::clockLine ? 1 : 0};
}

constexpr const char* accessHint =
    "the udev rule 60-fltamp-gpio.rules (packaging/udev in the sources) must be installed "
    "and you in the gpio group (sudo groupadd -f -r gpio; sudo usermod -aG gpio $USER; "
    "log in again)";

} // namespace

GpioSettings GpioSettings::fromEnvironment() {
    GpioSettings settings;
    // An empty setting counts as none, as every other FLTAMP_ setting does.
    if (const char* chip = std::getenv("FLTAMP_GPIO_CHIP"); chip && *chip) {
        settings.chip = chip;
        if (!plainChipName(settings.chip))
            settings.error = "FLTAMP_GPIO_CHIP=" + settings.chip +
                             " is not the name of a chip in /dev (e.g. gpiochip0)";
    }
    if (const char* text = std::getenv("FLTAMP_GPIO_LINES"); text && *text) {
        if (const auto lines = lineList(text))
            settings.lines = *lines;
        else
            settings.error = std::string("FLTAMP_GPIO_LINES=") + text + linesHelp;
    }
    return settings;
}

GpioBackend::GpioBackend(GpioCalls calls, GpioSettings settings)
    : calls_(std::move(calls)), settings_(std::move(settings)) {}

GpioBackend::~GpioBackend() {
    if (open_)
        calls_.close();
}

bool GpioBackend::claim(std::string& why) {
    if (open_)
        return true;
    if (!settings_.error.empty()) {
        why = settings_.error;
        return false;
    }
    const std::string device = "/dev/" + settings_.chip;
    if (const int error = calls_.openChip(settings_.chip)) {
        if (error == ENOENT)
            why = "no GPIO chip " + device + " (ls /dev/gpiochip* lists them; FLTAMP_GPIO_CHIP)";
        else if (error == EACCES || error == EPERM)
            why = "permission denied on " + device + ": " + accessHint;
        else
            why = "cannot open " + device + ": " + std::strerror(error);
        return false;
    }
    why = requestLines();
    if (!why.empty()) {
        // Every line goes back with the chip, so that a Retry requests them afresh.
        calls_.close();
        return false;
    }
    open_ = true;
    return true;
}

std::string GpioBackend::requestLines() {
    const auto& lines = settings_.lines;
    // Requested at the rest levels: the claim itself opens no frame on the board.
    const int outputs = calls_.requestOutputs({lines[latch], lines[data], lines[clock]},
                                              levelsFor(wire::restLevel));
    if (outputs)
        return lineTrouble(outputs, "lines " + std::to_string(lines[latch]) + ", " +
                                        std::to_string(lines[data]) + ", " +
                                        std::to_string(lines[clock]) + " (latch, data, clock)");
    // Pulled up where the kernel can, so that a missing board reads as 31 (out of range)
    // rather than a plausible code; older kernels refuse the bias flag.
    int input = calls_.requestInput(lines[answer], true);
    if (input == EINVAL || input == EOPNOTSUPP)
        input = calls_.requestInput(lines[answer], false);
    if (input)
        return lineTrouble(input, "line " + std::to_string(lines[answer]) + " (answer)");
    return {};
}

std::string GpioBackend::lineTrouble(int error, const std::string& lines) const {
    const std::string chip = settings_.chip;
    if (error == EBUSY)
        return chip + " " + lines + ": in use by another program (gpioinfo " + chip +
               " shows by whom)";
    if (error == EINVAL)
        return chip + " refused " + lines + ": no such line? (gpioinfo " + chip +
               " lists its lines; FLTAMP_GPIO_LINES)";
    return chip + " " + lines + ": " + std::strerror(error);
}

void GpioBackend::outByte(std::int32_t address, std::uint8_t value) {
    requireStandardBase(address);
    if (const int error = calls_.setOutputs(levelsFor(value)))
        throw PortError(std::string("setting the GPIO lines failed: ") + std::strerror(error));
}

std::uint8_t GpioBackend::inByte(std::int32_t address) {
    requireStandardBase(address - 1);
    const int level = calls_.getInput();
    if (level < 0)
        throw PortError(std::string("reading the GPIO answer line failed: ") +
                        std::strerror(-level));
    return level ? wire::answerLine : 0;
}

} // namespace parllio
