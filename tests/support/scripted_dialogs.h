// Test stand-ins for the operator: dialogs answered from a script, and a program end
// that unwinds back into the test instead of leaving the process.
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/program_end.h"

namespace testsupport {

// Answers questions in order; a box with only OK needs no scripted answer. A question
// nobody scripted is a test failure, raised as an exception.
class ScriptedDialogs : public platform::DialogProvider {
public:
    ScriptedDialogs() { platform::setDialogProvider(this); }
    ~ScriptedDialogs() override { platform::setDialogProvider(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    platform::Answer ask(const platform::MessageRequest& request) override {
        shown.push_back(request);
        if (request.buttons == platform::Buttons::Ok &&
            (answers.empty() || answers.front() != platform::Answer::Ok))
            return platform::Answer::Ok;
        if (answers.empty())
            throw std::logic_error("unexpected question: " + request.text);
        const platform::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> chooseFile(const platform::FileRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty())
            throw std::logic_error("unexpected file dialog");
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& request : shown)
            result.push_back(request.text);
        return result;
    }

    std::deque<platform::Answer> answers;
    std::deque<std::optional<std::string>> files; // nothing: the operator cancels
    std::vector<platform::MessageRequest> shown;
    std::vector<platform::FileRequest> fileRequests;
};

struct ProgramEnded {
    int status;
};

// While alive, ending the program throws ProgramEnded.
class ProgramEndTrap {
public:
    ProgramEndTrap() {
        platform::setProgramEndHandler([](int status) { throw ProgramEnded{status}; });
    }
    ~ProgramEndTrap() { platform::setProgramEndHandler({}); }
    ProgramEndTrap(const ProgramEndTrap&) = delete;
    ProgramEndTrap& operator=(const ProgramEndTrap&) = delete;
};

} // namespace testsupport
