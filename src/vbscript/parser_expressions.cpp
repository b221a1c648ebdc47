// The parser's expressions: the operator levels from Imp down to "^", and the primary
// and postfix forms (names, members, calls, literals, New), each with its grammar rule.
#include "vbscript/parser_impl.h"

#include <algorithm>

namespace vbs::parsing {

ExprPtr Parser::nameExpr(std::u16string_view name, const Token& at) {
    auto e = expr(ExprKind::Name, at);
    e->id = intern(name);
    return e;
}

const Name* Parser::intern(std::u16string_view text) {
    if (auto it = interned_.find(text); it != interned_.end())
        return it->second;
    const Name& n = unit_->names.emplace_back(Name{std::u16string(text), foldName(text)});
    interned_.emplace(n.text, &n);
    return &n;
}

// argument := [expression]   (left out: the marker built-ins read as "not given")
ExprPtr Parser::argument() {
    if (!at(Tok::Comma) && !at(Tok::RParen) && !atStatementEnd())
        return expression();
    auto e = expr(ExprKind::Literal, cur());
    e->literal = Value::error(kMissingArgument);
    return e;
}

ExprPtr Parser::binary(Op op, ExprPtr l, ExprPtr r, const Token& at) {
    auto e = expr(ExprKind::Binary, at);
    e->op = op;
    e->object = std::move(l);
    e->right = std::move(r);
    return settled(std::move(e));
}

// Left-associative chains (`1 + 1 + ...`, `a.b.c...`) are built in loops, not by
// recursion, so the nesting count alone would not bound the tree's height.
ExprPtr Parser::settled(ExprPtr e) {
    int below = 0;
    for (const Expr* child : {e->object.get(), e->right.get()})
        if (child)
            below = std::max<int>(below, child->height);
    if (e->kind == ExprKind::Call)
        for (const auto& a : e->args)
            below = std::max<int>(below, a->height);
    if (below + 1 > kMaxNesting)
        fail(cerr::OutOfStack);
    e->height = static_cast<std::uint16_t>(below + 1);
    return e;
}

// expression := imp
ExprPtr Parser::expression() {
    Depth depth(*this);
    return binaryLevel(0);
}

const std::vector<std::vector<Parser::OpToken>>& Parser::levels() {
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

const Parser::OpToken* Parser::operatorAt(std::size_t level) const {
    for (const auto& o : levels()[level])
        if (at(o.tok))
            return &o;
    return nullptr;
}

ExprPtr Parser::binaryLevel(std::size_t level) {
    if (level == levels().size())
        return power();
    if (level == kNotLevel)
        return notExpr();
    ExprPtr l = binaryLevel(level + 1);
    for (;;) {
        const OpToken* found = operatorAt(level);
        if (!found)
            return l;
        const Token& t = advance();
        l = binary(found->op, std::move(l), binaryLevel(level + 1), t);
    }
}

ExprPtr Parser::notExpr() {
    if (at(Tok::Not)) {
        Depth depth(*this);
        const Token& t = advance();
        auto e = expr(ExprKind::Unary, t);
        e->op = Op::Not;
        e->object = notExpr();
        return settled(std::move(e));
    }
    return binaryLevel(kNotLevel + 1);
}

// power := signed { "^" signed }
// A sign binds tighter than "^": -3 ^ 2 is 9, 2 ^ -1 is 0.5.
ExprPtr Parser::power() {
    ExprPtr l = signedOperand();
    while (at(Tok::Caret)) {
        const Token& t = advance();
        l = binary(Op::Pow, std::move(l), signedOperand(), t);
    }
    return l;
}

// signed := ("-" | "+") signed | primary
ExprPtr Parser::signedOperand() {
    if (!at(Tok::Minus) && !at(Tok::Plus))
        return primary();
    Depth depth(*this);
    const Token& t = advance();
    ExprPtr inner = signedOperand();
    if (t.kind == Tok::Plus)
        return inner;
    auto e = expr(ExprKind::Unary, t);
    e->op = Op::Neg;
    e->object = std::move(inner);
    return settled(std::move(e));
}

// primary := literal | "(" expression ")" | New name | postfix
ExprPtr Parser::primary() {
    const Token t = cur();
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
    case Tok::LParen:
    case Tok::New:
    case Tok::Name:
    case Tok::Dot:
    case Tok::Me:
        return postfix(true);
    default:
        fail(cerr::ExpectedExpression);
    }
}

// postfix := base { "." name | "(" [arguments] ")" }
// base    := name | Me | "." name | "(" expression ")" | New name
// The last two are bases in an expression or after Call only; parentheses around a base
// only group it: (f)(x) calls f, ((a))(0) is an element of a, (New C).P reads P.
// At the start of a statement a "(" after a blank is left to the call's arguments, unless
// "=" follows its group: `arr (0) = v` assigns the element.
ExprPtr Parser::postfix(bool inExpression) {
    const Token t = cur();
    ExprPtr e;
    if (at(Tok::Me)) {
        advance();
        e = expr(ExprKind::Me, t);
    } else if (at(Tok::Dot)) {
        advance();
        e = expr(ExprKind::Member, t);
        e->id = intern(memberName());
    } else if (at(Tok::LParen) && inExpression) {
        Depth depth(*this);
        advance();
        e = expr(ExprKind::Paren, t);
        e->object = expression();
        expect(Tok::RParen, cerr::ExpectedRParen);
        e = settled(std::move(e));
    } else if (at(Tok::New) && inExpression) {
        advance();
        e = expr(ExprKind::New, t);
        e->id = intern(identifier());
    } else {
        e = nameExpr(identifier(), t);
    }
    for (;;) {
        bool member = at(Tok::Dot) && !cur().spaceBefore;
        bool call = at(Tok::LParen) && (inExpression || !cur().spaceBefore || groupThenEquals());
        if (!member && !call)
            return e;
        while (e->kind == ExprKind::Paren)
            e = std::move(e->object);
        if (member) {
            const Token& d = advance();
            auto m = expr(ExprKind::Member, d);
            m->object = std::move(e);
            m->id = intern(memberName());
            e = settled(std::move(m));
        } else {
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
            e = settled(std::move(c));
        }
    }
}

bool Parser::groupThenEquals() {
    Lexer ahead = lexer_.ahead();
    std::optional<Token> peeked = next_;
    auto following = [&] {
        if (peeked)
            return *std::exchange(peeked, std::nullopt);
        return ahead.next();
    };
    try {
        int open = 1; // the current token's
        for (Token tok = following(); tok.kind != Tok::Newline && tok.kind != Tok::End;
             tok = following()) {
            if (tok.kind == Tok::LParen)
                ++open;
            else if (tok.kind == Tok::RParen && --open == 0)
                return following().kind == Tok::Eq;
        }
    } catch (const ScriptError&) {
        // Text that cannot be read as tokens: the parser reports it when it gets there.
    }
    return false;
}

// After ".", keywords are member names too (d.Item, x.Class, obj.End ...).
std::u16string Parser::memberName() {
    if (at(Tok::Name) || (cur().kind >= Tok::And && !cur().text.empty()))
        return std::u16string(advance().text);
    fail(cerr::ExpectedIdentifier);
}

} // namespace vbs::parsing
