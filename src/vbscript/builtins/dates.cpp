// Date and time built-ins: the clock, DateSerial and TimeSerial, DateAdd, DateDiff,
// DatePart, the parts of a date, and month and weekday names.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/date_ops.h"

#include <cmath>

namespace vbs {

namespace {

Value dateOrInvalid(std::optional<double> serial) {
    if (!serial)
        invalidArgument();
    return Value::date(*serial);
}

// A date argument: a Date, a number or date text (13 when it is none of these).
double dateArg(const Args& a, std::size_t i) {
    double serial = toDate(a.raw(i));
    if (!lib::isValidSerial(serial))
        invalidArgument();
    return serial;
}

int dayOfWeekArg(const Args& a, std::size_t i) {
    int d = a.whole(i, lib::kSunday);
    if (d < 0 || d > 7)
        invalidArgument();
    return d == 0 ? lib::kSunday : d;
}

int weekOfYearArg(const Args& a, std::size_t i) {
    int w = a.whole(i, lib::kFirstJan1);
    if (w < 0 || w > 3)
        invalidArgument();
    return w == 0 ? lib::kFirstJan1 : w;
}

Value nowFn(Interpreter&, std::span<Value>) {
    return Value::date(lib::nowSerial());
}
Value dateFn(Interpreter&, std::span<Value>) {
    return Value::date(lib::todaySerial());
}
Value timeFn(Interpreter&, std::span<Value>) {
    return Value::date(lib::timeSerialNow());
}
Value timerFn(Interpreter&, std::span<Value>) {
    return Value::single(static_cast<float>(lib::timerSeconds()));
}

Value dateSerialFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    return dateOrInvalid(lib::dateSerial(a.whole(0), a.whole(1), a.whole(2)));
}

Value timeSerialFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    return dateOrInvalid(lib::timeSerial(a.whole(0), a.whole(1), a.whole(2)));
}

Value dateValueFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    return Value::date(std::floor(dateArg(a, 0)));
}

Value timeValueFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    double serial = dateArg(a, 0);
    return Value::date(std::fabs(serial - std::trunc(serial)));
}

Value dateAddFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(2))
        return Value::null();
    // Halves away from zero; dateAdd refuses a count beyond any date.
    double n = std::round(a.number(1));
    return dateOrInvalid(lib::dateAdd(a.text(0), n, dateArg(a, 2)));
}

Value dateDiffFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(1) || a.isNull(2))
        return Value::null();
    auto d = lib::dateDiff(a.text(0), dateArg(a, 1), dateArg(a, 2), dayOfWeekArg(a, 3),
                           weekOfYearArg(a, 4));
    if (!d)
        invalidArgument();
    if (*d < INT32_MIN || *d > INT32_MAX)
        raise(err::Overflow);
    return Value::longValue(static_cast<std::int32_t>(*d));
}

Value datePartFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(1))
        return Value::null();
    auto p = lib::datePart(a.text(0), dateArg(a, 1), dayOfWeekArg(a, 2), weekOfYearArg(a, 3));
    if (!p)
        invalidArgument();
    return Value::integer(static_cast<std::int16_t>(*p));
}

// Year, Month, Day, Hour, Minute and Second: Null gives Null.
template <int lib::DateTimeParts::*Part> Value partFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    return Value::integer(static_cast<std::int16_t>(lib::splitSerial(dateArg(a, 0)).*Part));
}

Value weekdayFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    if (a.isNull(0))
        return Value::null();
    return Value::integer(
        static_cast<std::int16_t>(lib::weekday(dateArg(a, 0), dayOfWeekArg(a, 1))));
}

Value monthNameFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    int m = a.whole(0);
    if (m < 1 || m > 12)
        invalidArgument();
    return Value::string(lib::monthName(m, a.given(1) && toBool(v[1])));
}

Value weekdayNameFn(Interpreter&, std::span<Value> v) {
    Args a(v);
    int d = a.whole(0);
    if (d < 1 || d > 7)
        invalidArgument();
    return Value::string(lib::weekdayName(d, a.given(1) && toBool(v[1]), dayOfWeekArg(a, 2)));
}

const Builtin kTable[] = {
    {u"Now", 0, 0, nowFn},
    {u"Date", 0, 0, dateFn},
    {u"Time", 0, 0, timeFn},
    {u"Timer", 0, 0, timerFn},
    {u"DateSerial", 3, 3, dateSerialFn},
    {u"TimeSerial", 3, 3, timeSerialFn},
    {u"DateValue", 1, 1, dateValueFn},
    {u"TimeValue", 1, 1, timeValueFn},
    {u"DateAdd", 3, 3, dateAddFn},
    {u"DateDiff", 3, 5, dateDiffFn},
    {u"DatePart", 2, 4, datePartFn},
    {u"Year", 1, 1, partFn<&lib::DateTimeParts::year>},
    {u"Month", 1, 1, partFn<&lib::DateTimeParts::month>},
    {u"Day", 1, 1, partFn<&lib::DateTimeParts::day>},
    {u"Hour", 1, 1, partFn<&lib::DateTimeParts::hour>},
    {u"Minute", 1, 1, partFn<&lib::DateTimeParts::minute>},
    {u"Second", 1, 1, partFn<&lib::DateTimeParts::second>},
    {u"Weekday", 1, 2, weekdayFn},
    {u"MonthName", 1, 2, monthNameFn},
    {u"WeekdayName", 1, 3, weekdayNameFn},
};

} // namespace

std::span<const Builtin> dateBuiltins() {
    return kTable;
}

} // namespace vbs
