// The operator window's handlers. Program-wide state lives in the device link; this
// file only moves it between the controls and the chip commands.
#include "panel/Main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <iostream>

#include "device/PortSetup.h"
#include "device/UseParPort.h"
#include "device/Variables.h"
#include "panel/Aboutform.h"
#include "panel/command_line.h"
#include "panel/frequency_rules.h"
#include "panel/os_report.h"
#include "panel/panel_font.h"
#include "panel/panel_resources.h"
#include "panel/settings_file.h"
#include "platform/dialogs.h"
#include "platform/os_version.h"
#include "platform/parllio/parllio.h"
#include "platform/program_end.h"
#include "platform/program_folder.h"
#include "script/Routines.h"
#include "ui_Main.h"
#include "vbscript/basic_number.h"

namespace panel {
namespace {

using namespace device;

const QPoint clientAreaOnScreen(101, 132);
const QSize clientAreaSize(383, 408);
constexpr const char* outOfBoundsMessage = "Frequency Out of Bounds (1 - 30MHz)";
constexpr const char* outOfRangeMessage = "Received Frequency Code is out of range.";
constexpr const char* settingsFilter = "Text Files (*.txt)|*.txt";
constexpr int enterKey = 13;
constexpr int escapeKey = 27;

std::u16string textOf(const QLineEdit* box) {
    const QString text = box->text();
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

void setText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

// Inside a device action a step that fails is skipped and the action goes on; the
// operator sees nothing. Returns whether the step completed.
template <class Step> bool runStep(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// The character a key press types, as the key reaction knows it (0 for other keys).
int characterCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return enterKey;
    case Qt::Key_Escape:
        return escapeKey;
    default:
        return 0;
    }
}

// Focus that leaves because the whole window lost it (another window, a message box, a
// menu) has not moved to another control of this window.
bool movesWithinWindow(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

} // namespace

Main::Main(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::Main>()) {
    loadPanelResources();
    ui->setupUi(this);
    usePanelFont(*this);
    useTwoLineCaptionFont(*ui->Label6);
    placeClientArea();

    connect(ui->Text_new_freq, &QLineEdit::textChanged, this, &Main::textNewFreqChanged);
    ui->Text_new_freq->installEventFilter(this);
    connect(ui->VScroll_new_freq, &FrequencyBar::frequencyChanged, this, &Main::selectedBarChanged);
    connect(ui->VScroll_cur_freq, &FrequencyBar::frequencyChanged, this, &Main::currentBarChanged);
    connect(ui->Command_write, &QPushButton::clicked, this, [this] { writeAction(); });
    connect(ui->Command_read, &QPushButton::clicked, this, [this] { readAction(); });
    connect(ui->Command1, &QPushButton::clicked, this, &Main::testAction);
    connect(ui->Cmd_OSInfo, &QPushButton::clicked, this, &Main::showOsReport);
    connect(ui->file_open, &QAction::triggered, this, &Main::openSettings);
    connect(ui->file_save, &QAction::triggered, this, &Main::saveSettings);
    connect(ui->file_exit, &QAction::triggered, this, [] { platform::endProgram(0); });
    connect(ui->help_about, &QAction::triggered, this, &Main::showAbout);

    device::setPhaseDisplay([this](std::string_view phase) { showPhase(phase); });
}

Main::~Main() {
    device::setPhaseDisplay({});
}

// The client area (below the menu bar) has a fixed size and a fixed place on the screen.
void Main::placeClientArea() {
    ui->centralwidget->setFixedSize(clientAreaSize);
    const int menuHeight = ui->menubar->sizeHint().height();
    const QSize windowSize(clientAreaSize.width(), clientAreaSize.height() + menuHeight);
    setFixedSize(windowSize);
    // Placed by its inside, not its frame, whatever frame the window system draws.
    setGeometry(QRect(clientAreaOnScreen - QPoint(0, menuHeight), windowSize));
}

void Main::load(std::string_view argumentText) {
    device::setUpPortAtStartUp();

    if (const std::optional<Integer> code = commandLineCode(argumentText)) {
        selectedCode = *code;
        commandLineMode = true;
        const WriteReport report = writeAction();
        platform::endProgram(reportWriteOutcome(writeOutcome(report), report, std::cerr));
    }

    startUpRead();
    selectedCode = currentCode;
    ui->Label_cur_freq->setText(QString::fromStdString(shownText(currentCode)));
    setText(ui->Text_new_freq, shownText(selectedCode));
    ui->VScroll_cur_freq->setFrequency(shownValue(currentCode));
    ui->VScroll_new_freq->setFrequency(shownValue(selectedCode));
    showMissingPort();
}

// Without a port the window would look just as it does with a working board. The phase
// box is empty whenever no transfer runs, and without a port none ever does: its greyed
// placeholder says so, and its tooltip says why, without moving or retexting a control.
void Main::showMissingPort() {
    if (portAvailable)
        return;
    ui->Text_curBit->setPlaceholderText(QStringLiteral("no port"));
    ui->Text_curBit->setToolTip(QStringLiteral("Running without the parallel port: ") +
                                QString::fromStdString(device::whyNoPort()));
}

void Main::startUpRead() {
    if (!portAvailable)
        return;
    try {
        readFreqCodeAtLoad();
    } catch (const parllio::PortError& error) {
        // The panel still opens; the current display then shows the last known code.
        std::cerr << "fltamp: start-up read failed: " << error.what() << "\n";
    }
    if (!validCode(currentCode)) {
        platform::messageBox({outOfRangeMessage});
        currentCode = 0;
    }
}

bool Main::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->Text_new_freq) {
        if (event->type() == QEvent::KeyPress)
            keyReaction(characterCode(static_cast<QKeyEvent*>(event)));
        else if (event->type() == QEvent::FocusOut &&
                 movesWithinWindow(static_cast<QFocusEvent*>(event)))
            leaveReaction();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Main::closeEvent(QCloseEvent* event) {
    event->accept();
    platform::endProgram(0);
}

void Main::textNewFreqChanged() {
    try {
        const TypedFrequency typed = readTypedFrequency(textOf(ui->Text_new_freq));
        switch (typed.outcome) {
        case Typed::NotANumber:
            return;
        case Typed::OutOfBounds:
            platform::messageBox({outOfBoundsMessage});
            setText(ui->Text_new_freq, shownText(selectedCode));
            return;
        case Typed::InBounds:
            selectedCode = typed.code;
            setText(ui->Text_new_freq, shownText(selectedCode));
            ui->VScroll_new_freq->setFrequency(shownValue(selectedCode));
            return;
        }
    } catch (const std::exception&) {
        // A text reaction that fails ends silently.
    }
}

void Main::keyReaction(int characterCode) {
    try {
        if (characterCode == enterKey) {
            if (readTypedFrequency(textOf(ui->Text_new_freq)).outcome == Typed::InBounds)
                writeAction();
        } else if (characterCode == escapeKey) {
            setText(ui->Text_new_freq, shownText(selectedCode));
            ui->VScroll_new_freq->setFrequency(shownValue(selectedCode));
        }
    } catch (const std::exception&) {
        // A key reaction that fails ends silently.
    }
}

void Main::leaveReaction() {
    try {
        if (readTypedFrequency(textOf(ui->Text_new_freq)).outcome != Typed::InBounds)
            setText(ui->Text_new_freq, shownText(selectedCode));
    } catch (const std::exception&) {
        // The focus moves on in every case.
    }
}

void Main::selectedBarChanged(int mhz) {
    selectedCode = static_cast<Integer>(mhz - 1);
    setText(ui->Text_new_freq, shownText(selectedCode));
}

// The current bar only shows the chip's code: whatever the operator does to it, it
// returns at once. A code the bar cannot show leaves it where it is.
void Main::currentBarChanged() {
    runStep([&] { ui->VScroll_cur_freq->setFrequency(shownValue(currentCode)); });
}

void Main::setBusy() {
    ui->Toggle_working->setValue(false);
    repaint();
}

// Paints everything of this window that has changed, now, without taking any input: the
// update requests Qt has queued for the window are delivered on the spot. The screen then
// shows what a whole-window repaint would show, at a fraction of the cost, which matters
// because a transfer shows twenty phases in a few milliseconds.
void Main::repaintChangesNow() {
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
}

void Main::setIdle() {
    ui->Toggle_working->setValue(true);
}

void Main::showPhase(std::string_view phase) {
    ui->Text_curBit->setText(QString::fromUtf8(phase.data(), static_cast<qsizetype>(phase.size())));
    repaintChangesNow();
}

// clockDelay keeps its last good value when the box holds no whole 32-bit number; the
// box then shows the delay actually used.
void Main::takeClockDelay() {
    if (const std::optional<Long> delay = delayOf(textOf(ui->text_clockStretch)))
        clockDelay = *delay;
    setText(ui->text_clockStretch, basic::decimalText(clockDelay));
}

WriteReport Main::writeAction() {
    setBusy();
    currentCode = selectedCode;
    WriteReport report;
    report.written = currentCode;
    takeClockDelay();
    if (portAvailable) {
        report.transferred = true;
        report.faulted = !runStep([&] { writeFreqCode(currentCode, clockDelay); });
        report.readBack = readAction();
    }
    setIdle();
    return report;
}

ReadReport Main::readAction() {
    ReadReport report;
    if (portAvailable) {
        takeClockDelay();
        // The read delay is the action's own: 0 unless the box holds a number this time.
        const Long readDelay = delayOf(textOf(ui->Text_R_clkStretch)).value_or(0);
        setText(ui->Text_R_clkStretch, basic::decimalText(readDelay));
        report.transferred = true;
        report.faulted = !runStep([&] { readFreqCode(clockDelay, readDelay); });
        report.answer = currentCode;
        if (!validCode(currentCode)) {
            currentCode = 0;
            if (commandLineMode)
                return report;
            platform::messageBox({outOfRangeMessage});
        }
    }
    showCurrentCode();
    return report;
}

void Main::showCurrentCode() {
    runStep([&] { ui->VScroll_cur_freq->setFrequency(shownValue(currentCode)); });
    runStep([&] { ui->Label_cur_freq->setText(QString::fromStdString(shownText(currentCode))); });
}

void Main::testAction() {
    setBusy();
    currentCode = selectedCode;
    takeClockDelay();
    if (const std::optional<Long> delay = delayOf(textOf(ui->Text_R_clkStretch)))
        readClockDelay = *delay;
    setText(ui->Text_R_clkStretch, basic::decimalText(readClockDelay));
    if (portAvailable) {
        runStep([&] { writeFreqCode(currentCode, clockDelay); });
        runStep([&] { readBackCode(readClockDelay); });
        // No range test here: a code of 30 or 31 leaves the bar and shows in the label.
        showCurrentCode();
    }
    setIdle();
}

// Both settings actions share one dialog, which offers the file last chosen in either.
std::optional<std::string> Main::chooseSettingsFile(platform::FileDialogKind kind) {
    std::optional<std::string> path = platform::chooseFile(
        {kind, settingsFilter, commonDialog1_.initialFolder, commonDialog1_.fileName});
    if (path)
        commonDialog1_.fileName = *path;
    return path;
}

// Codes outside 0..29 would leave the window showing something other than the state,
// so a file holding one is refused before anything is stored. A file that ends after
// the first value replaces the current code only.
void Main::openSettings() {
    const std::optional<std::string> path = chooseSettingsFile(platform::FileDialogKind::Open);
    if (!path)
        return;
    const std::optional<SettingsValues> values = readSettingsFile(*path);
    if (!values || !values->current || !validCode(*values->current))
        return;
    if (values->selected && !validCode(*values->selected))
        return;
    currentCode = *values->current;
    if (!values->selected)
        return;
    selectedCode = *values->selected;
    try {
        ui->VScroll_cur_freq->setFrequency(shownValue(currentCode));
        ui->Label_cur_freq->setText(QString::fromStdString(shownText(currentCode)));
        ui->VScroll_new_freq->setFrequency(shownValue(selectedCode));
        setText(ui->Text_new_freq, shownText(selectedCode));
    } catch (const std::exception&) {
        // A value a control refuses ends the action at that step, without a message.
    }
}

void Main::saveSettings() {
    commonDialog1_.initialFolder = platform::programFolder().string();
    const std::optional<std::string> path = chooseSettingsFile(platform::FileDialogKind::Save);
    if (!path)
        return;
    // A file that cannot be written ends the action without a message.
    writeSettingsFile(*path, currentCode, selectedCode);
}

void Main::showOsReport() {
    platform::OsVersionRecord record = platform::preparedVersionRecord();
    platform::getVersionEx(record);
    platform::messageBox({osReportText(record), osReportTitle});
}

QString Main::pad(const QString& txt, short padTo) const {
    return script::routines::pad(txt, padTo);
}

QString Main::chars(short Number, const QString& character) const {
    return script::routines::chars(Number, character);
}

void Main::useRoutines() const {
    script::routines::useRoutines();
}

void Main::showAbout() {
    if (!about_)
        about_ = new Aboutform(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace panel
