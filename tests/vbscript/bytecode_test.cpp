// The compact form of procedure bodies: the instructions some shapes become, and the
// bookkeeping every instruction relies on: jump targets, the statement an instruction
// belongs to, and reused temporaries.
#include "vbscript/bytecode.h"
#include "vbscript/compiler.h"
#include "vbscript/parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace vbs {
namespace {

struct Compiled {
    std::unique_ptr<Unit> unit;
    const Procedure& proc() const { return *unit->procedures.front(); }
    const Bytecode& code() const { return *proc().bytecode; }
    int count(Opcode op) const {
        const auto& c = code().code;
        return static_cast<int>(std::count_if(
            c.begin(), c.end(), [op](const Instruction& in) { return in.code == op; }));
    }
};

Compiled compiled(std::u16string_view source) {
    Compiled c{parse(source, ParseMode::Module)};
    compile(*c.unit);
    return c;
}

struct Flattened {
    const char16_t* name;
    const char16_t* source;
};

class FlattenedShapes : public testing::TestWithParam<Flattened> {};

bool jumps(Opcode op) {
    switch (op) {
    case Opcode::StepJump:
    case Opcode::Jump:
    case Opcode::JumpIf:
    case Opcode::CompareJumpIf:
    case Opcode::ForEachNext:
    case Opcode::ForTest:
    case Opcode::ForNext:
    case Opcode::ArrayArgument:
    case Opcode::ElementCheck:
        return true;
    default:
        return false;
    }
}

TEST_P(FlattenedShapes, JumpInsideTheCodeAndBelongToAStatement) {
    Compiled c = compiled(GetParam().source); // kept: the code belongs to its unit
    const Bytecode& bc = c.code();
    ASSERT_EQ(bc.code.back().code, Opcode::Leave);
    for (const Instruction& in : bc.code) {
        if (jumps(in.code)) {
            EXPECT_GE(in.target, 0);
            EXPECT_LT(in.target, static_cast<std::int32_t>(bc.code.size()));
        }
        EXPECT_LT(static_cast<std::size_t>(in.statement), bc.statements.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, FlattenedShapes,
    testing::Values(
        Flattened{u"recursion", u"Function Fib(n)\n"
                                u"If n < 2 Then\nFib = n\nElse\nFib = Fib(n - 1) + Fib(n - 2)\n"
                                u"End If\nEnd Function\n"},
        Flattened{u"loops", u"Function F(a, b)\nDim i\nDo While i < a\ni = i + 1\n"
                            u"If i = b Then Exit Do\nLoop\nWhile i > 0 : i = i - 1 : Wend\n"
                            u"Do\nF = -F & i\nLoop Until Not (F <> 3)\nEnd Function\n"},
        Flattened{u"for loops", u"Function F(n)\nDim i, j, s\nFor i = 1 To n Step 2\n"
                                u"For j = i To 1 Step -1 : s = s + j : Next\n"
                                u"If s > 10 Then Exit For\nNext\nF = s\nEnd Function\n"},
        Flattened{u"self call arguments", u"Function G(x, ByVal y)\n"
                                          u"If x > 0 Then G = G((x) - 1, 2) Else G = y\n"
                                          u"End Function\n"},
        Flattened{u"calls", u"Sub S(o, n)\nDim s\ns = Mid(\"abc\", n, 1) & o.Name\n"
                            u"o.Add n + 1, s\nCall S((n), o)\nS o, 1\nT\nEnd Sub\n"},
        Flattened{u"select case", u"Function F(n)\nDo\nSelect Case n + 1\nCase 1, n\n"
                                  u"Exit Do\nCase 3\nF = 3\nCase Else\nExit Function\n"
                                  u"End Select\nLoop\nEnd Function\n"},
        Flattened{u"with and for each", u"Sub S(o, list)\nDim x\nFor Each x In list\n"
                                        u"With o\nIf x Then Exit For\nEnd With\nNext\n"
                                        u"End Sub\n"},
        Flattened{u"arrays and appends", u"Function F(n)\nDim a(2), s\nReDim b(n, 1)\n"
                                         u"ReDim Preserve b(n, 2)\nErase a\ns = s & n\n"
                                         u"End Function\n"},
        Flattened{u"assignment targets", u"Sub S(o, a, n)\nConst k = 2\no.P = n\nSet o.Q = o\n"
                                         u"o.R(n, 1) = n + 1\na(n + 1, k) = n\nWith o\n"
                                         u".P = 1\nEnd With\nEnd Sub\n"},
        Flattened{u"objects", u"Function F(o, i)\nSet F = New C\nF = o.Self().Name & o.Item(i)(1)\n"
                              u"F = (o).Items()(i + 1) & F()(0)\nWith o\nF = .Name & .P(i)\n"
                              u".Go i\nEnd With\nEnd Function\n"},
        Flattened{u"exit do from select case",
                  u"Function F(n)\nDo\nIf n = 1 Then\nExit Do\nElseIf n = 2 Then\n"
                  u"F = 2\nElse\nSelect Case n\nCase 3: Exit Do\nEnd Select\nEnd If\n"
                  u"n = n - 1\nLoop While n > 0\nEnd Function\n"},
        Flattened{u"element arguments", u"Sub S(a, i)\nT a(i), a(i, F(i))(0), U(a(i + 1))\n"
                                        u"End Sub\n"}),
    [](const auto& info) {
        std::string name;
        for (const char16_t* p = info.param.name; *p; ++p)
            name += *p == u' ' ? '_' : static_cast<char>(*p);
        return name;
    });

TEST(Bytecode, EachShapeHasItsInstruction) {
    Compiled c = compiled(u"Sub S(o)\nDim a(3), k\nFor k = 0 To 3 : a(k) = k : Next\n"
                          u"Set o = Nothing\nk = o.Value + Len(\"x\")\nT g, k + 1\no.Value = k\n"
                          u"End Sub\n");
    EXPECT_EQ(c.count(Opcode::StoreMember), 1);
    EXPECT_EQ(c.count(Opcode::Call), 2); // the member, and T
    // A global name beside a computed argument is taken at its place, before that runs.
    EXPECT_EQ(c.count(Opcode::BindName), 1);
    // A name with one plain argument is an element or a call: it is found out as it runs.
    EXPECT_EQ(c.count(Opcode::Element), 1);
}

TEST(Bytecode, AnArgumentThatMayBeAnElementIsCheckedAsTheCallRuns) {
    // Passed by reference when `a` is an array: the call's second form binds it.
    Compiled c = compiled(u"Sub S(n)\nT a(n), n + 1\nEnd Sub\n");
    EXPECT_EQ(c.count(Opcode::ElementCheck), 1);
    EXPECT_EQ(c.count(Opcode::Element), 2); // `a(n)` as a value, in each form
    EXPECT_EQ(c.count(Opcode::Call), 2);
    EXPECT_EQ(c.count(Opcode::ArrayArgument), 1);
    EXPECT_EQ(c.count(Opcode::ReadElement), 1);
}

TEST(Bytecode, ALoopsConditionBelongsToTheLoop) {
    // An error in the condition after the body ends the loop statement, not the last
    // statement of its body.
    Compiled c = compiled(u"Sub S(n)\nDo\nn = n + 1\nLoop Until n / 0 > 1\nEnd Sub\n");
    const Bytecode& bc = c.code();
    auto condition = std::find_if(bc.code.begin(), bc.code.end(), [](const Instruction& in) {
        return in.code == Opcode::CompareJumpIf;
    });
    ASSERT_NE(condition, bc.code.end());
    const Bytecode::Statement& s = bc.statements[static_cast<std::size_t>(condition->statement)];
    EXPECT_EQ(s.stmt->kind, ast::StmtKind::Do);
    EXPECT_EQ(s.resume, static_cast<std::int32_t>(bc.code.size()) - 1);
}

TEST(Bytecode, HeldValuesAreLetGoOfOnEveryWayOut) {
    // The subject and the collection are let go of at the end, where an error of the
    // statement itself goes on too, and before each Exit out of them.
    Compiled c = compiled(u"Sub S(n, list)\nDim x\nDo\nFor Each x In list\n"
                          u"Select Case n + x\nCase 1\nExit Do\nCase 2\nExit Sub\n"
                          u"End Select\nNext\nLoop\nEnd Sub\n");
    const Bytecode& bc = c.code();
    for (const Bytecode::Statement& s : bc.statements) {
        if (s.stmt->kind == ast::StmtKind::ForEach || s.stmt->kind == ast::StmtKind::Select) {
            EXPECT_EQ(bc.code[static_cast<std::size_t>(s.resume)].code, Opcode::Clear);
        }
    }
    // Exit Do and Exit Sub let go of both (an Exit to the end of the procedure is a Leave
    // of its own); the end of a case only jumps to the Clear.
    int exits = 0;
    for (std::size_t pc = 0; pc + 1 < bc.code.size(); ++pc) {
        const Instruction& in = bc.code[pc];
        bool leaves = in.code == Opcode::Return || in.code == Opcode::Leave ||
                      (in.code == Opcode::Jump && in.target > static_cast<std::int32_t>(pc) &&
                       bc.code[static_cast<std::size_t>(in.target)].code != Opcode::Clear);
        if (!leaves)
            continue;
        ++exits;
        ASSERT_GE(pc, 2u);
        EXPECT_EQ(bc.code[pc - 1].code, Opcode::Clear) << "at " << pc;
        EXPECT_EQ(bc.code[pc - 2].code, Opcode::Clear) << "at " << pc;
    }
    EXPECT_EQ(exits, 2);
}

TEST(Bytecode, GlobalNamesAreReadAndWrittenWhereTheyLive) {
    // At the top level an operator takes back the loads of the names it reads and the store
    // of its result; the loop still goes back to its test.
    Compiled c = compiled(u"Do While n < 3\ntotal = total + digit\nn = n + 1\nLoop\n");
    const auto& code = c.unit->bytecode->code;
    auto count = [&code](Opcode op) {
        return std::count_if(code.begin(), code.end(),
                             [op](const Instruction& in) { return in.code == op; });
    };
    EXPECT_EQ(count(Opcode::NamedCompareJumpIf), 1);
    EXPECT_EQ(count(Opcode::NamedBinary), 2);
    EXPECT_EQ(count(Opcode::LoadName), 0);
    EXPECT_EQ(count(Opcode::StoreName), 0);
    auto back = std::find_if(code.begin(), code.end(),
                             [](const Instruction& in) { return in.code == Opcode::StepJump; });
    ASSERT_NE(back, code.end());
    EXPECT_EQ(code[static_cast<std::size_t>(back->target)].code, Opcode::NamedCompareJumpIf);
}

TEST(Bytecode, TemporariesAreReused) {
    // Each line needs two temporaries at once; the procedure needs no more than that.
    Compiled c = compiled(u"Function F(n)\nF = (n + 1) * (n + 2)\nF = (n - 1) * (n - 2) + F\n"
                          u"End Function\n");
    EXPECT_EQ(c.code().registers, c.proc().frameSize + 2);
}

} // namespace
} // namespace vbs
