// The engine's public face (see engine.h).
#include "vbscript/engine.h"

#include "vbscript/compiler.h"
#include "vbscript/interpreter.h"
#include "vbscript/library/script_library.h"
#include "vbscript/listing.h"
#include "vbscript/parser.h"

#include <new>

namespace vbs {

namespace {

// Memory running out anywhere in the engine reaches the host as the language's error 7,
// like any other runtime error; the engine stays usable.
template <typename Action> auto reportingOutOfMemory(Action&& action) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        throw runtimeError(err::OutOfMemory);
    }
}

} // namespace

Engine::Engine() : interp_(std::make_unique<Interpreter>()) {
    addScriptLibrary(*interp_);
}
Engine::~Engine() = default;

void Engine::addCode(std::u16string_view code) {
    reportingOutOfMemory([&] { interp_->addCode(code); });
}
void Engine::executeStatement(std::u16string_view code) {
    reportingOutOfMemory([&] { interp_->addCode(code); });
}
Value Engine::eval(std::u16string_view expression) {
    return reportingOutOfMemory([&] { return interp_->evaluate(expression); });
}
Value Engine::run(std::u16string_view name, std::vector<Value> args) {
    return reportingOutOfMemory([&] { return interp_->run(name, std::move(args)); });
}
std::vector<ProcedureInfo> Engine::procedures() const {
    return reportingOutOfMemory([&] { return interp_->procedures(); });
}
void Engine::addObject(std::u16string_view name, Ref<HostObject> object, bool addMembers) {
    reportingOutOfMemory([&] { interp_->addObject(name, std::move(object), addMembers); });
}
void Engine::registerProgId(std::u16string_view progId, ObjectFactory factory) {
    interp_->registerProgId(progId, std::move(factory));
}
void Engine::setUiHost(UiHost* host) {
    interp_->setUiHost(host);
}
void Engine::setStepHook(std::function<void()> hook) {
    interp_->setStepHook(std::move(hook));
}
void Engine::requestStop() {
    interp_->requestStop();
}

std::string Engine::listing(std::u16string_view code) {
    return reportingOutOfMemory([&] {
        auto unit = parse(code, ParseMode::Module);
        compile(*unit);
        return vbs::listing(*unit);
    });
}

} // namespace vbs
