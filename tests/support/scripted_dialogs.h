// Test stand-ins for the operator: dialogs answered from a script, and a program end
// that unwinds back into the test instead of leaving the process.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/program_end.h"

namespace testsupport {

// Answers message boxes, file dialogs and input boxes in order while it lives; OK (or
// cancel) once the script runs out. Remembers every box and dialog shown.
class ScriptedDialogs : public platform::DialogProvider {
public:
    ScriptedDialogs() { platform::setDialogProvider(this); }
    ~ScriptedDialogs() override { platform::setDialogProvider(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    platform::Answer ask(const platform::MessageRequest& request) override {
        messages.push_back(request);
        if (answers.empty())
            return platform::Answer::Ok;
        const platform::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> chooseFile(const platform::FileRequest& request) override {
        fileRequests.push_back(request);
        if (fileChoices.empty())
            return std::nullopt;
        std::optional<std::string> choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }

    std::optional<std::string> askText(const platform::InputRequest& request) override {
        inputRequests.push_back(request);
        if (typedTexts.empty())
            return std::nullopt;
        std::optional<std::string> typed = typedTexts.front();
        typedTexts.pop_front();
        return typed;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> shown;
        for (const auto& request : messages)
            shown.push_back(request.text);
        return shown;
    }

    std::deque<platform::Answer> answers;
    std::deque<std::optional<std::string>> fileChoices; // nothing: the operator cancels
    std::vector<platform::MessageRequest> messages;
    std::vector<platform::FileRequest> fileRequests;
    std::deque<std::optional<std::string>> typedTexts; // nothing: the operator cancels
    std::vector<platform::InputRequest> inputRequests;
};

// Deliberately no std::exception, so no "skip the failing step" handler can swallow it.
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
