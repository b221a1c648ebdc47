// The lexer: keywords, names, literals, comments, continuation and its errors.
#include "vbscript/errors.h"
#include "vbscript/lexer.h"

#include <gtest/gtest.h>

namespace vbs {
namespace {

std::vector<Tok> kinds(std::u16string_view src) {
    std::vector<Tok> out;
    for (const auto& t : tokenize(src))
        out.push_back(t.kind);
    return out;
}

TEST(Lexer, KeywordsIgnoreCase) {
    EXPECT_EQ(kinds(u"DIM x"), (std::vector<Tok>{Tok::Dim, Tok::Name, Tok::Newline, Tok::End}));
    EXPECT_EQ(kinds(u"dIm x")[0], Tok::Dim);
}

TEST(Lexer, CommentsAreDropped) {
    EXPECT_EQ(kinds(u"x ' note"), (std::vector<Tok>{Tok::Name, Tok::Newline, Tok::End}));
    EXPECT_EQ(kinds(u"x : REM note"),
              (std::vector<Tok>{Tok::Name, Tok::Newline, Tok::Newline, Tok::End}));
}

TEST(Lexer, ContinuationJoinsLines) {
    auto toks = tokenize(u"a = 1 + _\n  2");
    EXPECT_EQ(toks.size(), 7u);
    EXPECT_EQ(toks[4].line, 2);
}

TEST(Lexer, StringWithDoubledQuotes) {
    auto toks = tokenize(u"\"say \"\"hi\"\"\"");
    EXPECT_EQ(toks[0].literal.asString(), u"say \"hi\"");
}

struct NumberCase {
    const char16_t* source;
    Type type;
    double value;
};

TEST(Lexer, NumberLiteralsTakeTheSmallestType) {
    const NumberCase cases[] = {
        {u"12", Type::Integer, 12},     {u"32767", Type::Integer, 32767},
        {u"32768", Type::Long, 32768},  {u"3000000000", Type::Double, 3e9},
        {u"1.5", Type::Double, 1.5},    {u".5", Type::Double, 0.5},
        {u"1e3", Type::Double, 1000},   {u"&HFF", Type::Integer, 255},
        {u"&HFFFF", Type::Integer, -1}, {u"&H10000", Type::Long, 65536},
        {u"&O17", Type::Integer, 15},   {u"&HFFFF&", Type::Long, 65535},
    };
    for (const auto& c : cases) {
        auto t = tokenize(c.source)[0];
        ASSERT_EQ(t.kind, Tok::Literal) << std::string(c.source, c.source + 2);
        EXPECT_EQ(t.literal.type(), c.type);
        double v = t.literal.type() == Type::Integer ? t.literal.asInteger()
                   : t.literal.type() == Type::Long  ? t.literal.asLong()
                                                     : t.literal.asDouble();
        EXPECT_EQ(v, c.value);
    }
}

TEST(Lexer, BracketedNamesKeepTheirText) {
    auto t = tokenize(u"[my var]")[0];
    EXPECT_EQ(t.kind, Tok::Name);
    EXPECT_EQ(t.text, u"my var");
}

TEST(Lexer, ColumnsAreOneBased) {
    auto toks = tokenize(u"x =  y");
    EXPECT_EQ(toks[2].column, 6);
}

struct ErrorCase {
    const char16_t* source;
    int number;
};

TEST(Lexer, ReportsItsErrors) {
    const ErrorCase cases[] = {
        {u"x = \"abc", cerr::UnterminatedString},
        {u"x = 1 ! 2", cerr::InvalidCharacter},
        {u"x = [abc", cerr::ExpectedRBracket},
        {u"x = &HFFFFFFFFF", cerr::InvalidNumber},
    };
    for (const auto& c : cases) {
        try {
            tokenize(c.source);
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.kind(), ErrorKind::Compile);
            EXPECT_EQ(e.line(), 1);
        }
    }
}

} // namespace
} // namespace vbs
