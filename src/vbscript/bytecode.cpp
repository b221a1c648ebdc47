// Flattening a unit of code into its compact form (see bytecode.h). A left operand is
// read before the right one runs unless the right one is a literal or a local variable;
// a call finds its object, then its arguments left to right, and binds them when it runs.
#include "vbscript/bytecode.h"

#include "vbscript/operators.h"

#include <algorithm>
#include <utility>

namespace vbs {

using namespace ast;

namespace {

// A register or a constant; a temporary is given back once its instruction is emitted.
struct Operand {
    std::int32_t index = 0;
    bool temporary = false;
};

class Builder {
public:
    // Global code has no procedure: its names are all global and its registers are
    // temporaries only.
    // `constantsTaken`: the compiler took the body's constants, which exist from its
    // start (compiler.cpp), so their statements have nothing left to do.
    Builder(const Block& body, const Procedure* p, const NameSlots& slots, bool constantsTaken)
        : body_(body), proc_(p), slots_(slots), constantsTaken_(constantsTaken),
          nextTemporary_(p ? p->frameSize : 0) {
        bc_.registers = nextTemporary_;
    }

    Bytecode buildExpression(const Expr& e) {
        std::int32_t result = temporary();
        Operand o = value(e);
        release(o);
        Instruction copy = oneOperand(Opcode::Copy, o);
        copy.dst = result;
        emit(copy);
        emit({Opcode::Leave});
        return std::move(bc_);
    }

    Bytecode build() {
        block(body_);
        emit({Opcode::Leave});
        // A jump to the end ends the procedure itself (an If with an Else last in a
        // function).
        for (Instruction& in : bc_.code)
            if (in.code == Opcode::Jump &&
                bc_.code[static_cast<std::size_t>(in.target)].code == Opcode::Leave)
                in.code = Opcode::Leave;
        return std::move(bc_);
    }

private:
    // A Do or For loop being built: the Jumps of its Exits. While ... Wend is not one: its
    // Exit Do leaves the enclosing Do.
    struct Loop {
        std::vector<std::size_t> exits;
        // How many of held_ were there when the loop began: its exits let go of the rest.
        std::size_t held = 0;
    };
    Loop openLoop() const { return {{}, held_.size()}; }

    // Emits what the statements being left hold, from the innermost out to the first
    // `kept` of held_.
    void releaseHeld(std::size_t kept) {
        for (std::size_t i = held_.size(); i > kept; --i)
            emit(held_[i - 1]);
    }

    void landExits(const Loop& loop) {
        for (std::size_t j : loop.exits)
            landHere(j);
    }

    std::int32_t pc() const { return static_cast<std::int32_t>(bc_.code.size()); }
    std::size_t emit(Instruction in) {
        in.statement = statement_;
        bc_.code.push_back(in);
        return bc_.code.size() - 1;
    }
    void landHere(std::size_t jump) { bc_.code[jump].target = pc(); }

    // Where name `e` lives, as the compiler found.
    const Slot& slotOf(const Expr& e) const { return slots_.at(&e); }
    bool isLocal(const Expr& e) const {
        return e.kind == ExprKind::Name && slotOf(e).scope == Scope::Local;
    }
    // Reading it runs nothing, so a left operand may wait to be read until it is used.
    bool isPlain(const Expr& e) const { return e.kind == ExprKind::Literal || isLocal(e); }

    std::int32_t temporary() {
        std::int32_t t = nextTemporary_++;
        bc_.registers = std::max(bc_.registers, nextTemporary_);
        return t;
    }
    // Temporaries are given back in the reverse order of taking them.
    void release(Operand o) {
        if (o.temporary)
            --nextTemporary_;
    }
    // A new entry for what a use of a name denotes: where it lives, and what a global is
    // found to be when it runs.
    std::int32_t nameCache(const Expr& name) {
        bc_.nameCaches.emplace_back().slot = slotOf(name);
        return static_cast<std::int32_t>(bc_.nameCaches.size()) - 1;
    }
    // The entries of element `a(i, ...)` assigned in place: the array's name, then each
    // subscript's (a literal's unused), in a row.
    std::int32_t elementCaches(const Expr& element) {
        if (element.kind != ExprKind::Call)
            return nameCache(element);
        std::int32_t first = nameCache(*element.object);
        for (const auto& subscript : element.args) {
            if (subscript->kind == ExprKind::Name)
                nameCache(*subscript);
            else
                unusedCache();
        }
        return first;
    }
    // The entries of a call's arguments, in a row: of the array's name for each `a(...)`,
    // which may be an array element passed by reference (unused for the others).
    std::int32_t arrayCaches(const std::vector<ExprPtr>& args) {
        auto first = static_cast<std::int32_t>(bc_.nameCaches.size());
        for (const auto& a : args) {
            if (mayBeElement(*a))
                nameCache(*a->object);
            else
                unusedCache();
        }
        return first;
    }
    std::int32_t unusedCache() {
        bc_.nameCaches.emplace_back();
        return static_cast<std::int32_t>(bc_.nameCaches.size()) - 1;
    }
    // `s = s & x`, which grows the text in place.
    static bool appends(const AssignStmt& a) {
        const Expr& v = *a.value;
        return !a.isSet && a.target->kind == ExprKind::Name && v.kind == ExprKind::Binary &&
               v.op == Op::Concat && v.object->kind == ExprKind::Name &&
               v.object->key() == a.target->key();
    }

    Operand constant(const Value& v) {
        bc_.constants.push_back(v);
        return {-static_cast<std::int32_t>(bc_.constants.size()), false};
    }

    // ---- statements ----

    void block(const Block& body) {
        for (const auto& s : body)
            if (s->kind != StmtKind::Const || !constantsTaken_)
                statement(*s);
    }

    void statement(const Stmt& s) {
        auto index = static_cast<std::int32_t>(bc_.statements.size());
        bc_.statements.push_back({&s});
        std::int32_t enclosing = std::exchange(statement_, index);
        // Where On Error Resume Next goes on after an error of the statement itself: past
        // it, unless it holds something to let go of first.
        std::int32_t resume = -1;
        switch (s.kind) {
        case StmtKind::Assign:
            assignment(static_cast<const AssignStmt&>(s));
            break;
        case StmtKind::If:
            ifStatement(static_cast<const IfStmt&>(s));
            break;
        case StmtKind::Do:
            doStatement(static_cast<const DoStmt&>(s));
            break;
        case StmtKind::For:
            forStatement(static_cast<const ForStmt&>(s));
            break;
        case StmtKind::OnErrorResumeNext:
        case StmtKind::OnErrorGoto0: {
            Instruction in{Opcode::OnError};
            in.when = s.kind == StmtKind::OnErrorResumeNext;
            emit(in);
            break;
        }
        case StmtKind::Exit:
            exitStatement(static_cast<const ExitStmt&>(s));
            break;
        case StmtKind::Call:
            callStatement(static_cast<const CallStmt&>(s));
            break;
        case StmtKind::Select:
            resume = selectStatement(static_cast<const SelectStmt&>(s));
            break;
        case StmtKind::With:
            withStatement(static_cast<const WithStmt&>(s));
            break;
        case StmtKind::ForEach:
            resume = forEachStatement(static_cast<const ForEachStmt&>(s));
            break;
        case StmtKind::Dim:
        case StmtKind::ReDim:
        case StmtKind::Erase:
            declaration(static_cast<const DeclStmt&>(s));
            break;
        case StmtKind::Const:
            constantStatement(static_cast<const DeclStmt&>(s));
            break;
        }
        bc_.statements[static_cast<std::size_t>(index)].resume = resume >= 0 ? resume : pc();
        statement_ = enclosing;
    }

    // A procedure's plain locals exist from the start: only arrays are made here. Global
    // code declares its variables as it runs. Each name in turn is found, then its bounds,
    // each made a Long before the next is found, then it is sized.
    void declaration(const DeclStmt& s) {
        for (const Declared& d : s.items) {
            const Expr& target = *d.target;
            if (s.kind == StmtKind::Dim && !proc_ && slotOf(target).scope == Scope::Global) {
                Instruction declare{Opcode::Declare};
                declare.expr = &target;
                emit(declare);
            }
            if (s.kind == StmtKind::Dim && !d.isArray)
                continue;
            Instruction in{s.kind == StmtKind::Erase ? Opcode::Erase : Opcode::ArrayVariable};
            in.expr = &target;
            in.name = nameCache(target);
            in.stmt = &s;
            if (in.code == Opcode::Erase || !d.bounds.empty())
                emit(in);
            if (in.code == Opcode::Erase)
                continue;
            std::int32_t first = nextTemporary_;
            for (std::size_t i = 0; i < d.bounds.size(); ++i)
                temporary();
            for (std::size_t i = 0; i < d.bounds.size(); ++i) {
                Operand o = value(*d.bounds[i]);
                release(o);
                Instruction bound = oneOperand(Opcode::Bound, o);
                bound.dst = first + static_cast<std::int32_t>(i);
                emit(bound);
            }
            in.code = Opcode::SizeArray;
            in.a = first;
            in.b = static_cast<std::int32_t>(d.bounds.size());
            emit(in);
            nextTemporary_ = first;
        }
    }

    // The parser lets Exit Do stand only inside a Do and Exit For only inside a For.
    void exitStatement(const ExitStmt& s) {
        if (s.what == ExitKind::Do) {
            releaseHeld(dos_.back().held);
            dos_.back().exits.push_back(emit({Opcode::Jump}));
        } else if (s.what == ExitKind::For) {
            releaseHeld(fors_.back().held);
            fors_.back().exits.push_back(emit({Opcode::Jump}));
        } else {
            releaseHeld(0);
            emit({Opcode::Return});
        }
    }

    void assignment(const AssignStmt& a) {
        const Expr& target = *a.target;
        if (appends(a)) {
            appendAssignment(a);
            return;
        }
        if (!(target.kind == ExprKind::Name || isPlainElement(target))) {
            memberOrIndexedAssignment(a);
            return;
        }
        const Expr& v = *a.value;
        if (a.isSet || !isLocal(target)) {
            // The value is found first, then the name and the subscripts.
            Operand o = value(v);
            release(o);
            bool byName = !a.isSet && target.kind == ExprKind::Name;
            if (byName && storedInPlace(o, target))
                return;
            Instruction in = oneOperand(byName ? Opcode::StoreName : Opcode::Store, o);
            in.when = a.isSet;
            in.expr = &target;
            in.name = byName ? nameCache(target) : elementCaches(target);
            emit(in);
            return;
        }
        std::int32_t local = slotOf(target).index;
        // An operator never gives an object, so its result goes straight to the variable.
        if (v.kind == ExprKind::Binary) {
            binary(v, local);
            return;
        }
        if (v.kind == ExprKind::Unary) {
            unary(v, local);
            return;
        }
        Operand o = value(v);
        release(o);
        Instruction in = oneOperand(Opcode::Assign, o);
        in.dst = local;
        emit(in);
    }

    // `o.P = v`, `.P = v`, `o.P(i) = v`, `a(i + 1, f(x)) = v` (and `Me = v`, `f(1)(2) = v`,
    // which StoreIndexed refuses), in this order: the value, made what `=` or Set
    // assigns, then the subscripts, then the object.
    void memberOrIndexedAssignment(const AssignStmt& a) {
        const Expr& target = *a.target;
        bool indexed = target.kind == ExprKind::Call;
        const Expr& callee = indexed ? *target.object : target;
        bool member = callee.kind == ExprKind::Member;
        Instruction prepare = oneOperand(Opcode::Prepare, {});
        prepare.dst = temporary();
        Operand v = value(*a.value);
        release(v);
        prepare.a = v.index;
        prepare.consumeA = v.temporary && v.index != prepare.dst;
        prepare.when = a.isSet;
        emit(prepare);
        Instruction store{member ? Opcode::StoreMember : Opcode::StoreIndexed};
        store.a = prepare.dst;
        store.when = a.isSet;
        store.expr = &target;
        if (!member)
            store.name = callee.kind == ExprKind::Name ? nameCache(callee) : unusedCache();
        store.dst = nextTemporary_;
        if (indexed)
            for (const auto& subscript : target.args)
                inNextTemporary(*subscript);
        Operand object;
        if (member && callee.object) {
            object = value(*callee.object);
            store.b = object.index;
            store.consumeB = object.temporary;
        }
        release(object);
        nextTemporary_ = prepare.dst;
        emit(store);
    }

    // A value in the next temporary, where an instruction taking several finds it: a
    // computed value lands there, a variable's or a constant's is copied.
    void inNextTemporary(const Expr& e) {
        Operand o = value(e);
        if (!o.temporary)
            copyOf(o.index);
    }

    // Each name in turn: its value, then the name is made a constant.
    void constantStatement(const DeclStmt& s) {
        for (const Declared& d : s.items) {
            Operand o = value(*d.value);
            release(o);
            Instruction in = oneOperand(Opcode::Constant, o);
            in.expr = d.target.get();
            in.name = nameCache(*d.target);
            emit(in);
        }
    }

    // `s = s & x`: the variable's value is read (a copy, as the right side may change
    // the variable), then x; the text then grows in place when the copy was all that
    // shared it, which keeps building a string in a loop linear.
    void appendAssignment(const AssignStmt& a) {
        const Expr& joined = *a.value;
        Operand left = value(*joined.object);
        if (!left.temporary)
            left = copyOf(left.index);
        Operand right = value(*joined.right);
        release(right);
        release(left);
        Instruction in = binaryInstruction(Opcode::Append, Op::Concat, left, right);
        in.expr = a.target.get();
        in.name = nameCache(*a.target);
        emit(in);
    }

    void ifStatement(const IfStmt& s) {
        std::vector<std::size_t> toEnd;
        for (std::size_t i = 0; i < s.branches.size(); ++i) {
            const auto& branch = s.branches[i];
            std::size_t skip = branchCondition(s, *branch.condition);
            block(branch.body);
            if (i + 1 < s.branches.size() || !s.elseBody.empty())
                toEnd.push_back(emit({Opcode::Jump}));
            landHere(skip);
        }
        block(s.elseBody);
        for (std::size_t j : toEnd)
            landHere(j);
    }

    // A branch's condition counts as a statement of its own, followed by the branch: an
    // error in it under On Error Resume Next goes on with the branch's first statement,
    // the branch being taken. (A loop's condition, Select Case's subject and For's bounds
    // leave the whole statement instead: a loop entered on a failing condition would only
    // spin.)
    std::size_t branchCondition(const IfStmt& s, const Expr& condition) {
        auto index = static_cast<std::int32_t>(bc_.statements.size());
        bc_.statements.push_back({&s});
        std::int32_t enclosing = std::exchange(statement_, index);
        std::size_t skip = jumpIf(condition, false);
        bc_.statements[static_cast<std::size_t>(index)].resume = pc();
        statement_ = enclosing;
        return skip;
    }

    void doStatement(const DoStmt& s) {
        if (!s.whileWend)
            dos_.push_back(openLoop());
        std::int32_t top = pc();
        std::vector<std::size_t> exits;
        // A loop ends when While's condition is False or Until's is True.
        if (s.preTest != LoopTest::None)
            exits.push_back(jumpIf(*s.condition, s.preTest == LoopTest::Until));
        block(s.body);
        if (s.postTest != LoopTest::None)
            exits.push_back(jumpIf(*s.condition, s.postTest == LoopTest::Until));
        Instruction back{Opcode::StepJump};
        back.target = top;
        emit(back);
        for (std::size_t j : exits)
            landHere(j);
        if (!s.whileWend) {
            landExits(dos_.back());
            dos_.pop_back();
        }
    }

    // The start, end and step are found in that order, each made a number before the
    // next is found; the end and the step are kept in registers of their own while the
    // loop runs. The counter is a name looked up on every turn.
    void forStatement(const ForStmt& s) {
        Operand end{temporary(), true};
        Operand step{temporary(), true};
        Operand start{temporary(), true};
        numericInto(*s.from, start.index);
        numericInto(*s.to, end.index);
        if (s.step)
            numericInto(*s.step, step.index);
        else
            numericInto(constant(Value::integer(1)), step.index);
        Instruction init = binaryInstruction(Opcode::ForInit, Op::Add, start, end);
        init.consumeB = false;
        init.dst = step.index;
        init.expr = s.variable.get();
        init.name = nameCache(*s.variable);
        emit(init);
        release(start);
        std::int32_t top = pc();
        // A local counter's register, where the loop reads and steps a whole-number
        // counter without finding its name.
        std::int32_t counter = isLocal(*s.variable) ? slotOf(*s.variable).index : -1;
        Instruction test = binaryInstruction(Opcode::ForTest, Op::Add, end, step);
        test.consumeA = test.consumeB = false;
        test.dst = counter;
        test.expr = s.variable.get();
        test.name = init.name;
        std::size_t exit = emit(test);
        fors_.push_back(openLoop());
        block(s.body);
        Instruction next{Opcode::ForNext};
        next.dst = counter;
        next.b = step.index;
        next.expr = s.variable.get();
        next.name = init.name;
        next.target = top;
        emit(next);
        landHere(exit);
        landExits(fors_.back());
        fors_.pop_back();
        release(step);
        release(end);
    }

    // The subject is found once and kept in a register of its own until the statement
    // ends; each Case value is then found and compared with `=` in turn, a Null result
    // being no match. Returns the end, where the subject is let go of.
    std::int32_t selectStatement(const SelectStmt& s) {
        Operand subject = keptValue(*s.subject);
        std::vector<std::size_t> toEnd;
        for (std::size_t i = 0; i < s.cases.size(); ++i) {
            const auto& c = s.cases[i];
            std::vector<std::size_t> toBody;
            std::size_t skip = 0;
            for (std::size_t t = 0; t < c.tests.size(); ++t) {
                Operand test = value(*c.tests[t]);
                release(test);
                Instruction in = binaryInstruction(Opcode::CompareJumpIf, Op::Eq, subject, test);
                in.consumeA = false;
                // The last value goes on to the next case when it does not match.
                in.when = t + 1 < c.tests.size();
                std::size_t at = emit(in);
                if (in.when)
                    toBody.push_back(at);
                else
                    skip = at;
            }
            for (std::size_t j : toBody)
                landHere(j);
            block(c.body);
            if (i + 1 < s.cases.size())
                toEnd.push_back(emit({Opcode::Jump}));
            if (!c.tests.empty())
                landHere(skip);
        }
        for (std::size_t j : toEnd)
            landHere(j);
        std::int32_t end = pc();
        letGo(subject);
        return end;
    }

    // A value held while a statement's body runs: a variable is copied, as its value
    // then is what counts. Body statements that leave early let go of it too.
    Operand keptValue(const Expr& e) {
        Operand o = value(e);
        if (!o.temporary && o.index >= 0)
            o = copyOf(o.index);
        if (o.temporary)
            held_.push_back(clearing(o.index, 1));
        return o;
    }

    static Instruction clearing(std::int32_t first, std::int32_t count) {
        Instruction in{Opcode::Clear};
        in.a = first;
        in.b = count;
        return in;
    }

    // Ends what keptValue began.
    void letGo(Operand o) {
        if (!o.temporary)
            return;
        held_.pop_back();
        emit(clearing(o.index, 1));
        release(o);
    }

    // The object is found and pushed; an error there leaves the whole statement, with
    // nothing pushed. Every way out of the body the builder knows pops it.
    void withStatement(const WithStmt& s) {
        Operand o = value(*s.object);
        release(o);
        emit(oneOperand(Opcode::WithPush, o));
        held_.push_back({Opcode::WithPop});
        block(s.body);
        held_.pop_back();
        emit({Opcode::WithPop});
    }

    // The collection is found once and kept, with what the loop goes over and where it
    // stands, in registers of their own until the loop ends or is left. Returns the end,
    // where they are let go of.
    std::int32_t forEachStatement(const ForEachStmt& s) {
        Operand collection = value(*s.collection);
        if (!collection.temporary)
            collection = copyOf(collection.index);
        std::int32_t items = temporary();
        std::int32_t position = temporary();
        Instruction init = oneOperand(Opcode::ForEachInit, collection);
        init.consumeA = false;
        init.dst = items;
        init.b = position;
        emit(init);
        held_.push_back(clearing(collection.index, 2));
        std::int32_t top = pc();
        Instruction next{Opcode::ForEachNext};
        next.dst = items;
        next.b = position;
        next.expr = s.variable.get();
        next.name = nameCache(*s.variable);
        std::size_t exit = emit(next);
        fors_.push_back(openLoop());
        block(s.body);
        Instruction back{Opcode::Jump};
        back.target = top;
        emit(back);
        landHere(exit);
        landExits(fors_.back());
        fors_.pop_back();
        held_.pop_back();
        std::int32_t end = pc();
        emit(clearing(collection.index, 2));
        release({position, true});
        release({items, true});
        release(collection);
        return end;
    }

    void numericInto(const Expr& e, std::int32_t dst) { numericInto(value(e), dst); }
    void numericInto(Operand o, std::int32_t dst) {
        release(o);
        Instruction in = oneOperand(Opcode::Numeric, o);
        in.dst = dst;
        emit(in);
    }

    // A conditional jump, its target to be filled in.
    std::size_t jumpIf(const Expr& condition, bool when) {
        if (condition.kind == ExprKind::Binary && isComparison(condition.op)) {
            auto [l, r] = operands(condition);
            Instruction in = binaryInstruction(Opcode::CompareJumpIf, condition.op, l, r);
            in.when = when;
            readNamesInPlace(in, l, r);
            return emit(in);
        }
        Operand c = value(condition);
        release(c);
        Instruction in = oneOperand(Opcode::JumpIf, c);
        in.when = when;
        return emit(in);
    }

    // ---- expressions ----

    Operand value(const Expr& e) {
        switch (e.kind) {
        case ExprKind::Literal:
            return constant(e.literal);
        case ExprKind::Name:
            if (isLocal(e))
                return {slotOf(e).index, false};
            return intoTemporary(Opcode::LoadName, e, nameCache(e));
        case ExprKind::Paren:
            return value(*e.object);
        case ExprKind::Unary:
            return {unary(e, -1), true};
        case ExprKind::Binary:
            return {binary(e, -1), true};
        case ExprKind::Call:
            if (isElement(e)) {
                Operand element{call(*e.object, e.args, true, false), true};
                bc_.code.back().code = Opcode::Element;
                bc_.code.back().expr = &e;
                return element;
            }
            return {guardedCall(e, nullptr), true};
        case ExprKind::Member:
            return {guardedCall(e, nullptr), true};
        case ExprKind::Me:
            return intoTemporary(Opcode::LoadMe, e);
        case ExprKind::New:
            break;
        }
        return intoTemporary(Opcode::New, e);
    }

    Operand intoTemporary(Opcode code, const Expr& e, std::int32_t name = -1) {
        Instruction in{code};
        in.dst = temporary();
        in.expr = &e;
        in.name = name;
        emit(in);
        return {in.dst, true};
    }

    // A variable's value as it is now, for an operand read later.
    Operand copyOf(std::int32_t variable) {
        Instruction copy{Opcode::Copy};
        copy.dst = temporary();
        copy.a = variable;
        emit(copy);
        return {copy.dst, true};
    }

    // The operands of a binary operator, left first: a variable on the left is copied
    // before a right side that could change it runs.
    std::pair<Operand, Operand> operands(const Expr& e) {
        Operand l = value(*e.object);
        if (!l.temporary && l.index >= 0 && !isPlain(*e.right))
            l = copyOf(l.index);
        Operand r = value(*e.right);
        release(r);
        release(l);
        return {l, r};
    }

    static Instruction oneOperand(Opcode code, Operand o) {
        Instruction in{code};
        in.a = o.index;
        in.consumeA = o.temporary;
        return in;
    }

    static Instruction binaryInstruction(Opcode code, Op op, Operand l, Operand r) {
        Instruction in = oneOperand(code, l);
        in.op = op;
        in.b = r.index;
        in.consumeB = r.temporary;
        return in;
    }

    // Emits the operator with its result in `dst`, or in a new temporary when -1.
    std::int32_t binary(const Expr& e, std::int32_t dst) {
        auto [l, r] = operands(e);
        Opcode code = e.op == Op::Add   ? Opcode::Add
                      : e.op == Op::Sub ? Opcode::Subtract
                                        : Opcode::Binary;
        Instruction in = binaryInstruction(code, e.op, l, r);
        in.dst = dst >= 0 ? dst : temporary();
        in.consumeA = in.consumeA && in.a != in.dst;
        in.consumeB = in.consumeB && in.b != in.dst;
        readNamesInPlace(in, l, r);
        emit(in);
        return in.dst;
    }

    // The operator `in` about to be emitted reads its operands where they live when the
    // last instructions load them from names (LoadName) and nothing runs in between: the
    // loads are taken back into it (NamedBinary, NamedCompareJumpIf), their registers kept
    // for when it must load them after all.
    void readNamesInPlace(Instruction& in, Operand l, Operand r) {
        Bytecode::NamedOperands named;
        named.b = takenBackLoad(r);
        named.a = takenBackLoad(l);
        if (!named.a.name && !named.b.name)
            return;
        in.code =
            in.code == Opcode::CompareJumpIf ? Opcode::NamedCompareJumpIf : Opcode::NamedBinary;
        in.name = static_cast<std::int32_t>(bc_.named.size());
        bc_.named.push_back(named);
    }

    // The name temporary `o` was loaded from by the last instruction, which is taken back;
    // none if it was not loaded so. Nothing jumps to it: a jump lands where an expression
    // begins, and the operator replacing it takes its place.
    Bytecode::NamedOperand takenBackLoad(Operand o) {
        if (!o.temporary || bc_.code.empty())
            return {};
        const Instruction& last = bc_.code.back();
        if (last.code != Opcode::LoadName || last.dst != o.index)
            return {};
        Bytecode::NamedOperand named{last.expr, last.name};
        bc_.code.pop_back();
        return named;
    }

    // `name = value` where the value's operator, the last instruction, gives temporary `o`:
    // the operator stores its result in the variable itself (NamedBinary), its register
    // kept for when it must go the general way.
    bool storedInPlace(Operand o, const Expr& name) {
        if (!o.temporary || bc_.code.empty())
            return false;
        Instruction& last = bc_.code.back();
        bool binary = last.code == Opcode::Binary || last.code == Opcode::Add ||
                      last.code == Opcode::Subtract || last.code == Opcode::NamedBinary;
        if (!binary || last.dst != o.index)
            return false;
        if (last.code != Opcode::NamedBinary) {
            last.code = Opcode::NamedBinary;
            last.name = static_cast<std::int32_t>(bc_.named.size());
            bc_.named.emplace_back();
        }
        bc_.named[static_cast<std::size_t>(last.name)].dst = {&name, nameCache(name)};
        return true;
    }

    std::int32_t unary(const Expr& e, std::int32_t dst) {
        Operand o = value(*e.object);
        release(o);
        Instruction in = oneOperand(Opcode::Unary, o);
        in.op = e.op;
        in.dst = dst >= 0 ? dst : temporary();
        in.consumeA = in.consumeA && in.a != in.dst;
        emit(in);
        return in.dst;
    }

    // `a(i, ...)` with literal or local subscripts, assigned to: an element of an array
    // variable, or a default property or a property of a host object's member.
    bool isPlainElement(const Expr& e) const {
        return e.kind == ExprKind::Call && e.object->kind == ExprKind::Name && !e.args.empty() &&
               std::all_of(e.args.begin(), e.args.end(),
                           [this](const ExprPtr& a) { return isPlain(*a); });
    }

    // `a(i)` with a literal or a name as its subscript: an element of an array variable,
    // or a call with that one argument, decided when it runs.
    bool isElement(const Expr& e) const {
        return e.object->kind == ExprKind::Name && e.args.size() == 1 &&
               (isPlain(*e.args[0]) || e.args[0]->kind == ExprKind::Name) &&
               !(isLocal(*e.object) && slotOf(*e.object).index == proc_->resultSlot);
    }

    // A call statement: `f a, b`, `Call f(a)`, `obj.M a`, or a name or member alone.
    void callStatement(const CallStmt& s) { guardedCall(*s.call, &s); }

    static bool mayBeElement(const Expr& a) {
        return a.kind == ExprKind::Call && a.object->kind == ExprKind::Name;
    }

    static bool mayPassElement(const std::vector<ExprPtr>& args) {
        return std::any_of(args.begin(), args.end(),
                           [](const ExprPtr& a) { return mayBeElement(*a); });
    }

    // `c`, a call expression or the call of statement `s`. An argument `a(...)` is an
    // array element passed by reference when `a` is an array variable: the call checks
    // first and if so runs its second form, which binds such elements (and is slower).
    std::int32_t guardedCall(const Expr& c, const CallStmt* s) {
        bool withArgs = c.kind == ExprKind::Call;
        const Expr& callee = withArgs ? *c.object : c;
        const std::vector<ExprPtr>& args = withArgs ? c.args : kNone;
        if (!mayPassElement(args))
            return call(callee, args, s == nullptr, false);
        Instruction check{Opcode::ElementCheck};
        check.expr = &c;
        check.name = arrayCaches(args);
        std::size_t toElements = emit(check);
        std::int32_t base = nextTemporary_;
        std::int32_t dst = call(callee, args, s == nullptr, false);
        std::size_t done = emit({Opcode::Jump});
        landHere(toElements);
        nextTemporary_ = base;
        call(callee, args, s == nullptr, true); // leaves its value in `dst` too
        landHere(done);
        return dst;
    }

    // Left to right: the object of a member, then the arguments; a name is found before
    // the arguments run. Returns the result's register, -1 when no value is wanted.
    // `elements`: the call's second form (guardedCall).
    std::int32_t call(const Expr& callee, const std::vector<ExprPtr>& args, bool wantValue,
                      bool elements) {
        std::int32_t base = nextTemporary_;
        // Reserved now: names among the arguments refer to it before it is complete.
        auto siteIndex = static_cast<std::int32_t>(bc_.calls.size());
        bc_.calls.emplace_back();
        Bytecode::CallSite site;
        if (callee.kind == ExprKind::Member || isComputedCallee(callee)) {
            Operand object = objectOf(callee);
            // The object is the one found before the arguments, whatever they assign.
            if (!object.temporary && object.index >= 0 && anyComputed(args))
                object = copyOf(object.index);
            site.object = object.index;
            site.objectIsTemporary = object.temporary;
        } else {
            site.calleeCache = nameCache(callee);
            if (anyComputed(args) && slotOf(callee).scope == Scope::Global) {
                Instruction check{Opcode::CheckCallee};
                check.expr = &callee;
                check.name = site.calleeCache;
                emit(check);
            }
        }
        passArguments(args, siteIndex, elements, site);
        nextTemporary_ = base;
        site.callee = &callee;
        site.kind = calleeKind(callee, args.size());
        Instruction in{Opcode::Call};
        in.a = siteIndex;
        in.when = wantValue;
        in.dst = wantValue ? temporary() : -1;
        bc_.calls[static_cast<std::size_t>(siteIndex)] = site;
        emit(in);
        return in.dst;
    }

    bool anyComputed(const std::vector<ExprPtr>& args) const {
        return std::any_of(args.begin(), args.end(), [this](const ExprPtr& a) {
            return !isPlain(*a) && a->kind != ExprKind::Name;
        });
    }

    // The arguments of call site `siteIndex` in turn, into `site`: a local variable by
    // reference, a computed value into a temporary, a name before a computed argument
    // taken at its place, the other names when the call runs, as nothing runs in between;
    // with `elements`, an `a(...)` that may be an array element as elementArgument finds
    // it. The temporaries stay taken for the call.
    void passArguments(const std::vector<ExprPtr>& args, std::int32_t siteIndex, bool elements,
                       Bytecode::CallSite& site) {
        auto isComputed = [this](const Expr& a) { return !isPlain(a) && a.kind != ExprKind::Name; };
        auto lastComputed = std::find_if(args.rbegin(), args.rend(),
                                         [&](const ExprPtr& a) { return isComputed(*a); });
        auto takenAtPlace = static_cast<std::size_t>(args.rend() - lastComputed);
        std::vector<Bytecode::Passed> passed;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const Expr& a = *args[i];
            Bytecode::Passed p;
            if (a.kind == ExprKind::Name && i < takenAtPlace) {
                p.cache = nameCache(a);
                p.operand = boundName(a, siteIndex, p.cache).index;
                p.name = &a;
                p.bound = true;
            } else if (isLocal(a)) {
                p.operand = slotOf(a).index;
                p.variable = true;
                p.cache = nameCache(a); // for an element's subscript read in place
            } else if (a.kind == ExprKind::Name) {
                p.cache = nameCache(a);
                p.name = &a;
            } else if (elements && mayBeElement(a)) {
                p.cache = nameCache(*a.object);
                p.operand = elementArgument(a, siteIndex, p.cache);
                p.element = &a;
            } else {
                Operand o = value(a);
                if (!o.temporary && o.index >= 0)
                    o = copyOf(o.index); // `(x)`: by value
                p.operand = o.index;
            }
            site.names = site.names || p.name || p.element;
            passed.push_back(p);
        }
        site.first = static_cast<std::int32_t>(bc_.passed.size());
        site.count = static_cast<std::int32_t>(args.size());
        bc_.passed.insert(bc_.passed.end(), passed.begin(), passed.end());
    }

    // Argument `a(...)` of call site `siteIndex`, in the call's second form: if `a` is an
    // array variable when the argument's turn comes (and the callee does not take values),
    // its subscripts are found as a procedure's arguments are, then the element is read
    // and marked for the call to bind by reference; else `a(...)` is found as anywhere
    // else. Its value, the mark and the element's subscripts take registers in a row,
    // until the call.
    std::int32_t elementArgument(const Expr& a, std::int32_t siteIndex, std::int32_t array) {
        Instruction test{Opcode::ArrayArgument};
        test.a = siteIndex;
        test.expr = &a;
        test.name = array;
        std::size_t toValue = emit(test);
        std::int32_t dst = temporary();
        std::int32_t mark = temporary();
        for (std::size_t i = 0; i < a.args.size(); ++i)
            temporary();
        std::int32_t end = nextTemporary_;
        auto subscriptsIndex = static_cast<std::int32_t>(bc_.calls.size());
        bc_.calls.emplace_back();
        Bytecode::CallSite subscripts;
        passArguments(a.args, subscriptsIndex, true, subscripts);
        subscripts.callee = a.object.get();
        subscripts.kind = Bytecode::CallSite::Callee::Subscripts;
        bc_.calls[static_cast<std::size_t>(subscriptsIndex)] = subscripts;
        Instruction element{Opcode::ReadElement};
        element.dst = dst;
        element.a = subscriptsIndex;
        element.expr = &a;
        element.name = array;
        emit(element);
        std::size_t done = emit({Opcode::Jump});
        landHere(toValue);
        nextTemporary_ = dst;
        value(a); // a call's value, in the first free temporary: `dst`
        Instruction unmarked{Opcode::Clear};
        unmarked.a = mark;
        unmarked.b = 1;
        emit(unmarked);
        landHere(done);
        nextTemporary_ = end;
        return dst;
    }

    // A name (a local variable too) taken at its place among a call's arguments.
    Operand boundName(const Expr& name, std::int32_t siteIndex, std::int32_t cache) {
        Instruction in{Opcode::BindName};
        in.dst = temporary();
        in.a = siteIndex;
        in.expr = &name;
        in.name = cache;
        emit(in);
        return {in.dst, true};
    }

    // What a member is called on — the With object when it names none — or a callee
    // that is neither a name nor a member, found before the arguments.
    Operand objectOf(const Expr& callee) {
        if (isComputedCallee(callee))
            return value(callee);
        if (callee.object)
            return value(*callee.object);
        Instruction in{Opcode::LoadWith};
        in.dst = temporary();
        emit(in);
        return {in.dst, true};
    }

    static bool isComputedCallee(const Expr& callee) {
        return callee.kind != ExprKind::Member && callee.kind != ExprKind::Name;
    }

    Bytecode::CallSite::Callee calleeKind(const Expr& callee, std::size_t argCount) const {
        using Callee = Bytecode::CallSite::Callee;
        if (isComputedCallee(callee))
            return Callee::Computed;
        if (callee.kind == ExprKind::Member)
            return Callee::Member;
        const Slot& slot = slotOf(callee);
        switch (slot.scope) {
        case Scope::Global:
            return Callee::Global;
        case Scope::Method:
            return Callee::Method;
        case Scope::Local:
            // Inside a function its own name with arguments calls it again; with a wrong
            // number of them, it is the general way's to say so.
            if (argCount > 0 && slot.index == proc_->resultSlot && argCount == proc_->params.size())
                return Callee::Itself;
            break;
        case Scope::Field:
            break;
        }
        return Callee::Variable;
    }

    static inline const std::vector<ExprPtr> kNone;

    const Block& body_;
    const Procedure* proc_;
    const NameSlots& slots_;
    bool constantsTaken_;
    Bytecode bc_;
    std::int32_t nextTemporary_;
    std::int32_t statement_ = 0; // the statement being flattened
    std::vector<Loop> dos_;
    std::vector<Loop> fors_;
    // What the statements being flattened hold while their bodies run, as the
    // instructions that let go of it, innermost last.
    std::vector<Instruction> held_;
};

} // namespace

Bytecode buildBytecode(const Procedure& p, const NameSlots& slots) {
    return Builder(p.body, &p, slots, true).build();
}

Bytecode buildBytecode(const Block& globalCode, const NameSlots& slots) {
    return Builder(globalCode, nullptr, slots, true).build();
}

Bytecode buildBytecode(const Block& statements, const Procedure* scope, const NameSlots& slots) {
    return Builder(statements, scope, slots, false).build();
}

Bytecode buildBytecode(const Expr& expression, const Procedure* scope, const NameSlots& slots) {
    static const Block kNoStatements;
    return Builder(kNoStatements, scope, slots, false).buildExpression(expression);
}

} // namespace vbs
