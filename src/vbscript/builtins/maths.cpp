// Mathematical built-ins: Sqr, Exp, Log, the trigonometric functions, Rnd and Randomize.
#include "vbscript/builtins/args.h"
#include "vbscript/builtins/builtin.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/interpreter.h"

#include <cfloat>
#include <cmath>

namespace vbs {

namespace {

// A function of one Double: Null gives Null; `valid` rejects arguments outside its domain.
template <double (*F)(double), bool (*Valid)(double)> Value real(Interpreter&, std::span<Value> v) {
    Value x = numeric(v[0]);
    if (x.isNull())
        return x;
    double d = toDouble(x);
    if (!Valid(d))
        invalidArgument();
    return checkedDouble(F(d));
}

bool any(double) {
    return true;
}
bool nonNegative(double d) {
    return d >= 0;
}
bool positive(double d) {
    return d > 0;
}
double sqrtD(double d) {
    return std::sqrt(d);
}
double expD(double d) {
    return std::exp(d);
}
double logD(double d) {
    return std::log(d);
}
double sinD(double d) {
    return std::sin(d);
}
double cosD(double d) {
    return std::cos(d);
}
double tanD(double d) {
    return std::tan(d);
}
double atnD(double d) {
    return std::atan(d);
}

Value rndFn(Interpreter& in, std::span<Value> v) {
    Args a(v);
    if (!a.given(0))
        return Value::single(in.random().next());
    double seed = a.number(0);
    if (std::fabs(seed) > FLT_MAX)
        raise(err::Overflow);
    return Value::single(in.random().rnd(static_cast<float>(seed)));
}

Value randomizeFn(Interpreter& in, std::span<Value> v) {
    Args a(v);
    if (a.given(0))
        in.random().randomize(a.number(0));
    else
        in.random().randomizeFromTimer();
    return Value();
}

const Builtin kTable[] = {
    {u"Sqr", 1, 1, real<sqrtD, nonNegative>}, {u"Exp", 1, 1, real<expD, any>},
    {u"Log", 1, 1, real<logD, positive>},     {u"Sin", 1, 1, real<sinD, any>},
    {u"Cos", 1, 1, real<cosD, any>},          {u"Tan", 1, 1, real<tanD, any>},
    {u"Atn", 1, 1, real<atnD, any>},          {u"Rnd", 0, 1, rndFn},
    {u"Randomize", 0, 1, randomizeFn},
};

} // namespace

std::span<const Builtin> mathBuiltins() {
    return kTable;
}

} // namespace vbs
