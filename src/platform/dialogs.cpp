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

Answer messageBox(const MessageRequest& request) {
    return dialogProvider().ask(request);
}

std::optional<std::string> chooseFile(const FileRequest& request) {
    return dialogProvider().chooseFile(request);
}

} // namespace platform
