// The OS version record on Linux and the terminal's answers when nobody is there.
#include <gtest/gtest.h>

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>

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

TEST(OsVersion, FilledFromTheKernelRelease) {
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    unsigned major = 0, minor = 0;
    ASSERT_EQ(std::sscanf(names.release, "%u.%u", &major, &minor), 2);
    auto record = platform::preparedVersionRecord();
    ASSERT_TRUE(platform::getVersionEx(record));
    EXPECT_EQ(record.platformId, platform::platformNt);
    EXPECT_EQ(record.majorVersion, major);
    EXPECT_EQ(record.minorVersion, minor);
    EXPECT_EQ(record.size, 148u);
    const std::string servicePack = platform::servicePackText(record);
    EXPECT_LE(servicePack.size(), 127u);
    EXPECT_EQ(servicePack, std::string(names.version).substr(0, 127));
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
