// The parallel-port library the panel talks to: claim the port, write a byte to a data
// register, read a status register. Behind it sits one backend, picked by the
// FLTAMP_PORT environment variable: the real port through the kernel's parport devices
// ("ppdev", the default), the simulated evaluation board ("sim"), or the board's four
// lines on an FTDI USB bridge ("ftdi") or on a single-board computer's GPIO ("gpio").
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace parllio {

// A port access that cannot be done: no port at that address, or the kernel refused.
class PortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Backend {
public:
    virtual ~Backend() = default;
    // True when the port registers may now be used. On failure, sets why in the user's terms.
    virtual bool claim(std::string& why) = 0;
    virtual void outByte(std::int32_t address, std::uint8_t value) = 0;
    virtual std::uint8_t inByte(std::int32_t address) = 0;
};

// Non-zero when the port was claimed; zero, with one line on stderr saying why, when not.
// The arguments are the library's fixed claim parameters; no backend depends on them.
std::int16_t ClaimParallelPort(std::int32_t mode, std::int32_t timeout);
// Why the last claim failed, as that line says it (without the line's own prefix).
const std::string& lastClaimRefusal();
// Puts the low 8 bits of value on the data register at address. Throws PortError.
void OutByte(std::int32_t address, std::int32_t value);
// The status register whose data register is at address - 1. Throws PortError.
std::uint8_t InByte(std::int32_t address);

// Builds the backend the name stands for ("ppdev", "sim", "ftdi", "gpio"); nothing for an
// unknown name.
std::unique_ptr<Backend> makeBackend(const std::string& name);

// For backends with one set of pins: the three standard base addresses all reach them;
// any other address throws PortError.
void requireStandardBase(std::int32_t base);

// Replaces the backend for the rest of the run (tests); nullptr goes back to choosing
// from the environment at the next claim.
void useBackend(std::unique_ptr<Backend> backend);
// The backend in use, or nullptr when none has been chosen yet.
Backend* currentBackend();

} // namespace parllio
