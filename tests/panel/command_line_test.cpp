// The command-line write switch: which argument texts write which code.
#include <gtest/gtest.h>

#include "panel/command_line.h"

namespace panel {
namespace {

struct SwitchCase {
    const char* arguments;
    std::optional<device::Integer> code;
};

class CommandLineCodeTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineCodeTest, ReadsTheCodeAfterTheSwitch) {
    EXPECT_EQ(commandLineCode(GetParam().arguments), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineCodeTest,
    ::testing::Values(SwitchCase{"-c 5", 5}, SwitchCase{"-C 5", 5}, SwitchCase{"-c 0", 0},
                      SwitchCase{"-c letters", 0}, // no leading number reads as 0
                      SwitchCase{"-c -7", 7},      // absolute value
                      SwitchCase{"-c 2.5", 2},     // halves to even
                      SwitchCase{"-c 3.5", 4}, SwitchCase{"-c &H1D", 29}, SwitchCase{"-c &O35", 29},
                      SwitchCase{"-c 12abc", 12}, // Val's rule
                      SwitchCase{"-c 40", 40},    // no range test here
                      SwitchCase{"-c  5", 0},     // two blanks: the second word is empty
                      SwitchCase{"-c ", 0},       // an empty second word
                      SwitchCase{"-c 5 9", 5},    // later words are ignored
                      SwitchCase{"-c 32767", 32767}, SwitchCase{"-c 32767.4", 32767},
                      SwitchCase{"-c 32767.5", std::nullopt}, // does not fit an Integer
                      SwitchCase{"-c -40000", std::nullopt}, SwitchCase{"-c", std::nullopt},
                      SwitchCase{"", std::nullopt}, SwitchCase{"x -c 5", std::nullopt},
                      SwitchCase{" -c 5",
                                 std::nullopt}, // a leading blank makes an empty first word
                      SwitchCase{"-cc 5", std::nullopt}, SwitchCase{"/c 5", std::nullopt}));

TEST(ArgumentTextTest, JoinsTheArgumentsWithSingleBlanks) {
    const char* argv[] = {"/usr/bin/fltamp", "-c", "", "5"};
    EXPECT_EQ(argumentText(4, argv), "-c  5");
    EXPECT_EQ(argumentText(1, argv), "");
}

} // namespace
} // namespace panel
