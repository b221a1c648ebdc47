// The program's message boxes and file dialogs. Every window and the device link ask
// through here, so the program can show Qt dialogs, a terminal can answer on a headless
// bench PC, and tests can give scripted answers without any modal dialog.
#pragma once

#include <optional>
#include <string>

namespace platform {

enum class Buttons { Ok, AbortRetryIgnore, YesNo, OkCancel, YesNoCancel, RetryCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Abort, Retry, Ignore, Yes, No, Cancel };

// The program's own title, carried by every box unless another title is named.
inline constexpr const char* programTitle = "FLTAMP";

struct MessageRequest {
    std::string text;
    std::string title = programTitle;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    // The button Enter presses, counted from the left from 0; -1 leaves it to the toolkit.
    int defaultButton = -1;
    // The window the box belongs to (a QWidget on the Qt side); none: the active window.
    void* owner = nullptr;
};

// A box that asks for one line of text, with OK and Cancel.
struct InputRequest {
    std::string prompt;
    std::string title = programTitle;
    std::string defaultText{};
    void* owner = nullptr;
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
    // The text typed, or nothing when the operator cancels. A provider that cannot ask
    // for text answers as if cancelled.
    virtual std::optional<std::string> askText(const InputRequest&) { return std::nullopt; }
};

// The answer that ends or declines (Abort, No, Cancel, OK): what a box closed without a
// choice, or asked with nobody there, stands for.
Answer safeAnswer(Buttons buttons);

// Shows a modal message box through the installed provider and returns the button pressed.
Answer messageBox(const MessageRequest& request);
std::optional<std::string> chooseFile(const FileRequest& request);
std::optional<std::string> inputBox(const InputRequest& request);

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
    std::optional<std::string> askText(const InputRequest& request) override;
};

} // namespace platform
