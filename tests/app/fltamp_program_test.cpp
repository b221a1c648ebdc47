// End-to-end: the built fltamp program on the simulated board, as a shell script uses
// it. The trace file shows every byte that went over the port.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "fake_display_server.h"
#include "run_program.h"

namespace app::test {
namespace {

class FltampProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-'); // a parameterised test's name
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
    // The program's verdicts: its own lines, apart from the port library's note on a
    // refused claim and the boxes' terminal renderings (the box's title "FLTAMP: ", then
    // the note that nobody could answer it).
    static std::vector<std::string> ownLines(const ProgramRun& run) {
        std::vector<std::string> own;
        for (const std::string& line : run.errLines)
            if (line.rfind("fltamp: ", 0) == 0 &&
                line.rfind("fltamp: parallel port not claimed: ", 0) != 0 &&
                line.rfind("fltamp: no terminal to answer on; ", 0) != 0)
                own.push_back(line);
        return own;
    }
    // Waits until the trace holds at least that many port accesses.
    bool waitForTrace(std::size_t accesses) const {
        for (int tries = 0; tries < 300; ++tries) {
            if (fileLines(trace).size() >= accesses)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
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
    EXPECT_EQ(run.err, ""); // not even Qt's notes about the missing display
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
    EXPECT_EQ(run.errLines,
              (std::vector<std::string>{
                  "fltamp: parallel port not claimed: the simulated board refused the claim "
                  "(FLTAMP_SIM_REFUSE)",
                  "FLTAMP: Could not connect to the parallel port",
                  "fltamp: no terminal to answer on; taking Abort",
                  "fltamp: parallel port setup abandoned; nothing written"}));
    EXPECT_TRUE(fileLines(trace).empty()); // nothing went over the wire
}

// Every line on stderr says who wrote it: the program's own lines start with its name,
// the boxes' terminal renderings with their title.
TEST_F(FltampProgramTest, EveryLineOnStderrSaysWhoWroteIt) {
    const struct {
        std::vector<std::string> arguments;
        std::map<std::string, std::string> environment;
    } runs[] = {
        {{"-c", "5"}, {{"FLTAMP_PORT", "serial"}}},
        {{"-c", "5"}, {{"FLTAMP_SIM_CODE", "abc"}, {"FLTAMP_SIM_STATUS", "middle"}}},
        {{"-c", "5"}, {{"FLTAMP_TRACE", "/nonexistent-folder/trace"}}},
        {{"-c", "40"}, {}},
        {{}, {}},
    };
    for (const auto& r : runs) {
        const ProgramRun run = runFltamp(r.arguments, headlessBench(r.environment));
        ASSERT_FALSE(run.hung);
        EXPECT_FALSE(run.errLines.empty());
        for (const std::string& line : run.errLines)
            EXPECT_TRUE(line.rfind("fltamp: ", 0) == 0 || line.rfind("FLTAMP: ", 0) == 0) << line;
    }
}

// A trace that cannot be written is reported in one line and the write goes on.
TEST_F(FltampProgramTest, AFullTraceDeviceIsOneLineAndTheWriteSucceeds) {
    const ProgramRun run = runFltamp({"-c", "5"}, headlessBench({{"FLTAMP_TRACE", "/dev/full"}}));
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.errLines.size(), 1u) << run.err;
}

TEST_F(FltampProgramTest, ATraceFifoThatNobodyReadsNeitherHangsNorStopsTheWrite) {
    ASSERT_EQ(mkfifo(trace.c_str(), 0600), 0);
    const ProgramRun run = runFltamp({"-c", "5"}, headlessBench());
    ASSERT_FALSE(run.hung) << "fltamp waited for a trace reader";
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.errLines.size(), 1u) << run.err;
}

// Displays that cannot serve: Qt is never asked to try them, so a write still succeeds
// in silence and a normal start ends with one line saying why.
struct NoDisplayCase {
    const char* what;
    std::map<std::string, std::string> environment;
    std::vector<std::string> extraArguments;
};

class NoDisplayTest : public FltampProgramTest,
                      public ::testing::WithParamInterface<NoDisplayCase> {};

TEST_P(NoDisplayTest, TheWriteRunsQuietlyAndANormalStartSaysWhyItEnds) {
    std::vector<std::string> arguments{"-c", "5"};
    arguments.insert(arguments.end(), GetParam().extraArguments.begin(),
                     GetParam().extraArguments.end());
    const ProgramRun write = runFltamp(arguments, headlessBench(GetParam().environment));
    ASSERT_FALSE(write.hung);
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.err, "");
    EXPECT_EQ(fileLines(trace), joined(writeTrace(5), readTrace(5)));

    const ProgramRun start =
        runFltamp(GetParam().extraArguments, headlessBench(GetParam().environment));
    ASSERT_FALSE(start.hung);
    EXPECT_EQ(start.status, 1);
    ASSERT_EQ(start.errLines.size(), 1u) << start.err;
    EXPECT_EQ(start.errLines[0].rfind("fltamp: no display to show the panel on", 0), 0u)
        << start.err;
}

INSTANTIATE_TEST_SUITE_P(
    Environments, NoDisplayTest,
    ::testing::Values(
        NoDisplayCase{"Nothing", {}, {}},
        NoDisplayCase{"WaylandWithoutItsPlugin", {{"WAYLAND_DISPLAY", "wayland-99"}}, {}},
        NoDisplayCase{"WaylandNamed", {{"QT_QPA_PLATFORM", "wayland"}}, {}},
        NoDisplayCase{"XNamedWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}}, {}},
        NoDisplayCase{"XServerGone", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":97"}}, {}},
        NoDisplayCase{"ForwardingTunnelGone", {{"DISPLAY", "localhost:97.0"}}, {}},
        NoDisplayCase{"PlatformNotInstalled", {{"QT_QPA_PLATFORM", "nosuch"}}, {}},
        NoDisplayCase{"PlatformThatCannotBeChecked", {{"QT_QPA_PLATFORM", "eglfs"}}, {}},
        NoDisplayCase{"PlatformOption", {}, {"-platform", "wayland"}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(FltampProgramTest, AnXServerThatAcceptsAndSaysNothingIsNotWaitedForEndlessly) {
    const std::string number = unusedDisplayNumber();
    FakeDisplayServer stopped(xSocketName(number));
    const auto environment = headlessBench({{"DISPLAY", ":" + number}});
    const ProgramRun write = runFltamp({"-c", "5"}, environment);
    ASSERT_FALSE(write.hung);
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.err, "");
    const ProgramRun start = runFltamp({}, environment);
    ASSERT_FALSE(start.hung);
    EXPECT_EQ(start.status, 1);
    EXPECT_EQ(start.errLines.size(), 1u) << start.err;
}

// A real X server, where the machine has Xvfb. It picks a free display number itself and
// names it on a pipe once it accepts clients (its socket file appears a moment earlier).
class LiveXServerTest : public FltampProgramTest {
protected:
    void SetUp() override {
        FltampProgramTest::SetUp();
        if (!std::filesystem::exists("/usr/bin/Xvfb"))
            GTEST_SKIP() << "Xvfb is not installed";
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        server = fork();
        if (server == 0) {
            close(ready[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 2);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", std::to_string(ready[1]).c_str(),
                  "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        close(ready[1]);
        pollfd named{ready[0], POLLIN, 0};
        std::string number;
        char c;
        while (poll(&named, 1, 10'000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        display = ":" + number;
    }
    void TearDown() override {
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
        FltampProgramTest::TearDown();
    }

    std::string display;
    pid_t server = -1;
};

TEST_F(LiveXServerTest, TheWriteGoesThroughItSilently) {
    const ProgramRun write = runFltamp({"-c", "5"}, headlessBench({{"DISPLAY", display}}));
    ASSERT_FALSE(write.hung);
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.err, "");
    EXPECT_EQ(fileLines(trace), joined(writeTrace(5), readTrace(5)));
}

// Without XDG_RUNTIME_DIR (as root, from sudo or cron) Qt notes on every start that it
// picked a runtime folder of its own; a panel that starts well says nothing at all.
TEST_F(LiveXServerTest, APanelStartedWithoutARuntimeFolderSaysNothing) {
    const StartedProgram program = startFltamp({}, headlessBench({{"DISPLAY", display}}));
    // Once the start-up read runs, Qt has started (the note came then). The program may
    // not yet be listening for the signal that ends it, so its status says nothing here.
    const bool startedUp = waitForTrace(1);
    kill(program.pid, SIGTERM);
    const ProgramRun run = finishFltamp(program);
    ASSERT_TRUE(startedUp) << run.err;
    EXPECT_FALSE(run.hung);
    EXPECT_EQ(run.err, "");
}

// With a display the port questions are windows waiting for the operator; on the terminal
// with nobody to answer, the program would have ended at once with status 2.
TEST_F(LiveXServerTest, PortQuestionsAreWindowsThere) {
    const ProgramRun write = runFltamp(
        {"-c", "5"}, headlessBench({{"DISPLAY", display}, {"FLTAMP_SIM_REFUSE", "always"}}),
        std::chrono::seconds(3));
    EXPECT_TRUE(write.hung) << "status " << write.status << ": " << write.err;
    EXPECT_TRUE(fileLines(trace).empty());
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
    EXPECT_NE(help.out.find("--script FILE"), std::string::npos);
    EXPECT_NE(help.out.find("--timeout MS"), std::string::npos);
    const ProgramRun version = runFltamp({"--version"}, {});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("fltamp ", 0), 0u) << version.out;
}

// --- fltamp --script: a script against the panel, from a shell ---

class ScriptModeTest : public FltampProgramTest {
protected:
    void SetUp() override {
        FltampProgramTest::SetUp();
        folder = trace + "-scripts";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        FltampProgramTest::TearDown();
    }
    // A script file in the test's own folder; its path.
    std::string script(const std::string& name, const std::string& text) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    ProgramRun runScript(const std::string& path, std::vector<std::string> arguments = {},
                         std::map<std::string, std::string> extra = {}) {
        arguments.insert(arguments.begin(), {"--script", path});
        return runFltamp(arguments, headlessBench(std::move(extra)));
    }
    ProgramRun runText(const std::string& text, std::map<std::string, std::string> extra = {}) {
        return runScript(script("test.vbs", text), {}, std::move(extra));
    }
    // The port accesses of a start-up with a script that touches nothing.
    std::vector<std::string> startUpOnly() {
        const ProgramRun run = runText("");
        EXPECT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> accesses = fileLines(trace);
        std::filesystem::remove(trace);
        return accesses;
    }

    std::filesystem::path folder;
};

struct StatusCase {
    const char* what;
    const char* script;
    int status;
    const char* out;
    const char* err; // the whole of stderr
};

class ScriptStatusTest : public ScriptModeTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ScriptStatusTest, TheExitStatusSaysHowTheScriptEnded) {
    const ProgramRun run = runScript(script("s.vbs", GetParam().script));
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err,
              std::regex_replace(GetParam().err, std::regex("FILE"), (folder / "s.vbs").string()));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScriptStatusTest,
    ::testing::Values(
        StatusCase{"NormalEnd", "WScript.Echo \"done\"\n", 0, "done\n", ""},
        StatusCase{"Quit", "WScript.Echo 1\nWScript.Quit 7\nWScript.Echo 2\n", 7, "1\n", ""},
        StatusCase{"QuitPastAByte", "WScript.Quit 256\n", 255, "", ""},
        StatusCase{"QuitNegative", "WScript.Quit -1\n", 255, "", ""},
        StatusCase{"QuitAsTheScriptsObjectsGo",
                   "Class C\n  Sub Class_Terminate : WScript.Quit 9 : End Sub\nEnd Class\n"
                   "Set kept = New C\nWScript.Echo \"end\"\n",
                   9, "end\n", ""},
        StatusCase{"RuntimeError", "WScript.Echo \"before\"\n  x = 1 / 0\n", 1, "before\n",
                   "FILE(2, 3) runtime error 11: Division by zero\n"},
        StatusCase{"CompileErrorRunsNothing", "WScript.Echo \"before\"\nx = (1 +\n", 1, "",
                   "FILE(2, 9) compilation error 1023: Expected expression\n"},
        StatusCase{"ErrorTrappedByTheScript",
                   "On Error Resume Next\nx = 1 / 0\nWScript.Echo Err.Number\n", 0, "11\n", ""}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(ScriptModeTest, AMissingOrUnreadableFileFailsBeforeThePortIsTouched) {
    for (const std::string& file : {(folder / "none.vbs").string(), folder.string()}) {
        const ProgramRun run = runScript(file);
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.errLines.size(), 1u) << run.err;
        EXPECT_EQ(run.errLines[0].rfind("fltamp: cannot open " + file + ": ", 0), 0u) << run.err;
        EXPECT_TRUE(fileLines(trace).empty());
    }
}

TEST_F(ScriptModeTest, ACompileErrorWritesNothing) {
    const std::vector<std::string> startUp = startUpOnly();
    const ProgramRun run = runText("MForm.Text_new_freq.Text = \"6\"\n"
                                   "MForm.Command_write.Click\n"
                                   "If Then\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(fileLines(trace), startUp);
}

TEST_F(ScriptModeTest, TheWordsAfterTheFileAreTheScriptsEvenOptionsOfQtAndOurs) {
    const std::string path = script("args.vbs", "WScript.Echo WScript.Arguments.Count, "
                                                "WScript.ScriptName, WScript.Name\n"
                                                "For Each a In WScript.Arguments\n"
                                                "  WScript.Echo \"[\" & a & \"]\"\n"
                                                "Next\n");
    const std::vector<std::string> startUp = startUpOnly();
    const ProgramRun run =
        runScript(path, {"a b", "", "-platform", "xcb", "-c", "5", "--console", "--help"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "8 args.vbs fltamp\n[a b]\n[]\n[-platform]\n[xcb]\n[-c]\n[5]\n"
                       "[--console]\n[--help]\n");
    EXPECT_EQ(fileLines(trace), startUp); // -c 5 was the script's, not a write
}

// The operator's write, -c's and a script's put the same bytes on the wire.
TEST_F(ScriptModeTest, AScriptsWriteIsTheCommandLineWrite) {
    const std::vector<std::string> startUp = startUpOnly();
    ASSERT_EQ(runFltamp({"-c", "5"}, headlessBench()).status, 0);
    const std::vector<std::string> commandLine = fileLines(trace);
    std::filesystem::remove(trace);

    const ProgramRun run = runText("MForm.Text_new_freq.Text = \"6\"\nMForm.Command_write.Click\n"
                                   "WScript.Echo MForm.Label_cur_freq.Caption\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "6\n");
    EXPECT_EQ(fileLines(trace), joined(startUp, commandLine));
}

TEST_F(ScriptModeTest, ARefusedPortWithNobodyToAskEndsWithTwoAndRunsNothing) {
    const ProgramRun run = runText("WScript.Echo \"ran\"\n", {{"FLTAMP_SIM_REFUSE", "always"}});
    ASSERT_FALSE(run.hung) << "fltamp waited for an answer nobody could give";
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(ownLines(run).size(), 1u) << run.err;
    EXPECT_NE(ownLines(run)[0].find("port setup abandoned"), std::string::npos);
    EXPECT_TRUE(fileLines(trace).empty());
}

TEST_F(ScriptModeTest, EveryBoxIsPrintedOnStdoutWithItsDefaultAnswer) {
    const ProgramRun run =
        runText("WScript.Echo MsgBox(\"Sure?\", vbYesNo)\n"
                "WScript.Echo MsgBox(\"Again?\", vbYesNoCancel + vbDefaultButton2)\n"
                "WScript.Echo InputBox(\"Name?\", \"T\", \"bench\")\n"
                "MForm.useRoutines\n"
                "SForm.listScriptProcedures\n"
                "MForm.Command_write.Click\n",
                {{"FLTAMP_SIM_STATUS", "high"}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Received Frequency Code is out of range.\n" // the start-up read
                       "Sure?\n6\nAgain?\n7\nName?\nbench\n"
                       "I got a procedure from a routine to run!\n"
                       "Procedures: \r\n\n"
                       "Received Frequency Code is out of range.\n");
    EXPECT_TRUE(ownLines(run).empty()) << run.err;
}

TEST_F(ScriptModeTest, TheConsolesErrorBoxGoesToStderrAndFailsTheRun) {
    const std::string broken = script("broken.vbs", "x = 1\n\nIf Then\n");
    const std::string load = "SForm.loadScriptFile \"" + broken + "\"\nWScript.Echo \"went on\"\n";
    const ProgramRun failed = runText(load);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "went on\n");
    EXPECT_EQ(failed.err, "fltamp: Error: Expected expression\n");
    // Quit's own code stands; Quit 0 does not make the failure a success.
    EXPECT_EQ(runText(load + "WScript.Quit 4\n").status, 4);
    EXPECT_EQ(runText(load + "WScript.Quit 0\n").status, 1);
    // Closing the panel ends the program as for the operator, still failed.
    EXPECT_EQ(runText(load + "MForm.file_exit.trigger\nWScript.Echo \"not reached\"\n").status, 1);
}

TEST_F(ScriptModeTest, ThereIsNoTimeLimitUnlessAsked) {
    EXPECT_EQ(runText("WScript.Echo Self.Timeout\n").out, "-1\n");
    const std::string loop = script("loop.vbs", "WScript.Echo Self.Timeout\nDo\nLoop\n");
    const ProgramRun run = runFltamp({"--timeout", "300", "--script", loop}, headlessBench());
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "300\n");
    EXPECT_NE(run.err.find("loop.vbs(2, 1) runtime error"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("time limit of 300 ms"), std::string::npos) << run.err;
}

TEST_F(ScriptModeTest, AMalformedCommandLineSaysWhatIsWrong) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--script"},
                                               {"--timeout", "0", "--script", "x.vbs"},
                                               {"--timeout", "10s", "--script", "x.vbs"},
                                               {"--timeout", "100", "x.vbs"}}) {
        const ProgramRun run = runFltamp(arguments, headlessBench());
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(ownLines(run).size(), 1u) << run.err;
        EXPECT_TRUE(fileLines(trace).empty());
    }
}

// With a display that answers, a script still shows nothing and asks on the terminal:
// with nobody there it ends at once instead of waiting on a window.
TEST_F(LiveXServerTest, AScriptNeverShowsAWindow) {
    const std::string path = trace + ".vbs";
    std::ofstream(path) << "WScript.Echo \"ran\"\n";
    const ProgramRun ran = runFltamp({"--script", path}, headlessBench({{"DISPLAY", display}}));
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "ran\n");
    const ProgramRun refused = runFltamp(
        {"--script", path}, headlessBench({{"DISPLAY", display}, {"FLTAMP_SIM_REFUSE", "always"}}),
        std::chrono::seconds(20));
    EXPECT_FALSE(refused.hung);
    EXPECT_EQ(refused.status, 2) << refused.err;
    std::filesystem::remove(path);
}

// --- The examples ---

TEST_F(ScriptModeTest, TheSweepWritesEveryCodeAndLogsIt) {
    const std::vector<std::string> startUp = startUpOnly();
    const std::string csv = (folder / "sweep.csv").string();
    const ProgramRun run = runScript(FLTAMP_EXAMPLES "/sweep.vbs", {csv});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> logged = fileLines(csv);
    ASSERT_EQ(logged.size(), 31u);
    EXPECT_EQ(logged[0], "code,mhz,read_back,match,ms\r");
    std::vector<std::string> wire = startUp;
    for (int code = 0; code < 30; ++code) {
        const std::string start = std::to_string(code) + "," + std::to_string(code + 1) + "," +
                                  std::to_string(code) + ",true,";
        EXPECT_EQ(logged[code + 1].rfind(start, 0), 0u) << logged[code + 1];
        wire = joined(joined(wire, writeTrace(code)), readTrace(code));
    }
    EXPECT_EQ(fileLines(trace), wire);
    const std::vector<std::string> printed = run.outLines;
    ASSERT_EQ(printed.size(), 32u);
    EXPECT_EQ(printed[1] + "\r", logged[1]);
    EXPECT_EQ(printed[31], "sweep: all 30 codes read back as written; log in " + csv);
}

TEST_F(ScriptModeTest, TheSweepFailsWithThreeWhenCodesReadBackWrong) {
    const std::string csv = (folder / "sweep.csv").string();
    const ProgramRun run =
        runScript(FLTAMP_EXAMPLES "/sweep.vbs", {csv, "5"}, {{"FLTAMP_SIM_STATUS", "low"}});
    EXPECT_EQ(run.status, 3) << run.err;
    ASSERT_FALSE(run.outLines.empty());
    EXPECT_EQ(run.outLines.back().rfind("sweep: codes read back wrong: 1 2 3 ", 0), 0u) << run.out;
    EXPECT_EQ(fileLines(csv).size(), 31u);
}

TEST_F(ScriptModeTest, TheConsoleExamplesRunFromTheShellToo) {
    const ProgramRun demo = runScript(FLTAMP_EXAMPLES "/console-demo.vbs");
    EXPECT_EQ(demo.status, 0) << demo.err;
    EXPECT_EQ(demo.outLines.front(), "The chip reads 20 MHz (code 19)");
    EXPECT_NE(demo.out.find("5 MHz is code 4; the chip reads 5 MHz\n"), std::string::npos);
    EXPECT_NE(demo.out.find("Procedures: \r\nCodeOf\r\nWriteMHz\r\n"), std::string::npos);
    const ProgramRun write = runScript(FLTAMP_EXAMPLES "/write-12mhz.vbs");
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "The chip reads 12 MHz\n");
}

} // namespace
} // namespace app::test
