// The interpreter's statements: an error's recovery, and the steps of constants,
// declarations and loops the instructions take.
#include "vbscript/class_instance.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/interpreter_names.h"
#include "vbscript/operators.h"

#include <new>
#include <utility>

namespace vbs {

using namespace ast;

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

void Interpreter::defineConstant(const Expr& target, NameCache& cache, Value v) {
    Value* var = variable(target, cache, true);
    if (!var) // a constant or a procedure already has the name
        raise(err::NameRedefinedRuntime);
    *var = std::move(v);
    if (cache.slot.scope == Scope::Global && cache.global) {
        cache.global->isConst = true;
        ++globalKinds_;
    }
}

Value& Interpreter::arrayVariable(const Expr& target, NameCache& cache, StmtKind kind) {
    Value* var = nullptr;
    if (kind == StmtKind::ReDim) {
        // ReDim declares the name it sizes, also under Option Explicit.
        bool explicitNames = std::exchange(frame_->explicitNames, false);
        try {
            var = variable(target, cache, true);
        } catch (...) {
            frame_->explicitNames = explicitNames;
            throw;
        }
        frame_->explicitNames = explicitNames;
    } else {
        var = variable(target, cache, true);
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

// A variable's storage never moves, but it is looked for again each time: the body may
// have made the name denote something else (a procedure defined by ExecuteGlobal). A
// counter holding an object is read as a copy: its default property runs script code.
bool Interpreter::forCounterPassed(const Expr& counter, NameCache& cache, const Value& end,
                                   const Value& step) {
    bool down = isSmallWhole(step) ? smallWhole(step) < 0 : toDouble(step) < 0;
    auto passed = [&](const Value& current) {
        if (isSmallWhole(current) && isSmallWhole(end)) {
            std::int64_t x = smallWhole(current), y = smallWhole(end);
            return down ? x < y : x > y;
        }
        auto c = compareValues(current, end);
        return !c || (down ? *c < 0 : *c > 0);
    };
    Value* variable = rememberedVariable(counter, cache, true);
    if (variable && variable->isObject())
        variable = nullptr;
    return variable ? passed(*variable) : passed(evalName(counter, cache));
}

void Interpreter::stepForCounter(const Expr& counter, NameCache& cache, const Value& step) {
    Value* variable = rememberedVariable(counter, cache, true);
    if (variable && !variable->isObject())
        *variable = binaryOp(Op::Add, *variable, step);
    else
        assign(counter, cache, binaryOp(Op::Add, evalName(counter, cache), step), false);
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

} // namespace vbs
