// A fake GPIO chip behind the GPIO backend's table of calls. Every call is one event, so
// three separate writes where one bulk write belongs show up; the lines reach the board
// through the fake's own wiring table (by default the Raspberry Pi's BCM 17 latch,
// 27 data, 22 clock, 23 answer), so lines swapped in the backend drive the wrong signals.
#pragma once

#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/parllio/gpio/gpio_calls.h"
#include "platform/parllio/parllio.h"
#include "platform/parllio/wire.h"

namespace testsupport {

class FakeGpio {
public:
    enum class Signal { latch, data, clock, answer };

    std::string chipName = "gpiochip0";
    unsigned lineCount = 54;
    int openError = 0;         // errno of opening the chip, e.g. EACCES
    std::set<unsigned> busy;   // lines another program holds
    bool biasSupported = true; // an older kernel refuses the pull-up flag with EINVAL
    int setError = 0;          // errno of every set_value_bulk
    int getError = 0;          // errno of every get_value
    std::map<unsigned, Signal> wiring = {
        {17, Signal::latch}, {27, Signal::data}, {22, Signal::clock}, {23, Signal::answer}};
    parllio::Backend* board = nullptr;

    std::vector<std::string>
        events; // "open gpiochip0", "outputs 17,27,22 = 1,0,0", "set 1,0,0", ...
    bool isOpen = false;
    bool pulledUp = false;

    parllio::GpioCalls table() {
        parllio::GpioCalls calls;
        calls.openChip = [this](const std::string& name) {
            events.push_back("open " + name);
            if (openError)
                return openError;
            if (name != chipName)
                return ENOENT;
            isOpen = true;
            return 0;
        };
        calls.requestOutputs = [this](const parllio::OutputLines& offsets,
                                      const parllio::OutputLevels& levels) {
            events.push_back("outputs " + list(offsets) + " = " + list(levels));
            if (const int error = usable(offsets.begin(), offsets.end()))
                return error;
            outputs_ = offsets;
            for (std::size_t i = 0; i < offsets.size(); ++i)
                levels_[offsets[i]] = levels[i];
            drive();
            return 0;
        };
        calls.requestInput = [this](unsigned offset, bool pullUp) {
            events.push_back("input " + std::to_string(offset) + (pullUp ? " pull-up" : ""));
            if (const int error = usable(&offset, &offset + 1))
                return error;
            if (pullUp && !biasSupported)
                return EINVAL;
            input_ = offset;
            pulledUp = pullUp;
            return 0;
        };
        calls.setOutputs = [this](const parllio::OutputLevels& levels) {
            events.push_back("set " + list(levels));
            if (setError)
                return setError;
            for (std::size_t i = 0; i < outputs_.size(); ++i)
                levels_[outputs_[i]] = levels[i];
            drive();
            return 0;
        };
        calls.getInput = [this] {
            events.push_back("get");
            if (getError)
                return -getError;
            return level(*input_) ? 1 : 0;
        };
        calls.close = [this] {
            events.push_back("close");
            isOpen = false;
            outputs_ = {};
            levels_.clear();
            input_.reset();
        };
        return calls;
    }

private:
    template <typename Numbers> static std::string list(const Numbers& numbers) {
        std::string text;
        for (auto n : numbers)
            text += (text.empty() ? "" : ",") + std::to_string(n);
        return text;
    }

    template <typename It> int usable(It first, It last) const {
        for (It offset = first; offset != last; ++offset) {
            if (*offset >= lineCount)
                return EINVAL;
            if (busy.count(*offset))
                return EBUSY;
        }
        return 0;
    }

    std::optional<unsigned> lineFor(Signal signal) const {
        for (const auto& [offset, wired] : wiring)
            if (wired == signal)
                return offset;
        return std::nullopt;
    }

    // What a line reads: its own level when an output, the chip's answer when wired to
    // it, else the pull-up if asked for.
    bool level(unsigned offset) const {
        if (const auto driven = levels_.find(offset); driven != levels_.end())
            return driven->second;
        if (lineFor(Signal::answer) == offset && board)
            return board->inByte(wire::lpt1Base + 1) & wire::answerLine;
        return pulledUp;
    }

    void drive() {
        if (!board)
            return;
        const auto driven = [this](Signal signal) {
            const auto offset = lineFor(signal);
            const auto found = offset ? levels_.find(*offset) : levels_.end();
            return found != levels_.end() && found->second;
        };
        const std::uint8_t lines = (driven(Signal::latch) ? wire::latchLine : 0) |
                                   (driven(Signal::data) ? wire::dataLine : 0) |
                                   (driven(Signal::clock) ? wire::clockLine : 0);
        board->outByte(wire::lpt1Base, lines);
    }

    parllio::OutputLines outputs_{};
    std::map<unsigned, int> levels_; // output line -> level
    std::optional<unsigned> input_;
};

} // namespace testsupport
