// The window tests' scripted platform.
#include "panel_test_support.h"

#include <memory>

#include "device/UseParPort.h"
#include "device/Variables.h"
#include "platform/parllio/parllio.h"

namespace panel::test {

void TestBoard::outByte(std::int32_t address, std::uint8_t value) {
    if (failing)
        throw parllio::PortError("port gone");
    events.push_back({'W', value, phaseNow ? phaseNow() : std::string()});
    SimBoard::outByte(address, value);
}

std::uint8_t TestBoard::inByte(std::int32_t address) {
    if (failing)
        throw parllio::PortError("port gone");
    const std::uint8_t value = SimBoard::inByte(address);
    events.push_back({'R', value, phaseNow ? phaseNow() : std::string()});
    return value;
}

std::vector<int> TestBoard::writes() const {
    std::vector<int> values;
    for (const WireEvent& event : events)
        if (event.kind == 'W')
            values.push_back(event.value);
    return values;
}

std::function<bool(platform::OsVersionRecord&)> systemOf(std::uint32_t platformId,
                                                         std::uint32_t major) {
    return [=](platform::OsVersionRecord& record) {
        record.platformId = platformId;
        record.majorVersion = major;
        return true;
    };
}

void PanelFixture::SetUp() {
    device::resetProgramState();
    platform::setVersionSource(systemOf(platform::platformNt, 5));
    parllio::useBackend(nullptr);
    device::setWaitFunction([](device::Long count) {
        // Whichever board is installed now: tests swap boards halfway.
        auto* board = dynamic_cast<TestBoard*>(parllio::currentBackend());
        for (device::Long pass = 0; board && pass <= count; ++pass)
            board->events.push_back({'.', 0, board->phaseNow ? board->phaseNow() : std::string()});
    });
}

void PanelFixture::TearDown() {
    device::setWaitFunction({});
    parllio::useBackend(nullptr);
    platform::setVersionSource({});
    device::resetProgramState();
}

TestBoard& PanelFixture::installBoard(int chipCode, std::optional<int> refusals) {
    parllio::SimSettings settings;
    settings.initialCode = chipCode;
    settings.refusals = refusals;
    auto board = std::make_unique<TestBoard>(settings);
    TestBoard& installed = *board;
    parllio::useBackend(std::move(board));
    return installed;
}

} // namespace panel::test
