// Runs the built fltamp program as a bench engineer's shell would: a chosen
// environment, standard input from /dev/null (no terminal), output captured.
#pragma once

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

// The environment starts empty apart from PATH and HOME, so no display is inherited.
ProgramRun runFltamp(const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment);

std::vector<std::string> fileLines(const std::string& path);

} // namespace app::test
