// The port trace under hostile files: a FIFO nobody reads, a full device, a reader that
// goes away or falls behind. Each failure is one line on stderr, and then silence.
#include "platform/parllio/trace.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

namespace {

class PortTraceFailure : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() / ("fltamp-trace-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        fifo = (folder / "fifo").string();
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        // As a fresh program has it: a write to a pipe nobody reads would kill the test.
        std::signal(SIGPIPE, SIG_DFL);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Traces every access of a whole write and read-back, capturing stderr.
    static std::string traceATransfer(parllio::PortTrace& trace) {
        testing::internal::CaptureStderr();
        for (int i = 0; i < 47; ++i)
            trace.write(888, static_cast<std::uint8_t>(i & 7));
        return testing::internal::GetCapturedStderr();
    }

    static int lineCount(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    std::filesystem::path folder;
    std::string fifo;
};

TEST_F(PortTraceFailure, AFifoThatNobodyReadsIsReportedOnceAndNotWaitedOn) {
    testing::internal::CaptureStderr();
    parllio::PortTrace trace(fifo);
    const std::string opening = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(opening), 1) << opening;
    EXPECT_NE(opening.find("nobody reads that FIFO"), std::string::npos) << opening;
    EXPECT_EQ(traceATransfer(trace), "");
}

TEST_F(PortTraceFailure, AFullDeviceIsReportedOnce) {
    parllio::PortTrace trace("/dev/full");
    const std::string report = traceATransfer(trace);
    EXPECT_EQ(lineCount(report), 1) << report;
    EXPECT_NE(report.find("/dev/full"), std::string::npos) << report;
}

TEST_F(PortTraceFailure, AReaderThatGoesAwayIsOneMoreFailureNotTheEnd) {
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    parllio::PortTrace trace(fifo);
    trace.write(888, 5);
    char line[32] = {};
    EXPECT_EQ(::read(reader, line, sizeof line), 13);
    EXPECT_STREQ(line, "W 0x378 0x05\n");
    ::close(reader);
    const std::string report = traceATransfer(trace); // still alive: SIGPIPE is ignored
    EXPECT_EQ(lineCount(report), 1) << report;
    EXPECT_NE(report.find("its reader went away"), std::string::npos) << report;
}

TEST_F(PortTraceFailure, AReaderThatFallsBehindCostsLinesNotAStall) {
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    parllio::PortTrace trace(fifo);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 100'000; ++i) // several times what a pipe holds
        trace.write(888, 1);
    const std::string report = testing::internal::GetCapturedStderr();
    ::close(reader);
    EXPECT_EQ(lineCount(report), 1) << report;
    EXPECT_NE(report.find("does not keep up"), std::string::npos) << report;
}

} // namespace
