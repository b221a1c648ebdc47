// Routes every message box and file dialog to the installed provider.
#include "platform/dialogs.h"

namespace platform {
namespace {

DialogProvider* installedProvider = nullptr;

} // namespace

void setDialogProvider(DialogProvider* provider) {
    installedProvider = provider;
}

DialogProvider& dialogProvider() {
    static TerminalDialogs terminal;
    return installedProvider ? *installedProvider : terminal;
}

Answer safeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        return Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}

Answer messageBox(const MessageRequest& request) {
    return dialogProvider().ask(request);
}

std::optional<std::string> chooseFile(const FileRequest& request) {
    return dialogProvider().chooseFile(request);
}

std::optional<std::string> inputBox(const InputRequest& request) {
    return dialogProvider().askText(request);
}

} // namespace platform
