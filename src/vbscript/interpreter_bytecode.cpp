// Running a procedure's compact form (bytecode.h): one loop over its instructions, with
// the registers being the call's slots. An error is the statement's that was running:
// with On Error Resume Next the code goes on where that statement's successor begins.
#include "vbscript/bytecode.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/interpreter_names.h"
#include "vbscript/operators.h"

#include <iterator>
#include <new>
#include <utility>

namespace vbs {

namespace {

// Assignment with `=`: an object gives its default value, found before the variable
// changes (finding it may fail, which leaves the variable as it was).
void assignValue(Value& variable, const Value& v) {
    if (v.isObject())
        variable = scalar(Value(v)); // a copy: the default property may change v's register
    else
        variable = v;
}

// The statement of the instruction before `pc`, the one that was running.
const Bytecode::Statement& statementAt(const Bytecode& bc, std::int32_t pc) {
    return bc
        .statements[static_cast<std::size_t>(bc.code[static_cast<std::size_t>(pc - 1)].statement)];
}

// A register (>= 0) or a constant.
const Value& registerOrConstant(Value* const* regs, const Value* constants, std::int32_t i) {
    return i >= 0 ? *regs[i] : constants[-1 - i];
}

// Where what the name of instruction or argument entry `i` denotes is remembered.
NameCache& nameCache(const Bytecode& bc, std::int32_t i) {
    return bc.nameCaches[static_cast<std::size_t>(i)];
}

// A temporary's value, the temporary left empty.
Value taken(Value& temporary) {
    Value v = std::move(temporary);
    temporary.clear();
    return v;
}

// The subscripts of assignment target `target`, computed into registers `first` onwards.
Values takenSubscripts(Value* const* regs, std::int32_t first, const ast::Expr& target) {
    Values out(target.kind == ast::ExprKind::Call ? target.args.size() : 0);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = taken(*regs[first + static_cast<std::int32_t>(i)]);
    return out;
}

// Empties the temporaries an instruction read for the last time.
void consume(Value* const* regs, const Instruction& in) {
    if (in.consumeA)
        regs[in.a]->clear();
    if (in.consumeB)
        regs[in.b]->clear();
}

// A binary operator's instruction; its result register may be one of its operands. The
// commonest operators pass `op` as a constant, which takes the operator's choice out of
// the whole-number shortcut.
void binaryStep(ast::Op op, Value* const* regs, const Value* constants, const Instruction& in) {
    const Value& a = registerOrConstant(regs, constants, in.a);
    const Value& b = registerOrConstant(regs, constants, in.b);
    InlineNumber n = wholeOp(op, a, b);
    if (n.type != Type::Empty)
        regs[in.dst]->setInline(n.type, n.bits);
    else
        *regs[in.dst] = applyBinary(op, a, b);
    consume(regs, in);
}

} // namespace

// A script procedure called from the compact form runs in the same loop: the callee gets
// a frame and room on the frame stack as any call does, the loop goes on in its code, and
// at its end the caller's frame, code and place come back. Calls then cost no C++ frames.
// The calls a loop made and has not finished are ended here however the loop is left.
class Interpreter::LoopCalls {
public:
    explicit LoopCalls(Interpreter& interp) : interp_(interp), base_(interp.loopCallDepth_) {}
    ~LoopCalls() {
        while (!empty())
            finish();
    }
    LoopCalls(const LoopCalls&) = delete;
    LoopCalls& operator=(const LoopCalls&) = delete;

    bool empty() const { return interp_.loopCallDepth_ == base_; }

    // The script procedure call site `site` of `bc` reaches with its arguments, if the loop
    // runs it: a global procedure, the running function's own name, a method of the
    // running object or of a script object, called with as many arguments as it takes.
    const Procedure* scriptCallee(const Bytecode::CallSite& site, const Bytecode& bc,
                                  Value* const* regs, ClassInstance*& me) {
        Interpreter& interp = interp_;
        using Callee = Bytecode::CallSite::Callee;
        const Procedure* p = interp.frame_->proc;
        me = interp.frame_->me;
        // Its own name with as many arguments as it takes (the builder counted them).
        if (site.kind != Callee::Itself && !(p = otherCallee(site, bc, regs, me)))
            return nullptr;
        // A name bound as the call runs that needs resolving, or is a constant, goes the
        // general way, as does an array element passed by reference (written back there).
        if (site.names)
            for (std::int32_t i = 0; i < site.count; ++i) {
                const Bytecode::Passed& passed =
                    bc.passed[static_cast<std::size_t>(site.first + i)];
                if (passed.element ||
                    (passed.name &&
                     !interp.knownVariable(*passed.name, nameCache(bc, passed.cache), true)))
                    return nullptr;
            }
        return p;
    }

    // A callee other than the running function itself, if the loop runs it.
    const Procedure* otherCallee(const Bytecode::CallSite& site, const Bytecode& bc,
                                 Value* const* regs, ClassInstance*& me) {
        Interpreter& interp = interp_;
        const Procedure* p = nullptr;
        using Callee = Bytecode::CallSite::Callee;
        switch (site.kind) {
        case Callee::Global:
            p = knownProcedure(nameCache(bc, site.calleeCache));
            if (!p)
                return nullptr;
            me = nullptr;
            break;
        case Callee::Member: {
            const Value& object = registerOrConstant(regs, bc.constants.data(), site.object);
            if (!object.isObject() || object.isNothing())
                return nullptr;
            ClassInstance* inst = object.asObject()->scriptInstance();
            if (!inst)
                return nullptr;
            const ClassMember& m = interp.classMemberOf(*site.callee, site.member, *inst);
            if (m.field >= 0 || !m.proc || !(m.proc->isPublic || interp.currentMe() == inst))
                return nullptr;
            p = m.proc;
            me = inst;
            break;
        }
        case Callee::Method:
            // The name may be of a Property Let or Set only, which no call reaches.
            p = nameCache(bc, site.calleeCache).slot.proc;
            me = interp.frame_->me;
            if (!me || p->owner != &me->classDef() || p->kind == Procedure::Kind::PropertyLet ||
                p->kind == Procedure::Kind::PropertySet)
                return nullptr;
            break;
        case Callee::Itself:
        case Callee::Variable:
        case Callee::Computed:
        case Callee::Subscripts:
            return nullptr;
        }
        if (p->params.size() != static_cast<std::size_t>(site.count))
            return nullptr;
        return p;
    }

    // Enters a call of `p` from call site `site` of `bc`, its result to register `dst` (if
    // >= 0); the caller goes on at `returnTo`.
    void start(const Procedure& p, ClassInstance* me, const Bytecode::CallSite& site,
               std::int32_t dst, const Bytecode& bc, const Instruction* returnTo) {
        Frame& caller = *interp_.frame_;
        // The C++ stack does not grow here: only the depth limit applies.
        if (interp_.depth_ >= kMaxCallDepth)
            raise(err::OutOfStack);
        auto& frames = interp_.loopFrames_;
        if (interp_.loopCallDepth_ == frames.size())
            frames.push_back(std::make_unique<LoopFrame>());
        // Bindable up to the last slot a variable is passed to by reference: the others
        // need not be pointed back when the call ends.
        FrameStack::Region region =
            interp_.frameStack_.push(static_cast<std::size_t>(p.bytecode->registers), 0);
        // Nothing below fails.
        const Bytecode::Passed* args = bc.passed.data() + site.first;
        const Bytecode::Passed* end = args + site.count;
        const Value* constants = bc.constants.data();
        Value* values = region.values;
        Value** pointers = region.pointers;
        for (; args != end; ++args, ++values, ++pointers) {
            std::int32_t o = args->operand;
            if (args->name) {
                *pointers = interp_.knownVariable(*args->name, nameCache(bc, args->cache),
                                                  true); // see scriptCallee
                region.bindable = static_cast<std::size_t>(pointers - region.pointers) + 1;
            } else if (o < 0) {
                *values = constants[-1 - o];
            } else if (args->variable) {
                *pointers = caller.slots[o];
                region.bindable = static_cast<std::size_t>(pointers - region.pointers) + 1;
            } else {
                *values = std::move(*caller.slots[o]); // a temporary: not read again
            }
        }
        copyByValArguments(p, region);
        LoopFrame& f = *frames[interp_.loopCallDepth_++];
        f.enter(p, me, region);
        // The object a call's method is of stays alive for the call: held by the caller's
        // temporary, which the script cannot reach and finish empties last, or here.
        if (site.objectIsTemporary)
            f.object = caller.slots[site.object];
        else if (me) // else it is null already (finish)
            f.keepAlive = Ref<HostObject>(me);
        f.caller = &caller;
        f.callerCode = &bc;
        f.region = region;
        f.returnTo = returnTo;
        f.resultRegister = dst;
        interp_.frame_ = &f;
        ++interp_.depth_;
    }

    // Ends the innermost call: its result goes to the caller's register. Returns where
    // the caller goes on; `bc` becomes the caller's code.
    const Instruction* finishWithResult(const Bytecode*& bc) {
        LoopFrame& f = innermost();
        bc = f.callerCode;
        if (f.resultRegister < 0)
            return finish();
        Value* to = f.caller->slots[static_cast<std::size_t>(f.resultRegister)];
        Value* result = f.proc->resultSlot >= 0
                            ? f.slots[static_cast<std::size_t>(f.proc->resultSlot)]
                            : nullptr;
        // The caller's register is out of the script's reach: it may take the result before
        // the callee's slots are emptied, unless it is the one that held the object, which
        // finish empties.
        if (!f.object) {
            if (result)
                *to = std::move(*result);
            else
                to->clear();
            return finish();
        }
        Value kept;
        if (result)
            kept = std::move(*result);
        const Instruction* returnTo = finish();
        *to = std::move(kept);
        return returnTo;
    }
    // The same for an error leaving the call: returns the caller's place as an index.
    std::int32_t finish(const Bytecode*& bc) {
        bc = innermost().callerCode;
        return static_cast<std::int32_t>(finish() - bc->code.data());
    }

private:
    // Ends the innermost call without a result (an error leaving it). Returns where the
    // caller goes on.
    const Instruction* finish() {
        LoopFrame& f = innermost();
        // An error leaving the call from a With body leaves its objects behind, and the
        // frame is kept for reuse.
        f.withObjects.clear();
        interp_.frame_ = f.caller;
        --interp_.depth_;
        // Letting the object go and emptying the slots may run Class_Terminate, which may
        // call again: the frame stays counted until its slots are emptied, so that such a
        // call takes the next one. In this order: the object the call kept, the callee's
        // slots, the caller's temporary object.
        f.keepAlive.reset();
        interp_.frameStack_.pop(f.region);
        Value* object = std::exchange(f.object, nullptr);
        const Instruction* returnTo = f.returnTo;
        --interp_.loopCallDepth_;
        if (object)
            object->clear();
        return returnTo;
    }

    // While this loop has a call going, the innermost one is the running frame.
    LoopFrame& innermost() { return static_cast<LoopFrame&>(*interp_.frame_); }

    Interpreter& interp_;
    std::size_t base_;
};

// Whether the callee of call site `site` is a name found before its arguments are bound
// (not a global procedure nor the running function's own name, which are found as the
// call runs); `r` is then what it denotes.
bool Interpreter::resolvedFirst(const Bytecode& bc, std::int32_t site, ResolvedName& r) {
    const Bytecode::CallSite& call = bc.calls[static_cast<std::size_t>(site)];
    const ast::Expr& callee = *call.callee;
    if (callee.kind != ast::ExprKind::Name)
        return false;
    NameCache& cache = nameCache(bc, call.calleeCache);
    if (const Builtin* b = knownBuiltin(cache)) { // what resolveCallee would find, at once
        r = {nullptr, nullptr, b};
        return true;
    }
    if (knownProcedure(cache) || callsItself(cache, static_cast<std::size_t>(call.count)))
        return false;
    r = resolveCallee(callee, cache);
    return true;
}

// A built-in, or an array's subscripts, take their arguments by value.
bool Interpreter::takesValues(const ResolvedName& r, std::int32_t argCount) {
    return r.builtin || (r.var && r.var->isArray() && argCount > 0);
}

// A call the loop does not run itself: a built-in, an array's element, a default member,
// a host object's member, a procedure called with the wrong number of arguments or a
// name nothing defines. The arguments are found already.
[[gnu::noinline]] Value Interpreter::callFromCode(const Instruction& in, const Bytecode& bc,
                                                  Value* const* regs) {
    const Bytecode::CallSite& site = bc.calls[static_cast<std::size_t>(in.a)];
    const ast::Expr& callee = *site.callee;
    // The object (or the computed callee) outlives the arguments.
    using Callee = Bytecode::CallSite::Callee;
    Value target;
    if (site.kind == Callee::Member || site.kind == Callee::Computed) {
        target = registerOrConstant(regs, bc.constants.data(), site.object);
        if (site.objectIsTemporary)
            regs[site.object]->clear();
    }
    // Names among the arguments are bound once the callee is found: by value for a
    // built-in or an array, else a variable by reference.
    ResolvedName r;
    bool calleeFirst = site.names ? resolvedFirst(bc, in.a, r) : resolvedEarly(in, bc, r);
    if (calleeFirst && r.builtin)
        return callBuiltinFromCode(*r.builtin, in, bc, regs);
    ArgList args = boundArguments(site, bc, regs, calleeFirst && takesValues(r, site.count));
    if (calleeFirst)
        return callNameResolved(callee, r, args, in.when);
    if (site.kind == Callee::Computed)
        return callOnValue(target, args, in.when || args.empty());
    if (callee.kind != ast::ExprKind::Member)
        return callName(callee, nameCache(bc, site.calleeCache), args, in.when);
    return memberCall(callee, site.member, target, args, in.when);
}

// The arguments of call site `site` as the call (or an element's subscripts) takes them:
// a variable by reference unless `byValue`, a value moved out of its temporary, an
// element marked by ReadElement with what writes it back.
ArgList Interpreter::boundArguments(const Bytecode::CallSite& site, const Bytecode& bc,
                                    Value* const* regs, bool byValue) {
    const Bytecode::Passed* passed = bc.passed.data() + site.first;
    ArgList args(static_cast<std::size_t>(site.count));
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::int32_t o = passed[i].operand;
        if (const ast::Expr* name = passed[i].name) {
            NameCache& cache = nameCache(bc, passed[i].cache);
            if (passed[i].bound) {
                if (byValue || !bindVariable(*name, cache, args[i]))
                    args[i].value = std::move(*regs[o]);
            } else if (byValue || !bindVariable(*name, cache, args[i])) {
                loadName(*name, cache, args[i].value);
            }
        } else if (o < 0) {
            args[i].value = bc.constants[static_cast<std::size_t>(-1 - o)];
        } else if (passed[i].variable) {
            // An array's subscripts are read in order, before a name after them, which
            // may be a function that changes the variable, runs.
            if (byValue)
                args[i].value = *regs[o];
            else
                args[i].ref = regs[o];
        } else {
            args[i].value = std::move(*regs[o]);
            if (passed[i].element)
                args[i].element =
                    elementPassed(*passed[i].element, nameCache(bc, passed[i].cache), regs + o);
        }
    }
    return args;
}

// Whether argument `arg`, `a(...)`, of call site `site` is an array element the call takes
// by reference: `a` is an array variable as its turn comes, and the callee (found before
// the arguments) is no built-in nor array, which take values.
bool Interpreter::passesElementAt(const ast::Expr& arg, NameCache& array, const Bytecode& bc,
                                  std::int32_t site) {
    if (!arrayArgument(arg, array))
        return false;
    const Bytecode::CallSite& call = bc.calls[static_cast<std::size_t>(site)];
    ResolvedName r;
    return call.kind == Bytecode::CallSite::Callee::Subscripts ||
           !(resolvedFirst(bc, site, r) && takesValues(r, call.count));
}

// Argument `arg`, an element of an array variable: its subscripts (call site `site`,
// bound as a procedure's arguments are) are made Longs, then the element is read, unless
// finding them left `a` no array. `block`: the value, the mark, the subscripts.
void Interpreter::elementArgument(const ast::Expr& arg, NameCache& arrayName,
                                  const Bytecode::CallSite& site, const Bytecode& bc,
                                  Value* const* block, Value* const* regs) {
    ArgList indices = boundArguments(site, bc, regs, false);
    Subscripts subscripts = evalSubscripts(indices);
    Value* array = resolve(*arg.object, arrayName, false).var;
    if (!array || !array->isArray()) { // see callOnValue
        *block[0] = callOnValue(array ? *array : Value(), indices, true);
        return;
    }
    *block[0] = array->asArray()->at(subscripts);
    for (std::size_t i = 0; i < subscripts.size(); ++i)
        block[2 + i]->setInline(Type::Long, static_cast<std::uint32_t>(subscripts[i]));
    block[1]->setInline(Type::Long, 1);
}

// The element an argument marked by elementArgument passes, its registers emptied; null
// when it was no element.
std::unique_ptr<Argument::Element>
Interpreter::elementPassed(const ast::Expr& arg, NameCache& array, Value* const* block) {
    if (block[1]->isEmpty())
        return nullptr;
    block[1]->clear();
    auto element = std::make_unique<Argument::Element>();
    element->array = resolve(*arg.object, array, false).var;
    for (std::size_t i = 0; i < arg.args.size(); ++i) {
        element->subscripts.push_back(block[2 + i]->asLong());
        block[2 + i]->clear();
    }
    if (!element->array)
        return nullptr;
    return element;
}

// resolvedFirst for a call without names among its arguments, which has them all in
// registers: finding its callee before taking them from there is finding it after, as
// nothing runs in between, but for a name whose finding fails. That is left to callName
// (false), which fails once the arguments are let go of, as a call does.
bool Interpreter::resolvedEarly(const Instruction& call, const Bytecode& bc, ResolvedName& r) {
    const Bytecode::CallSite& site = bc.calls[static_cast<std::size_t>(call.a)];
    if (site.kind != Bytecode::CallSite::Callee::Global)
        return false;
    try {
        return resolvedFirst(bc, call.a, r);
    } catch (...) {
        return false;
    }
}

// A built-in takes its arguments by value, straight from their registers, in their
// order: a variable is read before a name after it, which may be a function that changes
// it, runs.
Value Interpreter::callBuiltinFromCode(const Builtin& b, const Instruction& call,
                                       const Bytecode& bc, Value* const* regs) {
    const Bytecode::CallSite& site = bc.calls[static_cast<std::size_t>(call.a)];
    const Bytecode::Passed* passed = bc.passed.data() + site.first;
    Values values(static_cast<std::size_t>(site.count));
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::int32_t o = passed[i].operand;
        if (const ast::Expr* name = passed[i].name; name && !passed[i].bound) {
            loadName(*name, nameCache(bc, passed[i].cache), values[i]);
        } else if (o < 0) {
            values[i] = bc.constants[static_cast<std::size_t>(-1 - o)];
        } else if (passed[i].variable) {
            values[i] = *regs[o];
        } else {
            values[i] = std::move(*regs[o]); // a temporary, or a name taken at its place
        }
    }
    return callBuiltin(b, values);
}

// A name among computed arguments, at its place: by value for a built-in or an array
// (callNameResolved), else a variable by reference (bindVariable), which the call binds
// itself.
[[gnu::noinline]] void Interpreter::bindName(const Instruction& in, const Bytecode& bc,
                                             Value* const* regs) {
    const Bytecode::CallSite& site = bc.calls[static_cast<std::size_t>(in.a)];
    const ast::Expr& name = *in.expr;
    NameCache& cache = nameCache(bc, in.name);
    Value& to = *regs[in.dst];
    ResolvedName r;
    if (site.kind == Bytecode::CallSite::Callee::Subscripts ||
        !(resolvedFirst(bc, in.a, r) && takesValues(r, site.count))) {
        Argument probe;
        if (bindVariable(name, cache, probe)) {
            to.clear();
            return;
        }
    }
    loadName(name, cache, to);
}

void Interpreter::loadName(const ast::Expr& name, NameCache& cache, Value& to) {
    if (const Value* found = rememberedVariable(name, cache, false))
        to = *found;
    else
        to = evalName(name, cache);
}

// Finding the value may have defined a procedure of the name: the name is found only now.
void Interpreter::storeName(const ast::Expr& name, NameCache& cache, Value v) {
    if (v.isObject())
        v = scalar(v);
    if (Value* variable = rememberedVariable(name, cache, true))
        *variable = std::move(v);
    else
        assign(name, cache, std::move(v), false);
}

void Interpreter::loadNamedOperands(const Instruction& in, const Bytecode& bc, Value* const* regs) {
    const Bytecode::NamedOperands& named = bc.named[static_cast<std::size_t>(in.name)];
    if (named.a.name)
        loadName(*named.a.name, nameCache(bc, named.a.cache), *regs[in.a]);
    if (named.b.name)
        loadName(*named.b.name, nameCache(bc, named.b.cache), *regs[in.b]);
}

[[gnu::noinline]] void Interpreter::namedBinary(const Instruction& in, const Bytecode& bc,
                                                Value* const* regs) {
    loadNamedOperands(in, bc, regs);
    binaryStep(in.op, regs, bc.constants.data(), in);
    const Bytecode::NamedOperand& dst = bc.named[static_cast<std::size_t>(in.name)].dst;
    if (dst.name)
        storeName(*dst.name, nameCache(bc, dst.cache), taken(*regs[in.dst]));
}

[[gnu::noinline]] bool Interpreter::namedComparisonHolds(const Instruction& in, const Bytecode& bc,
                                                         Value* const* regs) {
    loadNamedOperands(in, bc, regs);
    return comparisonHolds(in.op, registerOrConstant(regs, bc.constants.data(), in.a),
                           registerOrConstant(regs, bc.constants.data(), in.b));
}

// The instructions that are rare, or whose work dwarfs a call, run out of the loop: kept
// out of it, they leave the loop's own code small, and the common instructions faster.
[[gnu::noinline]] void Interpreter::outOfLoop(const Instruction& in, const Bytecode& bc,
                                              Value* const* regs) {
    const Value* constants = bc.constants.data();
    switch (in.code) {
    case Opcode::LoadWith:
        *regs[in.dst] = withObject();
        return;
    case Opcode::New:
        *regs[in.dst] = newInstance(*in.expr);
        return;
    case Opcode::Prepare: {
        Value v = registerOrConstant(regs, constants, in.a);
        consume(regs, in);
        *regs[in.dst] = prepareAssigned(std::move(v), in.when);
        return;
    }
    // The value, the subscripts and the object are let go of in this order:
    // the object first, the value last.
    case Opcode::StoreMember: {
        const ast::Expr& target = *in.expr;
        const ast::Expr& member = target.kind == ast::ExprKind::Call ? *target.object : target;
        Value v = taken(*regs[in.a]);
        Values subscripts = takenSubscripts(regs, in.dst, target);
        Value object = !member.object ? withObject()
                       : in.consumeB  ? taken(*regs[in.b])
                                      : registerOrConstant(regs, constants, in.b);
        assignMember(object, member.name(), subscripts, v, in.when);
        return;
    }
    case Opcode::Constant: {
        Value v = registerOrConstant(regs, constants, in.a);
        consume(regs, in);
        defineConstant(*in.expr, nameCache(bc, in.name), std::move(v));
        return;
    }
    case Opcode::WithPush: {
        Value object = registerOrConstant(regs, constants, in.a);
        consume(regs, in);
        if (!object.isObject())
            raise(err::ObjectRequired);
        frame_->withObjects.push_back(std::move(object));
        return;
    }
    case Opcode::WithPop:
        frame_->withObjects.pop_back();
        return;
    case Opcode::ForEachInit:
        *regs[in.dst] = Value::array(Array::fromValues(forEachItems(*regs[in.a])));
        regs[in.b]->setInline(Type::Long, 0);
        return;
    case Opcode::Declare:
        declareGlobal(in.expr->name());
        return;
    case Opcode::ArrayVariable:
        arrayVariable(*in.expr, nameCache(bc, in.name), in.stmt->kind);
        return;
    case Opcode::Bound:
        regs[in.dst]->setInline(Type::Long, static_cast<std::uint32_t>(
                                                toLong(registerOrConstant(regs, constants, in.a))));
        consume(regs, in);
        return;
    case Opcode::SizeArray: {
        // Sizing takes time in proportion to the size, as a loop does.
        checkStep();
        Value& array = arrayVariable(*in.expr, nameCache(bc, in.name), in.stmt->kind);
        std::vector<std::int32_t> bounds;
        for (std::int32_t r = in.a; r < in.a + in.b; ++r)
            bounds.push_back(regs[r]->asLong());
        sizeArray(array, bounds, static_cast<const ast::DeclStmt&>(*in.stmt));
        return;
    }
    case Opcode::Erase:
        eraseArray(arrayVariable(*in.expr, nameCache(bc, in.name), ast::StmtKind::Erase));
        return;
    case Opcode::CheckCallee:
        resolveCallee(*in.expr, nameCache(bc, in.name));
        return;
    default: // the loop runs the others itself
        return;
    }
}

[[gnu::flatten]] void Interpreter::runBytecode(const Bytecode& unit) {
    checkStep();
    LoopCalls calls(*this);
    // The code running: the unit's, or that of a procedure it called.
    const Bytecode* bc = &unit;
    const Instruction* code = bc->code.data();
    const Value* constants = bc->constants.data();
    // An error of the running statement: On Error Resume Next of its own frame, else of
    // each caller in turn that this loop runs, lets the code go on (at the returned
    // place, in `bc`); else it leaves (-1).
    auto resumeAt = [this, &bc, &calls](ScriptError& e, std::int32_t pc) {
        for (;;) {
            // An expression's code has no statements: its error is the calling statement's.
            if (bc->statements.empty())
                return -1;
            if (recover(e, *statementAt(*bc, pc).stmt))
                return statementAt(*bc, pc).resume;
            if (calls.empty())
                return -1;
            pc = calls.finish(bc);
        }
    };
    // Operand a, or b when `second`, of NamedBinary or NamedCompareJumpIf, read where it
    // lives: a register, a constant, or a name known to be a variable whose register holds
    // nothing that letting go of could run script code (a temporary moved into a call
    // keeps its type), as loading the name there would let go of it; else null. Only whole numbers
    // are then taken (wholeOp): the operator runs no script code that could change what the others
    // refer to, and leaves nothing to let go of.
    auto inPlace = [this, &bc](const Instruction& in, bool second, Value* const* regs,
                               const Value* constants) -> const Value* {
        const Bytecode::NamedOperands& named = bc->named[static_cast<std::size_t>(in.name)];
        const Bytecode::NamedOperand& n = second ? named.b : named.a;
        std::int32_t o = second ? in.b : in.a;
        if (!n.name)
            return &registerOrConstant(regs, constants, o);
        if (regs[o]->isObject() || regs[o]->isArray())
            return nullptr;
        return rememberedVariable(*n.name, nameCache(*bc, n.cache), false);
    };
    // NamedBinary on whole numbers read and written where they live, as inPlace allows;
    // false when it goes the general way. A named result is stored as StoreName stores it.
    auto binaryInPlace = [this, &bc, &inPlace](const Instruction& in, Value* const* regs,
                                               const Value* constants) {
        const Value* x = inPlace(in, false, regs, constants);
        const Value* y = x ? inPlace(in, true, regs, constants) : nullptr;
        InlineNumber n = y ? wholeOp(in.op, *x, *y) : InlineNumber{};
        if (n.type == Type::Empty)
            return false;
        const Bytecode::NamedOperand& dst = bc->named[static_cast<std::size_t>(in.name)].dst;
        if (!dst.name) {
            regs[in.dst]->setInline(n.type, n.bits);
            consume(regs, in);
            return true;
        }
        // What the result's register held goes, then the operands, as when the result is
        // stored from there.
        regs[in.dst]->clear();
        consume(regs, in);
        NameCache& cache = nameCache(*bc, dst.cache);
        if (Value* variable = rememberedVariable(*dst.name, cache, true))
            variable->setInline(n.type, n.bits);
        else
            storeName(*dst.name, cache, Value::inlineNumber(n.type, n.bits));
        return true;
    };
    // Each handler jumps straight to the next instruction's handler (threaded code): a
    // jump of its own per handler is far better predicted than one jump shared by all.
    // In the order of Opcode.
    static constexpr const void* kHandlers[] = {
        &&stepJump,      &&jump,          &&jumpIf,
        &&compareJumpIf, &&binary,        &&add,
        &&subtract,      &&namedBinary,   &&namedCompareJumpIf,
        &&unary,         &&copy,          &&assign,
        &&loadName,      &&loadMe,        &&loadWith,
        &&newObject,     &&bindName,      &&storeName,
        &&store,         &&prepare,       &&storeMember,
        &&storeIndexed,  &&constant,      &&onError,
        &&clear,         &&withPush,      &&withPop,
        &&forEachInit,   &&forEachNext,   &&append,
        &&declare,       &&arrayVariable, &&bound,
        &&sizeArray,     &&erase,         &&numeric,
        &&forInit,       &&forTest,       &&forNext,
        &&element,       &&arrayArgument, &&elementArgument,
        &&checkCallee,   &&elementCheck,  &&call,
        &&leave,         &&leave,
    };
    static_assert(std::size(kHandlers) == static_cast<std::size_t>(Opcode::Leave) + 1);
#define NEXT_INSTRUCTION()                                                                         \
    do {                                                                                           \
        in = ip++;                                                                                 \
        goto* kHandlers[static_cast<std::size_t>(in->code)];                                       \
    } while (false)

    const Instruction* ip = code;
    for (;;) {
        Value* const* regs = frame_->slots;
        const Instruction* in = nullptr;
        try {
            NEXT_INSTRUCTION();
        stepJump:
            checkStep();
            ip = code + in->target;
            NEXT_INSTRUCTION();
        jump:
            ip = code + in->target;
            NEXT_INSTRUCTION();
        jumpIf : {
            const Value& c = registerOrConstant(regs, constants, in->a);
            bool truth = !c.isNull() && toBool(c);
            consume(regs, *in);
            if (truth == in->when)
                ip = code + in->target;
            NEXT_INSTRUCTION();
        }
        compareJumpIf : {
            bool holds = comparisonHolds(in->op, registerOrConstant(regs, constants, in->a),
                                         registerOrConstant(regs, constants, in->b));
            consume(regs, *in);
            if (holds == in->when)
                ip = code + in->target;
            NEXT_INSTRUCTION();
        }
        binary:
            binaryStep(in->op, regs, constants, *in);
            NEXT_INSTRUCTION();
        add:
            binaryStep(ast::Op::Add, regs, constants, *in);
            NEXT_INSTRUCTION();
        subtract:
            binaryStep(ast::Op::Sub, regs, constants, *in);
            NEXT_INSTRUCTION();
        namedBinary:
            if (!binaryInPlace(*in, regs, constants))
                namedBinary(*in, *bc, regs);
            NEXT_INSTRUCTION();
        namedCompareJumpIf : {
            const Value* x = inPlace(*in, false, regs, constants);
            const Value* y = x ? inPlace(*in, true, regs, constants) : nullptr;
            bool holds = y && isSmallWhole(*x) && isSmallWhole(*y)
                             ? compareWhole(in->op, smallWhole(*x), smallWhole(*y))
                             : namedComparisonHolds(*in, *bc, regs);
            consume(regs, *in);
            if (holds == in->when)
                ip = code + in->target;
            NEXT_INSTRUCTION();
        }
        unary:
            *regs[in->dst] = unaryOp(in->op, registerOrConstant(regs, constants, in->a));
            consume(regs, *in);
            NEXT_INSTRUCTION();
        copy:
            *regs[in->dst] = registerOrConstant(regs, constants, in->a);
            NEXT_INSTRUCTION();
        assign:
            assignValue(*regs[in->dst], registerOrConstant(regs, constants, in->a));
            consume(regs, *in);
            NEXT_INSTRUCTION();
        loadName:
            loadName(*in->expr, nameCache(*bc, in->name), *regs[in->dst]);
            NEXT_INSTRUCTION();
        loadMe:
            *regs[in->dst] = Value::object(Ref<HostObject>(frame_->me));
            NEXT_INSTRUCTION();
        loadWith:
        newObject:
            outOfLoop(*in, *bc, regs);
            NEXT_INSTRUCTION();
        bindName:
            bindName(*in, *bc, regs);
            NEXT_INSTRUCTION();
        // The value's own scope ends before the next handler is jumped to (an indirect
        // jump may not leave the scope of a variable that has a destructor).
        storeName : {
            Value v = registerOrConstant(regs, constants, in->a);
            consume(regs, *in);
            storeName(*in->expr, nameCache(*bc, in->name), std::move(v));
        }
            NEXT_INSTRUCTION();
        store : {
            Value v = registerOrConstant(regs, constants, in->a);
            consume(regs, *in);
            assign(*in->expr, nameCache(*bc, in->name), std::move(v), in->when);
        }
            NEXT_INSTRUCTION();
        storeIndexed : {
            Value v = taken(*regs[in->a]);
            if (in->expr->kind != ast::ExprKind::Call) // `Me = v`
                raise(err::IllegalAssignment);
            Values subscripts = takenSubscripts(regs, in->dst, *in->expr);
            assignIndexed(*in->expr->object, nameCache(*bc, in->name), subscripts, v, in->when);
        }
            NEXT_INSTRUCTION();
        prepare:
        storeMember:
        constant:
            outOfLoop(*in, *bc, regs);
            NEXT_INSTRUCTION();
        onError:
            frame_->resumeNext = in->when;
            err_->clear();
            NEXT_INSTRUCTION();
        clear:
            for (std::int32_t r = in->a + in->b; r > in->a;)
                regs[--r]->clear();
            NEXT_INSTRUCTION();
        withPush:
        withPop:
        forEachInit:
            outOfLoop(*in, *bc, regs);
            NEXT_INSTRUCTION();
        forEachNext : {
            std::vector<Value>& items = regs[in->dst]->mutableArray().elements();
            auto position = static_cast<std::size_t>(regs[in->b]->asLong());
            if (position == items.size()) {
                ip = code + in->target;
                NEXT_INSTRUCTION();
            }
            checkStep();
            regs[in->b]->setInline(Type::Long, position + 1);
            // The loop lets go of each item as the counter takes it. A counter known to be
            // a variable takes a value that is no object straight, as assign would store it.
            Value& item = items[position];
            bool isObject = item.isObject();
            NameCache& cache = nameCache(*bc, in->name);
            if (Value* counter = isObject ? nullptr : knownVariable(*in->expr, cache, true))
                *counter = std::move(item);
            else
                assign(*in->expr, cache, std::move(item), isObject);
            NEXT_INSTRUCTION();
        }
        append : {
            Value& left = *regs[in->a];
            const Value& right = registerOrConstant(regs, constants, in->b);
            NameCache& cache = nameCache(*bc, in->name);
            Value* target = nullptr;
            if (left.isString()) {
                target = knownVariable(*in->expr, cache, true);
                if (!target)
                    target = variable(*in->expr, cache, true);
            }
            if (target && target->isString() && target->sharesCell(left)) {
                left.clear();
                if (right.isString())
                    target->appendText(right.asString());
                else
                    target->appendText(concatText(right));
                consume(regs, *in);
                NEXT_INSTRUCTION();
            }
        }
            {
                Value joined = applyBinary(ast::Op::Concat, *regs[in->a],
                                           registerOrConstant(regs, constants, in->b));
                consume(regs, *in);
                assign(*in->expr, nameCache(*bc, in->name), std::move(joined), false);
            }
            NEXT_INSTRUCTION();
        declare:
        arrayVariable:
        bound:
        sizeArray:
        erase:
            outOfLoop(*in, *bc, regs);
            NEXT_INSTRUCTION();
        numeric:
            *regs[in->dst] = numeric(registerOrConstant(regs, constants, in->a));
            consume(regs, *in);
            NEXT_INSTRUCTION();
        forInit:
            if (regs[in->a]->isNull() || regs[in->b]->isNull() || regs[in->dst]->isNull())
                raise(err::InvalidNull);
            assign(*in->expr, nameCache(*bc, in->name), *regs[in->a], false);
            consume(regs, *in);
            NEXT_INSTRUCTION();
        // A whole-number counter in a local, with a whole end and step, is tested and
        // stepped where it lives; any other goes the general way.
        forTest:
            if (in->dst >= 0 && isSmallWhole(*regs[in->dst]) && isSmallWhole(*regs[in->a]) &&
                isSmallWhole(*regs[in->b])) {
                std::int64_t x = smallWhole(*regs[in->dst]), end = smallWhole(*regs[in->a]);
                if (smallWhole(*regs[in->b]) < 0 ? x < end : x > end)
                    ip = code + in->target;
                NEXT_INSTRUCTION();
            }
            if (forCounterPassed(*in->expr, nameCache(*bc, in->name), *regs[in->a], *regs[in->b]))
                ip = code + in->target;
            NEXT_INSTRUCTION();
        forNext:
            if (InlineNumber n = in->dst >= 0 ? wholeOp(ast::Op::Add, *regs[in->dst], *regs[in->b])
                                              : InlineNumber{};
                n.type != Type::Empty)
                regs[in->dst]->setInline(n.type, n.bits);
            else
                stepForCounter(*in->expr, nameCache(*bc, in->name), *regs[in->b]);
            checkStep();
            ip = code + in->target;
            NEXT_INSTRUCTION();
        element : {
            const ast::Expr& e = *in->expr;
            const Bytecode::CallSite& site = bc->calls[static_cast<std::size_t>(in->a)];
            std::int32_t index = bc->passed[static_cast<std::size_t>(site.first)].cache;
            if (const Value* found =
                    plainElement(*e.object, nameCache(*bc, site.calleeCache), e.args,
                                 index >= 0 ? nameCache(*bc, index) : kNothingKnown, false)) {
                *regs[in->dst] = *found;
                NEXT_INSTRUCTION();
            }
        }
            goto call;
        arrayArgument:
            if (!passesElementAt(*in->expr, nameCache(*bc, in->name), *bc, in->a))
                ip = code + in->target;
            NEXT_INSTRUCTION();
        elementArgument:
            elementArgument(*in->expr, nameCache(*bc, in->name),
                            bc->calls[static_cast<std::size_t>(in->a)], *bc, regs + in->dst, regs);
            NEXT_INSTRUCTION();
        checkCallee:
            outOfLoop(*in, *bc, regs);
            NEXT_INSTRUCTION();
        elementCheck:
            if (passesElement(in->expr->args, &nameCache(*bc, in->name)))
                ip = code + in->target;
            NEXT_INSTRUCTION();
        call : {
            // A step for every call, which a stop held from a Class_Terminate ends before
            // the callee runs.
            checkStep();
            ClassInstance* me = nullptr;
            const Bytecode::CallSite& site = bc->calls[static_cast<std::size_t>(in->a)];
            if (const Procedure* p = calls.scriptCallee(site, *bc, regs, me)) {
                calls.start(*p, me, site, in->dst, *bc, ip);
                bc = p->bytecode.get();
                code = bc->code.data();
                constants = bc->constants.data();
                regs = frame_->slots;
                ip = code;
                NEXT_INSTRUCTION();
            }
            Value result = callFromCode(*in, *bc, regs);
            if (in->dst >= 0)
                *regs[in->dst] = std::move(result);
        }
            NEXT_INSTRUCTION();
        leave:
            // Leaving a procedure with Exit resets Err, as the language documents.
            if (in->code == Opcode::Return)
                err_->clear();
            if (calls.empty())
                return;
            {
                ip = calls.finishWithResult(bc);
                code = bc->code.data();
                constants = bc->constants.data();
                regs = frame_->slots;
            }
            NEXT_INSTRUCTION();
        } catch (ScriptError& e) {
            std::int32_t resume = resumeAt(e, static_cast<std::int32_t>(ip - code));
            if (resume < 0)
                throw;
            code = bc->code.data();
            constants = bc->constants.data();
            ip = code + resume;
        } catch (const std::bad_alloc&) {
            ScriptError e = runtimeError(err::OutOfMemory);
            std::int32_t resume = resumeAt(e, static_cast<std::int32_t>(ip - code));
            if (resume < 0)
                throw e;
            code = bc->code.data();
            constants = bc->constants.data();
            ip = code + resume;
        }
    }
#undef NEXT_INSTRUCTION
}

} // namespace vbs
