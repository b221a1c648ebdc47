// fltamp [--timeout MS] --script FILE [ARGS...]: a script run against the panel from a
// shell, on a bench PC over SSH, from cron or a test rig. The panel starts as usual (OS
// check, port setup with its questions on the terminal, the start-up read) but no window
// is ever shown, whatever the display; then FILE runs on the console's engine.
#pragma once

#include <optional>
#include <string>

#include "script/command_line_script.h"

namespace app {

struct ScriptCommand {
    script::ScriptRequest request;
    // Not empty when the command line is malformed: what is wrong with it.
    std::string usageError;
};

// Script mode when the first argument is --script or --timeout; nothing otherwise. The
// words after FILE are the script's own, whatever they look like.
std::optional<ScriptCommand> scriptCommand(int argc, const char* const* argv);

// Runs script mode to its end; the program's exit status (README, --help).
int runScriptMode(int argc, char** argv, const ScriptCommand& command);

} // namespace app
