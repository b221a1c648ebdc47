// Conversion built-ins: CBool ... CStr, Int, Fix, Round, Abs, Sgn, Hex, Oct.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/date_ops.h"
#include "vbscript/lib/number_format.h"
#include "vbscript/operators.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace vbs {

namespace {

Value nonNull(const Args& a) {
    Value v = a.value(0);
    if (v.isNull())
        raise(err::InvalidNull);
    return v;
}

Value cBool(Interpreter&, std::span<Value> v) {
    return Value::boolean(toBool(nonNull(Args(v))));
}
Value cByte(Interpreter&, std::span<Value> v) {
    return Value::byte(toByte(nonNull(Args(v))));
}
Value cCur(Interpreter&, std::span<Value> v) {
    return Value::currency(toCurrency(nonNull(Args(v))));
}
Value cDbl(Interpreter&, std::span<Value> v) {
    return Value::dbl(toDouble(nonNull(Args(v))));
}
Value cInt(Interpreter&, std::span<Value> v) {
    return Value::integer(toInteger(nonNull(Args(v))));
}
Value cLng(Interpreter&, std::span<Value> v) {
    return Value::longValue(toLong(nonNull(Args(v))));
}
Value cStr(Interpreter&, std::span<Value> v) {
    return Value::string(toText(nonNull(Args(v))));
}

Value cSng(Interpreter&, std::span<Value> v) {
    double d = toDouble(nonNull(Args(v)));
    if (std::fabs(d) > FLT_MAX)
        raise(err::Overflow);
    return Value::single(static_cast<float>(d));
}

Value cDate(Interpreter&, std::span<Value> v) {
    Value x = nonNull(Args(v));
    double serial = toDate(x);
    if (!lib::isValidSerial(serial))
        raise(x.isString() ? err::TypeMismatch : err::Overflow);
    return Value::date(serial);
}

// Int and Fix keep the argument's numeric type; text becomes a Double.
Value wholePart(const Value& in, bool towardZero) {
    Value v = numeric(in);
    auto cut = [&](double d) { return towardZero ? std::trunc(d) : std::floor(d); };
    switch (v.type()) {
    case Type::Null:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
        return v;
    case Type::Boolean:
        return Value::integer(v.asBool() ? -1 : 0);
    case Type::Single:
        return Value::single(static_cast<float>(cut(v.asSingle())));
    case Type::Currency: {
        // In whole ten-thousandths: a Double cannot hold every Currency.
        std::int64_t units = v.asCurrency() / 10000;
        if (!towardZero && v.asCurrency() % 10000 < 0) {
            if (units == std::numeric_limits<std::int64_t>::min() / 10000)
                raise(err::Overflow); // the next whole number down is no Currency
            --units;
        }
        return Value::currency(units * 10000);
    }
    case Type::Date:
        return Value::date(cut(v.asDouble()));
    default:
        return Value::dbl(cut(v.asDouble()));
    }
}

Value intFn(Interpreter&, std::span<Value> v) {
    return wholePart(v[0], false);
}
Value fixFn(Interpreter&, std::span<Value> v) {
    return wholePart(v[0], true);
}

Value roundFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    Value x = numeric(v[0]);
    if (x.isNull())
        return x;
    int decimals = a.whole(1, 0);
    if (decimals < 0)
        invalidArgument();
    switch (x.type()) {
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
        return x;
    case Type::Boolean:
        return Value::integer(x.asBool() ? -1 : 0);
    case Type::Single:
        return Value::single(static_cast<float>(lib::roundTo(x.asSingle(), decimals)));
    case Type::Currency:
        return Value::currency(toCurrency(
            Value::dbl(lib::roundTo(static_cast<double>(x.asCurrency()) / 10000.0, decimals))));
    default:
        return Value::dbl(lib::roundTo(x.asDouble(), decimals));
    }
}

Value absFn(Interpreter&, std::span<Value> v) {
    Value x = numeric(v[0]);
    if (x.isNull())
        return x;
    if (x.type() == Type::Boolean)
        x = Value::integer(x.asBool() ? -1 : 0);
    return toDouble(x) < 0 ? unaryOp(ast::Op::Neg, x) : x;
}

Value sgnFn(Interpreter&, std::span<Value> v) {
    Value x = numeric(v[0]);
    if (x.isNull())
        return x;
    double d = toDouble(x);
    return Value::integer(static_cast<std::int16_t>(d < 0 ? -1 : d > 0 ? 1 : 0));
}

Value radixText(std::span<Value> v, std::u16string (*format)(std::int32_t, int)) {
    Value x = numeric(v[0]);
    if (x.isNull())
        return x;
    bool narrow = x.type() == Type::Byte || x.type() == Type::Integer || x.type() == Type::Boolean;
    return Value::string(format(toLong(x), narrow ? 16 : 32));
}

Value hexFn(Interpreter&, std::span<Value> v) {
    return radixText(v, lib::hexText);
}
Value octFn(Interpreter&, std::span<Value> v) {
    return radixText(v, lib::octText);
}

const Builtin kTable[] = {
    {u"CBool", 1, 1, cBool}, {u"CByte", 1, 1, cByte}, {u"CCur", 1, 1, cCur},
    {u"CDate", 1, 1, cDate}, {u"CDbl", 1, 1, cDbl},   {u"CInt", 1, 1, cInt},
    {u"CLng", 1, 1, cLng},   {u"CSng", 1, 1, cSng},   {u"CStr", 1, 1, cStr},
    {u"Int", 1, 1, intFn},   {u"Fix", 1, 1, fixFn},   {u"Round", 1, 2, roundFn},
    {u"Abs", 1, 1, absFn},   {u"Sgn", 1, 1, sgnFn},   {u"Hex", 1, 1, hexFn},
    {u"Oct", 1, 1, octFn},
};

} // namespace

std::span<const Builtin> conversionBuiltins() {
    return kTable;
}

} // namespace vbs
