// The parser (see parser.h).
#include "vbscript/parser.h"

#include "vbscript/errors.h"
#include "vbscript/host_object.h"
#include "vbscript/lexer.h"

namespace vbs {

using namespace ast;

namespace {

class Parser {
public:
    Parser(std::vector<Token> tokens, ParseMode mode) : toks_(std::move(tokens)), mode_(mode) {}

    std::unique_ptr<Unit> run() {
        unit_ = std::make_unique<Unit>();
        if (mode_ == ParseMode::Expression) {
            skipNewlines();
            unit_->expression = expression();
            skipNewlines();
            if (!at(Tok::End))
                fail(cerr::ExpectedEndOfStatement);
            return std::move(unit_);
        }
        // program := { option-explicit } { statement | procedure | class }
        skipNewlines();
        if (at(Tok::Option)) {
            advance();
            if (!atWord(u"explicit"))
                fail(cerr::ExpectedIdentifier);
            advance();
            unit_->optionExplicit = true;
            endOfStatement();
        }
        while (!at(Tok::End)) {
            if (moduleDeclaration())
                continue;
            if (startsBlockEnd())
                strayBlockEnd();
            statementInto(unit_->statements);
            endOfStatement();
        }
        return std::move(unit_);
    }

private:
    // ---- tokens ------------------------------------------------------------------

    const Token& cur() const { return toks_[pos_]; }
    const Token& peekTok(std::size_t n = 1) const {
        return toks_[std::min(pos_ + n, toks_.size() - 1)];
    }
    bool at(Tok k) const { return cur().kind == k; }
    bool atWord(std::u16string_view w) const { return at(Tok::Name) && sameName(cur().text, w); }
    const Token& advance() { return toks_[pos_ < toks_.size() - 1 ? pos_++ : pos_]; }
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
        throw ScriptError(ErrorKind::Compile, number, errorDescription(number), t.line, t.column);
    }
    bool atStatementEnd() const { return at(Tok::Newline) || at(Tok::End); }
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
        return advance().text;
    }

    // Counts nesting so that hostile input cannot exhaust the stack.
    struct Depth {
        explicit Depth(Parser& p) : p_(p) {
            if (++p_.depth_ > kMaxNesting)
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
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->line = at.line;
        e->column = at.column;
        return e;
    }

    // ---- module level -------------------------------------------------------------

    // module-declaration := [Public|Private] (Sub|Function) ... | Class ...
    //                     | (Public|Private) name-list      (variables)
    bool moduleDeclaration() {
        if (mode_ != ParseMode::Module)
            return false;
        bool isPublic = true;
        std::size_t start = pos_;
        if (at(Tok::Public) || at(Tok::Private)) {
            isPublic = at(Tok::Public);
            advance();
        }
        if (at(Tok::Sub) || at(Tok::Function)) {
            auto proc = procedure(isPublic, false, nullptr);
            unit_->procedures.push_back(std::move(proc));
            return true;
        }
        if (atWord(u"property") &&
            (peekTok().kind == Tok::Set ||
             (peekTok().kind == Tok::Name &&
              (sameName(peekTok().text, u"get") || sameName(peekTok().text, u"let")))))
            fail(cerr::MustBeInClass);
        if (at(Tok::Class) && pos_ == start) {
            classDefinition();
            return true;
        }
        if (pos_ != start) {
            if (atWord(u"property"))
                fail(cerr::MustBeInClass);
            auto stmt = declaration(StmtKind::Dim, toks_[start]);
            unit_->statements.push_back(std::move(stmt));
            endOfStatement();
            return true;
        }
        return false;
    }

    // procedure := (Sub|Function) name [params] NL block End (Sub|Function)
    //            | Property (Get|Let|Set) name [params] NL block End Property
    std::unique_ptr<Procedure> procedure(bool isPublic, bool isDefault, ClassDef* owner) {
        auto proc = std::make_unique<Procedure>();
        const Token& head = cur();
        proc->line = head.line;
        proc->column = head.column;
        proc->isPublic = isPublic;
        proc->isDefault = isDefault;
        proc->owner = owner;
        Tok endWord = head.kind;
        int endError = head.kind == Tok::Sub ? cerr::ExpectedSub : cerr::ExpectedFunction;
        if (at(Tok::Sub)) {
            proc->kind = Procedure::Kind::Sub;
        } else if (at(Tok::Function)) {
            proc->kind = Procedure::Kind::Function;
        } else {
            advance(); // Property
            endError = cerr::ExpectedProperty;
            if (atWord(u"get"))
                proc->kind = Procedure::Kind::PropertyGet;
            else if (atWord(u"let"))
                proc->kind = Procedure::Kind::PropertyLet;
            else if (at(Tok::Set))
                proc->kind = Procedure::Kind::PropertySet;
            else
                fail(cerr::ExpectedLetSetGet);
        }
        if (isDefault && proc->kind != Procedure::Kind::PropertyGet &&
            proc->kind != Procedure::Kind::Function && proc->kind != Procedure::Kind::Sub)
            failAt(cerr::DefaultOnlyOnGet, head);
        advance();
        proc->name = identifier();
        proc->key = foldName(proc->name);
        if (accept(Tok::LParen)) {
            if (!at(Tok::RParen)) {
                do {
                    Procedure::Param p;
                    if (accept(Tok::ByVal))
                        p.byVal = true;
                    else
                        accept(Tok::ByRef);
                    p.name = identifier();
                    if (accept(Tok::LParen))
                        expect(Tok::RParen, cerr::ExpectedRParen);
                    proc->params.push_back(std::move(p));
                } while (accept(Tok::Comma));
            }
            expect(Tok::RParen, cerr::ExpectedRParen);
        }
        if ((proc->kind == Procedure::Kind::PropertyLet ||
             proc->kind == Procedure::Kind::PropertySet) &&
            proc->params.empty())
            failAt(cerr::PropertyNeedsArg, head);
        endOfStatement();
        procKind_ = proc->kind;
        inProcedure_ = true;
        proc->body = block();
        inProcedure_ = false;
        if (!accept(Tok::EndKw))
            fail(cerr::ExpectedEnd);
        bool endMatches = endWord == Tok::Name ? atWord(u"property") : at(endWord);
        if (!endMatches)
            fail(endError);
        advance();
        endOfStatement();
        return proc;
    }

    // class := Class name NL { member } End Class
    void classDefinition() {
        const Token& head = advance();
        auto cls = std::make_unique<ClassDef>();
        cls->line = head.line;
        cls->name = identifier();
        cls->key = foldName(cls->name);
        endOfStatement();
        while (!at(Tok::EndKw)) {
            if (at(Tok::End))
                fail(cerr::ExpectedEnd);
            classMember(*cls);
        }
        advance();
        expect(Tok::Class, cerr::ExpectedClass);
        endOfStatement();
        unit_->classes.push_back(std::move(cls));
    }

    // member := [Public [Default] | Private] (procedure | name-list) | Dim name-list
    void classMember(ClassDef& cls) {
        bool isPublic = true;
        bool isDefault = false;
        bool scoped = false;
        const Token& head = cur();
        if (at(Tok::Public) || at(Tok::Private)) {
            isPublic = at(Tok::Public);
            scoped = true;
            advance();
            if (atWord(u"default")) {
                if (!isPublic)
                    fail(cerr::DefaultMustBePublic);
                isDefault = true;
                advance();
            }
        }
        if (at(Tok::Sub) || at(Tok::Function) || atWord(u"property")) {
            auto proc = procedure(isPublic, isDefault, &cls);
            addClassProcedure(cls, std::move(proc), head);
            return;
        }
        if (isDefault)
            fail(cerr::DefaultOnlyOnGet);
        if (!scoped && !accept(Tok::Dim))
            fail(cerr::ExpectedStatement);
        do {
            ClassDef::Field f;
            f.isPublic = isPublic;
            f.name = identifier();
            f.key = foldName(f.name);
            if (cls.findField(f.key) >= 0 || cls.findCallable(f.key))
                fail(cerr::NameRedefined);
            if (accept(Tok::LParen)) {
                f.isArray = true;
                f.bounds = boundList();
            }
            cls.fields.push_back(std::move(f));
        } while (accept(Tok::Comma));
        endOfStatement();
    }

    void addClassProcedure(ClassDef& cls, std::unique_ptr<Procedure> proc, const Token& head) {
        using K = Procedure::Kind;
        bool isProperty = proc->kind == K::PropertyGet || proc->kind == K::PropertyLet ||
                          proc->kind == K::PropertySet;
        if (cls.findField(proc->key) >= 0)
            failAt(cerr::NameRedefined, head);
        for (const auto& other : cls.procedures) {
            if (other->key != proc->key)
                continue;
            bool otherProperty = other->kind == K::PropertyGet || other->kind == K::PropertyLet ||
                                 other->kind == K::PropertySet;
            if (!isProperty || !otherProperty || other->kind == proc->kind)
                failAt(cerr::NameRedefined, head);
            std::size_t getArgs =
                proc->kind == K::PropertyGet ? proc->params.size() : proc->params.size() - 1;
            std::size_t otherArgs =
                other->kind == K::PropertyGet ? other->params.size() : other->params.size() - 1;
            if (getArgs != otherArgs)
                failAt(cerr::InconsistentPropertyArgs, head);
        }
        if (proc->isDefault) {
            if (cls.defaultMember)
                failAt(cerr::MultipleDefault, head);
            cls.defaultMember = proc.get();
        }
        if (proc->kind == K::Sub &&
            (proc->key == u"class_initialize" || proc->key == u"class_terminate")) {
            if (!proc->params.empty())
                failAt(cerr::InitTerminateArgs, head);
            (proc->key == u"class_initialize" ? cls.initialize : cls.terminate) = proc.get();
        }
        cls.procedures.push_back(std::move(proc));
    }

    // ---- blocks and statements ------------------------------------------------------

    bool startsBlockEnd() const {
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

    [[noreturn]] void strayBlockEnd() {
        if (at(Tok::Loop))
            fail(cerr::LoopWithoutDo);
        if (at(Tok::Next))
            fail(cerr::UnexpectedNext);
        fail(cerr::Syntax);
    }

    // block := { statement end-of-statement } up to a block end word
    Block block() {
        Depth depth(*this);
        Block body;
        skipNewlines();
        while (!startsBlockEnd() && !at(Tok::End)) {
            if (at(Tok::Sub) || at(Tok::Function) || at(Tok::Class) ||
                ((at(Tok::Public) || at(Tok::Private)) && inProcedure_))
                fail(cerr::ExpectedEnd);
            statementInto(body);
            endOfStatement();
        }
        return body;
    }

    void statementInto(Block& body) { body.push_back(statement()); }

    StmtPtr statement() {
        const Token& t = cur();
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

    // dim := Dim name [ "(" [bounds] ")" ] { "," ... }
    StmtPtr declaration(StmtKind kind, const Token& head) {
        auto s = std::make_unique<DeclStmt>(kind);
        s->line = head.line;
        s->column = head.column;
        do {
            Declared d;
            const Token& nameTok = cur();
            d.target = nameExpr(identifier(), nameTok);
            if (accept(Tok::LParen)) {
                d.isArray = true;
                d.bounds = boundList();
            }
            s->items.push_back(std::move(d));
        } while (accept(Tok::Comma));
        return s;
    }

    // bounds := [ expr { "," expr } ] ")"
    std::vector<ExprPtr> boundList() {
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
    StmtPtr redim() {
        const Token& head = advance();
        auto s = std::make_unique<DeclStmt>(StmtKind::ReDim);
        s->line = head.line;
        s->column = head.column;
        if (atWord(u"preserve")) {
            advance();
            s->preserve = true;
        }
        do {
            Declared d;
            const Token& nameTok = cur();
            d.target = nameExpr(identifier(), nameTok);
            expect(Tok::LParen, cerr::ExpectedLParen);
            d.bounds = boundList();
            if (d.bounds.empty())
                fail(cerr::ExpectedExpression);
            d.isArray = true;
            s->items.push_back(std::move(d));
        } while (accept(Tok::Comma));
        return s;
    }

    // erase := Erase name { "," name }
    StmtPtr erase() {
        const Token& head = advance();
        auto s = std::make_unique<DeclStmt>(StmtKind::Erase);
        s->line = head.line;
        s->column = head.column;
        do {
            Declared d;
            const Token& nameTok = cur();
            d.target = nameExpr(identifier(), nameTok);
            s->items.push_back(std::move(d));
        } while (accept(Tok::Comma));
        return s;
    }

    // const := Const name "=" expr { "," ... }
    StmtPtr constant() {
        const Token& head = advance();
        auto s = std::make_unique<DeclStmt>(StmtKind::Const);
        s->line = head.line;
        s->column = head.column;
        do {
            Declared d;
            const Token& nameTok = cur();
            d.target = nameExpr(identifier(), nameTok);
            expect(Tok::Eq, cerr::ExpectedEquals);
            d.value = expression();
            s->items.push_back(std::move(d));
        } while (accept(Tok::Comma));
        return s;
    }

    // set := Set target "=" expr
    StmtPtr setStatement() {
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
    StmtPtr ifStatement() {
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

    void singleLineIf(IfStmt& s, ExprPtr condition) {
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
    Block lineStatements() {
        Block body;
        for (;;) {
            if (at(Tok::Else) || (at(Tok::Newline) && !cur().colon) || at(Tok::End) ||
                (at(Tok::EndKw) && peekTok().kind == Tok::If))
                break;
            if (at(Tok::Newline)) {
                advance();
                continue;
            }
            body.push_back(statement());
        }
        return body;
    }

    // select := Select Case expr NL { Case tests NL block } [Case Else NL block] End Select
    StmtPtr selectStatement() {
        const Token& head = advance();
        auto s = node<SelectStmt>(head);
        expect(Tok::Case, cerr::ExpectedCase);
        s->subject = expression();
        endOfStatement();
        while (accept(Tok::Case)) {
            SelectStmt::Case c;
            if (!accept(Tok::Else)) {
                do
                    c.tests.push_back(caseTest());
                while (accept(Tok::Comma));
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

    // case-test := Is compare-op expr | expr [To expr]
    SelectStmt::Test caseTest() {
        SelectStmt::Test t;
        if (accept(Tok::Is)) {
            switch (cur().kind) {
            case Tok::Eq:
                t.op = Op::Eq;
                break;
            case Tok::Ne:
                t.op = Op::Ne;
                break;
            case Tok::Lt:
                t.op = Op::Lt;
                break;
            case Tok::Gt:
                t.op = Op::Gt;
                break;
            case Tok::Le:
                t.op = Op::Le;
                break;
            case Tok::Ge:
                t.op = Op::Ge;
                break;
            default:
                fail(cerr::Syntax);
            }
            advance();
            t.low = expression();
            return t;
        }
        t.low = expression();
        if (accept(Tok::To))
            t.high = expression();
        return t;
    }

    // for := For name "=" expr To expr [Step expr] NL block Next [name]
    //      | For Each name In expr NL block Next [name]
    StmtPtr forStatement() {
        const Token& head = advance();
        ++loopDepth_.fors;
        StmtPtr result;
        if (accept(Tok::Each)) {
            auto s = node<ForEachStmt>(head);
            const Token& nameTok = cur();
            if (!at(Tok::Name))
                fail(cerr::InvalidForVariable);
            s->variable = nameExpr(identifier(), nameTok);
            expect(Tok::In, cerr::ExpectedIn);
            s->collection = expression();
            s->body = block();
            result = std::move(s);
        } else {
            auto s = node<ForStmt>(head);
            const Token& nameTok = cur();
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
    StmtPtr doStatement() {
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
    StmtPtr whileStatement() {
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
    StmtPtr exitStatement() {
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
        else if (atWord(u"property") && inProcedure_ && procKind_ != K::Sub &&
                 procKind_ != K::Function)
            s->what = ExitKind::Property;
        else
            failAt(cerr::InvalidExit, head);
        advance();
        return s;
    }

    // with := With expr NL block End With
    StmtPtr withStatement() {
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
    StmtPtr callStatement() {
        const Token& head = advance();
        auto s = node<CallStmt>(head);
        if (!at(Tok::Name) && !at(Tok::Dot) && !at(Tok::Me))
            fail(cerr::ExpectedIdentifier);
        s->call = postfix(true);
        return s;
    }

    // on-error := On Error (Resume Next | GoTo 0)
    StmtPtr onError() {
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
    StmtPtr assignOrCall() {
        const Token& head = cur();
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
                arg = std::move(paren);
            }
            s->call = std::move(target);
            return s;
        }
        auto call = expr(ExprKind::Call, head);
        call->object = std::move(target);
        if (!atStatementEnd() && !(inSingleLineIf_ > 0 && at(Tok::Else))) {
            do
                call->args.push_back(argument());
            while (accept(Tok::Comma));
        }
        s->call = std::move(call);
        return s;
    }

    // ---- expressions --------------------------------------------------------------

    ExprPtr nameExpr(std::u16string name, const Token& at) {
        auto e = expr(ExprKind::Name, at);
        e->key = foldName(name);
        e->name = std::move(name);
        return e;
    }

    // argument := [expression]   (left out: the marker built-ins read as "not given")
    ExprPtr argument() {
        if (!at(Tok::Comma) && !at(Tok::RParen) && !atStatementEnd())
            return expression();
        auto e = expr(ExprKind::Literal, cur());
        e->literal = Value::error(kMissingArgument);
        return e;
    }

    ExprPtr binary(Op op, ExprPtr l, ExprPtr r, const Token& at) {
        auto e = expr(ExprKind::Binary, at);
        e->op = op;
        e->object = std::move(l);
        e->right = std::move(r);
        return e;
    }

    // Left-associative chains would otherwise grow the tree's depth without limit.
    void countChain(int& length) {
        if (++length > kMaxNesting)
            fail(cerr::OutOfStack);
    }

    // expression := imp
    ExprPtr expression() {
        Depth depth(*this);
        return binaryLevel(0);
    }

    // The binary operators from the loosest to the tightest; each level is
    //   level := next-level { operator next-level }
    // and Not sits between And and the comparisons: not := Not not | comparison.
    struct OpToken {
        Tok tok;
        Op op;
    };
    static constexpr std::size_t kNotLevel = 5;
    static const std::vector<std::vector<OpToken>>& levels() {
        static const std::vector<std::vector<OpToken>> table = {
            {{Tok::Imp, Op::Imp}},
            {{Tok::Eqv, Op::Eqv}},
            {{Tok::Xor, Op::Xor}},
            {{Tok::Or, Op::Or}},
            {{Tok::And, Op::And}},
            {}, // Not
            {{Tok::Eq, Op::Eq},
             {Tok::Ne, Op::Ne},
             {Tok::Lt, Op::Lt},
             {Tok::Gt, Op::Gt},
             {Tok::Le, Op::Le},
             {Tok::Ge, Op::Ge},
             {Tok::Is, Op::Is}},
            {{Tok::Amp, Op::Concat}},
            {{Tok::Plus, Op::Add}, {Tok::Minus, Op::Sub}},
            {{Tok::Mod, Op::Mod}},
            {{Tok::Backslash, Op::IntDiv}},
            {{Tok::Star, Op::Mul}, {Tok::Slash, Op::Div}},
        };
        return table;
    }

    ExprPtr binaryLevel(std::size_t level) {
        if (level == levels().size())
            return unary();
        if (level == kNotLevel)
            return notExpr();
        ExprPtr l = binaryLevel(level + 1);
        for (int n = 0;; countChain(n)) {
            const OpToken* found = nullptr;
            for (const auto& o : levels()[level])
                if (at(o.tok))
                    found = &o;
            if (!found)
                return l;
            const Token& t = advance();
            l = binary(found->op, std::move(l), binaryLevel(level + 1), t);
        }
    }

    ExprPtr notExpr() {
        if (at(Tok::Not)) {
            Depth depth(*this);
            const Token& t = advance();
            auto e = expr(ExprKind::Unary, t);
            e->op = Op::Not;
            e->object = notExpr();
            return e;
        }
        return binaryLevel(kNotLevel + 1);
    }

    // unary := ("-" | "+") unary | power
    ExprPtr unary() {
        if (at(Tok::Minus) || at(Tok::Plus)) {
            Depth depth(*this);
            const Token& t = advance();
            ExprPtr operand = unary();
            if (t.kind == Tok::Plus)
                return operand;
            auto e = expr(ExprKind::Unary, t);
            e->op = Op::Neg;
            e->object = std::move(operand);
            return e;
        }
        return power();
    }

    // power := postfix { "^" power-operand };  power-operand := "-" power-operand | postfix
    ExprPtr power() {
        ExprPtr l = primary();
        for (int n = 0; at(Tok::Caret); countChain(n)) {
            const Token& t = advance();
            l = binary(Op::Pow, std::move(l), powerOperand(), t);
        }
        return l;
    }
    ExprPtr powerOperand() {
        if (at(Tok::Minus) || at(Tok::Plus)) {
            Depth depth(*this);
            const Token& t = advance();
            ExprPtr operand = powerOperand();
            if (t.kind == Tok::Plus)
                return operand;
            auto e = expr(ExprKind::Unary, t);
            e->op = Op::Neg;
            e->object = std::move(operand);
            return e;
        }
        return primary();
    }

    // primary := literal | "(" expression ")" | New name | postfix
    ExprPtr primary() {
        const Token& t = cur();
        switch (t.kind) {
        case Tok::Literal:
        case Tok::True:
        case Tok::False: {
            advance();
            auto e = expr(ExprKind::Literal, t);
            e->literal = t.literal;
            return e;
        }
        case Tok::Empty:
        case Tok::Null:
        case Tok::Nothing: {
            advance();
            auto e = expr(ExprKind::Literal, t);
            e->literal = t.kind == Tok::Null      ? Value::null()
                         : t.kind == Tok::Nothing ? Value::nothing()
                                                  : Value();
            return e;
        }
        case Tok::LParen: {
            Depth depth(*this);
            advance();
            auto e = expr(ExprKind::Paren, t);
            e->object = expression();
            expect(Tok::RParen, cerr::ExpectedRParen);
            return e;
        }
        case Tok::New: {
            advance();
            auto e = expr(ExprKind::New, t);
            e->name = identifier();
            e->key = foldName(e->name);
            return e;
        }
        case Tok::Name:
        case Tok::Dot:
        case Tok::Me:
            return postfix(true);
        default:
            fail(cerr::ExpectedExpression);
        }
    }

    // postfix := (name | Me | "." name) { "." name | "(" [arguments] ")" }
    // At the start of a statement a "(" after a blank is left to the call's arguments.
    ExprPtr postfix(bool inExpression) {
        const Token& t = cur();
        ExprPtr e;
        if (at(Tok::Me)) {
            advance();
            e = expr(ExprKind::Me, t);
        } else if (at(Tok::Dot)) {
            advance();
            e = expr(ExprKind::Member, t);
            e->name = memberName();
            e->key = foldName(e->name);
        } else {
            e = nameExpr(identifier(), t);
        }
        for (int n = 0;; countChain(n)) {
            if (at(Tok::Dot) && !cur().spaceBefore) {
                const Token& d = advance();
                auto m = expr(ExprKind::Member, d);
                m->object = std::move(e);
                m->name = memberName();
                m->key = foldName(m->name);
                e = std::move(m);
            } else if (at(Tok::LParen) && (inExpression || !cur().spaceBefore)) {
                const Token& p = advance();
                auto c = expr(ExprKind::Call, p);
                c->line = e->line;
                c->column = e->column;
                c->object = std::move(e);
                if (!at(Tok::RParen)) {
                    do
                        c->args.push_back(argument());
                    while (accept(Tok::Comma));
                }
                expect(Tok::RParen, cerr::ExpectedRParen);
                e = std::move(c);
            } else {
                return e;
            }
        }
    }

    // After ".", keywords are member names too (d.Item, x.Class, obj.End ...).
    std::u16string memberName() {
        if (at(Tok::Name) || (cur().kind >= Tok::And && !cur().text.empty()))
            return advance().text;
        fail(cerr::ExpectedIdentifier);
    }

    std::vector<Token> toks_;
    std::size_t pos_ = 0;
    ParseMode mode_;
    std::unique_ptr<Unit> unit_;
    int depth_ = 0;
    int inSingleLineIf_ = 0;
    bool inProcedure_ = false;
    Procedure::Kind procKind_ = Procedure::Kind::Sub;
    struct {
        int dos = 0;
        int fors = 0;
    } loopDepth_;
};

} // namespace

std::unique_ptr<Unit> parse(std::u16string_view source, ParseMode mode) {
    return Parser(tokenize(source), mode).run();
}

int ClassDef::findField(std::u16string_view k) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].key == k)
            return static_cast<int>(i);
    return -1;
}

Procedure* ClassDef::findProcedure(std::u16string_view k, Procedure::Kind kind) const {
    for (const auto& p : procedures)
        if (p->key == k && p->kind == kind)
            return p.get();
    return nullptr;
}

Procedure* ClassDef::findCallable(std::u16string_view k) const {
    for (const auto& p : procedures)
        if (p->key == k && p->kind != Procedure::Kind::PropertyLet &&
            p->kind != Procedure::Kind::PropertySet)
            return p.get();
    return nullptr;
}

} // namespace vbs
