// The parser's class, shared by the three files that hold its parts: parser.cpp (the
// module level: procedures and classes), parser_statements.cpp and
// parser_expressions.cpp. Internal to the parser; the rest of the engine uses parser.h.
#pragma once

#include "vbscript/ast.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"
#include "vbscript/lexer.h"
#include "vbscript/parser.h"
#include "vbscript/stack_limit.h"

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace vbs::parsing {

using namespace ast;

class Parser {
public:
    Parser(std::u16string_view source, ParseMode mode)
        : lexer_(source), current_(lexer_.next()), mode_(mode) {}

    std::unique_ptr<Unit> run();

private:
    // ---- tokens ------------------------------------------------------------------
    // The lexer is read as the parser goes, one token ahead at most. A token kept past an
    // advance is kept as a copy.

    const Token& cur() const { return current_; }
    const Token& peekTok() {
        if (!next_)
            next_ = lexer_.next();
        return *next_;
    }
    bool at(Tok k) const { return cur().kind == k; }
    bool atWord(std::u16string_view w) const { return at(Tok::Name) && sameName(cur().text, w); }
    // Moves on; returns the token moved past.
    Token advance() {
        Token passed = std::move(current_);
        if (next_) {
            current_ = std::move(*next_);
            next_.reset();
        } else {
            current_ = lexer_.next();
        }
        ++advanced_;
        return passed;
    }
    bool accept(Tok k) {
        if (!at(k))
            return false;
        advance();
        return true;
    }
    void expect(Tok k, int error) {
        if (!accept(k))
            fail(error);
    }
    [[noreturn]] void fail(int number) { failAt(number, cur()); }
    [[noreturn]] void failAt(int number, const Token& t) {
        throw ScriptError(ErrorKind::Compile, number, t.line, t.column);
    }
    // A line end or ':', or the End that closes the open procedure or class: it may
    // follow a statement on the same line (`x = 1 End Sub`).
    bool atStatementEnd() { return at(Tok::Newline) || at(Tok::End) || atClosingEnd(); }
    bool atClosingEnd() {
        if (!at(Tok::EndKw))
            return false;
        const Token& what = peekTok();
        if (inProcedure_)
            return what.kind == Tok::Sub || what.kind == Tok::Function ||
                   (what.kind == Tok::Name && sameName(what.text, u"property"));
        return inClass_ && what.kind == Tok::Class;
    }
    void skipNewlines() {
        while (at(Tok::Newline))
            advance();
    }
    void endOfStatement() {
        if (inSingleLineIf_ > 0 && at(Tok::Else))
            return;
        if (!atStatementEnd())
            fail(cerr::ExpectedEndOfStatement);
        skipNewlines();
    }
    std::u16string identifier() {
        if (!at(Tok::Name))
            fail(cerr::ExpectedIdentifier);
        return std::u16string(advance().text);
    }

    // Counts nesting and watches the stack, so that hostile input cannot exhaust it.
    struct Depth {
        explicit Depth(Parser& p) : p_(p) {
            if (++p_.depth_ > kMaxNesting || stackPast(p_.stackFloor_))
                p_.fail(cerr::OutOfStack);
        }
        ~Depth() { --p_.depth_; }
        Parser& p_;
    };

    template <typename T> std::unique_ptr<T> node(const Token& at) {
        auto n = std::make_unique<T>();
        n->line = at.line;
        n->column = at.column;
        return n;
    }
    ExprPtr expr(ExprKind kind, const Token& at) {
        auto e = std::make_unique<Expr>(kind);
        e->line = at.line;
        e->column = at.column;
        return e;
    }

    // ---- module level (parser.cpp) ------------------------------------------------

    bool moduleDeclaration();
    std::unique_ptr<Procedure> procedure(bool isPublic, bool isDefault, ClassDef* owner);
    void classDefinition();
    void classMember(ClassDef& cls);
    void addClassProcedure(ClassDef& cls, std::unique_ptr<Procedure> proc, const Token& head);
    // ---- blocks and statements (parser_statements.cpp) ------------------------------

    bool startsBlockEnd() const;
    [[noreturn]] void strayBlockEnd();
    Block block();
    bool nestedProcedure();
    void statementInto(Block& body) {
        if (StmtPtr s = statement())
            body.push_back(std::move(s));
    }

    // A statement, or null for one that does nothing when run (Stop).
    StmtPtr statement();
    // At `Stop`: whether the statement ends after it (otherwise Stop is a name).
    bool stopIsWholeStatement() {
        Tok after = peekTok().kind;
        return after == Tok::Newline || after == Tok::End || after == Tok::Else ||
               after == Tok::EndKw;
    }
    StmtPtr declaration(StmtKind kind, const Token& head);
    std::vector<ExprPtr> boundList();
    std::vector<ExprPtr> fixedBounds();
    ExprPtr literalConstant();
    StmtPtr redim();
    StmtPtr erase();
    StmtPtr constant();
    std::unique_ptr<DeclStmt> declarationList(StmtKind kind, const Token& head);
    void nameList(DeclStmt& s, const std::function<void(Declared&)>& rest);
    StmtPtr setStatement();
    StmtPtr ifStatement();
    void singleLineIf(IfStmt& s, ExprPtr condition);
    Block lineStatements();
    StmtPtr selectStatement();
    StmtPtr forStatement();
    StmtPtr doStatement();
    StmtPtr whileStatement();
    StmtPtr exitStatement();
    StmtPtr withStatement();
    StmtPtr callStatement();
    StmtPtr onError();
    StmtPtr assignOrCall();
    // ---- expressions (parser_expressions.cpp) ----------------------------------------

    ExprPtr nameExpr(std::u16string_view name, const Token& at);
    // The entry of the unit's names for this text, made on first use.
    const Name* intern(std::u16string_view text);
    ExprPtr argument();
    ExprPtr binary(Op op, ExprPtr l, ExprPtr r, const Token& at);
    // A node whose operands are all in place: its height is worked out and checked.
    ExprPtr settled(ExprPtr e);
    ExprPtr expression();
    // The binary operators from the loosest to the tightest; each level is
    //   level := next-level { operator next-level }
    // and Not sits between And and the comparisons: not := Not not | comparison.
    struct OpToken {
        Tok tok;
        Op op;
    };
    static constexpr std::size_t kNotLevel = 5;
    static constexpr std::size_t kComparisonLevel = 6;
    static const std::vector<std::vector<OpToken>>& levels();
    // The operator of that level at the current token, or null.
    const OpToken* operatorAt(std::size_t level) const;
    ExprPtr binaryLevel(std::size_t level);
    ExprPtr notExpr();
    ExprPtr power();
    ExprPtr signedOperand();
    ExprPtr primary();
    ExprPtr postfix(bool inExpression);
    // At "(": whether "=" follows the group it opens, on the same line.
    bool groupThenEquals();
    std::u16string memberName();
    Lexer lexer_;
    Token current_;
    std::optional<Token> next_;
    std::size_t advanced_ = 0; // tokens moved past
    ParseMode mode_;
    std::unique_ptr<Unit> unit_;
    std::unordered_map<std::u16string_view, const Name*> interned_; // views of unit_->names
    int depth_ = 0;
    std::uintptr_t stackFloor_ = stackFloor(kParserStackReserve, kParserStackShare);
    int inSingleLineIf_ = 0;
    bool inProcedure_ = false;
    bool inClass_ = false;
    Procedure::Kind procKind_ = Procedure::Kind::Sub;
    struct {
        int dos = 0;
        int fors = 0;
    } loopDepth_;
};

} // namespace vbs::parsing
