// What the window tests share: the scripted operator (dialogs, program end), a simulated
// board that keeps a log of the wire, and a fixture that starts each test from the
// program's start values.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/os_version.h"
#include "platform/parllio/sim/sim_board.h"
#include "support/scripted_dialogs.h"

namespace panel::test {

using testsupport::ProgramEnded;
using testsupport::ScriptedDialogs;

// One port access or wait pass as the board saw it, with what the window showed then.
struct WireEvent {
    char kind; // 'W' a write, 'R' a status read, '.' one pass of a wait
    int value;
    std::string phase;
};

class TestBoard : public parllio::SimBoard {
public:
    explicit TestBoard(const parllio::SimSettings& settings) : SimBoard(settings) {}
    void outByte(std::int32_t address, std::uint8_t value) override;
    std::uint8_t inByte(std::int32_t address) override;

    std::vector<WireEvent> events;
    std::function<std::string()> phaseNow; // reads Text_curBit
    bool failing = false;                  // every access raises a port error
    std::vector<int> writes() const;
};

// A version record of the given platform and major version.
std::function<bool(platform::OsVersionRecord&)> systemOf(std::uint32_t platformId,
                                                         std::uint32_t major);

class PanelFixture : public ::testing::Test {
protected:
    // Every wait pass of a transfer goes into the installed TestBoard's events.
    void SetUp() override;
    void TearDown() override;
    // Installs a board; its claim succeeds unless refused. Returns it (owned by parllio).
    TestBoard& installBoard(int chipCode, std::optional<int> refusals = 0);

    ScriptedDialogs dialogs;
    testsupport::ProgramEndTrap endTrap;
};

} // namespace panel::test
