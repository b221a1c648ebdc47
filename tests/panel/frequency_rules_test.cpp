// The in-bounds test of typed frequencies, the shown value of a code and the delay boxes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "panel/frequency_rules.h"

namespace panel {
namespace {

struct TypedCase {
    const char16_t* text;
    Typed outcome;
    Integer code;
};

class TypedFrequencyTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedFrequencyTest, JudgesTheTypedText) {
    const TypedFrequency typed = readTypedFrequency(GetParam().text);
    EXPECT_EQ(typed.outcome, GetParam().outcome);
    if (GetParam().outcome == Typed::InBounds) {
        EXPECT_EQ(typed.code, GetParam().code);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedFrequencyTest,
    ::testing::Values(
        TypedCase{u"12", Typed::InBounds, 11}, TypedCase{u"1", Typed::InBounds, 0},
        TypedCase{u"30", Typed::InBounds, 29},
        TypedCase{u"12.7", Typed::InBounds, 11},   // whole part, not rounding
        TypedCase{u"30.4", Typed::InBounds, 29},   // v - 1 rounds to 29
        TypedCase{u" 007 ", Typed::InBounds, 6},   // blanks and zeros
        TypedCase{u"&H1D", Typed::InBounds, 28},   // 29 MHz in hexadecimal
        TypedCase{u"&O12", Typed::InBounds, 9},    // 10 MHz in octal
        TypedCase{u"2.5E1", Typed::InBounds, 24},  // exponent
        TypedCase{u"+5", Typed::InBounds, 4},      // sign
        TypedCase{u"30.5", Typed::OutOfBounds, 0}, // 29.5 rounds to 30
        TypedCase{u"31", Typed::OutOfBounds, 0},
        TypedCase{u"32768", Typed::OutOfBounds, 0}, // v - 1 still fits
        TypedCase{u"0.5", Typed::OutOfBounds, 0},   // below 1 MHz
        TypedCase{u"0.99", Typed::OutOfBounds, 0}, TypedCase{u"0", Typed::OutOfBounds, 0},
        TypedCase{u"-3", Typed::OutOfBounds, 0}, TypedCase{u"-32766.5", Typed::OutOfBounds, 0},
        TypedCase{u"32768.5", Typed::NotANumber, 0}, // v - 1 does not fit 16 bits
        TypedCase{u"123456", Typed::NotANumber, 0},
        TypedCase{u"-32767.5", Typed::OutOfBounds, 0}, // v - 1 rounds to -32768
        TypedCase{u"-32768", Typed::NotANumber, 0}, TypedCase{u"", Typed::NotANumber, 0},
        TypedCase{u"abc", Typed::NotANumber, 0}, TypedCase{u"12abc", Typed::NotANumber, 0},
        TypedCase{u"1 2", Typed::NotANumber, 0}));

TEST(ShownValueTest, IsTheCodePlusOne) {
    EXPECT_EQ(shownValue(0), 1);
    EXPECT_EQ(shownValue(29), 30);
    EXPECT_EQ(shownValue(-5), -4);
    EXPECT_EQ(shownText(11), "12");
    EXPECT_EQ(shownText(-2), "-1");
}

TEST(ShownValueTest, OverflowsForTheLargestInteger) {
    EXPECT_THROW(shownValue(32767), std::overflow_error);
}

TEST(ValidCodeTest, AcceptsZeroToTwentyNine) {
    EXPECT_TRUE(validCode(0));
    EXPECT_TRUE(validCode(29));
    EXPECT_FALSE(validCode(30));
    EXPECT_FALSE(validCode(31));
    EXPECT_FALSE(validCode(-1));
}

struct DelayCase {
    const char16_t* text;
    std::optional<Long> delay;
};

class DelayTest : public ::testing::TestWithParam<DelayCase> {};

TEST_P(DelayTest, RoundsToALongOrGivesNothing) {
    EXPECT_EQ(delayOf(GetParam().text), GetParam().delay);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DelayTest,
    ::testing::Values(DelayCase{u"0", 0}, DelayCase{u"250", 250}, DelayCase{u"2.5", 2},
                      DelayCase{u"3.5", 4}, DelayCase{u"-7", -7}, DelayCase{u"&HFF", 255},
                      DelayCase{u"2147483647", 2147483647}, DelayCase{u"2147483648", std::nullopt},
                      DelayCase{u"letters", std::nullopt}, DelayCase{u"", std::nullopt}));

} // namespace
} // namespace panel
