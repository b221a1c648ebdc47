// The string algorithms behind the script library's text built-ins; see text_ops.h.
#include "vbscript/lib/text_ops.h"

#include <algorithm>

namespace vbs::lib {

namespace {

bool sameUnit(char16_t a, char16_t b, CompareMode mode) {
    return a == b || (mode == CompareMode::Text && toLower(a) == toLower(b));
}

bool matchesAt(std::u16string_view text, std::size_t at, std::u16string_view find,
               CompareMode mode) {
    if (at + find.size() > text.size())
        return false;
    for (std::size_t i = 0; i < find.size(); ++i) {
        if (!sameUnit(text[at + i], find[i], mode))
            return false;
    }
    return true;
}

// 0-based index of the first `find` at or after `from`, or npos.
std::size_t findFrom(std::u16string_view text, std::u16string_view find, std::size_t from,
                     CompareMode mode) {
    if (mode == CompareMode::Binary)
        return text.find(find, from);
    for (std::size_t at = from; at + find.size() <= text.size(); ++at) {
        if (matchesAt(text, at, find, mode))
            return at;
    }
    return std::u16string_view::npos;
}

// Case pairs where the capital and the small letter sit next to each other, capital on
// the even (evenCapital) or the odd code unit.
struct AdjacentPairs {
    char16_t first;
    char16_t last;
    bool evenCapital;
};
constexpr AdjacentPairs kAdjacentPairs[] = {{0x0100, 0x0137, true},
                                            {0x0139, 0x0148, false},
                                            {0x014A, 0x0177, true},
                                            {0x0179, 0x017E, false}};

// Case pairs a fixed distance apart: capitals in [first, last], small letters at +offset.
struct OffsetPairs {
    char16_t first;
    char16_t last;
    char16_t offset;
};
constexpr OffsetPairs kOffsetPairs[] = {
    {u'A', u'Z', 0x20},     {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20}, {0x0391, 0x03A1, 0x20},
    {0x03A3, 0x03AB, 0x20}, {0x0410, 0x042F, 0x20}, {0x0400, 0x040F, 0x50}};

constexpr char16_t kCapitalYDiaeresis = 0x0178;
constexpr char16_t kSmallYDiaeresis = 0x00FF;

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// The value of `count` hex digits at text[at...], or -1 when any is missing or not a digit.
int hexValue(std::u16string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size())
        return -1;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = hexDigitValue(text[at + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool leftAloneByEscape(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
        return true;
    return std::u16string_view(u"@*_+-./").find(c) != std::u16string_view::npos;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Digits of `value` (as an unsigned number of `bits` bits) in base 2^shift.
std::u16string radixText(std::int32_t value, int bits, int shift) {
    std::uint32_t rest = static_cast<std::uint32_t>(value);
    if (bits < 32)
        rest &= (std::uint32_t{1} << bits) - 1;
    const std::uint32_t mask = (std::uint32_t{1} << shift) - 1;
    std::u16string digits;
    do {
        digits.push_back(static_cast<char16_t>(kHexDigits[rest & mask]));
        rest >>= shift;
    } while (rest != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t inStr(std::u16string_view text, std::u16string_view find, std::size_t start,
                  CompareMode mode) {
    if (text.empty() || start > text.size() + 1)
        return 0;
    if (find.empty())
        return start;
    const std::size_t at = findFrom(text, find, start - 1, mode);
    return at == std::u16string_view::npos ? 0 : at + 1;
}

std::size_t inStrRev(std::u16string_view text, std::u16string_view find, std::int64_t start,
                     CompareMode mode) {
    if (text.empty())
        return 0;
    const std::size_t end = start < 0 ? text.size() : static_cast<std::size_t>(start);
    if (end > text.size())
        return 0;
    if (find.empty())
        return end;
    if (find.size() > end)
        return 0;
    for (std::size_t at = end - find.size() + 1; at-- > 0;) {
        if (matchesAt(text, at, find, mode))
            return at + 1;
    }
    return 0;
}

std::u16string replace(std::u16string_view text, std::u16string_view find, std::u16string_view with,
                       std::size_t start, std::int64_t count, CompareMode mode) {
    if (start > text.size())
        return {};
    const std::u16string_view rest = text.substr(start - 1);
    if (find.empty() || count == 0)
        return std::u16string(rest);
    std::u16string result;
    std::size_t from = 0;
    std::int64_t done = 0;
    while (count < 0 || done < count) {
        const std::size_t at = findFrom(rest, find, from, mode);
        if (at == std::u16string_view::npos)
            break;
        result.append(rest.substr(from, at - from));
        result.append(with);
        from = at + find.size();
        ++done;
    }
    result.append(rest.substr(from));
    return result;
}

std::vector<std::u16string> split(std::u16string_view text, std::u16string_view delimiter,
                                  std::int64_t limit, CompareMode mode) {
    std::vector<std::u16string> pieces;
    if (text.empty() || limit == 0)
        return pieces;
    if (delimiter.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t from = 0;
    while (limit < 0 || static_cast<std::int64_t>(pieces.size()) + 1 < limit) {
        const std::size_t at = findFrom(text, delimiter, from, mode);
        if (at == std::u16string_view::npos)
            break;
        pieces.emplace_back(text.substr(from, at - from));
        from = at + delimiter.size();
    }
    pieces.emplace_back(text.substr(from));
    return pieces;
}

std::u16string join(const std::vector<std::u16string>& items, std::u16string_view delimiter) {
    std::u16string result;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            result.append(delimiter);
        result.append(items[i]);
    }
    return result;
}

std::vector<std::u16string> filter(const std::vector<std::u16string>& items,
                                   std::u16string_view value, bool include, CompareMode mode) {
    std::vector<std::u16string> kept;
    for (const auto& item : items) {
        const bool contains = findFrom(item, value, 0, mode) != std::u16string_view::npos;
        if (contains == include)
            kept.push_back(item);
    }
    return kept;
}

int strComp(std::u16string_view a, std::u16string_view b, CompareMode mode) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = mode == CompareMode::Text ? toLower(a[i]) : a[i];
        const char16_t y = mode == CompareMode::Text ? toLower(b[i]) : b[i];
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::u16string strReverse(std::u16string_view text) {
    return std::u16string(text.rbegin(), text.rend());
}

char16_t toLower(char16_t c) {
    for (const auto& range : kOffsetPairs) {
        if (c >= range.first && c <= range.last)
            return static_cast<char16_t>(c + range.offset);
    }
    for (const auto& range : kAdjacentPairs) {
        if (c >= range.first && c <= range.last && ((c % 2 == 0) == range.evenCapital))
            return static_cast<char16_t>(c + 1);
    }
    return c == kCapitalYDiaeresis ? kSmallYDiaeresis : c;
}

char16_t toUpper(char16_t c) {
    for (const auto& range : kOffsetPairs) {
        if (c >= range.first + range.offset && c <= range.last + range.offset)
            return static_cast<char16_t>(c - range.offset);
    }
    for (const auto& range : kAdjacentPairs) {
        if (c > range.first && c <= range.last && ((c % 2 == 0) != range.evenCapital))
            return static_cast<char16_t>(c - 1);
    }
    return c == kSmallYDiaeresis ? kCapitalYDiaeresis : c;
}

std::u16string lCase(std::u16string_view text) {
    std::u16string result(text);
    std::transform(result.begin(), result.end(), result.begin(), toLower);
    return result;
}

std::u16string uCase(std::u16string_view text) {
    std::u16string result(text);
    std::transform(result.begin(), result.end(), result.begin(), toUpper);
    return result;
}

std::u16string lTrim(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    return first == std::u16string_view::npos ? std::u16string()
                                              : std::u16string(text.substr(first));
}

std::u16string rTrim(std::u16string_view text) {
    const std::size_t last = text.find_last_not_of(u' ');
    return last == std::u16string_view::npos ? std::u16string()
                                             : std::u16string(text.substr(0, last + 1));
}

std::u16string trim(std::u16string_view text) {
    return lTrim(rTrim(text));
}

std::u16string space(std::size_t count) {
    return std::u16string(count, u' ');
}

std::u16string repeatChar(std::size_t count, char16_t c) {
    return std::u16string(count, c);
}

std::u16string escape(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (const char16_t c : text) {
        if (leftAloneByEscape(c)) {
            result.push_back(c);
            continue;
        }
        result.push_back(u'%');
        if (c >= 0x100) {
            result.push_back(u'u');
            result.push_back(static_cast<char16_t>(kHexDigits[(c >> 12) & 0xF]));
            result.push_back(static_cast<char16_t>(kHexDigits[(c >> 8) & 0xF]));
        }
        result.push_back(static_cast<char16_t>(kHexDigits[(c >> 4) & 0xF]));
        result.push_back(static_cast<char16_t>(kHexDigits[c & 0xF]));
    }
    return result;
}

std::u16string unescape(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%') {
            if (i + 1 < text.size() && text[i + 1] == u'u') {
                const int value = hexValue(text, i + 2, 4);
                if (value >= 0) {
                    result.push_back(static_cast<char16_t>(value));
                    i += 5;
                    continue;
                }
            }
            const int value = hexValue(text, i + 1, 2);
            if (value >= 0) {
                result.push_back(static_cast<char16_t>(value));
                i += 2;
                continue;
            }
        }
        result.push_back(text[i]);
    }
    return result;
}

std::u16string hexText(std::int32_t value, int bits) {
    return radixText(value, bits, 4);
}

std::u16string octText(std::int32_t value, int bits) {
    return radixText(value, bits, 3);
}

std::u16string utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            smallest = 0x10000;
        }
        std::size_t used = 1;
        while (used < length && i + used < bytes.size() &&
               isContinuation(static_cast<unsigned char>(bytes[i + used]))) {
            cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + used]) & 0x3F);
            ++used;
        }
        const bool valid = length != 0 && used == length && cp >= smallest && cp <= 0x10FFFF &&
                           !(cp >= 0xD800 && cp <= 0xDFFF);
        appendUtf16(out, valid ? cp : kReplacement);
        i += used;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        char32_t cp = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            cp = kReplacement;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string utf16ToLittleEndian(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::u16string littleEndianToUtf16(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return text;
}

std::u16string decodeScriptFile(std::string_view bytes) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
    constexpr std::string_view kUtf16BigMark = "\xFE\xFF";
    if (bytes.starts_with(kUtf8Mark))
        return utf8ToUtf16(bytes.substr(kUtf8Mark.size()));
    const bool little = bytes.starts_with(kUtf16LittleMark);
    if (!little && !bytes.starts_with(kUtf16BigMark))
        return utf8ToUtf16(bytes);
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second));
    }
    if (bytes.size() % 2 != 0)
        text.push_back(static_cast<char16_t>(kReplacement));
    return text;
}

std::u16string widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace vbs::lib
