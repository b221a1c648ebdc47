// The engine's public face: one VBScript global module that code is added to, statements
// are executed in, expressions evaluated in and procedures run from, and host objects
// are registered with. Every failure is thrown as a ScriptError (errors.h) carrying the
// error number, the description and, where known, the line and column; memory running
// out is error 7 like any other. The calls may be made again from inside a host method
// that a running script has called; code nested that way counts toward the depth limit
// ("Out of stack space"). An exception of the host's own thrown from a script object's
// Class_Terminate stops the script and comes out of the call that ran it.
#pragma once

#include "vbscript/errors.h"
#include "vbscript/host_api.h"
#include "vbscript/host_object.h"
#include "vbscript/value.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vbs {

class Interpreter;

class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Parses `code` into the global module; on a compile error nothing of it is added.
    // Its procedures and classes become callable, then its statements run in order; a
    // runtime error stops them, and what the code defined stays defined.
    void addCode(std::u16string_view code);
    // Runs statements (several lines allowed) in the global module, the same way.
    void executeStatement(std::u16string_view code);
    // The value of an expression in the global module.
    Value eval(std::u16string_view expression);
    // Calls a global procedure by name (any case) with arguments passed by value; an
    // empty or unknown name is error 35.
    Value run(std::u16string_view name, std::vector<Value> args = {});
    // The global module's procedures in the order defined.
    std::vector<ProcedureInfo> procedures() const;
    // Makes `object` a global name; with addMembers its members become global names too.
    // A name already in use (457) or not a valid name (5) is refused.
    void addObject(std::u16string_view name, Ref<HostObject> object, bool addMembers = false);
    // Adds a ProgID to CreateObject's list (Scripting.Dictionary, Scripting.FileSystemObject
    // and VBScript.RegExp are always there); a factory that makes nothing refuses the name
    // (429), which is how a host withholds one.
    void registerProgId(std::u16string_view progId, ObjectFactory factory);

    // MsgBox and InputBox ask this host; without one they fail with error 70.
    void setUiHost(UiHost* host);
    // Called regularly while a script runs; throwing a ScriptError from it stops the
    // script with that error (the time-out is built on this).
    void setStepHook(std::function<void()> hook);
    // Stops the running script at its next statement with a runtime error that
    // On Error Resume Next does not catch.
    void requestStop();

    // Compiles `code` as a script, without adding or running it, and lists what each of
    // its units compiled to: one instruction a line, each with its source line. A
    // compile error is thrown as addCode throws it.
    static std::string listing(std::u16string_view code);

private:
    std::unique_ptr<Interpreter> interp_;
};

} // namespace vbs
