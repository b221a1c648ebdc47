// Name resolution, in one place: what a name in running code denotes. The compiler has
// decided where a name lives (Scope, kept in the name's NameCache): a local variable is a slot
// of the frame, a class field a field of the running object, a class method a procedure of its
// class. Any other name is looked up when it runs, so code compiled before a name was defined
// reaches what it is now: first the global table (variables, constants, procedures,
// host objects and the members a host object adds with AddMembers), then the built-in
// functions and constants, then a procedure's implicit local of that name, else a new
// global (an error under Option Explicit). What was found is remembered in the compiled
// form's entry for that use of the name (NameCache): a global table entry for good, as
// entries are never removed nor moved and the entry itself says whether it is now a
// procedure or a host object's member; a built-in only while no global has been added,
// as a global of the same name hides it; a global variable's storage itself, for the
// instructions that run most, while no global has become a procedure or a constant
// since. The fast paths are here; the rest is in interpreter_names.cpp.
#pragma once

#include "vbscript/interpreter_frame.h"

namespace vbs {

// The storage of a name known to be a variable: a local, a field of the running object,
// or a global variable met before. Null for anything that needs resolving.
inline Value* Interpreter::knownVariable(const ast::Expr& e, const NameCache& cache,
                                         bool forWrite) {
    if (e.kind != ast::ExprKind::Name)
        return nullptr;
    const Slot& slot = cache.slot;
    switch (slot.scope) {
    case Scope::Local:
        return frame_->slots[static_cast<std::size_t>(slot.index)];
    case Scope::Field:
        return &frame_->me->fields()[static_cast<std::size_t>(slot.index)];
    case Scope::Global: {
        GlobalEntry* g = cache.global;
        if (!g || g->proc || g->memberOf || (forWrite && g->isConst))
            return nullptr;
        return &g->value;
    }
    default:
        return nullptr;
    }
}

// Checks nothing but one count once the variable is remembered: a global table entry
// stops being a variable only when a unit is defined or a constant declared, which both
// count (globalKinds_).
inline Value* Interpreter::rememberedVariable(const ast::Expr& e, NameCache& cache, bool forWrite) {
    if (cache.variable && cache.variableAt == globalKinds_)
        return cache.variable;
    Value* v = knownVariable(e, cache, forWrite);
    if (v && cache.slot.scope == Scope::Global && !cache.global->isConst) {
        cache.variable = v;
        cache.variableAt = globalKinds_;
    }
    return v;
}

inline const Builtin* Interpreter::knownBuiltin(const NameCache& cache) const {
    return cache.slot.scope == Scope::Global && !cache.global && cache.builtin &&
                   cache.builtinAtGlobals == globals_.size()
               ? cache.builtin
               : nullptr;
}

// The global procedure this use of a name found before, else null: a call may go
// straight to it. A variable replaced by a procedure since is found so too, its entry
// saying so now.
inline const Procedure* knownProcedure(const NameCache& cache) {
    return cache.slot.scope == Scope::Global && cache.global ? cache.global->proc : nullptr;
}

} // namespace vbs
