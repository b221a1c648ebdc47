// The conversion rules (see convert.h).
#include "vbscript/convert.h"

#include "vbscript/basic_number.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"
#include "vbscript/lib/number_format.h"
#include "vbscript/lib/text_ops.h"

#include <algorithm>
#include <cmath>

namespace vbs {

namespace {

// Currency's range in ten-thousandths: -2^63 up to, not including, 2^63.
constexpr long double kCurrencyLow = -0x1p63L;
constexpr long double kCurrencyPastHigh = 0x1p63L;

// Text that spells a plain decimal number (blanks around it, a sign, digits, a "."
// fraction), read exactly in ten-thousandths, halves to even past the fourth place: a
// Double would lose the last digits of a large Currency. Raises 6 beyond the range;
// nothing for any other text (an exponent, &H), which is read as a Double.
std::optional<std::int64_t> currencyFromDecimalText(std::u16string_view text) {
    auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = !text.empty() && text.front() == u'-';
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+'))
        text.remove_prefix(1);
    // Past 2^64 the number is out of range whatever follows; stop growing there.
    constexpr unsigned __int128 kCap = static_cast<unsigned __int128>(1) << 64;
    unsigned __int128 units = 0;
    std::size_t i = 0, digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        units = std::min(kCap, units * 10 + (text[i] - u'0'));
    int places = 0;
    bool half = false, pastHalf = false;
    if (i < text.size() && text[i] == u'.')
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits) {
            int d = text[i] - u'0';
            if (places < 4) {
                units = std::min(kCap, units * 10 + static_cast<unsigned>(d));
                ++places;
            } else if (places == 4) {
                half = d == 5;
                pastHalf = d > 5;
                ++places;
            } else if (d != 0) {
                pastHalf = pastHalf || half;
                half = false;
            }
        }
    if (digits == 0 || i != text.size())
        return std::nullopt;
    for (; places < 4; ++places)
        units = std::min(kCap, units * 10);
    if (pastHalf || (half && units % 2 == 1))
        ++units;
    unsigned __int128 limit = static_cast<unsigned __int128>(1) << 63;
    if (units > limit || (units == limit && !negative))
        raise(err::Overflow);
    return negative ? static_cast<std::int64_t>(-static_cast<__int128>(units))
                    : static_cast<std::int64_t>(units);
}

// "True" and "False", and the way Booleans are written in files, "#TRUE#" and "#FALSE#".
std::optional<bool> boolFromText(const std::u16string& s) {
    auto t = lib::trim(s);
    if (sameName(t, u"true") || sameName(t, u"#true#"))
        return true;
    if (sameName(t, u"false") || sameName(t, u"#false#"))
        return false;
    return std::nullopt;
}

} // namespace

Value scalar(const Value& v) {
    if (!v.isObject())
        return v;
    if (v.isNothing())
        raise(err::ObjectNotSet);
    Value r = v.asObject()->getProperty(u"", {});
    if (r.isObject())
        raise(err::NoSuchMember);
    return r;
}

Value checkedDouble(double d) {
    if (!std::isfinite(d))
        raise(err::Overflow);
    return Value::dbl(d);
}

Value numeric(const Value& in) {
    Value v = scalar(in);
    switch (v.type()) {
    case Type::Empty:
        return Value::integer(0);
    case Type::String: {
        auto d = basic::parseNumber(v.asString());
        if (!d)
            raise(err::TypeMismatch);
        return checkedDouble(*d);
    }
    case Type::Null:
        return v;
    case Type::Array:
    case Type::Error:
        raise(err::TypeMismatch);
    default:
        return v;
    }
}

double toDouble(const Value& in) {
    Value v = numeric(in);
    switch (v.type()) {
    case Type::Null:
        raise(err::InvalidNull);
    case Type::Boolean:
        return v.asBool() ? -1 : 0;
    case Type::Byte:
        return v.asByte();
    case Type::Integer:
        return v.asInteger();
    case Type::Long:
        return v.asLong();
    case Type::Single:
        return v.asSingle();
    case Type::Currency:
        return static_cast<double>(v.asCurrency()) / 10000.0;
    default:
        return v.asDouble();
    }
}

std::int32_t toLong(const Value& v) {
    if (v.type() == Type::Long)
        return v.asLong();
    if (v.type() == Type::Integer)
        return v.asInteger();
    auto r = basic::toLong(toDouble(v));
    if (!r)
        raise(err::Overflow);
    return *r;
}

std::int16_t toInteger(const Value& v) {
    if (v.type() == Type::Integer)
        return v.asInteger();
    auto r = basic::toInteger(toDouble(v));
    if (!r)
        raise(err::Overflow);
    return *r;
}

std::uint8_t toByte(const Value& v) {
    double d = basic::roundHalfEven(toDouble(v));
    if (!(d >= 0 && d <= 255))
        raise(err::Overflow);
    return static_cast<std::uint8_t>(d);
}

std::int64_t toCurrency(const Value& in) {
    Value v = scalar(in);
    if (v.isString())
        if (auto exact = currencyFromDecimalText(v.asString()))
            return *exact;
    v = numeric(v);
    if (v.type() == Type::Currency)
        return v.asCurrency();
    // Scaled with a wider fraction than a Double's, so that a whole number stays exact,
    // and checked on the very value converted: 922337203685477.5807 reads as a Double
    // just above the largest Currency.
    long double scaled = std::nearbyint(static_cast<long double>(toDouble(v)) * 10000.0L);
    if (!(scaled >= kCurrencyLow && scaled < kCurrencyPastHigh))
        raise(err::Overflow);
    return static_cast<std::int64_t>(scaled);
}

double toDate(const Value& in) {
    Value v = scalar(in);
    if (v.type() == Type::Date)
        return v.asDouble();
    if (v.isString()) {
        if (auto d = dateFromText(v.asString()))
            return *d;
        raise(err::TypeMismatch);
    }
    return toDouble(v);
}

bool toBool(const Value& in) {
    Value v = scalar(in);
    switch (v.type()) {
    case Type::Boolean:
        return v.asBool();
    case Type::String: {
        if (auto b = boolFromText(v.asString()))
            return *b;
        return toDouble(v) != 0;
    }
    default:
        return toDouble(v) != 0;
    }
}

std::u16string toText(const Value& in) {
    Value v = scalar(in);
    switch (v.type()) {
    case Type::Empty:
        return {};
    case Type::Null:
        raise(err::InvalidNull);
    case Type::Boolean:
        return v.asBool() ? u"True" : u"False";
    case Type::Byte:
        return lib::widen(basic::decimalText(v.asByte()));
    case Type::Integer:
        return lib::widen(basic::decimalText(v.asInteger()));
    case Type::Long:
        return lib::widen(basic::decimalText(v.asLong()));
    case Type::Single:
        return lib::singleText(v.asSingle());
    case Type::Double:
        return lib::doubleText(v.asDouble());
    case Type::Currency:
        return lib::currencyText(v.asCurrency());
    case Type::Date:
        return dateText(v.asDouble());
    case Type::String:
        return v.asString();
    case Type::Error:
        return u"Error " + lib::widen(basic::decimalText(v.asError()));
    default:
        raise(err::TypeMismatch);
    }
}

std::u16string concatText(const Value& v) {
    if (v.isNull())
        return {};
    return toText(v);
}

bool looksNumeric(const Value& v) {
    switch (v.type()) {
    case Type::Empty:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Boolean:
        return true;
    case Type::String:
        return basic::parseNumber(v.asString()).has_value();
    default:
        return false;
    }
}

std::u16string typeName(const Value& v) {
    switch (v.type()) {
    case Type::Empty:
        return u"Empty";
    case Type::Null:
        return u"Null";
    case Type::Integer:
        return u"Integer";
    case Type::Long:
        return u"Long";
    case Type::Single:
        return u"Single";
    case Type::Double:
        return u"Double";
    case Type::Currency:
        return u"Currency";
    case Type::Date:
        return u"Date";
    case Type::String:
        return u"String";
    case Type::Boolean:
        return u"Boolean";
    case Type::Byte:
        return u"Byte";
    case Type::Error:
        return u"Error";
    case Type::Array:
        return u"Variant()";
    case Type::Object:
        return v.isNothing() ? u"Nothing" : v.asObject()->typeName();
    }
    return u"Unknown";
}

} // namespace vbs
