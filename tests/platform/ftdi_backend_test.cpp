// The FTDI backend against a fake bridge: how it picks and opens the device, why a claim
// fails, and that every access is done on the pins before it returns.
#include "platform/parllio/ftdi/ftdi_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "device/UseParPort.h"
#include "platform/parllio/sim/sim_board.h"
#include "support/clock_loopback.h"
#include "support/fake_ftdi.h"
#include "support/port_recorder.h"

namespace {

using parllio::FtdiBackend;
using parllio::FtdiSettings;
using parllio::PortError;
using testsupport::FakeFtdi;

class Ftdi : public ::testing::Test {
protected:
    FtdiBackend backend(FtdiSettings settings = {}) {
        fake.board = &pins;
        return FtdiBackend(fake.table(), std::move(settings));
    }

    static FtdiSettings describing(const std::string& device) {
        FtdiSettings settings;
        settings.device = device;
        return settings;
    }

    FakeFtdi fake;
    testsupport::BoardPins pins;
};

TEST_F(Ftdi, ClaimTakesTheOnlyBridgeIntoSynchronousBitbangAtRest) {
    FtdiBackend bridge = backend();
    std::string why;
    ASSERT_TRUE(bridge.claim(why)) << why;
    EXPECT_EQ(fake.steps,
              (std::vector<std::string>{"find", "open d:1/5", "timeouts 100 100", "latency 1",
                                        "bitmode 00 04", "baud 2500", "flush", "bitmode 07 04"}));
    EXPECT_EQ(fake.written, (std::vector<std::uint8_t>{0x01, 0x01}));
    // The pins float high as inputs, then drive the rest level: the latch never falls.
    ASSERT_FALSE(pins.events.empty());
    for (const auto& level : pins.events)
        EXPECT_TRUE(std::stoi(level.substr(2), nullptr, 16) & wire::latchLine) << level;
    EXPECT_EQ(pins.events.back(), "W 01");
    EXPECT_TRUE(bridge.claim(why)); // claimed once; nothing opened again
    EXPECT_EQ(std::count(fake.steps.begin(), fake.steps.end(), "open d:1/5"), 1);
}

TEST_F(Ftdi, RefusedClaimsSayWhy) {
    using parllio::UsbProbe;
    struct Case {
        const char* name;
        std::string device; // FLTAMP_FTDI
        std::vector<parllio::FtdiDevice> devices;
        int openResult;
        std::map<std::string, UsbProbe> probes;
        std::vector<const char*> expected; // parts of the reason
    };
    const auto one = FakeFtdi::device(1, 5, "A10K3");
    const auto two = FakeFtdi::device(1, 7, "FT9XQ");
    const Case cases[] = {
        {"nothing plugged in", "", {}, 0, {}, {"no FTDI adapter is plugged in"}},
        {"permission",
         "",
         {one},
         -4,
         {{"d:1/5", {parllio::usb::accessDenied, 0, "Access denied"}}},
         {"permission denied on the FTDI device d:1/5", "60-fltamp-ftdi.rules", "plugdev"}},
        {"busy",
         "",
         {one},
         -5,
         {{"d:1/5", {0, parllio::usb::busy, "Resource busy"}}},
         {"d:1/5 is in use by another program"}},
        {"unplugged meanwhile",
         "",
         {one},
         -4,
         {{"d:1/5", {parllio::usb::noDevice, 0, "No device"}}},
         {"d:1/5 is not on the bus"}},
        {"libusb has nothing to add", "", {one}, -6, {}, {"d:1/5: unable to claim usb device"}},
        {"no such vendor:product", "i:0x0403:0x6014", {one}, -3, {}, {"no FTDI device 0403:6014"}},
        {"no such serial", "s:0x0403:0x6001:NOPE", {one, two}, -3, {}, {"has the serial NOPE"}},
        {"index past the devices",
         "i:0x0403:0x6001:2",
         {one, two},
         -3,
         {},
         {"0403:6001 number 2 (counting from 0)"}},
        // libftdi opens each fitting device up to the one meant: the first may stop it.
        {"stopped at an earlier device",
         "i:0x403:0x6001:1",
         {one, two},
         -4,
         {{"d:1/5", {parllio::usb::accessDenied, 0, "Access denied"}}},
         {"permission denied on the FTDI device d:1/5"}},
        {"malformed",
         "i:0x0403",
         {one},
         0,
         {},
         {"FLTAMP_FTDI=i:0x0403 names no device", "d:BUS/ADDRESS"}},
    };
    for (const Case& c : cases) {
        fake = FakeFtdi{};
        fake.devices = c.devices;
        fake.openResult = c.openResult;
        fake.probes = c.probes;
        FtdiBackend bridge = backend(describing(c.device));
        std::string why;
        EXPECT_FALSE(bridge.claim(why)) << c.name;
        for (const char* part : c.expected)
            EXPECT_NE(why.find(part), std::string::npos) << c.name << ": " << why;
        EXPECT_FALSE(fake.isOpen) << c.name;
    }
}

TEST_F(Ftdi, SeveralBridgesWithoutAChoiceAreListedAndNoneIsOpened) {
    fake.devices = {FakeFtdi::device(1, 5, "A10K3"), FakeFtdi::device(3, 2, "FT9XQ")};
    FtdiBackend bridge = backend();
    std::string why;
    EXPECT_FALSE(bridge.claim(why));
    for (const char* part : {"several FTDI devices", "FLTAMP_FTDI", "d:1/5 0403:6001", "A10K3",
                             "d:3/2 0403:6001 \"FT232R USB UART\" serial FT9XQ"})
        EXPECT_NE(why.find(part), std::string::npos) << part << " in " << why;
    EXPECT_EQ(fake.steps, (std::vector<std::string>{"find"}));

    FtdiBackend chosen = backend(describing("s:0x0403:0x6001:FT9XQ"));
    EXPECT_TRUE(chosen.claim(why)) << why;
    EXPECT_EQ(fake.steps[1], "open s:0x0403:0x6001:FT9XQ");
}

TEST_F(Ftdi, AFailedSetUpClosesTheBridgeSoThatRetryOpensItAfresh) {
    for (const char* step : {"latency", "bitmode", "baud", "flush"}) {
        fake = FakeFtdi{};
        fake.failing = {step};
        FtdiBackend bridge = backend();
        std::string why;
        EXPECT_FALSE(bridge.claim(why)) << step;
        EXPECT_NE(why.find("failed"), std::string::npos) << why;
        EXPECT_EQ(fake.steps.back(), "close") << step;
        fake.failing.clear();
        EXPECT_TRUE(bridge.claim(why)) << why;
        EXPECT_EQ(std::count(fake.steps.begin(), fake.steps.end(), "open d:1/5"), 2) << step;
    }
}

TEST_F(Ftdi, EveryWriteIsOnThePinsAndEveryReadSeesTheLastWrite) {
    testsupport::ClockLoopback wire;
    FtdiBackend bridge = backend();
    std::string why;
    ASSERT_TRUE(bridge.claim(why));
    fake.board = &wire;
    fake.emptyReads = 3; // the bridge is slow to send its samples
    testsupport::expectAnswerFollowsClock(bridge);
    fake.board = &pins;
    bridge.outByte(888, 0x02);
    EXPECT_EQ(pins.events.back(), "W 02"); // on the pins when the call returns
}

TEST_F(Ftdi, TheThreeStandardAddressesReachTheBridgeAndNoOtherDoes) {
    FtdiBackend bridge = backend();
    std::string why;
    ASSERT_TRUE(bridge.claim(why));
    for (std::int32_t base : {888, 632, 956}) {
        bridge.outByte(base, 0x01);
        bridge.inByte(base + 1);
    }
    const auto written = fake.written.size();
    EXPECT_THROW(bridge.outByte(0x1234, 1), PortError);
    EXPECT_THROW(bridge.outByte(889, 1), PortError);
    EXPECT_THROW(bridge.inByte(888), PortError);
    EXPECT_EQ(fake.written.size(), written);
}

TEST_F(Ftdi, AnUnplugMidTransferFailsThatTransferAtOnce) {
    parllio::SimBoard board(parllio::SimSettings{});
    auto owned = std::make_unique<FtdiBackend>(fake.table(), FtdiSettings{});
    fake.board = &board;
    std::string why;
    ASSERT_TRUE(owned->claim(why));
    parllio::useBackend(std::move(owned));
    device::portAddress = 888;
    struct Case {
        const char* name;
        int bytesBeforeUnplug;
        int mostReads; // one empty read and one sample per byte that went, one more at most
    };
    // Gone while a byte is on its way (its sample never comes), and gone before a write.
    for (const Case& c : {Case{"mid-byte", 4, 2 * 3 + 1}, Case{"before a byte", 0, 0}}) {
        fake.unplugAfterWrites = static_cast<int>(fake.written.size()) + c.bytesBeforeUnplug;
        const int reads = fake.reads;
        try {
            device::writeFreqCode(device::Integer{5}, 0);
            ADD_FAILURE() << c.name << ": the transfer went through";
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find("unplugged"), std::string::npos)
                << c.name << ": " << error.what();
        }
        EXPECT_LE(fake.reads - reads, c.mostReads) << c.name;
        fake.unplugAfterWrites.reset();
        fake.isOpen = true;
    }
    parllio::useBackend(nullptr);
}

TEST_F(Ftdi, ABridgeThatStopsAnsweringFailsAndTheNextAccessStartsClean) {
    FtdiBackend bridge = backend();
    std::string why;
    ASSERT_TRUE(bridge.claim(why));
    fake.silent = true;
    try {
        bridge.outByte(888, 0x04);
        ADD_FAILURE() << "no failure";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find("no answer within 100 ms"), std::string::npos)
            << error.what();
    }
    fake.silent = false;
    fake.steps.clear();
    bridge.outByte(888, 0x01);
    EXPECT_EQ(fake.steps, (std::vector<std::string>{"flush"})); // a late sample is dropped
}

TEST(FtdiSettingsFromEnvironment, ReadsTheDeviceAndTheRateAndRefusesABadRate) {
    unsetenv("FLTAMP_FTDI");
    unsetenv("FLTAMP_FTDI_RATE");
    FtdiSettings settings = FtdiSettings::fromEnvironment();
    EXPECT_EQ(settings.device, "");
    EXPECT_EQ(settings.rate, 10000);
    EXPECT_EQ(settings.error, "");
    setenv("FLTAMP_FTDI", "s:0x0403:0x6014:FT1", 1);
    setenv("FLTAMP_FTDI_RATE", "40000", 1);
    settings = FtdiSettings::fromEnvironment();
    EXPECT_EQ(settings.device, "s:0x0403:0x6014:FT1");
    EXPECT_EQ(settings.rate, 40000);
    for (const char* bad : {"fast", "999", "1000001", "4e4", "-5000"}) {
        setenv("FLTAMP_FTDI_RATE", bad, 1);
        settings = FtdiSettings::fromEnvironment();
        EXPECT_NE(settings.error.find("FLTAMP_FTDI_RATE"), std::string::npos) << bad;
    }
    unsetenv("FLTAMP_FTDI");
    unsetenv("FLTAMP_FTDI_RATE");
}

TEST_F(Ftdi, TheRateIsGivenToLibftdiAsAQuarter) {
    FtdiSettings settings;
    settings.rate = 40000;
    FtdiBackend bridge = backend(settings);
    std::string why;
    ASSERT_TRUE(bridge.claim(why));
    EXPECT_NE(std::find(fake.steps.begin(), fake.steps.end(), "baud 10000"), fake.steps.end());
}

// On a bench with an FTDI bridge and a wire from D2 (clock) to D3 (answer),
// FLTAMP_TEST_FTDI_LOOPBACK=1 checks the real bridge: the status bit follows the clock.
TEST(FtdiHardware, StatusBitFollowsTheClockThroughALoopbackWire) {
    if (!std::getenv("FLTAMP_TEST_FTDI_LOOPBACK"))
        GTEST_SKIP() << "set FLTAMP_TEST_FTDI_LOOPBACK=1 with D2 wired to D3";
    FtdiBackend bridge(parllio::FtdiCalls::real(), FtdiSettings::fromEnvironment());
    std::string why;
    ASSERT_TRUE(bridge.claim(why)) << why;
    testsupport::expectAnswerFollowsClock(bridge);
}

} // namespace
