// Name resolution (see interpreter_names.h): the look-ups that may find a name for the
// first time, define it, or fail.
#include "vbscript/interpreter_names.h"

#include "vbscript/builtins/builtin.h"

namespace vbs {

using namespace ast;

Interpreter::ResolvedName Interpreter::resolve(const Expr& e, NameCache& cache, bool forWrite) {
    const Slot& slot = cache.slot;
    switch (slot.scope) {
    case Scope::Local:
        return {frame_->slots[static_cast<std::size_t>(slot.index)]};
    case Scope::Field:
        return {&frame_->me->fields()[static_cast<std::size_t>(slot.index)]};
    case Scope::Method:
        return {nullptr, slot.proc, nullptr, nullptr, nullptr, true};
    case Scope::Global:
        break;
    }
    if (cache.global)
        return globalName(*cache.global);
    if (const Builtin* b = forWrite ? nullptr : knownBuiltin(cache))
        return {nullptr, nullptr, b};
    return resolveFirstUse(e, cache, forWrite);
}

// A global name's first use: a global, a built-in, a constant, the procedure's implicit
// local, or a new global. Only a global is remembered for good: the others depend on what
// is defined later or on the frame.
Interpreter::ResolvedName Interpreter::resolveFirstUse(const Expr& e, NameCache& cache,
                                                       bool forWrite) {
    const Slot& slot = cache.slot;
    int index = findGlobal(e.key());
    if (index < 0) {
        if (!cache.builtin && !forWrite)
            cache.builtin = findBuiltin(e.key());
        if (cache.builtin && !forWrite) {
            cache.builtinAtGlobals = static_cast<std::uint32_t>(globals_.size());
            return {nullptr, nullptr, cache.builtin};
        }
        if (const BuiltinConstant* c = findConstant(e.key())) {
            if (forWrite)
                raise(err::IllegalAssignment);
            return {nullptr, nullptr, nullptr, &c->value};
        }
        Value* fallback = nullptr;
        if (slot.fallbackLocal >= 0 && frame_->proc &&
            static_cast<std::size_t>(slot.fallbackLocal) < frame_->slotCount)
            fallback = frame_->slots[static_cast<std::size_t>(slot.fallbackLocal)];
        // Under Option Explicit only ReDim creates a name (it leaves an array behind).
        if (frame_->explicitNames && !(fallback && fallback->isArray()))
            raise(err::Undefined, errorDescription(err::Undefined) + u": '" + e.name() + u"'");
        if (fallback)
            return {fallback};
        index = declareGlobal(e.name());
    }
    cache.global = &globals_[static_cast<std::size_t>(index)];
    return globalName(*cache.global);
}

Interpreter::ResolvedName Interpreter::globalName(Global& g) {
    if (g.proc)
        return {nullptr, g.proc, nullptr, nullptr, &g};
    if (g.memberOf)
        return {nullptr, nullptr, nullptr, nullptr, &g};
    return {&g.value, nullptr, nullptr, nullptr, &g};
}

// A name called like a procedure that nothing defines: no global, no built-in, and no
// implicit local holding a value.
bool Interpreter::isUnknownName(const Expr& e, const NameCache& cache) const {
    const Slot& slot = cache.slot;
    if (slot.scope != Scope::Global || cache.global || cache.builtin)
        return false;
    if (findGlobal(e.key()) >= 0 || findBuiltin(e.key()) || findConstant(e.key()))
        return false;
    if (slot.fallbackLocal >= 0 && frame_->proc &&
        static_cast<std::size_t>(slot.fallbackLocal) < frame_->slotCount)
        return frame_->slots[static_cast<std::size_t>(slot.fallbackLocal)]->isEmpty();
    return true;
}

Value* Interpreter::variable(const Expr& e, NameCache& cache, bool forWrite) {
    if (e.kind != ExprKind::Name)
        return nullptr;
    ResolvedName r = resolve(e, cache, forWrite);
    if (!r.var || (r.global && r.global->isConst))
        return nullptr;
    return r.var;
}

// A name passed as an argument: a variable (not a constant) is passed by reference.
bool Interpreter::bindVariable(const Expr& name, NameCache& cache, Argument& arg) {
    ResolvedName r = resolve(name, cache, false);
    if (!r.var || (r.global && r.global->isConst))
        return false;
    arg.ref = r.var;
    return true;
}

// What a Member expression names in a script object's class, looked up once per class:
// `cache` holds what it named in the class last met.
const ClassMember& Interpreter::classMemberOf(const Expr& member, ClassMember& cache,
                                              const ClassInstance& inst) {
    if (cache.cls != &inst.classDef())
        cache = findClassMember(inst.classDef(), member.key());
    return cache;
}

// What a name called like a procedure denotes, found before its arguments run: a name
// nothing defines is an error before they run.
Interpreter::ResolvedName Interpreter::resolveCallee(const Expr& callee, NameCache& cache) {
    if (Value* known = knownVariable(callee, cache, false))
        return {known};
    if (isUnknownName(callee, cache))
        raise(frame_->explicitNames ? err::Undefined : err::SubNotDefined);
    return resolve(callee, cache, false);
}

// Inside a function its own name with arguments is a recursive call, not its result.
bool Interpreter::callsItself(const NameCache& callee, std::size_t argCount) const {
    return callee.slot.scope == Scope::Local && argCount > 0 && frame_->proc &&
           callee.slot.index == frame_->proc->resultSlot;
}

} // namespace vbs
