// Script objects (see class_instance.h).
#include "vbscript/class_instance.h"

#include "vbscript/convert.h"
#include "vbscript/interpreter.h"

namespace vbs {

namespace {

// The source Err names for errors the engine raises itself.
constexpr char16_t kRuntimeSource[] = u"VBScript runtime error";

std::vector<Argument> byValue(std::span<Value> args) {
    std::vector<Argument> out(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        out[i].value = args[i];
    return out;
}

Interpreter& live(Interpreter* interp) {
    if (!interp)
        raise(err::ObjectRequired);
    return *interp;
}

} // namespace

ClassInstance::ClassInstance(Interpreter& interp, const ClassDef& cls,
                             std::shared_ptr<const Unit> code)
    : interp_(&interp), alive_(interp.aliveToken()), code_(std::move(code)), cls_(cls),
      fields_(cls.fields.size()) {}

Value ClassInstance::getProperty(std::u16string_view name, std::span<Value> args) {
    auto a = byValue(args);
    return live(interpreter()).invokeClassMember(*this, foldName(name), a, true);
}

Value ClassInstance::callMethod(std::u16string_view name, std::span<Value> args) {
    auto a = byValue(args);
    return live(interpreter()).invokeClassMember(*this, foldName(name), a, false);
}

void ClassInstance::setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                                bool isSet) {
    live(interpreter()).assignClassMember(*this, name, args, value, isSet);
}

std::vector<MemberInfo> ClassInstance::members() const {
    std::vector<MemberInfo> out;
    for (const auto& f : cls_.fields)
        if (f.isPublic)
            out.push_back({f.name, MemberInfo::Kind::Property, 0, true});
    for (const auto& p : cls_.procedures) {
        if (!p->isPublic)
            continue;
        bool isProperty = p->kind != Procedure::Kind::Sub && p->kind != Procedure::Kind::Function;
        out.push_back({p->name, isProperty ? MemberInfo::Kind::Property : MemberInfo::Kind::Method,
                       static_cast<int>(p->params.size()), p->hasResult()});
    }
    return out;
}

// Only when the engine goes away, after which no script code reads a field: the fields
// are let go without making new ones, which could fail for want of memory.
void ClassInstance::dropReferences() {
    std::vector<Value> fields = std::move(fields_);
    fields_.clear();
}

void ClassInstance::lastReferenceGone() noexcept {
    if (terminating_)
        return;
    Interpreter* interp = interpreter();
    if (!terminated_ && cls_.terminate && interp) {
        terminating_ = true;
        addRef();
        interp->runTerminate(*this);
        terminating_ = false;
        terminated_ = true;
        release(); // deletes this unless Class_Terminate stored a new reference to it
        return;
    }
    destroy(this);
}

// Room kept for the texts the engine's own errors record, so that recording "Out of
// memory" under On Error Resume Next needs no memory (clear keeps the room).
constexpr std::size_t kRecordRoom = 64;

ErrObject::ErrObject() {
    description_.reserve(kRecordRoom);
    source_.reserve(kRecordRoom);
    using K = MemberInfo::Kind;
    addMember({u"Number", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::longValue(number_); },
               [this](std::span<Value>, const Value& v) { number_ = toLong(v); }});
    addMember({u"", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::longValue(number_); },
               [this](std::span<Value>, const Value& v) { number_ = toLong(v); }});
    addMember({u"Description", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::string(description_); },
               [this](std::span<Value>, const Value& v) { description_ = toText(v); }});
    addMember({u"Source", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::string(source_); },
               [this](std::span<Value>, const Value& v) { source_ = toText(v); }});
    addMember({u"HelpFile", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::string(helpFile_); },
               [this](std::span<Value>, const Value& v) { helpFile_ = toText(v); }});
    addMember({u"HelpContext", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::longValue(helpContext_); },
               [this](std::span<Value>, const Value& v) { helpContext_ = toLong(v); }});
    addMember({u"Clear", K::Method, 0, 0, false,
               [this](std::span<Value>) {
                   clear();
                   return Value();
               },
               nullptr});
    // Raise number [, source [, description [, helpfile, helpcontext]]]
    addMember({u"Raise", K::Method, 1, 5, false,
               [](std::span<Value> args) -> Value {
                   auto present = [&](std::size_t i) {
                       return i < args.size() && args[i].type() != Type::Error;
                   };
                   int number = toLong(args[0]);
                   if (number == 0)
                       raise(err::InvalidCall);
                   ScriptError e = present(2)
                                       ? ScriptError(ErrorKind::Runtime, number, toText(args[2]))
                                       : ScriptError(ErrorKind::Runtime, number);
                   e.setSource(present(1) ? toText(args[1]) : std::u16string(kRuntimeSource));
                   throw e;
               },
               nullptr});
}

void ErrObject::record(const ScriptError& e) {
    number_ = e.number();
    description_ = e.description();
    if (e.source().empty())
        source_ = kRuntimeSource;
    else
        source_ = e.source();
}

void ErrObject::clear() {
    number_ = 0;
    description_.clear();
    source_.clear();
    helpFile_.clear();
    helpContext_ = 0;
}

ProcedureRef::ProcedureRef(Interpreter& interp, const Procedure& proc)
    : interp_(&interp), alive_(interp.aliveToken()), proc_(proc) {}

Value ProcedureRef::getProperty(std::u16string_view name, std::span<Value> args) {
    if (!name.empty())
        raise(err::NoSuchMember);
    if (!*alive_)
        raise(err::ObjectRequired);
    auto a = byValue(args);
    return interp_->callProcedure(proc_, nullptr, a);
}

} // namespace vbs
