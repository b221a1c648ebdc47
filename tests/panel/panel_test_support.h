// What the window tests share: scripted answers for message boxes and file dialogs, a
// way out of endProgram that unwinds back into the test, a simulated board that keeps a
// log of the wire, and a fixture that starts each test from the program's start values.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/os_version.h"
#include "platform/parllio/sim/sim_board.h"

namespace panel::test {

// Thrown by the test's program-end handler; deliberately no std::exception, so that no
// "skip the failing step" handler in the window can swallow it.
struct ProgramEnded {
    int status;
};

class ScriptedDialogs : public platform::DialogProvider {
public:
    platform::Answer ask(const platform::MessageRequest& request) override;
    std::optional<std::string> chooseFile(const platform::FileRequest& request) override;

    std::deque<platform::Answer> answers;               // taken in order; Ok when empty
    std::deque<std::optional<std::string>> fileChoices; // taken in order; cancel when empty
    std::vector<platform::MessageRequest> messages;     // every box shown
    std::vector<platform::FileRequest> fileRequests;    // every file dialog shown

    std::vector<std::string> texts() const;
};

// One port access as the board saw it, with what Text_curBit showed at that moment.
struct WireEvent {
    char kind; // 'W' or 'R'
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
    void SetUp() override;
    void TearDown() override;
    // Installs a board; its claim succeeds unless refused. Returns it (owned by parllio).
    TestBoard& installBoard(int chipCode, std::optional<int> refusals = 0);

    ScriptedDialogs dialogs;
};

} // namespace panel::test
