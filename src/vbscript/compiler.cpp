// The compiler (see compiler.h).
#include "vbscript/compiler.h"

#include "vbscript/bytecode.h"

#include "vbscript/errors.h"
#include "vbscript/host_object.h"
#include "vbscript/operators.h"

#include <functional>
#include <unordered_map>

namespace vbs {

using namespace ast;

namespace {

[[noreturn]] void failAt(int number, int line, int column) {
    throw ScriptError(ErrorKind::Compile, number, line, column);
}

// The blocks a statement holds (If's branches, a loop's body ...).
void forEachNestedBlock(const Stmt& s, const std::function<void(const Block&)>& visit) {
    switch (s.kind) {
    case StmtKind::If: {
        const auto& i = static_cast<const IfStmt&>(s);
        for (const auto& b : i.branches)
            visit(b.body);
        visit(i.elseBody);
        break;
    }
    case StmtKind::Select:
        for (const auto& c : static_cast<const SelectStmt&>(s).cases)
            visit(c.body);
        break;
    case StmtKind::For:
        visit(static_cast<const ForStmt&>(s).body);
        break;
    case StmtKind::ForEach:
        visit(static_cast<const ForEachStmt&>(s).body);
        break;
    case StmtKind::Do:
        visit(static_cast<const DoStmt&>(s).body);
        break;
    case StmtKind::With:
        visit(static_cast<const WithStmt&>(s).body);
        break;
    default:
        break;
    }
}

// The value of a Const's literal (the parser allows a literal or a negated number only).
Value constantValue(const Expr& e) {
    return e.kind == ExprKind::Literal ? e.literal : unaryOp(Op::Neg, e.object->literal);
}

// Hands over each constant of a body, wherever its Const statement stands in it: a
// constant exists from the start of the code that declares it, whether or not its
// statement is reached (If False Then Const c = 1), so the builder leaves those
// statements out.
void takeConstants(const Block& body, const std::function<void(const Declared&)>& take) {
    for (const auto& s : body) {
        if (s->kind != StmtKind::Const) {
            forEachNestedBlock(*s, [&](const Block& inner) { takeConstants(inner, take); });
            continue;
        }
        for (const auto& d : static_cast<const DeclStmt&>(*s).items)
            take(d);
    }
}

class Resolver {
public:
    Resolver(const ClassDef* cls, Procedure* proc) : cls_(cls), proc_(proc) {}

    // Where each name met so far lives, for the builder.
    NameSlots& slots() { return slots_; }

    // Local slots of a procedure being compiled.
    void declareLocal(const std::u16string& key, int line, int column) {
        if (locals_.count(key))
            failAt(cerr::NameRedefined, line, column);
        int slot = static_cast<int>(keys_.size());
        locals_[key] = slot;
        keys_.push_back(key);
    }

    // The slots of a running procedure, for Execute and Eval inside it: its declared
    // locals, and the fallback slots of its undeclared names, which a global of the same
    // name still hides.
    void adoptLocals(const Procedure& p) {
        for (std::size_t i = 0; i < p.localKeys.size(); ++i) {
            auto& names = static_cast<int>(i) < p.declaredLocals ? locals_ : fallbacks_;
            names.emplace(p.localKeys[i], static_cast<int>(i));
        }
    }

    void collectDeclarations(const Block& body) {
        for (const auto& s : body) {
            if (s->kind == StmtKind::Dim || s->kind == StmtKind::Const)
                for (const auto& d : static_cast<const DeclStmt&>(*s).items)
                    declareLocal(d.target->key(), d.target->line, d.target->column);
            forEachNestedBlock(*s, [this](const Block& inner) { collectDeclarations(inner); });
        }
    }

    int localSlot(const std::u16string& key) const { return locals_.at(key); }

    void block(const Block& body) {
        for (const auto& s : body)
            statement(*s);
    }

    void expression(const Expr& e) {
        switch (e.kind) {
        case ExprKind::Name:
            name(e);
            break;
        case ExprKind::Me:
            if (!cls_)
                failAt(cerr::InvalidMe, e.line, e.column);
            break;
        default:
            break;
        }
        if (e.object)
            expression(*e.object);
        if (e.right)
            expression(*e.right);
        if (e.kind == ExprKind::Call)
            for (const auto& a : e.args)
                expression(*a);
    }

    std::vector<std::u16string>& keys() { return keys_; }

private:
    void name(const Expr& e) {
        Slot& slot = slots_[&e];
        if (auto it = locals_.find(e.key()); it != locals_.end()) {
            slot.scope = Scope::Local;
            slot.index = it->second;
            return;
        }
        if (cls_) {
            int field = cls_->findField(e.key());
            if (field >= 0) {
                slot.scope = Scope::Field;
                slot.index = field;
                return;
            }
            ClassDef::Named named = cls_->named(e.key());
            if (Procedure* p = named.callable ? named.callable
                               : named.let    ? named.let
                                              : named.set) {
                slot.scope = Scope::Method;
                slot.proc = p;
                return;
            }
        }
        slot.scope = Scope::Global;
        if (auto it = fallbacks_.find(e.key()); it != fallbacks_.end()) {
            slot.fallbackLocal = it->second;
        } else if (proc_) {
            slot.fallbackLocal = static_cast<int>(keys_.size());
            fallbacks_.emplace(e.key(), slot.fallbackLocal);
            keys_.push_back(e.key());
        }
    }

    void statement(const Stmt& s) {
        switch (s.kind) {
        case StmtKind::Assign: {
            const auto& a = static_cast<const AssignStmt&>(s);
            expression(*a.target);
            expression(*a.value);
            break;
        }
        case StmtKind::Call:
            expression(*static_cast<const CallStmt&>(s).call);
            break;
        case StmtKind::Dim:
        case StmtKind::ReDim:
        case StmtKind::Erase:
        case StmtKind::Const:
            for (const auto& d : static_cast<const DeclStmt&>(s).items) {
                expression(*d.target);
                for (const auto& b : d.bounds)
                    expression(*b);
                if (d.value)
                    expression(*d.value);
            }
            break;
        case StmtKind::If: {
            const auto& i = static_cast<const IfStmt&>(s);
            for (const auto& b : i.branches) {
                expression(*b.condition);
                block(b.body);
            }
            block(i.elseBody);
            break;
        }
        case StmtKind::Select: {
            const auto& sel = static_cast<const SelectStmt&>(s);
            expression(*sel.subject);
            for (const auto& c : sel.cases) {
                for (const auto& t : c.tests)
                    expression(*t);
                block(c.body);
            }
            break;
        }
        case StmtKind::For: {
            const auto& f = static_cast<const ForStmt&>(s);
            expression(*f.variable);
            expression(*f.from);
            expression(*f.to);
            if (f.step)
                expression(*f.step);
            block(f.body);
            break;
        }
        case StmtKind::ForEach: {
            const auto& f = static_cast<const ForEachStmt&>(s);
            expression(*f.variable);
            expression(*f.collection);
            block(f.body);
            break;
        }
        case StmtKind::Do: {
            const auto& d = static_cast<const DoStmt&>(s);
            if (d.condition)
                expression(*d.condition);
            block(d.body);
            break;
        }
        case StmtKind::With: {
            const auto& w = static_cast<const WithStmt&>(s);
            expression(*w.object);
            block(w.body);
            break;
        }
        default:
            break;
        }
    }

    const ClassDef* cls_;
    Procedure* proc_;
    std::unordered_map<std::u16string, int> locals_;
    std::unordered_map<std::u16string, int> fallbacks_;
    std::vector<std::u16string> keys_;
    NameSlots slots_;
};

void compileProcedure(Procedure& p, const ClassDef* cls) {
    Resolver r(cls, &p);
    for (const auto& param : p.params) {
        r.declareLocal(foldName(param.name), p.line, p.column);
        p.anyByVal = p.anyByVal || param.byVal;
    }
    if (p.hasResult()) {
        p.resultSlot = static_cast<int>(r.keys().size());
        r.declareLocal(p.key, p.line, p.column);
    }
    r.collectDeclarations(p.body);
    p.declaredLocals = static_cast<int>(r.keys().size());
    takeConstants(p.body, [&](const Declared& d) {
        p.constants.emplace_back(r.localSlot(d.target->key()), constantValue(*d.value));
    });
    r.block(p.body);
    p.localKeys = std::move(r.keys());
    p.frameSize = static_cast<int>(p.localKeys.size());
    p.bytecode = std::make_shared<Bytecode>(buildBytecode(p, r.slots()));
}

// The unit's names are checked: a name declared twice is 1041, but for a procedure
// defined again, whose last definition holds. Global code's constants are taken from it
// (code that Execute runs inside a procedure keeps its Const statements, which run).
void declareGlobals(Unit& unit, bool takesConstants) {
    std::unordered_map<std::u16string, bool> seen; // whether a procedure's
    auto claim = [&](const std::u16string& key, int line, int column, bool procedure) {
        auto [it, fresh] = seen.emplace(key, procedure);
        if (!fresh && !(procedure && it->second))
            failAt(cerr::NameRedefined, line, column);
    };
    for (const auto& p : unit.procedures)
        claim(p->key, p->line, p->column, true);
    for (const auto& c : unit.classes)
        claim(c->key, c->line, 1, false);
    if (takesConstants)
        takeConstants(unit.statements, [&](const Declared& d) {
            claim(d.target->key(), d.target->line, d.target->column, false);
            unit.constants.push_back({d.target->name(), constantValue(*d.value)});
        });
    for (const auto& s : unit.statements) {
        if (s->kind != StmtKind::Dim && (s->kind != StmtKind::Const || takesConstants))
            continue;
        for (const auto& d : static_cast<const DeclStmt&>(*s).items) {
            claim(d.target->key(), d.target->line, d.target->column, false);
            if (s->kind == StmtKind::Dim)
                unit.globalNames.push_back(d.target->name());
        }
    }
}

} // namespace

void compile(Unit& unit, const CompileScope& scope) {
    declareGlobals(unit, !scope.procedure);
    for (auto& p : unit.procedures) {
        p->explicitNames = unit.optionExplicit;
        compileProcedure(*p, nullptr);
    }
    for (auto& c : unit.classes) {
        for (auto& p : c->procedures) {
            p->explicitNames = unit.optionExplicit;
            compileProcedure(*p, c.get());
        }
    }
    Resolver top(scope.cls, nullptr);
    if (scope.procedure)
        top.adoptLocals(*scope.procedure);
    top.block(unit.statements);
    if (unit.expression) {
        top.expression(*unit.expression);
        unit.bytecode = std::make_shared<Bytecode>(
            buildBytecode(*unit.expression, scope.procedure, top.slots()));
    } else if (!scope.procedure) {
        unit.bytecode = std::make_shared<Bytecode>(buildBytecode(unit.statements, top.slots()));
    } else {
        unit.bytecode = std::make_shared<Bytecode>(
            buildBytecode(unit.statements, scope.procedure, top.slots()));
    }
}

} // namespace vbs
