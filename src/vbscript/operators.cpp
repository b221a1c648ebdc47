// The operators (see operators.h).
#include "vbscript/operators.h"

#include "vbscript/basic_number.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"
#include "vbscript/lib/date_ops.h"
#include "vbscript/lib/text_ops.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace vbs {

using ast::Op;

namespace {

// Promotion ranks, least to most precise; Boolean and Empty count as Integer.
enum Rank { RByte = 1, RInteger, RLong, RSingle, RDouble, RCurrency };

Rank rankOf(const Value& v) {
    switch (v.type()) {
    case Type::Byte:
        return RByte;
    case Type::Boolean:
    case Type::Integer:
    case Type::Empty:
        return RInteger;
    case Type::Long:
        return RLong;
    case Type::Single:
        return RSingle;
    case Type::Currency:
        return RCurrency;
    default:
        return RDouble;
    }
}

std::int64_t wholeOf(const Value& v) {
    switch (v.type()) {
    case Type::Byte:
        return v.asByte();
    case Type::Boolean:
        return v.asBool() ? -1 : 0;
    case Type::Integer:
        return v.asInteger();
    case Type::Long:
        return v.asLong();
    case Type::Empty:
        return 0;
    default: {
        double d = basic::roundHalfEven(toDouble(v));
        if (!(d >= -2147483648.0 && d <= 2147483647.0))
            raise(err::Overflow);
        return static_cast<std::int64_t>(d);
    }
    }
}

// The smallest type of at least `rank` that holds `r`.
Value fitWhole(std::int64_t r, Rank rank) {
    if (rank == RByte && r >= 0 && r <= 255)
        return Value::byte(static_cast<std::uint8_t>(r));
    return fitSmallWhole(r, rank > RInteger);
}

Value currencyResult(long double scaled) {
    long double whole = std::nearbyint(scaled);
    if (!(whole >= -0x1p63L && whole < 0x1p63L))
        raise(err::Overflow);
    return Value::currency(static_cast<std::int64_t>(whole));
}

// A Date the arithmetic made: 6 when it is outside the years 100 to 9999.
Value dateResult(double serial) {
    if (!lib::isValidSerial(serial))
        raise(err::Overflow);
    return Value::date(serial);
}

Value arithmetic(Op op, const Value& ra, const Value& rb) {
    Value a = numeric(ra);
    Value b = numeric(rb);
    if (a.isNull() || b.isNull())
        return Value::null();
    bool dateA = a.type() == Type::Date;
    bool dateB = b.type() == Type::Date;
    if ((dateA || dateB) && op != Op::Mul) {
        double r = op == Op::Add ? toDouble(a) + toDouble(b) : toDouble(a) - toDouble(b);
        if (dateA && dateB && op == Op::Sub)
            return checkedDouble(r);
        return dateResult(r);
    }
    Rank rank = std::max(rankOf(a), rankOf(b));
    if (rank == RSingle && (rankOf(a) == RLong || rankOf(b) == RLong))
        rank = RDouble;
    switch (rank) {
    case RByte:
    case RInteger:
    case RLong: {
        std::int64_t x = wholeOf(a), y = wholeOf(b);
        std::int64_t r = op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y;
        return fitWhole(r, rank);
    }
    case RSingle: {
        double r = op == Op::Add   ? toDouble(a) + toDouble(b)
                   : op == Op::Sub ? toDouble(a) - toDouble(b)
                                   : toDouble(a) * toDouble(b);
        if (std::fabs(r) <= FLT_MAX)
            return Value::single(static_cast<float>(r));
        return checkedDouble(r);
    }
    case RCurrency: {
        long double x = static_cast<long double>(toCurrency(a));
        long double y = static_cast<long double>(toCurrency(b));
        return currencyResult(op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y / 10000.0L);
    }
    default: {
        double r = op == Op::Add   ? toDouble(a) + toDouble(b)
                   : op == Op::Sub ? toDouble(a) - toDouble(b)
                                   : toDouble(a) * toDouble(b);
        return checkedDouble(r);
    }
    }
}

Value divide(const Value& ra, const Value& rb) {
    Value a = numeric(ra);
    Value b = numeric(rb);
    if (a.isNull() || b.isNull())
        return Value::null();
    double x = toDouble(a), y = toDouble(b);
    if (y == 0)
        raise(x == 0 ? err::Overflow : err::DivisionByZero);
    // A Single divided by a Byte, Integer or Single stays a Single while it fits.
    bool single = (a.type() == Type::Single || b.type() == Type::Single) &&
                  std::max(rankOf(a), rankOf(b)) == RSingle && rankOf(a) != RLong &&
                  rankOf(b) != RLong;
    if (single && std::fabs(x / y) <= FLT_MAX)
        return Value::single(static_cast<float>(x / y));
    return checkedDouble(x / y);
}

// \ and Mod work on whole numbers: operands are rounded to Long first.
Value wholeDivide(Op op, const Value& ra, const Value& rb) {
    Value a = numeric(ra);
    Value b = numeric(rb);
    if (a.isNull() || b.isNull())
        return Value::null();
    std::int64_t x = wholeOf(a), y = wholeOf(b);
    if (y == 0)
        raise(err::DivisionByZero);
    Rank rank = std::min(std::max(rankOf(a), rankOf(b)), RLong);
    return fitWhole(op == Op::IntDiv ? x / y : x % y, rank);
}

Value power(const Value& ra, const Value& rb) {
    Value a = numeric(ra);
    Value b = numeric(rb);
    if (a.isNull() || b.isNull())
        return Value::null();
    double x = toDouble(a), y = toDouble(b);
    if ((x < 0 && y != std::floor(y)) || (x == 0 && y < 0))
        raise(err::InvalidCall);
    return checkedDouble(std::pow(x, y));
}

Value joined(const std::u16string& a, const std::u16string& b) {
    if (a.size() + b.size() > kMaxStringLength)
        raise(err::OutOfStringSpace);
    return Value::string(a + b);
}

Value concat(const Value& a, const Value& b) {
    if (a.isNull() && b.isNull())
        return Value::null();
    if (a.isString() && b.isString())
        return joined(a.asString(), b.asString());
    return joined(concatText(a), concatText(b));
}

bool allBits(const Value& v) {
    return v.type() == Type::Boolean ? v.asBool() : wholeOf(v) == -1;
}
bool noBits(const Value& v) {
    return v.type() == Type::Boolean ? !v.asBool() : wholeOf(v) == 0;
}

Value trueLike(const Value& like) {
    return like.type() == Type::Boolean ? Value::boolean(true) : Value::integer(-1);
}

Value logical(Op op, const Value& ra, const Value& rb) {
    Value a = scalar(ra);
    Value b = scalar(rb);
    if (a.isString())
        a = numeric(a);
    if (b.isString())
        b = numeric(b);
    if (a.isNull() || b.isNull()) {
        const Value& other = a.isNull() ? b : a;
        if (other.isNull())
            return Value::null();
        switch (op) {
        case Op::And:
            return noBits(other) ? other : Value::null();
        case Op::Or:
            return allBits(other) ? other : Value::null();
        case Op::Imp:
            if (a.isNull())
                return allBits(b) ? b : Value::null();
            return noBits(a) ? trueLike(a) : Value::null();
        default:
            return Value::null();
        }
    }
    if (a.type() == Type::Boolean && b.type() == Type::Boolean) {
        bool x = a.asBool(), y = b.asBool();
        switch (op) {
        case Op::And:
            return Value::boolean(x && y);
        case Op::Or:
            return Value::boolean(x || y);
        case Op::Xor:
            return Value::boolean(x != y);
        case Op::Eqv:
            return Value::boolean(x == y);
        default:
            return Value::boolean(!x || y);
        }
    }
    std::int64_t x = wholeOf(a), y = wholeOf(b);
    std::int64_t r;
    switch (op) {
    case Op::And:
        r = x & y;
        break;
    case Op::Or:
        r = x | y;
        break;
    case Op::Xor:
        r = x ^ y;
        break;
    case Op::Eqv:
        r = ~(x ^ y);
        break;
    default:
        r = ~x | y;
        break;
    }
    Rank rank = std::min(std::max(rankOf(a), rankOf(b)), RLong);
    if (rank == RByte)
        return Value::byte(static_cast<std::uint8_t>(r & 0xFF));
    if (rank == RInteger)
        return Value::integer(static_cast<std::int16_t>(r));
    return Value::longValue(static_cast<std::int32_t>(r));
}

Value comparison(Op op, const Value& a, const Value& b) {
    auto c = compareValues(a, b);
    if (!c)
        return Value::null();
    switch (op) {
    case Op::Eq:
        return Value::boolean(*c == 0);
    case Op::Ne:
        return Value::boolean(*c != 0);
    case Op::Lt:
        return Value::boolean(*c < 0);
    case Op::Gt:
        return Value::boolean(*c > 0);
    case Op::Le:
        return Value::boolean(*c <= 0);
    default:
        return Value::boolean(*c >= 0);
    }
}

int sign(double d) {
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

} // namespace

std::optional<int> compareValues(const Value& ra, const Value& rb, bool textCompare) {
    if (isSmallWhole(ra) && isSmallWhole(rb)) {
        std::int64_t x = smallWhole(ra), y = smallWhole(rb);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    Value a = scalar(ra);
    Value b = scalar(rb);
    if (a.isNull() || b.isNull())
        return std::nullopt;
    for (const Value* v : {&a, &b})
        if (v->isArray() || v->type() == Type::Error)
            raise(err::TypeMismatch);
    if (a.isString() || b.isString()) {
        if (a.isString() && b.isString())
            return lib::strComp(a.asString(), b.asString(),
                                textCompare ? lib::CompareMode::Text : lib::CompareMode::Binary);
        const Value& other = a.isString() ? b : a;
        if (other.isEmpty()) {
            const std::u16string& s = a.isString() ? a.asString() : b.asString();
            int c = s.empty() ? 0 : 1;
            return a.isString() ? c : -c;
        }
        return a.isString() ? 1 : -1; // a number sorts before any string
    }
    if (a.type() == Type::Currency || b.type() == Type::Currency) {
        if (a.type() == b.type())
            return a.asCurrency() < b.asCurrency() ? -1 : a.asCurrency() > b.asCurrency() ? 1 : 0;
    }
    Rank ra2 = rankOf(a), rb2 = rankOf(b);
    if (ra2 <= RLong && rb2 <= RLong && a.type() != Type::Date && b.type() != Type::Date) {
        std::int64_t x = wholeOf(a), y = wholeOf(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return sign(toDouble(a) - toDouble(b));
}

bool sameObject(const Value& a, const Value& b) {
    if (!a.isObject() || !b.isObject())
        raise(err::ObjectRequired);
    HostObject* x = a.asObject();
    HostObject* y = b.asObject();
    // A proxy and the object it stands for are the same object to a script.
    return (x ? x->target() : nullptr) == (y ? y->target() : nullptr);
}

Value generalBinaryOp(Op op, const Value& a, const Value& b) {
    switch (op) {
    case Op::Add:
        if (a.isString() && b.isString())
            return joined(a.asString(), b.asString());
        if ((a.isString() && b.isEmpty()) || (a.isEmpty() && b.isString()))
            return Value::string(a.isString() ? a.asString() : b.asString());
        return arithmetic(op, a, b);
    case Op::Sub:
    case Op::Mul:
        return arithmetic(op, a, b);
    case Op::Div:
        return divide(a, b);
    case Op::IntDiv:
    case Op::Mod:
        return wholeDivide(op, a, b);
    case Op::Pow:
        return power(a, b);
    case Op::Concat:
        return concat(a, b);
    case Op::Eq:
    case Op::Ne:
    case Op::Lt:
    case Op::Gt:
    case Op::Le:
    case Op::Ge:
        return comparison(op, a, b);
    case Op::Is:
        return Value::boolean(sameObject(a, b));
    default:
        return logical(op, a, b);
    }
}

Value unaryOp(Op op, const Value& ra) {
    Value a = numeric(ra);
    if (a.isNull())
        return a;
    if (op == Op::Not) {
        switch (a.type()) {
        case Type::Boolean:
            return Value::boolean(!a.asBool());
        case Type::Byte:
            return Value::byte(static_cast<std::uint8_t>(~a.asByte()));
        case Type::Integer:
            return Value::integer(static_cast<std::int16_t>(~a.asInteger()));
        default:
            return Value::longValue(static_cast<std::int32_t>(~wholeOf(a)));
        }
    }
    switch (a.type()) {
    case Type::Boolean:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
        return fitWhole(-wholeOf(a), std::max(rankOf(a), RInteger));
    case Type::Single:
        return Value::single(-a.asSingle());
    case Type::Currency:
        if (a.asCurrency() == INT64_MIN)
            raise(err::Overflow);
        return Value::currency(-a.asCurrency());
    case Type::Date:
        return dateResult(-a.asDouble());
    default:
        return Value::dbl(-a.asDouble());
    }
}

} // namespace vbs
