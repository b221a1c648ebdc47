// The built-in library's shape: each theme (conversions, strings, arrays, maths, dates,
// formatting, tests, the engine's own functions) lists its functions and constants in one
// table, and the registry (builtins.cpp) gathers the tables into one lookup.
#pragma once

#include "vbscript/value.h"

#include <limits>
#include <span>
#include <string_view>

namespace vbs {

class Interpreter;

struct Builtin {
    // maxArgs of a built-in that takes any number of arguments (Array).
    static constexpr int kAnyCount = std::numeric_limits<int>::max();
    using Function = Value (*)(Interpreter&, std::span<Value>);
    const char16_t* name;
    int minArgs;
    int maxArgs;
    Function fn;
};

struct BuiltinConstant {
    const char16_t* name;
    Value value;
};

// The function or constant of that (folded) name, or null.
const Builtin* findBuiltin(std::u16string_view key);
const BuiltinConstant* findConstant(std::u16string_view key);

// The themes' tables.
std::span<const Builtin> conversionBuiltins();
std::span<const Builtin> stringBuiltins();
std::span<const Builtin> arrayBuiltins();
std::span<const Builtin> mathBuiltins();
std::span<const Builtin> dateBuiltins();
std::span<const Builtin> formatBuiltins();
std::span<const Builtin> typeBuiltins();
std::span<const Builtin> engineBuiltins();
std::span<const Builtin> byteBuiltins();
std::span<const BuiltinConstant> builtinConstants();

} // namespace vbs
