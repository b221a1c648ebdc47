// Tests of the number text forms: CStr of Double, Single and Currency, FormatNumber,
// FormatPercent and Round.
#include "vbscript/lib/number_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace vbs::lib;

namespace {

struct DoubleCase {
    double value;
    std::u16string text;
};

TEST(DoubleText, PrintsFifteenDigitsPlainOrWithExponent) {
    const DoubleCase cases[] = {
        {0, u"0"},
        {-0.0, u"0"},
        {1, u"1"},
        {-2.5, u"-2.5"},
        {1.0 / 3, u"0.333333333333333"},
        {2.0 / 3, u"0.666666666666667"},
        {9.2 * 100.0, u"920"},
        {0.1 + 0.2, u"0.3"},
        {123456789012345.0, u"123456789012345"},
        {999999999999999.0, u"999999999999999"},
        {1e15, u"1E+15"},
        {1234567890123456.0, u"1.23456789012346E+15"},
        {1e20, u"1E+20"},
        {1.5e16, u"1.5E+16"},
        {-1.5e16, u"-1.5E+16"},
        {0.0001, u"0.0001"},
        {0.00001, u"0.00001"},
        {1e-15, u"0.000000000000001"},
        {1e-16, u"1E-16"},
        {1.0 / 30000, u"3.33333333333333E-05"},
        {0.0199999997764826, u"1.99999997764826E-02"},
        {1e308, u"1E+308"},
        {-1e-300, u"-1E-300"},
        {std::numeric_limits<double>::max(), u"1.79769313486232E+308"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(doubleText(c.value), c.text) << c.value;
}

TEST(DoubleText, MarksNonFiniteValues) {
    EXPECT_EQ(doubleText(std::numeric_limits<double>::infinity()), u"1.#INF");
    EXPECT_EQ(doubleText(-std::numeric_limits<double>::infinity()), u"-1.#INF");
    EXPECT_EQ(doubleText(std::numeric_limits<double>::quiet_NaN()), u"-1.#IND");
}

struct SingleCase {
    float value;
    std::u16string text;
};

TEST(SingleText, PrintsSevenDigits) {
    const SingleCase cases[] = {
        {0.1f, u"0.1"},          {1.0f / 3, u"0.3333333"},       {1234567.0f, u"1234567"},
        {10000000.0f, u"1E+07"}, {12345678.0f, u"1.234568E+07"}, {1.5e-8f, u"1.5E-08"},
        {-0.0f, u"0"},           {3.14159274f, u"3.141593"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(singleText(c.value), c.text) << c.value;
}

struct CurrencyCase {
    std::int64_t tenThousandths;
    std::u16string text;
};

TEST(CurrencyText, PrintsUpToFourDecimals) {
    const CurrencyCase cases[] = {
        {0, u"0"},
        {10000, u"1"},
        {125000, u"12.5"},
        {-1, u"-0.0001"},
        {12345, u"1.2345"},
        {std::numeric_limits<std::int64_t>::max(), u"922337203685477.5807"},
        {std::numeric_limits<std::int64_t>::min(), u"-922337203685477.5808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(currencyText(c.tenThousandths), c.text);
}

struct FormatCase {
    double value;
    NumberFormat format;
    std::u16string text;
};

constexpr auto True = Tristate::True;
constexpr auto False = Tristate::False;
constexpr auto Default = Tristate::UseDefault;

TEST(FormatNumber, FollowsUsConventionsAndOptions) {
    const FormatCase cases[] = {
        {1234.5, {}, u"1,234.50"},
        {1234567.891, {}, u"1,234,567.89"},
        {-1234.5, {}, u"-1,234.50"},
        {0.5, {}, u"0.50"},
        {0, {}, u"0.00"},
        {2.675, {}, u"2.68"},
        {0.125, {}, u"0.13"},
        {-0.125, {}, u"-0.13"},
        {-0.001, {}, u"0.00"},
        {999.995, {}, u"1,000.00"},
        {1234.5, {0}, u"1,235"},
        {2.5, {0}, u"3"},
        {-2.5, {0}, u"-3"},
        {1.5, {4}, u"1.5000"},
        {0.5, {2, False}, u".50"},
        {0.5, {2, True}, u"0.50"},
        {-3, {2, Default, True}, u"(3.00)"},
        {-0.25, {2, False, True}, u"(.25)"},
        {1234567, {2, Default, Default, False}, u"1234567.00"},
        {100, {0}, u"100"},
        {1e20, {0}, u"100,000,000,000,000,000,000"},
        {0.004, {2}, u"0.00"},
        {0.005, {2}, u"0.01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.format), c.text) << c.value;
}

TEST(FormatNumber, CutsAbsurdDecimalCounts) {
    EXPECT_EQ(formatNumber(1, {1000000000}).size(), std::size_t{2 + kMaxFormatDecimals});
}

TEST(FormatPercent, ScalesByHundredAndAddsPercentSign) {
    EXPECT_EQ(formatPercent(0.125), u"12.50%");
    EXPECT_EQ(formatPercent(1), u"100.00%");
    EXPECT_EQ(formatPercent(12.3456, {0}), u"1,235%");
    EXPECT_EQ(formatPercent(-0.5, {1, Default, True}), u"(50.0%)");
    EXPECT_EQ(formatPercent(-0.5, {1}), u"-50.0%");
    EXPECT_EQ(formatPercent(0.0115, {1}), u"1.2%");
}

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

TEST(RoundTo, RoundsHalvesToEven) {
    const RoundCase cases[] = {
        {2.5, 0, 2},        {3.5, 0, 4},         {-2.5, 0, -2},
        {-0.5, 0, 0},       {2.4, 0, 2},         {2.675, 2, 2.68},
        {2.665, 2, 2.66},   {0.125, 2, 0.12},    {0.135, 2, 0.14},
        {-0.125, 2, -0.12}, {1.23456, 3, 1.235}, {1.2, 5, 1.2},
        {0.0004, 3, 0},     {9.995, 2, 10},      {12345.6789, 1, 12345.7},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(roundTo(c.value, c.decimals), c.expected)
            << c.value << " to " << c.decimals;
}

} // namespace
