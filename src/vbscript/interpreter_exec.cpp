// The interpreter's statements: blocks with On Error Resume Next, declarations, loops,
// Select Case, With and calls.
#include "vbscript/class_instance.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/operators.h"

#include <new>
#include <utility>

namespace vbs {

using namespace ast;

Interpreter::Flow Interpreter::execBlock(const Block& block) {
    checkWalkDepth();
    for (const auto& s : block) {
        try {
            checkStep();
            Flow flow = exec(*s);
            if (flow != Flow::Normal)
                return flow;
        } catch (ScriptError& e) {
            if (!recover(e, *s))
                throw;
        } catch (const std::bad_alloc&) {
            ScriptError e = runtimeError(err::OutOfMemory);
            if (!recover(e, *s))
                throw e;
        }
    }
    return Flow::Normal;
}

bool Interpreter::recover(ScriptError& e, const Stmt& s) {
    if (e.kind() == ErrorKind::Compile)
        // Code compiled while this statement ran (Execute, Eval, a host calling AddCode):
        // for this script it is a failed statement like any other.
        e = e.asRuntimeAt(s.line, s.column);
    else
        e.setPositionIfUnknown(s.line, s.column);
    if (!frame_->resumeNext || !e.catchable())
        return false;
    err_->record(e);
    return true;
}

// The commonest statements are dispatched here with little work around them; the rest
// go to execOther.
Interpreter::Flow Interpreter::exec(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::Assign:
        execAssign(static_cast<const AssignStmt&>(s));
        return Flow::Normal;
    case StmtKind::Call:
        execCall(*static_cast<const CallStmt&>(s).call);
        return Flow::Normal;
    case StmtKind::If:
        return execIf(static_cast<const IfStmt&>(s));
    case StmtKind::For:
        return execFor(static_cast<const ForStmt&>(s));
    case StmtKind::Do:
        return execDo(static_cast<const DoStmt&>(s));
    default:
        return execOther(s);
    }
}

Interpreter::Flow Interpreter::execIf(const IfStmt& s) {
    for (const auto& b : s.branches)
        if (branchTaken(*b.condition, s))
            return execBlock(b.body);
    return execBlock(s.elseBody);
}

bool Interpreter::branchTaken(const Expr& condition, const IfStmt& s) {
    try {
        return isTrue(condition);
    } catch (ScriptError& e) {
        if (!recover(e, s))
            throw;
    } catch (const std::bad_alloc&) {
        ScriptError e = runtimeError(err::OutOfMemory);
        if (!recover(e, s))
            throw e;
    }
    return true;
}

Interpreter::Flow Interpreter::execOther(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::Dim:
    case StmtKind::ReDim:
    case StmtKind::Erase:
    case StmtKind::Const:
        execDeclaration(static_cast<const DeclStmt&>(s));
        return Flow::Normal;
    case StmtKind::Select:
        return execSelect(static_cast<const SelectStmt&>(s));
    case StmtKind::ForEach:
        return execForEach(static_cast<const ForEachStmt&>(s));
    case StmtKind::Exit:
        switch (static_cast<const ExitStmt&>(s).what) {
        case ExitKind::Do:
            return Flow::ExitDo;
        case ExitKind::For:
            return Flow::ExitFor;
        default:
            // Leaving a procedure with Exit resets Err, as the language documents.
            err_->clear();
            return Flow::ExitProc;
        }
    case StmtKind::With: {
        const auto& w = static_cast<const WithStmt&>(s);
        frame_->withObjects.push_back(evalObject(*w.object));
        Flow flow;
        try {
            flow = execBlock(w.body);
        } catch (...) {
            frame_->withObjects.pop_back();
            throw;
        }
        frame_->withObjects.pop_back();
        return flow;
    }
    case StmtKind::OnErrorResumeNext:
        frame_->resumeNext = true;
        err_->clear();
        return Flow::Normal;
    case StmtKind::OnErrorGoto0:
        frame_->resumeNext = false;
        err_->clear();
        return Flow::Normal;
    default:
        return Flow::Normal; // dispatched by exec
    }
}

void Interpreter::execCall(const Expr& call) {
    if (call.kind == ExprKind::Call)
        evalCall(*call.object, call.args, false);
    else
        evalCall(call, kNoArguments, false); // Call Foo / obj.Method without an argument list
}

void Interpreter::execDeclaration(const DeclStmt& s) {
    for (const auto& d : s.items) {
        const Expr& target = *d.target;
        if (s.kind == StmtKind::Const) {
            Value v = eval(*d.value);
            Value* var = variable(target, true);
            if (!var) // a constant or a procedure already has the name
                raise(err::NameRedefinedRuntime);
            *var = v;
            if (target.slot.scope == Scope::Global && target.slot.global)
                target.slot.global->isConst = true;
            continue;
        }
        if (s.kind == StmtKind::Dim && frame_->slotCount == 0 && target.slot.scope == Scope::Global)
            declareGlobal(target.name());
        if (s.kind == StmtKind::Dim && !d.isArray)
            continue;
        if (s.kind == StmtKind::Erase) {
            eraseArray(arrayVariable(target, s.kind));
            continue;
        }
        Value& var = arrayVariable(target, s.kind);
        std::vector<std::int32_t> bounds;
        for (const auto& b : d.bounds)
            bounds.push_back(toLong(eval(*b)));
        sizeArray(var, bounds, s);
    }
}

Value& Interpreter::arrayVariable(const Expr& target, StmtKind kind) {
    Value* var = nullptr;
    if (kind == StmtKind::ReDim) {
        // ReDim declares the name it sizes, also under Option Explicit.
        bool explicitNames = std::exchange(frame_->explicitNames, false);
        try {
            var = variable(target, true);
        } catch (...) {
            frame_->explicitNames = explicitNames;
            throw;
        }
        frame_->explicitNames = explicitNames;
    } else {
        var = variable(target, true);
    }
    if (!var)
        raise(err::IllegalAssignment);
    // A fixed-size array refuses ReDim before its new bounds are even read.
    if (kind == StmtKind::ReDim && var->isArray() && var->asArray()->fixed())
        raise(err::ArrayFixed);
    return *var;
}

void Interpreter::eraseArray(Value& var) {
    if (!var.isArray())
        raise(err::TypeMismatch);
    Array& arr = var.mutableArray();
    if (arr.fixed()) {
        std::vector<Value> old = arr.emptyElements(); // let go of last
    } else {
        var = Value::array(makeRef<Array>());
    }
}

void Interpreter::sizeArray(Value& var, const std::vector<std::int32_t>& bounds,
                            const DeclStmt& s) {
    if (s.kind == StmtKind::Dim) {
        if (!var.isArray())
            var = Value::array(makeRef<Array>(bounds, !bounds.empty()));
        return;
    }
    if (s.preserve && var.isArray() && var.asArray()->dimensions() > 0) {
        std::vector<Value> cut = var.mutableArray().resizePreserving(bounds); // let go of last
    } else {
        var = Value::array(makeRef<Array>(bounds, false));
    }
}

Interpreter::Flow Interpreter::execFor(const ForStmt& s) {
    Value from = numeric(eval(*s.from));
    Value to = numeric(eval(*s.to));
    Value step = s.step ? numeric(eval(*s.step)) : Value::integer(1);
    if (from.isNull() || to.isNull() || step.isNull())
        raise(err::InvalidNull);
    assign(*s.variable, from, false);
    while (!forCounterPassed(*s.variable, to, step)) {
        Flow flow = execBlock(s.body);
        if (flow == Flow::ExitFor)
            break;
        if (flow != Flow::Normal)
            return flow;
        stepForCounter(*s.variable, step);
        checkStep();
    }
    return Flow::Normal;
}

// A variable's storage never moves, but it is looked for again each time: the body may
// have made the name denote something else (a procedure defined by ExecuteGlobal). A
// counter holding an object is read as a copy: its default property runs script code.
bool Interpreter::forCounterPassed(const Expr& counter, const Value& end, const Value& step) {
    bool down = isSmallWhole(step) ? smallWhole(step) < 0 : toDouble(step) < 0;
    auto passed = [&](const Value& current) {
        if (isSmallWhole(current) && isSmallWhole(end)) {
            std::int64_t x = smallWhole(current), y = smallWhole(end);
            return down ? x < y : x > y;
        }
        auto c = compareValues(current, end);
        return !c || (down ? *c < 0 : *c > 0);
    };
    Value* variable = knownVariable(counter, true);
    if (variable && variable->isObject())
        variable = nullptr;
    return variable ? passed(*variable) : passed(eval(counter));
}

void Interpreter::stepForCounter(const Expr& counter, const Value& step) {
    Value* variable = knownVariable(counter, true);
    if (variable && !variable->isObject())
        *variable = binaryOp(Op::Add, *variable, step);
    else
        assign(counter, binaryOp(Op::Add, eval(counter), step), false);
}

std::vector<Value> Interpreter::forEachItems(const Value& collection) {
    if (collection.isArray())
        return collection.asArray()->elements();
    if (collection.isObject() && !collection.isNothing()) {
        auto listed = collection.asObject()->items();
        if (!listed)
            raise(err::NotACollection);
        return std::move(*listed);
    }
    if (collection.isNothing())
        raise(err::ObjectNotSet);
    raise(err::NotACollection);
}

Interpreter::Flow Interpreter::execForEach(const ForEachStmt& s) {
    Value collection = eval(*s.collection);
    std::vector<Value> items = forEachItems(collection);
    for (auto& item : items) {
        checkStep();
        bool isObject = item.isObject();
        assign(*s.variable, std::move(item), isObject);
        Flow flow = execBlock(s.body);
        if (flow == Flow::ExitFor)
            break;
        if (flow != Flow::Normal)
            return flow;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execDo(const DoStmt& s) {
    auto holds = [&](LoopTest test) {
        bool truth = isTrue(*s.condition);
        return test == LoopTest::While ? truth : !truth;
    };
    for (;;) {
        if (s.preTest != LoopTest::None && !holds(s.preTest))
            break;
        Flow flow = execBlock(s.body);
        if (flow == Flow::ExitDo && !s.whileWend)
            break;
        if (flow != Flow::Normal)
            return flow;
        if (s.postTest != LoopTest::None && !holds(s.postTest))
            break;
        checkStep(); // an empty loop must stay stoppable too
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execSelect(const SelectStmt& s) {
    Value subject = eval(*s.subject);
    for (const auto& c : s.cases) {
        bool match = c.tests.empty();
        for (const auto& t : c.tests) {
            Value r = binaryOp(Op::Eq, subject, eval(*t));
            match = !r.isNull() && r.asBool();
            if (match)
                break;
        }
        if (match)
            return execBlock(c.body);
    }
    return Flow::Normal;
}

} // namespace vbs
