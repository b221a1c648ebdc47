// A wire from the clock output to the answer input, in place of a board: the status bit
// follows the clock. What the adapters' hardware tests fit, and what their fakes are
// wired to when a test needs the answer to follow the last write.
#pragma once

#include "platform/parllio/parllio.h"
#include "platform/parllio/wire.h"

namespace testsupport {

class ClockLoopback : public parllio::Backend {
public:
    bool claim(std::string&) override { return true; }
    void outByte(std::int32_t, std::uint8_t value) override { lines_ = value; }
    std::uint8_t inByte(std::int32_t) override {
        return lines_ & wire::clockLine ? wire::answerLine : 0;
    }

private:
    std::uint8_t lines_ = 0;
};

} // namespace testsupport
