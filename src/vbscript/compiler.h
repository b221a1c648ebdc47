// The compiler: resolves every name in a parsed Unit to where it lives, for the builder
// to keep in the compiled form (bytecode.h), so the interpreter never searches for a
// local variable or a class field by name. The syntax tree is only read: what the
// compiler finds goes into the Unit's and its procedures' compiled parts. Procedures
// get their frame layout (parameters, result, declared locals, and one fallback slot per
// undeclared name, which becomes an implicit local unless a global of that name exists).
// Also checks what only the whole unit shows: names declared twice, Me outside a class.
#pragma once

#include "vbscript/ast.h"

namespace vbs {

// The scope code is compiled into. Global code has no procedure; code run by Execute or
// Eval inside a procedure sees that procedure's locals and class.
struct CompileScope {
    const Procedure* procedure = nullptr;
    const ClassDef* cls = nullptr;
};

// Raises a compile ScriptError for the problems listed above.
void compile(Unit& unit, const CompileScope& scope = {});

} // namespace vbs
