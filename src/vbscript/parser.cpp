// The parser (see parser.h): the entry point and the module level (procedures, classes
// and their members). Statements and expressions are in parser_statements.cpp and
// parser_expressions.cpp.
#include "vbscript/parser_impl.h"

#include <utility>

namespace vbs {

namespace parsing {

std::unique_ptr<Unit> Parser::run() {
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

// module-declaration := [Public|Private] (Sub|Function) ... | Class ...
//                     | (Public|Private) name-list      (variables)
//                     | (Public|Private) const
bool Parser::moduleDeclaration() {
    if (mode_ != ParseMode::Module)
        return false;
    bool isPublic = true;
    const Token head = cur();
    const std::size_t start = advanced_;
    if (at(Tok::Public) || at(Tok::Private)) {
        isPublic = at(Tok::Public);
        advance();
    }
    if (at(Tok::Sub) || at(Tok::Function)) {
        auto proc = procedure(isPublic, false, nullptr);
        unit_->procedures.push_back(std::move(proc));
        return true;
    }
    if (atWord(u"property") && (peekTok().kind == Tok::Set || (peekTok().kind == Tok::Name &&
                                                               (sameName(peekTok().text, u"get") ||
                                                                sameName(peekTok().text, u"let")))))
        fail(cerr::MustBeInClass);
    if (at(Tok::Const) && advanced_ != start) {
        unit_->statements.push_back(constant());
        endOfStatement();
        return true;
    }
    if (at(Tok::Class) && advanced_ == start) {
        classDefinition();
        return true;
    }
    if (advanced_ != start) {
        if (atWord(u"property"))
            fail(cerr::MustBeInClass);
        auto stmt = declaration(StmtKind::Dim, head);
        unit_->statements.push_back(std::move(stmt));
        endOfStatement();
        return true;
    }
    return false;
}

// procedure := (Sub|Function) name [params] NL block End (Sub|Function)
//            | Property (Get|Let|Set) name [params] NL block End Property
std::unique_ptr<Procedure> Parser::procedure(bool isPublic, bool isDefault, ClassDef* owner) {
    auto proc = std::make_unique<Procedure>();
    const Token head = cur();
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
    auto loops = std::exchange(loopDepth_, {}); // Exit Do cannot leave the procedure
    proc->body = block();
    loopDepth_ = loops;
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
void Parser::classDefinition() {
    const Token& head = advance();
    auto cls = std::make_unique<ClassDef>();
    cls->line = head.line;
    cls->name = identifier();
    cls->key = foldName(cls->name);
    endOfStatement();
    inClass_ = true;
    while (!at(Tok::EndKw)) {
        if (at(Tok::End))
            fail(cerr::ExpectedEnd);
        classMember(*cls);
    }
    inClass_ = false;
    advance();
    expect(Tok::Class, cerr::ExpectedClass);
    endOfStatement();
    unit_->classes.push_back(std::move(cls));
}

// member := [Public [Default] | Private] (procedure | name-list) | Dim name-list
void Parser::classMember(ClassDef& cls) {
    bool isPublic = true;
    bool isDefault = false;
    bool scoped = false;
    const Token head = cur();
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
        fail(cerr::DefaultOnlyOnProcedure);
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
            f.bounds = fixedBounds();
        }
        cls.addField(std::move(f));
    } while (accept(Tok::Comma));
    endOfStatement();
}

void Parser::addClassProcedure(ClassDef& cls, std::unique_ptr<Procedure> proc, const Token& head) {
    using K = Procedure::Kind;
    bool isProperty = proc->kind == K::PropertyGet || proc->kind == K::PropertyLet ||
                      proc->kind == K::PropertySet;
    if (cls.findField(proc->key) >= 0)
        failAt(cerr::NameRedefined, head);
    ClassDef::Named existing = cls.named(proc->key);
    for (const Procedure* other : {existing.callable, existing.let, existing.set}) {
        if (!other)
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
    cls.addProcedure(std::move(proc));
}

} // namespace parsing

std::unique_ptr<Unit> parse(std::u16string_view source, ParseMode mode) {
    return parsing::Parser(source, mode).run();
}

void ClassDef::addField(Field f) {
    fieldIndex_.emplace(f.key, static_cast<int>(fields.size()));
    fields.push_back(std::move(f));
}

void ClassDef::addProcedure(std::unique_ptr<Procedure> p) {
    Named& n = procedureIndex_[p->key];
    switch (p->kind) {
    case Procedure::Kind::PropertyLet:
        n.let = p.get();
        break;
    case Procedure::Kind::PropertySet:
        n.set = p.get();
        break;
    default:
        n.callable = p.get();
        break;
    }
    procedures.push_back(std::move(p));
}

int ClassDef::findField(std::u16string_view k) const {
    auto it = fieldIndex_.find(k);
    return it == fieldIndex_.end() ? -1 : it->second;
}

ClassDef::Named ClassDef::named(std::u16string_view k) const {
    auto it = procedureIndex_.find(k);
    return it == procedureIndex_.end() ? Named{} : it->second;
}

Procedure* ClassDef::findProcedure(std::u16string_view k, Procedure::Kind kind) const {
    Named n = named(k);
    switch (kind) {
    case Procedure::Kind::PropertyLet:
        return n.let;
    case Procedure::Kind::PropertySet:
        return n.set;
    default:
        return n.callable && n.callable->kind == kind ? n.callable : nullptr;
    }
}

Procedure* ClassDef::findCallable(std::u16string_view k) const {
    return named(k).callable;
}

} // namespace vbs
