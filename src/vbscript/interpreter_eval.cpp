// The interpreter's expressions: names through their resolved slots, calls of script
// procedures, built-ins and object members, array elements, and assignment (appending
// to a string variable in place).
#include "vbscript/builtins/builtin.h"
#include "vbscript/class_instance.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/operators.h"

#include <algorithm>

namespace vbs {

using namespace ast;

namespace {

// The built-in constants are shared by every engine in the process, and counting
// references is not thread-safe: a script gets its own copy of a constant's text.
Value ownCopy(const Value& constant) {
    return constant.isString() ? Value::string(std::u16string(constant.asString())) : constant;
}

Values valuesOf(std::span<const Argument> args) {
    Values out(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        out[i] = args[i].get();
    return out;
}

const Value& valueOf(const Value& v) {
    return v;
}
const Value& valueOf(const Argument& a) {
    return a.get();
}

template <typename T> Subscripts subscriptsOf(std::span<const T> items) {
    Subscripts out(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        out[i] = toLong(valueOf(items[i]));
    return out;
}

} // namespace

Interpreter::ResolvedName Interpreter::resolve(const Expr& e, bool forWrite) {
    const Slot& slot = e.slot;
    switch (slot.scope) {
    case Scope::Local:
        return {frame_->slots[static_cast<std::size_t>(slot.index)]};
    case Scope::Field:
        return {&frame_->me->fields()[static_cast<std::size_t>(slot.index)]};
    case Scope::Method:
        return {nullptr, slot.proc};
    case Scope::Global:
        break;
    }
    if (slot.global)
        return globalName(*slot.global);
    if (slot.builtin && !forWrite && slot.builtinAtGlobals == globals_.size())
        return {nullptr, nullptr, slot.builtin};
    return resolveFirstUse(e, forWrite);
}

// A global name's first use: a global, a built-in, a constant, the procedure's implicit
// local, or a new global. Only a global is remembered in the node: the others depend on
// what is defined later or on the frame.
Interpreter::ResolvedName Interpreter::resolveFirstUse(const Expr& e, bool forWrite) {
    const Slot& slot = e.slot;
    int index = findGlobal(e.key());
    if (index < 0) {
        if (!slot.builtin && !forWrite)
            slot.builtin = findBuiltin(e.key());
        if (slot.builtin && !forWrite) {
            slot.builtinAtGlobals = static_cast<std::uint32_t>(globals_.size());
            return {nullptr, nullptr, slot.builtin};
        }
        if (const BuiltinConstant* c = findConstant(e.key())) {
            if (forWrite)
                raise(err::IllegalAssignment);
            return {nullptr, nullptr, nullptr, &c->value};
        }
        Value* fallback = nullptr;
        if (slot.fallbackLocal >= 0 && frame_->proc &&
            static_cast<std::size_t>(slot.fallbackLocal) < frame_->slotCount)
            fallback = frame_->slots[static_cast<std::size_t>(slot.fallbackLocal)];
        // Under Option Explicit only ReDim creates a name (it leaves an array behind).
        if (frame_->explicitNames && !(fallback && fallback->isArray()))
            raise(err::Undefined, errorDescription(err::Undefined) + u": '" + e.name() + u"'");
        if (fallback)
            return {fallback};
        index = declareGlobal(e.name());
    }
    slot.global = &globals_[static_cast<std::size_t>(index)];
    return globalName(*slot.global);
}

Interpreter::ResolvedName Interpreter::globalName(Global& g) {
    if (g.proc)
        return {nullptr, g.proc, nullptr, nullptr, &g};
    if (g.memberOf)
        return {nullptr, nullptr, nullptr, nullptr, &g};
    return {&g.value, nullptr, nullptr, nullptr, &g};
}

// A name called like a procedure that nothing defines: no global, no built-in, and no
// implicit local holding a value.
bool Interpreter::isUnknownName(const Expr& e) const {
    const Slot& slot = e.slot;
    if (slot.scope != Scope::Global || slot.global || slot.builtin)
        return false;
    if (findGlobal(e.key()) >= 0 || findBuiltin(e.key()) || findConstant(e.key()))
        return false;
    if (slot.fallbackLocal >= 0 && frame_->proc &&
        static_cast<std::size_t>(slot.fallbackLocal) < frame_->slotCount)
        return frame_->slots[static_cast<std::size_t>(slot.fallbackLocal)]->isEmpty();
    return true;
}

Value* Interpreter::variable(const Expr& e, bool forWrite) {
    if (e.kind != ExprKind::Name)
        return nullptr;
    ResolvedName r = resolve(e, forWrite);
    if (!r.var || (r.global && r.global->isConst))
        return nullptr;
    return r.var;
}

Value Interpreter::withObject() const {
    if (frame_->withObjects.empty())
        raise(err::ObjectRequired);
    return frame_->withObjects.back();
}

// An element of an array variable with one plain subscript (`a(i)`), found without
// evaluating anything that could run code; null for any other expression. For writing,
// the array is unshared first.
Value* Interpreter::plainElement(const Expr& callee, const std::vector<ExprPtr>& args,
                                 bool forWrite) {
    if (args.size() != 1)
        return nullptr;
    const Expr& index = *args[0];
    const Value* i = index.kind == ExprKind::Literal ? &index.literal : knownVariable(index, false);
    // An object subscript runs its default property, which could resize the array.
    if (!i || i->isObject())
        return nullptr;
    Value* var = knownVariable(callee, forWrite);
    if (!var || !var->isArray())
        return nullptr;
    Array& array = forWrite ? var->mutableArray() : *var->asArray();
    return &array.at(isSmallWhole(*i) ? static_cast<std::int32_t>(smallWhole(*i)) : toLong(*i));
}

Value Interpreter::evalName(const Expr& e) {
    ResolvedName r = resolve(e, false);
    if (r.var)
        return *r.var;
    if (r.constant)
        return ownCopy(*r.constant);
    return callName(e, {}, true);
}

// An argument `a(i)` where `a` is an array variable: the array, whose element is passed by
// reference. Null for any other argument.
Value* Interpreter::arrayArgument(const Expr& a) {
    if (a.kind != ExprKind::Call || a.object->kind != ExprKind::Name ||
        a.object->slot.scope == Scope::Method || isUnknownName(*a.object))
        return nullptr;
    ResolvedName r = resolve(*a.object, false);
    if (r.var && r.var->isArray() && !(r.global && r.global->isConst))
        return r.var;
    return nullptr;
}

bool Interpreter::passesElement(const std::vector<ExprPtr>& argExprs) {
    return std::any_of(argExprs.begin(), argExprs.end(),
                       [this](const ExprPtr& a) { return arrayArgument(*a) != nullptr; });
}

// A name passed as an argument: a variable (not a constant) is passed by reference.
bool Interpreter::bindVariable(const Expr& name, Argument& arg) {
    ResolvedName r = resolve(name, false);
    if (!r.var || (r.global && r.global->isConst))
        return false;
    arg.ref = r.var;
    return true;
}

Subscripts Interpreter::evalSubscripts(std::span<const Argument> args) {
    return subscriptsOf(args);
}

Value Interpreter::callBuiltin(const Builtin& b, std::span<Value> args) {
    if (static_cast<int>(args.size()) < b.minArgs || static_cast<int>(args.size()) > b.maxArgs)
        raise(err::WrongArgCount);
    return b.fn(*this, args);
}

// An array's subscripts are converted before its element is looked at: converting an
// object subscript runs its default property, which may resize or replace the array.
Value Interpreter::callOnValue(const Value& target, std::span<Argument> args, bool wantValue) {
    if (target.isArray()) {
        if (args.empty())
            return target;
        auto subscripts = evalSubscripts(args);
        if (!target.isArray())
            raise(err::TypeMismatch);
        return target.asArray()->at(subscripts);
    }
    if (target.isObject()) {
        if (args.empty() && wantValue)
            return target;
        if (target.isNothing())
            raise(err::ObjectNotSet);
        HostObject* obj = target.asObject();
        if (auto* inst = obj->scriptInstance())
            return invokeClassMember(*inst, u"", args, wantValue);
        auto values = valuesOf(args);
        return wantValue ? obj->getProperty(u"", values) : obj->callMethod(u"", values);
    }
    if (args.empty())
        return target;
    raise(err::TypeMismatch);
}

Value Interpreter::memberCall(const Expr& member, ClassMember& cache, const Value& target,
                              std::span<Argument> args, bool wantValue) {
    if (!target.isObject())
        raise(err::ObjectRequired);
    if (target.isNothing())
        raise(err::ObjectNotSet);
    HostObject* obj = target.asObject();
    if (auto* inst = obj->scriptInstance())
        return invokeClassMember(*inst, classMemberOf(member, cache, *inst), args, wantValue);
    auto values = valuesOf(args);
    return wantValue ? obj->getProperty(member.name(), values)
                     : obj->callMethod(member.name(), values);
}

// What a Member expression names in a script object's class, looked up once per class:
// `cache` holds what it named in the class last met.
const ClassMember& Interpreter::classMemberOf(const Expr& member, ClassMember& cache,
                                              const ClassInstance& inst) {
    if (cache.cls != &inst.classDef())
        cache = findClassMember(inst.classDef(), member.key());
    return cache;
}

// What a name called like a procedure denotes, found before its arguments run: a name
// nothing defines is an error before they run.
Interpreter::ResolvedName Interpreter::resolveCallee(const Expr& callee) {
    if (Value* known = knownVariable(callee, false))
        return {known};
    if (isUnknownName(callee))
        raise(frame_->explicitNames ? err::Undefined : err::SubNotDefined);
    return resolve(callee, false);
}

// Inside a function its own name with arguments is a recursive call, not its result.
bool Interpreter::callsItself(const Expr& callee, std::size_t argCount) const {
    return callee.slot.scope == Scope::Local && argCount > 0 && frame_->proc &&
           callee.slot.index == frame_->proc->resultSlot;
}

// An array variable called with its arguments already found: its element, unless finding
// them replaced the array (the arguments are then not found again).
Value Interpreter::arrayCall(Value& var, std::span<Argument> args, bool wantValue) {
    if (var.isArray()) {
        auto subscripts = evalSubscripts(args); // see callOnValue
        if (var.isArray())
            return var.asArray()->at(subscripts);
    }
    return callOnValue(var, args, wantValue);
}

// A name called with arguments already found, after what it denotes was found
// (resolveCallee): a variable's element or default member, a constant's, a method of the
// running object, a global procedure, a host object's member added with AddMembers.
Value Interpreter::callResolved(const Expr& callee, const ResolvedName& r, std::span<Argument> args,
                                bool wantValue) {
    if (r.var)
        return callOnValue(*r.var, args, wantValue);
    if (r.constant)
        return callOnValue(ownCopy(*r.constant), args, wantValue);
    if (callee.slot.scope == Scope::Method) {
        const Procedure* proc = frame_->me->classDef().findCallable(callee.key());
        if (!proc)
            raise(err::NoSuchMember);
        return callProcedure(*proc, frame_->me, args);
    }
    if (r.proc)
        return callProcedure(*r.proc, nullptr, args);
    if (r.global && r.global->memberOf) {
        auto values = valuesOf(args);
        HostObject& obj = *r.global->memberOf;
        return wantValue ? obj.getProperty(r.global->name, values)
                         : obj.callMethod(r.global->name, values);
    }
    raise(err::SubNotDefined);
}

Value Interpreter::callName(const Expr& callee, std::span<Argument> args, bool wantValue) {
    const Slot& slot = callee.slot;
    if (slot.scope == Scope::Global && slot.global && slot.global->proc)
        return callProcedure(*slot.global->proc, nullptr, args);
    if (callsItself(callee, args.size()))
        return callProcedure(*frame_->proc, frame_->me, args);
    return callNameResolved(callee, resolveCallee(callee), args, wantValue);
}

// A name that is not a global procedure or the running function's own name, called after
// what it denotes was found (resolveCallee).
Value Interpreter::callNameResolved(const Expr& callee, const ResolvedName& r,
                                    std::span<Argument> args, bool wantValue) {
    if (r.builtin) {
        Values values = valuesOf(args);
        return callBuiltin(*r.builtin, values);
    }
    if (r.var && r.var->isArray() && !args.empty())
        return arrayCall(*r.var, args, wantValue);
    return callResolved(callee, r, args, wantValue);
}

Value Interpreter::newInstance(const Expr& e) {
    if (auto host = hostClasses_.find(e.key()); host != hostClasses_.end()) {
        Ref<HostObject> obj = host->second();
        created_.track(obj.get());
        return Value::object(obj);
    }
    auto it = classes_.find(e.key());
    if (it == classes_.end())
        raise(err::ClassNotDefined);
    const ClassDef& cls = *it->second.cls;
    Ref<ClassInstance> inst = makeRef<ClassInstance>(*this, cls, it->second.unit);
    created_.track(inst.get());
    for (std::size_t i = 0; i < cls.fields.size(); ++i) {
        const auto& f = cls.fields[i];
        if (!f.isArray)
            continue;
        // The parser takes whole-number literals only as a field's bounds.
        std::vector<std::int32_t> bounds;
        for (const auto& b : f.bounds)
            bounds.push_back(toLong(b->literal));
        inst->fields()[i] = Value::array(makeRef<Array>(bounds, !bounds.empty()));
    }
    if (cls.initialize)
        callProcedure(*cls.initialize, inst.get(), {});
    return Value::object(inst);
}

Value Interpreter::prepareAssigned(Value value, bool isSet) {
    if (isSet) {
        if (!value.isObject())
            raise(err::ObjectRequired);
        return value;
    }
    if (value.isObject())
        return scalar(value);
    return value;
}

// `target`, a name or an element whose subscripts are literals or local variables (the
// store instructions compute any others first), = value.
void Interpreter::assign(const Expr& target, Value value, bool isSet) {
    Value v = prepareAssigned(std::move(value), isSet);
    if (target.kind == ExprKind::Name) {
        ResolvedName r = resolve(target, true);
        if (r.var) {
            if (r.global && r.global->isConst)
                raise(err::IllegalAssignment);
            *r.var = std::move(v);
            return;
        }
        if (target.slot.scope == Scope::Method) {
            assignClassMember(*frame_->me, target.name(), {}, v, isSet);
            return;
        }
        if (r.global && r.global->memberOf) {
            r.global->memberOf->setProperty(r.global->name, {}, v, isSet);
            return;
        }
        raise(err::IllegalAssignment);
    }
    const Expr& callee = *target.object;
    if (Value* element = plainElement(callee, target.args, true)) {
        *element = std::move(v);
        return;
    }
    Values values(target.args.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Expr& subscript = *target.args[i];
        values[i] = subscript.kind == ExprKind::Literal ? subscript.literal : evalName(subscript);
    }
    assignIndexed(callee, values, v, isSet);
}

// The object is found after the value and the subscripts.
void Interpreter::assignMember(const Value& object, std::u16string_view name, std::span<Value> args,
                               const Value& v, bool isSet) {
    if (!object.isObject())
        raise(err::ObjectRequired);
    if (object.isNothing())
        raise(err::ObjectNotSet);
    object.asObject()->setProperty(name, args, v, isSet);
}

// `callee(args) = v`: an element of an array variable, the default property of an object
// variable, or a property of the running class or of a host object's member.
void Interpreter::assignIndexed(const Expr& callee, Values& values, Value& v, bool isSet) {
    if (callee.kind != ExprKind::Name)
        raise(err::IllegalAssignment);
    ResolvedName r;
    if (Value* known = knownVariable(callee, true))
        r.var = known;
    else
        r = resolve(callee, true);
    if (r.var) {
        if (r.var->isArray()) {
            auto subscripts = subscriptsOf<Value>(values); // see callOnValue
            if (!r.var->isArray())
                raise(err::TypeMismatch);
            r.var->mutableArray().at(subscripts) = std::move(v);
            return;
        }
        if (r.var->isObject()) {
            if (r.var->isNothing())
                raise(err::ObjectNotSet);
            r.var->asObject()->setProperty(u"", values, v, isSet);
            return;
        }
        raise(err::TypeMismatch);
    }
    if (callee.slot.scope == Scope::Method) {
        assignClassMember(*frame_->me, callee.name(), values, v, isSet);
        return;
    }
    if (r.global && r.global->memberOf) {
        r.global->memberOf->setProperty(r.global->name, values, v, isSet);
        return;
    }
    raise(err::IllegalAssignment);
}

} // namespace vbs
