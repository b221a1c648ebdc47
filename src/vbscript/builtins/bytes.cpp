// Byte built-ins: LenB, LeftB, RightB, MidB, AscB, ChrB and InStrB, which see a string as
// the bytes of its 16-bit units, low byte first ("A" is the bytes 65, 0). A string holds
// whole units, so a byte count that comes out odd is made whole with a zero byte: ChrB(65)
// is the one unit 65 (LenB 2), and LeftB("AB", 3) is "A" and the unit 66.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/errors.h"

namespace vbs {

namespace {

std::string bytesOf(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

Value textOfBytes(std::string_view bytes) {
    std::u16string text;
    text.reserve((bytes.size() + 1) / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        unsigned low = static_cast<unsigned char>(bytes[i]);
        unsigned high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return Value::string(std::move(text));
}

std::size_t byteCount(const Args& a, std::size_t i) {
    return static_cast<std::size_t>(a.atLeast(i, 0));
}

Value lenBFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    return Value::longValue(static_cast<std::int32_t>(a.text(0).size() * 2));
}

Value leftBFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t n = byteCount(a, 1);
    if (a.isNull(0))
        return Value::null();
    return textOfBytes(bytesOf(a.text(0)).substr(0, n));
}

Value rightBFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t n = byteCount(a, 1);
    if (a.isNull(0))
        return Value::null();
    std::string bytes = bytesOf(a.text(0));
    return textOfBytes(n >= bytes.size() ? bytes : bytes.substr(bytes.size() - n));
}

Value midBFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    std::size_t start = static_cast<std::size_t>(a.atLeast(1, 1));
    std::size_t n = a.given(2) ? byteCount(a, 2) : std::string::npos;
    if (a.isNull(0))
        return Value::null();
    std::string bytes = bytesOf(a.text(0));
    if (start > bytes.size())
        return Value::string(u"");
    return textOfBytes(bytes.substr(start - 1, n));
}

Value ascBFn(Interpreter&, std::span<Value> v) {
    const std::u16string& s = Args(v).text(0);
    if (s.empty())
        invalidArgument();
    return Value::integer(static_cast<std::int16_t>(s[0] & 0xFF));
}

Value chrBFn(Interpreter&, std::span<Value> v) {
    std::int32_t code = Args(v).whole(0);
    if (code < 0 || code > 255)
        invalidArgument();
    return Value::string(std::u16string(1, static_cast<char16_t>(code)));
}

// InStrB([start,] text, find[, compare]): the byte position of find's bytes in text's,
// from byte `start` on; the same rules as InStr for empty strings and Null.
Value inStrBFn(Interpreter&, std::span<Value> v) {
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
    bool ignoreCase = a.compareMode(first + 2) == lib::CompareMode::Text;
    auto bytes = [&](std::size_t i) {
        return bytesOf(ignoreCase ? lib::lCase(a.text(i)) : a.text(i));
    };
    std::string text = bytes(first), find = bytes(first + 1);
    if (text.empty())
        return Value::longValue(0);
    if (find.empty())
        return Value::longValue(start <= text.size() + 1 ? static_cast<std::int32_t>(start) : 0);
    std::size_t at = start - 1 < text.size() ? text.find(find, start - 1) : std::string::npos;
    return Value::longValue(at == std::string::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

const Builtin kTable[] = {
    {u"LenB", 1, 1, lenBFn},     {u"LeftB", 2, 2, leftBFn}, {u"RightB", 2, 2, rightBFn},
    {u"MidB", 2, 3, midBFn},     {u"AscB", 1, 1, ascBFn},   {u"ChrB", 1, 1, chrBFn},
    {u"InStrB", 2, 4, inStrBFn},
};

} // namespace

std::span<const Builtin> byteBuiltins() {
    return kTable;
}

} // namespace vbs
