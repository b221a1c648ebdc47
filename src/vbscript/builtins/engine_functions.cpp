// The built-ins that reach into the engine or its host: Eval, Execute, ExecuteGlobal,
// GetRef, CreateObject, Err, MsgBox, InputBox and the engine's name and version.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/interpreter.h"

namespace vbs {

namespace {

// The language version this engine follows.
constexpr std::int32_t kMajorVersion = 5;
constexpr std::int32_t kMinorVersion = 8;
constexpr std::int32_t kBuildVersion = 1;

// Errors of the code Execute and Eval run are placed at the statement that ran it.
template <typename F> Value placedAtCaller(F&& run) {
    try {
        return run();
    } catch (ScriptError& e) {
        e.forgetPosition();
        throw;
    }
}

Value evalFn(Interpreter& in, std::span<Value> v) {
    return placedAtCaller([&] { return in.evalInScope(Args(v).text(0)); });
}

Value executeFn(Interpreter& in, std::span<Value> v) {
    return placedAtCaller([&] {
        in.executeInScope(Args(v).text(0));
        return Value();
    });
}

Value executeGlobalFn(Interpreter& in, std::span<Value> v) {
    return placedAtCaller([&] {
        in.executeGlobal(Args(v).text(0));
        return Value();
    });
}

Value getRefFn(Interpreter& in, std::span<Value> v) {
    return in.procedureReference(Args(v).text(0));
}

Value createObjectFn(Interpreter& in, std::span<Value> v) {
    return in.createObject(Args(v).text(0));
}

Value getObjectFn(Interpreter&, std::span<Value>) {
    raise(err::CannotCreateObject);
}

Value errFn(Interpreter& in, std::span<Value>) {
    return in.errValue();
}

UiHost& ui(Interpreter& in) {
    if (!in.uiHost())
        raise(err::PermissionDenied);
    return *in.uiHost();
}

Value msgBoxFn(Interpreter& in, std::span<Value> v) {
    Args a(v);
    std::u16string prompt = concatText(a.value(0));
    int buttons = a.whole(1, 0);
    std::u16string title = a.given(2) ? a.text(2) : u"VBScript";
    return Value::integer(static_cast<std::int16_t>(ui(in).msgBox(prompt, buttons, title)));
}

Value inputBoxFn(Interpreter& in, std::span<Value> v) {
    Args a(v);
    std::u16string prompt = concatText(a.value(0));
    std::u16string title = a.given(1) ? a.text(1) : u"VBScript";
    std::u16string initial = a.given(2) ? a.text(2) : u"";
    auto answer = ui(in).inputBox(prompt, title, initial);
    return answer ? Value::string(*answer) : Value();
}

Value scriptEngineFn(Interpreter&, std::span<Value>) {
    return Value::string(u"VBScript");
}
Value majorFn(Interpreter&, std::span<Value>) {
    return Value::longValue(kMajorVersion);
}
Value minorFn(Interpreter&, std::span<Value>) {
    return Value::longValue(kMinorVersion);
}
Value buildFn(Interpreter&, std::span<Value>) {
    return Value::longValue(kBuildVersion);
}

const Builtin kTable[] = {
    {u"Eval", 1, 1, evalFn},
    {u"Execute", 1, 1, executeFn},
    {u"ExecuteGlobal", 1, 1, executeGlobalFn},
    {u"GetRef", 1, 1, getRefFn},
    {u"CreateObject", 1, 2, createObjectFn},
    {u"GetObject", 0, 2, getObjectFn},
    {u"Err", 0, 0, errFn},
    {u"MsgBox", 1, 5, msgBoxFn},
    {u"InputBox", 1, 7, inputBoxFn},
    {u"ScriptEngine", 0, 0, scriptEngineFn},
    {u"ScriptEngineMajorVersion", 0, 0, majorFn},
    {u"ScriptEngineMinorVersion", 0, 0, minorFn},
    {u"ScriptEngineBuildVersion", 0, 0, buildFn},
};

} // namespace

std::span<const Builtin> engineBuiltins() {
    return kTable;
}

} // namespace vbs
