// A script file run on the console's engine as fltamp --script runs it, in-process beside
// a main window on the simulated board: the panel without a port, procedures loaded
// through SForm, the script's objects released at its end. (The program-level behaviour,
// exit statuses and printed boxes, is tested on the built program in tests/app.)
#include <unistd.h>

#include <QLabel>
#include <filesystem>
#include <fstream>

#include "device/Variables.h"
#include "panel/Main.h"
#include "panel_test_support.h"
#include "script/Class_Routines.h"
#include "script/command_line_script.h"

namespace script::test {
namespace {

namespace fs = std::filesystem;

class CommandLineScriptTest : public panel::test::PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        forgetRoutinesInstance();
        folder = fs::temp_directory_path() /
                 ("fltamp-cli-script-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        window.reset();
        forgetRoutinesInstance();
        fs::remove_all(folder);
        PanelFixture::TearDown();
    }

    // The main window after start-up; refused: the port is refused and the operator
    // answers Ignore, so the panel runs without it.
    void startPanel(bool refused = false) {
        board = &installBoard(11, refused ? std::nullopt : std::optional<int>(0));
        if (refused)
            dialogs.answers = {platform::Answer::Ignore};
        window = std::make_unique<panel::Main>();
        window->load("");
        board->events.clear();
        dialogs.messages.clear();
    }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Runs the text as a script file; its exit status, with stdout in `out`.
    int run(const std::string& text) {
        CommandLineScript script({file("test.vbs", text), {}});
        EXPECT_TRUE(script.readFile());
        ::testing::internal::CaptureStdout();
        const int status = script.run(*window);
        out = ::testing::internal::GetCapturedStdout();
        return status;
    }

    fs::path folder;
    panel::test::TestBoard* board = nullptr;
    std::unique_ptr<panel::Main> window;
    std::string out;
};

TEST_F(CommandLineScriptTest, WithoutAPortTheScriptRunsAndNothingGoesOnTheWire) {
    startPanel(true);
    ASSERT_FALSE(device::portAvailable);
    EXPECT_EQ(run("MForm.Text_new_freq.Text = \"6\"\n"
                  "MForm.Command_write.Click\n"
                  "MForm.Command_read.Click\n"
                  "WScript.Echo MForm.Label_cur_freq.Caption\n"),
              0);
    EXPECT_TRUE(board->events.empty());
    // The window too takes the selected code as the current one when there is no port.
    EXPECT_EQ(out, "6\n");
}

TEST_F(CommandLineScriptTest, ProceduresLoadedThroughSFormAreCallableFromTheScript) {
    startPanel();
    const std::string helpers = file("helpers.vbs", "Function Twice(x)\r\n"
                                                    "    Twice = 2 * x\r\n"
                                                    "End Function\r\n");
    EXPECT_EQ(run("SForm.loadScriptFile \"" + helpers + "\"\nWScript.Echo Twice(21)\n"), 0);
    EXPECT_EQ(out, "42\n");
}

TEST_F(CommandLineScriptTest, NoGreetingAndTheScriptsObjectsAreReleasedAtItsEnd) {
    startPanel();
    EXPECT_EQ(run("Class Probe\n"
                  "    Sub Class_Terminate : WScript.Echo \"released\" : End Sub\n"
                  "End Class\n"
                  "Dim kept : Set kept = New Probe\n"
                  "WScript.Echo \"end\"\n"),
              0);
    EXPECT_EQ(out, "end\nreleased\n");
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{});
}

} // namespace
} // namespace script::test
