// The script library's date and time algorithms: date serials, DateSerial/TimeSerial,
// DateAdd/DateDiff/DatePart, reading dates from text, the default text and FormatDateTime
// forms (US conventions), and the clock. Free of the engine's values.
//
// A date is a serial: a double counting days since 30 Dec 1899 (serial 0), the fraction
// being the time of day. For negative serials the whole part counts days backwards while
// the fraction still counts forward: -1.25 is 29 Dec 1899 06:00, so -0.5 and 0.5 are the
// same moment. Valid dates run from 1 Jan 100 (serial -657434) to 31 Dec 9999 23:59:59.
// Times resolve to whole seconds: a fraction is rounded to the nearest second (halves up),
// and rounding past midnight moves to the next day.
//
// Functions that can leave that range return std::nullopt; the caller raises error 5
// "Invalid procedure call or argument" for DateSerial, TimeSerial and DateAdd, error 6
// "Overflow" when CDate converts a number outside the range (see isValidSerial), and
// error 13 "Type mismatch" when text does not read as a date (IsDate gives False).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vbs::lib {

constexpr double kMinDateSerial = -657434.0; // 1 Jan 100
constexpr double kLastDaySerial = 2958465.0; // 31 Dec 9999
constexpr double kSecondsPerDay = 86400.0;

// firstdayofweek: 1 vbSunday .. 7 vbSaturday; 0 (vbUseSystemDayOfWeek) means Sunday here.
// Other values are the caller's error 5.
// firstweekofyear: 1 vbFirstJan1, 2 vbFirstFourDays, 3 vbFirstFullWeek; 0 (vbUseSystem)
// means vbFirstJan1 here.
constexpr int kSunday = 1;
constexpr int kFirstJan1 = 1;
constexpr int kFirstFourDays = 2;
constexpr int kFirstFullWeek = 3;

// True when the serial lies within 1 Jan 100 .. 31 Dec 9999 23:59:59 (and is finite).
bool isValidSerial(double serial);

// The parts of a serial, seconds rounded as described above.
struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
DateTimeParts splitSerial(double serial);

// Weekday: 1..7 counted from firstDayOfWeek (with Sunday first, Sunday is 1).
int weekday(double serial, int firstDayOfWeek = kSunday);

// DateSerial: the month and the day may run over or under (DateSerial(2024, 14, 0) is
// 31 Jan 2025, DateSerial(2024, 3, -1) is 28 Feb 2024). Years 0..29 mean 2000..2029 and
// 30..99 mean 1930..1999. A pure date (no time). nullopt outside the valid range.
std::optional<double> dateSerial(int year, int month, int day);

// TimeSerial: hours, minutes and seconds may run over or under; the result is the time
// counted from 30 Dec 1899 00:00 (TimeSerial(25, 0, 0) is 31 Dec 1899 01:00,
// TimeSerial(0, -1, 0) is 29 Dec 1899 23:59). nullopt outside the valid range.
std::optional<double> timeSerial(int hour, int minute, int second);

// DateAdd with interval "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n" or "s" (any case).
// Months, quarters and years keep the time and clamp the day to the end of the target
// month (31 Jan + 1 month is 29 Feb 2024); "y", "d" and "w" add days, "ww" weeks.
// A number that is not whole is first rounded to the nearest whole number (halves to even,
// as CLng rounds). nullopt for an unknown interval (the caller's error 5) or a result
// outside the range.
std::optional<double> dateAdd(std::u16string_view interval, double number, double serial);

// DateDiff: the number of interval boundaries crossed from d1 to d2 (negative when d2 is
// earlier). "yyyy", "q", "m": calendar year/quarter/month boundaries; "y", "d": midnights;
// "w": whole spans of 7 days; "ww": firstDayOfWeek boundaries (counting d2's, not d1's);
// "h", "n": hour/minute boundaries; "s": seconds. firstWeekOfYear does not change any
// count. nullopt for an unknown interval. The caller raises error 6 when the count does
// not fit a Long.
std::optional<std::int64_t> dateDiff(std::u16string_view interval, double d1, double d2,
                                     int firstDayOfWeek = kSunday,
                                     int firstWeekOfYear = kFirstJan1);

// DatePart: "yyyy" year, "q" quarter, "m" month, "y" day of the year, "d" day, "w" weekday
// (counted from firstDayOfWeek), "ww" week of the year, "h", "n", "s". Weeks: with
// vbFirstJan1 the week holding 1 Jan is week 1 and the year's last days may reach week 53
// or 54; with vbFirstFourDays / vbFirstFullWeek the days before week 1 belong to the last
// week of the previous year, and with vbFirstFourDays the last days of December that fall
// in the next year's week 1 are week 1. nullopt for an unknown interval.
std::optional<int> datePart(std::u16string_view interval, double serial,
                            int firstDayOfWeek = kSunday, int firstWeekOfYear = kFirstJan1);

// Reads a date, a time, or both, as CDate, IsDate and #...# literals accept them (any
// case, blanks and commas between the parts):
//  - numeric dates with "/", "-" or ".": m/d/y ("3/5/2024"); y-m-d when the first number
//    has three or more digits or exceeds 31 ("2024-03-05"); d/m/y when the first number
//    cannot be a month but the second can ("25/12/2024"); m/d alone takes currentYear;
//    m/y ("3/2024") is the first of that month;
//  - month names in full or as three letters (also "Sept"), before or after the day:
//    "March 5, 2024", "Mar 5 2024", "5 Mar 2024", "5-Mar-2024", "March 2024" (the
//    first), "Mar 5" (currentYear); a leading weekday name is skipped;
//  - two-digit years as in dateSerial;
//  - times "10:30", "10:30:15", "10:30:15 PM", "10 PM", "10:30am", "10:30 a" (12 AM is
//    midnight, 12 PM noon), before or after the date.
// Dates are not normalised (31 Feb fails). A pure time gives a serial in [0, 1).
std::optional<double> parseDateText(std::u16string_view text, int currentYear);
std::optional<double> parseDateText(std::u16string_view text); // currentYear from the clock

// The default text of a date (CStr, "&", Echo) in the US short form: "3/5/2024 10:30:15 AM";
// a serial whose date is 30 Dec 1899 prints only its time ("10:30:15 AM", and "12:00:00 AM"
// for 0), a serial without a time only its date ("3/5/2024").
std::u16string dateText(double serial);

// FormatDateTime's named formats.
enum class DateFormat {
    General = 0,   // as dateText
    LongDate = 1,  // "Tuesday, March 5, 2024"
    ShortDate = 2, // "3/5/2024"
    LongTime = 3,  // "10:30:15 AM"
    ShortTime = 4, // "10:30" (24-hour)
};
std::u16string formatDateTime(double serial, DateFormat format = DateFormat::General);

// MonthName(1..12) and WeekdayName(1..7, counted from firstDayOfWeek), in English;
// abbreviations are three letters. Out-of-range numbers are the caller's error 5.
std::u16string monthName(int month, bool abbreviate = false);
std::u16string weekdayName(int weekday, bool abbreviate = false, int firstDayOfWeek = kSunday);

// The local clock: Now (date and time, whole seconds), Date (today, no time), Time (the time
// of day, whole seconds) and Timer (seconds since local midnight, with a fraction).
double nowSerial();
double todaySerial();
double timeSerialNow();
double timerSeconds();

} // namespace vbs::lib
