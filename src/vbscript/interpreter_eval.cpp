// The interpreter's expressions: the values of names (found as interpreter_names.h
// says), calls of script procedures, built-ins and object members, array elements, and
// assignment (appending to a string variable in place).
#include "vbscript/builtins/builtin.h"
#include "vbscript/class_instance.h"
#include "vbscript/convert.h"
#include "vbscript/interpreter.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/interpreter_names.h"
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

Value Interpreter::withObject() const {
    if (frame_->withObjects.empty())
        raise(err::ObjectRequired);
    return frame_->withObjects.back();
}

// An element of an array variable with one plain subscript (`a(i)`), found without
// evaluating anything that could run code; null for any other expression. For writing,
// the array is unshared first.
Value* Interpreter::plainElement(const Expr& callee, const NameCache& calleeCache,
                                 const std::vector<ExprPtr>& args, const NameCache& indexCache,
                                 bool forWrite) {
    if (args.size() != 1)
        return nullptr;
    const Expr& index = *args[0];
    const Value* i =
        index.kind == ExprKind::Literal ? &index.literal : knownVariable(index, indexCache, false);
    // An object subscript runs its default property, which could resize the array.
    if (!i || i->isObject())
        return nullptr;
    Value* var = knownVariable(callee, calleeCache, forWrite);
    if (!var || !var->isArray())
        return nullptr;
    Array& array = forWrite ? var->mutableArray() : *var->asArray();
    return &array.at(isSmallWhole(*i) ? static_cast<std::int32_t>(smallWhole(*i)) : toLong(*i));
}

Value Interpreter::evalName(const Expr& e, NameCache& cache) {
    ResolvedName r = resolve(e, cache, false);
    if (r.var)
        return *r.var;
    if (r.constant)
        return ownCopy(*r.constant);
    return callName(e, cache, {}, true);
}

// An argument `a(i)` where `a` is an array variable: the array, whose element is passed by
// reference. Null for any other argument.
Value* Interpreter::arrayArgument(const Expr& a, NameCache& array) {
    if (a.kind != ExprKind::Call || a.object->kind != ExprKind::Name ||
        array.slot.scope == Scope::Method || isUnknownName(*a.object, array))
        return nullptr;
    ResolvedName r = resolve(*a.object, array, false);
    if (r.var && r.var->isArray() && !(r.global && r.global->isConst))
        return r.var;
    return nullptr;
}

bool Interpreter::passesElement(const std::vector<ExprPtr>& argExprs, NameCache* arrays) {
    for (std::size_t i = 0; i < argExprs.size(); ++i)
        if (arrayArgument(*argExprs[i], arrays[i]))
            return true;
    return false;
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
    if (r.method) {
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

Value Interpreter::callName(const Expr& callee, NameCache& cache, std::span<Argument> args,
                            bool wantValue) {
    if (const Procedure* p = knownProcedure(cache))
        return callProcedure(*p, nullptr, args);
    if (callsItself(cache, args.size()))
        return callProcedure(*frame_->proc, frame_->me, args);
    return callNameResolved(callee, resolveCallee(callee, cache), args, wantValue);
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
void Interpreter::assign(const Expr& target, NameCache& cache, Value value, bool isSet) {
    Value v = prepareAssigned(std::move(value), isSet);
    if (target.kind == ExprKind::Name) {
        ResolvedName r = resolve(target, cache, true);
        if (r.var) {
            if (r.global && r.global->isConst)
                raise(err::IllegalAssignment);
            *r.var = std::move(v);
            return;
        }
        if (r.method) {
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
    NameCache* subscripts = &cache + 1;
    if (Value* element = plainElement(callee, cache, target.args, subscripts[0], true)) {
        *element = std::move(v);
        return;
    }
    Values values(target.args.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Expr& subscript = *target.args[i];
        values[i] = subscript.kind == ExprKind::Literal ? subscript.literal
                                                        : evalName(subscript, subscripts[i]);
    }
    assignIndexed(callee, cache, values, v, isSet);
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
void Interpreter::assignIndexed(const Expr& callee, NameCache& cache, Values& values, Value& v,
                                bool isSet) {
    if (callee.kind != ExprKind::Name)
        raise(err::IllegalAssignment);
    ResolvedName r;
    if (Value* known = knownVariable(callee, cache, true))
        r.var = known;
    else
        r = resolve(callee, cache, true);
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
    if (r.method) {
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
