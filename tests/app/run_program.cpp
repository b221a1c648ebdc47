// fork/exec of the program under test with a safety limit, so that a program that
// hangs fails its test instead of stopping the whole suite.
#include "run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace app::test {
namespace {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        found.push_back(line);
    return found;
}

} // namespace

std::vector<std::string> fileLines(const std::string& path) {
    return lines(slurp(path));
}

StartedProgram startFltamp(const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& environment) {
    static int started = 0;
    const auto folder = std::filesystem::temp_directory_path();
    const std::string tag = std::to_string(getpid()) + "-" + std::to_string(++started);
    StartedProgram program;
    program.outPath = (folder / ("fltamp-e2e-out-" + tag)).string();
    program.errPath = (folder / ("fltamp-e2e-err-" + tag)).string();

    std::vector<std::string> argStrings{FLTAMP_PROGRAM};
    argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envStrings;
    for (const char* kept : {"PATH", "HOME"})
        if (const char* value = std::getenv(kept))
            envStrings.push_back(std::string(kept) + "=" + value);
    for (const auto& [name, value] : environment)
        envStrings.push_back(name + "=" + value);
    std::vector<char*> argv, envp;
    for (std::string& s : argStrings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    for (std::string& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    program.pid = fork();
    if (program.pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(program.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(program.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        setsid(); // no controlling terminal: nobody can answer a question
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return program;
}

bool waitForErr(const StartedProgram& program, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + safetyLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (slurp(program.errPath).find(text) != std::string::npos)
            return true;
        // Ended already (looked at without collecting it, which finishFltamp does)?
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(program.pid), &info, WEXITED | WNOHANG | WNOWAIT) ==
                0 &&
            info.si_pid != 0)
            return slurp(program.errPath).find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

ProgramRun finishFltamp(const StartedProgram& program, std::chrono::seconds limit) {
    ProgramRun run;
    int waitStatus = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (waitpid(program.pid, &waitStatus, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            run.hung = true;
            kill(program.pid, SIGKILL);
            waitpid(program.pid, &waitStatus, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!run.hung && WIFEXITED(waitStatus))
        run.status = WEXITSTATUS(waitStatus);
    run.out = slurp(program.outPath);
    run.err = slurp(program.errPath);
    run.outLines = lines(run.out);
    run.errLines = lines(run.err);
    std::filesystem::remove(program.outPath);
    std::filesystem::remove(program.errPath);
    return run;
}

ProgramRun runFltamp(const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment,
                     std::chrono::seconds limit) {
    return finishFltamp(startFltamp(arguments, environment), limit);
}

} // namespace app::test
