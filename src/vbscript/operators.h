// The language's operators on Variants: arithmetic with its promotion rules (an Integer
// result that overflows becomes a Long, a Long one a Double, Byte a Integer, Single a
// Double), "+" joining two strings, "&" always joining text, comparisons as documented
// (a number sorts before a string, Empty is 0 or ""), Null propagating, and the logical
// operators working bitwise on numbers and logically on Booleans.
#pragma once

#include "vbscript/ast.h"
#include "vbscript/convert.h"
#include "vbscript/value.h"

#include <bit>
#include <cstdint>
#include <optional>

namespace vbs {

// Integer and Long operands, the common case of loop counters and indices, have a
// shortcut here that the interpreter's loops inline: the whole operators and comparisons
// without converting copies of the operands.
inline bool isSmallWhole(const Value& v) {
    return v.type() == Type::Integer || v.type() == Type::Long;
}
inline std::int64_t smallWhole(const Value& v) {
    return v.type() == Type::Integer ? v.asInteger() : v.asLong();
}

// A number as a Value holds it inline: its type and 64 bits. Empty stands for none.
struct InlineNumber {
    Type type = Type::Empty;
    std::uint64_t bits = 0;
};

// The smallest of Integer (unless `wide`), Long and Double that holds `r`.
inline InlineNumber smallestHolding(std::int64_t r, bool wide) {
    if (!wide && r >= INT16_MIN && r <= INT16_MAX)
        return {Type::Integer, static_cast<std::uint16_t>(r)};
    if (r >= INT32_MIN && r <= INT32_MAX)
        return {Type::Long, static_cast<std::uint32_t>(r)};
    return {Type::Double, std::bit_cast<std::uint64_t>(static_cast<double>(r))};
}

inline Value fitSmallWhole(std::int64_t r, bool wide) {
    InlineNumber n = smallestHolding(r, wide);
    return Value::inlineNumber(n.type, n.bits);
}

inline bool isComparison(ast::Op op) {
    return op >= ast::Op::Eq && op <= ast::Op::Ge;
}
// Without a jump on the operator: a jump table shared by all comparisons is badly
// predicted when they alternate.
inline bool compareWhole(ast::Op op, std::int64_t x, std::int64_t y) {
    // Bit 0: x < y holds it, bit 1: x = y, bit 2: x > y; in the order of ast::Op from Eq.
    constexpr unsigned kHolds[] = {0b010, 0b101, 0b001, 0b100, 0b011, 0b110};
    static_assert(static_cast<int>(ast::Op::Ge) - static_cast<int>(ast::Op::Eq) == 5);
    int order = (x > y) - (x < y) + 1;
    return (kHolds[static_cast<int>(op) - static_cast<int>(ast::Op::Eq)] >> order) & 1u;
}

// Applies a binary operator other than Is, any operands.
Value generalBinaryOp(ast::Op op, const Value& a, const Value& b);

// The shortcut of binaryOp: + - * \\ Mod and the comparisons on two Integer or Long
// operands. None for other operands, other operators and division by zero.
inline InlineNumber wholeOp(ast::Op op, const Value& a, const Value& b) {
    if (!isSmallWhole(a) || !isSmallWhole(b))
        return {};
    std::int64_t x = smallWhole(a), y = smallWhole(b);
    bool wide = a.type() == Type::Long || b.type() == Type::Long;
    switch (op) {
    case ast::Op::Add:
        return smallestHolding(x + y, wide);
    case ast::Op::Sub:
        return smallestHolding(x - y, wide);
    case ast::Op::Mul:
        return smallestHolding(x * y, wide);
    case ast::Op::IntDiv:
        return y == 0 ? InlineNumber{} : smallestHolding(x / y, wide);
    case ast::Op::Mod:
        return y == 0 ? InlineNumber{} : smallestHolding(x % y, wide);
    default:
        if (!isComparison(op))
            return {};
        return {Type::Boolean, compareWhole(op, x, y) ? 1u : 0u};
    }
}

// Applies a binary operator other than Is.
inline Value binaryOp(ast::Op op, const Value& a, const Value& b) {
    InlineNumber n = wholeOp(op, a, b);
    if (n.type != Type::Empty)
        return Value::inlineNumber(n.type, n.bits);
    return generalBinaryOp(op, a, b);
}

// An operator applied to operands read where they live. An object operand runs its
// default property, which could change or free what the other operand refers to, so
// object operands are copied before the operator sees them.
inline Value applyBinary(ast::Op op, const Value& a, const Value& b) {
    if (a.isObject() || b.isObject())
        return binaryOp(op, Value(a), Value(b));
    return binaryOp(op, a, b);
}

// Whether a comparison holds as the condition of If, Do or While, where Null counts as
// False. Operands as for applyBinary.
inline bool comparisonHolds(ast::Op op, const Value& a, const Value& b) {
    if (isSmallWhole(a) && isSmallWhole(b))
        return compareWhole(op, smallWhole(a), smallWhole(b));
    Value c = a.isObject() || b.isObject() ? generalBinaryOp(op, Value(a), Value(b))
                                           : generalBinaryOp(op, a, b);
    return !c.isNull() && toBool(c);
}

// Applies unary minus or Not.
Value unaryOp(ast::Op op, const Value& a);

// Three-way comparison by the comparison rules; nothing when either side is Null.
// `textCompare` ignores letter case (Option Compare Text, StrComp's mode 1).
std::optional<int> compareValues(const Value& a, const Value& b, bool textCompare = false);

// Is: both objects (or Nothing) and the same object.
bool sameObject(const Value& a, const Value& b);

} // namespace vbs
