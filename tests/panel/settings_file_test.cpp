// Settings files: the exact bytes written and the field rules of reading.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <stdexcept>

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
                      ReadCase{"1\n2\n3\ngarbage", 1, 2},             // the rest is ignored
                      ReadCase{"\xEF\xBB\xBF 4 \r\n 17 \r\n", 4, 17}, // an editor's byte-order mark
                      ReadCase{"\xEF\xBB\xBF", std::nullopt, std::nullopt},
                      ReadCase{"\xEF\xBB"
                               "5\n7",
                               0, 7}, // half a mark is text
                      ReadCase{"5\n\xEF\xBB\xBF"
                               "7",
                               5, 0},                                     // only at the start
                      ReadCase{"1e400\n5\n", std::nullopt, std::nullopt}, // beyond a double
                      ReadCase{"3,-1D+400", 3, std::nullopt},
                      ReadCase{"1e-400\n2", 0, 2}, // below a double is zero
                      ReadCase{"1e400e\n2", 0, 2}, // not a number after all
                      ReadCase{"nan\ninf", 0, 0},  // words, not numbers
                      ReadCase{"-Infinity,NaN", 0, 0}));

TEST(SettingsFileTest, AnEndlessFieldFailsTheReadWithoutBeingReadToItsEnd) {
    std::istringstream in("4\n" + std::string(1'000'000, '7') + "\n");
    const SettingsValues values = readSettings(in);
    EXPECT_EQ(values.current, 4);
    EXPECT_FALSE(values.selected.has_value());
    EXPECT_LT(in.tellg(), 1000);
}

TEST(SettingsFileTest, NothingIsReadAfterTheSecondValue) {
    std::istringstream in(" 4 \r\n 17 \r\n" + std::string(100'000, ' ') + "rest");
    const SettingsValues values = readSettings(in);
    EXPECT_EQ(values.selected, 17);
    EXPECT_EQ(in.tellg(), 8); // just past the 7
}

struct WindowCase {
    const char* what;
    std::string content;
    std::optional<Integer> current;
    std::optional<Integer> selected;
};

class SettingsWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(SettingsWindowTest, ValuesAreLookedForOnlyInTheFirst64KiB) {
    std::istringstream in(GetParam().content);
    const SettingsValues values = readSettings(in);
    EXPECT_EQ(values.current, GetParam().current);
    EXPECT_EQ(values.selected, GetParam().selected);
    EXPECT_LE(in.tellg(), static_cast<std::streamoff>(settingsWindow));
}

std::string blanksUpTo(std::size_t offset) {
    return std::string(offset, ' ');
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, SettingsWindowTest,
    ::testing::Values(
        WindowCase{"BothInside", blanksUpTo(settingsWindow - 5) + "3 4\n", 3, 4},
        WindowCase{"SecondEndsAtTheEdge", blanksUpTo(settingsWindow - 3) + "3 4", 3, 4},
        WindowCase{"SecondCutByTheEdge", blanksUpTo(settingsWindow - 3) + "3 45", 3, std::nullopt},
        WindowCase{"SecondBeyond", blanksUpTo(settingsWindow - 2) + "1\n2", 1, std::nullopt},
        WindowCase{"FirstBeyond", blanksUpTo(100'000) + "5 6", std::nullopt, std::nullopt},
        WindowCase{"LineEndsAllTheWay", std::string(settingsWindow * 3, '\n') + "5 6", std::nullopt,
                   std::nullopt}),
    [](const auto& info) { return std::string(info.param.what); });

// Hands out its text, then fails as a disk read can.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("read error"); }

private:
    std::string text_;
};

TEST(SettingsFileTest, AReadErrorFailsTheFieldItCuts) {
    FailingBuffer cutInFirst("1");
    std::istream first(&cutInFirst);
    EXPECT_FALSE(readSettings(first).current.has_value()); // not 1: more digits may follow

    FailingBuffer cutInSecond("4 1");
    std::istream second(&cutInSecond);
    const SettingsValues values = readSettings(second);
    EXPECT_EQ(values.current, 4);
    EXPECT_FALSE(values.selected.has_value());
}

class SettingsPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("fltamp-settings-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

TEST_F(SettingsPathTest, ARegularFileAndALinkToOneAreRead) {
    const auto file = folder / "codes.txt";
    std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF" << settingsText(4, 17);
    std::filesystem::create_symlink(file, folder / "link.txt");
    for (const auto& path : {file, folder / "link.txt"}) {
        const std::optional<SettingsValues> values = readSettingsFile(path.string());
        ASSERT_TRUE(values.has_value()) << path;
        EXPECT_EQ(values->current, 4);
        EXPECT_EQ(values->selected, 17);
    }
}

TEST_F(SettingsPathTest, WhatIsNoRegularFileIsNotRead) {
    EXPECT_FALSE(readSettingsFile("/dev/zero").has_value());
    EXPECT_FALSE(readSettingsFile(folder.string()).has_value());
    EXPECT_FALSE(readSettingsFile((folder / "missing.txt").string()).has_value());
}

TEST_F(SettingsPathTest, AFifoIsNeitherWaitedOnNorRead) {
    const auto fifo = folder / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&] { return readSettingsFile(fifo.string()); });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Free the stuck reader with a writer, so that the failure ends.
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        ::close(writer);
        FAIL() << "opening a FIFO waited for a writer";
    }
    EXPECT_FALSE(read.get().has_value());
}

TEST_F(SettingsPathTest, AHugeFileOfNulsFailsAtOnce) {
    const auto huge = folder / "nuls.txt";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 30); // sparse: takes no disk
    const std::optional<SettingsValues> values = readSettingsFile(huge.string());
    ASSERT_TRUE(values.has_value());
    EXPECT_FALSE(values->current.has_value());
}

} // namespace
} // namespace panel
