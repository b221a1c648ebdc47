// The language's operators on Variants: arithmetic with its promotion rules (an Integer
// result that overflows becomes a Long, a Long one a Double, Byte a Integer, Single a
// Double), "+" joining two strings, "&" always joining text, comparisons as documented
// (a number sorts before a string, Empty is 0 or ""), Null propagating, and the logical
// operators working bitwise on numbers and logically on Booleans.
#pragma once

#include "vbscript/ast.h"
#include "vbscript/value.h"

#include <optional>

namespace vbs {

// Applies a binary operator other than Is.
Value binaryOp(ast::Op op, const Value& a, const Value& b);
// Applies unary minus or Not.
Value unaryOp(ast::Op op, const Value& a);

// Three-way comparison by the comparison rules; nothing when either side is Null.
// `textCompare` ignores letter case (Option Compare Text, StrComp's mode 1).
std::optional<int> compareValues(const Value& a, const Value& b, bool textCompare = false);

// Is: both objects (or Nothing) and the same object.
bool sameObject(const Value& a, const Value& b);

} // namespace vbs
