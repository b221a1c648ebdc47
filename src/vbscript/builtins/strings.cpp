// String built-ins: Len, Left, Mid, InStr, Replace, Split, Join, Chr, Asc, Escape and
// the rest, wired to the library's text algorithms.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"

namespace vbs {

namespace {

std::size_t count(const Args& a, std::size_t i) {
    return static_cast<std::size_t>(a.atLeast(i, 0));
}

Value text(std::u16string s) {
    return Value::string(std::move(s));
}

Value lenFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    return Value::longValue(static_cast<std::int32_t>(a.text(0).size()));
}

Value leftFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t n = count(a, 1);
    if (a.isNull(0))
        return Value::null();
    return text(a.text(0).substr(0, n));
}

Value rightFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t n = count(a, 1);
    if (a.isNull(0))
        return Value::null();
    const std::u16string& s = a.text(0);
    return text(n >= s.size() ? s : s.substr(s.size() - n));
}

Value midFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t start = static_cast<std::size_t>(a.atLeast(1, 1));
    std::size_t n = a.given(2) ? count(a, 2) : std::u16string::npos;
    if (a.isNull(0))
        return Value::null();
    const std::u16string& s = a.text(0);
    if (start > s.size())
        return text(u"");
    return text(s.substr(start - 1, n));
}

Value inStrFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t first = 0;
    std::size_t start = 1;
    if (v.size() >= 3) {
        if (a.isNull(0))
            raise(err::InvalidNull);
        start = static_cast<std::size_t>(a.atLeast(0, 1));
        first = 1;
    }
    if (a.isNull(first) || a.isNull(first + 1))
        return Value::null();
    auto pos = lib::inStr(a.text(first), a.text(first + 1), start, a.compareMode(first + 2));
    return Value::longValue(static_cast<std::int32_t>(pos));
}

Value inStrRevFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::int32_t start = a.whole(2, -1);
    if (start == 0 || start < -1)
        invalidArgument();
    if (a.isNull(0) || a.isNull(1))
        return Value::null();
    auto pos = lib::inStrRev(a.text(0), a.text(1), start, a.compareMode(3));
    return Value::longValue(static_cast<std::int32_t>(pos));
}

Value replaceFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t start = a.given(3) ? static_cast<std::size_t>(a.atLeast(3, 1)) : 1;
    std::int32_t limit = a.whole(4, -1);
    if (limit < -1)
        invalidArgument();
    return text(lib::replace(a.text(0), a.text(1), a.text(2), start, limit, a.compareMode(5)));
}

Value stringArray(const std::vector<std::u16string>& items) {
    std::vector<Value> values;
    values.reserve(items.size());
    for (const auto& s : items)
        values.push_back(Value::string(s));
    return Value::array(Array::fromValues(std::move(values)));
}

std::vector<std::u16string> textsOf(const Value& list) {
    if (list.isNull())
        raise(err::InvalidNull);
    if (!list.isArray() || list.asArray()->dimensions() > 1)
        raise(err::TypeMismatch);
    std::vector<std::u16string> out;
    for (const auto& e : list.asArray()->elements())
        out.push_back(toText(e));
    return out;
}

Value splitFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::u16string delimiter = a.given(1) ? a.text(1) : u" ";
    std::int32_t limit = a.whole(2, -1);
    if (limit < -1)
        invalidArgument();
    return stringArray(lib::split(a.text(0), delimiter, limit, a.compareMode(3)));
}

Value joinFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::u16string delimiter = a.given(1) ? a.text(1) : u" ";
    return text(lib::join(textsOf(v[0]), delimiter));
}

Value filterFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    bool include = a.given(2) ? toBool(v[2]) : true;
    return stringArray(lib::filter(textsOf(v[0]), a.text(1), include, a.compareMode(3)));
}

Value strCompFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0) || a.isNull(1))
        return Value::null();
    return Value::integer(
        static_cast<std::int16_t>(lib::strComp(a.text(0), a.text(1), a.compareMode(2))));
}

// Functions of one text that give Null for Null.
template <std::u16string (*F)(std::u16string_view)> Value textFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    return text(F(a.text(0)));
}

Value strReverseFn(Interpreter&, std::span<Value> v) {
    return text(lib::strReverse(Args(v).text(0)));
}

std::size_t builtLength(const Args& a, std::size_t i) {
    std::int32_t n = a.atLeast(i, 0);
    if (static_cast<std::size_t>(n) > kMaxStringLength)
        raise(err::OutOfStringSpace);
    return static_cast<std::size_t>(n);
}

Value spaceFn(Interpreter&, std::span<Value> v) {
    return text(lib::space(builtLength(Args(v), 0)));
}

Value stringFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t n = builtLength(a, 0);
    if (a.isNull(1))
        return Value::null();
    Value c = a.value(1);
    char16_t unit;
    if (c.isString()) {
        if (c.asString().empty())
            invalidArgument();
        unit = c.asString()[0];
    } else {
        unit = static_cast<char16_t>(toLong(c) & 0xFF);
    }
    return text(lib::repeatChar(n, unit));
}

Value chrFn(Interpreter&, std::span<Value> v) {
    std::int32_t code = Args(v).whole(0);
    if (code < 0 || code > 255)
        invalidArgument();
    return text(std::u16string(1, static_cast<char16_t>(code)));
}

Value chrWFn(Interpreter&, std::span<Value> v) {
    std::int32_t code = Args(v).whole(0);
    if (code < -32768 || code > 65535)
        invalidArgument();
    return text(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
}

Value ascFn(Interpreter&, std::span<Value> v) {
    std::u16string s = Args(v).text(0);
    if (s.empty())
        invalidArgument();
    return Value::integer(static_cast<std::int16_t>(s[0]));
}

const Builtin kTable[] = {
    {u"Len", 1, 1, lenFn},
    {u"Left", 2, 2, leftFn},
    {u"Right", 2, 2, rightFn},
    {u"Mid", 2, 3, midFn},
    {u"InStr", 2, 4, inStrFn},
    {u"InStrRev", 2, 4, inStrRevFn},
    {u"Replace", 3, 6, replaceFn},
    {u"Split", 1, 4, splitFn},
    {u"Join", 1, 2, joinFn},
    {u"Filter", 2, 4, filterFn},
    {u"StrComp", 2, 3, strCompFn},
    {u"StrReverse", 1, 1, strReverseFn},
    {u"LCase", 1, 1, textFn<lib::lCase>},
    {u"UCase", 1, 1, textFn<lib::uCase>},
    {u"LTrim", 1, 1, textFn<lib::lTrim>},
    {u"RTrim", 1, 1, textFn<lib::rTrim>},
    {u"Trim", 1, 1, textFn<lib::trim>},
    {u"Escape", 1, 1, textFn<lib::escape>},
    {u"Unescape", 1, 1, textFn<lib::unescape>},
    {u"Space", 1, 1, spaceFn},
    {u"String", 2, 2, stringFn},
    {u"Chr", 1, 1, chrFn},
    {u"ChrW", 1, 1, chrWFn},
    {u"Asc", 1, 1, ascFn},
    {u"AscW", 1, 1, ascFn},
};

} // namespace

std::span<const Builtin> stringBuiltins() {
    return kTable;
}

} // namespace vbs
