// Tests of the regular expression layer below RegExp: how the language's dialect is
// matched, how a search walks a text (empty matches, surrogate pairs), what bounds it,
// and how replacement text is expanded.
#include "vbscript/lib/regex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vbs::lib;

namespace {

// Every match's text, or "<unset>" pieces for groups, joined as "[match|group|...]".
std::u16string allMatches(std::u16string_view pattern, std::u16string_view text,
                          RegexOptions options = {}) {
    Regex regex(pattern, options);
    std::u16string out;
    regex.forEachMatch(text, true, [&](const RegexMatch& m) {
        out += u"[";
        for (std::size_t g = 0; g < m.size(); ++g) {
            if (g > 0)
                out += u"|";
            out += m.matched(g) ? std::u16string(text.substr(m.start(g), m.end(g) - m.start(g)))
                                : u"<unset>";
        }
        out += u"]";
        return true;
    });
    return out;
}

struct MatchCase {
    std::u16string pattern, text, expected;
};

TEST(RegexDialect, MatchesAsTheLanguageReadsThePattern) {
    const MatchCase cases[] = {
        {u"\\v", u"\v\n", u"[\v]"},
        {u"\\A\\Z", u"AZ", u"[AZ]"},
        {u"\\x41\\x4", u"Ax4", u"[Ax4]"},
        {u"\\u00e9\\u12", u"éu12", u"[éu12]"},
        {u"\\ud83d\\ude00", u"x😀", u"[😀]"},
        {u"\\101\\8", u"A8", u"[A8]"},
        {u"(a)\\1", u"aab", u"[aa|a]"},
        {u"\\1(a)",
         u"\x01"
         u"a",
         u"[\x01"
         u"a|a]"},
        {u"(x)?y\\1", u"y", u"[y|<unset>]"},
        {u".", u"\r\n", u"[\r]"},
        {u"[]", u"x", u""},
        {u"[^]", u"\n", u"[\n]"},
        {u"[\\d-]+", u"1-2", u"[1-2]"},
        {u"a{,2}", u"a{,2}", u"[a{,2}]"},
        {u"[[:alpha:]]", u"a", u""},
        {u"#x", u"#x", u"[#x]"},
        {u"a b", u"a b", u"[a b]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(allMatches(c.pattern, c.text), c.expected)
            << std::string(c.pattern.begin(), c.pattern.end());
}

TEST(RegexDialect, AnchorsFollowTheMultilineSwitch) {
    EXPECT_EQ(allMatches(u"^\\w", u"a\nb\rc"), u"[a]");
    EXPECT_EQ(allMatches(u"^\\w", u"a\nb\rc", {false, true}), u"[a][b][c]");
    EXPECT_EQ(allMatches(u"\\w$", u"a\r\nb", {false, true}), u"[a][b]");
    EXPECT_EQ(allMatches(u"b$", u"b\n"), u"");
    // Between the CR and the LF of a CR LF both anchors match too.
    EXPECT_EQ(allMatches(u"^$", u"\r\n", {false, true}), u"[][][]");
}

TEST(RegexDialect, IgnoreCaseFollowsUnicodeButWordsStayAscii) {
    EXPECT_EQ(allMatches(u"ÉTÉ", u"été", {true, false}), u"[été]");
    EXPECT_EQ(allMatches(u"\\w+", u"été"), u"[t]");
    EXPECT_EQ(allMatches(u"\\s", u"\u00a0 "), u"[ ]");
}

TEST(RegexDialect, RefusesWhatItDoesNotHave) {
    for (std::u16string pattern :
         {u"(",     u")",      u"[a",    u"*",     u"a**",    u"a++",       u"a?+",
          u"a{1}+", u"^*",     u"$?",    u"\\B*",  u"(?<=a)", u"(?<n>a)",   u"(?P<n>a)",
          u"(?i)a", u"(?#c)",  u"(?>a)", u"(?|a)", u"(?R)",   u"(*ACCEPT)", u"(*LIMIT_MATCH=1)a",
          u"[b-a]", u"a{2,1}", u"\\",    u"[\\",   u"|*"})
        EXPECT_THROW(Regex(pattern, {}), RegexSyntaxError)
            << std::string(pattern.begin(), pattern.end());
}

TEST(RegexSearch, GivesEveryEmptyMatchOnceAndStepsOverSurrogatePairs) {
    EXPECT_EQ(allMatches(u"x*", u"ab"), u"[][][]");
    EXPECT_EQ(allMatches(u"a*", u"baa"), u"[][aa][]");
    // An empty match before a surrogate pair moves on past the whole pair.
    EXPECT_EQ(allMatches(u"", u"😀"), u"[][]");
    // An unpaired surrogate is a character, in the text and in a pattern.
    EXPECT_EQ(allMatches(u"[^a]", u"\xdc00\xd800" u"b"), u"[\xdc00][\xd800][b]");
    EXPECT_EQ(allMatches(u"\\ud800.", u"a\xd800\xd800"), u"[\xd800\xd800]");
}

TEST(RegexSearch, StopsWhenTheCallerHasEnough) {
    Regex regex(u"\\d", {});
    int seen = 0;
    regex.forEachMatch(u"123", true, [&](const RegexMatch&) { return ++seen < 2; });
    EXPECT_EQ(seen, 2);
    seen = 0;
    regex.forEachMatch(u"123", false, [&](const RegexMatch&) { return ++seen != 0; });
    EXPECT_EQ(seen, 1);
}

TEST(RegexSearch, BacktrackingWithoutEndIsRefused) {
    Regex nested(u"(a+)+$", {});
    std::u16string text(40, u'a');
    text += u"!";
    EXPECT_THROW(nested.forEachMatch(text, false, [](const RegexMatch&) { return true; }),
                 RegexLimitError);
    // A long text that matches plainly is well within the bounds.
    std::u16string words;
    for (int i = 0; i < 20000; ++i)
        words += u"word ";
    EXPECT_EQ(allMatches(u"(?:\\w+\\s?)+", words).size(), words.size() + 2);
}

std::u16string replaced(std::u16string_view pattern, std::u16string_view text,
                        std::u16string_view replacement) {
    Regex regex(pattern, {});
    std::u16string out;
    std::size_t copied = 0;
    regex.forEachMatch(text, true, [&](const RegexMatch& m) {
        out.append(text.substr(copied, m.start(0) - copied));
        appendReplacement(out, replacement, text, m, 1000);
        copied = m.end(0);
        return true;
    });
    return out + std::u16string(text.substr(copied));
}

TEST(Replacement, ExpandsGroupsAndTheMatchesSurroundings) {
    EXPECT_EQ(replaced(u"(\\w)(\\w)", u"ab cd", u"$2$1"), u"ba dc");
    EXPECT_EQ(replaced(u"b", u"abc", u"[$&|$`|$'|$$]"), u"a[b|a|c|$]c");
    EXPECT_EQ(replaced(u"(b)", u"abc", u"$0 $2 $ $x"), u"a$0 $2 $ $xc");
    EXPECT_EQ(replaced(u"(b)|(z)", u"abc", u"<$2>"), u"a<>c");
    EXPECT_EQ(replaced(u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", u"abcdefghij", u"$10$01$011"), u"jaa1");
    EXPECT_EQ(replaced(u"(a)", u"a", u"$10"), u"a0");
}

TEST(Replacement, RefusesToGrowPastItsLimit) {
    Regex regex(u"a", {});
    std::u16string text(100, u'a');
    std::u16string out;
    EXPECT_THROW(regex.forEachMatch(text, true,
                                    [&](const RegexMatch& m) {
                                        appendReplacement(out, u"$'$'", text, m, 1000);
                                        return true;
                                    }),
                 std::length_error);
    EXPECT_LE(out.size(), 1000u);
}

} // namespace
