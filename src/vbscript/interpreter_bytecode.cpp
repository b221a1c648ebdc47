// Running a procedure's compact form (bytecode.h): one loop over its instructions, with
// the registers being the call's slots. An error is the statement's that was running:
// with On Error Resume Next the code goes on where that statement's successor begins.
#include "vbscript/bytecode.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/operators.h"

#include <iterator>
#include <new>

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

// A function calling itself runs the call in the same loop: the callee gets a frame and
// room on the frame stack as any call does, the loop goes on in it, and at its end the
// caller's frame and place come back. Recursion then costs no C++ frames. The calls a
// loop made and has not finished are ended here however the loop is left.
class Interpreter::SelfCalls {
public:
    // Global code has no procedure, and so no calls of its own.
    SelfCalls(Interpreter& interp, const Procedure* p)
        : interp_(interp), proc_(p), base_(interp.selfCallDepth_) {}
    ~SelfCalls() {
        while (!empty())
            finish();
    }
    SelfCalls(const SelfCalls&) = delete;
    SelfCalls& operator=(const SelfCalls&) = delete;

    bool empty() const { return interp_.selfCallDepth_ == base_; }

    // Enters a call from instruction `in`, which the caller goes on after.
    void start(const Instruction& in, const Bytecode& bc, std::int32_t returnPc) {
        Frame& caller = *interp_.frame_;
        // The C++ stack does not grow here: only the depth limit applies.
        if (interp_.depth_ >= kMaxCallDepth)
            raise(err::OutOfStack);
        auto& frames = interp_.selfCallFrames_;
        if (interp_.selfCallDepth_ == frames.size())
            frames.push_back(std::make_unique<SelfCallFrame>());
        const Procedure& proc = *proc_;
        FrameStack::Region region = interp_.frameStack_.push(
            static_cast<std::size_t>(proc.bytecode->registers), proc.params.size());
        // Nothing below fails.
        const std::int32_t* args = bc.arguments.data() + in.a;
        for (std::size_t i = 0; i < static_cast<std::size_t>(in.b); ++i) {
            std::int32_t o = args[i];
            if (o < 0)
                region.values[i] = bc.constants[static_cast<std::size_t>(-1 - o)];
            else if (o < proc.frameSize)
                region.pointers[i] = caller.slots[o];
            else
                region.values[i] = std::move(*caller.slots[o]); // a temporary: not read again
        }
        copyByValArguments(proc, region);
        SelfCallFrame& f = *frames[interp_.selfCallDepth_++];
        f.enter(proc, caller.me, region);
        f.caller = &caller;
        f.region = region;
        f.returnPc = returnPc;
        f.result = caller.slots[in.dst];
        interp_.frame_ = &f;
        ++interp_.depth_;
    }

    // Ends the innermost call: its result goes to the caller's register. Returns where
    // the caller goes on.
    std::int32_t finishWithResult() {
        SelfCallFrame& f = innermost();
        // The caller's register is out of the script's reach: it may take the result
        // before the callee's slots are emptied.
        *f.result = std::move(*f.slots[static_cast<std::size_t>(proc_->resultSlot)]);
        return finish();
    }

    // Ends the innermost call without a result (an error leaving it). Returns where the
    // caller goes on.
    std::int32_t finish() {
        SelfCallFrame& f = innermost();
        // An error leaving the call from a With body leaves its objects behind, and the
        // frame is kept for reuse.
        f.withObjects.clear();
        interp_.frame_ = f.caller;
        --interp_.depth_;
        --interp_.selfCallDepth_;
        // Emptying the slots may run Class_Terminate, which may call again: the frame has
        // already been given back.
        FrameStack::Region region = f.region;
        std::int32_t returnPc = f.returnPc;
        interp_.frameStack_.pop(region);
        return returnPc;
    }

private:
    // While this loop has a call going, the innermost one is the running frame.
    SelfCallFrame& innermost() { return static_cast<SelfCallFrame&>(*interp_.frame_); }

    Interpreter& interp_;
    const Procedure* proc_;
    std::size_t base_;
};

[[gnu::flatten]] void Interpreter::runBytecode(const Bytecode& bc) {
    checkStep();
    SelfCalls calls(*this, frame_->proc);
    const Instruction* code = bc.code.data();
    const Value* constants = bc.constants.data();
    // An error of the running statement: On Error Resume Next of its own frame, else of
    // each caller in turn that this loop runs, lets the code go on (at the returned
    // place); else it leaves (-1).
    auto resumeAt = [this, &bc, &calls](ScriptError& e, std::int32_t pc) {
        if (bc.statements.empty())
            return -1; // an expression's error is the calling statement's
        while (!recover(e, *statementAt(bc, pc).stmt)) {
            if (calls.empty())
                return -1;
            pc = calls.finish();
        }
        return statementAt(bc, pc).resume;
    };
    // Each handler jumps straight to the next instruction's handler (threaded code): a
    // jump of its own per handler is far better predicted than one jump shared by all.
    // In the order of Opcode.
    static constexpr const void* kHandlers[] = {
        &&stepJump,    &&jump,    &&jumpIf,   &&compareJumpIf, &&binary,   &&add,
        &&subtract,    &&unary,   &&copy,     &&assign,        &&loadName, &&storeName,
        &&store,       &&onError, &&clear,    &&withPush,      &&withPop,  &&forEachInit,
        &&forEachNext, &&append,  &&declare,  &&arrayVariable, &&bound,    &&sizeArray,
        &&erase,       &&numeric, &&forInit,  &&forTest,       &&forNext,  &&element,
        &&evaluate,    &&execute, &&callSelf, &&leave,         &&leave,
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
            if (const Value* found = knownVariable(*in->expr, false))
                *regs[in->dst] = *found;
            else
                *regs[in->dst] = evalName(*in->expr);
            NEXT_INSTRUCTION();
        // The value's own scope ends before the next handler is jumped to (an indirect
        // jump may not leave the scope of a variable that has a destructor).
        storeName : {
            Value v = registerOrConstant(regs, constants, in->a);
            consume(regs, *in);
            if (v.isObject())
                v = scalar(v);
            // Finding the value may have defined a procedure of the name: found only
            // now.
            if (Value* variable = knownVariable(*in->expr, true))
                *variable = std::move(v);
            else
                assign(*in->expr, std::move(v), false);
        }
            NEXT_INSTRUCTION();
        store : {
            Value v = registerOrConstant(regs, constants, in->a);
            consume(regs, *in);
            assign(*in->expr, std::move(v), in->when);
        }
            NEXT_INSTRUCTION();
        onError:
            frame_->resumeNext = in->when;
            err_->clear();
            NEXT_INSTRUCTION();
        clear:
            for (std::int32_t r = in->a + in->b; r > in->a;)
                regs[--r]->clear();
            NEXT_INSTRUCTION();
        withPush : {
            Value object = registerOrConstant(regs, constants, in->a);
            consume(regs, *in);
            if (!object.isObject())
                raise(err::ObjectRequired);
            frame_->withObjects.push_back(std::move(object));
        }
            NEXT_INSTRUCTION();
        withPop:
            frame_->withObjects.pop_back();
            NEXT_INSTRUCTION();
        forEachInit:
            *regs[in->dst] = Value::array(Array::fromValues(forEachItems(*regs[in->a])));
            regs[in->b]->setInline(Type::Long, 0);
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
            if (Value* counter = isObject ? nullptr : knownVariable(*in->expr, true))
                *counter = std::move(item);
            else
                assign(*in->expr, std::move(item), isObject);
            NEXT_INSTRUCTION();
        }
        append : {
            Value& left = *regs[in->a];
            const Value& right = registerOrConstant(regs, constants, in->b);
            Value* target = nullptr;
            if (left.isString()) {
                target = knownVariable(*in->expr, true);
                if (!target)
                    target = variable(*in->expr, true);
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
                assign(*in->expr, std::move(joined), false);
            }
            NEXT_INSTRUCTION();
        declare:
            declareGlobal(in->expr->name());
            NEXT_INSTRUCTION();
        arrayVariable:
            arrayVariable(*in->expr, in->stmt->kind);
            NEXT_INSTRUCTION();
        bound:
            regs[in->dst]->setInline(Type::Long, static_cast<std::uint32_t>(toLong(
                                                     registerOrConstant(regs, constants, in->a))));
            consume(regs, *in);
            NEXT_INSTRUCTION();
        sizeArray : {
            // Sizing takes time in proportion to the size, as a loop does.
            checkStep();
            Value& array = arrayVariable(*in->expr, in->stmt->kind);
            std::vector<std::int32_t> bounds;
            for (std::int32_t r = in->a; r < in->a + in->b; ++r)
                bounds.push_back(regs[r]->asLong());
            sizeArray(array, bounds, static_cast<const ast::DeclStmt&>(*in->stmt));
        }
            NEXT_INSTRUCTION();
        erase:
            eraseArray(arrayVariable(*in->expr, ast::StmtKind::Erase));
            NEXT_INSTRUCTION();
        numeric:
            *regs[in->dst] = numeric(registerOrConstant(regs, constants, in->a));
            consume(regs, *in);
            NEXT_INSTRUCTION();
        forInit:
            if (regs[in->a]->isNull() || regs[in->b]->isNull() || regs[in->dst]->isNull())
                raise(err::InvalidNull);
            assign(*in->expr, *regs[in->a], false);
            consume(regs, *in);
            NEXT_INSTRUCTION();
        forTest:
            if (forCounterPassed(*in->expr, *regs[in->a], *regs[in->b]))
                ip = code + in->target;
            NEXT_INSTRUCTION();
        forNext:
            stepForCounter(*in->expr, *regs[in->b]);
            checkStep();
            ip = code + in->target;
            NEXT_INSTRUCTION();
        element : {
            const ast::Expr& e = *in->expr;
            if (const Value* found = plainElement(*e.object, e.args, false))
                *regs[in->dst] = *found;
            else
                *regs[in->dst] = eval(e);
            NEXT_INSTRUCTION();
        }
        evaluate:
            *regs[in->dst] = eval(*in->expr);
            NEXT_INSTRUCTION();
        execute:
            checkStep();
            exec(*in->stmt);
            NEXT_INSTRUCTION();
        callSelf:
            checkStep();
            calls.start(*in, bc, static_cast<std::int32_t>(ip - code));
            regs = frame_->slots;
            ip = code;
            NEXT_INSTRUCTION();
        leave:
            // Leaving a procedure with Exit resets Err, as the language documents.
            if (in->code == Opcode::Return)
                err_->clear();
            if (calls.empty())
                return;
            ip = code + calls.finishWithResult();
            regs = frame_->slots;
            NEXT_INSTRUCTION();
        } catch (ScriptError& e) {
            std::int32_t resume = resumeAt(e, static_cast<std::int32_t>(ip - code));
            if (resume < 0)
                throw;
            ip = code + resume;
        } catch (const std::bad_alloc&) {
            ScriptError e = runtimeError(err::OutOfMemory);
            std::int32_t resume = resumeAt(e, static_cast<std::int32_t>(ip - code));
            if (resume < 0)
                throw e;
            ip = code + resume;
        }
    }
#undef NEXT_INSTRUCTION
}

} // namespace vbs
