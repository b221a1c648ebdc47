// vbsrun: runs a VBScript file from the command line. The whole file is compiled before
// anything runs, so a compile error anywhere prints nothing on stdout. Errors go to
// stderr as FILE(LINE, COLUMN) <kind> error <number>: <description>, with kind
// "compilation" or "runtime", and the exit status is 1; otherwise it is 0 or Quit's code.
#include "vbscript/engine.h"
#include "vbscript/runner/script_file.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr const char* kHelp =
    "usage: vbsrun FILE.vbs [ARGS...]\n"
    "       vbsrun --dump FILE.vbs\n"
    "\n"
    "Runs a VBScript file. The whole file is compiled first: a compile error anywhere\n"
    "means nothing runs and nothing is printed on stdout. The script sees a WScript\n"
    "object: Echo (arguments joined by one blank, then a line end, on stdout),\n"
    "Arguments (Count, Item(i), default member), Quit [code], StdOut and StdErr (Write,\n"
    "WriteLine), ScriptName, ScriptFullName and Sleep ms. MsgBox and InputBox print\n"
    "their prompt on stdout and return the default answer. FILE is read whole and may\n"
    "be at most 256 MiB.\n"
    "\n"
    "Errors are printed on stderr as\n"
    "    FILE(LINE, COLUMN) compilation error NUMBER: DESCRIPTION\n"
    "    FILE(LINE, COLUMN) runtime error NUMBER: DESCRIPTION\n"
    "(a runtime error's column is where its statement starts) and the exit status is 1;\n"
    "so is it when FILE cannot be read. Otherwise the exit status is 0, or the code given\n"
    "to WScript.Quit when it is 0 to 255, and 255 for any other code.\n"
    "\n"
    "--dump compiles FILE without running it and prints what each unit (the code\n"
    "outside procedures, each procedure, each class's procedures) compiled to: one\n"
    "instruction a line with the source line of its statement.\n";

bool readSource(const std::string& file, std::u16string& source) {
    try {
        source = vbs::runner::readScriptFile(file);
        return true;
    } catch (const vbs::runner::ScriptFileError& e) {
        std::fprintf(stderr, "vbsrun: cannot read %s: %s\n", file.c_str(), e.what());
        return false;
    }
}

int dumpFile(const std::string& file) {
    std::u16string source;
    if (!readSource(file, source))
        return 1;
    try {
        std::fputs(vbs::Engine::listing(source).c_str(), stdout);
        return 0;
    } catch (const vbs::ScriptError& e) {
        vbs::runner::reportScriptError(file, e);
    } catch (const std::bad_alloc&) {
        std::fputs("vbsrun: out of memory\n", stderr);
    }
    return 1;
}

int runFile(const std::string& file, const std::vector<std::string>& args) {
    std::u16string source;
    if (!readSource(file, source))
        return 1;

    vbs::runner::ConsoleUi ui;
    auto wscript = vbs::runner::wscriptFor(file, args, u"vbsrun");
    bool failed = false;
    try {
        vbs::Engine engine;
        engine.setUiHost(&ui);
        engine.addObject(u"WScript", wscript);
        engine.addCode(source);
    } catch (const vbs::ScriptError& e) {
        vbs::runner::reportScriptError(file, e);
        failed = true;
    } catch (const vbs::runner::QuitRequest&) {
        // the code is the WScript object's
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("vbsrun: out of memory\n", stderr);
        failed = true;
    }
    std::fflush(stdout);
    if (failed)
        return 1;
    // A Quit may also come from a Class_Terminate run while the engine went away.
    return wscript->quitCode() ? vbs::runner::exitStatusOf(*wscript->quitCode()) : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kHelp, stderr);
        return 1;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--dump") == 0) {
        if (argc != 3) {
            std::fputs(kHelp, stderr);
            return 1;
        }
        return dumpFile(argv[2]);
    }
    return runFile(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
