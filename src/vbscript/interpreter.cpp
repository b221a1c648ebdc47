// The interpreter's entry points, frames and procedure calls (see interpreter.h). The
// statements are in interpreter_exec.cpp, the expressions in interpreter_eval.cpp.
#include "vbscript/interpreter.h"

#include "vbscript/builtins/builtin.h"
#include "vbscript/bytecode.h"
#include "vbscript/class_instance.h"
#include "vbscript/convert.h"
#include "vbscript/dictionary.h"
#include "vbscript/interpreter_frame.h"
#include "vbscript/stack_limit.h"

#include <new>
#include <utility>

namespace vbs {

namespace {

bool validName(std::u16string_view name) {
    if (name.empty() || !((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')))
        return false;
    for (char16_t c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    return true;
}

} // namespace

Interpreter::Interpreter() : err_(makeRef<ErrObject>()), alive_(std::make_shared<bool>(true)) {
    registerProgId(u"Scripting.Dictionary", [] { return Ref<HostObject>(makeRef<Dictionary>()); });
}

Interpreter::~Interpreter() {
    // Objects still referenced by globals run Class_Terminate while the engine exists,
    // and while the host's objects are still there for them to use.
    // By index: a Class_Terminate may define more globals while this runs.
    for (std::size_t i = 0; i < globals_.size(); ++i)
        if (!globals_[i].isHostObject)
            globals_[i].value = Value();
    for (std::size_t i = 0; i < globals_.size(); ++i)
        globals_[i].value = Value();
    // What is left refers to itself in a cycle: freed without running more script code.
    *alive_ = false;
    created_.dropAll();
}

// Code compiled while a script runs (Execute, Eval, ExecuteGlobal, a host adding code)
// nests like a call: it counts toward the depth limit and watches the stack, so that code
// which runs itself ends with "Out of stack space".
class Interpreter::Nesting {
public:
    explicit Nesting(Interpreter& interp) : interp_(interp) {
        interp_.enterCall();
        ++interp_.depth_;
    }
    ~Nesting() { --interp_.depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    Interpreter& interp_;
};

void Interpreter::findStackLimit() {
    stackLimit_ = stackFloor(kStackReserve, 4);
}

// A stop asked for while nothing ran must not end the next script at its first statement;
// an exception held from a Class_Terminate run meanwhile (the host dropped an object)
// still ends it there.
void Interpreter::forgetStaleStop() {
    if (depth_ == 0)
        stopRequested_ = held_ != nullptr;
}

void Interpreter::stopOrHook() {
    // A plain read first: the exchange is a locked instruction, too dear for every statement.
    if (stopRequested_.load(std::memory_order_relaxed) && stopRequested_.exchange(false)) {
        throwHeld();
        raise(err::Stopped);
    }
    if (steps_ >= kStepInterval) {
        steps_ = 0;
        if (stepHook_)
            stepHook_();
    }
}

void Interpreter::hold(std::exception_ptr e) noexcept {
    if (!held_)
        held_ = std::move(e);
    stopRequested_ = true;
}

void Interpreter::throwHeld() {
    if (held_)
        std::rethrow_exception(std::exchange(held_, nullptr));
}

Value Interpreter::errValue() const {
    return Value::object(err_);
}

ClassInstance* Interpreter::currentMe() const {
    return frame_ ? frame_->me : nullptr;
}

std::unique_ptr<Unit> Interpreter::compileUnit(std::u16string_view code, ParseMode mode,
                                               const CompileScope& scope) {
    auto unit = parse(code, mode);
    compile(*unit, scope); // which refuses two classes of one name, as other names
    return unit;
}

int Interpreter::findGlobal(std::u16string_view key) const {
    auto it = globalIndex_.find(std::u16string(key));
    return it == globalIndex_.end() ? -1 : it->second;
}

int Interpreter::declareGlobal(const std::u16string& name) {
    std::u16string key = foldName(name);
    int index = findGlobal(key);
    if (index >= 0)
        return index;
    index = static_cast<int>(globals_.size());
    globals_.push_back({name, Value(), nullptr, {}, false, false});
    globalIndex_.emplace(std::move(key), index);
    return index;
}

// A later definition of a procedure replaces an earlier one of the same name.
void Interpreter::defineUnit(const std::shared_ptr<Unit>& shared) {
    Unit& unit = *shared;
    // A constant stays what it is, and a procedure's name names no constant.
    for (const auto& c : unit.constants)
        if (int index = findGlobal(foldName(c.name));
            index >= 0 && (globals_[index].isConst || globals_[index].proc))
            raise(err::NameRedefinedRuntime);
    ++globalKinds_;
    for (const auto& p : unit.procedures) {
        Global& g = globals_[declareGlobal(p->name)];
        if (g.proc)
            std::erase(procedureOrder_, g.proc);
        g.proc = p.get();
        g.value = Value();
        procedureOrder_.push_back(p.get());
    }
    for (const auto& c : unit.classes)
        classes_[c->key] = {c.get(), shared};
    for (const auto& name : unit.globalNames)
        declareGlobal(name);
    for (const auto& c : unit.constants) {
        Global& g = globals_[declareGlobal(c.name)];
        g.value = c.value;
        g.isConst = true;
    }
}

void Interpreter::runTopLevel(Unit& unit) {
    CallStorage temporaries(*this, *unit.bytecode, 0);
    Frame top;
    top.explicitNames = unit.optionExplicit;
    top.slots = temporaries.region().pointers;
    FrameScope scope(*this, top);
    runBytecode(*unit.bytecode);
}

void Interpreter::addCode(std::u16string_view code) {
    forgetStaleStop();
    Nesting nesting(*this);
    std::shared_ptr<Unit> unit = compileUnit(code, ParseMode::Module, {});
    units_.push_back(unit);
    defineUnit(unit);
    runTopLevel(*unit);
    throwHeld();
}

void Interpreter::executeGlobal(std::u16string_view code) {
    addCode(code);
}

Value Interpreter::evaluate(std::u16string_view expression) {
    forgetStaleStop();
    Nesting nesting(*this);
    auto unit = compileUnit(expression, ParseMode::Expression, {});
    Frame top;
    FrameScope scope(*this, top);
    Value result;
    try {
        result = runInFrame(*unit->bytecode);
    } catch (ScriptError& e) {
        e.setPositionIfUnknown(unit->expression->line, unit->expression->column);
        throw;
    }
    throwHeld();
    return result;
}

Value Interpreter::evalInScope(std::u16string_view expression) {
    if (!frame_)
        return evaluate(expression);
    Nesting nesting(*this);
    CompileScope scope{frame_->proc, frame_->me ? &frame_->me->classDef() : nullptr};
    auto unit = compileUnit(expression, ParseMode::Expression, scope);
    return runInFrame(*unit->bytecode);
}

void Interpreter::executeInScope(std::u16string_view statements) {
    if (!frame_ || !frame_->proc) {
        addCode(statements);
        return;
    }
    Nesting nesting(*this);
    CompileScope scope{frame_->proc, frame_->me ? &frame_->me->classDef() : nullptr};
    // Statements alone define nothing, so the code lives only while it runs.
    auto unit = compileUnit(statements, ParseMode::Statements, scope);
    Unit& u = *unit;
    bool savedResume = frame_->resumeNext;
    frame_->resumeNext = false;
    try {
        runInFrame(*u.bytecode);
    } catch (...) {
        frame_->resumeNext = savedResume;
        throw;
    }
    frame_->resumeNext = savedResume;
}

Value Interpreter::runInFrame(const Bytecode& bc) {
    std::size_t shared = frame_->proc ? static_cast<std::size_t>(frame_->proc->frameSize) : 0;
    CallStorage storage(*this, bc, shared);
    const FrameStack::Region& region = storage.region();
    for (std::size_t i = 0; i < shared; ++i)
        region.pointers[i] = frame_->slots[i];
    Value** frameSlots = std::exchange(frame_->slots, region.pointers);
    std::size_t withDepth = frame_->withObjects.size();
    try {
        runBytecode(bc);
    } catch (...) {
        // An error leaving a With body of this code leaves its object behind in the
        // frame, which goes on.
        frame_->withObjects.resize(withDepth);
        frame_->slots = frameSlots;
        throw;
    }
    frame_->slots = frameSlots;
    return std::move(region.values[shared]);
}

Value Interpreter::run(std::u16string_view name, std::vector<Value> args) {
    forgetStaleStop();
    int index = findGlobal(foldName(name));
    if (name.empty() || index < 0 || !globals_[index].proc)
        raise(err::SubNotDefined);
    std::vector<Argument> a(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        a[i].value = std::move(args[i]);
    Value result = callProcedure(*globals_[index].proc, nullptr, a);
    throwHeld();
    return result;
}

std::vector<ProcedureInfo> Interpreter::procedures() const {
    std::vector<ProcedureInfo> out;
    for (const Procedure* p : procedureOrder_)
        out.push_back({p->name, static_cast<int>(p->params.size()), p->hasResult()});
    return out;
}

void Interpreter::addObject(std::u16string_view name, Ref<HostObject> object, bool addMembers) {
    if (!validName(name) || !object)
        raise(err::InvalidCall);
    std::u16string key = foldName(name);
    if (findGlobal(key) >= 0)
        raise(err::KeyExists);
    Global& g = globals_[declareGlobal(std::u16string(name))];
    g.value = Value::object(object);
    g.isConst = true;
    g.isHostObject = true;
    if (!addMembers)
        return;
    for (const auto& m : object->members()) {
        if (m.name.empty() || findGlobal(foldName(m.name)) >= 0)
            continue;
        Global& member = globals_[declareGlobal(m.name)];
        member.memberOf = object;
    }
}

void Interpreter::registerProgId(std::u16string_view progId, ObjectFactory factory) {
    progIds_[foldName(progId)] = std::move(factory);
}

void Interpreter::registerClass(std::u16string_view name, ObjectFactory factory) {
    hostClasses_[foldName(name)] = std::move(factory);
}

Value Interpreter::createObject(std::u16string_view progId) {
    auto it = progIds_.find(foldName(progId));
    if (it == progIds_.end())
        raise(err::CannotCreateObject);
    Ref<HostObject> obj = it->second();
    if (!obj)
        raise(err::CannotCreateObject);
    created_.track(obj.get());
    return Value::object(obj);
}

Value Interpreter::procedureReference(std::u16string_view name) {
    int index = findGlobal(foldName(name));
    if (index < 0 || !globals_[index].proc)
        raise(err::InvalidCall);
    return Value::object(makeRef<ProcedureRef>(*this, *globals_[index].proc));
}

Value Interpreter::callProcedure(const Procedure& p, ClassInstance* me, std::span<Argument> args) {
    if (args.size() != p.params.size())
        raise(err::WrongArgCount);
    CallStorage storage(*this, p);
    const FrameStack::Region& region = storage.region();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].ref && !p.params[i].byVal)
            region.pointers[i] = args[i].ref;
        else if (args[i].ref)
            region.values[i] = *args[i].ref;
        else
            region.values[i] = std::move(args[i].value);
    }
    Value result = runCall(p, me, region);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].element && !p.params[i].byVal)
            writeBack(*args[i].element, std::move(region.values[i]));
    }
    return result;
}

// Runs a procedure whose arguments are bound in its region.
Value Interpreter::runCall(const Procedure& p, ClassInstance* me,
                           const FrameStack::Region& region) {
    enterCall();
    Frame f;
    f.enter(p, me, region);
    Ref<HostObject> keepAlive(me);
    FrameScope scope(*this, f);
    runBytecode(*p.bytecode);
    if (p.resultSlot < 0)
        return Value();
    return std::move(*f.slots[static_cast<std::size_t>(p.resultSlot)]);
}

// A ByRef parameter bound to an array element: its final value goes back to the element,
// unless the callee resized the array so that the element is gone.
void Interpreter::writeBack(const Argument::Element& element, Value value) {
    Value* array = element.array;
    if (!array->isArray())
        return;
    const Array& arr = *array->asArray();
    bool inRange = arr.dimensions() == element.subscripts.size();
    for (std::size_t d = 0; inRange && d < arr.dimensions(); ++d)
        inRange = element.subscripts[d] >= 0 && element.subscripts[d] <= arr.upperBound(d);
    if (inRange)
        array->mutableArray().at(element.subscripts) = std::move(value);
}

ClassMember Interpreter::findClassMember(const ClassDef& cls, std::u16string_view key) {
    if (key.empty())
        return {&cls, -1, cls.defaultMember};
    return {&cls, cls.findField(key), cls.findCallable(key)};
}

Value Interpreter::invokeClassMember(ClassInstance& obj, std::u16string_view key,
                                     std::span<Argument> args, bool wantValue) {
    return invokeClassMember(obj, findClassMember(obj.classDef(), key), args, wantValue);
}

Value Interpreter::invokeClassMember(ClassInstance& obj, const ClassMember& member,
                                     std::span<Argument> args, bool wantValue) {
    const ClassDef& cls = obj.classDef();
    bool inside = currentMe() == &obj;
    if (member.field >= 0 &&
        (inside || cls.fields[static_cast<std::size_t>(member.field)].isPublic)) {
        Value& v = obj.fields()[static_cast<std::size_t>(member.field)];
        if (args.empty())
            return v;
        return callOnValue(v, args, wantValue);
    }
    const Procedure* proc = member.proc;
    if (!proc || (!proc->isPublic && !inside))
        raise(err::NoSuchMember);
    return callProcedure(*proc, &obj, args);
}

void Interpreter::assignClassMember(ClassInstance& obj, std::u16string_view name,
                                    std::span<Value> args, const Value& value, bool isSet) {
    const ClassDef& cls = obj.classDef();
    bool inside = currentMe() == &obj;
    std::u16string key =
        name.empty() && cls.defaultMember ? cls.defaultMember->key : foldName(name);
    int field = cls.findField(key);
    if (field >= 0 && (inside || cls.fields[static_cast<std::size_t>(field)].isPublic)) {
        Value& v = obj.fields()[static_cast<std::size_t>(field)];
        if (args.empty()) {
            v = prepareAssigned(value, isSet);
            return;
        }
        if (!v.isArray())
            raise(err::TypeMismatch);
        std::vector<Argument> a(args.size());
        for (std::size_t i = 0; i < args.size(); ++i)
            a[i].value = args[i];
        auto subscripts = evalSubscripts(a);
        v.mutableArray().at(subscripts) = prepareAssigned(value, isSet);
        return;
    }
    const Procedure* proc =
        cls.findProcedure(key, isSet ? Procedure::Kind::PropertySet : Procedure::Kind::PropertyLet);
    if (!proc || (!proc->isPublic && !inside))
        raise(proc || cls.findCallable(key) ? err::IllegalAssignment : err::NoSuchMember);
    if (proc->params.size() != args.size() + 1)
        raise(err::WrongArgCount);
    std::vector<Argument> a(args.size() + 1);
    for (std::size_t i = 0; i < args.size(); ++i)
        a[i].value = args[i];
    a.back().value = value;
    callProcedure(*proc, &obj, a);
}

void Interpreter::runTerminate(ClassInstance& obj) {
    const Procedure* term = obj.classDef().terminate;
    try {
        callProcedure(*term, &obj, {});
    } catch (const ScriptError& e) {
        // An error in Class_Terminate has nowhere to go: the statement that dropped the
        // last reference has already finished. A stop still stops the script.
        if (!e.catchable())
            hold(std::current_exception());
    } catch (const std::bad_alloc&) {
        // Out of memory, as any other error here.
    } catch (...) {
        hold(std::current_exception());
    }
}

} // namespace vbs
