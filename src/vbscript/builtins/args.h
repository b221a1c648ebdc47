// The one argument helper every built-in uses, so that bad arguments are reported the
// same way everywhere: Null where a value is needed is 94 "Invalid use of Null", a value
// of the wrong kind 13 "Type mismatch", a value out of range 5 "Invalid procedure call
// or argument". An argument left out in the middle of a list (`f(a, , c)`) counts as
// not given.
#pragma once

#include "vbscript/lib/text_ops.h"
#include "vbscript/value.h"

#include <forward_list>
#include <span>
#include <string>

namespace vbs {

class Args {
public:
    explicit Args(std::span<Value> values) : values_(values) {}

    std::size_t size() const { return values_.size(); }
    bool given(std::size_t i) const;
    const Value& raw(std::size_t i) const { return values_[i]; }
    // The value, an object standing for its default value.
    Value value(std::size_t i) const;
    bool isNull(std::size_t i) const;

    // The argument's text: a String argument's own (not a copy: Mid and InStr on a long
    // string cost what they read), anything else converted and kept while Args lives.
    const std::u16string& text(std::size_t i) const;
    double number(std::size_t i) const;
    std::int32_t whole(std::size_t i) const;
    std::int32_t whole(std::size_t i, std::int32_t fallback) const;
    // A count or position that must be at least `minimum` (else 5).
    std::int32_t atLeast(std::size_t i, std::int32_t minimum) const;
    // vbBinaryCompare (0) or vbTextCompare (1) at position i, binary when not given.
    lib::CompareMode compareMode(std::size_t i) const;

private:
    std::span<Value> values_;
    mutable std::forward_list<std::u16string> converted_; // never moves its elements
};

[[noreturn]] void invalidArgument();

} // namespace vbs
