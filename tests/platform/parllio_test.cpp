// The port library's entry points: backend choice, 8-bit values, the trace file.
#include "platform/parllio/parllio.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/parllio/trace.h"
#include "support/port_recorder.h"

namespace {

TEST(Parllio, UnknownBackendNameIsAFailedClaimWithAReason) {
    parllio::useBackend(nullptr);
    setenv("FLTAMP_PORT", "serial", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(parllio::ClaimParallelPort(1, 50), 0);
    const std::string message = testing::internal::GetCapturedStderr();
    unsetenv("FLTAMP_PORT");
    EXPECT_EQ(message, "fltamp: parallel port not claimed: " + parllio::lastClaimRefusal() + "\n");
    EXPECT_NE(message.find("unknown port backend \"serial\""), std::string::npos) << message;
    EXPECT_THROW(parllio::OutByte(888, 1), parllio::PortError);
}

TEST(Parllio, SimBackendIsChosenByName) {
    parllio::useBackend(nullptr);
    setenv("FLTAMP_PORT", "sim", 1);
    EXPECT_NE(parllio::ClaimParallelPort(1, 50), 0);
    unsetenv("FLTAMP_PORT");
    EXPECT_NE(parllio::currentBackend(), nullptr);
    EXPECT_EQ(parllio::makeBackend("bogus"), nullptr);
    parllio::useBackend(nullptr);
}

TEST(Parllio, EveryBackendNameBuildsItsBackend) {
    for (const char* name : {"ppdev", "sim", "ftdi", "gpio"})
        EXPECT_NE(parllio::makeBackend(name), nullptr) << name;
}

TEST(Parllio, WritesOnlyTheLowEightBits) {
    testsupport::RecordedPort port;
    parllio::OutByte(888, 0x105);
    parllio::OutByte(888, -1);
    EXPECT_EQ(port.recorder->events, (std::vector<std::string>{"W 05", "W ff"}));
}

TEST(PortTrace, LinesUseLowerCaseHexAndTwoDigitValues) {
    EXPECT_EQ(parllio::PortTrace::line('W', 888, 5), "W 0x378 0x05");
    EXPECT_EQ(parllio::PortTrace::line('R', 889, 0x10), "R 0x379 0x10");
    EXPECT_EQ(parllio::PortTrace::line('W', 956, 0xAB), "W 0x3bc 0xab");
}

TEST(PortTrace, AppendsOneLinePerAccess) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("fltamp-trace-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream(path) << "earlier\n";
        parllio::PortTrace trace(path.string());
        trace.write(632, 1);
        trace.read(633, 0xff);
    }
    std::stringstream contents;
    contents << std::ifstream(path).rdbuf();
    EXPECT_EQ(contents.str(), "earlier\nW 0x278 0x01\nR 0x279 0xff\n");
    std::filesystem::remove(path);
}

} // namespace
