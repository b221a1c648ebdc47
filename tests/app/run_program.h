// Runs the built fltamp program as a bench engineer's shell would: a chosen
// environment, standard input from /dev/null (no terminal), output captured.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace app::test {

struct ProgramRun {
    int status = -1;   // exit status; -1 when it did not exit normally
    bool hung = false; // still running after the safety limit, then killed
    std::string out;
    std::string err;
    std::vector<std::string> outLines;
    std::vector<std::string> errLines;
};

// Far beyond any normal run; only a hang reaches it.
constexpr std::chrono::seconds safetyLimit{60};

// The environment starts empty apart from PATH and HOME, so no display is inherited.
// A program still running after the limit is killed and counts as hung.
ProgramRun runFltamp(const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment,
                     std::chrono::seconds limit = safetyLimit);

// A program started and still running, for a test that watches it and ends it.
struct StartedProgram {
    int pid = -1;
    std::string outPath;
    std::string errPath;
};
StartedProgram startFltamp(const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& environment);
// Whether the program's stderr has shown the text within a generous time.
bool waitForErr(const StartedProgram& program, const std::string& text);
// Waits for the program to end (killing it past the limit) and collects its run.
ProgramRun finishFltamp(const StartedProgram& program, std::chrono::seconds limit = safetyLimit);

std::vector<std::string> fileLines(const std::string& path);

} // namespace app::test
