// Array built-ins (Array, UBound, LBound, IsArray) and the tests of a value's kind
// (IsEmpty, IsNull, IsNumeric, IsDate, IsObject, TypeName, VarType).
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"

namespace vbs {

namespace {

Value arrayFn(Interpreter&, std::span<Value> v) {
    return Value::array(Array::fromValues(std::vector<Value>(v.begin(), v.end())));
}

Value bound(std::span<Value> v, bool upper) {
    Args a(v);
    if (!v[0].isArray())
        raise(v[0].isNull() ? err::InvalidNull : err::TypeMismatch);
    const Array& arr = *v[0].asArray();
    std::int32_t dim = a.whole(1, 1);
    if (dim < 1 || static_cast<std::size_t>(dim) > arr.dimensions())
        raise(err::SubscriptOutOfRange);
    return Value::longValue(upper ? arr.upperBound(static_cast<std::size_t>(dim - 1)) : 0);
}

Value uBoundFn(Interpreter&, std::span<Value> v) {
    return bound(v, true);
}
Value lBoundFn(Interpreter&, std::span<Value> v) {
    return bound(v, false);
}
Value isArrayFn(Interpreter&, std::span<Value> v) {
    return Value::boolean(v[0].isArray());
}
Value isEmptyFn(Interpreter&, std::span<Value> v) {
    return Value::boolean(v[0].isEmpty());
}
Value isNullFn(Interpreter&, std::span<Value> v) {
    return Value::boolean(v[0].isNull());
}
Value isObjectFn(Interpreter&, std::span<Value> v) {
    return Value::boolean(v[0].isObject());
}

Value isNumericFn(Interpreter&, std::span<Value> v) {
    Value x = v[0].isObject() && !v[0].isNothing() ? scalar(v[0]) : v[0];
    return Value::boolean(x.type() != Type::Date && looksNumeric(x));
}

Value isDateFn(Interpreter&, std::span<Value> v) {
    const Value& x = v[0];
    if (x.type() == Type::Date)
        return Value::boolean(true);
    return Value::boolean(x.isString() && dateFromText(x.asString()).has_value());
}

Value typeNameFn(Interpreter&, std::span<Value> v) {
    return Value::string(typeName(v[0]));
}

Value varTypeFn(Interpreter&, std::span<Value> v) {
    return Value::integer(static_cast<std::int16_t>(v[0].type()));
}

const Builtin kArrays[] = {
    {u"Array", 0, Builtin::kAnyCount, arrayFn},
    {u"UBound", 1, 2, uBoundFn},
    {u"LBound", 1, 2, lBoundFn},
    {u"IsArray", 1, 1, isArrayFn},
};

const Builtin kTypes[] = {
    {u"IsEmpty", 1, 1, isEmptyFn},     {u"IsNull", 1, 1, isNullFn},
    {u"IsNumeric", 1, 1, isNumericFn}, {u"IsDate", 1, 1, isDateFn},
    {u"IsObject", 1, 1, isObjectFn},   {u"TypeName", 1, 1, typeNameFn},
    {u"VarType", 1, 1, varTypeFn},
};

} // namespace

std::span<const Builtin> arrayBuiltins() {
    return kArrays;
}
std::span<const Builtin> typeBuiltins() {
    return kTypes;
}

} // namespace vbs
