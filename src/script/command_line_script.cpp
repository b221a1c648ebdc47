// Running a script file on the console's engine for fltamp --script.
#include "script/command_line_script.h"

#include <cstdio>
#include <new>

#include "script/Scriptform.h"
#include "vbscript/lib/text_ops.h"
#include "vbscript/runner/script_file.h"

namespace script {

CommandLineScript::CommandLineScript(ScriptRequest request) : request_(std::move(request)) {}

bool CommandLineScript::readFile() {
    try {
        source_ = vbs::runner::readScriptFile(request_.file);
        return true;
    } catch (const vbs::runner::ScriptFileError& error) {
        std::fprintf(stderr, "fltamp: cannot open %s: %s\n", request_.file.c_str(), error.what());
        return false;
    }
}

int CommandLineScript::run(QWidget& mainWindow) {
    Scriptform& form = console(mainWindow, Scriptform::Greeting::Left);
    platform::ScriptControl& control = form.scriptControl();
    vbs::runner::ConsoleUi prompts;
    control.setSite(&prompts);
    control.setTimeout(request_.timeoutMs);
    form.setErrorReport([this](const std::u16string& description) {
        std::fflush(stdout);
        std::fprintf(stderr, "fltamp: Error: %s\n", vbs::lib::utf16ToUtf8(description).c_str());
        errorReported_ = true;
    });

    const auto wscript = vbs::runner::wscriptFor(request_.file, request_.arguments, u"fltamp");
    bool failed = false;
    try {
        control.addObject(u"WScript", wscript);
        control.addCode(source_);
    } catch (const vbs::ScriptError& error) {
        vbs::runner::reportScriptError(request_.file, error);
        failed = true;
    } catch (const vbs::runner::QuitRequest&) {
        // the code is the WScript object's
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("fltamp: out of memory\n", stderr);
        failed = true;
    }
    // The engine goes, and with it the script's objects: their Class_Terminate runs, as at
    // the end of any script (and may still Quit).
    delete &form;
    std::fflush(stdout);
    return finalStatus(wscript->quitCode(), failed);
}

// Quit's code stands, except that Quit 0 does not make a reported error a success.
int CommandLineScript::finalStatus(std::optional<std::int32_t> quitCode, bool scriptFailed) const {
    if (scriptFailed)
        return 1;
    if (quitCode && *quitCode != 0)
        return vbs::runner::exitStatusOf(*quitCode);
    return statusAtEnd(0);
}

int CommandLineScript::statusAtEnd(int requested) const {
    return requested == 0 && errorReported_ ? 1 : requested;
}

} // namespace script
