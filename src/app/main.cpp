// fltamp: starts the panel (with --console, the script console beside it), or with -c
// writes one code to the chip and ends, or with --script runs a script against it.
#include <QApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "app/close_signals.h"
#include "app/headless.h"
#include "app/identity.h"
#include "app/qt_notes.h"
#include "app/script_mode.h"
#include "app/usage.h"
#include "device/Variables.h"
#include "panel/Main.h"
#include "panel/command_line.h"
#include "panel/write_outcome.h"
#include "platform/program_end.h"
#include "platform/qt/QtDialogs.h"
#include "script/Scriptform.h"

namespace {

// Port setup ends the program with status 0 when the operator (or, headless, nobody)
// chooses Abort or No. For a command-line write that would report success for a code
// never written, so that way out says what happened and fails.
void failAbandonedWrite(int status) {
    if (status != 0 || device::commandLineMode)
        return;
    std::cerr << "fltamp: parallel port setup abandoned; nothing written\n";
    std::fflush(nullptr);
    std::_Exit(static_cast<int>(panel::WriteOutcome::PortUnavailable));
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--help") {
        std::cout << app::usageText();
        return 0;
    }
    if (argc > 1 && std::string_view(argv[1]) == "--version") {
        std::cout << app::versionText();
        return 0;
    }
    app::dropRuntimeFolderNote();
    QGuiApplication::setDesktopFileName(QStringLiteral(FLTAMP_APP_ID));
    if (const std::optional<app::ScriptCommand> script = app::scriptCommand(argc, argv))
        return app::runScriptMode(argc, argv, *script);
    // Taken before Qt removes its own options from argv. --console is ours and stays in
    // the argument text: "-c 5 --console" still writes code 5 and ends.
    const std::string arguments = panel::argumentText(argc, argv);
    const bool consoleRequested = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return argument == std::string_view("--console");
    });
    const bool writeRequested = panel::commandLineCode(arguments).has_value();
    const app::DisplayChoice display = app::prepareDisplay(argc, argv);
    if (display.platform.empty()) {
        std::cerr << app::noDisplayLine(display);
        return 1;
    }

    const std::unique_ptr<QApplication> application =
        app::startQt(argc, argv, writeRequested || !display.visible);
    const bool headless = app::runningHeadless();
    const bool headlessAskedFor = !display.visible && !display.fallback;
    if (headless && !headlessAskedFor && !writeRequested) {
        std::cerr << app::noDisplayLine(display);
        return 1;
    }
    // Headless, nobody can click a Qt message box: the questions go to the terminal.
    platform::QtDialogs qtDialogs;
    if (!headless)
        platform::setDialogProvider(&qtDialogs);
    if (writeRequested)
        platform::setProgramEndHandler(failAbandonedWrite);

    panel::Main window;
    window.load(arguments);
    window.show();
    app::endOnCloseSignals(window);
    if (consoleRequested)
        script::openConsole(window);
    return application->exec();
}
