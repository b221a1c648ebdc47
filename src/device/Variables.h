// The program-wide state shared by the device link, the main window and the script
// console. Integer is Basic's signed 16-bit type and Long its signed 32-bit type.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/parllio/wire.h"

namespace device {

using Integer = std::int16_t;
using Long = std::int32_t;

inline Integer portAddress = 0;   // base address of the port in use; status is at +1
inline Integer candidatePort = 0; // the address the current claim attempt stands for
inline Integer lpt1Address = 0;
inline Integer lpt2Address = 0;
inline Integer lpt3Address = 0;
inline bool portAvailable = false;   // a claim succeeded; transfers run only while true
inline Integer currentCode = 0;      // the chip's code as last read or written
inline Integer selectedCode = 0;     // the code the operator has chosen
inline Long clockDelay = 0;          // busy-wait count between port writes
inline Long readClockDelay = 0;      // busy-wait count of the read-back after a test write
inline bool commandLineMode = false; // started with "-c" to write one code and end
inline std::array<Integer, wire::wordLength> bitBuffer{};  // one serial word, a bit per entry
inline std::array<Integer, wire::codeBitCount> codeBits{}; // the code, most significant bit first
inline std::u16string scriptFileName;                      // the script console's current file

// Puts every value back as it is when the program starts (tests start each case here).
void resetProgramState();

} // namespace device
