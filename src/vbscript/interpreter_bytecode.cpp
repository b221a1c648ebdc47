// Running a procedure's compact form (bytecode.h): one loop over its instructions, with
// the registers being the call's slots. An error is handled as the tree walker's block
// handles it, for the statement that was running: with On Error Resume Next the code
// goes on where that statement's successor begins.
#include "vbscript/bytecode.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/operators.h"

#include <new>

namespace vbs {

namespace {

// A temporary's value, leaving the temporary Empty.
Value take(Value& v) {
    Value out = std::move(v);
    v.clear();
    return out;
}

// The statement of the instruction before `pc`, the one that was running.
const Bytecode::Statement& statementAt(const Bytecode& bc, std::int32_t pc) {
    return bc
        .statements[static_cast<std::size_t>(bc.code[static_cast<std::size_t>(pc - 1)].statement)];
}

} // namespace

[[gnu::flatten]] void Interpreter::runBytecode(const Bytecode& bc) {
    Value* const* regs = frame_->slots;
    const Instruction* code = bc.code.data();
    const Value* constants = bc.constants.data();
    auto operand = [&](std::int32_t i) -> const Value& {
        return i >= 0 ? *regs[i] : constants[-1 - i];
    };
    auto consume = [&](const Instruction& in) {
        if (in.consumeA)
            regs[in.a]->clear();
        if (in.consumeB)
            regs[in.b]->clear();
    };
    checkStep();
    std::int32_t pc = 0;
    for (;;) {
        try {
            for (;;) {
                const Instruction& in = code[pc++];
                switch (in.code) {
                case Opcode::StepJump:
                    checkStep();
                    pc = in.target;
                    break;
                case Opcode::Jump:
                    pc = in.target;
                    break;
                case Opcode::JumpIf: {
                    const Value& c = operand(in.a);
                    bool truth = !c.isNull() && toBool(c);
                    consume(in);
                    if (truth == in.when)
                        pc = in.target;
                    break;
                }
                case Opcode::CompareJumpIf: {
                    bool holds = comparisonHolds(in.op, operand(in.a), operand(in.b));
                    consume(in);
                    if (holds == in.when)
                        pc = in.target;
                    break;
                }
                case Opcode::Binary:
                    *regs[in.dst] = applyBinary(in.op, operand(in.a), operand(in.b));
                    consume(in);
                    break;
                case Opcode::Unary:
                    *regs[in.dst] = unaryOp(in.op, operand(in.a));
                    consume(in);
                    break;
                case Opcode::Copy:
                    *regs[in.dst] = operand(in.a);
                    break;
                case Opcode::Assign: {
                    Value v = in.consumeA ? take(*regs[in.a]) : operand(in.a);
                    if (v.isObject())
                        v = scalar(v);
                    *regs[in.dst] = std::move(v);
                    break;
                }
                case Opcode::Element: {
                    const ast::Expr& e = *in.expr;
                    if (const Value* element = plainElement(*e.object, e.args, false))
                        *regs[in.dst] = *element;
                    else
                        *regs[in.dst] = eval(e);
                    break;
                }
                case Opcode::Eval:
                    *regs[in.dst] = eval(*in.expr);
                    break;
                case Opcode::Exec: {
                    Flow flow = exec(*in.stmt);
                    if (flow == Flow::Normal)
                        break;
                    if (flow == Flow::ExitDo && in.target >= 0) {
                        pc = in.target;
                        break;
                    }
                    return;
                }
                case Opcode::CallSelf:
                    *regs[in.dst] = callSelf(in, bc);
                    break;
                case Opcode::Return:
                    // Leaving a procedure with Exit resets Err, as the language documents.
                    err_->clear();
                    return;
                case Opcode::Leave:
                    return;
                }
            }
        } catch (ScriptError& e) {
            statementFailed(e, *statementAt(bc, pc).stmt);
        } catch (const std::bad_alloc&) {
            statementOutOfMemory(*statementAt(bc, pc).stmt);
        }
        pc = statementAt(bc, pc).resume;
    }
}

// A function calling itself: a local variable goes by reference, a temporary is moved
// into the callee's slot, a constant copied.
Value Interpreter::callSelf(const Instruction& in, const Bytecode& bc) {
    const Procedure& p = *frame_->proc;
    CallStorage storage(*this, p);
    const FrameStack::Region& region = storage.region();
    const std::int32_t* args = bc.arguments.data() + in.a;
    for (std::size_t i = 0; i < static_cast<std::size_t>(in.b); ++i) {
        std::int32_t o = args[i];
        if (o < 0)
            region.values[i] = bc.constants[static_cast<std::size_t>(-1 - o)];
        else if (o < p.frameSize)
            region.pointers[i] = frame_->slots[o];
        else
            region.values[i] = take(*frame_->slots[o]);
    }
    copyByValArguments(p, region);
    return runCall(p, frame_->me, region);
}

} // namespace vbs
