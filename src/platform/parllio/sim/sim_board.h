// A simulated XFL2090 evaluation board, in process. It watches the data register the
// way the chip watches its three pins and answers on status bit 4, so the whole panel
// runs without hardware.
#pragma once

#include <optional>

#include "platform/parllio/parllio.h"

namespace parllio {

struct SimSettings {
    int initialCode = 11;            // the chip's code at power-up (0..31)
    std::optional<int> refusals = 0; // claims refused before one succeeds; nothing: always
    std::optional<bool> stuckStatus; // a status line stuck high (true) or low (false)

    // FLTAMP_SIM_CODE, FLTAMP_SIM_REFUSE (a number or "always"), FLTAMP_SIM_STATUS (high|low).
    static SimSettings fromEnvironment();
};

class SimBoard : public Backend {
public:
    explicit SimBoard(const SimSettings& settings);

    bool claim(std::string& why) override;
    void outByte(std::int32_t address, std::uint8_t value) override;
    std::uint8_t inByte(std::int32_t address) override;

    int code() const { return code_; }

private:
    void risingClock(bool dataBit);
    void frameEnds();

    SimSettings settings_;
    int claimsRefused_ = 0;
    int code_;
    std::uint8_t lines_ = 0xFF; // the data register as last written; unknown counts as all high
    bool inFrame_ = false;
    int edges_ = 0; // rising clock edges seen in this frame
    bool writeFrame_ = false;
    int shifted_ = 0;     // code bits received in a write frame
    bool answer_ = false; // what the chip drives on status bit 4
};

} // namespace parllio
