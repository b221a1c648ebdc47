// The OS version record as Linux fills it, and the terminal's answers when nobody is there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "platform/dialogs.h"
#include "platform/os_version.h"

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
    const std::pair<platform::Buttons, platform::Answer> cases[] = {
        {platform::Buttons::AbortRetryIgnore, platform::Answer::Abort},
        {platform::Buttons::YesNo, platform::Answer::No},
        {platform::Buttons::Ok, platform::Answer::Ok},
        {platform::Buttons::OkCancel, platform::Answer::Cancel},
        {platform::Buttons::YesNoCancel, platform::Answer::Cancel},
        {platform::Buttons::RetryCancel, platform::Answer::Cancel}};
    for (const auto& [buttons, expected] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(terminal.ask({"Could not connect to the parallel port", "FLTAMP", buttons}),
                  expected);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Could not connect to the parallel port"), std::string::npos);
        EXPECT_NE(said.find("no terminal"), std::string::npos);
    }
    EXPECT_EQ(terminal.chooseFile({}), std::nullopt);
    testing::internal::CaptureStderr();
    EXPECT_EQ(terminal.askText({"Cutoff in MHz?"}), std::nullopt);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Cutoff in MHz?"), std::string::npos);
}

} // namespace
