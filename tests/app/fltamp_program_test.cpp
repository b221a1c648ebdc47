// End-to-end: the built fltamp program on the simulated board, as a shell script uses
// it. The trace file shows every byte that went over the port.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "run_program.h"

namespace app::test {
namespace {

class FltampProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        trace = (std::filesystem::temp_directory_path() /
                 ("fltamp-e2e-trace-" + std::to_string(getpid()) + "-" + name))
                    .string();
        std::filesystem::remove(trace);
    }
    void TearDown() override { std::filesystem::remove(trace); }

    // A bench PC over SSH: no display, the simulated board, every port access traced.
    std::map<std::string, std::string>
    headlessBench(std::map<std::string, std::string> extra = {}) {
        extra.emplace("FLTAMP_PORT", "sim");
        extra.emplace("FLTAMP_TRACE", trace);
        return extra;
    }
    // The chip was read at start-up, and nothing was written: a write's flag bit is the
    // only time the data line goes high.
    void expectStartUpReadOnly() {
        const std::vector<std::string> accesses = fileLines(trace);
        EXPECT_FALSE(accesses.empty());
        EXPECT_EQ(std::count(accesses.begin(), accesses.end(), "W 0x378 0x02"), 0);
    }
    // The lines of our own program (the port library and Qt may add their own).
    static std::vector<std::string> ownLines(const ProgramRun& run) {
        std::vector<std::string> own;
        for (const std::string& line : run.errLines)
            if (line.rfind("fltamp: ", 0) == 0)
                own.push_back(line);
        return own;
    }

    std::string trace;
};

// The data-register bytes of one write of a 5-bit code: latch-high cycle, the flag 1,
// two zeros and the code least significant bit first, a latch-high cycle, rest.
std::vector<std::string> writeTrace(int code) {
    std::vector<std::string> lines{"W 0x378 0x01", "W 0x378 0x01", "W 0x378 0x05"};
    const int word[8] = {
        1, 0, 0, code & 1, (code >> 1) & 1, (code >> 2) & 1, (code >> 3) & 1, (code >> 4) & 1};
    for (int bit : word) {
        lines.push_back(bit ? "W 0x378 0x02" : "W 0x378 0x00");
        lines.push_back(bit ? "W 0x378 0x06" : "W 0x378 0x04");
    }
    for (const char* line : {"W 0x378 0x01", "W 0x378 0x05", "W 0x378 0x01"})
        lines.push_back(line);
    return lines;
}

// The read that follows: a discarded status read, the flag 0, five bits on status bit 4.
std::vector<std::string> readTrace(int chipCode) {
    std::vector<std::string> lines{"R 0x379 0x00", "W 0x378 0x01", "W 0x378 0x01", "W 0x378 0x05",
                                   "W 0x378 0x01", "W 0x378 0x00", "W 0x378 0x04"};
    for (int k = 0; k < 5; ++k) {
        lines.push_back("W 0x378 0x00");
        lines.push_back("W 0x378 0x04");
        lines.push_back((chipCode >> k) & 1 ? "R 0x379 0x10" : "R 0x379 0x00");
    }
    for (const char* line : {"W 0x378 0x01", "W 0x378 0x05", "W 0x378 0x01"})
        lines.push_back(line);
    return lines;
}

std::vector<std::string> joined(std::vector<std::string> first,
                                const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(FltampProgramTest, WriteSwitchPutsTheCodeOnTheWireAndSucceeds) {
    const ProgramRun run = runFltamp({"-c", "5"}, headlessBench());
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ownLines(run).empty()) << run.err;
    EXPECT_EQ(fileLines(trace), joined(writeTrace(5), readTrace(5)));
}

TEST_F(FltampProgramTest, CapitalSwitchAndHexadecimalCodeWork) {
    const ProgramRun run = runFltamp({"-C", "&H1D"}, headlessBench());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileLines(trace), joined(writeTrace(29), readTrace(29)));
}

TEST_F(FltampProgramTest, AnEmptySecondWordWritesCodeZero) {
    const ProgramRun run = runFltamp({"-c", "", "5"}, headlessBench());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileLines(trace), joined(writeTrace(0), readTrace(0)));
}

TEST_F(FltampProgramTest, ACodeOutOfRangeFailsWithOneLine) {
    const ProgramRun run = runFltamp({"-c", "40"}, headlessBench());
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(ownLines(run).size(), 1u) << run.err;
    EXPECT_EQ(fileLines(trace), joined(writeTrace(31), readTrace(31)));
}

TEST_F(FltampProgramTest, AReadBackThatDiffersFails) {
    const ProgramRun run = runFltamp({"-c", "5"}, headlessBench({{"FLTAMP_SIM_STATUS", "low"}}));
    EXPECT_EQ(run.status, 3);
    ASSERT_EQ(ownLines(run).size(), 1u) << run.err;
    EXPECT_NE(ownLines(run)[0].find("reads back code 0"), std::string::npos);
}

TEST_F(FltampProgramTest, ARefusedPortWithNobodyToAskEndsWithoutHangingAndFails) {
    const ProgramRun run = runFltamp({"-c", "5"}, headlessBench({{"FLTAMP_SIM_REFUSE", "always"}}));
    ASSERT_FALSE(run.hung) << "fltamp waited for an answer nobody could give";
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(ownLines(run).size(), 1u) << run.err;
    EXPECT_TRUE(fileLines(trace).empty()); // nothing went over the wire
}

TEST_F(FltampProgramTest, WithoutADisplayANormalStartSaysSoAndEnds) {
    const ProgramRun run = runFltamp({}, headlessBench());
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ownLines(run).size(), 1u) << run.err;
}

TEST_F(FltampProgramTest, ADisplayThatDoesNotAnswerStillLetsTheWriteRun) {
    const ProgramRun run = runFltamp({"-c", "5"}, headlessBench({{"DISPLAY", ":97"}}));
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fileLines(trace), joined(writeTrace(5), readTrace(5)));
}

TEST_F(FltampProgramTest, ADisplayThatDoesNotAnswerEndsANormalStartWithOneLine) {
    const ProgramRun run = runFltamp({}, headlessBench({{"DISPLAY", ":97"}}));
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ownLines(run).size(), 1u) << run.err;
}

// The console on a bench PC without a display: it comes up, greets (nobody can click
// the boxes, so the terminal's safe answer OK is taken), and ends cleanly when asked to.
TEST_F(FltampProgramTest, TheConsoleComesUpAndClosesCleanly) {
    const StartedProgram program =
        startFltamp({"--console"}, headlessBench({{"QT_QPA_PLATFORM", "offscreen"}}));
    const bool greeted = waitForErr(program, "I got a procedure from a routine to run!");
    kill(program.pid, SIGTERM);
    const ProgramRun run = finishFltamp(program);
    ASSERT_TRUE(greeted) << run.err;
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.err.find("Class_Routines Initialized"),
              run.err.find("I got a procedure from a routine to run!"));
    EXPECT_TRUE(ownLines(run).empty()) << run.err;
    expectStartUpReadOnly();
}

TEST_F(FltampProgramTest, TheWriteSwitchFirstWritesAndEndsWithoutTheConsole) {
    const ProgramRun run = runFltamp({"-c", "5", "--console"}, headlessBench());
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Class_Routines"), std::string::npos);
    EXPECT_EQ(fileLines(trace), joined(writeTrace(5), readTrace(5)));
}

TEST_F(FltampProgramTest, TheConsoleFirstMakesTheWriteSwitchAnOrdinaryWord) {
    const StartedProgram program =
        startFltamp({"--console", "-c", "5"}, headlessBench({{"QT_QPA_PLATFORM", "offscreen"}}));
    const bool greeted = waitForErr(program, "I got a procedure from a routine to run!");
    kill(program.pid, SIGTERM);
    const ProgramRun run = finishFltamp(program);
    ASSERT_TRUE(greeted) << run.err;
    EXPECT_EQ(run.status, 0) << run.err;
    expectStartUpReadOnly();
}

TEST_F(FltampProgramTest, HelpAndVersionPrintAndSucceed) {
    const ProgramRun help = runFltamp({"--help"}, {});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: fltamp", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--console"), std::string::npos);
    const ProgramRun version = runFltamp({"--version"}, {});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("fltamp ", 0), 0u) << version.out;
}

} // namespace
} // namespace app::test
