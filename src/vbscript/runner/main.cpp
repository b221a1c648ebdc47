// vbsrun: runs a VBScript file from the command line. The whole file is compiled before
// anything runs, so a compile error anywhere prints nothing on stdout. Errors go to
// stderr as FILE(LINE, COLUMN) <kind> error <number>: <description>, with kind
// "compilation" or "runtime", and the exit status is 1; otherwise it is 0 or Quit's code.
#include "vbscript/engine.h"
#include "vbscript/lib/text_ops.h"
#include "vbscript/runner/wscript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace {

// A script larger than this is refused: reading it whole (and a device such as /dev/zero
// never ends) would take the machine's memory before anything could be said.
constexpr std::size_t kMaxScriptBytes = std::size_t{256} << 20;

constexpr const char* kHelp =
    "usage: vbsrun FILE.vbs [ARGS...]\n"
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
    "to WScript.Quit when it is 0 to 255, and 255 for any other code.\n";

// The description is written as the error carries it in UTF-8: reporting "Out of
// memory" must not need memory.
void reportError(const std::string& file, const vbs::ScriptError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s(%d, %d) %s error %d: %s\n", file.c_str(), e.line(), e.column(),
                 e.kind() == vbs::ErrorKind::Compile ? "compilation" : "runtime", e.number(),
                 e.what());
}

// The file's bytes, or nothing after saying on stderr why it cannot be run.
std::optional<std::string> readScript(const std::string& file) {
    auto failed = [&](const char* why) {
        std::fprintf(stderr, "vbsrun: cannot read %s: %s\n", file.c_str(), why);
        return std::nullopt;
    };
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failed(std::strerror(errno));
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        return failed("it is a directory");
    }
    std::string bytes;
    if (S_ISREG(info.st_mode))
        bytes.reserve(
            std::min<std::size_t>(static_cast<std::size_t>(info.st_size), kMaxScriptBytes));
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            close(fd);
            return failed(std::strerror(error));
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxScriptBytes) {
            close(fd);
            return failed("it is larger than 256 MiB");
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return bytes;
}

int runFile(const std::string& file, const std::vector<std::string>& args) {
    std::u16string source;
    {
        std::optional<std::string> bytes = readScript(file);
        if (!bytes)
            return 1;
        source = vbs::lib::decodeScriptFile(*bytes);
    }

    std::vector<std::u16string> arguments;
    for (const auto& a : args)
        arguments.push_back(vbs::lib::utf8ToUtf16(a));
    char* full = realpath(file.c_str(), nullptr);
    std::u16string fullPath = vbs::lib::utf8ToUtf16(full ? full : file);
    std::free(full);

    vbs::runner::ConsoleUi ui;
    auto wscript = vbs::makeRef<vbs::runner::WScript>(fullPath, std::move(arguments));
    bool failed = false;
    try {
        vbs::Engine engine;
        engine.setUiHost(&ui);
        engine.addObject(u"WScript", wscript);
        engine.addCode(source);
    } catch (const vbs::ScriptError& e) {
        reportError(file, e);
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
    return runFile(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
