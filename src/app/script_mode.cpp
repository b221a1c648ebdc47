// Script mode: the command line, the start-up without a window, and the run.
#include "app/script_mode.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string_view>

#include "app/headless.h"
#include "panel/Main.h"
#include "panel/command_line.h"
#include "platform/dialogs.h"
#include "platform/program_end.h"

namespace app {
namespace {

constexpr std::string_view scriptOption = "--script";
constexpr std::string_view timeoutOption = "--timeout";
// What script mode ends with when port setup ends the program (Abort, No).
constexpr int portSetupEnded = 2;

// A whole number of milliseconds the script control can hold; nothing otherwise.
std::optional<long> milliseconds(std::string_view text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return value;
}

// Nobody sits at a window: each of the program's boxes prints its text on stdout and
// takes OK, its only answer, as the runner's MsgBox does; a file dialog is cancelled.
// Questions (the port's, at start-up) go to the terminal, where an operator may sit, or
// take the safe answer when nobody can answer.
class UnattendedDialogs : public platform::TerminalDialogs {
public:
    platform::Answer ask(const platform::MessageRequest& request) override {
        if (request.buttons != platform::Buttons::Ok)
            return TerminalDialogs::ask(request);
        print(request.text);
        return platform::Answer::Ok;
    }
    std::optional<std::string> askText(const platform::InputRequest& request) override {
        print(request.prompt);
        return request.defaultText;
    }
    std::optional<std::string> chooseFile(const platform::FileRequest&) override {
        return std::nullopt;
    }

private:
    static void print(const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
};

} // namespace

std::optional<ScriptCommand> scriptCommand(int argc, const char* const* argv) {
    if (argc < 2 || (argv[1] != scriptOption && argv[1] != timeoutOption))
        return std::nullopt;
    ScriptCommand command;
    int next = 1;
    if (argv[next] == timeoutOption) {
        const std::optional<long> limit =
            next + 1 < argc ? milliseconds(argv[next + 1]) : std::nullopt;
        if (!limit) {
            command.usageError = "--timeout needs a time limit of 1 to 2147483647 milliseconds";
            return command;
        }
        command.request.timeoutMs = *limit;
        next += 2;
    }
    if (next >= argc || argv[next] != scriptOption) {
        command.usageError = "--timeout goes before --script FILE";
        return command;
    }
    if (next + 1 >= argc) {
        command.usageError = "--script needs the FILE to run";
        return command;
    }
    command.request.file = argv[next + 1];
    command.request.arguments.assign(argv + next + 2, argv + argc);
    return command;
}

int runScriptMode(int argc, char** argv, const ScriptCommand& command) {
    if (!command.usageError.empty()) {
        std::cerr << "fltamp: " << command.usageError << " (fltamp --help says more)\n";
        return 1;
    }
    script::CommandLineScript script(command.request);
    if (!script.readFile())
        return 1;
    const DisplayChoice display = prepareOffscreen();
    if (display.platform.empty()) {
        std::cerr << "fltamp: cannot run " << command.request.file
                  << ": no headless Qt platform (offscreen or minimal) is installed\n";
        return 1;
    }
    // Qt sees no argument: the words after FILE are the script's, even "-platform".
    int qtArgc = 1;
    const std::unique_ptr<QApplication> application = startQt(qtArgc, argv, true);

    UnattendedDialogs dialogs;
    platform::setDialogProvider(&dialogs);
    bool running = false;
    platform::setProgramEndHandler([&](int status) {
        if (!running) {
            std::cerr << "fltamp: parallel port setup abandoned; " << command.request.file
                      << " not run\n";
            status = portSetupEnded;
        }
        std::fflush(nullptr);
        std::_Exit(running ? script.statusAtEnd(status) : status);
    });
    panel::Main window;
    window.load(panel::argumentText(argc, argv));
    running = true;
    const int status = script.run(window);
    platform::setProgramEndHandler({});
    return status;
}

} // namespace app
