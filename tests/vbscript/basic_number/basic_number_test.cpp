// Basic's number rules as the operator window and the engine rely on them.
#include "vbscript/basic_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ParseCase {
    const char* text;
    std::optional<double> expected;
};

TEST(ParseNumber, AcceptsTheLanguagesNumberFormsAndNothingElse) {
    const ParseCase cases[] = {
        {"12", 12.0},      {" 12.7 ", 12.7},   {"-3", -3.0},       {"+4", 4.0},
        {"1e3", 1000.0},   {"2.5D-1", 0.25},   {".5", 0.5},        {"5.", 5.0},
        {"&H1D", 29.0},    {"&h1d", 29.0},     {"&O17", 15.0},     {"&HFFFF", -1.0},
        {"&H10000", 65536.0}, {"&HFFFFFFFF", -1.0}, {"&H100000000", std::nullopt},
        {"", std::nullopt}, {"   ", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt},
        {"1e", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt}, {"&H", std::nullopt},
        {"1 2", std::nullopt}, {"\t7\t", 7.0}, {"1e999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(basic::parseNumber(std::string_view(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(Val, ReadsTheLeadingNumberAndSkipsBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"5", 5.0},       {"-7", -7.0},     {"2.5", 2.5},    {"&H1D", 29.0},  {"&O10", 8.0},
        {"abc", 0.0},     {"", 0.0},        {"12abc", 12.0}, {"1 2 3", 123.0}, {"1e2x", 100.0},
        {"1ex", 1.0},     {"-", 0.0},       {"&Hxyz", 0.0},  {" \t-4.5", -4.5},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(basic::val(std::string_view(text)), expected) << '"' << text << '"';
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{2.5, 2}, {3.5, 4}, {-0.5, 0}, {29.5, 30},
                                               {28.5, 28}, {12.7, 13}, {-2.5, -2}, {-2.6, -3}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(basic::roundHalfEven(value), expected) << value;
}

TEST(RangeChecks, IntegerAndLongRefuseWhatDoesNotFitAfterRounding) {
    EXPECT_EQ(basic::toInteger(32767.4), 32767);
    EXPECT_EQ(basic::toInteger(32767.5), std::nullopt);
    EXPECT_EQ(basic::toInteger(-32768.5), -32768);
    EXPECT_EQ(basic::toInteger(-32768.6), std::nullopt);
    EXPECT_EQ(basic::toInteger(NAN), std::nullopt);
    EXPECT_EQ(basic::toLong(2147483647.4), 2147483647);
    EXPECT_EQ(basic::toLong(2147483647.5), std::nullopt);
    EXPECT_EQ(basic::toLong(-2147483648.0), -2147483648);
    EXPECT_EQ(basic::toLong(2.5), 2);
}

TEST(DecimalText, HasNoBlanksAndAMinusForNegatives) {
    EXPECT_EQ(basic::decimalText(0), "0");
    EXPECT_EQ(basic::decimalText(30), "30");
    EXPECT_EQ(basic::decimalText(-32768), "-32768");
}

} // namespace
