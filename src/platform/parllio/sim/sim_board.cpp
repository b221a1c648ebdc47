// The simulated chip's serial logic. A frame is the time the latch is low; on each
// rising clock edge inside it the chip samples the data line. The first bit is the
// read/write flag. A write frame's bits 3..7 (least significant first) become the code
// when the latch rises; in a read frame the k-th edge after the flag puts bit k-1 of the
// code on status bit 4, where it stays until the next edge.
#include "platform/parllio/sim/sim_board.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/parllio/wire.h"

namespace parllio {
namespace {

int environmentNumber(const char* name, int fallback, int low, int high) {
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < low || value > high) {
        std::cerr << "fltamp: ignoring " << name << "=" << text << " (expected " << low << ".."
                  << high << ")\n";
        return fallback;
    }
    return static_cast<int>(value);
}

constexpr int codeMask = (1 << wire::codeBitCount) - 1;

} // namespace

SimSettings SimSettings::fromEnvironment() {
    SimSettings settings;
    settings.initialCode = environmentNumber("FLTAMP_SIM_CODE", settings.initialCode, 0, codeMask);
    const char* refuse = std::getenv("FLTAMP_SIM_REFUSE");
    if (refuse && std::string(refuse) == "always")
        settings.refusals.reset();
    else
        settings.refusals = environmentNumber("FLTAMP_SIM_REFUSE", 0, 0, 1000000);
    if (const char* status = std::getenv("FLTAMP_SIM_STATUS")) {
        const std::string level = status;
        if (level == "high")
            settings.stuckStatus = true;
        else if (level == "low")
            settings.stuckStatus = false;
        else if (!level.empty())
            std::cerr << "fltamp: ignoring FLTAMP_SIM_STATUS=" << level
                      << " (expected high or low)\n";
    }
    return settings;
}

SimBoard::SimBoard(const SimSettings& settings)
    : settings_(settings), code_(settings.initialCode & codeMask) {}

bool SimBoard::claim(std::string& why) {
    if (!settings_.refusals || claimsRefused_ < *settings_.refusals) {
        ++claimsRefused_;
        why = "the simulated board refused the claim (FLTAMP_SIM_REFUSE)";
        return false;
    }
    return true;
}

void SimBoard::outByte(std::int32_t, std::uint8_t value) {
    const bool latchWas = lines_ & wire::latchLine;
    const bool clockWas = lines_ & wire::clockLine;
    lines_ = value;
    const bool latch = value & wire::latchLine;
    const bool clock = value & wire::clockLine;
    if (latchWas && !latch) {
        inFrame_ = true;
        edges_ = 0;
        writeFrame_ = false;
        shifted_ = 0;
        answer_ = false;
    }
    if (inFrame_ && !latch && !clockWas && clock)
        risingClock(value & wire::dataLine);
    if (inFrame_ && latch)
        frameEnds();
}

void SimBoard::risingClock(bool dataBit) {
    const int edge = edges_++;
    if (edge == 0) {
        writeFrame_ = dataBit;
        return;
    }
    if (writeFrame_) {
        const int codeBit = edge - wire::firstCodeBit;
        if (codeBit >= 0 && codeBit < wire::codeBitCount && dataBit)
            shifted_ |= 1 << codeBit;
        return;
    }
    if (edge <= wire::codeBitCount)
        answer_ = (code_ >> (edge - 1)) & 1;
}

void SimBoard::frameEnds() {
    // A write takes effect only when the whole word arrived.
    if (writeFrame_ && edges_ >= wire::sentBits)
        code_ = shifted_;
    inFrame_ = false;
    answer_ = false;
}

std::uint8_t SimBoard::inByte(std::int32_t) {
    const bool level = settings_.stuckStatus.value_or(inFrame_ && answer_);
    return level ? wire::answerLine : 0;
}

} // namespace parllio
