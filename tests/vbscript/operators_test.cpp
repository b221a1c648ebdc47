// The operators on Variants, table by table: result types of the promotion rules, the
// comparison rules between subtypes, Null propagation and the logical operators.
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/operators.h"

#include <gtest/gtest.h>

namespace vbs {
namespace {

using ast::Op;

struct OpCase {
    Op op;
    Value a;
    Value b;
    Type type;
    std::u16string text;
};

std::string describe(const OpCase& c) {
    return "operator " + std::to_string(static_cast<int>(c.op)) + " on subtypes " +
           std::to_string(static_cast<int>(c.a.type())) + ", " +
           std::to_string(static_cast<int>(c.b.type()));
}

TEST(Operators, ArithmeticPromotesAsTheLanguageDoes) {
    const OpCase cases[] = {
        {Op::Add, Value::integer(32767), Value::integer(1), Type::Long, u"32768"},
        {Op::Add, Value::integer(1), Value::integer(1), Type::Integer, u"2"},
        {Op::Mul, Value::longValue(65536), Value::longValue(65536), Type::Double, u"4294967296"},
        {Op::Add, Value::byte(200), Value::byte(100), Type::Integer, u"300"},
        {Op::Add, Value::byte(2), Value::byte(3), Type::Byte, u"5"},
        {Op::Sub, Value::byte(2), Value::byte(3), Type::Integer, u"-1"},
        {Op::Add, Value::single(1.5f), Value::integer(1), Type::Single, u"2.5"},
        {Op::Add, Value::single(1.5f), Value::longValue(1), Type::Double, u"2.5"},
        {Op::Add, Value::boolean(true), Value::boolean(true), Type::Integer, u"-2"},
        {Op::Add, Value(), Value(), Type::Integer, u"0"},
        {Op::Add, Value::string(u"1"), Value::integer(2), Type::Double, u"3"},
        {Op::Add, Value::string(u"1"), Value::string(u"2"), Type::String, u"12"},
        {Op::Add, Value(), Value::string(u"x"), Type::String, u"x"},
        {Op::Add, Value::currency(15000), Value::dbl(1.25), Type::Currency, u"2.75"},
        {Op::Add, Value::date(1), Value::integer(1), Type::Date, u"1/1/1900"},
        {Op::Sub, Value::date(5), Value::date(2), Type::Double, u"3"},
        {Op::Div, Value::integer(1), Value::integer(4), Type::Double, u"0.25"},
        {Op::Div, Value::single(1), Value::integer(4), Type::Single, u"0.25"},
        {Op::IntDiv, Value::dbl(7.5), Value::integer(2), Type::Long, u"4"},
        {Op::IntDiv, Value::integer(-32768), Value::integer(-1), Type::Long, u"32768"},
        {Op::Mod, Value::integer(-7), Value::integer(3), Type::Integer, u"-1"},
        {Op::Pow, Value::integer(2), Value::integer(10), Type::Double, u"1024"},
        {Op::Concat, Value::integer(1), Value::boolean(true), Type::String, u"1True"},
        {Op::Concat, Value::null(), Value::string(u"a"), Type::String, u"a"},
    };
    for (const auto& c : cases) {
        Value r = binaryOp(c.op, c.a, c.b);
        EXPECT_EQ(r.type(), c.type) << describe(c);
        EXPECT_EQ(toText(r), c.text) << describe(c);
    }
}

struct UnaryCase {
    Op op;
    Value a;
    Type type;
    std::u16string text;
};

TEST(Operators, NegationAndNotKeepOrWidenTheType) {
    const UnaryCase cases[] = {
        {Op::Neg, Value::integer(-32768), Type::Long, u"32768"},
        {Op::Neg, Value::longValue(5), Type::Long, u"-5"},
        {Op::Neg, Value::byte(5), Type::Integer, u"-5"},
        {Op::Neg, Value::boolean(true), Type::Integer, u"1"},
        {Op::Neg, Value(), Type::Integer, u"0"},
        {Op::Neg, Value::string(u"2"), Type::Double, u"-2"},
        {Op::Not, Value::boolean(false), Type::Boolean, u"True"},
        {Op::Not, Value::integer(0), Type::Integer, u"-1"},
        {Op::Not, Value::byte(1), Type::Byte, u"254"},
    };
    for (const auto& c : cases) {
        Value r = unaryOp(c.op, c.a);
        EXPECT_EQ(r.type(), c.type) << static_cast<int>(c.a.type());
        EXPECT_EQ(toText(r), c.text);
    }
}

struct CompareCase {
    Value a;
    Value b;
    int expected;
};

TEST(Operators, ComparisonsFollowTheSubtypeRules) {
    const CompareCase cases[] = {
        {Value::integer(1), Value::dbl(1.0), 0},
        {Value::longValue(2), Value::dbl(1.5), 1},
        {Value::string(u"a"), Value::string(u"b"), -1},
        {Value::string(u"B"), Value::string(u"a"), -1},
        {Value::integer(10), Value::string(u"9"), -1}, // a number sorts before a string
        {Value::string(u"1"), Value::integer(5), 1},
        {Value(), Value::integer(0), 0},
        {Value(), Value::string(u""), 0},
        {Value(), Value::string(u"a"), -1},
        {Value(), Value(), 0},
        {Value::boolean(true), Value::integer(-1), 0},
        {Value::currency(10000), Value::integer(1), 0},
        {Value::date(2), Value::integer(1), 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compareValues(c.a, c.b), c.expected)
            << static_cast<int>(c.a.type()) << " vs " << static_cast<int>(c.b.type());
    EXPECT_FALSE(compareValues(Value::null(), Value::integer(1)).has_value());
    EXPECT_EQ(compareValues(Value::string(u"A"), Value::string(u"a"), true), 0);
}

TEST(Operators, NullPropagatesExceptWhereTheOtherSideDecides) {
    Value n = Value::null();
    for (Op op : {Op::Add, Op::Sub, Op::Mul, Op::Div, Op::IntDiv, Op::Mod, Op::Pow, Op::Eq, Op::Lt,
                  Op::Xor, Op::Eqv})
        EXPECT_TRUE(binaryOp(op, n, Value::integer(1)).isNull());
    EXPECT_FALSE(binaryOp(Op::And, n, Value::boolean(false)).asBool());
    EXPECT_TRUE(binaryOp(Op::And, n, Value::boolean(true)).isNull());
    EXPECT_TRUE(binaryOp(Op::Or, n, Value::boolean(true)).asBool());
    EXPECT_TRUE(binaryOp(Op::Or, n, Value::boolean(false)).isNull());
    EXPECT_TRUE(binaryOp(Op::Imp, Value::boolean(false), n).asBool());
    EXPECT_TRUE(binaryOp(Op::Imp, n, Value::boolean(true)).asBool());
    EXPECT_TRUE(binaryOp(Op::Imp, n, Value::boolean(false)).isNull());
    EXPECT_TRUE(unaryOp(Op::Not, n).isNull());
}

int errorOf(Op op, Value a, Value b) {
    try {
        binaryOp(op, a, b);
    } catch (const ScriptError& e) {
        return e.number();
    }
    return 0;
}

TEST(Operators, ArithmeticErrors) {
    EXPECT_EQ(errorOf(Op::Div, Value::integer(1), Value::integer(0)), err::DivisionByZero);
    EXPECT_EQ(errorOf(Op::Div, Value::integer(0), Value::integer(0)), err::Overflow);
    EXPECT_EQ(errorOf(Op::Mod, Value::integer(1), Value::integer(0)), err::DivisionByZero);
    EXPECT_EQ(errorOf(Op::Mul, Value::dbl(1e308), Value::integer(10)), err::Overflow);
    EXPECT_EQ(errorOf(Op::Add, Value::string(u"a"), Value::integer(1)), err::TypeMismatch);
    EXPECT_EQ(errorOf(Op::Pow, Value::integer(-8), Value::dbl(1.0 / 3)), err::InvalidCall);
    EXPECT_EQ(errorOf(Op::Is, Value::integer(1), Value::nothing()), err::ObjectRequired);
    EXPECT_EQ(errorOf(Op::Add, Value::currency(INT64_MAX), Value::currency(INT64_MAX)),
              err::Overflow);
}

} // namespace
} // namespace vbs
