// MsgBox and InputBox through the dialog layer.
#include "script/console_site.h"

#include <QString>

namespace script {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

std::string utf8(const std::u16string& text) {
    return QString::fromStdU16String(text).toStdString();
}

Buttons buttonSet(int buttons) {
    switch (buttons & 0x0F) {
    case 1:
        return Buttons::OkCancel;
    case 2:
        return Buttons::AbortRetryIgnore;
    case 3:
        return Buttons::YesNoCancel;
    case 4:
        return Buttons::YesNo;
    case 5:
        return Buttons::RetryCancel;
    default:
        return Buttons::Ok;
    }
}

Icon iconOf(int buttons) {
    switch (buttons & 0x70) {
    case 16:
        return Icon::Critical;
    case 32:
        return Icon::Question;
    case 48:
        return Icon::Exclamation;
    case 64:
        return Icon::Information;
    default:
        return Icon::None;
    }
}

int buttonCount(Buttons set) {
    switch (set) {
    case Buttons::AbortRetryIgnore:
    case Buttons::YesNoCancel:
        return 3;
    case Buttons::YesNo:
    case Buttons::OkCancel:
    case Buttons::RetryCancel:
        return 2;
    case Buttons::Ok:
        break;
    }
    return 1;
}

} // namespace

platform::MessageRequest msgBoxRequest(const std::u16string& prompt, int buttons,
                                       const std::u16string& title) {
    platform::MessageRequest request{utf8(prompt), utf8(title), buttonSet(buttons),
                                     iconOf(buttons)};
    // A default past the set's last button is its first, as MsgBox has it.
    const int chosen = (buttons >> 8) & 0x03;
    request.defaultButton = chosen < buttonCount(request.buttons) ? chosen : 0;
    return request;
}

int msgBoxResult(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return 1;
    case Answer::Cancel:
        return 2;
    case Answer::Abort:
        return 3;
    case Answer::Retry:
        return 4;
    case Answer::Ignore:
        return 5;
    case Answer::Yes:
        return 6;
    case Answer::No:
        return 7;
    }
    return 1;
}

int ConsoleSite::msgBox(const std::u16string& prompt, int buttons, const std::u16string& title) {
    platform::MessageRequest request = msgBoxRequest(prompt, buttons, title);
    request.owner = owner_;
    return msgBoxResult(platform::messageBox(request));
}

std::optional<std::u16string> ConsoleSite::inputBox(const std::u16string& prompt,
                                                    const std::u16string& title,
                                                    const std::u16string& defaultText) {
    const std::optional<std::string> typed =
        platform::inputBox({utf8(prompt), utf8(title), utf8(defaultText), owner_});
    if (!typed)
        return std::nullopt;
    return QString::fromStdString(*typed).toStdU16String();
}

} // namespace script
