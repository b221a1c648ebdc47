// Script files on disk: where names point, the encodings and line endings read, and the
// all-or-nothing save.
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "script/script_files.h"
#include "support/file_size_limit.h"
#include "support/script_errors.h"

namespace script::test {
namespace {

namespace fs = std::filesystem;
using testsupport::errorNumberOf;

class ScriptFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("fltamp-files-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        qputenv("FLTAMP_SCRIPT_DIR", QByteArray::fromStdString(folder.string()));
    }
    void TearDown() override {
        qunsetenv("FLTAMP_SCRIPT_DIR");
        fs::remove_all(folder);
    }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<QString> lines(const std::string& bytes) {
        write("lines.vbs", bytes);
        return files::readLines(folder / "lines.vbs");
    }

    fs::path folder;
};

TEST_F(ScriptFilesTest, NamesAreFoundInTheScriptFolderOrAsGiven) {
    EXPECT_EQ(files::located("a.vbs"), folder / "a.vbs");
    EXPECT_EQ(files::located("lib\\util.vbs"), folder / "lib/util.vbs");
    EXPECT_EQ(files::located("\\lib\\util.vbs"), folder / "lib/util.vbs");
    EXPECT_EQ(files::located("/tmp/x.vbs"), fs::path("/tmp/x.vbs"));
    EXPECT_EQ(files::located(""), folder / "");
    qunsetenv("FLTAMP_SCRIPT_DIR");
    EXPECT_EQ(files::located("a.vbs"),
              fs::path(QCoreApplication::applicationDirPath().toStdString()) / "a.vbs");
}

TEST_F(ScriptFilesTest, LinesEndInCrLfOrLf) {
    using Lines = std::vector<QString>;
    EXPECT_EQ(lines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(lines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(lines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(lines("lone\rreturn\r\n"), (Lines{"lone\rreturn"}));
    EXPECT_EQ(lines(""), Lines{});
}

TEST_F(ScriptFilesTest, Utf8WithOrWithoutAMarkAndOlderFilesInWindows1252) {
    using Lines = std::vector<QString>;
    EXPECT_EQ(lines("\xEF\xBB\xBFs = \"Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC\"\r\n"),
              (Lines{QStringLiteral("s = \"Grüße €\"")}));
    EXPECT_EQ(lines("s = \"Gr\xFC\xDF\x65 \x80\"\r\n"), (Lines{QStringLiteral("s = \"Grüße €\"")}));
    // One bad sequence anywhere makes the whole file Windows-1252, even its valid UTF-8.
    EXPECT_EQ(lines("\xC3\xBC\r\n\xFC\r\n"),
              (Lines{QStringLiteral("\u00C3\u00BC"), QStringLiteral("\u00FC")}));
    // UTF-8 cut short at the end of the file is not UTF-8.
    EXPECT_EQ(lines("a\xC3"), (Lines{QStringLiteral("a\u00C3")}));
    EXPECT_EQ(lines("\x81\x8D"), (Lines{QStringLiteral("\u0081\u008D")}));
}

TEST_F(ScriptFilesTest, FailuresAreTheLanguagesFileErrorsWithThePath) {
    std::u16string description;
    EXPECT_EQ(errorNumberOf([&] { files::readLines(folder / "missing.vbs"); }, &description), 53);
    EXPECT_EQ(description, u"File not found: " + (folder / "missing.vbs").u16string());
    EXPECT_EQ(errorNumberOf([&] { files::readLines(folder / "no" / "such.vbs"); }), 76);
    EXPECT_EQ(errorNumberOf([&] { files::readLines(folder); }), 75);
    EXPECT_EQ(errorNumberOf([&] { files::replaceFile(folder / "no" / "such.vbs", "x"); }), 76);
    // Saving before any file was named: the target is the folder itself.
    EXPECT_EQ(errorNumberOf([&] { files::replaceFile(files::located(""), "x"); }), 75);
    // Devices and pipes are no script files: nothing waits on them or replaces them.
    ::mkfifo((folder / "pipe").c_str(), 0600);
    EXPECT_EQ(errorNumberOf([&] { files::readLines(folder / "pipe"); }), 75);
    EXPECT_EQ(errorNumberOf([&] { files::replaceFile(folder / "pipe", "x"); }), 75);
    EXPECT_EQ(errorNumberOf([&] { files::readLines("/dev/zero"); }), 75);
}

TEST_F(ScriptFilesTest, ASaveReplacesTheFileAndKeepsItsPermissions) {
    write("saved.vbs", "old");
    ::chmod((folder / "saved.vbs").c_str(), 0640);
    files::replaceFile(folder / "saved.vbs", QStringLiteral("a = \"é\"\r\n"));
    EXPECT_EQ(read(folder / "saved.vbs"), "a = \"\xC3\xA9\"\r\n");
    struct stat status {};
    ASSERT_EQ(::stat((folder / "saved.vbs").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1); // no temporary left
}

TEST_F(ScriptFilesTest, ASaveThroughALinkReplacesTheFileItPointsTo) {
    write("real.vbs", "old");
    fs::create_symlink(folder / "real.vbs", folder / "link.vbs");
    files::replaceFile(folder / "link.vbs", QStringLiteral("new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.vbs"));
    EXPECT_EQ(read(folder / "real.vbs"), "new");
}

TEST_F(ScriptFilesTest, AWriteThatFailsMidwayKeepsTheOldFileAndSaysWhy) {
    write("saved.vbs", "the old log\r\n");
    std::u16string description;
    int error = 0;
    {
        testsupport::FileSizeLimit limit(4096);
        error = errorNumberOf(
            [&] { files::replaceFile(folder / "saved.vbs", QString(100000, QLatin1Char('x'))); },
            &description);
    }
    EXPECT_EQ(error, 61);
    EXPECT_EQ(description.rfind(u"Disk full: ", 0), 0u);
    EXPECT_EQ(read(folder / "saved.vbs"), "the old log\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

} // namespace
} // namespace script::test
