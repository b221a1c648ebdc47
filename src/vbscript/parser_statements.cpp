// The parser's statements: declarations, assignments and calls, and the block
// statements (If, Select Case, the loops, With), each with its grammar rule above it.
#include "vbscript/parser_impl.h"

namespace vbs::parsing {

bool Parser::startsBlockEnd() const {
    switch (cur().kind) {
    case Tok::EndKw:
    case Tok::Else:
    case Tok::ElseIf:
    case Tok::Loop:
    case Tok::Next:
    case Tok::Wend:
    case Tok::Case:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void Parser::strayBlockEnd() {
    if (at(Tok::Loop))
        fail(cerr::LoopWithoutDo);
    if (at(Tok::Next))
        fail(cerr::UnexpectedNext);
    fail(cerr::Syntax);
}

// block := { statement end-of-statement } up to a block end word
Block Parser::block() {
    Depth depth(*this);
    Block body;
    skipNewlines();
    while (!startsBlockEnd() && !at(Tok::End)) {
        if (nestedProcedure())
            continue;
        if (at(Tok::Sub) || at(Tok::Function) || at(Tok::Class) ||
            ((at(Tok::Public) || at(Tok::Private)) && inProcedure_))
            fail(cerr::ExpectedEnd);
        statementInto(body);
        endOfStatement();
    }
    return body;
}

// A Sub or Function inside a block of global code is declared as any other: it exists
// from the start whether or not the block runs.
bool Parser::nestedProcedure() {
    if (mode_ != ParseMode::Module || inProcedure_ || inClass_)
        return false;
    bool scoped = at(Tok::Public) || at(Tok::Private);
    Tok word = scoped ? peekTok().kind : cur().kind;
    if (word != Tok::Sub && word != Tok::Function)
        return false;
    bool isPublic = !scoped || at(Tok::Public);
    if (scoped)
        advance();
    unit_->procedures.push_back(procedure(isPublic, false, nullptr));
    return true;
}

StmtPtr Parser::statement() {
    const Token t = cur();
    switch (t.kind) {
    case Tok::Dim:
        advance();
        return declaration(StmtKind::Dim, t);
    case Tok::ReDim:
        return redim();
    case Tok::Erase:
        return erase();
    case Tok::Const:
        return constant();
    case Tok::Set:
        return setStatement();
    case Tok::If:
        return ifStatement();
    case Tok::Select:
        return selectStatement();
    case Tok::For:
        return forStatement();
    case Tok::Do:
        return doStatement();
    case Tok::While:
        return whileStatement();
    case Tok::Exit:
        return exitStatement();
    case Tok::With:
        return withStatement();
    case Tok::Call:
        return callStatement();
    case Tok::On:
        return onError();
    case Tok::Option:
        fail(cerr::MustBeFirst);
    case Tok::Name:
        if (atWord(u"stop") && stopIsWholeStatement()) {
            advance(); // no debugger is ever attached: Stop does nothing
            return nullptr;
        }
        return assignOrCall();
    case Tok::Dot:
    case Tok::Me:
        return assignOrCall();
    case Tok::Public:
    case Tok::Private:
    case Tok::Sub:
    case Tok::Function:
    case Tok::Class:
        fail(cerr::Syntax);
    default:
        fail(cerr::ExpectedStatement);
    }
}

// dim := Dim name [ "(" [fixed-bounds] ")" ] { "," ... }
StmtPtr Parser::declaration(StmtKind kind, const Token& head) {
    auto s = declarationList(kind, head);
    nameList(*s, [this](Declared& d) {
        if (accept(Tok::LParen)) {
            d.isArray = true;
            d.bounds = fixedBounds();
        }
    });
    return s;
}

// fixed-bounds := [ integer-literal { "," integer-literal } ] ")"
std::vector<ExprPtr> Parser::fixedBounds() {
    std::vector<ExprPtr> bounds;
    if (!at(Tok::RParen)) {
        do {
            const Token bound = cur();
            bool whole = at(Tok::Literal) && (bound.literal.type() == Type::Integer ||
                                              bound.literal.type() == Type::Long);
            if (!whole)
                fail(cerr::ExpectedInteger);
            bounds.push_back(primary());
            if (!at(Tok::Comma) && !at(Tok::RParen))
                failAt(cerr::ExpectedInteger, bound); // Dim a(1 + 1)
        } while (accept(Tok::Comma));
    }
    expect(Tok::RParen, cerr::ExpectedRParen);
    return bounds;
}

// bounds := [ expr { "," expr } ] ")"
std::vector<ExprPtr> Parser::boundList() {
    std::vector<ExprPtr> bounds;
    if (!at(Tok::RParen)) {
        do
            bounds.push_back(expression());
        while (accept(Tok::Comma));
    }
    expect(Tok::RParen, cerr::ExpectedRParen);
    return bounds;
}

// redim := ReDim [Preserve] name "(" bounds ")" { "," ... }
StmtPtr Parser::redim() {
    auto s = declarationList(StmtKind::ReDim, advance());
    if (atWord(u"preserve")) {
        advance();
        s->preserve = true;
    }
    nameList(*s, [this](Declared& d) {
        expect(Tok::LParen, cerr::ExpectedLParen);
        d.bounds = boundList();
        if (d.bounds.empty())
            fail(cerr::ExpectedExpression);
        d.isArray = true;
    });
    return s;
}

// erase := Erase name { "," name }
StmtPtr Parser::erase() {
    auto s = declarationList(StmtKind::Erase, advance());
    nameList(*s, [](Declared&) {});
    return s;
}

// const := Const name "=" literal-constant { "," ... }
StmtPtr Parser::constant() {
    auto s = declarationList(StmtKind::Const, advance());
    nameList(*s, [this](Declared& d) {
        expect(Tok::Eq, cerr::ExpectedEquals);
        d.value = literalConstant();
    });
    return s;
}

// literal-constant := string | number | date | True | False | Null | Empty
//                   | ("-" | "+") number
// Nothing else, not another constant nor a computed value (Const b = a * 2).
ExprPtr Parser::literalConstant() {
    const Token first = cur();
    const std::size_t start = advanced_;
    bool sign = at(Tok::Minus) || at(Tok::Plus);
    const Token& literal = sign ? peekTok() : cur();
    bool allowed = false;
    switch (literal.kind) {
    case Tok::Literal:
        allowed = !sign ||
                  (literal.literal.type() != Type::String && literal.literal.type() != Type::Date);
        break;
    case Tok::True:
    case Tok::False:
    case Tok::Null:
    case Tok::Empty:
        allowed = !sign;
        break;
    default:
        break;
    }
    if (!allowed)
        failAt(cerr::ExpectedLiteral, first);
    ExprPtr value = expression();
    if (advanced_ - start != (sign ? 2u : 1u))
        failAt(cerr::ExpectedLiteral, first); // Const c = 1 + 2
    return value;
}

std::unique_ptr<DeclStmt> Parser::declarationList(StmtKind kind, const Token& head) {
    auto s = std::make_unique<DeclStmt>(kind);
    s->line = head.line;
    s->column = head.column;
    return s;
}

// name-list := name item-rest { "," name item-rest }
void Parser::nameList(DeclStmt& s, const std::function<void(Declared&)>& rest) {
    do {
        Declared d;
        const Token nameTok = cur();
        d.target = nameExpr(identifier(), nameTok);
        rest(d);
        s.items.push_back(std::move(d));
    } while (accept(Tok::Comma));
}

// set := Set target "=" expr
StmtPtr Parser::setStatement() {
    const Token& head = advance();
    auto s = node<AssignStmt>(head);
    s->isSet = true;
    s->target = postfix(false);
    expect(Tok::Eq, cerr::ExpectedEquals);
    s->value = expression();
    return s;
}

// if := If expr Then NL block { ElseIf expr Then NL block } [Else NL block] End If
//     | If expr Then statements [Else statements]          (on one line)
StmtPtr Parser::ifStatement() {
    const Token& head = advance();
    auto s = node<IfStmt>(head);
    IfStmt::Branch first;
    first.condition = expression();
    expect(Tok::Then, cerr::ExpectedThen);
    if (!at(Tok::Newline) || cur().colon) {
        if (at(Tok::Newline))
            advance();
        singleLineIf(*s, std::move(first.condition));
        return s;
    }
    first.body = block();
    s->branches.push_back(std::move(first));
    while (at(Tok::ElseIf)) {
        advance();
        IfStmt::Branch b;
        b.condition = expression();
        expect(Tok::Then, cerr::ExpectedThen);
        b.body = block();
        s->branches.push_back(std::move(b));
    }
    if (accept(Tok::Else))
        s->elseBody = block();
    if (!accept(Tok::EndKw))
        fail(cerr::ExpectedEnd);
    expect(Tok::If, cerr::ExpectedIf);
    return s;
}

void Parser::singleLineIf(IfStmt& s, ExprPtr condition) {
    Depth depth(*this);
    ++inSingleLineIf_;
    IfStmt::Branch b;
    b.condition = std::move(condition);
    b.body = lineStatements();
    s.branches.push_back(std::move(b));
    if (accept(Tok::Else))
        s.elseBody = lineStatements();
    --inSingleLineIf_;
    if (at(Tok::EndKw) && peekTok().kind == Tok::If) {
        advance();
        advance();
    }
}

// statements on one line, separated by ":", up to Else or the line end
Block Parser::lineStatements() {
    auto endsPart = [this] {
        return at(Tok::Else) || at(Tok::End) || (at(Tok::EndKw) && peekTok().kind == Tok::If) ||
               atClosingEnd();
    };
    Block body;
    for (;;) {
        if (endsPart() || (at(Tok::Newline) && !cur().colon))
            break;
        if (at(Tok::Newline)) {
            advance();
            continue;
        }
        statementInto(body);
        if (!at(Tok::Newline) && !endsPart())
            fail(cerr::ExpectedEndOfStatement); // If c Then a = 1 b = 2
    }
    return body;
}

// select := Select Case expr NL { Case expr { "," expr } NL block } [Case Else NL block]
//           End Select
// A case is a list of values only: no ranges (1 To 5), no comparisons (Is > 5).
StmtPtr Parser::selectStatement() {
    const Token& head = advance();
    auto s = node<SelectStmt>(head);
    expect(Tok::Case, cerr::ExpectedCase);
    s->subject = expression();
    endOfStatement();
    while (accept(Tok::Case)) {
        SelectStmt::Case c;
        if (!accept(Tok::Else)) {
            do
                c.tests.push_back(expression());
            while (accept(Tok::Comma));
            if (!atStatementEnd())
                fail(cerr::ExpectedEndOfStatement);
        }
        c.body = block();
        bool isElse = c.tests.empty();
        s->cases.push_back(std::move(c));
        if (isElse)
            break;
    }
    if (!accept(Tok::EndKw))
        fail(cerr::ExpectedEnd);
    expect(Tok::Select, cerr::ExpectedSelect);
    return s;
}

// for := For name "=" expr To expr [Step expr] NL block Next [name]
//      | For Each name In expr NL block Next [name]
StmtPtr Parser::forStatement() {
    const Token& head = advance();
    ++loopDepth_.fors;
    StmtPtr result;
    if (accept(Tok::Each)) {
        auto s = node<ForEachStmt>(head);
        const Token nameTok = cur();
        if (!at(Tok::Name))
            fail(cerr::InvalidForVariable);
        s->variable = nameExpr(identifier(), nameTok);
        expect(Tok::In, cerr::ExpectedIn);
        s->collection = expression();
        s->body = block();
        result = std::move(s);
    } else {
        auto s = node<ForStmt>(head);
        const Token nameTok = cur();
        if (!at(Tok::Name))
            fail(cerr::InvalidForVariable);
        s->variable = nameExpr(identifier(), nameTok);
        expect(Tok::Eq, cerr::ExpectedEquals);
        s->from = expression();
        expect(Tok::To, cerr::ExpectedTo);
        s->to = expression();
        if (atWord(u"step")) {
            advance();
            s->step = expression();
        }
        s->body = block();
        result = std::move(s);
    }
    --loopDepth_.fors;
    if (!accept(Tok::Next))
        fail(cerr::ExpectedNext);
    if (at(Tok::Name))
        advance();
    return result;
}

// do := Do [(While|Until) expr] NL block Loop [(While|Until) expr]
StmtPtr Parser::doStatement() {
    const Token& head = advance();
    auto s = node<DoStmt>(head);
    if (at(Tok::While) || at(Tok::Until)) {
        s->preTest = at(Tok::While) ? LoopTest::While : LoopTest::Until;
        advance();
        s->condition = expression();
    } else if (!atStatementEnd()) {
        fail(cerr::ExpectedWhileUntilEos);
    }
    ++loopDepth_.dos;
    s->body = block();
    --loopDepth_.dos;
    if (!accept(Tok::Loop))
        fail(cerr::ExpectedLoop);
    if (at(Tok::While) || at(Tok::Until)) {
        if (s->preTest != LoopTest::None)
            fail(cerr::ExpectedEndOfStatement);
        s->postTest = at(Tok::While) ? LoopTest::While : LoopTest::Until;
        advance();
        s->condition = expression();
    }
    return s;
}

// while := While expr NL block Wend
StmtPtr Parser::whileStatement() {
    const Token& head = advance();
    auto s = node<DoStmt>(head);
    s->preTest = LoopTest::While;
    s->whileWend = true;
    s->condition = expression();
    s->body = block();
    expect(Tok::Wend, cerr::ExpectedWend);
    return s;
}

// exit := Exit (Do|For|Sub|Function|Property)
StmtPtr Parser::exitStatement() {
    const Token& head = advance();
    auto s = node<ExitStmt>(head);
    using K = Procedure::Kind;
    if (at(Tok::Do) && loopDepth_.dos > 0)
        s->what = ExitKind::Do;
    else if (at(Tok::For) && loopDepth_.fors > 0)
        s->what = ExitKind::For;
    else if (at(Tok::Sub) && inProcedure_ && procKind_ == K::Sub)
        s->what = ExitKind::Sub;
    else if (at(Tok::Function) && inProcedure_ && procKind_ == K::Function)
        s->what = ExitKind::Function;
    else if (atWord(u"property") && inProcedure_ && procKind_ != K::Sub && procKind_ != K::Function)
        s->what = ExitKind::Property;
    else
        failAt(cerr::InvalidExit, head);
    advance();
    return s;
}

// with := With expr NL block End With
StmtPtr Parser::withStatement() {
    const Token& head = advance();
    auto s = node<WithStmt>(head);
    s->object = expression();
    s->body = block();
    if (!accept(Tok::EndKw))
        fail(cerr::ExpectedEnd);
    expect(Tok::With, cerr::ExpectedWith);
    return s;
}

// call := Call name-expression
StmtPtr Parser::callStatement() {
    const Token& head = advance();
    auto s = node<CallStmt>(head);
    if (!at(Tok::Name) && !at(Tok::Dot) && !at(Tok::Me) && !at(Tok::LParen) && !at(Tok::New))
        fail(cerr::ExpectedIdentifier);
    s->call = postfix(true);
    return s;
}

// on-error := On Error (Resume Next | GoTo 0)
StmtPtr Parser::onError() {
    const Token& head = advance();
    if (!atWord(u"error"))
        fail(cerr::Syntax);
    advance();
    if (atWord(u"resume")) {
        advance();
        expect(Tok::Next, cerr::Syntax);
        return std::make_unique<Stmt>(StmtKind::OnErrorResumeNext);
    }
    if (atWord(u"goto")) {
        advance();
        if (at(Tok::Literal) && cur().literal.type() == Type::Integer &&
            cur().literal.asInteger() == 0) {
            advance();
            auto s = std::make_unique<Stmt>(StmtKind::OnErrorGoto0);
            s->line = head.line;
            return s;
        }
    }
    fail(cerr::Syntax);
}

// assignment := target "=" expr
// call       := target [ argument { "," argument } ]
// In a call without Call, `Foo (a)` passes (a) by value and `Foo(a, b)` is an error.
StmtPtr Parser::assignOrCall() {
    const Token head = cur();
    ExprPtr target = postfix(false);
    if (accept(Tok::Eq)) {
        auto s = node<AssignStmt>(head);
        s->target = std::move(target);
        s->value = expression();
        return s;
    }
    auto s = node<CallStmt>(head);
    if (target->kind == ExprKind::Call) {
        // Foo(a) as a statement: the parentheses belong to the argument.
        if (target->args.size() > 1)
            failAt(cerr::ParensOnSub, head);
        if (target->args.size() == 1) {
            auto& arg = target->args[0];
            auto paren = expr(ExprKind::Paren, head);
            paren->line = arg->line;
            paren->column = arg->column;
            paren->object = std::move(arg);
            arg = settled(std::move(paren));
        }
        s->call = settled(std::move(target));
        return s;
    }
    auto call = expr(ExprKind::Call, head);
    call->object = std::move(target);
    if (!atStatementEnd() && !(inSingleLineIf_ > 0 && at(Tok::Else))) {
        do
            call->args.push_back(argument());
        while (accept(Tok::Comma));
    }
    s->call = settled(std::move(call));
    return s;
}

} // namespace vbs::parsing
