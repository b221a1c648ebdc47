// The board's four lines on an FTDI USB bridge in synchronous bit-bang mode (libftdi1).
// D0, D1 and D2 drive latch, data and clock; D3 takes the chip's answer. The three
// standard port addresses all reach the one bridge.
//
// A USB bridge queues what it is sent, but the device link needs every access done on
// the wire when the call returns. Synchronous mode gives that: each byte written is put
// on the pins and answered with one sample of the pins taken just before it was applied.
// So a write returns only once its sample is back, and a status read writes the present
// level once more and takes that byte's sample: the pins after every earlier write.
#pragma once

#include <string>

#include "platform/parllio/ftdi/ftdi_calls.h"
#include "platform/parllio/parllio.h"

namespace parllio {

struct FtdiSettings {
    std::string device; // libftdi description; empty: the one FTDI device plugged in
    int rate = 10000;   // level changes per second on the wire
    std::string error;  // why the settings cannot be used; empty when they can

    // FLTAMP_FTDI and FLTAMP_FTDI_RATE.
    static FtdiSettings fromEnvironment();
};

class FtdiBackend : public Backend {
public:
    FtdiBackend(FtdiCalls calls, FtdiSettings settings);
    ~FtdiBackend() override;
    FtdiBackend(const FtdiBackend&) = delete; // owns the open bridge
    FtdiBackend& operator=(const FtdiBackend&) = delete;

    bool claim(std::string& why) override;
    void outByte(std::int32_t address, std::uint8_t value) override;
    std::uint8_t inByte(std::int32_t address) override;

    static constexpr int usbTimeoutMs = 100;
    static constexpr std::uint8_t latencyMs = 1;
    static constexpr int lowestRate = 1000;
    static constexpr int highestRate = 1000000;

private:
    std::string openBridge(); // sets open_; otherwise says why not
    void configure();
    std::uint8_t exchange(std::uint8_t pins);
    [[noreturn]] void fail(const std::string& what);
    void check(int result, const char* step);

    FtdiCalls calls_;
    FtdiSettings settings_;
    bool open_ = false;
    bool resync_ = false;   // a failed access may have left a sample behind
    std::uint8_t pins_ = 0; // the level last put on D0..D2
};

} // namespace parllio
