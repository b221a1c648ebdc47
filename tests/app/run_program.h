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
    std::vector<std::string> errLines;
};

// Far beyond any normal run; only a hang reaches it.
constexpr std::chrono::seconds safetyLimit{60};

// The environment starts empty apart from PATH and HOME, so no display is inherited.
// A program still running after the limit is killed and counts as hung.
ProgramRun runFltamp(const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment,
                     std::chrono::seconds limit = safetyLimit);

std::vector<std::string> fileLines(const std::string& path);

} // namespace app::test
