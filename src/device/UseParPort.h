// The serial link to the XFL2090 over the parallel port's data and status registers:
// code <-> bit conversion, the counted busy-wait, the three kinds of clock cycle, and
// the four chip commands built from them.
#pragma once

#include <functional>
#include <string_view>

#include "device/Variables.h"

namespace device {

void codeToBits(Integer code);
void buildSerialWord(const std::array<Integer, wire::codeBitCount>& bits, Integer rwFlag);
Long bitsToCode();

// Busy-waits count + 1 passes (none for a negative count); returns the passes made.
std::int64_t waitLoop(Long count);

// Shows a transfer phase ("Setup", "Data 3", …) and repaints the window at once. The main
// window supplies it; without one the phases go nowhere.
using PhaseDisplay = std::function<void(std::string_view phase)>;
void setPhaseDisplay(PhaseDisplay display);

// How the cycles wait; tests count the passes. An empty function restores waitLoop.
using WaitFunction = std::function<void(Long count)>;
void setWaitFunction(WaitFunction wait);

// The chip commands. Port errors (parllio::PortError) pass to the caller.
void writeFreqCode(const Integer& code, Long d);
void readBackCode(Long d);
void readFreqCode(Long d, Long r);
void readFreqCodeAtLoad();

} // namespace device
