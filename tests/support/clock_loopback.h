// A wire from the clock output to the answer input, in place of a board: the status bit
// follows the clock. What the adapters' hardware tests fit, and what their fakes are
// wired to when a test needs the answer to follow the last write.
#pragma once

#include <gtest/gtest.h>

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

// Moves the clock up and down through a port wired so, checking after each write that
// the status read sees it.
inline void expectAnswerFollowsClock(parllio::Backend& port, std::int32_t base = wire::lpt1Base) {
    for (const std::uint8_t level : {0x04, 0x00, 0x05, 0x01, 0x06, 0x02}) {
        port.outByte(base, level);
        EXPECT_EQ(port.inByte(base + 1), level & wire::clockLine ? wire::answerLine : 0)
            << "after writing " << int(level);
    }
    port.outByte(base, wire::restLevel);
}

} // namespace testsupport
