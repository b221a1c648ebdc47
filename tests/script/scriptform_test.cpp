// The script console, headless, beside a main window on the simulated board: its layout,
// its load, every button with its error box, what scripts reach, the file operations and
// the procedure catalogue, and the hostile scripts it must survive.
#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "device/Variables.h"
#include "panel/FrequencyBar.h"
#include "panel/Main.h"
#include "panel_test_support.h"
#include "script/Class_Routines.h"
#include "script/MultiLineTextBox.h"
#include "script/Scriptform.h"
#include "support/file_size_limit.h"
#include "vbscript/convert.h"

namespace script::test {
namespace {

namespace fs = std::filesystem;
using panel::test::ProgramEnded;

const std::string errorPrefix = "Error: \r\n";
const QString fiveLines = QStringLiteral("'Self'   SC\r\n"
                                         "'myScr'  Scriptform.Text_codeWindow\r\n"
                                         "'MForm'  Main\r\n"
                                         "'SForm'  Scriptform\r\n"
                                         "'Text1'  Scriptform.Text1\r\n");
const std::vector<std::string> greetings{"Class_Routines Initialized",
                                         "I got a procedure from a routine to run!"};

class ConsoleTest : public panel::test::PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        forgetRoutinesInstance();
        folder = fs::temp_directory_path() /
                 ("fltamp-console-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        qputenv("FLTAMP_SCRIPT_DIR", QByteArray::fromStdString(folder.string()));
    }
    void TearDown() override {
        console.reset();
        window.reset();
        forgetRoutinesInstance();
        qunsetenv("FLTAMP_SCRIPT_DIR");
        fs::remove_all(folder);
        PanelFixture::TearDown();
    }

    // The main window after start-up with the chip at chipCode, then a console for it.
    void startPanel(int chipCode = 11) {
        console.reset();
        window.reset();
        board = &installBoard(chipCode);
        window = std::make_unique<panel::Main>();
        window->load("");
        console = std::make_unique<Scriptform>(*window);
    }
    void open() {
        startPanel();
        console->load();
        dialogs.messages.clear();
    }

    template <class T> T* control(const char* name) {
        T* found = console->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    MultiLineTextBox* box(const char* name) { return control<MultiLineTextBox>(name); }
    QString text(const char* name) { return box(name)->text(); }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    // Types a statement into the statement box and clicks its Execute.
    void execute(const QString& statement) {
        control<QLineEdit>("Text_exeOnly")->setText(statement);
        click("Cmd_exe2");
    }
    std::u16string eval(const std::u16string& expression) {
        return vbs::toText(console->scriptControl().eval(expression));
    }
    std::vector<std::string> errorBoxes() const {
        std::vector<std::string> shown;
        for (const std::string& text : dialogs.texts())
            if (text.rfind(errorPrefix, 0) == 0)
                shown.push_back(text.substr(errorPrefix.size()));
        return shown;
    }
    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    std::string readFile(const std::string& name) {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void showBoth() {
        window->show();
        console->show();
        console->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(console.get()));
    }

    fs::path folder;
    panel::test::TestBoard* board = nullptr;
    std::unique_ptr<panel::Main> window;
    std::unique_ptr<Scriptform> console;
};

// --- Layout ---

struct Placement {
    const char* name;
    const char* kind;
    const char* text;
    QRect geometry;
};

TEST_F(ConsoleTest, EveryControlSitsAtItsPlaceWithItsText) {
    open();
    EXPECT_EQ(console->windowTitle(), "Scripting");
    EXPECT_EQ(console->size(), QSize(864, 555));
    EXPECT_EQ(console->minimumSize(), console->maximumSize());
    const Placement placements[] = {
        {"Label1", "QLabel", "Code To Run, or Code to Add", {48, 8, 169, 17}},
        {"Text_codeWindow", "script::MultiLineTextBox", "", {48, 24, 521, 137}},
        {"Cmd_exe", "QPushButton", "Execute", {56, 168, 57, 33}},
        {"Cmd_addCode", "QPushButton", "Add Code To Module", {160, 168, 105, 33}},
        {"Cmd_clear", "QPushButton", "Clear Text", {288, 168, 81, 33}},
        {"Label3", "QLabel", "Log of AddObject", {664, 0, 105, 17}},
        {"Text_objs", "script::MultiLineTextBox", nullptr, {592, 16, 265, 185}},
        {"Label2", "QLabel", "Log of AddCode", {416, 192, 81, 17}},
        {"Text_scriptCode", "script::MultiLineTextBox", "", {304, 208, 553, 329}},
        {"Text_method", "script::MultiLineTextBox", "", {8, 224, 281, 19}},
        {"Cmd_runMethod", "QPushButton", "Run Method", {216, 248, 73, 25}},
        {"Label4", "QLabel", "Alias", {16, 272, 41, 17}},
        {"Text_addObjAlias", "script::MultiLineTextBox", "", {8, 288, 65, 19}},
        {"Label5", "QLabel", "Object", {80, 272, 89, 17}},
        {"Text_addObj", "script::MultiLineTextBox", "", {80, 288, 209, 19}},
        {"Check_loadMembers", "QCheckBox", "Load Members", {96, 312, 105, 17}},
        {"Cmd_addObj", "QPushButton", "Add Object", {216, 312, 73, 25}},
        {"Text_exeOnly", "QLineEdit", "", {8, 352, 281, 19}},
        {"Cmd_exe2", "QPushButton", "Execute", {216, 376, 73, 33}},
        {"Text1", "QLineEdit", "Text1", {184, 480, 97, 49}},
    };
    for (const Placement& p : placements) {
        auto* widget = control<QWidget>(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->inherits(p.kind)) << p.name;
        EXPECT_EQ(widget->parentWidget(), console.get()) << p.name;
        EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
        if (p.text) {
            EXPECT_EQ(widget->property("text").toString().toStdString(), p.text) << p.name;
        }
    }
    EXPECT_EQ(control<QCheckBox>("Check_loadMembers")->checkState(), Qt::Unchecked);
}

TEST_F(ConsoleTest, TheTabOrderFollowsTheTabIndexes) {
    open();
    const char* order[] = {"Text_codeWindow",   "Cmd_exe",       "Cmd_addCode",      "Cmd_clear",
                           "Text_method",       "Cmd_runMethod", "Text_addObjAlias", "Text_addObj",
                           "Check_loadMembers", "Cmd_addObj",    "Text_scriptCode",  "Text1",
                           "Text_objs",         "Text_exeOnly",  "Cmd_exe2"};
    QWidget* widget = control<QWidget>(order[0]);
    for (const char* name : order) {
        EXPECT_EQ(widget->objectName().toStdString(), name);
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
    }
    EXPECT_EQ(widget, control<QWidget>(order[0]));
}

TEST_F(ConsoleTest, TheCodeBoxesUseAFixedPitchFont) {
    open();
    const std::pair<const char*, double> boxes[] = {
        {"Text_codeWindow", 11.25}, {"Text_objs", 8.25}, {"Text_scriptCode", 8.25}};
    for (const auto& [name, points] : boxes) {
        const QFont font = box(name)->font();
        EXPECT_EQ(font.families().value(0), "Courier New") << name;
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << name;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), points) << name;
    }
}

// --- Load ---

TEST_F(ConsoleTest, LoadGreetsInOrderThenShowsTheFiveRegistrations) {
    startPanel();
    console->load();
    EXPECT_EQ(dialogs.texts(), greetings);
    EXPECT_EQ(text("Text_objs"), fiveLines);
    for (const char* empty :
         {"Text_codeWindow", "Text_scriptCode", "Text_method", "Text_addObjAlias", "Text_addObj"})
        EXPECT_TRUE(text(empty).isEmpty()) << empty;
    EXPECT_TRUE(control<QLineEdit>("Text_exeOnly")->text().isEmpty());
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "Text1");
    EXPECT_EQ(eval(u"TypeName(Self) & TypeName(myScr) & TypeName(MForm) & TypeName(SForm) & "
                   u"TypeName(Text1)"),
              u"ScriptControlscript::MultiLineTextBoxpanel::Mainscript::ScriptformQLineEdit");
    EXPECT_EQ(console->scriptControl().timeout(), 10000);
    EXPECT_TRUE(console->scriptControl().allowUI());

    // The routines object exists now: another console only hears its second message.
    dialogs.messages.clear();
    Scriptform another(*window);
    another.load();
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{greetings[1]});
}

TEST_F(ConsoleTest, ALoadWithoutTheGreetingShowsNothing) {
    startPanel();
    console->load(Scriptform::Greeting::Left);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(text("Text_objs"), fiveLines);
}

TEST_F(ConsoleTest, ARefusedRegistrationShowsTheErrorBoxAndTheLoadGoesOn) {
    startPanel();
    console->scriptControl().addObject(u"MForm",
                                       vbs::Ref<vbs::HostObject>(&console->scriptControl()));
    console->load();
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_FALSE(errorBoxes()[0].empty());
    const std::vector<std::string> shown = dialogs.texts();
    EXPECT_EQ(std::vector<std::string>(shown.begin() + 1, shown.end()), greetings);
    EXPECT_EQ(text("Text_objs"), fiveLines);
    EXPECT_EQ(eval(u"TypeName(SForm) & TypeName(Text1)"), u"script::ScriptformQLineEdit");
}

// --- Buttons ---

TEST_F(ConsoleTest, ExecuteRunsTheCodeWindowAndTheStatementBox) {
    open();
    box("Text_codeWindow")->setText(QStringLiteral("Text1.Text = \"one\"\r\nx = 2"));
    click("Cmd_exe");
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "one");
    execute(QStringLiteral("Text1.Text = x * 21"));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "42");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(text("Text_scriptCode").isEmpty()); // nothing is logged

    execute(QStringLiteral("y = 1 / 0"));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{errorPrefix + "Division by zero"});
    const platform::MessageRequest& errorBox = dialogs.messages.back();
    EXPECT_EQ(errorBox.title, "FLTAMP");
    EXPECT_EQ(errorBox.buttons, platform::Buttons::Ok);
    EXPECT_EQ(errorBox.icon, platform::Icon::None);
    EXPECT_EQ(errorBox.owner, console.get());
}

TEST_F(ConsoleTest, AddCodeLogsValidCodeAndRefusesASyntaxErrorWithoutLogging) {
    open();
    box("Text_codeWindow")
        ->setText(QStringLiteral("Function twice(n)\r\n twice = 2 * n\r\nEnd Function"));
    click("Cmd_addCode");
    const QString logged =
        QStringLiteral("Function twice(n)\r\n twice = 2 * n\r\nEnd Function\r\n\r\n");
    EXPECT_EQ(text("Text_scriptCode"), logged);
    EXPECT_EQ(eval(u"twice(4)"), u"8");

    box("Text_codeWindow")->setText(QStringLiteral("x = (1 +"));
    click("Cmd_addCode");
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_FALSE(errorBoxes()[0].empty());
    EXPECT_EQ(text("Text_scriptCode"), logged);
}

TEST_F(ConsoleTest, RunMethodPassesTheNameAndAnEmptyOneIsTheEnginesError) {
    open();
    box("Text_codeWindow")->setText(QStringLiteral("Sub mark\r\n Text1.Text = \"ran\"\r\nEnd Sub"));
    click("Cmd_addCode");
    box("Text_method")->setText(QStringLiteral("mark"));
    click("Cmd_runMethod");
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "ran");
    box("Text_method")->setText(QString());
    click("Cmd_runMethod");
    EXPECT_EQ(errorBoxes(), std::vector<std::string>{"Sub or Function not defined"});
}

TEST_F(ConsoleTest, ClearTextEmptiesOnlyTheCodeWindowAndFocusesIt) {
    open();
    showBoth();
    box("Text_codeWindow")->setText(QStringLiteral("x = 1"));
    click("Cmd_addCode");
    box("Text_method")->setText(QStringLiteral("m"));
    control<QLineEdit>("Text_exeOnly")->setText(QStringLiteral("s"));
    click("Cmd_clear");
    EXPECT_TRUE(text("Text_codeWindow").isEmpty());
    EXPECT_TRUE(box("Text_codeWindow")->hasFocus());
    EXPECT_EQ(text("Text_scriptCode"), QStringLiteral("x = 1\r\n\r\n"));
    EXPECT_EQ(text("Text_objs"), fiveLines);
    EXPECT_EQ(text("Text_method"), "m");
    EXPECT_EQ(control<QLineEdit>("Text_exeOnly")->text(), "s");
}

TEST_F(ConsoleTest, FocusEnteringTheThreeEntryBoxesSelectsTheirText) {
    open();
    showBoth();
    for (const char* name : {"Text_method", "Text_addObjAlias", "Text_addObj"}) {
        box(name)->setText(QStringLiteral("two\r\nlines"));
        control<QLineEdit>("Text_exeOnly")->setFocus();
        box(name)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(box(name)->selStart(), 0) << name;
        EXPECT_EQ(box(name)->selLength(), 10) << name;
    }
    box("Text_codeWindow")->setText(QStringLiteral("kept"));
    box("Text_codeWindow")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box("Text_codeWindow")->selLength(), 0);
}

TEST_F(ConsoleTest, TypedLineBreaksReachScriptsAndTheLogAsCrLf) {
    open();
    MultiLineTextBox* code = box("Text_codeWindow");
    QTest::keyClicks(code, QStringLiteral("a = 1"));
    QTest::keyClick(code, Qt::Key_Return);
    QTest::keyClicks(code, QStringLiteral("b = 2"));
    EXPECT_EQ(eval(u"myScr.Text"), u"a = 1\r\nb = 2");
    EXPECT_EQ(eval(u"SForm.Text_objs.Text"), fiveLines.toStdU16String());
    click("Cmd_addCode");
    EXPECT_EQ(eval(u"SForm.Text_scriptCode.Text"), u"a = 1\r\nb = 2\r\n\r\n");
}

// --- Add Object ---

struct Registration {
    const char* alias;
    const char* typed;
    const char* logged;
    const char16_t* check; // an expression on the registered name
    const char16_t* expected;
};

TEST_F(ConsoleTest, AddObjectRegistersWhatTheTypedTextNamesOrElseTheBox) {
    open();
    const Registration cases[] = {
        {"abcdef", "Text1", "'abcdef' Text1\r\n", u"TypeName(abcdef)", u"QLineEdit"},
        {"abcdefg", "MForm.Text_new_freq", "'abcdefg'MForm.Text_new_freq\r\n", u"abcdefg.Text",
         u"12"},
        {"dict", "CreateObject(\"Scripting.Dictionary\")",
         "'dict'   CreateObject(\"Scripting.Dictionary\")\r\n", u"TypeName(dict)", u"Dictionary"},
        {"nob", "Nothing", "'nob'    Nothing\r\n", u"nob.Text", u"Nothing"},
        {"bad", "1 / 0", "'bad'    1 / 0\r\n", u"bad.Text", u"1 / 0"},
        {"syn", "Foo(", "'syn'    Foo(\r\n", u"syn.Text", u"Foo("},
        {"num", "42", "'num'    42\r\n", u"TypeName(num)", u"script::MultiLineTextBox"},
    };
    QString log = fiveLines;
    for (const Registration& c : cases) {
        box("Text_addObjAlias")->setText(QString::fromLatin1(c.alias));
        box("Text_addObj")->setText(QString::fromLatin1(c.typed));
        click("Cmd_addObj");
        log += QString::fromLatin1(c.logged);
        EXPECT_EQ(text("Text_objs"), log) << c.alias;
        EXPECT_EQ(eval(c.check), c.expected) << c.alias;
    }
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().front();
}

TEST_F(ConsoleTest, AddObjectWithAnEmptyBoxDoesNothing) {
    open();
    for (const auto& [alias, typed] : {std::pair{"", "Text1"}, std::pair{"t", ""}}) {
        box("Text_addObjAlias")->setText(QString::fromLatin1(alias));
        box("Text_addObj")->setText(QString::fromLatin1(typed));
        click("Cmd_addObj");
    }
    EXPECT_EQ(text("Text_objs"), fiveLines);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(eval(u"TypeName(t)"), u"Empty");
}

TEST_F(ConsoleTest, ARefusedAliasShowsTheErrorBoxAndIsStillLogged) {
    open();
    box("Text_addObjAlias")->setText(QStringLiteral("MForm"));
    box("Text_addObj")->setText(QStringLiteral("Text1"));
    click("Cmd_addObj");
    EXPECT_EQ(errorBoxes().size(), 1u);
    EXPECT_EQ(text("Text_objs"), fiveLines + QStringLiteral("'MForm'  Text1\r\n"));
    EXPECT_EQ(eval(u"TypeName(MForm)"), u"panel::Main");
}

TEST_F(ConsoleTest, LoadMembersMakesTheObjectsMembersGlobalNames) {
    open();
    box("Text_addObjAlias")->setText(QStringLiteral("M2"));
    box("Text_addObj")->setText(QStringLiteral("MForm"));
    control<QCheckBox>("Check_loadMembers")->setCheckState(Qt::Checked);
    click("Cmd_addObj");
    EXPECT_EQ(eval(u"pad(\"ab\", 3)"), u"ab  ");
}

TEST_F(ConsoleTest, AnAliasTooLongToPadIsAnOverflowAndTheWindowGoesOn) {
    open();
    box("Text_addObjAlias")->setText(QString(32767, QLatin1Char('a')));
    box("Text_addObj")->setText(QStringLiteral("Text1"));
    click("Cmd_addObj");
    ASSERT_FALSE(errorBoxes().empty());
    EXPECT_EQ(errorBoxes().back(), "Overflow");
    EXPECT_EQ(text("Text_objs"), fiveLines);
    execute(QStringLiteral("Text1.Text = \"still here\""));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "still here");
}

// --- What scripts reach ---

TEST_F(ConsoleTest, MsgBoxAndInputBoxAreTheConsolesOwnBoxes) {
    open();
    dialogs.answers = {platform::Answer::Cancel};
    execute(QStringLiteral("Text1.Text = MsgBox(\"Write?\", vbYesNoCancel + vbQuestion + "
                           "vbDefaultButton2, \"Bench\")"));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "2");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const platform::MessageRequest& asked = dialogs.messages[0];
    EXPECT_EQ(asked.text, "Write?");
    EXPECT_EQ(asked.title, "Bench");
    EXPECT_EQ(asked.buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(asked.icon, platform::Icon::Question);
    EXPECT_EQ(asked.defaultButton, 1);
    EXPECT_EQ(asked.owner, console.get());

    dialogs.typedTexts = {std::string("15"), std::nullopt};
    execute(QStringLiteral(
        "a = InputBox(\"Cutoff?\", \"Bench\", \"12\") : b = IsEmpty(InputBox(\"Again?\"))"));
    EXPECT_EQ(eval(u"a & \" \" & b"), u"15 True");
    ASSERT_EQ(dialogs.inputRequests.size(), 2u);
    EXPECT_EQ(dialogs.inputRequests[0].prompt, "Cutoff?");
    EXPECT_EQ(dialogs.inputRequests[0].defaultText, "12");
    EXPECT_EQ(dialogs.inputRequests[0].owner, console.get());
}

TEST_F(ConsoleTest, ScriptsReachTheControlsOfBothWindows) {
    open();
    showBoth();
    execute(QStringLiteral("MForm.VScroll_new_freq.Value = 20"));
    EXPECT_EQ(window->findChild<QLineEdit*>("Text_new_freq")->text(), "20");
    EXPECT_EQ(eval(u"MForm.VScroll_new_freq.Min & \" \" & MForm.VScroll_new_freq.Max & \" \" & "
                   u"MForm.VScroll_new_freq"),
              u"1 30 20");
    execute(QStringLiteral("MForm.VScroll_new_freq.Value = 40"));
    EXPECT_EQ(errorBoxes(), std::vector<std::string>{"Invalid property value"});

    execute(QStringLiteral("MForm.Label5.Caption = MForm.Caption"));
    EXPECT_EQ(window->findChild<QLabel*>("Label5")->text(), "Brinmor Evaluation Software");

    execute(QStringLiteral("Set b = MForm.text_clockStretch : b.Text = \"2500\" : b.SetFocus : "
                           "b.SelStart = 1 : b.SelLength = 2"));
    auto* delay = window->findChild<QLineEdit*>("text_clockStretch");
    EXPECT_EQ(delay->selectedText(), "50");
    EXPECT_EQ(window->focusWidget(), delay);
    EXPECT_EQ(eval(u"MForm.text_clockStretch.SelStart & MForm.text_clockStretch.SelLength"), u"12");

    execute(QStringLiteral("SForm.Check_loadMembers.Value = 1"));
    EXPECT_EQ(control<QCheckBox>("Check_loadMembers")->checkState(), Qt::Checked);
    EXPECT_EQ(eval(u"SForm.Check_loadMembers.Value"), u"1");

    execute(QStringLiteral("SForm.Hide"));
    EXPECT_FALSE(console->isVisible());
    execute(QStringLiteral("SForm.Show"));
    EXPECT_TRUE(console->isVisible());

    board->events.clear();
    execute(QStringLiteral("MForm.Command_read.Value = True"));
    EXPECT_FALSE(board->events.empty());
    EXPECT_EQ(eval(u"MForm.Command_read.Value"), u"False");
}

TEST_F(ConsoleTest, ScriptsCannotDeleteAWindow) {
    open();
    execute(QStringLiteral("SForm.deleteLater"));
    EXPECT_EQ(errorBoxes().size(), 1u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    execute(QStringLiteral("Text1.Text = \"alive\""));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "alive");
}

std::vector<std::pair<char, int>> wire(const panel::test::TestBoard& board) {
    std::vector<std::pair<char, int>> accesses;
    for (const panel::test::WireEvent& event : board.events)
        accesses.emplace_back(event.kind, event.value);
    return accesses;
}

TEST_F(ConsoleTest, AScriptWritesTheSameBytesAsTheOperator) {
    startPanel(4);
    board->events.clear();
    auto* typed = window->findChild<QLineEdit*>("Text_new_freq");
    typed->selectAll();
    QTest::keyClicks(typed, QStringLiteral("12"));
    window->findChild<QPushButton*>("Command_write")->click();
    const auto byOperator = wire(*board);
    ASSERT_FALSE(byOperator.empty());
    EXPECT_EQ(device::currentCode, 11);

    startPanel(4);
    console->load();
    board->events.clear();
    execute(QStringLiteral("MForm.Text_new_freq.Text = \"12\" : MForm.Command_write.Click"));
    EXPECT_EQ(wire(*board), byOperator);
    EXPECT_EQ(device::currentCode, 11);
    EXPECT_EQ(window->findChild<QLabel*>("Label_cur_freq")->text(), "12");
}

TEST_F(ConsoleTest, TheReadmesExampleWritesAndReports) {
    startPanel(4);
    qputenv("FLTAMP_SCRIPT_DIR", FLTAMP_EXAMPLES);
    console->load(Scriptform::Greeting::Left);
    board->events.clear();
    execute(QStringLiteral("SForm.loadScriptFile \"write-12mhz.vbs\""));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"The chip reads 12 MHz"});
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "[12]   |");
    EXPECT_EQ(device::currentCode, 11);
    EXPECT_FALSE(board->events.empty());
}

// The tour loaded block by block, as the console's loader splits it.
TEST_F(ConsoleTest, TheConsoleDemoRunsBlockByBlock) {
    startPanel(4);
    qputenv("FLTAMP_SCRIPT_DIR", FLTAMP_EXAMPLES);
    console->load(Scriptform::Greeting::Left);
    execute(QStringLiteral("SForm.loadScriptFile \"console-demo.vbs\""));
    EXPECT_EQ(errorBoxes(), std::vector<std::string>{});
    const std::vector<std::string> shown = dialogs.texts();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], "The chip reads 20 MHz (code 19)");
    EXPECT_EQ(shown[1].substr(0, 21), "MHz  code\r\n--------\r\n");
    EXPECT_EQ(shown[2], "5 MHz is code 4; the chip reads 5 MHz");
    EXPECT_EQ(shown[3], "Procedures: \r\nCodeOf\r\nWriteMHz\r\n");
    EXPECT_EQ(control<QLineEdit>("Text1")->text().left(13), "Read: 20 MHz,");
    EXPECT_EQ(device::currentCode, 4);
}

// --- The time limit and hostile scripts ---

TEST_F(ConsoleTest, TheTimeLimitStopsARunawayStatementAndTheNextOneRuns) {
    open();
    console->scriptControl().setTimeout(200);
    box("Text_codeWindow")->setText(QStringLiteral("Do\r\nLoop"));
    click("Cmd_exe");
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_NE(errorBoxes()[0].find("time limit"), std::string::npos);
    execute(QStringLiteral("Text1.Text = \"next\""));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "next");
}

TEST_F(ConsoleTest, AButtonClickedByItsOwnCodeEndsOutOfStackSpace) {
    open();
    box("Text_codeWindow")->setText(QStringLiteral("SForm.Cmd_exe.Click"));
    click("Cmd_exe");
    EXPECT_EQ(errorBoxes(), std::vector<std::string>{"Out of stack space"});
    execute(QStringLiteral("Text1.Text = \"next\""));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "next");
}

TEST_F(ConsoleTest, ClosingEitherWindowFromAScriptEndsTheProgram) {
    for (const char* statement : {"MForm.close", "SForm.close"}) {
        open();
        try {
            execute(QString::fromLatin1(statement));
            ADD_FAILURE() << statement << " did not end the program";
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.status, 0);
        }
    }
}

TEST_F(ConsoleTest, ClosingTheConsoleEndsTheProgram) {
    open();
    EXPECT_THROW(console->close(), ProgramEnded);
}

TEST_F(ConsoleTest, HundredsOfObjectsAndMegabytesOfCodeLeaveTheWindowWorking) {
    open();
    execute(QStringLiteral("For i = 1 To 300\r\n"
                           " SForm.Text_addObjAlias.Text = \"o\" & i\r\n"
                           " SForm.Text_addObj.Text = \"Text1\"\r\n"
                           " SForm.Cmd_addObj.Value = True\r\n"
                           "Next"));
    EXPECT_EQ(text("Text_objs").count(QStringLiteral("\r\n")), 305);
    EXPECT_EQ(eval(u"o300.Text"), u"Text1");

    execute(
        QStringLiteral("c = \"\"\r\n"
                       "For i = 1 To 1000 : c = c & \"' \" & String(98, \"x\") & vbCrLf : Next\r\n"
                       "For k = 1 To 20\r\n"
                       " myScr.Text = c & \"n = \" & k\r\n"
                       " SForm.Cmd_addCode.Click\r\n"
                       "Next"));
    EXPECT_TRUE(errorBoxes().empty());
    EXPECT_GT(text("Text_scriptCode").size(), 2'000'000);
    EXPECT_EQ(eval(u"n"), u"20");
    QCoreApplication::processEvents();
    execute(QStringLiteral("Text1.Text = \"after\""));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "after");
}

// --- Script files and the procedure catalogue ---

struct Load {
    const char* name;
    std::string bytes;
    QString log;           // the code log after the load
    const char16_t* check; // then evaluates to
    const char16_t* expected;
};

TEST_F(ConsoleTest, AScriptFileLoadsBlockByBlock) {
    const Load loads[] = {
        // The design's own layout: every block ends with an empty line.
        {"design", "a = 1\r\nb = 2\r\n\r\nc = 3\r\n\r\n", "\r\na = 1\r\nb = 2\r\n\r\nc = 3\r\n",
         u"a + b + c", u"6"},
        // The last block, with no empty line after it, is added too.
        {"last", "a = 1\r\n\r\nc = 3", "\r\na = 1\r\n\r\nc = 3\r\n", u"a + c", u"4"},
        // Two empty lines add an empty block: one more CR LF in the log.
        {"empty", "a = 1\r\n\r\n\r\nc = 3\r\n", "\r\na = 1\r\n\r\n\r\nc = 3\r\n", u"a + c", u"4"},
        // A line of blanks stays in its block.
        {"blank", "If True Then\r\n   \r\n a = 5\r\nEnd If\r\n",
         "\r\nIf True Then\r\n   \r\n a = 5\r\nEnd If\r\n", u"a", u"5"},
        // Lines ending in LF alone, and an older file in Windows-1252.
        {"lf", "s = \"Gr\xFC\xDF\x65\"\n\nt = 1\n", "\r\ns = \"Grüße\"\r\n\r\nt = 1\r\n", u"s & t",
         u"Grüße1"},
        {"utf8", "\xEF\xBB\xBFs = \"\xE2\x82\xAC\"\r\n", "\r\ns = \"€\"\r\n", u"s", u"€"},
    };
    for (const Load& load : loads) {
        open();
        writeFile(std::string(load.name) + ".vbs", load.bytes);
        execute(QStringLiteral("SForm.loadScriptFile \"%1.vbs\" : done = 1").arg(load.name));
        EXPECT_EQ(text("Text_scriptCode"), load.log) << load.name;
        EXPECT_EQ(eval(load.check), load.expected) << load.name;
        EXPECT_EQ(eval(u"done"), u"1") << load.name;
        EXPECT_TRUE(dialogs.messages.empty()) << load.name << ": " << dialogs.texts().front();
    }
}

TEST_F(ConsoleTest, ARefusedBlockEndsAScriptFileLoadWithTheErrorBox) {
    open();
    writeFile("broken.vbs", "a = 1\r\n\r\nb = (\r\n\r\nc = 3\r\n");
    execute(QStringLiteral("SForm.loadScriptFile \"broken.vbs\" : done = 1"));
    EXPECT_EQ(errorBoxes().size(), 1u);
    EXPECT_EQ(text("Text_scriptCode"), QStringLiteral("\r\na = 1\r\n"));
    EXPECT_EQ(eval(u"a & \"/\" & c & \"/\" & done"), u"1//1"); // the load itself succeeded
}

TEST_F(ConsoleTest, AModuleFileLoadsOneBlockPerProcedure) {
    const Load loads[] = {
        // The design's layout: header lines ignored, an empty line after each end line.
        {"design",
         "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\nPublic Sub one()\r\n"
         "End Sub\r\n\r\n' two\r\nFunction two()\r\n two = 2\r\nEnd Function\r\n\r\n",
         "Public Sub one()\r\n\r\nEnd Sub\r\n\r\n' two\r\nFunction two()\r\n two = 2\r\n"
         "End Function\r\n",
         u"two()", u"2"},
        // The end line is the file's last line: the procedure is added too.
        {"last", "Function three()\r\n three = 3\r\nEnd Function",
         "Function three()\r\n\r\n three = 3\r\nEnd Function\r\n", u"three()", u"3"},
        // A procedure straight after an end line keeps its first line.
        {"adjacent",
         "Public Sub one()\r\nEnd Sub\r\nFunction four()\r\n four = 4\r\nEnd Function\r\n",
         "Public Sub one()\r\n\r\nEnd Sub\r\n\r\nFunction four()\r\n four = 4\r\nEnd Function\r\n",
         u"four()", u"4"},
        // A line of blanks after an end line is dropped like an empty one.
        {"blank", "Function five()\r\n five = 5\r\nEnd Function\r\n   \r\n",
         "Function five()\r\n\r\n five = 5\r\nEnd Function\r\n", u"five()", u"5"},
        // An indented end line ends nothing, and a procedure without an end is dropped.
        {"indented", "Function six()\r\n six = 6\r\n  End Function\r\n", QString(),
         u"TypeName(GetRef(\"six\"))", nullptr},
        // Without "Function" or "Public Sub" (case counts) nothing is added.
        {"none", "public sub seven()\r\nEnd Sub\r\nPrivate Sub eight()\r\nEnd Sub\r\n", QString(),
         u"1", u"1"},
    };
    for (const Load& load : loads) {
        open();
        writeFile(std::string(load.name) + ".bas", load.bytes);
        execute(QStringLiteral("SForm.loadModuleProcedures \"%1.bas\"").arg(load.name));
        EXPECT_EQ(text("Text_scriptCode"), load.log) << load.name;
        if (load.expected) {
            EXPECT_EQ(eval(load.check), load.expected) << load.name;
            EXPECT_TRUE(dialogs.messages.empty()) << load.name << ": " << dialogs.texts().front();
        } else {
            EXPECT_THROW(eval(load.check), vbs::ScriptError) << load.name;
        }
    }
}

TEST_F(ConsoleTest, ARefusedProcedureFailsTheModuleLoad) {
    open();
    writeFile("broken.bas",
              "Function ok()\r\n ok = 1\r\nEnd Function\r\n\r\n"
              "Function bad(\r\nEnd Function\r\n\r\nFunction late()\r\nEnd Function\r\n");
    execute(QStringLiteral("SForm.loadModuleProcedures \"broken.bas\" : done = 1"));
    EXPECT_EQ(errorBoxes().size(), 1u);
    EXPECT_EQ(eval(u"ok() & \"/\" & done"), u"1/"); // the statement stopped at the load
    EXPECT_THROW(eval(u"late()"), vbs::ScriptError);
}

TEST_F(ConsoleTest, AMissingFileFailsTheCallingStatement) {
    open();
    for (const char* call : {"loadScriptFile", "loadModuleProcedures"})
        execute(QStringLiteral("SForm.%1 \"missing.vbs\"").arg(call));
    const std::string missing = "File not found: " + (folder / "missing.vbs").string();
    EXPECT_EQ(errorBoxes(), (std::vector<std::string>{missing, missing}));
}

TEST_F(ConsoleTest, TheCodeLogSavesAndLoadsBackBlockByBlock) {
    open();
    box("Text_codeWindow")->setText(QStringLiteral("a = 1\r\nb = 2"));
    click("Cmd_addCode");
    box("Text_codeWindow")->setText(QStringLiteral("c = \"é\""));
    click("Cmd_addCode");
    execute(QStringLiteral("SForm.setFile \"saved.vbs\" : SForm.saveSrciptFile"));
    EXPECT_EQ(device::scriptFileName, u"\\saved.vbs");
    EXPECT_EQ(readFile("saved.vbs"), "a = 1\r\nb = 2\r\n\r\nc = \"\xC3\xA9\"\r\n\r\n\r\n");

    open();
    execute(QStringLiteral("SForm.loadScriptFile \"saved.vbs\""));
    EXPECT_EQ(text("Text_scriptCode"),
              QStringLiteral("\r\na = 1\r\nb = 2\r\n\r\nc = \"é\"\r\n\r\n"));
    EXPECT_EQ(eval(u"a + b & c"), u"3é");
}

TEST_F(ConsoleTest, SavingAnEmptyLogWritesOneLineBreak) {
    open();
    execute(QStringLiteral("SForm.setFile \"empty.vbs\" : SForm.saveSrciptFile"));
    EXPECT_EQ(readFile("empty.vbs"), "\r\n");
}

TEST_F(ConsoleTest, NamesWithBackslashesOrAbsolutePathsAreFound) {
    open();
    fs::create_directories(folder / "lib");
    writeFile("lib/util.vbs", "u = 7\r\n");
    execute(QStringLiteral("SForm.loadScriptFile \"lib\\util.vbs\""));
    EXPECT_EQ(eval(u"u"), u"7");
    const QString absolute = QString::fromStdString((folder / "lib" / "out.vbs").string());
    execute(QStringLiteral("SForm.setFile \"%1\" : SForm.saveSrciptFile").arg(absolute));
    EXPECT_EQ(readFile("lib/out.vbs"), "\r\nu = 7\r\n\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConsoleTest, SavingBeforeAnyFileIsNamedFailsAtTheOpen) {
    open();
    execute(QStringLiteral("SForm.saveSrciptFile"));
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_EQ(errorBoxes()[0].rfind("Path/File access error: ", 0), 0u);
}

TEST_F(ConsoleTest, ASaveThatFailsMidwayKeepsTheOldFileAndShowsWhy) {
    open();
    writeFile("saved.vbs", "old\r\n");
    box("Text_codeWindow")->setText(QStringLiteral("' ") + QString(20000, QLatin1Char('x')));
    click("Cmd_addCode");
    {
        testsupport::FileSizeLimit limit(4096);
        execute(QStringLiteral("SForm.setFile \"saved.vbs\" : SForm.saveSrciptFile"));
    }
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_EQ(errorBoxes()[0].rfind("Disk full: ", 0), 0u);
    EXPECT_EQ(readFile("saved.vbs"), "old\r\n");
}

TEST_F(ConsoleTest, ALoadStartedByARunningStatementNests) {
    open();
    writeFile("outer.vbs", "SForm.loadScriptFile \"inner.vbs\"\r\nouter = inner + 1\r\n");
    writeFile("inner.vbs", "inner = 1\r\n");
    execute(QStringLiteral("SForm.loadScriptFile \"outer.vbs\""));
    EXPECT_EQ(eval(u"outer"), u"2");
    // The inner block is logged first: the outer one is logged when its AddCode returns.
    EXPECT_EQ(text("Text_scriptCode"),
              QStringLiteral("\r\ninner = 1\r\n\r\nSForm.loadScriptFile \"inner.vbs\"\r\n"
                             "outer = inner + 1\r\n"));
}

TEST_F(ConsoleTest, AScriptFileThatLoadsItselfEndsOutOfStackSpace) {
    open();
    writeFile("self.vbs", "SForm.loadScriptFile \"self.vbs\"\r\n");
    execute(QStringLiteral("SForm.loadScriptFile \"self.vbs\""));
    EXPECT_EQ(errorBoxes(), std::vector<std::string>{"Out of stack space"});
    execute(QStringLiteral("Text1.Text = \"next\""));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), "next");
}

TEST_F(ConsoleTest, TheCatalogueListsModulesAndProcedures) {
    open();
    execute(QStringLiteral("SForm.listScriptProcedures : SForm.listProceduresInScript"));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Procedures: \r\n"});

    dialogs.messages.clear();
    box("Text_codeWindow")
        ->setText(QStringLiteral("Sub first\r\nEnd Sub\r\nFunction second()\r\nEnd Function"));
    click("Cmd_addCode");
    execute(QStringLiteral("SForm.listModulesInScript : SForm.listProceduresInScript : "
                           "SForm.listScriptProcedures"));
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Global", "first", "second",
                                                         "Procedures: \r\nfirst\r\nsecond\r\n"}));
    for (const platform::MessageRequest& box : dialogs.messages) {
        EXPECT_EQ(box.title, "FLTAMP");
        EXPECT_EQ(box.buttons, platform::Buttons::Ok);
        EXPECT_EQ(box.icon, platform::Icon::None);
    }
}

// --- As --console opens it ---

TEST_F(ConsoleTest, OpenedAsTheOptionDoesItComesUpBesideTheMainWindowAndRuns) {
    board = &installBoard(11);
    window = std::make_unique<panel::Main>();
    window->load("");
    window->show();
    Scriptform& opened = openConsole(*window);
    // The program's one console: owned here for the test's sake.
    std::unique_ptr<Scriptform> owned(&opened);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opened));
    EXPECT_EQ(dialogs.texts(), greetings);
    EXPECT_GT(opened.frameGeometry().left(), window->frameGeometry().right());
    EXPECT_EQ(&openConsole(*window), &opened);
    EXPECT_EQ(dialogs.texts(), greetings); // loaded once

    auto* statement = opened.findChild<QLineEdit*>("Text_exeOnly");
    QTest::mouseClick(statement, Qt::LeftButton);
    QTest::keyClicks(statement, QStringLiteral("MForm.Text_new_freq.Text = MForm.pad(\"7\", 0)"));
    QTest::mouseClick(opened.findChild<QPushButton*>("Cmd_exe2"), Qt::LeftButton);
    EXPECT_EQ(window->findChild<QLineEdit*>("Text_new_freq")->text(), "7");
    EXPECT_EQ(dialogs.texts(), greetings);
    owned.reset();
}

} // namespace
} // namespace script::test
