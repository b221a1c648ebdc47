// The program-wide state's start values.
#include "device/Variables.h"

namespace device {

void resetProgramState() {
    portAddress = candidatePort = 0;
    lpt1Address = lpt2Address = lpt3Address = 0;
    portAvailable = false;
    currentCode = selectedCode = 0;
    clockDelay = readClockDelay = 0;
    commandLineMode = false;
    bitBuffer.fill(0);
    codeBits.fill(0);
    scriptFileName.clear();
}

} // namespace device
