// The main window, headless: layout, start-up, the reactions of the frequency controls,
// the Write, Read and test actions, settings files, the OS report, About and shutdown.
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "device/Variables.h"
#include "panel/Aboutform.h"
#include "panel/FrequencyBar.h"
#include "panel/Main.h"
#include "panel_test_support.h"
#include "platform/qt/ToggleIndicator.h"

namespace panel::test {
namespace {

using device::currentCode;
using device::selectedCode;

const std::string outOfBounds = "Frequency Out of Bounds (1 - 30MHz)";
const std::string outOfRange = "Received Frequency Code is out of range.";

// Records what a control showed each time it was painted.
class PaintLog : public QObject {
public:
    PaintLog(QWidget* watched, std::function<std::string()> shown) : shown_(std::move(shown)) {
        watched->installEventFilter(this);
    }
    std::vector<std::string> painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted.push_back(shown_());
        return false;
    }

private:
    std::function<std::string()> shown_;
};

using Phases = std::vector<std::string>;

Phases concat(Phases first, const Phases& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Every phase of a transfer waits twice, after the clock's fall and after its rise.
std::string twoWaits(const std::string& phase, int passes) {
    return phase + " " + std::to_string(passes) + " " + std::to_string(passes);
}

// The waits of a write whose every wait makes this many passes.
Phases writeWaits(int passes) {
    Phases waits = {twoWaits("Setup", passes)};
    for (int k = 0; k < 8; ++k)
        waits.push_back(twoWaits("Data " + std::to_string(k), passes));
    waits.push_back(twoWaits("Settle", passes));
    return waits;
}

// The waits of a read; with flagPasses, the read flag's phase first waits that many.
Phases readWaits(int passes, std::optional<int> flagPasses = std::nullopt) {
    Phases waits = {twoWaits("R Setup", passes)};
    if (flagPasses)
        waits.push_back(twoWaits("SDAT 0 (R) " + std::to_string(*flagPasses), passes));
    for (int k = 0; k < 5; ++k)
        waits.push_back(twoWaits("Read " + std::to_string(k), passes));
    waits.push_back(twoWaits("Settle", passes));
    return waits;
}

class MainWindowTest : public PanelFixture {
protected:
    // A fresh window after the start-up with the chip holding chipCode.
    void start(int chipCode = 11, std::string_view arguments = "") {
        board = &installBoard(chipCode);
        window = std::make_unique<Main>();
        board->phaseNow = [this] {
            return indicator()->text().toStdString() + "|" + text("Text_curBit");
        };
        window->load(arguments);
    }
    void startWithoutPort() {
        platform::setVersionSource(systemOf(1, 4)); // a 9x system: the port is never set up
        window = std::make_unique<Main>();
        window->load("");
    }

    template <class T> T* control(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
    FrequencyBar* bar(const char* name) { return control<FrequencyBar>(name); }
    platform::ToggleIndicator* indicator() {
        return control<platform::ToggleIndicator>("Toggle_working");
    }
    std::string text(const char* name) { return box(name)->text().toStdString(); }
    std::string label(const char* name) { return control<QLabel>(name)->text().toStdString(); }
    void type(const QString& text) { box("Text_new_freq")->setText(text); }
    // Shows the window, types into the frequency box and moves the focus on with Tab.
    void leaveTextBoxHolding(const QString& typed) {
        showWindow();
        box("Text_new_freq")->setFocus(Qt::OtherFocusReason);
        type(typed);
        box("text_clockStretch")->setFocus(Qt::TabFocusReason);
    }
    void showWindow() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void trigger(const char* action) { control<QAction>(action)->trigger(); }
    void expectCurrentShows(int mhz) {
        EXPECT_EQ(bar("VScroll_cur_freq")->frequency(), mhz);
        EXPECT_EQ(label("Label_cur_freq"), std::to_string(mhz));
    }
    void expectSelectedShows(int mhz) {
        EXPECT_EQ(bar("VScroll_new_freq")->frequency(), mhz);
        EXPECT_EQ(text("Text_new_freq"), std::to_string(mhz));
    }
    // Puts a text in the frequency box without its text change reaction, which would
    // reset an out-of-bounds text at once: what the key reaction then finds.
    void place(const QString& text) {
        const QSignalBlocker quiet(box("Text_new_freq"));
        box("Text_new_freq")->setText(text);
    }
    // The waits on the wire, phase by phase: "Setup 2 2" is the Setup phase with two
    // waits of two passes each. Phases without a wait are left out.
    Phases waitsByPhase() const {
        Phases phases;
        std::string phase, waits;
        bool inWait = false;
        int passes = 0;
        const auto endWait = [&] {
            if (inWait)
                waits += " " + std::to_string(passes);
            inWait = false;
            passes = 0;
        };
        const auto endPhase = [&] {
            endWait();
            if (!waits.empty())
                phases.push_back(phase + waits);
            waits.clear();
        };
        for (const WireEvent& event : board->events) {
            const std::string shown = event.phase.substr(event.phase.find('|') + 1);
            if (shown != phase) {
                endPhase();
                phase = shown;
            }
            if (event.kind == '.') {
                inWait = true;
                ++passes;
            } else {
                endWait();
            }
        }
        endPhase();
        return phases;
    }

    std::unique_ptr<Main> window;
    TestBoard* board = nullptr;
};

// --- Layout ---

struct Placement {
    const char* name;
    const char* container;
    QRect geometry;
};

TEST_F(MainWindowTest, EveryControlSitsAtItsPlace) {
    start();
    const Placement placements[] = {
        {"Frame1", "centralwidget", {8, 0, 369, 401}},
        {"Command_read", "Frame1", {256, 88, 97, 73}},
        {"Command_write", "Frame1", {256, 208, 97, 81}},
        {"Frame2", "Frame1", {8, 16, 225, 377}},
        {"VScroll_new_freq", "Frame2", {144, 32, 41, 305}},
        {"VScroll_cur_freq", "Frame2", {36, 32, 41, 305}},
        {"Text_new_freq", "Frame2", {144, 343, 25, 19}},
        {"Label4", "Frame2", {168, 345, 25, 17}},
        {"Label2", "Frame2", {112, 8, 105, 17}},
        {"Label1", "Frame2", {8, 8, 97, 17}},
        {"Label_cur_freq", "Frame2", {36, 344, 17, 17}},
        {"Label3", "Frame2", {52, 344, 25, 17}},
        {"Command1", "Frame1", {240, 8, 65, 41}},
        {"text_clockStretch", "Frame1", {296, 184, 73, 19}},
        {"Text_curBit", "Frame1", {296, 304, 73, 19}},
        {"Label5", "Frame1", {232, 184, 65, 17}},
        {"Toggle_working", "Frame1", {264, 56, 81, 25}},
        {"Label6", "Frame1", {232, 296, 73, 25}},
        {"Label7", "Frame1", {232, 160, 65, 17}},
        {"Text_R_clkStretch", "Frame1", {296, 160, 73, 19}},
        {"Cmd_OSInfo", "Frame1", {240, 368, 113, 25}},
        {"Image1", "Frame1", {264, 336, 87, 26}},
    };
    for (const Placement& placement : placements) {
        QWidget* widget = control<QWidget>(placement.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), placement.geometry) << placement.name;
        EXPECT_EQ(widget->parentWidget()->objectName(), placement.container) << placement.name;
    }
}

TEST_F(MainWindowTest, CaptionsAreTheWindowsOwn) {
    start();
    EXPECT_EQ(window->windowTitle(), "Brinmor Evaluation Software");
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "XFL 2090");
    const std::pair<const char*, const char*> captions[] = {
        {"Command_read", "Read Current Cutoff Frequency From the Device"},
        {"Command_write", "Write Currently Selected Cutoff Frequency to the Device"},
        {"Command1", "Command1"},
        {"Cmd_OSInfo", "Show OS Return Info"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(control<QPushButton>(name)->text(), caption) << name;
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "Current Frequency"},
        {"Label2", "Selected Frequency"},
        {"Label3", "MHz"},
        {"Label4", "MHz"},
        {"Label5", "Clock Delay:"},
        {"Label6", "Current Transmit Bit:"},
        {"Label7", "R Clk Delay"},
    };
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(label(name), caption) << name;
    EXPECT_EQ(text("text_clockStretch"), "0");
    EXPECT_EQ(text("Text_R_clkStretch"), "0");
    EXPECT_TRUE(box("Text_curBit")->isReadOnly());
    // The pencil sits on the button at 20 by 20 above the caption.
    QPushButton* write = control<QPushButton>("Command_write");
    EXPECT_EQ(write->iconSize(), QSize(20, 20));
    EXPECT_EQ(write->icon().pixmap(write->iconSize()).size(), QSize(20, 20));
    EXPECT_EQ(control<QLabel>("Image1")->pixmap().size(), QSize(87, 26));
    EXPECT_EQ(window->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
}

TEST_F(MainWindowTest, TheTestButtonIsHidden) {
    start();
    window->show();
    EXPECT_FALSE(control<QPushButton>("Command1")->isVisible());
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndex) {
    start();
    const char* order[] = {"Command_read",     "Command_write",     "VScroll_new_freq",
                           "VScroll_cur_freq", "Text_new_freq",     "text_clockStretch",
                           "Text_curBit",      "Text_R_clkStretch", "Cmd_OSInfo"};
    QWidget* widget = control<QWidget>(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        widget = widget->nextInFocusChain();
        while (!widget->isVisibleTo(window.get()) || widget->focusPolicy() == Qt::NoFocus)
            widget = widget->nextInFocusChain();
        EXPECT_EQ(widget->objectName(), order[i]);
    }
}

TEST_F(MainWindowTest, MenusCarryTheirItems) {
    start();
    const auto items = [&](const char* menu) {
        std::vector<std::pair<std::string, std::string>> found;
        for (QAction* action : control<QMenu>(menu)->actions())
            found.emplace_back(action->objectName().toStdString(), action->text().toStdString());
        return found;
    };
    EXPECT_EQ(control<QMenu>("file_menu")->title(), "File");
    EXPECT_EQ(control<QMenu>("help_menu")->title(), "Help");
    using Items = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(items("file_menu"), (Items{{"file_open", "Open Settings"},
                                         {"file_save", "Save Settings"},
                                         {"file_exit", "Exit"}}));
    EXPECT_EQ(items("help_menu"), (Items{{"help_about", "About"}}));
}

TEST_F(MainWindowTest, ClientAreaHasItsFixedSizeAndPlace) {
    start();
    showWindow();
    QWidget* client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(383, 408));
    EXPECT_EQ(client->mapToGlobal(QPoint(0, 0)), QPoint(101, 132));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

// --- Start-up ---

TEST_F(MainWindowTest, StartUpShowsTheChipsCodeInAllFourControls) {
    start(11);
    EXPECT_EQ(currentCode, 11);
    EXPECT_EQ(selectedCode, 11);
    expectCurrentShows(12);
    expectSelectedShows(12);
    EXPECT_EQ(device::portAddress, 888);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(window->isVisible()); // shown only after the load handler
}

class OutOfRangeAtStartUpTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(OutOfRangeAtStartUpTest, GivesOneMessageAndOneMegahertz) {
    start(GetParam());
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{outOfRange});
    EXPECT_EQ(dialogs.messages[0].title, "FLTAMP");
    EXPECT_EQ(currentCode, 0);
    expectCurrentShows(1);
    expectSelectedShows(1);
}

INSTANTIATE_TEST_SUITE_P(ChipCodes, OutOfRangeAtStartUpTest, ::testing::Values(30, 31));

TEST_F(MainWindowTest, WithoutPortSetupBothDisplaysShowOneAndNothingIsAsked) {
    startWithoutPort();
    EXPECT_FALSE(device::portAvailable);
    EXPECT_EQ(device::portAddress, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    expectCurrentShows(1);
    expectSelectedShows(1);
}

TEST_F(MainWindowTest, UnknownSystemShowsTheCriticalMessageWithEmptyTitle) {
    platform::setVersionSource(systemOf(7, 1));
    window = std::make_unique<Main>();
    window->load("");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Failed to determine operating system");
    EXPECT_EQ(dialogs.messages[0].title, "");
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Critical);
    expectCurrentShows(1);
}

// --- Running without the port ---

// The phase box stays empty (a script reading it sees no text); only its greyed
// placeholder and its tooltip tell that the panel runs without the port, and why.
class MissingPortTest : public MainWindowTest {
protected:
    void expectNoPortBecause(const std::string& reason) {
        EXPECT_FALSE(device::portAvailable);
        EXPECT_EQ(text("Text_curBit"), "");
        EXPECT_EQ(box("Text_curBit")->placeholderText(), "no port");
        EXPECT_EQ(box("Text_curBit")->toolTip().toStdString(),
                  "Running without the parallel port: " + reason);
        EXPECT_EQ(box("Text_curBit")->geometry(), QRect(296, 304, 73, 19));
    }
    void startRefused(std::deque<platform::Answer> answers) {
        installBoard(11, std::nullopt);
        dialogs.answers = std::move(answers);
        window = std::make_unique<Main>();
        window->load("");
    }
};

TEST_F(MissingPortTest, WithThePortTheBoxIsPlainlyEmpty) {
    start(11);
    EXPECT_EQ(text("Text_curBit"), "");
    EXPECT_EQ(box("Text_curBit")->placeholderText(), "");
    EXPECT_EQ(box("Text_curBit")->toolTip(), "");
}

TEST_F(MissingPortTest, IgnoreShowsTheRefusal) {
    startRefused({platform::Answer::Ignore});
    expectNoPortBecause("the simulated board refused the claim (FLTAMP_SIM_REFUSE)");
}

TEST_F(MissingPortTest, YesAfterTheThirdAddressShowsTheRefusal) {
    startRefused({platform::Answer::Retry, platform::Answer::Retry, platform::Answer::Retry,
                  platform::Answer::Yes});
    expectNoPortBecause("the simulated board refused the claim (FLTAMP_SIM_REFUSE)");
}

TEST_F(MissingPortTest, ASystemWithoutPortSetupSaysSo) {
    startWithoutPort();
    expectNoPortBecause("the port is not set up on this operating system");
}

TEST_F(MissingPortTest, AnUnknownSystemSaysSo) {
    platform::setVersionSource(systemOf(7, 1));
    window = std::make_unique<Main>();
    window->load("");
    expectNoPortBecause("the operating system could not be determined");
}

// --- Command-line write ---

struct CommandLineCase {
    const char* arguments;
    int chipCodeAfter;
    int status;
};

class CommandLineWriteTest : public MainWindowTest,
                             public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineWriteTest, WritesTheCodeAndEndsWithoutShowingTheWindow) {
    try {
        start(11, GetParam().arguments);
        FAIL() << "the program went on to show the window";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.status, GetParam().status);
    }
    EXPECT_TRUE(device::commandLineMode);
    EXPECT_EQ(board->code(), GetParam().chipCodeAfter);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.messages.empty()); // no out-of-range message in this mode
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineWriteTest,
    ::testing::Values(CommandLineCase{"-c 5", 5, 0}, CommandLineCase{"-C 5", 5, 0},
                      CommandLineCase{"-c letters", 0, 0}, CommandLineCase{"-c -7", 7, 0},
                      CommandLineCase{"-c 2.5", 2, 0}, CommandLineCase{"-c &H1D", 29, 0},
                      CommandLineCase{"-c  5", 0, 0},
                      CommandLineCase{"-c 30", 30, 4},   // out of range
                      CommandLineCase{"-c 40", 31, 4})); // sent as 31

TEST_F(MainWindowTest, CommandLineWriteWithoutThePortWritesNothingAndFails) {
    platform::setVersionSource(systemOf(1, 4));
    board = &installBoard(11);
    window = std::make_unique<Main>();
    try {
        window->load("-c 5");
        FAIL() << "the program went on";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 2);
    }
    EXPECT_TRUE(board->events.empty());
}

TEST_F(MainWindowTest, CommandLineWriteWhoseReadBackDiffersFails) {
    board = &installBoard(11);
    window = std::make_unique<Main>();
    parllio::SimSettings stuck;
    stuck.stuckStatus = false; // the chip never answers: reads 0
    parllio::useBackend(std::make_unique<TestBoard>(stuck));
    try {
        window->load("-c 5");
        FAIL() << "the program went on";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 3);
    }
}

TEST_F(MainWindowTest, NoCommandLineWriteForOtherArgumentTexts) {
    for (const char* arguments : {"-c", "x -c 5", "-c 32768", "--something"}) {
        device::resetProgramState();
        start(11, arguments);
        EXPECT_FALSE(device::commandLineMode) << arguments;
        EXPECT_EQ(board->code(), 11) << arguments;
        expectSelectedShows(12);
    }
}

// --- Text box reactions ---

struct TypingCase {
    const char* typed;
    bool message;
    int selectedMhz; // after the reaction
    const char* shown;
};

class TypingTest : public MainWindowTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingTest, TheTextChangeReactionJudgesTheText) {
    start(11);
    type(GetParam().typed);
    EXPECT_EQ(!dialogs.messages.empty(), GetParam().message);
    if (GetParam().message) {
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{outOfBounds});
        EXPECT_EQ(dialogs.messages[0].title, "FLTAMP");
    }
    EXPECT_EQ(selectedCode, GetParam().selectedMhz - 1);
    EXPECT_EQ(bar("VScroll_new_freq")->frequency(), GetParam().selectedMhz);
    EXPECT_EQ(text("Text_new_freq"), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypingTest,
    ::testing::Values(TypingCase{"12.7", false, 12, "12"}, TypingCase{"30.4", false, 30, "30"},
                      TypingCase{"007", false, 7, "7"}, TypingCase{"&H1D", false, 29, "29"},
                      TypingCase{"30.5", true, 12, "12"}, TypingCase{"31", true, 12, "12"},
                      TypingCase{"32768", true, 12, "12"}, TypingCase{"0.5", true, 12, "12"},
                      TypingCase{"123456", false, 12, "123456"}, TypingCase{"", false, 12, ""},
                      TypingCase{"abc", false, 12, "abc"}));

TEST_F(MainWindowTest, EachKeystrokeIsTakenAsSoonAsItFormsANumber) {
    start(11);
    QLineEdit* edit = box("Text_new_freq");
    edit->clear();
    QTest::keyClicks(edit, "2");
    EXPECT_EQ(selectedCode, 1);
    QTest::keyClicks(edit, "5");
    EXPECT_EQ(selectedCode, 24);
    expectSelectedShows(25);
}

TEST_F(MainWindowTest, TypingBehindAThreeGivesTheMessageAndRestoresThree) {
    start(11);
    QLineEdit* edit = box("Text_new_freq");
    edit->clear();
    QTest::keyClicks(edit, "35");
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{outOfBounds});
    EXPECT_EQ(text("Text_new_freq"), "3");
    EXPECT_EQ(selectedCode, 2);
}

TEST_F(MainWindowTest, EscapeRestoresTheSelectedFrequency) {
    start(11);
    type("abc");
    QTest::keyClick(box("Text_new_freq"), Qt::Key_Escape);
    expectSelectedShows(12);
}

struct LeaveCase {
    const char* typed;
    int selectedMhz; // shown in the box after the focus left
};

void PrintTo(const LeaveCase& leave, std::ostream* out) {
    *out << '"' << leave.typed << '"';
}

class LeaveTest : public MainWindowTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, LeavingTheBoxKeepsOnlyAnInBoundsText) {
    start(11);
    leaveTextBoxHolding(GetParam().typed);
    expectSelectedShows(GetParam().selectedMhz);
    EXPECT_EQ(selectedCode, GetParam().selectedMhz - 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(box("text_clockStretch")->hasFocus()); // the focus moves on
}

INSTANTIATE_TEST_SUITE_P(Texts, LeaveTest,
                         ::testing::Values(LeaveCase{"", 12}, LeaveCase{"123456", 12},
                                           LeaveCase{"abc", 12}, LeaveCase{"20", 20}));

TEST_F(MainWindowTest, EnterWritesAnInBoundsSelection) {
    start(11);
    type("20");
    QTest::keyClick(box("Text_new_freq"), Qt::Key_Return);
    EXPECT_EQ(board->code(), 19);
    expectCurrentShows(20);
}

class EnterTest : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EnterTest, EnterOnATextNotInBoundsWritesNothing) {
    start(11);
    type("20"); // selected, not yet written
    place(GetParam());
    board->events.clear();
    QTest::keyClick(box("Text_new_freq"), Qt::Key_Enter);
    QTest::keyClick(box("Text_new_freq"), Qt::Key_Return);
    EXPECT_TRUE(board->events.empty());
    EXPECT_EQ(currentCode, 11);
    EXPECT_EQ(board->code(), 11);
}

INSTANTIATE_TEST_SUITE_P(Texts, EnterTest,
                         ::testing::Values("", "123456", "abc", "31", "0.5", "30.5", "-4"));

// --- Scroll bars ---

TEST_F(MainWindowTest, TheSelectedBarSetsTheSelectionAndTheBox) {
    start(11);
    FrequencyBar* selected = bar("VScroll_new_freq");
    selected->triggerAction(QAbstractSlider::SliderSingleStepSub); // towards the top: up
    EXPECT_EQ(selectedCode, 12);
    expectSelectedShows(13);
    selected->triggerAction(QAbstractSlider::SliderPageStepAdd); // a large step down
    EXPECT_EQ(selectedCode, 10);
    expectSelectedShows(11);
}

TEST_F(MainWindowTest, TheArrowAtEitherEndOfTheRangeRaisesNothing) {
    // 30 MHz sits at the top, where the upper arrow steps; 1 MHz at the bottom.
    const std::pair<int, QAbstractSlider::SliderAction> ends[] = {
        {29, QAbstractSlider::SliderSingleStepSub}, {0, QAbstractSlider::SliderSingleStepAdd}};
    for (const auto& [code, outwards] : ends) {
        start(code);
        int changes = 0;
        QObject::connect(bar("VScroll_new_freq"), &FrequencyBar::frequencyChanged,
                         [&] { ++changes; });
        bar("VScroll_new_freq")->triggerAction(outwards);
        EXPECT_EQ(changes, 0) << code;
        EXPECT_EQ(selectedCode, code);
        expectSelectedShows(code + 1);
    }
}

TEST_F(MainWindowTest, TheCurrentBarSpringsBackToTheChipsCode) {
    start(11);
    FrequencyBar* current = bar("VScroll_cur_freq");
    current->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(current->frequency(), 12);
    EXPECT_EQ(currentCode, 11);
}

TEST_F(MainWindowTest, DraggingReportsOnlyOnRelease) {
    start(11);
    FrequencyBar* selected = bar("VScroll_new_freq");
    selected->setSliderDown(true);
    selected->setSliderPosition(-25);
    EXPECT_EQ(selectedCode, 11); // nothing during the drag
    selected->setSliderDown(false);
    EXPECT_EQ(selectedCode, 24);
    expectSelectedShows(25);

    FrequencyBar* current = bar("VScroll_cur_freq");
    current->setSliderDown(true);
    current->setSliderPosition(-3);
    current->setSliderDown(false);
    EXPECT_EQ(current->frequency(), 12); // back to the chip's value when released
}

// --- Write, Read and test actions ---

TEST_F(MainWindowTest, WriteSendsTheSelectionAndShowsTheReadBack) {
    start(11);
    type("20");
    board->events.clear();
    const WriteReport report = window->writeAction();
    EXPECT_EQ(board->code(), 19);
    EXPECT_EQ(currentCode, 19);
    expectCurrentShows(20);
    EXPECT_EQ(report.readBack.answer, 19);
    EXPECT_EQ(writeOutcome(report), WriteOutcome::Written);
    EXPECT_EQ(indicator()->text(), "Ready");
    // Every port access happened with "Processing" on the indicator.
    for (const WireEvent& event : board->events)
        EXPECT_EQ(event.phase.rfind("Processing|", 0), 0u) << event.phase;
    EXPECT_EQ(board->writes().size(), 22u + 19u);
    EXPECT_EQ(text("Text_curBit"), "Settle");
}

TEST_F(MainWindowTest, WritePutsEachPhaseOnTheScreenBeforeItsFirstPortWrite) {
    start(11);
    showWindow();
    PaintLog phases(box("Text_curBit"), [&] { return text("Text_curBit"); });
    PaintLog lamp(indicator(), [&] { return indicator()->text().toStdString(); });
    board->events.clear();
    window->writeAction();

    std::vector<std::string> seen; // phases in the order the wire saw them
    for (const WireEvent& event : board->events) {
        const std::string phase = event.phase.substr(event.phase.find('|') + 1);
        if (seen.empty() || seen.back() != phase)
            seen.push_back(phase);
    }
    const std::vector<std::string> expected = {
        "", // the first 0x01 goes out before the first phase is shown
        "Setup",  "Data 0", "Data 1", "Data 2", "Data 3",  "Data 4",
        "Data 5", "Data 6", "Data 7", "Settle", "R Setup", "SDAT 0 (R)",
        "Read 0", "Read 1", "Read 2", "Read 3", "Read 4",  "Settle"};
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 1, seen.end()),
              std::vector<std::string>(expected.begin() + 1, expected.end()));
    // The forced repaint: every phase was painted while the action ran.
    for (const std::string& phase : std::vector<std::string>(expected.begin() + 1, expected.end()))
        EXPECT_NE(std::find(phases.painted.begin(), phases.painted.end(), phase),
                  phases.painted.end())
            << phase;
    ASSERT_FALSE(lamp.painted.empty());
    EXPECT_EQ(lamp.painted.front(), "Processing");
}

TEST_F(MainWindowTest, WriteWithoutThePortBlinksAndChangesOnlyTheCurrentCode) {
    startWithoutPort();
    showWindow();
    type("20");
    PaintLog lamp(indicator(), [&] { return indicator()->text().toStdString(); });
    const WriteReport report = window->writeAction();
    EXPECT_FALSE(report.transferred);
    ASSERT_FALSE(lamp.painted.empty());
    EXPECT_EQ(lamp.painted.front(), "Processing"); // painted before the action went on
    EXPECT_EQ(currentCode, 19);
    expectCurrentShows(1);
    EXPECT_EQ(indicator()->text(), "Ready");
    window->readAction();
    expectCurrentShows(20);
}

TEST_F(MainWindowTest, ReadOfThirtyOneGivesOneMessageAndShowsOne) {
    start(11);
    parllio::SimSettings stuckHigh;
    stuckHigh.stuckStatus = true;
    parllio::useBackend(std::make_unique<TestBoard>(stuckHigh));
    control<QPushButton>("Command_read")->click();
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{outOfRange});
    EXPECT_EQ(currentCode, 0);
    expectCurrentShows(1);
}

struct DelayCase {
    const char* typed;
    const char* shownAfter;
    device::Long delayAfter;
};

class ClockDelayTest : public MainWindowTest, public ::testing::WithParamInterface<DelayCase> {};

TEST_P(ClockDelayTest, TheWriteTakesTheClockDelayFromItsBox) {
    start(11);
    device::clockDelay = 9; // the previous good value
    box("text_clockStretch")->setText(GetParam().typed);
    window->writeAction();
    EXPECT_EQ(text("text_clockStretch"), GetParam().shownAfter);
    EXPECT_EQ(device::clockDelay, GetParam().delayAfter);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ClockDelayTest,
                         ::testing::Values(DelayCase{"2.5", "2", 2}, DelayCase{"3.5", "4", 4},
                                           DelayCase{"letters", "9", 9}, DelayCase{"", "9", 9},
                                           DelayCase{"99999999999", "9", 9},
                                           DelayCase{" 12 ", "12", 12}));

TEST_F(MainWindowTest, TheReadDelayIsTheActionsOwnAndStartsAtZero) {
    start(11);
    device::readClockDelay = 7;
    box("Text_R_clkStretch")->setText("letters");
    board->events.clear();
    window->readAction();
    EXPECT_EQ(text("Text_R_clkStretch"), "0");
    EXPECT_EQ(device::readClockDelay, 7);
    EXPECT_EQ(waitsByPhase(), readWaits(1, 1));
}

// Each action's waits on the wire, with a clock delay of 1 (two passes a wait), a read
// delay box of 2 (three passes) and a readClockDelay of 6 left from earlier, which only
// the test action replaces and uses.
struct ActionWaitsCase {
    const char* name;
    std::function<void(Main&)> run;
    Phases waits;
};

void PrintTo(const ActionWaitsCase& action, std::ostream* out) {
    *out << action.name;
}

class ActionWaitsTest : public MainWindowTest,
                        public ::testing::WithParamInterface<ActionWaitsCase> {};

TEST_P(ActionWaitsTest, EachWaitOnTheWireHasItsOwnDelay) {
    start(11);
    box("text_clockStretch")->setText("1");
    box("Text_R_clkStretch")->setText("2");
    device::readClockDelay = 6;
    board->events.clear();
    GetParam().run(*window);
    EXPECT_EQ(waitsByPhase(), GetParam().waits);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ActionWaitsTest,
    ::testing::Values(ActionWaitsCase{"Write", [](Main& main) { main.writeAction(); },
                                      concat(writeWaits(2), readWaits(2, 3))},
                      ActionWaitsCase{"Read", [](Main& main) { main.readAction(); },
                                      readWaits(2, 3)},
                      ActionWaitsCase{"Test", [](Main& main) { main.testAction(); },
                                      concat(writeWaits(2), readWaits(3))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, APortFailureSkipsTheStepAndTheActionCompletes) {
    start(11);
    board->failing = true;
    type("20");
    const WriteReport report = window->writeAction();
    EXPECT_TRUE(report.faulted);
    EXPECT_EQ(writeOutcome(report), WriteOutcome::PortFault);
    EXPECT_EQ(indicator()->text(), "Ready");
    EXPECT_TRUE(dialogs.messages.empty());
    expectCurrentShows(20); // the display step after the failed read still ran
}

TEST_F(MainWindowTest, TheTestActionWritesAndReadsBackWithTheReadClockDelay) {
    start(11);
    type("9");
    box("Text_R_clkStretch")->setText("4.5");
    board->events.clear();
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(board->code(), 8);
    EXPECT_EQ(device::readClockDelay, 4);
    EXPECT_EQ(text("Text_R_clkStretch"), "4");
    // The read-back clocks no read flag, so the board takes the first read cycle for the
    // flag and answers one bit late: code 8 comes back as 16, and the window shows it.
    EXPECT_EQ(currentCode, 16);
    EXPECT_EQ(label("Label_cur_freq"), "17");
    EXPECT_EQ(bar("VScroll_cur_freq")->frequency(), 17);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(indicator()->text(), "Ready");
    // The write waits the clock delay (0: one pass), the read-back readClockDelay.
    EXPECT_EQ(waitsByPhase(), concat(writeWaits(1), readWaits(5)));
}

TEST_F(MainWindowTest, TheTestActionShowsThirtyTwoInTheLabelWithoutAMessage) {
    start(11);
    parllio::SimSettings stuckHigh;
    stuckHigh.stuckStatus = true;
    parllio::useBackend(std::make_unique<TestBoard>(stuckHigh));
    control<QPushButton>("Command1")->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(currentCode, 31);
    EXPECT_EQ(label("Label_cur_freq"), "32");
    EXPECT_EQ(bar("VScroll_cur_freq")->frequency(), 12); // the bar refused 32
}

// --- Settings files ---

class SettingsTest : public MainWindowTest {
protected:
    std::string file(const std::string& name, const std::string& content) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("fltamp-panel-" + std::to_string(getpid()) + "-" + name);
        std::ofstream(path, std::ios::binary) << content;
        made.push_back(path);
        return path.string();
    }
    void open(const std::string& path) {
        dialogs.fileChoices.push_back(path);
        trigger("file_open");
    }
    void TearDown() override {
        for (const auto& path : made)
            std::filesystem::remove(path);
        MainWindowTest::TearDown();
    }
    std::vector<std::filesystem::path> made;
};

TEST_F(SettingsTest, SaveWritesBothCodesToTheChosenFile) {
    start(4);
    type("18");
    const std::string path = file("save", "");
    dialogs.fileChoices.push_back(path);
    trigger("file_save");
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), " 4 \r\n 17 \r\n");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, platform::FileDialogKind::Save);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Text Files (*.txt)|*.txt");
    EXPECT_EQ(dialogs.fileRequests[0].initialFolder,
              QCoreApplication::applicationDirPath().toStdString());
}

TEST_F(SettingsTest, SavingThenOpeningRestoresBothCodesAndAllFourControls) {
    start(4);
    type("18");
    const std::string path = file("roundtrip.txt", "");
    dialogs.fileChoices.push_back(path);
    trigger("file_save");
    type("2");
    window->writeAction();
    open(path);
    EXPECT_EQ(currentCode, 4);
    EXPECT_EQ(selectedCode, 17);
    expectCurrentShows(5);
    expectSelectedShows(18);
}

struct OpenCase {
    const char* name;
    const char* content;
    int current; // codes afterwards; the window starts at 11/11
    int selected;
    int currentMhzShown;
    int selectedMhzShown;
};

void PrintTo(const OpenCase& file, std::ostream* out) {
    *out << file.name;
}

class OpenSettingsTest : public SettingsTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenSettingsTest, ReadsTheFileIntoTheCodesAndTheControls) {
    start(11);
    open(file(GetParam().name, GetParam().content));
    EXPECT_EQ(currentCode, GetParam().current);
    EXPECT_EQ(selectedCode, GetParam().selected);
    expectCurrentShows(GetParam().currentMhzShown);
    expectSelectedShows(GetParam().selectedMhzShown);
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenSettingsTest,
    ::testing::Values(OpenCase{"asWritten", " 4 \r\n 17 \r\n", 4, 17, 5, 18},
                      OpenCase{"onlyThree", "3\r\n", 3, 11, 12, 12},
                      OpenCase{"letters", "abc\r\n5\r\n", 0, 5, 1, 6},
                      OpenCase{"comma", "5,7\r\n", 5, 7, 6, 8},
                      OpenCase{"empty", "", 11, 11, 12, 12},
                      OpenCase{"huge", "70000\r\n3\r\n", 11, 11, 12, 12},
                      OpenCase{"codeThirty", "30\r\n3\r\n", 11, 11, 12, 12},
                      OpenCase{"selectedNegative", "3\r\n-1\r\n", 11, 11, 12, 12},
                      // The second value fails the read: the first stays.
                      OpenCase{"secondOverflows", "3\r\n99999\r\n", 3, 11, 12, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, CancellingEitherDialogNeverReusesTheLastFile) {
    start(11);
    const std::string opened = file("cancelOpened", " 4 \r\n 17 \r\n");
    open(opened);
    std::ofstream(opened, std::ios::binary) << " 6 \r\n 7 \r\n"; // changed behind our back
    trigger("file_open");                                        // cancelled: no re-read
    EXPECT_EQ(currentCode, 4);
    EXPECT_EQ(selectedCode, 17);
    expectCurrentShows(5);
    expectSelectedShows(18);

    const std::string saved = file("cancelSaved", "");
    dialogs.fileChoices.push_back(saved);
    trigger("file_save");
    type("20");
    trigger("file_save"); // cancelled: no re-write
    trigger("file_open"); // cancelled: the saved file is not read either
    EXPECT_EQ(selectedCode, 19);
    std::ifstream in(saved, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), " 4 \r\n 17 \r\n");
    EXPECT_EQ(dialogs.fileRequests.size(), 5u);
}

TEST_F(SettingsTest, EachDialogOffersTheFileLastChosen) {
    start(11);
    const std::string first = file("first", "1\n2\n");
    open(first);
    trigger("file_save");
    trigger("file_open");
    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "");
    EXPECT_EQ(dialogs.fileRequests[0].initialFolder, ""); // no save yet
    EXPECT_EQ(dialogs.fileRequests[1].fileName, first);
    EXPECT_EQ(dialogs.fileRequests[2].fileName, first);
    EXPECT_EQ(dialogs.fileRequests[2].initialFolder,
              QCoreApplication::applicationDirPath().toStdString());
}

TEST_F(SettingsTest, AFailedOpenLeavesNothingInTheWay) {
    start(11);
    open("/nonexistent-folder/settings.txt");
    EXPECT_EQ(currentCode, 11);
    open(file("afterFailure", "6\n7\n"));
    EXPECT_EQ(selectedCode, 7);
}

// --- OS report, About, shutdown ---

TEST_F(MainWindowTest, TheOsReportShowsTheVersionRecord) {
    start(11);
    platform::setVersionSource([](platform::OsVersionRecord& record) {
        record.majorVersion = 6;
        record.minorVersion = 8;
        record.buildNumber = 42;
        record.platformId = 2;
        record.servicePack[0] = '\0';
        return true;
    });
    control<QPushButton>("Cmd_OSInfo")->click();
    control<QPushButton>("Cmd_OSInfo")->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "Build Number: 42\r\nMajor Version: 6\r\n"
                                        "Minor Version: 8\r\nVersion Info Size: 148\r\n"
                                        "Platform ID: 2\r\nCSD Version: \r\n");
    EXPECT_EQ(dialogs.messages[0].title, "OS Information Report");
    EXPECT_EQ(dialogs.messages[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::None);
    EXPECT_EQ(dialogs.messages[1].text, dialogs.messages[0].text);
}

TEST_F(MainWindowTest, AboutTwiceLeavesOneAboutWindow) {
    start(11);
    window->show();
    trigger("help_about");
    trigger("help_about");
    const auto abouts = window->findChildren<Aboutform*>();
    ASSERT_EQ(abouts.size(), 1);
    EXPECT_TRUE(abouts[0]->isVisible());
    EXPECT_TRUE(window->isEnabled()); // not modal
}

TEST_F(MainWindowTest, OkClosesTheAboutWindowAndAboutBuildsItAfresh) {
    start(11);
    trigger("help_about");
    QPointer<Aboutform> first = window->findChild<Aboutform*>();
    ASSERT_TRUE(first);
    first->findChild<QPushButton*>("Command1")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    trigger("help_about");
    EXPECT_NE(window->findChild<Aboutform*>(), nullptr);
}

TEST_F(MainWindowTest, ExitEndsTheProgram) {
    start(11);
    EXPECT_THROW(trigger("file_exit"), ProgramEnded);
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheProgram) {
    start(11);
    window->show();
    EXPECT_THROW(window->close(), ProgramEnded);
}

TEST_F(MainWindowTest, ClosingTheWindowWhileAboutIsOpenEndsTheWholeProgram) {
    start(11);
    showWindow();
    trigger("help_about");
    ASSERT_TRUE(window->findChild<Aboutform*>()->isVisible());
    try {
        window->close();
        FAIL() << "the program went on";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 0);
    }
}

} // namespace
} // namespace panel::test
