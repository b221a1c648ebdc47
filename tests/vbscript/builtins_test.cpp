// The built-in library's argument checks: every built-in reports a bad argument the same
// way (Null where a value is needed 94, a wrong kind 13, out of range 5, a wrong count
// 450), and text functions pass Null through.
#include "vbscript/convert.h"
#include "vbscript/engine.h"

#include <gtest/gtest.h>

namespace vbs {
namespace {

struct ErrorCase {
    const char16_t* expression;
    int number;
};

TEST(Builtins, BadArgumentsGiveTheSameErrorsEverywhere) {
    const ErrorCase cases[] = {
        {u"Left(\"abc\", Null)", err::InvalidNull},
        {u"Space(Null)", err::InvalidNull},
        {u"CInt(Null)", err::InvalidNull},
        {u"Chr(Null)", err::InvalidNull},
        {u"Left(\"abc\", \"x\")", err::TypeMismatch},
        {u"Sqr(\"four\")", err::TypeMismatch},
        {u"UBound(5)", err::TypeMismatch},
        {u"Join(5)", err::TypeMismatch},
        {u"DateSerial(\"y\", 1, 1)", err::TypeMismatch},
        {u"Left(\"abc\", -1)", err::InvalidCall},
        {u"Mid(\"abc\", 0)", err::InvalidCall},
        {u"InStr(0, \"abc\", \"b\")", err::InvalidCall},
        {u"Chr(256)", err::InvalidCall},
        {u"Asc(\"\")", err::InvalidCall},
        {u"StrComp(\"a\", \"b\", 5)", err::InvalidCall},
        {u"Round(1.5, -1)", err::InvalidCall},
        {u"DateAdd(\"zz\", 1, Now)", err::InvalidCall},
        {u"MonthName(13)", err::InvalidCall},
        {u"UBound(Array(1), 2)", err::SubscriptOutOfRange},
        {u"Len()", err::WrongArgCount},
        {u"Left(\"a\")", err::WrongArgCount},
        {u"Now(1)", err::WrongArgCount},
        {u"CByte(256)", err::Overflow},
        {u"CLng(3000000000)", err::Overflow},
        {u"CreateObject(\"Nope.Nope\")", err::CannotCreateObject},
        {u"GetRef(\"NoSuchProcedure\")", err::InvalidCall},
    };
    Engine engine;
    for (const auto& c : cases) {
        try {
            engine.eval(c.expression);
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.number(), c.number) << e.what();
        }
    }
}

TEST(Builtins, TextFunctionsPassNullThrough) {
    Engine engine;
    for (const char16_t* expression :
         {u"Len(Null)", u"Left(Null, 1)", u"Right(Null, 1)", u"Mid(Null, 1)", u"UCase(Null)",
          u"LCase(Null)", u"Trim(Null)", u"InStr(Null, \"a\")", u"StrComp(Null, \"a\")",
          u"Year(Null)", u"Int(Null)", u"Abs(Null)", u"Hex(Null)", u"Escape(Null)"})
        EXPECT_TRUE(engine.eval(expression).isNull());
}

TEST(Builtins, LeftOutArgumentsTakeTheirDefaults) {
    Engine engine;
    EXPECT_EQ(toText(engine.eval(u"FormatNumber(1234.5, , , , False)")), u"1234.50");
    EXPECT_EQ(toText(engine.eval(u"Replace(\"aaa\", \"a\", \"b\", , 2)")), u"bba");
}

} // namespace
} // namespace vbs
