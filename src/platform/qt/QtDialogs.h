// The program's message boxes and file dialogs as Qt shows them on a desktop.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace platform {

class QtDialogs : public DialogProvider {
public:
    Answer ask(const MessageRequest& request) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    std::optional<std::string> askText(const InputRequest& request) override;
};

// "Text Files (*.txt)|*.txt" (description|pattern pairs) as Qt writes a file filter.
std::string qtFileFilter(const std::string& filter);

} // namespace platform
