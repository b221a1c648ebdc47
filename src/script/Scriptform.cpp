// The console's load, its buttons, its error box and its file and catalogue operations.
#include "script/Scriptform.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPointer>
#include <algorithm>

#include "device/Variables.h"
#include "panel/panel_font.h"
#include "platform/program_end.h"
#include "script/Class_Routines.h"
#include "script/QObjectHost.h"
#include "script/Routines.h"
#include "script/script_files.h"
#include "ui_Scriptform.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"

namespace script {
namespace {

const QString lineBreak = QStringLiteral("\r\n");
// The object log's aliases are padded to this width (quotes included) before the object.
constexpr short objectLogWidth = 8;
constexpr double codeWindowPoints = 11.25;
constexpr double logPoints = 8.25;
// Between the main window's frame and the console's.
constexpr int gapBesideMainWindow = 8;

std::u16string scriptText(const QString& text) {
    return text.toStdU16String();
}

QString shown(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// Courier New, which fontconfig finds as its metric twin Liberation Mono; without either,
// the desktop's fixed-pitch font.
QFont courierNew(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

vbs::Ref<vbs::HostObject> bridge(QObject* object) {
    return vbs::Ref<vbs::HostObject>(new QObjectHost(object));
}

// One line of the object log: the quoted alias padded by pad's rule, then the object.
QString objectLogLine(const QString& alias, const QString& objectText) {
    return routines::pad(QLatin1Char('\'') + alias + QLatin1Char('\''), objectLogWidth) +
           objectText + lineBreak;
}

bool isBlank(const QString& line) {
    return std::all_of(line.begin(), line.end(),
                       [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); });
}

bool isEndLine(const QString& line) {
    return line == QLatin1String("End Sub") || line == QLatin1String("End Function");
}

bool startsProcedure(const QString& line) {
    return line.contains(QLatin1String("Function")) || line.contains(QLatin1String("Public Sub"));
}

// Counts one more entry into the console; past maxNesting the entry fails.
class Nesting {
public:
    explicit Nesting(int& depth) : depth_(depth) {
        if (depth_ >= Scriptform::maxNesting)
            vbs::raise(vbs::err::OutOfStack);
        ++depth_;
    }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int& depth_;
};

} // namespace

Scriptform::Scriptform(QWidget& mainWindow)
    : ui(std::make_unique<Ui::Scriptform>()), mainWindow_(mainWindow), site_(this) {
    ui->setupUi(this);
    panel::usePanelFont(*this);
    ui->Text_codeWindow->setFont(courierNew(codeWindowPoints));
    ui->Text_objs->setFont(courierNew(logPoints));
    ui->Text_scriptCode->setFont(courierNew(logPoints));
    setFixedSize(size());
    for (MultiLineTextBox* box : {ui->Text_addObjAlias, ui->Text_addObj, ui->Text_method})
        box->setSelectsAllOnFocus(true);

    connect(ui->Cmd_exe, &QPushButton::clicked, this, &Scriptform::executeCodeWindow);
    connect(ui->Cmd_exe2, &QPushButton::clicked, this, &Scriptform::executeStatementBox);
    connect(ui->Cmd_addCode, &QPushButton::clicked, this, &Scriptform::addCodeToModule);
    connect(ui->Cmd_runMethod, &QPushButton::clicked, this, &Scriptform::runMethod);
    connect(ui->Cmd_addObj, &QPushButton::clicked, this, &Scriptform::addObject);
    connect(ui->Cmd_clear, &QPushButton::clicked, this, &Scriptform::clearText);
}

Scriptform::~Scriptform() = default;

void Scriptform::load(Greeting greeting) {
    if (std::exchange(loaded_, true))
        return;
    struct Registration {
        const char16_t* name;
        vbs::Ref<vbs::HostObject> object;
        const char* logged;
    };
    const Registration registrations[] = {
        {u"Self", vbs::Ref<vbs::HostObject>(&SC), "SC"},
        {u"myScr", bridge(ui->Text_codeWindow), "Scriptform.Text_codeWindow"},
        {u"MForm", bridge(&mainWindow_), "Main"},
        {u"SForm", bridge(this), "Scriptform"},
        {u"Text1", bridge(ui->Text1), "Scriptform.Text1"},
    };
    QString objectLog;
    for (const Registration& registration : registrations) {
        reported([&] { SC.addObject(registration.name, registration.object); });
        objectLog += objectLogLine(shown(registration.name), QLatin1String(registration.logged));
    }
    ui->Text_objs->setText(objectLog);
    SC.setAllowUI(true);
    SC.setSite(&site_);
    if (greeting == Greeting::Shown)
        routinesInstance().useRoutines();
}

void Scriptform::showBeside(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    move(frame.right() + 1 + gapBesideMainWindow, frame.top());
    show();
    raise();
    activateWindow();
}

void Scriptform::closeEvent(QCloseEvent* event) {
    event->accept();
    platform::endProgram(0);
}

template <typename Call> void Scriptform::reported(Call&& call) {
    try {
        call();
    } catch (const vbs::ScriptError& error) {
        showError(error.description());
    } catch (const std::bad_alloc&) {
        showError(vbs::errorDescription(vbs::err::OutOfMemory));
    } catch (const std::exception& error) {
        showError(QString::fromUtf8(error.what()).toStdU16String());
    }
}

template <typename Action> void Scriptform::runAction(Action&& action) {
    reported([&] {
        Nesting nesting(actionDepth_);
        action();
    });
}

void Scriptform::showError(const std::u16string& description) {
    if (errorReport_)
        errorReport_(description);
    else
        say(QStringLiteral("Error: ") + lineBreak + shown(description));
}

void Scriptform::say(const QString& text) {
    platform::MessageRequest request{text.toStdString()};
    request.owner = this;
    platform::messageBox(request);
}

void Scriptform::executeCodeWindow() {
    runAction([&] { SC.executeStatement(scriptText(ui->Text_codeWindow->text())); });
}

void Scriptform::executeStatementBox() {
    runAction([&] { SC.executeStatement(scriptText(ui->Text_exeOnly->text())); });
}

void Scriptform::addCodeToModule() {
    runAction([&] {
        const QString code = ui->Text_codeWindow->text();
        SC.addCode(scriptText(code));
        ui->Text_scriptCode->appendText(code + lineBreak + lineBreak);
    });
}

void Scriptform::runMethod() {
    runAction([&] { SC.run(scriptText(ui->Text_method->text())); });
}

// The typed text is evaluated: when it gives an object (MForm.Text_new_freq, SForm,
// CreateObject("Scripting.Dictionary")), that object is registered. Anything else, an
// evaluation that fails included, registers the entry box itself, as the design does.
vbs::Ref<vbs::HostObject> Scriptform::objectNamed(const QString& typed) {
    try {
        const vbs::Value value = SC.eval(scriptText(typed));
        if (value.isObject() && !value.isNothing())
            return vbs::Ref<vbs::HostObject>(value.asObject());
    } catch (const std::exception&) {
        // Not an expression that names an object: the box stands in, without a word.
    }
    return bridge(ui->Text_addObj);
}

void Scriptform::addObject() {
    runAction([&] {
        const QString typed = ui->Text_addObj->text();
        const QString alias = ui->Text_addObjAlias->text();
        if (typed.isEmpty() || alias.isEmpty())
            return;
        const bool addMembers = ui->Check_loadMembers->checkState() != Qt::Unchecked;
        reported([&] { SC.addObject(scriptText(alias), objectNamed(typed), addMembers); });
        // Logged whether or not the engine took it.
        ui->Text_objs->appendText(objectLogLine(alias, typed));
    });
}

void Scriptform::clearText() {
    ui->Text_codeWindow->setText(QString());
    ui->Text_codeWindow->setFocus();
}

void Scriptform::listModulesInScript() {
    const vbs::Value modules = SC.modulesObject();
    for (const vbs::Value& module : modules.asObject()->items().value_or(std::vector<vbs::Value>{}))
        say(shown(vbs::toText(module.asObject()->getProperty(u"Name", {}))));
}

void Scriptform::listProceduresInScript() {
    for (const vbs::ProcedureInfo& procedure : SC.procedures())
        say(shown(procedure.name));
}

void Scriptform::listScriptProcedures() {
    QString names;
    for (const vbs::ProcedureInfo& procedure : SC.procedures())
        names += shown(procedure.name) + lineBreak;
    say(QStringLiteral("Procedures: ") + lineBreak + names);
}

void Scriptform::setFile(const QString& FileName) {
    device::scriptFileName = u"\\" + scriptText(FileName);
}

void Scriptform::saveSrciptFile() {
    // The name as the script gave it, without the backslash setFile put before it.
    const QString given = shown(device::scriptFileName).mid(1);
    files::replaceFile(files::located(given), ui->Text_scriptCode->text() + lineBreak);
}

void Scriptform::addBlock(const QString& block) {
    SC.addCode(scriptText(block));
    ui->Text_scriptCode->appendText(block + lineBreak);
}

// Blocks of non-empty lines, each ended by an empty line or by the end of the file.
// A refused block ends the load with the error box; the load itself then succeeds.
void Scriptform::loadScriptFile(const QString& FileName) {
    Nesting nesting(loadDepth_);
    const std::vector<QString> lines = files::readLines(files::located(FileName));
    QString pending;
    try {
        for (const QString& line : lines) {
            if (line.isEmpty()) {
                addBlock(std::exchange(pending, QString()));
            } else {
                pending += lineBreak + line;
            }
        }
        if (!pending.isEmpty())
            addBlock(pending);
    } catch (const vbs::ScriptError& error) {
        showError(error.description());
    }
}

// One block per procedure: from the first line that names a Function or a Public Sub,
// each block ends at a line that is exactly "End Sub" or "End Function". The line after
// an end line is dropped when it is blank; a line with something on it starts the next
// block. A refused block fails the load.
void Scriptform::loadModuleProcedures(const QString& ModuleName) {
    Nesting nesting(loadDepth_);
    const std::vector<QString> lines = files::readLines(files::located(ModuleName));
    auto line = std::find_if(lines.begin(), lines.end(), startsProcedure);
    if (line == lines.end())
        return;
    QString pending = *line + lineBreak;
    bool endSeen = false;
    for (++line; line != lines.end(); ++line) {
        if (endSeen) {
            addBlock(std::exchange(pending, QString()));
            endSeen = false;
            if (isBlank(*line))
                continue;
        }
        pending += lineBreak + *line;
        endSeen = isEndLine(*line);
    }
    if (endSeen)
        addBlock(pending);
}

Scriptform& console(QWidget& mainWindow, Scriptform::Greeting greeting) {
    // The console lives until the program ends; the pointer only tells whether it exists.
    static QPointer<Scriptform> theConsole;
    if (!theConsole) {
        theConsole = new Scriptform(mainWindow);
        theConsole->load(greeting);
    }
    return *theConsole;
}

Scriptform& openConsole(QWidget& mainWindow) {
    Scriptform& opened = console(mainWindow);
    opened.showBeside(mainWindow);
    return opened;
}

} // namespace script
