// The operating-system check and the port claim with the operator's Abort / Retry /
// Ignore walk over the standard addresses 888, 632 and 956.
#include "device/PortSetup.h"

#include "platform/dialogs.h"
#include "platform/os_version.h"
#include "platform/parllio/parllio.h"
#include "platform/program_end.h"

namespace device {
namespace {

constexpr std::uint32_t platform9x = 1;
// The library's fixed claim parameters; no backend depends on them.
constexpr std::int32_t claimMode = 1;
constexpr std::int32_t claimTimeout = 50;

Integer nineXCode(std::uint32_t minor) {
    switch (minor) {
    case 0:
        return osWindows95;
    case 10:
        return osWindows98;
    default:
        return osNotSupported;
    }
}

Integer ntCode(std::uint32_t major) {
    switch (major) {
    case 3:
        return osNt351;
    case 4:
        return osNt4;
    default:
        // Every later NT-family system, Linux 6.x included, drives the port as 2000 does;
        // without this the panel could never reach the board on a current system.
        return major >= 5 ? osNt2000 : osNotSupported;
    }
}

std::string& noPortReason() {
    static std::string why;
    return why;
}

platform::Answer ask(std::string text, platform::Buttons buttons) {
    return platform::messageBox({std::move(text), platform::programTitle, buttons});
}

bool askToContinueWithoutPort() {
    const platform::Answer answer = ask("Parallel Port could not be located. "
                                        "Continue application without parallel port?",
                                        platform::Buttons::YesNo);
    portAvailable = false;
    if (answer == platform::Answer::No)
        platform::endProgram();
    return true;
}

// Retry walks 888 -> 632 -> 956; after the third address no further claim is made.
bool retryAtNextAddress() {
    switch (candidatePort) {
    case wire::lpt1Base:
        portAddress = candidatePort = wire::lpt2Base;
        return false;
    case wire::lpt2Base:
        portAddress = candidatePort = wire::lpt3Base;
        return false;
    case wire::lpt3Base:
        return askToContinueWithoutPort();
    default:
        return false;
    }
}

bool decideAfterFailedClaim() {
    switch (ask("Could not connect to the parallel port", platform::Buttons::AbortRetryIgnore)) {
    case platform::Answer::Abort:
        platform::endProgram();
    case platform::Answer::Retry:
        return retryAtNextAddress();
    default:
        ask("Failed to claim Parallel Port. Application "
            "can continue to run but cannot program "
            "the device.",
            platform::Buttons::Ok);
        portAvailable = false;
        return true;
    }
}

} // namespace

const std::string& whyNoPort() {
    return noPortReason();
}

Integer getOSVersion() {
    platform::OsVersionRecord record = platform::preparedVersionRecord();
    platform::getVersionEx(record);
    if (record.platformId == platform9x)
        return nineXCode(record.minorVersion);
    if (record.platformId == platform::platformNt)
        return ntCode(record.majorVersion);
    return osUnknown;
}

bool osNeedsPortSetup(Integer osCode) {
    return osCode == osNt351 || osCode == osNt4 || osCode == osNt2000;
}

bool claimPort() {
    try {
        if (parllio::ClaimParallelPort(claimMode, claimTimeout) != 0)
            return true;
        noPortReason() = parllio::lastClaimRefusal();
    } catch (const std::exception& error) {
        // A missing or failing port library is a refused claim.
        noPortReason() = std::string("the port library failed: ") + error.what();
    } catch (...) {
        noPortReason() = "the port library failed";
    }
    return false;
}

bool setupPort() {
    if (claimPort()) {
        portAvailable = true;
        noPortReason().clear();
        return true;
    }
    return decideAfterFailedClaim();
}

void setUpPortAtStartUp() {
    commandLineMode = false;
    lpt1Address = wire::lpt1Base;
    lpt2Address = wire::lpt2Base;
    lpt3Address = wire::lpt3Base;
    const Integer osCode = getOSVersion();
    if (osCode == osUnknown) {
        noPortReason() = "the operating system could not be determined";
        platform::messageBox({"Failed to determine operating system", "", platform::Buttons::Ok,
                              platform::Icon::Critical});
        return;
    }
    if (!osNeedsPortSetup(osCode)) {
        noPortReason() = "the port is not set up on this operating system";
        return;
    }
    candidatePort = portAddress = lpt1Address;
    while (!setupPort()) {
    }
}

} // namespace device
