// The GPIO backend against a fake chip: the lines it requests and how, why a claim fails,
// one bulk write per port write, and the answer read from its own line.
#include "platform/parllio/gpio/gpio_backend.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "support/clock_loopback.h"
#include "support/fake_gpio.h"
#include "support/port_recorder.h"

namespace {

using parllio::GpioBackend;
using parllio::GpioSettings;
using parllio::PortError;
using testsupport::FakeGpio;
using Events = std::vector<std::string>;

class Gpio : public ::testing::Test {
protected:
    GpioBackend backend(GpioSettings settings = {}) {
        fake.board = &pins;
        return GpioBackend(fake.table(), std::move(settings));
    }

    FakeGpio fake;
    testsupport::BoardPins pins;
};

TEST_F(Gpio, ClaimRequestsTheOutputsAtRestAndThePulledUpAnswerLine) {
    GpioBackend lines = backend();
    std::string why;
    ASSERT_TRUE(lines.claim(why)) << why;
    EXPECT_EQ(fake.events,
              (Events{"open gpiochip0", "outputs 17,27,22 = 1,0,0", "input 23 pull-up"}));
    EXPECT_EQ(pins.events, (Events{"W 01"})); // no frame opened by the claim
    EXPECT_TRUE(lines.claim(why));
    EXPECT_EQ(fake.events.size(), 3u);
}

TEST_F(Gpio, AKernelWithoutBiasStillGetsTheAnswerLine) {
    fake.biasSupported = false;
    GpioBackend lines = backend();
    std::string why;
    ASSERT_TRUE(lines.claim(why)) << why;
    EXPECT_EQ(fake.events.back(), "input 23");
    EXPECT_FALSE(fake.pulledUp);
}

TEST_F(Gpio, EachWriteSetsTheThreeOutputsInOneCall) {
    GpioBackend lines = backend();
    std::string why;
    ASSERT_TRUE(lines.claim(why));
    fake.events.clear();
    for (std::uint8_t level : {0x00, 0x04, 0x02, 0x06, 0x05, 0x01})
        lines.outByte(888, level);
    EXPECT_EQ(fake.events, (Events{"set 0,0,0", "set 0,0,1", "set 0,1,0", "set 0,1,1", "set 1,0,1",
                                   "set 1,0,0"}));
    EXPECT_EQ(pins.events.back(), "W 01");
}

TEST_F(Gpio, TheAnswerIsReadFromItsOwnLineAfterTheLastWrite) {
    testsupport::ClockLoopback wire;
    GpioBackend lines = backend();
    std::string why;
    ASSERT_TRUE(lines.claim(why));
    fake.board = &wire;
    testsupport::expectAnswerFollowsClock(lines, 632);
    fake.board = nullptr; // no board: the pull-up reads high, so a read gives 31
    EXPECT_EQ(lines.inByte(957), wire::answerLine);
}

TEST_F(Gpio, RefusedClaimsSayWhyAndGiveBackEveryLine) {
    struct Case {
        const char* name;
        std::function<void(FakeGpio&)> arrange;
        const char* expected;
        Events events;
    };
    const Case cases[] = {
        {"no such chip",
         [](FakeGpio& f) { f.chipName = "gpiochip4"; },
         "no GPIO chip /dev/gpiochip0",
         {"open gpiochip0"}},
        {"root only",
         [](FakeGpio& f) { f.openError = EACCES; },
         "60-fltamp-gpio.rules",
         {"open gpiochip0"}},
        {"an output held elsewhere",
         [](FakeGpio& f) { f.busy = {22}; },
         "lines 17, 27, 22 (latch, data, clock): in use by another program",
         {"open gpiochip0", "outputs 17,27,22 = 1,0,0", "close"}},
        {"the answer line held elsewhere",
         [](FakeGpio& f) { f.busy = {23}; },
         "line 23 (answer): in use by another program",
         {"open gpiochip0", "outputs 17,27,22 = 1,0,0", "input 23 pull-up", "close"}},
        {"a small chip",
         [](FakeGpio& f) { f.lineCount = 20; },
         "no such line",
         {"open gpiochip0", "outputs 17,27,22 = 1,0,0", "close"}},
    };
    for (const Case& c : cases) {
        fake = FakeGpio{};
        c.arrange(fake);
        GpioBackend lines = backend();
        std::string why;
        EXPECT_FALSE(lines.claim(why)) << c.name;
        EXPECT_NE(why.find(c.expected), std::string::npos) << c.name << ": " << why;
        EXPECT_EQ(fake.events, c.events) << c.name;
        EXPECT_FALSE(fake.isOpen) << c.name;
    }
}

TEST_F(Gpio, RetryAfterALineWasFreedClaimsAfresh) {
    fake.busy = {23};
    GpioBackend lines = backend();
    std::string why;
    EXPECT_FALSE(lines.claim(why));
    fake.busy.clear();
    EXPECT_TRUE(lines.claim(why)) << why;
    EXPECT_TRUE(fake.isOpen);
}

TEST_F(Gpio, OnlyTheStandardAddressesReachTheLinesAndFailuresRaise) {
    GpioBackend lines = backend();
    std::string why;
    ASSERT_TRUE(lines.claim(why));
    fake.events.clear();
    EXPECT_THROW(lines.outByte(0x3F8, 1), PortError);
    EXPECT_THROW(lines.inByte(888), PortError);
    EXPECT_TRUE(fake.events.empty());
    fake.setError = EIO;
    fake.getError = ENODEV;
    EXPECT_THROW(lines.outByte(956, 1), PortError);
    EXPECT_THROW(lines.inByte(957), PortError);
}

TEST(GpioSettingsFromEnvironment, TakesFourDifferentLinesOrRefuses) {
    unsetenv("FLTAMP_GPIO_CHIP");
    unsetenv("FLTAMP_GPIO_LINES");
    GpioSettings settings = GpioSettings::fromEnvironment();
    EXPECT_EQ(settings.chip, "gpiochip0");
    EXPECT_EQ(settings.lines, (std::array<unsigned, 4>{17, 27, 22, 23}));
    EXPECT_EQ(settings.error, "");
    setenv("FLTAMP_GPIO_CHIP", "gpiochip1", 1);
    setenv("FLTAMP_GPIO_LINES", "5, 6,13 ,19", 1);
    settings = GpioSettings::fromEnvironment();
    EXPECT_EQ(settings.chip, "gpiochip1");
    EXPECT_EQ(settings.lines, (std::array<unsigned, 4>{5, 6, 13, 19}));
    EXPECT_EQ(settings.error, "");
    for (const char* bad : {"17,27,22", "17,27,22,23,24", "17,27,22,x", "17,27,22,17", "-1,2,3,4",
                            " ", "17,,22,23", "17;27;22;23", "17,27,22,23,"}) {
        setenv("FLTAMP_GPIO_LINES", bad, 1);
        settings = GpioSettings::fromEnvironment();
        EXPECT_NE(settings.error.find("FLTAMP_GPIO_LINES"), std::string::npos) << bad;
    }
    unsetenv("FLTAMP_GPIO_LINES");
    for (const char* bad : {"../sda", "gpio chip", "..", "/dev/gpiochip0"}) {
        setenv("FLTAMP_GPIO_CHIP", bad, 1);
        settings = GpioSettings::fromEnvironment();
        EXPECT_NE(settings.error.find("FLTAMP_GPIO_CHIP"), std::string::npos) << bad;
    }
    unsetenv("FLTAMP_GPIO_CHIP");
}

TEST_F(Gpio, MalformedSettingsRefuseTheClaimWithoutTouchingTheChip) {
    GpioSettings settings;
    settings.error = "FLTAMP_GPIO_LINES=17 is not four different line offsets";
    GpioBackend lines = backend(settings);
    std::string why;
    EXPECT_FALSE(lines.claim(why));
    EXPECT_EQ(why, settings.error);
    EXPECT_TRUE(fake.events.empty());
}

// On a board computer with a wire from the clock line to the answer line,
// FLTAMP_TEST_GPIO_LOOPBACK=1 checks the real chip (FLTAMP_GPIO_CHIP, FLTAMP_GPIO_LINES):
// the status bit follows the clock.
TEST(GpioHardware, StatusBitFollowsTheClockThroughALoopbackWire) {
    if (!std::getenv("FLTAMP_TEST_GPIO_LOOPBACK"))
        GTEST_SKIP() << "set FLTAMP_TEST_GPIO_LOOPBACK=1 with the clock line wired to the answer";
    GpioBackend lines(parllio::GpioCalls::real(), GpioSettings::fromEnvironment());
    std::string why;
    ASSERT_TRUE(lines.claim(why)) << why;
    testsupport::expectAnswerFollowsClock(lines);
}

} // namespace
