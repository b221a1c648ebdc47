// Values and conversions: the subtypes, array storage and the conversion rules.
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/value.h"

#include <gtest/gtest.h>

#include "support/script_errors.h"

namespace vbs {
namespace {

using testsupport::errorNumberOf;

TEST(Value, NumbersStayInline) {
    EXPECT_LE(sizeof(Value), 24u);
    EXPECT_EQ(Value::integer(5).type(), Type::Integer);
    EXPECT_EQ(Value::dbl(1.5).asDouble(), 1.5);
}

TEST(Value, EmptyStringIsAString) {
    Value v = Value::string(u"");
    EXPECT_TRUE(v.isString());
    EXPECT_EQ(v.asString(), u"");
}

TEST(Value, ArrayCopiesOnWrite) {
    std::vector<std::int32_t> bounds{2};
    Value a = Value::array(makeRef<Array>(bounds, false));
    Value b = a;
    std::int32_t i = 1;
    b.mutableArray().at({&i, 1}) = Value::integer(7);
    EXPECT_TRUE(a.asArray()->at({&i, 1}).isEmpty());
    EXPECT_EQ(b.asArray()->at({&i, 1}).asInteger(), 7);
}

TEST(Value, ArrayRejectsSubscriptOutOfRange) {
    std::vector<std::int32_t> bounds{2, 3};
    Array arr(bounds, true);
    std::int32_t bad[] = {3, 0};
    EXPECT_EQ(errorNumberOf([&] { arr.at(bad); }), err::SubscriptOutOfRange);
    std::int32_t one[] = {1};
    EXPECT_EQ(errorNumberOf([&] { arr.at(one); }), err::SubscriptOutOfRange);
}

TEST(Value, AbsurdArrayIsOutOfMemory) {
    std::vector<std::int32_t> bounds{100000000};
    EXPECT_EQ(errorNumberOf([&] { Array(bounds, false); }), err::OutOfMemory);
}

TEST(Value, PreservingResizeKeepsElementsOfLastDimension) {
    std::vector<std::int32_t> bounds{1, 1};
    Array arr(bounds, false);
    std::int32_t at[] = {1, 1};
    arr.at(at) = Value::integer(9);
    EXPECT_TRUE(arr.resizePreserving({1, 3}).empty());
    EXPECT_EQ(arr.at(at).asInteger(), 9);
    EXPECT_EQ(errorNumberOf([&] { (void)arr.resizePreserving({2, 3}); }), err::SubscriptOutOfRange);
}

TEST(Value, ShrinkingHandsBackWhatWasCut) {
    Array arr({3}, false);
    arr.at(2) = Value::integer(7);
    std::vector<Value> cut = arr.resizePreserving({1});
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].asInteger(), 7);
    EXPECT_EQ(arr.size(), 2u);
}

struct TextCase {
    Value value;
    std::u16string text;
};

TEST(Convert, DefaultTextOfEachSubtype) {
    const TextCase cases[] = {
        {Value(), u""},
        {Value::boolean(true), u"True"},
        {Value::boolean(false), u"False"},
        {Value::integer(-12), u"-12"},
        {Value::longValue(100000), u"100000"},
        {Value::dbl(0.5), u"0.5"},
        {Value::currency(125000), u"12.5"},
        {Value::string(u"abc"), u"abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toText(c.value), c.text);
}

TEST(Convert, NullHasNoText) {
    EXPECT_EQ(errorNumberOf([] { toText(Value::null()); }), err::InvalidNull);
    EXPECT_EQ(concatText(Value::null()), u"");
}

TEST(Convert, WholeNumbersRoundHalvesToEven) {
    EXPECT_EQ(toLong(Value::dbl(2.5)), 2);
    EXPECT_EQ(toLong(Value::dbl(3.5)), 4);
    EXPECT_EQ(toInteger(Value::string(u" 12 ")), 12);
    EXPECT_EQ(errorNumberOf([] { toInteger(Value::longValue(40000)); }), err::Overflow);
    EXPECT_EQ(errorNumberOf([] { toDouble(Value::string(u"abc")); }), err::TypeMismatch);
}

TEST(Convert, BooleansFromTextAndNumbers) {
    EXPECT_TRUE(toBool(Value::string(u"true")));
    EXPECT_FALSE(toBool(Value::string(u"0")));
    EXPECT_TRUE(toBool(Value::dbl(0.1)));
    EXPECT_EQ(errorNumberOf([] { toBool(Value::string(u"yes")); }), err::TypeMismatch);
}

} // namespace
} // namespace vbs
