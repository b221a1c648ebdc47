// The parser: tokens to a Unit (ast.h) by recursive descent, one function per grammar
// rule with the rule above it. Compile errors carry the language's numbers and the line
// and column of the offending token.
#pragma once

#include "vbscript/ast.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace vbs {

// Deeper nesting of expressions or blocks than this, or an expression whose tree is
// higher (a long chain of operators), is refused as "Out of stack space": the parser,
// the compiler and the interpreter all recurse over the tree, and this bound keeps them
// far inside the thread's stack.
constexpr int kMaxNesting = 400;
// The parser also stops while fewer bytes than this are left on the thread's stack (see
// stack_limit.h), or an eighth of a small stack: below the interpreter's reserve for
// calls, so that code which compiles itself again and again (Execute) is stopped as a
// runtime error first.
constexpr std::size_t kParserStackReserve = 64 * 1024;
constexpr std::size_t kParserStackShare = 8;

// An argument left out of a list (`f(a, , c)`) is passed as this Error value (the
// automation "parameter not found" code), which built-ins treat as not given.
constexpr std::int32_t kMissingArgument = static_cast<std::int32_t>(0x80020004);

enum class ParseMode {
    Module,     // AddCode, ExecuteGlobal: statements, procedures and classes
    Statements, // Execute inside a procedure: statements only
    Expression, // Eval: one expression
};

std::unique_ptr<Unit> parse(std::u16string_view source, ParseMode mode);

} // namespace vbs
