// Runs one script test: executes vbsrun on a .vbs file and checks its output against the
// expectations written in the script itself:
//   ' expect: TEXT                       the next line on stdout is TEXT
//   ' expect runtime error: N: TEXT      the run ends with this runtime error
//   ' expect compile error: N: TEXT      compiling fails with this error; stdout stays empty
//   ' expect exit: N                     the exit status (0 unless an error is expected)
//   ' args: A B C                        command-line arguments for the script
// An error expectation written after code on the same line also pins the error's line.
// Each script runs in a fresh empty folder of its own, its working directory, removed
// afterwards: a script that makes files uses relative names and leaves nothing behind.
// Usage: vbs_script_test VBSRUN SCRIPT
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Expectations {
    std::vector<std::string> stdoutLines;
    std::string error; // "runtime error N: TEXT" or "compilation error N: TEXT"
    int errorLine = 0;
    bool compileError = false;
    int exitStatus = 0;
    std::vector<std::string> args;
};

std::string trimRight(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

Expectations readExpectations(const std::string& path) {
    Expectations ex;
    std::ifstream in(path);
    std::string line;
    bool exitGiven = false;
    for (int number = 1; std::getline(in, line); ++number) {
        line = trimRight(line) + " "; // "' expect:" with nothing after it expects ""
        auto at = [&](const std::string& tag) { return line.find("' " + tag); };
        auto rest = [&](std::size_t pos, const std::string& tag) {
            return trimRight(line.substr(pos + tag.size() + 2));
        };
        bool codeBefore = line.find_first_not_of(" \t") < line.find('\'');
        if (auto p = at("expect: "); p != std::string::npos) {
            ex.stdoutLines.push_back(rest(p, "expect: "));
        } else if (auto p = at("expect runtime error: "); p != std::string::npos) {
            ex.error = "runtime error " + rest(p, "expect runtime error: ");
            ex.errorLine = codeBefore ? number : 0;
        } else if (auto p = at("expect compile error: "); p != std::string::npos) {
            ex.error = "compilation error " + rest(p, "expect compile error: ");
            ex.errorLine = codeBefore ? number : 0;
            ex.compileError = true;
        } else if (auto p = at("expect exit: "); p != std::string::npos) {
            ex.exitStatus = std::stoi(rest(p, "expect exit: "));
            exitGiven = true;
        } else if (auto p = at("args: "); p != std::string::npos) {
            std::istringstream words(rest(p, "args: "));
            for (std::string w; words >> w;)
                ex.args.push_back(w);
        }
    }
    if (!ex.error.empty() && !exitGiven)
        ex.exitStatus = 1;
    return ex;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(trimRight(l));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vbs_script_test VBSRUN SCRIPT\n";
        return 2;
    }
    // Absolute, since the script runs in a folder of its own.
    std::string vbsrun = std::filesystem::absolute(argv[1]);
    std::string script = std::filesystem::absolute(argv[2]);
    Expectations ex = readExpectations(script);

    std::string folder = (std::filesystem::temp_directory_path() / "vbs_script_test_XXXXXX");
    if (!mkdtemp(folder.data())) {
        std::cerr << "cannot make a folder for the script to work in\n";
        return 2;
    }
    std::string base = folder + ".run";
    std::string outPath = base + ".out", errPath = base + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> args{vbsrun.data(), script.data()};
    for (auto& a : ex.args)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, vbsrun.c_str(), &actions, nullptr, args.data(), environ) != 0) {
        std::cerr << "cannot start " << vbsrun << "\n";
        return 2;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    std::string out = slurp(outPath), err = slurp(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    bool ok = true;
    auto fail = [&](const std::string& what) {
        std::cerr << script << ": " << what << "\n";
        ok = false;
    };
    int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (exitStatus != ex.exitStatus)
        fail("exit status " + std::to_string(exitStatus) + ", expected " +
             std::to_string(ex.exitStatus));
    auto got = lines(out);
    if (ex.compileError && !out.empty())
        fail("a script with a compile error printed on stdout");
    for (std::size_t i = 0; i < std::max(got.size(), ex.stdoutLines.size()); ++i) {
        std::string g = i < got.size() ? got[i] : "<nothing>";
        std::string e = i < ex.stdoutLines.size() ? ex.stdoutLines[i] : "<nothing>";
        if (g != e) {
            fail("stdout line " + std::to_string(i + 1) + ": got '" + g + "', expected '" + e +
                 "'");
            break;
        }
    }
    if (ex.error.empty()) {
        if (!err.empty())
            fail("unexpected stderr: " + err);
    } else {
        std::string errLine = lines(err).empty() ? "" : lines(err)[0];
        if (errLine.find(ex.error) == std::string::npos || errLine.size() < ex.error.size() ||
            errLine.compare(errLine.size() - ex.error.size(), ex.error.size(), ex.error) != 0)
            fail("stderr '" + errLine + "', expected it to end with '" + ex.error + "'");
        if (ex.errorLine &&
            errLine.find("(" + std::to_string(ex.errorLine) + ",") == std::string::npos)
            fail("error reported on the wrong line: " + errLine + " (expected line " +
                 std::to_string(ex.errorLine) + ")");
    }
    return ok ? 0 : 1;
}
