// Tests of the date algorithms: serials, DateSerial/TimeSerial, DateAdd, DateDiff,
// DatePart, reading dates from text and the date text forms.
#include "vbscript/lib/date_ops.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vbs::lib;

namespace {

constexpr double kMar5_2024 = 45356;                                 // a Tuesday
constexpr double kHalfPast10 = (10 * 3600 + 30 * 60 + 15) / 86400.0; // 10:30:15

double at(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    const double date = dateSerial(y, m, d).value();
    const double time = (h * 3600 + mi * 60 + s) / 86400.0;
    return date >= 0 ? date + time : date - time;
}

struct DateSerialCase {
    int year;
    int month;
    int day;
    double serial;
};

TEST(DateSerial, NormalisesMonthAndDayAndWindowsShortYears) {
    const DateSerialCase cases[] = {
        {2024, 3, 5, 45356}, {2024, 14, 0, 45688}, {2024, 3, 0, 45351},     {2024, 3, -1, 45350},
        {2024, 0, 1, 45261}, {1899, 12, 30, 0},    {1899, 12, 29, -1},      {1900, 1, 1, 2},
        {24, 3, 5, 45356},   {0, 1, 1, 36526},     {29, 1, 1, 47119},       {30, 1, 1, 10959},
        {99, 1, 1, 36161},   {100, 1, 1, -657434}, {9999, 12, 31, 2958465}, {2024, 1, 366, 45657},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateSerial(c.year, c.month, c.day), std::optional<double>(c.serial))
            << c.year << "-" << c.month << "-" << c.day;
}

TEST(DateSerial, RefusesDatesOutsideTheRange) {
    EXPECT_FALSE(dateSerial(9999, 12, 32));
    EXPECT_FALSE(dateSerial(100, 1, 0));
    EXPECT_FALSE(dateSerial(10000, 1, 1));
    EXPECT_FALSE(dateSerial(-5, 1, 1));
    EXPECT_FALSE(dateSerial(100, -30000, 1));
}

TEST(TimeSerial, NormalisesAndCountsFromSerialZero) {
    EXPECT_DOUBLE_EQ(timeSerial(10, 30, 15).value(), kHalfPast10);
    EXPECT_DOUBLE_EQ(timeSerial(0, 90, 0).value(), 1.5 / 24);
    EXPECT_DOUBLE_EQ(timeSerial(25, 0, 0).value(), 1 + 1.0 / 24);
    EXPECT_DOUBLE_EQ(timeSerial(0, -1, 0).value(), -1 - 1439.0 / 1440);
    EXPECT_DOUBLE_EQ(timeSerial(12, 0, -30).value(), (12 * 3600 - 30) / 86400.0);
}

struct SplitCase {
    double serial;
    DateTimeParts parts;
};

TEST(SplitSerial, GivesCalendarPartsAndRoundsSeconds) {
    const SplitCase cases[] = {
        {0, {1899, 12, 30, 0, 0, 0}},
        {kMar5_2024 + kHalfPast10, {2024, 3, 5, 10, 30, 15}},
        {-1.25, {1899, 12, 29, 6, 0, 0}},
        {-0.5, {1899, 12, 30, 12, 0, 0}},
        {2 + 0.4 / 86400, {1900, 1, 1, 0, 0, 0}},
        {2 + 0.6 / 86400, {1900, 1, 1, 0, 0, 1}},
        {2 + 86399.7 / 86400, {1900, 1, 2, 0, 0, 0}},
        {-657434, {100, 1, 1, 0, 0, 0}},
        {2958465 + 86399.0 / 86400, {9999, 12, 31, 23, 59, 59}},
        {45351, {2024, 2, 29, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const DateTimeParts p = splitSerial(c.serial);
        EXPECT_EQ(p.year, c.parts.year) << c.serial;
        EXPECT_EQ(p.month, c.parts.month) << c.serial;
        EXPECT_EQ(p.day, c.parts.day) << c.serial;
        EXPECT_EQ(p.hour, c.parts.hour) << c.serial;
        EXPECT_EQ(p.minute, c.parts.minute) << c.serial;
        EXPECT_EQ(p.second, c.parts.second) << c.serial;
    }
}

TEST(SplitSerial, RoundTripsEveryDayOfTheRange) {
    for (double serial = -657434; serial <= 2958465; serial += 1) {
        const DateTimeParts p = splitSerial(serial);
        ASSERT_EQ(dateSerial(p.year, p.month, p.day), std::optional<double>(serial));
    }
}

TEST(IsValidSerial, AcceptsOnlyTheDateRange) {
    EXPECT_TRUE(isValidSerial(-657434));
    EXPECT_TRUE(isValidSerial(-657434.5));
    EXPECT_FALSE(isValidSerial(-657435));
    EXPECT_TRUE(isValidSerial(2958465.99998));
    EXPECT_FALSE(isValidSerial(2958466));
    EXPECT_FALSE(isValidSerial(1e300));
    EXPECT_FALSE(isValidSerial(std::nan("")));
}

TEST(Weekday, CountsFromTheFirstDayOfWeek) {
    EXPECT_EQ(weekday(kMar5_2024), 3); // Tuesday, Sunday first
    EXPECT_EQ(weekday(kMar5_2024, 2), 2);
    EXPECT_EQ(weekday(kMar5_2024, 3), 1);
    EXPECT_EQ(weekday(kMar5_2024, 4), 7);
    EXPECT_EQ(weekday(kMar5_2024, 0), 3);
    EXPECT_EQ(weekday(0), 7);       // Saturday 30 Dec 1899
    EXPECT_EQ(weekday(-1.25), 6);   // Friday 29 Dec 1899
    EXPECT_EQ(weekday(-657434), 6); // 1 Jan 100 was a Friday
}

struct AddCase {
    const char16_t* interval;
    double number;
    double from;
    double expected;
};

TEST(DateAdd, AddsCalendarAndClockIntervals) {
    const AddCase cases[] = {
        {u"yyyy", 1, at(2024, 2, 29), at(2025, 2, 28)},
        {u"q", 1, at(2024, 11, 30), at(2025, 2, 28)},
        {u"m", 1, at(2024, 1, 31, 8), at(2024, 2, 29, 8)},
        {u"M", -2, at(2024, 3, 31), at(2024, 1, 31)},
        {u"y", 1, at(2024, 12, 31), at(2025, 1, 1)},
        {u"d", -1, at(2024, 3, 1, 6), at(2024, 2, 29, 6)},
        {u"w", 3, at(2024, 3, 5), at(2024, 3, 8)},
        {u"ww", 2, at(2024, 3, 5), at(2024, 3, 19)},
        {u"h", 25, at(2024, 3, 5, 23), at(2024, 3, 7, 0)},
        {u"n", -1, at(2024, 3, 5), at(2024, 3, 4, 23, 59)},
        {u"s", 86400, at(2024, 3, 5, 10), at(2024, 3, 6, 10)},
        {u"d", 2, -1.25, 1.25},
        {u"h", -1, 0, -1 - 23.0 / 24},
        {u"yyyy", -1, at(1900, 6, 1, 12), at(1899, 6, 1, 12)},
        {u"d", 1.5, at(2024, 3, 5), at(2024, 3, 7)},
        {u"d", 2.5, at(2024, 3, 5), at(2024, 3, 7)},
        {u"m", -0.6, at(2024, 3, 5), at(2024, 2, 5)},
    };
    for (const auto& c : cases) {
        const auto result = dateAdd(c.interval, c.number, c.from);
        ASSERT_TRUE(result) << std::u16string(c.interval).size();
        EXPECT_DOUBLE_EQ(*result, c.expected) << c.number;
    }
}

TEST(DateAdd, RefusesUnknownIntervalsAndLeavingTheRange) {
    EXPECT_FALSE(dateAdd(u"x", 1, kMar5_2024));
    EXPECT_FALSE(dateAdd(u"", 1, kMar5_2024));
    EXPECT_FALSE(dateAdd(u"yyyy", 8000, kMar5_2024));
    EXPECT_FALSE(dateAdd(u"d", 1, 2958465));
    EXPECT_FALSE(dateAdd(u"s", -1, -657434));
    EXPECT_FALSE(dateAdd(u"m", 1e300, kMar5_2024));
    EXPECT_FALSE(dateAdd(u"d", std::nan(""), kMar5_2024));
}

struct DiffCase {
    const char16_t* interval;
    double d1;
    double d2;
    int firstDayOfWeek;
    std::int64_t expected;
};

TEST(DateDiff, CountsIntervalBoundaries) {
    const double from = at(2009, 1, 31);       // a Saturday
    const double to = at(2010, 1, 31, 23, 59); // a Sunday
    const DiffCase cases[] = {
        {u"yyyy", from, to, 1, 1},
        {u"q", from, to, 1, 4},
        {u"m", from, to, 1, 12},
        {u"y", from, to, 1, 365},
        {u"d", from, to, 1, 365},
        {u"w", from, to, 1, 52},
        {u"ww", from, to, 1, 53},
        {u"h", from, to, 1, 8783},
        {u"n", from, to, 1, 527039},
        {u"s", from, to, 1, 31622340},
        {u"yyyy", at(2024, 12, 31), at(2025, 1, 1), 1, 1},
        {u"m", at(2024, 1, 31), at(2024, 2, 1), 1, 1},
        {u"d", at(2024, 3, 5, 23, 59), at(2024, 3, 6, 0, 1), 1, 1},
        {u"h", at(2024, 3, 5, 10, 59), at(2024, 3, 5, 11), 1, 1},
        {u"w", at(2024, 3, 5), at(2024, 3, 11), 1, 0},
        {u"w", at(2024, 3, 5), at(2024, 3, 12), 1, 1},
        {u"w", at(2024, 3, 12), at(2024, 3, 5), 1, -1},
        {u"ww", at(2024, 3, 9), at(2024, 3, 10), 1, 1}, // Saturday to Sunday
        {u"ww", at(2024, 3, 10), at(2024, 3, 16), 1, 0},
        {u"ww", at(2024, 3, 10), at(2024, 3, 11), 2, 1}, // Monday boundary
        {u"ww", at(2024, 3, 11), at(2024, 3, 10), 2, -1},
        {u"d", at(2024, 3, 5), at(2024, 3, 1), 1, -4},
        {u"d", -1.25, 1.25, 1, 2},
        {u"s", -0.5, 0.5, 1, 0},
    };
    for (const auto& c : cases) {
        const auto result = dateDiff(c.interval, c.d1, c.d2, c.firstDayOfWeek);
        ASSERT_TRUE(result);
        EXPECT_EQ(*result, c.expected) << c.d1 << " " << c.d2;
    }
    EXPECT_FALSE(dateDiff(u"weeks", from, to));
}

struct PartCase {
    const char16_t* interval;
    double serial;
    int firstDayOfWeek;
    int firstWeekOfYear;
    int expected;
};

TEST(DatePart, GivesPartsAndWeekNumbers) {
    const double when = kMar5_2024 + kHalfPast10;
    const PartCase cases[] = {
        {u"yyyy", when, 1, 1, 2024},
        {u"q", when, 1, 1, 1},
        {u"m", when, 1, 1, 3},
        {u"y", when, 1, 1, 65},
        {u"d", when, 1, 1, 5},
        {u"w", when, 1, 1, 3},
        {u"w", when, 2, 1, 2},
        {u"h", when, 1, 1, 10},
        {u"n", when, 1, 1, 30},
        {u"s", when, 1, 1, 15},
        {u"ww", when, 1, 1, 10},
        {u"ww", at(2024, 1, 1), 1, 1, 1},
        {u"ww", at(2024, 12, 31), 1, 1, 53},
        {u"ww", at(2022, 12, 31), 1, 1, 53}, // 2022 began on a Saturday
        {u"ww", at(2000, 12, 31), 1, 1, 54}, // leap year begun on a Saturday
        {u"ww", at(2024, 3, 5), 2, 2, 10},   // the ISO week with Monday first
        {u"ww", at(2024, 12, 31), 2, 2, 1},  // belongs to the next year's week 1
        {u"ww", at(2021, 1, 3), 2, 2, 53},   // belongs to the last week of 2020
        {u"ww", at(2027, 1, 1), 2, 2, 53},
        {u"ww", at(2023, 1, 1), 2, 3, 52}, // before the first full week
        {u"ww", at(2023, 1, 2), 2, 3, 1},
        {u"ww", at(2023, 1, 1), 1, 3, 1}, // a Sunday opens the full week
        {u"y", at(2024, 12, 31), 1, 1, 366},
    };
    for (const auto& c : cases) {
        const auto result = datePart(c.interval, c.serial, c.firstDayOfWeek, c.firstWeekOfYear);
        ASSERT_TRUE(result);
        EXPECT_EQ(*result, c.expected)
            << c.serial << " fdw " << c.firstDayOfWeek << " fwy " << c.firstWeekOfYear;
    }
    EXPECT_FALSE(datePart(u"z", when));
}

struct ParseCase {
    const char16_t* text;
    double serial;
};

TEST(ParseDateText, ReadsDatesTimesAndBoth) {
    const ParseCase cases[] = {
        {u"2024-03-05", kMar5_2024},
        {u"3/5/2024", kMar5_2024},
        {u"03/05/2024", kMar5_2024},
        {u"3-5-2024", kMar5_2024},
        {u"3.5.2024", kMar5_2024},
        {u"3/5/24", kMar5_2024},
        {u"2024/3/5", kMar5_2024},
        {u"March 5, 2024", kMar5_2024},
        {u"march 5 2024", kMar5_2024},
        {u"Mar 5, 2024", kMar5_2024},
        {u"5 Mar 2024", kMar5_2024},
        {u"5-MAR-2024", kMar5_2024},
        {u"5 March, 2024", kMar5_2024},
        {u"Tuesday, March 5, 2024", kMar5_2024},
        {u"2024 March 5", kMar5_2024},
        {u"March 2024", at(2024, 3, 1)},
        {u"3/2024", at(2024, 3, 1)},
        {u"Sept 1, 2024", at(2024, 9, 1)},
        {u"25/12/2024", at(2024, 12, 25)},
        {u"3/5", kMar5_2024},
        {u"Mar 5", kMar5_2024},
        {u"5/3/99", at(1999, 5, 3)},
        {u"1/1/30", at(1930, 1, 1)},
        {u"1/1/29", at(2029, 1, 1)},
        {u"1/1/100", -657434},
        {u"10:30", 10.5 / 24},
        {u"10:30:15", kHalfPast10},
        {u"10:30:15 AM", kHalfPast10},
        {u"10:30:15 PM", kHalfPast10 + 0.5},
        {u"10:30pm", 22.5 / 24},
        {u"10 PM", 22.0 / 24},
        {u"10:30 a", 10.5 / 24},
        {u"12:00 AM", 0},
        {u"12:15 PM", 12.25 / 24},
        {u"0:00", 0},
        {u"23:59:59", 86399.0 / 86400},
        {u"3/5/2024 10:30:15 AM", kMar5_2024 + kHalfPast10},
        {u"2024-03-05 10:30:15", kMar5_2024 + kHalfPast10},
        {u"10:30:15 AM 3/5/2024", kMar5_2024 + kHalfPast10},
        {u"March 5, 2024 10:30:15 AM", kMar5_2024 + kHalfPast10},
        {u"  3/5/2024  ", kMar5_2024},
        {u"12/29/1899 6:00", -1.25},
    };
    for (const auto& c : cases) {
        const auto result = parseDateText(c.text, 2024);
        ASSERT_TRUE(result) << std::u16string(c.text).size() << " units, serial " << c.serial;
        EXPECT_DOUBLE_EQ(*result, c.serial) << c.serial;
    }
}

TEST(ParseDateText, RejectsWhatIsNotADate) {
    const char16_t* cases[] = {
        u"",           u"   ",         u"5",
        u"abc",        u"2/30/2024",   u"13/13/2024",
        u"3/5/2024/1", u"1/1/10000",   u"1/1/099",
        u"24:00",      u"10:60",       u"13 PM",
        u"0 AM",       u"10:30:15:01", u"March April 5",
        u"3/5/2024 x", u"10:30 11:30", u"$3/5/2024",
        u"Tuesday",    u"-",           u"99999999999/1/1",
    };
    for (const auto* text : cases)
        EXPECT_FALSE(parseDateText(text, 2024)) << std::u16string(text).size() << " units";
}

TEST(ParseDateText, SurvivesArbitraryTextAndYieldsOnlyValidDates) {
    // Any text a script hands CDate must come back as a valid date or as "not a date".
    const std::u16string alphabet = u"0123456789/-.:, APMapmJanMarchSeptTuesday99999\t\x00e9";
    std::uint32_t state = 12345;
    for (int round = 0; round < 20000; ++round) {
        std::u16string text;
        const int length = static_cast<int>(state % 24);
        for (int i = 0; i < length; ++i) {
            state = state * 1103515245 + 12345;
            text.push_back(alphabet[(state >> 16) % alphabet.size()]);
        }
        state = state * 1103515245 + 12345;
        const auto serial = parseDateText(text, 2024);
        if (serial) {
            ASSERT_TRUE(isValidSerial(*serial)) << round;
        }
    }
}

struct TextCase {
    double serial;
    std::u16string text;
};

TEST(DateText, PrintsUsShortFormDroppingEmptyParts) {
    const TextCase cases[] = {
        {kMar5_2024 + kHalfPast10, u"3/5/2024 10:30:15 AM"},
        {kMar5_2024, u"3/5/2024"},
        {kHalfPast10, u"10:30:15 AM"},
        {0, u"12:00:00 AM"},
        {0.5, u"12:00:00 PM"},
        {kMar5_2024 + 13.0 / 24, u"3/5/2024 1:00:00 PM"},
        {-1.25, u"12/29/1899 6:00:00 AM"},
        {-0.75, u"6:00:00 PM"},
        {2958465, u"12/31/9999"},
        {-657434, u"1/1/100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateText(c.serial), c.text) << c.serial;
}

TEST(FormatDateTime, GivesTheNamedForms) {
    const double when = kMar5_2024 + kHalfPast10;
    EXPECT_EQ(formatDateTime(when), u"3/5/2024 10:30:15 AM");
    EXPECT_EQ(formatDateTime(when, DateFormat::LongDate), u"Tuesday, March 5, 2024");
    EXPECT_EQ(formatDateTime(when, DateFormat::ShortDate), u"3/5/2024");
    EXPECT_EQ(formatDateTime(when, DateFormat::LongTime), u"10:30:15 AM");
    EXPECT_EQ(formatDateTime(when, DateFormat::ShortTime), u"10:30");
    EXPECT_EQ(formatDateTime(kMar5_2024 + 0.9, DateFormat::ShortTime), u"21:36");
    EXPECT_EQ(formatDateTime(kMar5_2024, DateFormat::LongTime), u"12:00:00 AM");
}

TEST(Names, GiveMonthAndWeekdayNames) {
    EXPECT_EQ(monthName(1), u"January");
    EXPECT_EQ(monthName(9, true), u"Sep");
    EXPECT_EQ(monthName(12), u"December");
    EXPECT_EQ(weekdayName(1), u"Sunday");
    EXPECT_EQ(weekdayName(7, true), u"Sat");
    EXPECT_EQ(weekdayName(1, false, 2), u"Monday");
    EXPECT_EQ(weekdayName(7, false, 2), u"Sunday");
    EXPECT_EQ(weekdayName(weekday(kMar5_2024, 4), false, 4), u"Tuesday");
}

TEST(Clock, AgreesWithItself) {
    const double now = nowSerial();
    const double today = todaySerial();
    EXPECT_TRUE(isValidSerial(now));
    EXPECT_EQ(std::floor(today), today);
    EXPECT_GE(now, today);
    EXPECT_LT(now, today + 1.0001);
    const double time = timeSerialNow();
    EXPECT_GE(time, 0);
    EXPECT_LT(time, 1);
    const double timer = timerSeconds();
    EXPECT_GE(timer, 0);
    EXPECT_LT(timer, 86400);
}

} // namespace
