// The console as the owner of the engine's dialogs: a script's MsgBox and InputBox
// become the program's own message and input boxes, owned by the console window and
// asked through the dialog layer, with the button sets, icons and default button that
// MsgBox's buttons argument names.
#pragma once

#include "platform/dialogs.h"
#include "vbscript/host_api.h"

namespace script {

// MsgBox's buttons argument as a message box: the button set (0-5), the icon (16, 32,
// 48, 64) and the default button (0, 256, 512, 768); the other flags do not change how
// the box looks here.
platform::MessageRequest msgBoxRequest(const std::u16string& prompt, int buttons,
                                       const std::u16string& title);
// The button pressed as MsgBox returns it (vbOK = 1 … vbNo = 7).
int msgBoxResult(platform::Answer answer);

class ConsoleSite : public vbs::UiHost {
public:
    explicit ConsoleSite(void* ownerWindow) : owner_(ownerWindow) {}

    int msgBox(const std::u16string& prompt, int buttons, const std::u16string& title) override;
    std::optional<std::u16string> inputBox(const std::u16string& prompt,
                                           const std::u16string& title,
                                           const std::u16string& defaultText) override;

private:
    void* owner_;
};

} // namespace script
