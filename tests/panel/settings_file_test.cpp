// Settings files: the exact bytes written and the field rules of reading.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "panel/settings_file.h"

namespace panel {
namespace {

struct WriteCase {
    Integer current;
    Integer selected;
    std::string bytes;
};

class SettingsWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SettingsWriteTest, WritesBothCodesInTheNumberFormat) {
    EXPECT_EQ(settingsText(GetParam().current, GetParam().selected), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Codes, SettingsWriteTest,
                         ::testing::Values(WriteCase{4, 17, " 4 \r\n 17 \r\n"},
                                           WriteCase{0, 29, " 0 \r\n 29 \r\n"},
                                           WriteCase{-3, 100, "-3 \r\n 100 \r\n"},
                                           WriteCase{-32768, 32767, "-32768 \r\n 32767 \r\n"}));

TEST(SettingsFileTest, WritesTheElevenBytesToExactlyTheChosenName) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("fltamp-settings-no-extension-" + std::to_string(getpid()));
    ASSERT_TRUE(writeSettingsFile(path.string(), 0, 29));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\x20\x30\x20\x0D\x0A\x20\x32\x39\x20\x0D\x0A"));
    std::filesystem::remove(path);
}

TEST(SettingsFileTest, ReplacesAnExistingFile) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("fltamp-replace-" + std::to_string(getpid()) + ".txt");
    std::ofstream(path) << "a much longer file than the settings\n";
    ASSERT_TRUE(writeSettingsFile(path.string(), 4, 17));
    EXPECT_EQ(std::filesystem::file_size(path), 11u);
    std::filesystem::remove(path);
}

TEST(SettingsFileTest, ReportsAFileThatCannotBeCreated) {
    EXPECT_FALSE(writeSettingsFile("/nonexistent-folder/settings.txt", 1, 2));
}

struct ReadCase {
    const char* content;
    std::optional<Integer> current;
    std::optional<Integer> selected;
};

class SettingsReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsReadTest, TakesTwoNumericFields) {
    std::istringstream in(GetParam().content);
    const SettingsValues values = readSettings(in);
    EXPECT_EQ(values.current, GetParam().current);
    EXPECT_EQ(values.selected, GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, SettingsReadTest,
    ::testing::Values(ReadCase{" 4 \r\n 17 \r\n", 4, 17}, // as written
                      ReadCase{"5,7", 5, 7},              // one line, a comma between
                      ReadCase{"5 , 7\n", 5, 7},          // blanks around the comma
                      ReadCase{"5 7", 5, 7},              // a blank ends a field
                      ReadCase{"\n\r\n  3\n\n\n8", 3, 8}, // line ends before a field
                      ReadCase{"abc\n5\n", 0, 5},         // not a number reads as 0
                      ReadCase{",9", 0, 9},               // an empty field reads as 0
                      ReadCase{"2.5\n3.5\n", 2, 4},       // halves to even
                      ReadCase{"&H1D\n-2\n", 29, -2},     // hexadecimal, negative
                      ReadCase{"3", 3, std::nullopt},     // end of file before the second
                      ReadCase{"3\r\n\r\n   ", 3, std::nullopt},
                      ReadCase{"", std::nullopt, std::nullopt},           // empty file
                      ReadCase{"40000\n1\n", std::nullopt, std::nullopt}, // beyond 16 bits
                      ReadCase{"1\n-32769\n", 1, std::nullopt},
                      ReadCase{"1\n2\n3\ngarbage", 1, 2})); // the rest is ignored

TEST(SettingsFileTest, AnEndlessFieldFailsTheRead) {
    std::istringstream in("4\n" + std::string(1'000'000, '7') + "\n");
    const SettingsValues values = readSettings(in);
    EXPECT_EQ(values.current, 4);
    EXPECT_FALSE(values.selected.has_value());
}

} // namespace
} // namespace panel
