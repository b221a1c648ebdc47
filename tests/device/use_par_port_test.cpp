// Serial word transfer and the four chip commands, checked byte for byte on the wire:
// on the port itself and through each adapter backend (FTDI, GPIO) and its fake, whose
// board pins must go through the same levels.
#include "device/UseParPort.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "platform/parllio/sim/sim_board.h"
#include "support/port_recorder.h"

namespace {

using device::Integer;
using testsupport::RecordedPort;
using Events = std::vector<std::string>;

// The wire as seen on one route to the board; the tests below run on every route.
class TransferTest : public ::testing::Test {
protected:
    explicit TransferTest(testsupport::Route route) : port{route} {}

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

    // The wire as one line: "W01" a data-register write, "R10" a status read and its
    // answer, each "." after them one wait pass.
    std::string wireLine() const {
        std::string line;
        for (const std::string& event : port.recorder->events) {
            if (event != "." && !line.empty())
                line += ' ';
            line += event == "." ? event : event.substr(0, 1) + event.substr(2);
        }
        return line;
    }

    static Events concat(std::initializer_list<Events> parts) {
        Events all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }

    std::vector<std::string> phases;
    RecordedPort port;
};

class Transfers : public TransferTest, public ::testing::WithParamInterface<testsupport::Route> {
protected:
    Transfers() : TransferTest(GetParam()) {}
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
    EXPECT_EQ(wireLine(), "W01 W01. W05. "                           // Setup
                          "W02. W06. W00. W04. W00. W04. W02. W06. " // 1, 0, 0, bit 0
                          "W00. W04. W02. W06. W02. W06. W02. W06. " // bits 1..4
                          "W01. W05. W01");                          // Settle, rest
    EXPECT_TRUE(port.recorder->allAt(888));
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

TEST_P(Transfers, WaitCountSetsThePassesAfterEveryInnerWrite) {
    device::writeFreqCode(Integer{3}, 2); // three passes a wait
    EXPECT_EQ(wireLine(), "W01 W01... W05... "
                          "W02... W06... W00... W04... W00... W04... W02... W06... "
                          "W02... W06... W00... W04... W00... W04... W00... W04... "
                          "W01... W05... W01");
}

// Each read, with waits of different lengths so that every pass shows whose wait it is,
// and a status line that answers 1, 0, 1, 1, 0 through bytes whose other bits are noise.
struct ReadCase {
    const char* name;
    std::function<void()> read;
    const char* wire;
    std::vector<std::string> phases;
};

const std::vector<std::string> readPhases = {"R Setup", "Read 0", "Read 1", "Read 2",
                                             "Read 3",  "Read 4", "Settle"};

std::vector<std::string> withFlagPhase(std::vector<std::string> phases) {
    phases.insert(phases.begin() + 1, "SDAT 0 (R)");
    return phases;
}

void PrintTo(const ReadCase& read, std::ostream* out) {
    *out << read.name;
}

class ReadTransfers
    : public TransferTest,
      public ::testing::WithParamInterface<std::tuple<testsupport::Route, ReadCase>> {
protected:
    ReadTransfers() : TransferTest(std::get<0>(GetParam())) {}
    static const ReadCase& read() { return std::get<1>(GetParam()); }
};

TEST_P(ReadTransfers, PutExactlyTheirSequenceOnTheWireAndStoreTheFiveBits) {
    // The first status read is discarded; 0x0F and 0xEF have every bit but bit 4 set.
    port.recorder->statuses = {0x00, 0x1F, 0x0F, 0xFF, 0x10, 0xEF};
    device::bitBuffer.fill(1);
    device::codeBits.fill(1);
    read().read();
    EXPECT_EQ(wireLine(), read().wire);
    EXPECT_EQ(device::currentCode, 0b01101);
    const std::array<Integer, 16> word = {1, 0, 1, 1, 0}; // indexes 5..15 cleared
    EXPECT_EQ(device::bitBuffer, word);
    EXPECT_EQ(phases, read().phases);
    EXPECT_TRUE(port.recorder->allAt(888));
}

INSTANTIATE_TEST_SUITE_P(
    EachRead, ReadTransfers,
    ::testing::Combine(
        testsupport::everyRoute,
        ::testing::Values(
            // d = 1 gives two passes a wait, r = 2 three: the read flag's first wait is r's.
            ReadCase{
                "readFreqCode", [] { device::readFreqCode(1, 2); },
                "R00 W01 W01.. W05.. W01... W00.. W04.. "
                "W00.. W04 R1f.. W00.. W04 R0f.. W00.. W04 Rff.. W00.. W04 R10.. W00.. W04 Ref.. "
                "W01.. W05.. W01",
                withFlagPhase(readPhases)},
            ReadCase{
                "readBackCode", [] { device::readBackCode(1); },
                "R00 W01 W01.. W05.. "
                "W00.. W04 R1f.. W00.. W04 R0f.. W00.. W04 Rff.. W00.. W04 R10.. W00.. W04 Ref.. "
                "W01.. W05.. W01",
                readPhases},
            ReadCase{"readFreqCodeAtLoad",
                     [] { device::readFreqCodeAtLoad(); },
                     "R00 W01 W01 W05 W00 W04 "
                     "W00 W04 R1f W00 W04 R0f W00 W04 Rff W00 W04 R10 W00 W04 Ref "
                     "W01 W05 W01",
                     {}})),
    [](const auto& info) {
        return std::string(std::get<1>(info.param).name) + "_" +
               testsupport::routeName({std::get<0>(info.param), info.index});
    });

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
