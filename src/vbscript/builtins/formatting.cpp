// Formatting built-ins: FormatNumber, FormatPercent, FormatCurrency and FormatDateTime.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/date_ops.h"
#include "vbscript/lib/number_format.h"

namespace vbs {

namespace {

lib::Tristate tristate(const Args& a, std::size_t i) {
    int t = a.whole(i, -2);
    if (t != -1 && t != 0 && t != -2)
        invalidArgument();
    return static_cast<lib::Tristate>(t);
}

lib::NumberFormat numberFormat(const Args& a) {
    lib::NumberFormat f;
    f.digitsAfterDecimal = a.whole(1, -1);
    if (f.digitsAfterDecimal < -1)
        invalidArgument();
    f.includeLeadingDigit = tristate(a, 2);
    f.useParensForNegative = tristate(a, 3);
    f.groupDigits = tristate(a, 4);
    return f;
}

Value formatNumberFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    return Value::string(lib::formatNumber(a.number(0), numberFormat(a)));
}

Value formatPercentFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    return Value::string(lib::formatPercent(a.number(0), numberFormat(a)));
}

Value formatCurrencyFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    return Value::string(lib::formatCurrency(a.number(0), numberFormat(a)));
}

Value formatDateTimeFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        raise(err::TypeMismatch);
    int format = a.whole(1, 0);
    if (format < 0 || format > 4)
        invalidArgument();
    double serial = toDate(v[0]);
    if (!lib::isValidSerial(serial))
        invalidArgument();
    return Value::string(lib::formatDateTime(serial, static_cast<lib::DateFormat>(format)));
}

const Builtin kTable[] = {
    {u"FormatNumber", 1, 5, formatNumberFn},
    {u"FormatPercent", 1, 5, formatPercentFn},
    {u"FormatCurrency", 1, 5, formatCurrencyFn},
    {u"FormatDateTime", 1, 2, formatDateTimeFn},
};

} // namespace

std::span<const Builtin> formatBuiltins() {
    return kTable;
}

} // namespace vbs
