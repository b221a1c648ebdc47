// The OS version record as Linux fills it, the terminal's answers when nobody is there,
// and the folder the operator's files start from.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/dialogs.h"
#include "platform/os_version.h"
#include "platform/program_folder.h"

namespace {

TEST(OsVersion, PreparedRecordHasSize148ZerosAndBlanks) {
    const auto record = platform::preparedVersionRecord();
    EXPECT_EQ(record.size, 148u);
    EXPECT_EQ(record.majorVersion + record.minorVersion + record.buildNumber + record.platformId,
              0u);
    EXPECT_EQ(platform::servicePackText(record), std::string(128, ' '));
}

struct KernelCase {
    const char* release;
    std::uint32_t major, minor, build;
};

TEST(OsVersion, TakesMajorMinorAndBuildFromTheKernelRelease) {
    const KernelCase cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0},
        {"5.15.133.1-microsoft-standard-WSL2", 5, 15, 133},
        {"4.19", 4, 19, 0},
        {"3", 3, 0, 0},
        {"2.6.32-754.el6.x86_64", 2, 6, 32},
        {"", 0, 0, 0},
        {"rolling", 0, 0, 0},
    };
    for (const KernelCase& c : cases) {
        auto record = platform::preparedVersionRecord();
        platform::fillFromKernel(record, c.release, "#1 SMP PREEMPT_DYNAMIC");
        EXPECT_EQ(record.platformId, platform::platformNt) << c.release;
        EXPECT_EQ(record.majorVersion, c.major) << c.release;
        EXPECT_EQ(record.minorVersion, c.minor) << c.release;
        EXPECT_EQ(record.buildNumber, c.build) << c.release;
        EXPECT_EQ(record.size, 148u);
        EXPECT_EQ(platform::servicePackText(record), "#1 SMP PREEMPT_DYNAMIC");
    }
}

TEST(OsVersion, KeepsAtMost127CharactersOfTheKernelVersionAndItsNul) {
    const std::string longVersion(300, 'v');
    auto record = platform::preparedVersionRecord();
    platform::fillFromKernel(record, "6.1.0", longVersion.c_str());
    EXPECT_EQ(platform::servicePackText(record), std::string(127, 'v'));
    EXPECT_EQ(record.servicePack[127], '\0');
}

TEST(TerminalDialogs, WithoutATerminalTakesTheSafeAnswerAndSaysSo) {
    if (isatty(STDIN_FILENO))
        GTEST_SKIP() << "standard input is a terminal";
    platform::TerminalDialogs terminal;
    const struct {
        platform::Buttons buttons;
        platform::Answer expected;
        const char* taken;
    } cases[] = {{platform::Buttons::AbortRetryIgnore, platform::Answer::Abort, "Abort"},
                 {platform::Buttons::YesNo, platform::Answer::No, "No"},
                 {platform::Buttons::Ok, platform::Answer::Ok, "OK"},
                 {platform::Buttons::OkCancel, platform::Answer::Cancel, "Cancel"},
                 {platform::Buttons::YesNoCancel, platform::Answer::Cancel, "Cancel"},
                 {platform::Buttons::RetryCancel, platform::Answer::Cancel, "Cancel"}};
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(terminal.ask({"Could not connect to the parallel port", "FLTAMP", c.buttons}),
                  c.expected);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  std::string("FLTAMP: Could not connect to the parallel port\n"
                              "fltamp: no terminal to answer on; taking ") +
                      c.taken + "\n");
    }
    // A box without a title still starts with the program's name.
    testing::internal::CaptureStderr();
    terminal.ask({"Failed to determine operating system", ""});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "fltamp: Failed to determine operating system\n"
              "fltamp: no terminal to answer on; taking OK\n");
    // Each line of a text of several lines starts with the title.
    testing::internal::CaptureStderr();
    terminal.ask({"Error: \r\nObject required\nline 3", "FLTAMP"});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "FLTAMP: Error: \nFLTAMP: Object required\nFLTAMP: line 3\n"
              "fltamp: no terminal to answer on; taking OK\n");
    EXPECT_EQ(terminal.chooseFile({}), std::nullopt);
    testing::internal::CaptureStderr();
    EXPECT_EQ(terminal.askText({"Cutoff in MHz?"}), std::nullopt);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Cutoff in MHz?"), std::string::npos);
}

// An installed program keeps the operator's files in the working directory: its own
// folder under /usr is not writable. Anywhere else, the executable's folder.
TEST(ProgramFolder, IsTheWorkingDirectoryOnlyForAProgramUnderUsr) {
    const struct {
        const char* executable;
        const char* expected;
    } cases[] = {
        {"/usr/bin/fltamp", "/home/bench"},
        {"/usr/local/bin/fltamp", "/home/bench"},
        {"/work/fltamp/build/fltamp", "/work/fltamp/build"},
        {"/usrlocal/bin/fltamp", "/usrlocal/bin"},
        {"/opt/usr/bin/fltamp", "/opt/usr/bin"},
        {"/home/bench/usr/fltamp", "/home/bench/usr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::programFolderFor(c.executable, "/home/bench"),
                  std::filesystem::path(c.expected))
            << c.executable;
}

TEST(ProgramFolder, IsThisTestProgramsOwnFolder) {
    EXPECT_EQ(platform::programFolder(),
              std::filesystem::canonical("/proc/self/exe").parent_path());
}

} // namespace
