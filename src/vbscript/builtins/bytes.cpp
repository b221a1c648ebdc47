// Byte built-ins: LenB, LeftB, RightB, MidB, AscB, ChrB and InStrB, which see a string as
// the bytes of its 16-bit units, low byte first ("A" is the bytes 65, 0). Each is its
// string built-in (Len, Left, ...) run on a string holding one unit per byte, so the
// rules for arguments, Null and empty strings are the same. A string holds whole units,
// so a byte count that comes out odd is made whole with a zero byte: ChrB(65) is the one
// unit 65 (LenB 2), and LeftB("AB", 3) is "A" and the unit 66.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/lib/text_ops.h"

#include <initializer_list>
#include <vector>

namespace vbs {

namespace {

std::u16string byteUnits(std::u16string_view text) {
    std::string bytes = lib::utf16ToLittleEndian(text);
    return std::u16string(reinterpret_cast<const unsigned char*>(bytes.data()),
                          reinterpret_cast<const unsigned char*>(bytes.data() + bytes.size()));
}

std::u16string fromByteUnits(std::u16string_view units) {
    std::string bytes(units.begin(), units.end()); // every unit holds one byte
    std::u16string text = lib::littleEndianToUtf16(bytes);
    if (bytes.size() % 2 != 0)
        text.push_back(units.back());
    return text;
}

// Runs the string built-in `name` with the arguments at `texts` as byte units (their
// lower-case forms when `lowerCase`), and a String result back as text when `resultIsText`.
Value onBytes(Interpreter& in, const char16_t* name, std::span<Value> v,
              std::initializer_list<std::size_t> texts, bool resultIsText, bool lowerCase = false) {
    Args a(v);
    std::vector<Value> args(v.begin(), v.end());
    for (std::size_t i : texts)
        if (i < args.size() && a.given(i) && !a.isNull(i))
            args[i] = Value::string(byteUnits(lowerCase ? lib::lCase(a.text(i)) : a.text(i)));
    Value result = findBuiltin(name)->fn(in, args);
    if (resultIsText && result.isString())
        return Value::string(fromByteUnits(result.asString()));
    return result;
}

Value lenBFn(Interpreter& in, std::span<Value> v) {
    return onBytes(in, u"len", v, {0}, false);
}
Value leftBFn(Interpreter& in, std::span<Value> v) {
    return onBytes(in, u"left", v, {0}, true);
}
Value rightBFn(Interpreter& in, std::span<Value> v) {
    return onBytes(in, u"right", v, {0}, true);
}
Value midBFn(Interpreter& in, std::span<Value> v) {
    return onBytes(in, u"mid", v, {0}, true);
}
Value ascBFn(Interpreter& in, std::span<Value> v) {
    return onBytes(in, u"asc", v, {0}, false);
}
Value chrBFn(Interpreter& in, std::span<Value> v) {
    return onBytes(in, u"chr", v, {}, true);
}

// InStrB([start,] text, find[, compare]): vbTextCompare compares the texts' lower-case
// forms byte for byte.
Value inStrBFn(Interpreter& in, std::span<Value> v) {
    const std::size_t first = v.size() >= 3 ? 1 : 0;
    Args a(v);
    if (a.compareMode(first + 2) == lib::CompareMode::Binary)
        return onBytes(in, u"instr", v, {first, first + 1}, false);
    std::vector<Value> args(v.begin(), v.end());
    args[first + 2] = Value::integer(0);
    return onBytes(in, u"instr", args, {first, first + 1}, false, true);
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
