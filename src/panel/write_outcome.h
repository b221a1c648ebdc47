// How a command-line write ended, as the exit status tells a calling script: 0 only
// when the code was written and the chip gave the same code back.
#pragma once

#include <iosfwd>

#include "device/Variables.h"

namespace panel {

using device::Integer;

// What a Read action did.
struct ReadReport {
    bool transferred = false; // the port was available and the read was attempted
    bool faulted = false;     // the port library raised an error during the read
    Integer answer = 0;       // the code the chip answered (0..31) when not faulted
};

// What a Write action did.
struct WriteReport {
    bool transferred = false; // the port was available and the write was attempted
    bool faulted = false;     // the port library raised an error during the write
    Integer written = 0;      // the code sent
    ReadReport readBack;
};

// Exit statuses of "fltamp -c CODE".
enum class WriteOutcome {
    Written = 0,            // written, and read back the same
    PortUnavailable = 2,    // no port: nothing written
    ReadBackDiffers = 3,    // the chip answered another code
    ReadBackOutOfRange = 4, // the chip answered 30 or 31
    PortFault = 5,          // the port failed during the transfer
};

WriteOutcome writeOutcome(const WriteReport& report);

// Says on the stream, in one line, why a write did not succeed (nothing for success),
// and returns the exit status.
int reportWriteOutcome(WriteOutcome outcome, const WriteReport& report, std::ostream& err);

} // namespace panel
