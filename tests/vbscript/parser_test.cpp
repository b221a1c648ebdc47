// The parser and compiler: tree shapes, precedence, name resolution and compile errors
// with their positions.
#include "vbscript/bytecode.h"
#include "vbscript/compiler.h"
#include "vbscript/errors.h"
#include "vbscript/parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vbs {
namespace {

using namespace ast;

int compileErrorOf(std::u16string_view src, int* line = nullptr, int* column = nullptr) {
    try {
        auto unit = parse(src, ParseMode::Module);
        compile(*unit);
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Compile);
        if (line)
            *line = e.line();
        if (column)
            *column = e.column();
        return e.number();
    }
    return 0;
}

TEST(Parser, NegationBindsTighterThanPower) {
    auto unit = parse(u"-2 ^ 2", ParseMode::Expression);
    const Expr& e = *unit->expression;
    ASSERT_EQ(e.kind, ExprKind::Binary);
    EXPECT_EQ(e.op, Op::Pow);
    EXPECT_EQ(e.object->kind, ExprKind::Unary);
    EXPECT_EQ(e.object->op, Op::Neg);
}

TEST(Parser, ComparisonBindsTighterThanNot) {
    auto unit = parse(u"Not a = b", ParseMode::Expression);
    ASSERT_EQ(unit->expression->kind, ExprKind::Unary);
    EXPECT_EQ(unit->expression->object->op, Op::Eq);
}

TEST(Parser, ParenthesisedSubArgumentIsPassedByValue) {
    auto unit = parse(u"Foo (a)", ParseMode::Module);
    auto& call = static_cast<CallStmt&>(*unit->statements[0]);
    ASSERT_EQ(call.call->kind, ExprKind::Call);
    EXPECT_EQ(call.call->args[0]->kind, ExprKind::Paren);
}

TEST(Parser, CallStatementArgumentsAreByReference) {
    auto unit = parse(u"Call Foo(a, b)", ParseMode::Module);
    auto& call = static_cast<CallStmt&>(*unit->statements[0]);
    EXPECT_EQ(call.call->args[0]->kind, ExprKind::Name);
}

// The first instruction of `code` that has opcode `op` and works on the name `name`.
const Instruction* instructionOn(const Bytecode& code, Opcode op, std::u16string_view name) {
    for (const Instruction& in : code.code)
        if (in.code == op && in.expr && in.expr->name() == name)
            return &in;
    return nullptr;
}

// Where the compiler put each name is kept in the compiled form: a local variable as its
// register, any other name in its entry.
TEST(Compiler, LocalsParametersAndResultGetSlots) {
    auto unit =
        parse(u"Function F(a, b)\nDim c\nc = a\nF = c + d\nEnd Function", ParseMode::Module);
    compile(*unit);
    const Procedure& f = *unit->procedures[0];
    EXPECT_EQ(f.resultSlot, 2);
    // a, b, F, c and the fallback slot of the undeclared d
    EXPECT_EQ(f.frameSize, 5);
    const Bytecode& code = *f.bytecode;
    ASSERT_FALSE(code.code.empty());
    EXPECT_EQ(code.code[0].code, Opcode::Assign); // c = a
    EXPECT_EQ(code.code[0].dst, 3);
    EXPECT_EQ(code.code[0].a, 0);
    // d is read where it lives by the operator
    auto add = std::find_if(code.code.begin(), code.code.end(),
                            [](const Instruction& in) { return in.code == Opcode::NamedBinary; });
    ASSERT_NE(add, code.code.end());
    const Bytecode::NamedOperand& d = code.named[static_cast<std::size_t>(add->name)].b;
    ASSERT_NE(d.name, nullptr);
    EXPECT_EQ(d.name->name(), u"d");
    const Slot& slot = code.nameCaches[static_cast<std::size_t>(d.cache)].slot;
    EXPECT_EQ(slot.scope, Scope::Global);
    EXPECT_EQ(slot.fallbackLocal, 4);
}

TEST(Compiler, ClassMembersResolveToFieldsAndMethods) {
    auto unit = parse(u"Class C\nPublic x\nSub S\nx = 1\nT\nEnd Sub\nSub T\nEnd Sub\nEnd Class",
                      ParseMode::Module);
    compile(*unit);
    const Procedure& s = *unit->classes[0]->procedures[0];
    const Bytecode& code = *s.bytecode;
    const Instruction* x = instructionOn(code, Opcode::StoreName, u"x");
    ASSERT_NE(x, nullptr);
    const Slot& field = code.nameCaches[static_cast<std::size_t>(x->name)].slot;
    EXPECT_EQ(field.scope, Scope::Field);
    EXPECT_EQ(field.index, 0);
    ASSERT_EQ(code.calls.size(), 1u);
    const Bytecode::CallSite& t = code.calls[0];
    EXPECT_EQ(t.kind, Bytecode::CallSite::Callee::Method);
    const Slot& method = code.nameCaches[static_cast<std::size_t>(t.calleeCache)].slot;
    EXPECT_EQ(method.scope, Scope::Method);
    EXPECT_EQ(method.proc, unit->classes[0]->procedures[1].get());
}

// The syntax tree stays as parsed: a constant, which exists from the start of its body,
// is taken from its statement, which stays where it was and becomes no instruction.
TEST(Compiler, LeavesTheTreeAsParsed) {
    auto unit = parse(u"Function F\nIf False Then Const c = 1\nF = c\nEnd Function\nConst g = 2",
                      ParseMode::Module);
    compile(*unit);
    const Procedure& f = *unit->procedures[0];
    ASSERT_EQ(f.body.size(), 2u);
    const auto& branch = static_cast<const IfStmt&>(*f.body[0]);
    ASSERT_EQ(branch.branches[0].body.size(), 1u);
    EXPECT_EQ(branch.branches[0].body[0]->kind, StmtKind::Const);
    ASSERT_EQ(f.constants.size(), 1u);
    ASSERT_EQ(unit->statements.size(), 1u);
    EXPECT_EQ(unit->statements[0]->kind, StmtKind::Const);
    for (const Bytecode* code : {f.bytecode.get(), unit->bytecode.get()})
        EXPECT_TRUE(std::none_of(code->code.begin(), code->code.end(), [](const Instruction& in) {
            return in.code == Opcode::Constant;
        }));
}

struct ErrorCase {
    const char16_t* source;
    int number;
    int line;
    int column;
};

TEST(Parser, CompileErrorsCarryNumberLineAndColumn) {
    const ErrorCase cases[] = {
        {u"x = 1 2", cerr::ExpectedEndOfStatement, 1, 7},
        {u"If x Then\ny = 1", cerr::ExpectedEnd, 2, 6},
        {u"x = (1 + 2", cerr::ExpectedRParen, 1, 11},
        {u"For i = 1\nNext", cerr::ExpectedTo, 1, 10},
        {u"Do\nx = 1", cerr::ExpectedLoop, 2, 6},
        {u"While x\nx = 1", cerr::ExpectedWend, 2, 6},
        {u"Sub S\nEnd Function", cerr::ExpectedSub, 2, 5},
        {u"Select x", cerr::ExpectedCase, 1, 8},
        {u"Dim 5", cerr::ExpectedIdentifier, 1, 5},
        {u"x = ", cerr::ExpectedExpression, 1, 5},
        {u"Next", cerr::UnexpectedNext, 1, 1},
        {u"Function F\nExit Sub\nEnd Function", cerr::InvalidExit, 2, 1},
        {u"Sub A\nEnd Sub\nDim A", cerr::NameRedefined, 3, 5},
        {u"Sub A\nEnd Sub\nIf x Then\nConst A = 1\nEnd If", cerr::NameRedefined, 4, 7},
        {u"If c Then a = 1 b = 2", cerr::ExpectedEndOfStatement, 1, 17},
        {u"Sub A(x)\nDim x\nEnd Sub", cerr::NameRedefined, 2, 5},
        {u"Class C\nProperty Let P\nEnd Property\nEnd Class", cerr::PropertyNeedsArg, 2, 1},
        {u"x = 1\nOption Explicit", cerr::MustBeFirst, 2, 1},
        {u"Foo(1, 2)", cerr::ParensOnSub, 1, 1},
        {u"Property Get P\nEnd Property", cerr::MustBeInClass, 1, 1},
        {u"Class C\nPublic Default x\nEnd Class", cerr::DefaultOnlyOnProcedure, 2, 16},
        {u"Class C\nPublic Default Property Let P(v)\nEnd Property\nEnd Class",
         cerr::DefaultOnlyOnGet, 2, 16},
        {u"Select Case x\nCase 1 To 5\nEnd Select", cerr::ExpectedEndOfStatement, 2, 8},
        {u"Select Case x\nCase Is > 5\nEnd Select", cerr::ExpectedExpression, 2, 6},
        {u"Const c = a", cerr::ExpectedLiteral, 1, 11},
        {u"Const c = 1 + 2", cerr::ExpectedLiteral, 1, 11},
        {u"Const c = 1, d = -x", cerr::ExpectedLiteral, 1, 18},
        {u"Dim a(n)", cerr::ExpectedInteger, 1, 7},
        {u"Dim a(2, 1 + 1)", cerr::ExpectedInteger, 1, 10},
        {u"Class C\nPrivate f(n)\nEnd Class", cerr::ExpectedInteger, 2, 11},
        {u"x = 1 End Sub", cerr::ExpectedEndOfStatement, 1, 7},
        {u"Sub S\nx = 1 End Function", cerr::ExpectedSub, 2, 11},
        {u"Class C\nSub S\nx = 1 End Class", cerr::ExpectedEndOfStatement, 3, 7},
    };
    for (const auto& c : cases) {
        int line = 0, column = 0;
        EXPECT_EQ(compileErrorOf(c.source, &line, &column), c.number)
            << std::string(c.source, c.source + std::char_traits<char16_t>::length(c.source));
        EXPECT_EQ(line, c.line) << c.number;
        EXPECT_EQ(column, c.column) << c.number;
    }
}

TEST(Parser, DeepNestingIsRefusedNotOverflowed) {
    std::u16string deep =
        u"x = " + std::u16string(100000, u'(') + u"1" + std::u16string(100000, u')');
    EXPECT_EQ(compileErrorOf(deep), cerr::OutOfStack);
    std::u16string chain = u"x = 1";
    for (int i = 0; i < 100000; ++i)
        chain += u" + 1";
    EXPECT_EQ(compileErrorOf(chain), cerr::OutOfStack);
    std::u16string ifs;
    for (int i = 0; i < 100000; ++i)
        ifs += u"If x Then\n";
    EXPECT_EQ(compileErrorOf(ifs), cerr::OutOfStack);
    std::u16string prefixes = u"x = ";
    for (int i = 0; i < 100000; ++i)
        prefixes += u"Not ";
    EXPECT_EQ(compileErrorOf(prefixes + u"1"), cerr::OutOfStack);
    std::u16string minus = u"x = " + std::u16string(100000, u'-') + u"1";
    EXPECT_EQ(compileErrorOf(minus), cerr::OutOfStack);
}

} // namespace
} // namespace vbs
