// A script file run against the panel from a shell (fltamp --script), with nobody at a
// window. It runs on the console's own engine, so it has the console's names (Self,
// myScr, MForm, SForm, Text1) and whatever SForm loads, plus the WScript object of the
// command-line runner. The console is created and loaded without its greeting and never
// shown. A script's MsgBox and InputBox print their prompt on stdout and take the default
// answer, as the runner's do; the console's error box is reported on stderr instead, and
// since nobody saw it, it fails the run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/script_control.h"

class QWidget;

namespace script {

struct ScriptRequest {
    std::string file; // as typed on the command line
    std::vector<std::string> arguments;
    // The console engine's time limit in milliseconds; none unless asked for.
    long timeoutMs = platform::ScriptControl::noTimeout;
};

class CommandLineScript {
public:
    explicit CommandLineScript(ScriptRequest request);

    // Reads the whole file before anything else happens; false after saying on stderr why
    // it cannot be run.
    bool readFile();
    // Runs the file against the running main window; the exit status: the script's
    // WScript.Quit code, 1 after a script error or a reported console error, else 0.
    int run(QWidget& mainWindow);
    // The exit status when the program ends while the script runs (the script closed a
    // window, which ends the program as it does for the operator): a console error
    // reported before still fails the run.
    int statusAtEnd(int requested) const;

private:
    int finalStatus(std::optional<std::int32_t> quitCode, bool scriptFailed) const;

    ScriptRequest request_;
    std::u16string source_;
    bool errorReported_ = false;
};

} // namespace script
