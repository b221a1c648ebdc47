// The script console: a window hosting the VBScript engine beside the operator window.
// The operator executes code or a single statement, adds code to the engine's global
// module, runs a procedure by name and registers further objects; two logs record what
// was registered and what code was added. At its load the console registers the engine
// itself (Self), its code window (myScr), the main window (MForm), itself (SForm) and its
// scratch box (Text1), so scripts drive the whole program; through SForm they also load
// script and module files, save the code log and list what the engine holds.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/script_control.h"
#include "script/console_site.h"

namespace Ui {
class Scriptform;
}

namespace script {

class Scriptform : public QWidget {
    Q_OBJECT

public:
    // Whether the load ends with the routines' greeting (a script run from the command
    // line goes without it).
    enum class Greeting { Shown, Left };
    // How deep scripts may enter the console again from inside it: loaders loading files
    // that load files, buttons clicked by the code they run. Deeper is "Out of stack
    // space", long before the process's stack or file table runs out.
    static constexpr int maxNesting = 64;

    // The console for the running main window: created, neither loaded nor shown.
    explicit Scriptform(QWidget& mainWindow);
    ~Scriptform() override;

    // The load, once: the five registrations and the object log, the engine's set-up,
    // then the greeting of the program-wide routines object.
    void load(Greeting greeting = Greeting::Shown);
    // Places the console to the right of the window and shows it.
    void showBeside(const QWidget& window);

    // The console's engine, SC.
    platform::ScriptControl& scriptControl() { return SC; }
    // Takes the error box's description instead of the box (a script run from the
    // command line, with nobody to see a box, reports it on stderr); empty: the box.
    void setErrorReport(std::function<void(const std::u16string& description)> report) {
        errorReport_ = std::move(report);
    }

    // What scripts call on SForm. Failures go back to the calling script.
    Q_INVOKABLE void listModulesInScript();
    Q_INVOKABLE void listProceduresInScript();
    Q_INVOKABLE void listScriptProcedures();
    Q_INVOKABLE void setFile(const QString& FileName);
    Q_INVOKABLE void saveSrciptFile();
    Q_INVOKABLE void loadScriptFile(const QString& FileName);
    Q_INVOKABLE void loadModuleProcedures(const QString& ModuleName);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The console's buttons.
    void executeCodeWindow();
    void executeStatementBox();
    void addCodeToModule();
    void runMethod();
    void addObject();
    void clearText();

    // Runs a button's action; any failure shows the error box and the window goes on.
    template <typename Action> void runAction(Action&& action);
    // Runs one engine call; a failure shows the error box and the caller goes on.
    template <typename Call> void reported(Call&& call);
    // The object Add Object registers for the typed text.
    vbs::Ref<vbs::HostObject> objectNamed(const QString& typed);
    void addBlock(const QString& block);
    void showError(const std::u16string& description);
    void say(const QString& text);

    std::unique_ptr<Ui::Scriptform> ui;
    QWidget& mainWindow_;
    ConsoleSite site_;
    std::function<void(const std::u16string&)> errorReport_;
    // After the window's controls, the site and the error report, so that the engine goes
    // first: script code that runs while it is torn down still finds them.
    platform::ScriptControl SC;
    bool loaded_ = false;
    int actionDepth_ = 0;
    int loadDepth_ = 0;
};

// The program's one console, created and loaded on its first use; not shown.
Scriptform& console(QWidget& mainWindow,
                    Scriptform::Greeting greeting = Scriptform::Greeting::Shown);
// What --console does: the one console, shown beside the main window.
Scriptform& openConsole(QWidget& mainWindow);

} // namespace script
