// A fake FTDI bridge behind the FTDI backend's table of calls. It fails the way the bench
// does: bytes written wait in a queue and reach the pins only when the host asks for
// their samples, and each sample shows the pins as they were just before its byte was
// applied (synchronous bit-bang, one byte behind). So a read that overtakes writes sees
// an old answer here as it would on the board. Its pins reach the board through its own
// wiring table: D0 latch, D1 data, D2 clock, D3 the chip's answer.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/parllio/ftdi/ftdi_calls.h"
#include "platform/parllio/parllio.h"
#include "platform/parllio/wire.h"

namespace testsupport {

class FakeFtdi {
public:
    static parllio::FtdiDevice device(int bus, int address, std::string serial = "") {
        return {bus, address, 0x0403, 0x6001, "FT232R USB UART", std::move(serial)};
    }

    std::vector<parllio::FtdiDevice> devices = {device(1, 5, "A10K3")};
    int findAllResult = 0;                           // negative: listing the bus fails
    int openResult = 0;                              // what ftdi_usb_open_string returns
    std::map<std::string, parllio::UsbProbe> probes; // by node ("d:1/5"); none: all fine
    std::set<std::string> failing;        // steps that fail: "latency", "bitmode", "baud", "flush"
    int emptyReads = 1;                   // reads that come back empty before each sample arrives
    std::optional<int> unplugAfterWrites; // bytes taken before the adapter disappears
    bool silent = false;                  // plugged in but answers nothing
    parllio::Backend* board = nullptr;    // what the pins are wired to

    std::vector<std::string> steps;    // "open d:1/5", "bitmode 07 04", "baud 2500", "close", ...
    std::vector<std::uint8_t> written; // every byte the host wrote
    int reads = 0;                     // read calls, empty ones included
    bool isOpen = false;
    std::uint8_t outputs = 0; // the direction mask: a set bit drives its pin
    std::uint8_t mode = 0;

    parllio::FtdiCalls table() {
        parllio::FtdiCalls calls;
        calls.findAll = [this](int vendor, int product, std::vector<parllio::FtdiDevice>& found) {
            steps.push_back("find");
            if (findAllResult < 0)
                return fail(findAllResult, "libusb_get_device_list() failed");
            for (const auto& d : devices)
                if ((!vendor && !product) || (d.vendor == vendor && d.product == product))
                    found.push_back(d);
            return static_cast<int>(found.size());
        };
        calls.open = [this](const std::string& description) {
            steps.push_back("open " + description);
            if (openResult)
                return fail(openResult, "unable to claim usb device");
            isOpen = true;
            return 0;
        };
        calls.probe = [this](int bus, int address) {
            const std::string node = "d:" + std::to_string(bus) + "/" + std::to_string(address);
            steps.push_back("probe " + node);
            const auto found = probes.find(node);
            return found == probes.end() ? parllio::UsbProbe{} : found->second;
        };
        calls.setTimeouts = [this](int readMs, int writeMs) {
            steps.push_back("timeouts " + std::to_string(readMs) + " " + std::to_string(writeMs));
        };
        calls.setLatencyTimer = [this](std::uint8_t ms) {
            steps.push_back("latency " + std::to_string(ms));
            return step("latency");
        };
        calls.setBitmode = [this](std::uint8_t mask, std::uint8_t newMode) {
            steps.push_back("bitmode " + hex(mask) + " " + hex(newMode));
            if (step("bitmode"))
                return -1;
            outputs = mask;
            mode = newMode;
            drive();
            return 0;
        };
        calls.setBaudrate = [this](int value) {
            steps.push_back("baud " + std::to_string(value));
            return step("baud");
        };
        calls.flush = [this] {
            steps.push_back("flush");
            queued_.clear();
            samples_.clear();
            return step("flush");
        };
        calls.write = [this](const std::uint8_t* bytes, int size) {
            if (gone())
                return fail(-1, "usb bulk write failed");
            for (int i = 0; i < size; ++i) {
                written.push_back(bytes[i]);
                queued_.push_back(bytes[i]);
            }
            emptyLeft_ = emptyReads;
            return size;
        };
        calls.read = [this](std::uint8_t* bytes, int size) {
            ++reads;
            if (gone())
                return fail(parllio::usb::noDevice, "usb bulk read failed");
            if (silent)
                return 0;
            applyQueued();
            if (emptyLeft_ > 0) {
                --emptyLeft_;
                return 0;
            }
            int got = 0;
            for (; got < size && !samples_.empty(); ++got) {
                bytes[got] = samples_.front();
                samples_.pop_front();
            }
            return got;
        };
        calls.close = [this] {
            steps.push_back("close");
            isOpen = false;
        };
        calls.errorString = [this] { return error_; };
        return calls;
    }

    // The level on pin Dn as the bridge sees it: driven when an output, else what reaches
    // it (the chip's answer on D3; the chip's pull-up elsewhere).
    bool pin(int n) const {
        if (outputs & (1 << n))
            return latch_ & (1 << n);
        if (n == answerPin)
            return board && (board->inByte(wire::lpt1Base + 1) & wire::answerLine);
        return true;
    }

private:
    static constexpr int answerPin = 3;
    // The wiring to the board: pin D0, D1, D2 -> the board's latch, data, clock lines.
    static constexpr std::array<std::uint8_t, 3> boardLineOfPin = {wire::latchLine, wire::dataLine,
                                                                   wire::clockLine};

    static std::string hex(std::uint8_t value) {
        const char digits[] = "0123456789abcdef";
        return {digits[value >> 4], digits[value & 15]};
    }

    int fail(int code, const char* text) {
        error_ = text;
        return code;
    }
    int step(const char* name) { return failing.count(name) ? fail(-1, "failed in the fake") : 0; }

    bool gone() {
        if (unplugAfterWrites && static_cast<int>(written.size()) >= *unplugAfterWrites)
            isOpen = false;
        return !isOpen;
    }

    std::uint8_t sample() const {
        std::uint8_t levels = 0;
        for (int n = 0; n < 8; ++n)
            levels |= pin(n) ? 1 << n : 0;
        return levels;
    }

    void drive() {
        if (!board)
            return;
        std::uint8_t lines = 0;
        for (std::size_t n = 0; n < boardLineOfPin.size(); ++n)
            lines |= pin(static_cast<int>(n)) ? boardLineOfPin[n] : 0;
        board->outByte(wire::lpt1Base, lines);
    }

    // The bridge works through its queue only as far as the host has come to collect.
    void applyQueued() {
        while (!queued_.empty()) {
            samples_.push_back(sample());
            latch_ = queued_.front();
            queued_.pop_front();
            drive();
        }
    }

    std::deque<std::uint8_t> queued_;
    std::deque<std::uint8_t> samples_;
    std::uint8_t latch_ = 0; // the output register
    int emptyLeft_ = 0;
    std::string error_;
};

} // namespace testsupport
