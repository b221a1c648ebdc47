// Tests of the text built-ins' algorithms: searching, replacing, splitting, case, trimming,
// escaping, Hex/Oct and the UTF-8 <-> UTF-16 conversion of script files.
#include "vbscript/lib/text_ops.h"

#include <gtest/gtest.h>

using namespace vbs::lib;

namespace {

constexpr auto Binary = CompareMode::Binary;
constexpr auto Text = CompareMode::Text;

struct InStrCase {
    std::u16string text;
    std::u16string find;
    std::size_t start;
    CompareMode mode;
    std::size_t expected;
};

TEST(InStr, FindsOneBasedPositionsFromStart) {
    const InStrCase cases[] = {
        {u"abcabc", u"bc", 1, Binary, 2}, {u"abcabc", u"bc", 3, Binary, 5},
        {u"abcabc", u"BC", 1, Binary, 0}, {u"abcabc", u"BC", 1, Text, 2},
        {u"abc", u"", 2, Binary, 2},      {u"abc", u"", 4, Binary, 4},
        {u"abc", u"", 5, Binary, 0},      {u"", u"", 1, Binary, 0},
        {u"", u"a", 1, Binary, 0},        {u"abc", u"c", 4, Binary, 0},
        {u"abc", u"abcd", 1, Binary, 0},  {u"ÄÖÜ", u"ö", 1, Text, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inStr(c.text, c.find, c.start, c.mode), c.expected) << "start " << c.start;
}

struct InStrRevCase {
    std::u16string text;
    std::u16string find;
    std::int64_t start;
    CompareMode mode;
    std::size_t expected;
};

TEST(InStrRev, FindsLastOccurrenceEndingWithinStart) {
    const InStrRevCase cases[] = {
        {u"abcabc", u"bc", -1, Binary, 5}, {u"abcabc", u"bc", 5, Binary, 2},
        {u"abcabc", u"bc", 6, Binary, 5},  {u"abcabc", u"BC", -1, Text, 5},
        {u"abcabc", u"x", -1, Binary, 0},  {u"abc", u"", -1, Binary, 3},
        {u"abc", u"", 2, Binary, 2},       {u"abc", u"a", 4, Binary, 0},
        {u"", u"a", -1, Binary, 0},        {u"abc", u"abcd", -1, Binary, 0},
        {u"aaa", u"aa", -1, Binary, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inStrRev(c.text, c.find, c.start, c.mode), c.expected) << "start " << c.start;
}

struct ReplaceCase {
    std::u16string text;
    std::u16string find;
    std::u16string with;
    std::size_t start;
    std::int64_t count;
    CompareMode mode;
    std::u16string expected;
};

TEST(Replace, ReturnsTextFromStartWithReplacements) {
    const ReplaceCase cases[] = {
        {u"a-b-c", u"-", u"+", 1, -1, Binary, u"a+b+c"},
        {u"a-b-c", u"-", u"+", 3, -1, Binary, u"b+c"},
        {u"a-b-c", u"-", u"+", 1, 1, Binary, u"a+b-c"},
        {u"a-b-c", u"-", u"+", 1, 0, Binary, u"a-b-c"},
        {u"a-b-c", u"-", u"", 1, -1, Binary, u"abc"},
        {u"a-b-c", u"", u"+", 2, -1, Binary, u"-b-c"},
        {u"a-b-c", u"-", u"+", 6, -1, Binary, u""},
        {u"Hello hello", u"HELLO", u"bye", 1, -1, Text, u"bye bye"},
        {u"Hello hello", u"HELLO", u"bye", 1, -1, Binary, u"Hello hello"},
        {u"aaaa", u"aa", u"b", 1, -1, Binary, u"bb"},
        {u"", u"a", u"b", 1, -1, Binary, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(replace(c.text, c.find, c.with, c.start, c.count, c.mode), c.expected);
}

struct SplitCase {
    std::u16string text;
    std::u16string delimiter;
    std::int64_t limit;
    CompareMode mode;
    std::vector<std::u16string> expected;
};

TEST(Split, CutsAtDelimitersWithinLimit) {
    const SplitCase cases[] = {
        {u"a b c", u" ", -1, Binary, {u"a", u"b", u"c"}},
        {u"a,,b", u",", -1, Binary, {u"a", u"", u"b"}},
        {u",a,", u",", -1, Binary, {u"", u"a", u""}},
        {u"a,b,c", u",", 2, Binary, {u"a", u"b,c"}},
        {u"a,b,c", u",", 1, Binary, {u"a,b,c"}},
        {u"a,b,c", u",", 0, Binary, {}},
        {u"", u",", -1, Binary, {}},
        {u"a,b", u"", -1, Binary, {u"a,b"}},
        {u"1x2X3", u"x", -1, Text, {u"1", u"2", u"3"}},
        {u"1x2X3", u"x", -1, Binary, {u"1", u"2X3"}},
        {u"a<>b", u"<>", -1, Binary, {u"a", u"b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.text, c.delimiter, c.limit, c.mode), c.expected);
}

TEST(Join, PutsDelimiterBetweenItems) {
    EXPECT_EQ(join({u"a", u"b", u"c"}), u"a b c");
    EXPECT_EQ(join({u"a", u"b"}, u", "), u"a, b");
    EXPECT_EQ(join({u"a"}, u","), u"a");
    EXPECT_EQ(join({}, u","), u"");
    EXPECT_EQ(join({u"", u""}, u","), u",");
}

TEST(Filter, KeepsItemsContainingOrLackingValue) {
    const std::vector<std::u16string> items{u"Apple", u"banana", u"cherry", u"pineapple"};
    EXPECT_EQ(filter(items, u"apple"), (std::vector<std::u16string>{u"pineapple"}));
    EXPECT_EQ(filter(items, u"apple", true, Text),
              (std::vector<std::u16string>{u"Apple", u"pineapple"}));
    EXPECT_EQ(filter(items, u"apple", false, Text),
              (std::vector<std::u16string>{u"banana", u"cherry"}));
    EXPECT_TRUE(filter(items, u"zzz").empty());
}

struct StrCompCase {
    std::u16string a;
    std::u16string b;
    CompareMode mode;
    int expected;
};

TEST(StrComp, OrdersByUnitsOrIgnoringCase) {
    const StrCompCase cases[] = {
        {u"abc", u"abc", Binary, 0}, {u"abc", u"ABC", Binary, 1}, {u"abc", u"ABC", Text, 0},
        {u"ab", u"abc", Binary, -1}, {u"abd", u"abc", Binary, 1}, {u"", u"", Binary, 0},
        {u"b", u"A", Text, 1},       {u"_", u"a", Text, -1},      {u"é", u"É", Text, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(strComp(c.a, c.b, c.mode), c.expected);
}

TEST(StrReverse, ReversesUnits) {
    EXPECT_EQ(strReverse(u"abc"), u"cba");
    EXPECT_EQ(strReverse(u""), u"");
}

TEST(CaseMapping, CoversAsciiLatinGreekAndCyrillic) {
    EXPECT_EQ(uCase(u"abc xyz 123"), u"ABC XYZ 123");
    EXPECT_EQ(lCase(u"ABC XYZ 123"), u"abc xyz 123");
    EXPECT_EQ(uCase(u"àéîõüçñÿ"), u"ÀÉÎÕÜÇÑŸ");
    EXPECT_EQ(lCase(u"ÀÉÎÕÜÇÑŸ"), u"àéîõüçñÿ");
    EXPECT_EQ(uCase(u"ß×÷µ"), u"ß×÷µ");
    EXPECT_EQ(uCase(u"łőž"), u"ŁŐŽ");
    EXPECT_EQ(lCase(u"ŁŐŽ"), u"łőž");
    EXPECT_EQ(uCase(u"αβγ ђжя"), u"ΑΒΓ ЂЖЯ");
    EXPECT_EQ(lCase(u"ΑΒΓ ЂЖЯ"), u"αβγ ђжя");
    EXPECT_EQ(uCase(u"ς"), u"ς");
}

TEST(CaseMapping, RoundTripsEveryMappedUnit) {
    for (char32_t c = 0; c < 0x500; ++c) {
        const auto unit = static_cast<char16_t>(c);
        const char16_t upper = toUpper(unit);
        if (upper != unit) {
            EXPECT_EQ(toLower(upper), unit) << "unit " << static_cast<int>(c);
        }
    }
}

TEST(Trim, RemovesBlanksButNotTabs) {
    EXPECT_EQ(lTrim(u"  a b  "), u"a b  ");
    EXPECT_EQ(rTrim(u"  a b  "), u"  a b");
    EXPECT_EQ(trim(u"  a b  "), u"a b");
    EXPECT_EQ(trim(u"\ta\t"), u"\ta\t");
    EXPECT_EQ(trim(u"    "), u"");
    EXPECT_EQ(trim(u""), u"");
}

TEST(SpaceAndString, RepeatUnits) {
    EXPECT_EQ(space(3), u"   ");
    EXPECT_EQ(space(0), u"");
    EXPECT_EQ(repeatChar(4, u'*'), u"****");
}

TEST(Escape, LeavesDocumentedSetAndEncodesTheRest) {
    EXPECT_EQ(escape(u"AZaz09@*_+-./"), u"AZaz09@*_+-./");
    EXPECT_EQ(escape(u"a b&c=d"), u"a%20b%26c%3Dd");
    EXPECT_EQ(escape(u"é\n"), u"%E9%0A");
    EXPECT_EQ(escape(u"€"), u"%u20AC");
    EXPECT_EQ(escape(std::u16string(1, char16_t(0x100))), u"%u0100");
}

TEST(Unescape, DecodesBothFormsAndKeepsStrayPercent) {
    EXPECT_EQ(unescape(u"a%20b%26c"), u"a b&c");
    EXPECT_EQ(unescape(u"%u20AC%u20ac"), u"€€");
    EXPECT_EQ(unescape(u"%e9"), u"é");
    EXPECT_EQ(unescape(u"100%"), u"100%");
    EXPECT_EQ(unescape(u"%zz%4"), u"%zz%4");
    EXPECT_EQ(unescape(u"%u12G4"), u"%u12G4");
    EXPECT_EQ(unescape(u"%41%u"), u"A%u");
}

TEST(Escape, RoundTripsThroughUnescape) {
    std::u16string all;
    for (char32_t c = 1; c < 0x3000; c += 7)
        all.push_back(static_cast<char16_t>(c));
    EXPECT_EQ(unescape(escape(all)), all);
}

struct RadixCase {
    std::int32_t value;
    int bits;
    std::u16string hex;
    std::u16string oct;
};

TEST(HexOct, PrintTwosComplementInTheValuesWidth) {
    const RadixCase cases[] = {
        {0, 16, u"0", u"0"},
        {255, 16, u"FF", u"377"},
        {-1, 16, u"FFFF", u"177777"},
        {-1, 32, u"FFFFFFFF", u"37777777777"},
        {-32768, 16, u"8000", u"100000"},
        {65536, 32, u"10000", u"200000"},
        {2147483647, 32, u"7FFFFFFF", u"17777777777"},
        {-2147483647 - 1, 32, u"80000000", u"20000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hexText(c.value, c.bits), c.hex) << c.value;
        EXPECT_EQ(octText(c.value, c.bits), c.oct) << c.value;
    }
}

struct Utf8Case {
    std::string bytes;
    std::u16string text;
};

TEST(Utf8, DecodesWellFormedText) {
    const Utf8Case cases[] = {
        {"abc", u"abc"},
        {"\xC3\xA9", u"é"},
        {"\xE2\x82\xAC", u"€"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToUtf16(c.bytes), c.text);
        EXPECT_EQ(utf16ToUtf8(c.text), c.bytes);
    }
}

TEST(Utf8, ReplacesMalformedSequences) {
    const Utf8Case cases[] = {
        {"a\xFF"
         "b",
         u"a\uFFFDb"},
        {"\xC3", u"\uFFFD"},
        {"\xC3"
         "a",
         u"\uFFFDa"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\xE0\x80\xAF", u"\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD"},
        {"\x80\x80", u"\uFFFD\uFFFD"},
        {"\xE2\x82", u"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8ToUtf16(c.bytes), c.text);
}

TEST(Utf8, EncodesLoneSurrogatesAsReplacement) {
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xD800)}), "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xDC00), u'a'}), "\xEF\xBF\xBD"
                                                                   "a");
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xD800), char16_t(0xD800), char16_t(0xDC00)}),
              "\xEF\xBF\xBD\xF0\x90\x80\x80");
}

TEST(DecodeScriptFile, DropsByteOrderMark) {
    EXPECT_EQ(decodeScriptFile("\xEF\xBB\xBFx = 1"), u"x = 1");
    EXPECT_EQ(decodeScriptFile("x = \xC3\xA9"), u"x = é");
}

TEST(DecodeScriptFile, ReadsUtf16FilesByTheirByteOrderMark) {
    using namespace std::string_literals;
    EXPECT_EQ(decodeScriptFile("\xFF\xFEx\0=\0\xE9\0\xAC\x20"s), u"x=é€");
    EXPECT_EQ(decodeScriptFile("\xFE\xFF\0x\x20\xAC"s), u"x€");
    EXPECT_EQ(decodeScriptFile("\xFF\xFEx\0y"s), u"x\uFFFD");
    EXPECT_EQ(decodeScriptFile("\xFF\xFE"s), u"");
}

TEST(Utf8, DecodesArbitraryBytesIntoWellFormedText) {
    std::uint32_t state = 99;
    for (int round = 0; round < 5000; ++round) {
        std::string bytes;
        for (int i = 0; i < 16; ++i) {
            state = state * 1103515245 + 12345;
            bytes.push_back(static_cast<char>(state >> 16));
        }
        const std::u16string text = utf8ToUtf16(bytes);
        // Well formed text survives the way back and forth unchanged.
        ASSERT_EQ(utf8ToUtf16(utf16ToUtf8(text)), text) << round;
    }
}

} // namespace
