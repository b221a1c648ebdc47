// The conversion rules (see convert.h).
#include "vbscript/convert.h"

#include "vbscript/basic_number.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"
#include "vbscript/lib/number_format.h"
#include "vbscript/lib/text_ops.h"

#include <cmath>

namespace vbs {

namespace {

// Currency's range in ten-thousandths, as Doubles: -2^63 up to, not including, 2^63
// (both exact; the largest int64 itself is not a Double).
constexpr double kCurrencyLow = -0x1p63;
constexpr double kCurrencyPastHigh = 0x1p63;

std::optional<bool> boolFromText(const std::u16string& s) {
    auto t = lib::trim(s);
    if (sameName(t, u"true"))
        return true;
    if (sameName(t, u"false"))
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
    Value v = numeric(in);
    if (v.type() == Type::Currency)
        return v.asCurrency();
    // Checked after scaling, on the very value converted: the largest Currency is no
    // Double, and 922337203685477.5807 reads as a Double just above it.
    double scaled = basic::roundHalfEven(toDouble(v) * 10000.0);
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
