// The three-wire serial link between the PC and the XFL2090 board, as seen on the
// parallel port's registers. The device link drives these lines and the simulated
// board decodes them, so both take the rules from here.
#pragma once

#include <cstdint>

namespace wire {

inline constexpr std::uint8_t latchLine = 0x01; // D0: latch (enable); low while a word is clocked
inline constexpr std::uint8_t dataLine =
    0x02; // D1: the bit written; the chip samples it on the clock's rise
inline constexpr std::uint8_t clockLine = 0x04;  // D2: clock; each cycle ends with it high
inline constexpr std::uint8_t answerLine = 0x10; // status bit 4 (pin 13): the chip's answer

inline constexpr std::uint8_t restLevel = latchLine; // latch high, clock and data low

inline constexpr int wordLength = 16;  // entries of a serial word buffer
inline constexpr int sentBits = 8;     // bits of a word that go on the wire
inline constexpr int codeBitCount = 5; // the chip's frequency code register
inline constexpr int firstCodeBit = 3; // word index of the code's least significant bit
inline constexpr int writeFlag = 1;    // word index 0: 1 writes, 0 reads

// Standard parallel-port base addresses, tried in this order.
inline constexpr std::int32_t lpt1Base = 0x378; // 888
inline constexpr std::int32_t lpt2Base = 0x278; // 632
inline constexpr std::int32_t lpt3Base = 0x3BC; // 956

} // namespace wire
