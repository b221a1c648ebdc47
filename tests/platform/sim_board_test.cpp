// The simulated board against the wire rules, driven both by raw register writes and by
// the device link's own commands.
#include "platform/parllio/sim/sim_board.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "device/UseParPort.h"
#include "support/port_recorder.h"

namespace {

using parllio::SimBoard;
using parllio::SimSettings;

// Clocks a frame of bits on the raw register: latch low, each bit on a rising edge.
void clockFrame(SimBoard& board, const std::vector<int>& bits) {
    board.outByte(888, 0x01);
    for (int bit : bits) {
        board.outByte(888, bit ? 0x02 : 0x00);
        board.outByte(888, bit ? 0x06 : 0x04);
    }
}

int answer(SimBoard& board) {
    return board.inByte(889) == 0x10 ? 1 : 0;
}

TEST(SimBoard, WriteFrameStoresBitsThreeToSevenWhenTheLatchRises) {
    SimBoard board(SimSettings{});
    clockFrame(board, {1, 0, 0, 1, 0, 1, 1, 1});
    EXPECT_EQ(board.code(), 11); // not yet: the latch is still low
    board.outByte(888, 0x01);
    EXPECT_EQ(board.code(), 29);
}

TEST(SimBoard, ShortWriteFrameChangesNothing) {
    SimBoard board(SimSettings{});
    clockFrame(board, {1, 0, 0, 1, 1});
    board.outByte(888, 0x01);
    EXPECT_EQ(board.code(), 11);
}

TEST(SimBoard, ReadFrameAnswersBitKMinusOneOnTheKthEdgeAfterTheFlag) {
    SimSettings settings;
    settings.initialCode = 0b10110;
    SimBoard board(settings);
    clockFrame(board, {0});
    EXPECT_EQ(answer(board), 0);
    std::vector<int> bits;
    for (int k = 1; k <= 5; ++k) {
        board.outByte(888, 0x00);
        board.outByte(888, 0x04);
        bits.push_back(answer(board));
        board.outByte(888, 0x00); // the answer holds through the clock's fall
        EXPECT_EQ(answer(board), bits.back());
    }
    EXPECT_EQ(bits, (std::vector<int>{0, 1, 1, 0, 1}));
    board.outByte(888, 0x01);
    EXPECT_EQ(answer(board), 0); // outside a frame the line is low
}

TEST(SimBoard, ChipCommandsWriteAndReadTheStoredCode) {
    testsupport::RecordedPort port;
    port.recorder->inner = std::make_unique<SimBoard>(SimSettings{});
    device::resetProgramState();
    device::portAddress = 956;
    device::readFreqCodeAtLoad();
    EXPECT_EQ(device::currentCode, 11);
    for (device::Integer code : {0, 5, 29, 31}) {
        device::writeFreqCode(code, 0);
        device::readFreqCode(0, 0);
        EXPECT_EQ(device::currentCode, code);
    }
}

TEST(SimBoard, ClaimsAreRefusedAsConfigured) {
    SimSettings settings;
    settings.refusals = 2;
    SimBoard board(settings);
    std::string why;
    EXPECT_FALSE(board.claim(why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(board.claim(why));
    EXPECT_TRUE(board.claim(why));
    settings.refusals.reset();
    SimBoard stubborn(settings);
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(stubborn.claim(why));
}

TEST(SimSettingsFromEnvironment, ReadsCodeRefusalsAndStuckStatus) {
    setenv("FLTAMP_SIM_CODE", "29", 1);
    setenv("FLTAMP_SIM_REFUSE", "always", 1);
    setenv("FLTAMP_SIM_STATUS", "high", 1);
    SimSettings settings = SimSettings::fromEnvironment();
    EXPECT_EQ(settings.initialCode, 29);
    EXPECT_FALSE(settings.refusals.has_value());
    EXPECT_EQ(settings.stuckStatus, true);
    setenv("FLTAMP_SIM_CODE", "40", 1); // out of the register's range: the default stays
    setenv("FLTAMP_SIM_REFUSE", "3", 1);
    setenv("FLTAMP_SIM_STATUS", "low", 1);
    settings = SimSettings::fromEnvironment();
    EXPECT_EQ(settings.initialCode, 11);
    EXPECT_EQ(settings.refusals, 3);
    EXPECT_EQ(settings.stuckStatus, false);
    unsetenv("FLTAMP_SIM_CODE");
    unsetenv("FLTAMP_SIM_REFUSE");
    unsetenv("FLTAMP_SIM_STATUS");
    settings = SimSettings::fromEnvironment();
    EXPECT_EQ(settings.initialCode, 11);
    EXPECT_EQ(settings.refusals, 0);
    EXPECT_FALSE(settings.stuckStatus.has_value());
}

} // namespace
