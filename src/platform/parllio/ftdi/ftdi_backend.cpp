// Opening the bridge, setting it up for synchronous bit-bang, and one exchange (a byte
// out, its sample back) per port access.
#include "platform/parllio/ftdi/ftdi_backend.h"

#include <chrono>
#include <cstdlib>

#include "platform/parllio/ftdi/ftdi_devices.h"
#include "platform/parllio/setting_number.h"
#include "platform/parllio/wire.h"

namespace parllio {
namespace {

// The bridge's bit-bang pins: bit n of a byte is Dn.
constexpr std::uint8_t latchPin = 1 << 0;
constexpr std::uint8_t dataPin = 1 << 1;
constexpr std::uint8_t clockPin = 1 << 2;
constexpr std::uint8_t answerPin = 1 << 3;
constexpr std::uint8_t outputPins = latchPin | dataPin | clockPin;

std::uint8_t pinsFor(std::uint8_t lines) {
    return static_cast<std::uint8_t>((lines & wire::latchLine ? latchPin : 0) |
                                     (lines & wire::dataLine ? dataPin : 0) |
                                     (lines & wire::clockLine ? clockPin : 0));
}

// In bit-bang mode libftdi programs the baud-rate generator for four times the value it
// is given, and the bridge moves one byte, that is one level change, per period of it.
// So the value handed over is the wanted rate divided by four.
constexpr int libftdiBitbangFactor = 4;

constexpr const char* replugHint = "; if it was unplugged, plug it in and start the program again";

} // namespace

FtdiSettings FtdiSettings::fromEnvironment() {
    FtdiSettings settings;
    if (const char* device = std::getenv("FLTAMP_FTDI"))
        settings.device = device;
    if (const char* text = std::getenv("FLTAMP_FTDI_RATE"); text && *text) {
        if (const auto rate =
                settingNumber(text, FtdiBackend::lowestRate, FtdiBackend::highestRate))
            settings.rate = static_cast<int>(*rate);
        else
            settings.error = std::string("FLTAMP_FTDI_RATE=") + text + " is not a rate of " +
                             std::to_string(FtdiBackend::lowestRate) + " to " +
                             std::to_string(FtdiBackend::highestRate) + " level changes per second";
    }
    return settings;
}

FtdiBackend::FtdiBackend(FtdiCalls calls, FtdiSettings settings)
    : calls_(std::move(calls)), settings_(std::move(settings)) {}

FtdiBackend::~FtdiBackend() {
    if (open_)
        calls_.close();
}

bool FtdiBackend::claim(std::string& why) {
    if (open_)
        return true;
    if (!settings_.error.empty()) {
        why = settings_.error;
        return false;
    }
    why = openBridge();
    if (!open_)
        return false;
    try {
        configure();
    } catch (const PortError& error) {
        // Closed again, so that a Retry opens it afresh.
        calls_.close();
        open_ = false;
        why = error.what();
        return false;
    }
    return true;
}

std::string FtdiBackend::openBridge() {
    std::string text = settings_.device;
    if (text.empty()) {
        // A bench often has an FTDI serial console cable plugged in too: never take a
        // guess between several.
        std::vector<FtdiDevice> devices;
        if (calls_.findAll(0, 0, devices) < 0)
            return "cannot list the USB devices: " + calls_.errorString();
        if (devices.empty())
            return "no FTDI adapter is plugged in";
        if (devices.size() > 1)
            return "several FTDI devices are plugged in; set FLTAMP_FTDI to the one wired to "
                   "the board (e.g. FLTAMP_FTDI=" +
                   devices.front().node() + "):" + deviceListing(devices);
        text = devices.front().node();
    }
    const auto described = DeviceDescription::parse(text);
    if (!described)
        return "FLTAMP_FTDI=" + text + " names no device: use " + descriptionForms;
    if (calls_.open(text) != 0) {
        const std::string libftdiError = calls_.errorString();
        return whyNotOpened(calls_, text, *described, libftdiError);
    }
    open_ = true;
    return {};
}

void FtdiBackend::configure() {
    calls_.setTimeouts(usbTimeoutMs, usbTimeoutMs);
    check(calls_.setLatencyTimer(latencyMs), "setting the latency timer");
    // Every pin an input first: the rest level goes into the output latch before any pin
    // drives, so the claim itself opens no frame on the board.
    check(calls_.setBitmode(0, syncBitbangMode), "entering synchronous bit-bang mode");
    check(calls_.setBaudrate(settings_.rate / libftdiBitbangFactor), "setting the bit-bang rate");
    check(calls_.flush(), "emptying the adapter's buffers");
    pins_ = pinsFor(wire::restLevel);
    exchange(pins_);
    check(calls_.setBitmode(outputPins, syncBitbangMode), "making D0, D1 and D2 outputs");
    exchange(pins_);
}

void FtdiBackend::check(int result, const char* step) {
    if (result < 0)
        fail(std::string(step) + " failed (" + calls_.errorString() + ")");
}

void FtdiBackend::fail(const std::string& what) {
    resync_ = true;
    throw PortError("FTDI adapter: " + what);
}

std::uint8_t FtdiBackend::exchange(std::uint8_t pins) {
    if (resync_) {
        check(calls_.flush(), "emptying the adapter's buffers");
        resync_ = false;
    }
    if (calls_.write(&pins, 1) != 1)
        fail("writing failed (" + calls_.errorString() + ")" + replugHint);
    // The sample can only come back once the byte is on the pins.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(usbTimeoutMs);
    for (;;) {
        std::uint8_t sample = 0;
        const int got = calls_.read(&sample, 1);
        if (got == 1)
            return sample;
        if (got == usb::noDevice)
            fail("unplugged; plug it in and start the program again");
        if (got < 0)
            fail("reading failed (" + calls_.errorString() + ")" + replugHint);
        if (std::chrono::steady_clock::now() >= deadline)
            fail("no answer within " + std::to_string(usbTimeoutMs) + " ms" + replugHint);
    }
}

void FtdiBackend::outByte(std::int32_t address, std::uint8_t value) {
    requireStandardBase(address);
    pins_ = pinsFor(value);
    exchange(pins_);
}

std::uint8_t FtdiBackend::inByte(std::int32_t address) {
    requireStandardBase(address - 1);
    return exchange(pins_) & answerPin ? wire::answerLine : 0;
}

} // namespace parllio
