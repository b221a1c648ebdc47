// Serial word transfer and the four chip commands, checked byte for byte on the wire:
// on the port itself and through each adapter backend (FTDI, GPIO) and its fake, whose
// board pins must go through the same levels.
#include "device/UseParPort.h"

#include <gtest/gtest.h>

#include "platform/parllio/sim/sim_board.h"
#include "support/port_recorder.h"

namespace {

using device::Integer;
using testsupport::RecordedPort;
using Events = std::vector<std::string>;

class Transfers : public ::testing::TestWithParam<testsupport::Route> {
protected:
    void SetUp() override {
        device::resetProgramState();
        device::portAddress = 888;
        device::setPhaseDisplay([this](std::string_view phase) { phases.emplace_back(phase); });
    }
    void TearDown() override {
        port.expectPinsFollowedThePort();
        device::setPhaseDisplay({});
    }

    // The data-register writes of one data cycle per word bit, as "W 02","W 06" pairs.
    static Events dataCycles(const std::vector<int>& word) {
        Events events;
        for (int bit : word) {
            events.push_back(bit ? "W 02" : "W 00");
            events.push_back(bit ? "W 06" : "W 04");
        }
        return events;
    }

    static Events concat(std::initializer_list<Events> parts) {
        Events all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }

    std::vector<std::string> phases;
    RecordedPort port{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(OnEachRoute, Transfers, testsupport::everyRoute, testsupport::routeName);

TEST_P(Transfers, CodeToBitsGivesFiveBitsMostSignificantFirstAndClamps) {
    const std::pair<Integer, std::array<Integer, 5>> cases[] = {
        {29, {1, 1, 1, 0, 1}}, {0, {0, 0, 0, 0, 0}},  {31, {1, 1, 1, 1, 1}},
        {40, {1, 1, 1, 1, 1}}, {-3, {0, 0, 0, 0, 0}}, {6, {0, 0, 1, 1, 0}},
    };
    for (const auto& [code, bits] : cases) {
        Integer argument = code;
        device::codeToBits(argument);
        EXPECT_EQ(device::codeBits, bits) << code;
        EXPECT_EQ(argument, code);
    }
}

TEST_P(Transfers, SerialWordCarriesFlagTwoZerosAndCodeLeastSignificantFirst) {
    device::bitBuffer.fill(1);
    device::codeToBits(29);
    device::buildSerialWord(device::codeBits, 1);
    const std::array<Integer, 16> expected = {1, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(device::bitBuffer, expected);
    device::codeToBits(0);
    device::buildSerialWord(device::codeBits, 1);
    EXPECT_EQ(device::bitBuffer, (std::array<Integer, 16>{1}));
}

TEST_P(Transfers, BitsToCodeReadsFirstBitAsLeastSignificant) {
    const std::pair<std::array<Integer, 5>, device::Long> cases[] = {
        {{1, 0, 1, 1, 1}, 29}, {{0, 0, 0, 0, 0}, 0}, {{1, 1, 1, 1, 1}, 31}};
    for (const auto& [bits, code] : cases) {
        device::bitBuffer.fill(0);
        std::copy(bits.begin(), bits.end(), device::bitBuffer.begin());
        device::bitBuffer[5] = 1; // beyond the code: never counted
        EXPECT_EQ(device::bitsToCode(), code);
    }
}

TEST(WaitLoop, MakesCountPlusOnePassesAndNoneForNegativeCounts) {
    const std::pair<device::Long, std::int64_t> cases[] = {
        {0, 1}, {-1, 0}, {-100, 0}, {5, 6}, {1000, 1001}};
    for (const auto& [count, passes] : cases)
        EXPECT_EQ(device::waitLoop(count), passes) << count;
}

TEST_P(Transfers, WriteOf29IsTheExactByteSequenceWithOneWaitAfterEachInnerWrite) {
    const Integer code = 29;
    device::writeFreqCode(code, 0);
    const Events expected = {"W 01", "W 01", ".",    "W 05", ".",    "W 02", ".",    "W 06", ".",
                             "W 00", ".",    "W 04", ".",    "W 00", ".",    "W 04", ".",    "W 02",
                             ".",    "W 06", ".",    "W 00", ".",    "W 04", ".",    "W 02", ".",
                             "W 06", ".",    "W 02", ".",    "W 06", ".",    "W 02", ".",    "W 06",
                             ".",    "W 01", ".",    "W 05", ".",    "W 01"};
    EXPECT_EQ(port.recorder->events, expected);
    EXPECT_EQ(port.recorder->writes().size(), 22u);
    for (auto address : port.recorder->addresses)
        EXPECT_EQ(address, 888);
}

TEST_P(Transfers, WriteSendsOutOfRangeCodesClampedAndShowsEveryPhase) {
    const std::pair<Integer, std::vector<int>> cases[] = {{0, {1, 0, 0, 0, 0, 0, 0, 0}},
                                                          {40, {1, 0, 0, 1, 1, 1, 1, 1}},
                                                          {-3, {1, 0, 0, 0, 0, 0, 0, 0}}};
    for (const auto& [code, word] : cases) {
        port.clearEvents();
        phases.clear();
        device::writeFreqCode(code, -1); // no wait passes at all
        EXPECT_EQ(port.recorder->events,
                  concat({{"W 01", "W 01", "W 05"}, dataCycles(word), {"W 01", "W 05", "W 01"}}))
            << code;
    }
    const std::vector<std::string> expectedPhases = {"Setup",  "Data 0", "Data 1", "Data 2",
                                                     "Data 3", "Data 4", "Data 5", "Data 6",
                                                     "Data 7", "Settle"};
    EXPECT_EQ(phases, expectedPhases);
}

TEST_P(Transfers, WaitCountSetsThePassesBetweenWrites) {
    device::writeFreqCode(Integer{3}, 2);
    const auto& events = port.recorder->events;
    // Three passes follow each of the 20 inner writes; none after the first and last write.
    EXPECT_EQ(std::count(events.begin(), events.end(), "."), 20 * 3);
    EXPECT_EQ(events[1], "W 01");
    EXPECT_EQ(events[2], ".");
    EXPECT_EQ(events.back(), "W 01");
    EXPECT_EQ(events[events.size() - 5], "W 05");
}

TEST_P(Transfers, ReadFreqCodeClocksTheReadFlagAndAssemblesTheAnswer) {
    port.recorder->statuses = {0xEF, 0x10, 0x00, 0x1F, 0xFF, 0x10};
    device::bitBuffer.fill(1);
    device::readFreqCode(-1, -1);
    EXPECT_EQ(device::currentCode, 29);
    const Events expected = {"R ef", "W 01", "W 01", "W 05", "W 01", "W 00", "W 04", "W 00", "W 04",
                             "R 10", "W 00", "W 04", "R 00", "W 00", "W 04", "R 1f", "W 00", "W 04",
                             "R ff", "W 00", "W 04", "R 10", "W 01", "W 05", "W 01"};
    EXPECT_EQ(port.recorder->events, expected);
    for (int i = 5; i < 16; ++i)
        EXPECT_EQ(device::bitBuffer[i], 0) << i;
    EXPECT_EQ(port.recorder->addresses.front(), 889);
    const std::vector<std::string> expectedPhases = {"R Setup", "SDAT 0 (R)", "Read 0", "Read 1",
                                                     "Read 2",  "Read 3",     "Read 4", "Settle"};
    EXPECT_EQ(phases, expectedPhases);
}

TEST_P(Transfers, ReadFlagWaitSeparatesClockFallFromLatchFall) {
    device::readFreqCode(0, 2);
    const Events& events = port.recorder->events;
    // After R Setup (0x01 . 0x05 .), the flag phase: 0x01, r+1 passes, 0x00, one pass, 0x04, one
    // pass.
    const Events flag(events.begin() + 6, events.begin() + 14);
    EXPECT_EQ(flag, (Events{"W 01", ".", ".", ".", "W 00", ".", "W 04", "."}));
}

TEST_P(Transfers, ReadBackIsReadFreqCodeWithoutTheFlagPhase) {
    device::readFreqCode(-1, -1);
    Events withFlag = port.recorder->writes();
    port.clearEvents();
    phases.clear();
    device::readBackCode(-1);
    const Events readBack = port.recorder->writes();
    EXPECT_EQ(readBack.size(), 16u);
    EXPECT_EQ(port.recorder->reads(), 6);
    withFlag.erase(withFlag.begin() + 3, withFlag.begin() + 6);
    EXPECT_EQ(readBack, withFlag);
    EXPECT_EQ(phases, (std::vector<std::string>{"R Setup", "Read 0", "Read 1", "Read 2", "Read 3",
                                                "Read 4", "Settle"}));
}

TEST_P(Transfers, ReadAtLoadHasNoWaitsNoPhasesAndEighteenWrites) {
    port.recorder->statuses = {0x00, 0x10, 0x10, 0x00, 0x00, 0x10};
    device::readFreqCodeAtLoad();
    EXPECT_EQ(device::currentCode, 0b10011);
    const Events expected = {"R 00", "W 01", "W 01", "W 05", "W 00", "W 04", "W 00", "W 04",
                             "R 10", "W 00", "W 04", "R 10", "W 00", "W 04", "R 00", "W 00",
                             "W 04", "R 00", "W 00", "W 04", "R 10", "W 01", "W 05", "W 01"};
    EXPECT_EQ(port.recorder->events, expected);
    EXPECT_TRUE(phases.empty());
}

TEST_P(Transfers, StuckStatusLineReadsAsAllOnesOrAllZeros) {
    const std::pair<bool, Integer> cases[] = {{true, 31}, {false, 0}};
    for (const auto& [high, code] : cases) {
        parllio::SimSettings settings;
        settings.stuckStatus = high;
        port.useBoard(std::make_unique<parllio::SimBoard>(settings));
        device::readFreqCode(0, 0);
        EXPECT_EQ(device::currentCode, code);
        device::readFreqCodeAtLoad();
        EXPECT_EQ(device::currentCode, code);
    }
}

TEST_P(Transfers, CodesWrittenComeBackFromTheBoard) {
    port.useBoard(std::make_unique<parllio::SimBoard>(parllio::SimSettings{}));
    for (Integer code : {0, 5, 22, 29, 31}) {
        device::writeFreqCode(code, 0);
        device::readFreqCode(0, 0);
        EXPECT_EQ(device::currentCode, code);
        device::readFreqCodeAtLoad();
        EXPECT_EQ(device::currentCode, code);
    }
}

TEST_P(Transfers, PortErrorsPassToTheCaller) {
    parllio::useBackend(nullptr);
    EXPECT_THROW(device::writeFreqCode(Integer{1}, 0), parllio::PortError);
}

} // namespace
