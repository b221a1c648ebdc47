// The script language's random numbers: Rnd and Randomize with the language's 24-bit linear
// congruential generator, so a script seeded the same way sees the same numbers as it
// would anywhere else. Free of the engine's values.
#pragma once

#include <cstdint>

namespace vbs::lib {

// One generator per script engine. The state is a 24-bit number; each step is
// x = (x * 1140671485 + 12820163) mod 2^24, and Rnd is x / 2^24 as a Single in [0, 1).
class VbRandom {
public:
    static constexpr std::uint32_t kInitialSeed = 327680;

    // Rnd with no argument or a positive one: the next number of the sequence.
    float next();

    // Rnd(number): below 0 restarts the sequence from the number (the same number always
    // gives the same result: its Single bit pattern, folded to 24 bits, is stepped once);
    // 0 repeats the last number (before any call, the initial seed / 2^24); above 0 is next().
    float rnd(float number);

    // Randomize number: the number's Double bit pattern (high 32 bits, halves folded by
    // exclusive or) replaces the middle 16 bits of the state; the low 8 bits stay, so the
    // same number does not always restart the same sequence (the documented reason to
    // call Rnd with a negative number first).
    void randomize(double number);

    // Randomize without a number: seeded from Timer, the seconds since local midnight.
    void randomizeFromTimer();

    std::uint32_t state() const { return state_; }

private:
    float current() const;

    std::uint32_t state_ = kInitialSeed;
};

} // namespace vbs::lib
