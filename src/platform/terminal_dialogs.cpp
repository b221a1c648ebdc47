// Dialogs on the terminal, for a bench PC reached over SSH with no display. When
// standard input is no terminal nobody can answer, so the safe answer is taken and
// stderr says so: a script or cron job never hangs on a question.
#include "platform/dialogs.h"

#include <unistd.h>

#include <cctype>
#include <iostream>
#include <string>
#include <vector>

namespace platform {
namespace {

struct Choice {
    char key;
    const char* label;
    Answer answer;
};

std::vector<Choice> choicesFor(Buttons buttons) {
    switch (buttons) {
    case Buttons::AbortRetryIgnore:
        return {{'a', "[A]bort", Answer::Abort},
                {'r', "[R]etry", Answer::Retry},
                {'i', "[I]gnore", Answer::Ignore}};
    case Buttons::YesNo:
        return {{'y', "[Y]es", Answer::Yes}, {'n', "[N]o", Answer::No}};
    case Buttons::OkCancel:
        return {{'o', "[O]K", Answer::Ok}, {'c', "[C]ancel", Answer::Cancel}};
    case Buttons::YesNoCancel:
        return {{'y', "[Y]es", Answer::Yes},
                {'n', "[N]o", Answer::No},
                {'c', "[C]ancel", Answer::Cancel}};
    case Buttons::RetryCancel:
        return {{'r', "[R]etry", Answer::Retry}, {'c', "[C]ancel", Answer::Cancel}};
    case Buttons::Ok:
        break;
    }
    return {{'o', "[O]K", Answer::Ok}};
}

const char* labelOf(Answer answer) {
    switch (answer) {
    case Answer::Abort:
        return "Abort";
    case Answer::No:
        return "No";
    case Answer::Cancel:
        return "Cancel";
    default:
        return "OK";
    }
}

bool operatorPresent() {
    return isatty(STDIN_FILENO) != 0;
}

// Every line the program writes on stderr starts with its name; a box's lines start with
// its title ("FLTAMP: …"), or without a title with the name.
constexpr const char* ownPrefix = "fltamp: ";

std::string headingOf(const std::string& title) {
    return title.empty() ? ownPrefix : title + ": ";
}

// Each line of a box's text starts with the heading; CR LF ends a line as LF does.
void show(const std::string& heading, const std::string& text) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::cerr << heading << line << "\n";
        if (end == std::string::npos)
            return;
        start = end + 1;
    }
}

void sayNobodyAnswers(const char* answer) {
    std::cerr << ownPrefix << "no terminal to answer on; taking " << answer << "\n";
}

} // namespace

Answer TerminalDialogs::ask(const MessageRequest& request) {
    const std::string heading = headingOf(request.title);
    if (!operatorPresent()) {
        const Answer answer = safeAnswer(request.buttons);
        show(heading, request.text);
        sayNobodyAnswers(labelOf(answer));
        return answer;
    }
    const std::vector<Choice> choices = choicesFor(request.buttons);
    for (;;) {
        show(heading, request.text);
        for (const Choice& choice : choices)
            std::cerr << choice.label << ' ';
        std::cerr << "? " << std::flush;
        std::string line;
        if (!std::getline(std::cin, line))
            return safeAnswer(request.buttons);
        if (choices.size() == 1)
            return choices.front().answer;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(line[first])));
        for (const Choice& choice : choices)
            if (choice.key == key)
                return choice.answer;
    }
}

std::optional<std::string> TerminalDialogs::askText(const InputRequest& request) {
    const std::string heading = headingOf(request.title);
    if (!operatorPresent()) {
        show(heading, request.prompt);
        sayNobodyAnswers("Cancel");
        return std::nullopt;
    }
    show(heading, request.prompt);
    std::cerr << "[" << request.defaultText << "] (end of input to cancel): " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line))
        return std::nullopt;
    return line.empty() ? request.defaultText : line;
}

std::optional<std::string> TerminalDialogs::chooseFile(const FileRequest& request) {
    if (!operatorPresent())
        return std::nullopt;
    std::cerr << ownPrefix << (request.kind == FileDialogKind::Open ? "Open" : "Save") << " file ("
              << request.filter << "), empty to cancel: " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line) || line.empty())
        return std::nullopt;
    return line;
}

} // namespace platform
