// The script language's random numbers; see vb_random.h.
#include "vbscript/lib/vb_random.h"

#include "vbscript/lib/date_ops.h"

#include <bit>

namespace vbs::lib {

namespace {

constexpr std::uint32_t kMultiplier = 1140671485;
constexpr std::uint32_t kIncrement = 12820163;
constexpr std::uint32_t kStateMask = 0xFFFFFF;
constexpr float kStateRange = 16777216.0f;

std::uint32_t step(std::uint32_t state) {
    return (state * kMultiplier + kIncrement) & kStateMask;
}

} // namespace

float VbRandom::current() const {
    return static_cast<float>(state_) / kStateRange;
}

float VbRandom::next() {
    state_ = step(state_);
    return current();
}

float VbRandom::rnd(float number) {
    if (number > 0)
        return next();
    if (number < 0) {
        const auto bits = std::bit_cast<std::uint32_t>(number);
        state_ = step(((bits & kStateMask) + (bits >> 24)) & kStateMask);
    }
    return current();
}

void VbRandom::randomize(double number) {
    const auto high = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(number) >> 32);
    const std::uint32_t folded = (high ^ (high >> 16)) & 0xFFFF;
    state_ = (folded << 8) | (state_ & 0xFF);
}

void VbRandom::randomizeFromTimer() {
    randomize(static_cast<float>(timerSeconds()));
}

} // namespace vbs::lib
