// The runner's WScript object: Echo, Arguments, Quit, StdOut and StdErr, the script's
// name and path, Sleep. Quit ends the run by throwing QuitRequest, which no script error
// handler catches; the object also keeps the code asked for, since a Quit made while the
// engine goes away (in a Class_Terminate) has nothing left to end. Also the runner's answers to
// MsgBox and InputBox: there is no one to ask, so the prompt goes to stdout and the default answer
// comes back.
#pragma once

#include "vbscript/host_api.h"
#include "vbscript/host_object.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vbs::runner {

struct QuitRequest {
    int exitCode;
};

// The process's exit status for a Quit code: the code itself from 0 to 255, else 255 (a
// status is 8 bits, and a code that does not fit must not read as success).
int exitStatusOf(std::int32_t quitCode);

// A text stream object (StdOut, StdErr) writing UTF-8 to a C stream.
class TextStream : public TableHostObject {
public:
    explicit TextStream(std::FILE* out);
    std::u16string typeName() const override { return u"TextStream"; }
};

class WScript : public TableHostObject {
public:
    // hostName is what the script reads as WScript.Name.
    WScript(std::u16string scriptPath, std::vector<std::u16string> arguments,
            std::u16string hostName = u"vbsrun");
    std::u16string typeName() const override { return u"Object"; }
    // The code of the first Quit, if the script called it.
    std::optional<std::int32_t> quitCode() const { return quitCode_; }

private:
    std::optional<std::int32_t> quitCode_;
    Ref<HostObject> arguments_;
    Ref<HostObject> stdOut_;
    Ref<HostObject> stdErr_;
};

class ConsoleUi : public UiHost {
public:
    int msgBox(const std::u16string& prompt, int buttons, const std::u16string& title) override;
    std::optional<std::u16string> inputBox(const std::u16string& prompt,
                                           const std::u16string& title,
                                           const std::u16string& defaultText) override;
};

// The button a message box with these flags has as its default (vbOK = 1 ... vbNo = 7).
int defaultButton(int buttons);

} // namespace vbs::runner
