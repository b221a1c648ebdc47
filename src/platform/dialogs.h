// The program's message boxes and file dialogs. Every window and the device link ask
// through here, so the program can show Qt dialogs, a terminal can answer on a headless
// bench PC, and tests can give scripted answers without any modal dialog.
#pragma once

#include <optional>
#include <string>

namespace platform {

enum class Buttons { Ok, AbortRetryIgnore, YesNo };
enum class Icon { None, Critical };
enum class Answer { Ok, Abort, Retry, Ignore, Yes, No };

// The program's own title, carried by every box unless another title is named.
inline constexpr const char* programTitle = "FLTAMP";

struct MessageRequest {
    std::string text;
    std::string title = programTitle;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

enum class FileDialogKind { Open, Save };

struct FileRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string filter;        // "Text Files (*.txt)|*.txt"
    std::string initialFolder; // empty: where the dialog starts by default
    std::string fileName;      // offered name, full path or empty
};

class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    virtual Answer ask(const MessageRequest& request) = 0;
    // The chosen file's full path, or nothing when the operator cancels.
    virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
};

// The answer that ends or declines (Abort, No, OK): what a box closed without a choice,
// or asked with nobody there, stands for.
Answer safeAnswer(Buttons buttons);

// Shows a modal message box through the installed provider and returns the button pressed.
Answer messageBox(const MessageRequest& request);
std::optional<std::string> chooseFile(const FileRequest& request);

// Installs the provider for the rest of the run (not owned). Without one, questions go
// to the terminal provider below.
void setDialogProvider(DialogProvider* provider);
DialogProvider& dialogProvider();

// Asks on the terminal when standard input is one; otherwise says on stderr that nobody
// can answer and takes the safe answer (Abort, No, cancel), so nothing ever hangs.
class TerminalDialogs : public DialogProvider {
public:
    Answer ask(const MessageRequest& request) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
};

} // namespace platform
