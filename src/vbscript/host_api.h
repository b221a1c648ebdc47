// What a host hands the engine and gets back from it, apart from values and objects:
// the dialogs MsgBox and InputBox ask for, the way CreateObject makes a host's object,
// and the description of a script's procedures. Hosts include this (through engine.h)
// and nothing of the parser, compiler or interpreter.
#pragma once

#include "vbscript/host_object.h"

#include <functional>
#include <optional>
#include <string>

namespace vbs {

// What the engine asks of its host for MsgBox and InputBox.
class UiHost {
public:
    virtual ~UiHost() = default;
    // Shows a message; returns the button pressed (vbOK = 1 ...).
    virtual int msgBox(const std::u16string& prompt, int buttons, const std::u16string& title) = 0;
    // Asks for text; nothing when cancelled.
    virtual std::optional<std::u16string> inputBox(const std::u16string& prompt,
                                                   const std::u16string& title,
                                                   const std::u16string& defaultText) = 0;
};

// A global procedure as a host lists it.
struct ProcedureInfo {
    std::u16string name;
    int numArgs = 0;
    bool hasReturnValue = false;
};

// Makes one of the host's objects for CreateObject or New; making nothing refuses it.
using ObjectFactory = std::function<Ref<HostObject>()>;

} // namespace vbs
