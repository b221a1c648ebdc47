// The script library's date and time algorithms; see date_ops.h.
#include "vbscript/lib/date_ops.h"

#include "vbscript/basic_number.h"
#include "vbscript/lib/text_ops.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <string>
#include <vector>

namespace vbs::lib {

namespace {

constexpr std::int64_t kDaySeconds = 86400;
constexpr std::int64_t kFirstDay = -657434; // 1 Jan 100
constexpr std::int64_t kLastDay = 2958465;  // 31 Dec 9999
// Days from 1 Jan 1970 to 30 Dec 1899 (serial 0).
constexpr std::int64_t kUnixEpochDay = 25569;

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::int64_t floorMod(std::int64_t a, std::int64_t b) {
    return a - floorDiv(a, b) * b;
}

// Days since 1 Jan 1970 of a proleptic Gregorian date (the era-based civil calendar
// computation: 400-year eras of 146097 days, years starting in March).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

bool isLeapYear(std::int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(std::int64_t y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// Day index (serial day) of a date.
std::int64_t dayIndex(std::int64_t y, int m, int d) {
    return daysFromCivil(y, m, d) + kUnixEpochDay;
}

CivilDate civilFromIndex(std::int64_t day) {
    return civilFromDays(day - kUnixEpochDay);
}

// A serial resolved to whole seconds: the day (counted as serials count whole days) and
// the second of that day.
struct Moment {
    std::int64_t day = 0;
    std::int64_t second = 0;

    std::int64_t totalSeconds() const { return day * kDaySeconds + second; }
};

Moment toMoment(double serial) {
    const double whole = std::trunc(serial);
    Moment moment{
        static_cast<std::int64_t>(whole),
        static_cast<std::int64_t>(std::round(std::fabs(serial - whole) * kSecondsPerDay))};
    if (moment.second >= kDaySeconds) {
        moment.second -= kDaySeconds;
        ++moment.day;
    }
    return moment;
}

Moment momentFromSeconds(std::int64_t total) {
    return {floorDiv(total, kDaySeconds), floorMod(total, kDaySeconds)};
}

bool inRange(const Moment& moment) {
    return moment.day >= kFirstDay && moment.day <= kLastDay;
}

double toSerial(const Moment& moment) {
    const double fraction = static_cast<double>(moment.second) / kSecondsPerDay;
    const auto day = static_cast<double>(moment.day);
    return moment.day >= 0 ? day + fraction : day - fraction;
}

std::optional<double> checkedSerial(const Moment& moment) {
    if (!inRange(moment))
        return std::nullopt;
    return toSerial(moment);
}

int normalisedFirstDay(int firstDayOfWeek) {
    return firstDayOfWeek < 1 || firstDayOfWeek > 7 ? kSunday : firstDayOfWeek;
}

// 1..7 counted from firstDayOfWeek; day index 0 (30 Dec 1899) was a Saturday.
int weekdayOfIndex(std::int64_t day, int firstDayOfWeek) {
    const int sundayBased = static_cast<int>(floorMod(day + 6, 7)); // 0 = Sunday
    return static_cast<int>(floorMod(sundayBased - (normalisedFirstDay(firstDayOfWeek) - 1), 7)) +
           1;
}

std::int64_t weekStart(std::int64_t day, int firstDayOfWeek) {
    return day - (weekdayOfIndex(day, firstDayOfWeek) - 1);
}

// The day index on which week 1 of `year` begins.
std::int64_t firstWeekStart(std::int64_t year, int firstDayOfWeek, int firstWeekOfYear) {
    const std::int64_t jan1 = dayIndex(year, 1, 1);
    const std::int64_t start = weekStart(jan1, firstDayOfWeek);
    const std::int64_t daysInYear = start + 7 - jan1; // of the week holding 1 Jan
    if (firstWeekOfYear == kFirstFourDays && daysInYear < 4)
        return start + 7;
    if (firstWeekOfYear == kFirstFullWeek && start != jan1)
        return start + 7;
    return start;
}

int weekOfYear(std::int64_t day, int firstDayOfWeek, int firstWeekOfYear) {
    const std::int64_t year = civilFromIndex(day).year;
    if (firstWeekOfYear != kFirstFourDays && firstWeekOfYear != kFirstFullWeek)
        firstWeekOfYear = kFirstJan1;
    if (firstWeekOfYear == kFirstFourDays &&
        day >= firstWeekStart(year + 1, firstDayOfWeek, firstWeekOfYear))
        return 1;
    std::int64_t start = firstWeekStart(year, firstDayOfWeek, firstWeekOfYear);
    if (day < start)
        start = firstWeekStart(year - 1, firstDayOfWeek, firstWeekOfYear);
    return static_cast<int>((day - start) / 7 + 1);
}

std::u16string lowered(std::u16string_view text) {
    return lCase(text);
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

std::optional<Interval> intervalOf(std::u16string_view text) {
    static const std::pair<std::u16string_view, Interval> kIntervals[] = {
        {u"yyyy", Interval::Year},   {u"q", Interval::Quarter}, {u"m", Interval::Month},
        {u"y", Interval::DayOfYear}, {u"d", Interval::Day},     {u"w", Interval::Weekday},
        {u"ww", Interval::Week},     {u"h", Interval::Hour},    {u"n", Interval::Minute},
        {u"s", Interval::Second}};
    const std::u16string key = lowered(text);
    for (const auto& [name, interval] : kIntervals) {
        if (key == name)
            return interval;
    }
    return std::nullopt;
}

std::optional<double> addMonths(const Moment& moment, std::int64_t months) {
    const CivilDate date = civilFromIndex(moment.day);
    const std::int64_t total = date.year * 12 + (date.month - 1) + months;
    const std::int64_t year = floorDiv(total, 12);
    if (year < 100 || year > 9999)
        return std::nullopt;
    const int month = static_cast<int>(floorMod(total, 12)) + 1;
    const int day = std::min(date.day, daysInMonth(year, month));
    return checkedSerial({dayIndex(year, month, day), moment.second});
}

std::int64_t twoDigitYear(std::int64_t year) {
    if (year >= 0 && year <= 29)
        return year + 2000;
    if (year >= 30 && year <= 99)
        return year + 1900;
    return year;
}

std::string twoDigits(std::int64_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string shortDateText(const Moment& moment) {
    const CivilDate date = civilFromIndex(moment.day);
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
}

std::string longTimeText(const Moment& moment) {
    const std::int64_t hour = moment.second / 3600;
    const std::int64_t hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(hour12) + ":" + twoDigits(moment.second / 60 % 60) + ":" +
           twoDigits(moment.second % 60) + (hour < 12 ? " AM" : " PM");
}

// --- Reading dates from text -----------------------------------------------------------

struct Token {
    enum Kind { Number, Month, Meridiem, Colon, DateSeparator } kind;
    int value = 0;  // the number, the month (1..12), or 0 for AM / 12 for PM
    int digits = 0; // how many digits a number had
};

bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Words: month names (in full, three letters, or "sept"), weekday names (skipped), AM/PM.
std::optional<std::optional<Token>> wordToken(const std::u16string& word) {
    for (int m = 0; m < 12; ++m) {
        const std::u16string name = lowered(widen(kMonthNames[m]));
        if (word == name || word == name.substr(0, 3) || (m == 8 && word == u"sept"))
            return Token{Token::Month, m + 1};
    }
    for (const char* day : kWeekdayNames) {
        const std::u16string name = lowered(widen(day));
        if (word == name || word == name.substr(0, 3))
            return std::optional<Token>{};
    }
    if (word == u"am" || word == u"a")
        return Token{Token::Meridiem, 0};
    if (word == u"pm" || word == u"p")
        return Token{Token::Meridiem, 12};
    return std::nullopt;
}

std::optional<std::vector<Token>> tokenize(std::u16string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (isDigit(c)) {
            Token number{Token::Number};
            for (; i < text.size() && isDigit(text[i]); ++i) {
                if (number.value > 100000)
                    return std::nullopt;
                number.value = number.value * 10 + (text[i] - u'0');
                ++number.digits;
            }
            tokens.push_back(number);
        } else if (isLetter(c)) {
            std::u16string word;
            for (; i < text.size() && isLetter(text[i]); ++i)
                word.push_back(toLower(text[i]));
            const auto token = wordToken(word);
            if (!token)
                return std::nullopt;
            if (*token)
                tokens.push_back(**token);
        } else if (c == u':') {
            tokens.push_back({Token::Colon});
            ++i;
        } else if (c == u'/' || c == u'-' || c == u'.') {
            tokens.push_back({Token::DateSeparator});
            ++i;
        } else if (c == u' ' || c == u',' || c == u'\t') {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

struct ParsedTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Takes the time (h:m[:s] [AM|PM], or h AM|PM) out of the tokens, leaving the date's.
// Returns false when the tokens hold a malformed time or more than one.
bool extractTime(std::vector<Token>& tokens, std::optional<ParsedTime>& time) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Number)
            continue;
        std::size_t end = i + 1;
        int parts[3] = {tokens[i].value, 0, 0};
        int count = 1;
        while (count < 3 && end + 1 < tokens.size() && tokens[end].kind == Token::Colon &&
               tokens[end + 1].kind == Token::Number) {
            parts[count++] = tokens[end + 1].value;
            end += 2;
        }
        const bool meridiem = end < tokens.size() && tokens[end].kind == Token::Meridiem;
        if (count == 1 && !meridiem)
            continue;
        if (time || (end < tokens.size() && tokens[end].kind == Token::Colon))
            return false;
        ParsedTime parsed{parts[0], parts[1], parts[2]};
        if (meridiem) {
            if (parsed.hour < 1 || parsed.hour > 12)
                return false;
            parsed.hour = parsed.hour % 12 + tokens[end].value;
            ++end;
        }
        if (parsed.hour > 23 || parsed.minute > 59 || parsed.second > 59)
            return false;
        time = parsed;
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                     tokens.begin() + static_cast<std::ptrdiff_t>(end));
        --i;
    }
    for (const Token& token : tokens) {
        if (token.kind == Token::Colon || token.kind == Token::Meridiem)
            return false;
    }
    return true;
}

bool looksLikeYear(const Token& number) {
    return number.digits >= 3 || number.value > 31;
}

std::optional<std::int64_t> dateIndexOf(std::int64_t year, int month, int day, bool shortYear) {
    if (shortYear)
        year = twoDigitYear(year);
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return dayIndex(year, month, day);
}

std::optional<std::int64_t> dateFromNumbers(const std::vector<Token>& numbers, int currentYear) {
    if (numbers.size() == 3) {
        const Token& a = numbers[0];
        const Token& b = numbers[1];
        const Token& c = numbers[2];
        if (looksLikeYear(a))
            return dateIndexOf(a.value, b.value, c.value, a.digits <= 2);
        if (a.value > 12 && b.value <= 12)
            return dateIndexOf(c.value, b.value, a.value, c.digits <= 2);
        return dateIndexOf(c.value, a.value, b.value, c.digits <= 2);
    }
    if (numbers.size() == 2) {
        const Token& a = numbers[0];
        const Token& b = numbers[1];
        if (looksLikeYear(a))
            return dateIndexOf(a.value, b.value, 1, false);
        if (looksLikeYear(b))
            return dateIndexOf(b.value, a.value, 1, false);
        if (a.value > 12 && b.value <= 12)
            return dateIndexOf(currentYear, b.value, a.value, false);
        return dateIndexOf(currentYear, a.value, b.value, false);
    }
    return std::nullopt;
}

std::optional<std::int64_t> dateWithMonthName(int month, const std::vector<Token>& numbers,
                                              int currentYear) {
    if (numbers.size() == 2) {
        const Token& a = numbers[0];
        const Token& b = numbers[1];
        if (looksLikeYear(a))
            return dateIndexOf(a.value, month, b.value, false);
        return dateIndexOf(b.value, month, a.value, b.digits <= 2);
    }
    if (numbers.size() == 1) {
        const Token& a = numbers[0];
        if (looksLikeYear(a))
            return dateIndexOf(a.value, month, 1, false);
        return dateIndexOf(currentYear, month, a.value, false);
    }
    return std::nullopt;
}

std::optional<std::int64_t> parseDatePart(const std::vector<Token>& tokens, int currentYear) {
    std::vector<Token> numbers;
    std::optional<int> month;
    for (const Token& token : tokens) {
        if (token.kind == Token::Number) {
            numbers.push_back(token);
        } else if (token.kind == Token::Month) {
            if (month)
                return std::nullopt;
            month = token.value;
        }
    }
    return month ? dateWithMonthName(*month, numbers, currentYear)
                 : dateFromNumbers(numbers, currentYear);
}

} // namespace

bool isValidSerial(double serial) {
    return std::isfinite(serial) && serial > kMinDateSerial - 1 && serial < kLastDaySerial + 1 &&
           inRange(toMoment(serial));
}

DateTimeParts splitSerial(double serial) {
    const Moment moment = toMoment(serial);
    const CivilDate date = civilFromIndex(moment.day);
    return {static_cast<int>(date.year),
            date.month,
            date.day,
            static_cast<int>(moment.second / 3600),
            static_cast<int>(moment.second / 60 % 60),
            static_cast<int>(moment.second % 60)};
}

int weekday(double serial, int firstDayOfWeek) {
    return weekdayOfIndex(toMoment(serial).day, firstDayOfWeek);
}

std::optional<double> dateSerial(int year, int month, int day) {
    const std::int64_t totalMonths = twoDigitYear(year) * 12 + (month - 1);
    const std::int64_t normalYear = floorDiv(totalMonths, 12);
    if (normalYear < 0 || normalYear > 10000)
        return std::nullopt;
    const int normalMonth = static_cast<int>(floorMod(totalMonths, 12)) + 1;
    return checkedSerial({dayIndex(normalYear, normalMonth, 1) + (day - 1), 0});
}

std::optional<double> timeSerial(int hour, int minute, int second) {
    const std::int64_t total = std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
    return checkedSerial(momentFromSeconds(total));
}

std::optional<double> dateAdd(std::u16string_view interval, double count, double serial) {
    const auto kind = intervalOf(interval);
    if (!kind)
        return std::nullopt;
    // Far beyond the whole range in any unit; keeps the arithmetic below from overflowing.
    constexpr double kMaxStep = 1e12;
    const double whole = basic::roundHalfEven(count);
    if (!(whole >= -kMaxStep && whole <= kMaxStep))
        return std::nullopt;
    const auto number = static_cast<std::int64_t>(whole);
    const Moment moment = toMoment(serial);
    switch (*kind) {
    case Interval::Year:
        return addMonths(moment, number * 12);
    case Interval::Quarter:
        return addMonths(moment, number * 3);
    case Interval::Month:
        return addMonths(moment, number);
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        return checkedSerial({moment.day + number, moment.second});
    case Interval::Week:
        return checkedSerial({moment.day + number * 7, moment.second});
    case Interval::Hour:
        return checkedSerial(momentFromSeconds(moment.totalSeconds() + number * 3600));
    case Interval::Minute:
        return checkedSerial(momentFromSeconds(moment.totalSeconds() + number * 60));
    case Interval::Second:
        return checkedSerial(momentFromSeconds(moment.totalSeconds() + number));
    }
    return std::nullopt;
}

std::optional<std::int64_t> dateDiff(std::u16string_view interval, double d1, double d2,
                                     int firstDayOfWeek, int /*firstWeekOfYear*/) {
    const auto kind = intervalOf(interval);
    if (!kind)
        return std::nullopt;
    const Moment a = toMoment(d1);
    const Moment b = toMoment(d2);
    const CivilDate dateA = civilFromIndex(a.day);
    const CivilDate dateB = civilFromIndex(b.day);
    switch (*kind) {
    case Interval::Year:
        return dateB.year - dateA.year;
    case Interval::Quarter:
        return (dateB.year * 4 + (dateB.month - 1) / 3) - (dateA.year * 4 + (dateA.month - 1) / 3);
    case Interval::Month:
        return (dateB.year * 12 + dateB.month) - (dateA.year * 12 + dateA.month);
    case Interval::DayOfYear:
    case Interval::Day:
        return b.day - a.day;
    case Interval::Weekday:
        return (b.day - a.day) / 7;
    case Interval::Week:
        return (weekStart(b.day, firstDayOfWeek) - weekStart(a.day, firstDayOfWeek)) / 7;
    case Interval::Hour:
        return floorDiv(b.totalSeconds(), 3600) - floorDiv(a.totalSeconds(), 3600);
    case Interval::Minute:
        return floorDiv(b.totalSeconds(), 60) - floorDiv(a.totalSeconds(), 60);
    case Interval::Second:
        return b.totalSeconds() - a.totalSeconds();
    }
    return std::nullopt;
}

std::optional<int> datePart(std::u16string_view interval, double serial, int firstDayOfWeek,
                            int firstWeekOfYear) {
    const auto kind = intervalOf(interval);
    if (!kind)
        return std::nullopt;
    const Moment moment = toMoment(serial);
    const CivilDate date = civilFromIndex(moment.day);
    switch (*kind) {
    case Interval::Year:
        return static_cast<int>(date.year);
    case Interval::Quarter:
        return (date.month - 1) / 3 + 1;
    case Interval::Month:
        return date.month;
    case Interval::DayOfYear:
        return static_cast<int>(moment.day - dayIndex(date.year, 1, 1) + 1);
    case Interval::Day:
        return date.day;
    case Interval::Weekday:
        return weekdayOfIndex(moment.day, firstDayOfWeek);
    case Interval::Week:
        return weekOfYear(moment.day, firstDayOfWeek, firstWeekOfYear);
    case Interval::Hour:
        return static_cast<int>(moment.second / 3600);
    case Interval::Minute:
        return static_cast<int>(moment.second / 60 % 60);
    case Interval::Second:
        return static_cast<int>(moment.second % 60);
    }
    return std::nullopt;
}

std::optional<double> parseDateText(std::u16string_view text, int currentYear) {
    auto tokens = tokenize(text);
    if (!tokens || tokens->empty())
        return std::nullopt;
    std::optional<ParsedTime> time;
    if (!extractTime(*tokens, time))
        return std::nullopt;
    std::int64_t day = 0;
    bool hasDate = false;
    for (const Token& token : *tokens) {
        if (token.kind != Token::DateSeparator)
            hasDate = true;
    }
    if (hasDate) {
        const auto parsed = parseDatePart(*tokens, currentYear);
        if (!parsed)
            return std::nullopt;
        day = *parsed;
    } else if (!tokens->empty() || !time) {
        return std::nullopt;
    }
    const std::int64_t second = time ? time->hour * 3600 + time->minute * 60 + time->second : 0;
    return toSerial({day, second});
}

std::optional<double> parseDateText(std::u16string_view text) {
    return parseDateText(text, splitSerial(todaySerial()).year);
}

std::u16string dateText(double serial) {
    const Moment moment = toMoment(serial);
    if (moment.day == 0)
        return widen(longTimeText(moment));
    if (moment.second == 0)
        return widen(shortDateText(moment));
    return widen(shortDateText(moment) + " " + longTimeText(moment));
}

std::u16string formatDateTime(double serial, DateFormat format) {
    const Moment moment = toMoment(serial);
    switch (format) {
    case DateFormat::LongDate: {
        const CivilDate date = civilFromIndex(moment.day);
        return widen(std::string(kWeekdayNames[weekdayOfIndex(moment.day, kSunday) - 1]) + ", " +
                     kMonthNames[date.month - 1] + " " + std::to_string(date.day) + ", " +
                     std::to_string(date.year));
    }
    case DateFormat::ShortDate:
        return widen(shortDateText(moment));
    case DateFormat::LongTime:
        return widen(longTimeText(moment));
    case DateFormat::ShortTime:
        return widen(twoDigits(moment.second / 3600) + ":" + twoDigits(moment.second / 60 % 60));
    case DateFormat::General:
        break;
    }
    return dateText(serial);
}

std::u16string monthName(int month, bool abbreviate) {
    const std::u16string name = widen(kMonthNames[static_cast<std::size_t>(month - 1) % 12]);
    return abbreviate ? name.substr(0, 3) : name;
}

std::u16string weekdayName(int weekday, bool abbreviate, int firstDayOfWeek) {
    const auto index = floorMod(weekday - 1 + normalisedFirstDay(firstDayOfWeek) - 1, 7);
    const std::u16string name = widen(kWeekdayNames[static_cast<std::size_t>(index)]);
    return abbreviate ? name.substr(0, 3) : name;
}

namespace {

struct LocalClock {
    std::int64_t day;
    std::int64_t second;
    double fraction;
};

LocalClock readLocalClock() {
    const auto now = std::chrono::system_clock::now();
    const auto sinceEpoch = now.time_since_epoch();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double fraction = std::chrono::duration<double>(
                                sinceEpoch - std::chrono::floor<std::chrono::seconds>(sinceEpoch))
                                .count();
    return {dayIndex(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
            local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec, fraction};
}

} // namespace

double nowSerial() {
    const LocalClock clock = readLocalClock();
    return toSerial({clock.day, clock.second});
}

double todaySerial() {
    return static_cast<double>(readLocalClock().day);
}

double timeSerialNow() {
    return toSerial({0, readLocalClock().second});
}

double timerSeconds() {
    const LocalClock clock = readLocalClock();
    return static_cast<double>(clock.second) + clock.fraction;
}

} // namespace vbs::lib
