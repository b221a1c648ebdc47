// vbsrun: runs a VBScript file from the command line. The whole file is compiled before
// anything runs, so a compile error anywhere prints nothing on stdout. Errors go to
// stderr as FILE(LINE, COLUMN) <kind> error <number>: <description>, with kind
// "compilation" or "runtime", and the exit status is 1; otherwise it is 0 or Quit's code.
#include "vbscript/engine.h"
#include "vbscript/lib/text_ops.h"
#include "vbscript/runner/wscript.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* kHelp =
    "usage: vbsrun FILE.vbs [ARGS...]\n"
    "\n"
    "Runs a VBScript file. The whole file is compiled first: a compile error anywhere\n"
    "means nothing runs and nothing is printed on stdout. The script sees a WScript\n"
    "object: Echo (arguments joined by one blank, then a line end, on stdout),\n"
    "Arguments (Count, Item(i), default member), Quit [code], StdOut and StdErr (Write,\n"
    "WriteLine), ScriptName, ScriptFullName and Sleep ms. MsgBox and InputBox print\n"
    "their prompt on stdout and return the default answer.\n"
    "\n"
    "Errors are printed on stderr as\n"
    "    FILE(LINE, COLUMN) compilation error NUMBER: DESCRIPTION\n"
    "    FILE(LINE, COLUMN) runtime error NUMBER: DESCRIPTION\n"
    "(a runtime error's column is where its statement starts) and the exit status is 1.\n"
    "Otherwise the exit status is 0, or the code given to WScript.Quit.\n";

void reportError(const std::string& file, const vbs::ScriptError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s(%d, %d) %s error %d: %s\n", file.c_str(), e.line(), e.column(),
                 e.kind() == vbs::ErrorKind::Compile ? "compilation" : "runtime", e.number(),
                 vbs::lib::utf16ToUtf8(e.description()).c_str());
}

int runFile(const std::string& file, const std::vector<std::string>& args) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vbsrun: cannot read %s\n", file.c_str());
        return 1;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::u16string source = vbs::lib::decodeScriptFile(bytes.str());

    std::vector<std::u16string> arguments;
    for (const auto& a : args)
        arguments.push_back(vbs::lib::utf8ToUtf16(a));
    char* full = realpath(file.c_str(), nullptr);
    std::u16string fullPath = vbs::lib::utf8ToUtf16(full ? full : file);
    std::free(full);

    vbs::runner::ConsoleUi ui;
    int status = 0;
    try {
        vbs::Engine engine;
        engine.setUiHost(&ui);
        engine.addObject(u"WScript",
                         vbs::makeRef<vbs::runner::WScript>(fullPath, std::move(arguments)));
        engine.addCode(source);
    } catch (const vbs::ScriptError& e) {
        reportError(file, e);
        status = 1;
    } catch (const vbs::runner::QuitRequest& q) {
        status = q.exitCode;
    }
    std::fflush(stdout);
    return status;
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
    return runFile(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
