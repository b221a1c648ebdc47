// The Variant: every value a script handles. A Value is a type tag, an inline number
// (so numbers, Booleans and dates never touch the heap) and one counted pointer for the
// kinds that live on the heap: strings (shared, so copying a string is a count
// increment, and changed in place only by appendText while unshared), arrays (copied on
// write, which gives arrays their value semantics: `b = a` copies) and objects (Nothing
// is an Object with no pointer). The tags carry the numbers VarType returns.
#pragma once

#include "vbscript/ref.h"

#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vbs {

enum class Type : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Byte = 17,
    Array = 8204, // vbArray + vbVariant: arrays hold Variants
};

class HostObject;
class Array;
class Value;

// Strings longer than this (in 16-bit units, 256 MiB) are refused with "Out of string
// space": a doubling loop would otherwise take all the machine's memory before failing.
constexpr std::size_t kMaxStringLength = std::size_t{1} << 27;

struct StringCell : RefCounted {
    explicit StringCell(std::u16string t) : text(std::move(t)) {}
    std::u16string text;
};

class Value {
public:
    Value() : type_(Type::Empty) { n_.i64 = 0; }

    static Value null();
    // The commonest numbers are made inline: arithmetic makes one per operation.
    static Value boolean(bool b) { return Value(Type::Boolean, b ? 1 : 0); }
    static Value byte(std::uint8_t v);
    static Value integer(std::int16_t x) {
        return Value(Type::Integer, static_cast<std::uint16_t>(x));
    }
    static Value longValue(std::int32_t x) {
        return Value(Type::Long, static_cast<std::uint32_t>(x));
    }
    static Value single(float v);
    static Value dbl(double x) {
        Value v(Type::Double);
        v.n_.d = x;
        return v;
    }
    // Currency is held as a count of ten-thousandths.
    static Value currency(std::int64_t scaled);
    static Value date(double serial);
    static Value string(std::u16string text);
    static Value string(const char16_t* text) { return string(std::u16string(text)); }
    static Value object(Ref<HostObject> obj);
    static Value nothing();
    static Value error(std::int32_t code);
    static Value array(Ref<Array> arr);
    // A number held inline, given as its type and 64 bits (see the constructor below).
    static Value inlineNumber(Type t, std::uint64_t bits) { return Value(t, bits); }

    Type type() const { return type_; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNull() const { return type_ == Type::Null; }
    bool isString() const { return type_ == Type::String; }
    bool isObject() const { return type_ == Type::Object; }
    bool isNothing() const { return type_ == Type::Object && !heap_; }
    bool isArray() const { return type_ == Type::Array; }
    // Byte, Integer, Long, Single, Double, Currency, Date and Boolean.
    bool isNumeric() const;

    bool asBool() const { return n_.b; }
    std::uint8_t asByte() const { return n_.u8; }
    std::int16_t asInteger() const { return n_.i16; }
    std::int32_t asLong() const { return n_.i32; }
    float asSingle() const { return n_.f; }
    double asDouble() const { return n_.d; } // Double and Date
    std::int64_t asCurrency() const { return n_.i64; }
    std::int32_t asError() const { return n_.i32; }
    const std::u16string& asString() const;
    HostObject* asObject() const;
    Array* asArray() const;
    // The array for writing: unshared first, so other holders keep their copy.
    Array& mutableArray();
    // Appends to a String: in place when no one else holds the text (so a loop of
    // `s = s & x` grows one buffer instead of copying it each time), else into a new one.
    // Raises 14 past kMaxStringLength.
    void appendText(std::u16string_view tail);
    // Makes the value Empty.
    void clear() noexcept { setInline(Type::Empty, 0); }
    // Makes the value one held inline with its 64 bits (see the constructor below); the
    // cell it held, if any, goes last.
    void setInline(Type t, std::uint64_t bits) noexcept {
        type_ = t;
        n_.i64 = static_cast<std::int64_t>(bits);
        heap_.reset();
    }
    // Whether both hold the same heap cell (or both none).
    bool sharesCell(const Value& other) const { return heap_ == other.heap_; }

private:
    explicit Value(Type t) : type_(t) { n_.i64 = 0; }
    // A number narrower than 64 bits is stored with one 64-bit write of its bits, zero
    // above them: a narrow write after a wide one makes the next copy of the value, which
    // reads all 64 bits, wait until both writes have landed.
    Value(Type t, std::uint64_t bits) : type_(t) { n_.i64 = static_cast<std::int64_t>(bits); }
    static_assert(std::endian::native == std::endian::little,
                  "narrow numbers are read from the low bytes of their 64-bit store");

    Type type_;
    union {
        bool b;
        std::uint8_t u8;
        std::int16_t i16;
        std::int32_t i32;
        float f;
        double d;
        std::int64_t i64;
    } n_;
    Ref<RefCounted> heap_;
};

// A script array: fixed (declared with bounds) or dynamic (ReDim), up to
// kMaxArrayDimensions dimensions, every lower bound 0. Elements are stored with the first
// subscript varying fastest, so ReDim Preserve (which may only change the last dimension)
// keeps every element at its index by growing or cutting the tail.
class Array : public RefCounted {
public:
    // The language allows 60 dimensions.
    static constexpr std::size_t kMaxArrayDimensions = 60;
    // Above this many elements an array is refused with "Out of memory" rather than
    // letting one ReDim take the process's memory (a quarter of a gigabyte of Variants).
    static constexpr std::uint64_t kMaxElements = 1ull << 24;

    Array() = default;
    // Raises 7 when the size is absurd, 9 when a bound is below -1.
    Array(std::vector<std::int32_t> upperBounds, bool fixed);
    static Ref<Array> fromValues(std::vector<Value> values);

    std::size_t dimensions() const { return upper_.size(); }
    std::int32_t upperBound(std::size_t dim) const { return upper_[dim]; }
    bool fixed() const { return fixed_; }
    std::size_t size() const { return data_.size(); }
    std::vector<Value>& elements() { return data_; }
    const std::vector<Value>& elements() const { return data_; }

    // Raises 9 for a wrong number of subscripts or one out of its range.
    Value& at(std::span<const std::int32_t> subscripts);
    Value& at(std::int32_t subscript) {
        if (upper_.size() == 1 && subscript >= 0 && subscript <= upper_[0])
            return data_[static_cast<std::size_t>(subscript)];
        return at({&subscript, 1});
    }
    // ReDim Preserve: only the last dimension may change (else 9). Growing one element
    // at a time is linear overall, as the storage grows by doubling. Returns the elements
    // cut off: letting go of a value may run script code (Class_Terminate), which must
    // find the array whole, so the caller lets go of them once it no longer uses the
    // array.
    [[nodiscard]] std::vector<Value> resizePreserving(const std::vector<std::int32_t>& upperBounds);
    // Erase of a fixed array: every element Empty. Returns the old values, for the caller
    // to let go of as above.
    [[nodiscard]] std::vector<Value> emptyElements();

private:
    // The number of elements of an array with these upper bounds; raises 9 for too many
    // dimensions or a bound below -1, 7 for an absurd size.
    static std::size_t elementCount(const std::vector<std::int32_t>& upperBounds);

    std::vector<std::int32_t> upper_;
    std::vector<Value> data_;
    bool fixed_ = false;
};

} // namespace vbs
