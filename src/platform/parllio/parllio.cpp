// The port library's three entry points over the backend chosen by FLTAMP_PORT. The
// backend list is explicit: adding a backend means adding a line to makeBackend.
#include "platform/parllio/parllio.h"

#include <cstdlib>
#include <iostream>

#include "platform/parllio/ftdi/ftdi_backend.h"
#include "platform/parllio/gpio/gpio_backend.h"
#include "platform/parllio/ppdev/ppdev_backend.h"
#include "platform/parllio/sim/sim_board.h"
#include "platform/parllio/trace.h"
#include "platform/parllio/wire.h"

namespace parllio {
namespace {

constexpr const char* defaultBackend = "ppdev";

std::unique_ptr<Backend>& backend() {
    static std::unique_ptr<Backend> chosen;
    return chosen;
}

PortTrace& trace() {
    static PortTrace opened = PortTrace::fromEnvironment();
    return opened;
}

std::string& refusal() {
    static std::string why;
    return why;
}

// A refused claim says why once on stderr and keeps it for the panel to show.
std::int16_t refuse(std::string why) {
    std::cerr << "fltamp: parallel port not claimed: " << why << "\n";
    refusal() = std::move(why);
    return 0;
}

Backend& claimedBackend() {
    if (!backend())
        throw PortError("the parallel port has not been claimed");
    return *backend();
}

} // namespace

std::unique_ptr<Backend> makeBackend(const std::string& name) {
    if (name == "ppdev")
        return std::make_unique<PpdevBackend>(SystemCalls::real());
    if (name == "sim")
        return std::make_unique<SimBoard>(SimSettings::fromEnvironment());
    if (name == "ftdi")
        return std::make_unique<FtdiBackend>(FtdiCalls::real(), FtdiSettings::fromEnvironment());
    if (name == "gpio")
        return std::make_unique<GpioBackend>(GpioCalls::real(), GpioSettings::fromEnvironment());
    return nullptr;
}

void requireStandardBase(std::int32_t base) {
    if (base != wire::lpt1Base && base != wire::lpt2Base && base != wire::lpt3Base)
        throw PortError("no parallel port at address " + std::to_string(base));
}

void useBackend(std::unique_ptr<Backend> replacement) {
    backend() = std::move(replacement);
}

Backend* currentBackend() {
    return backend().get();
}

std::int16_t ClaimParallelPort(std::int32_t, std::int32_t) {
    if (!backend()) {
        const char* setting = std::getenv("FLTAMP_PORT");
        const std::string name = setting && *setting ? setting : defaultBackend;
        backend() = makeBackend(name);
        if (!backend())
            return refuse("unknown port backend \"" + name +
                          "\" in FLTAMP_PORT (use ppdev, sim, ftdi or gpio)");
    }
    std::string why;
    if (backend()->claim(why))
        return 1;
    return refuse(std::move(why));
}

const std::string& lastClaimRefusal() {
    return refusal();
}

void OutByte(std::int32_t address, std::int32_t value) {
    const auto byte = static_cast<std::uint8_t>(value & 0xFF);
    claimedBackend().outByte(address, byte);
    trace().write(address, byte);
}

std::uint8_t InByte(std::int32_t address) {
    const std::uint8_t value = claimedBackend().inByte(address);
    trace().read(address, value);
    return value;
}

} // namespace parllio
