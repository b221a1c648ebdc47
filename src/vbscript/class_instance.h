// Script objects: an instance of a script Class (fields and the class's procedures,
// reached through the interpreter), the Err object, and the procedure reference GetRef
// returns. A class instance runs Class_Terminate when its last reference goes; it keeps
// a token of its interpreter so that it does nothing of the sort once the engine is gone.
#pragma once

#include "vbscript/ast.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"

#include <memory>

namespace vbs {

class Interpreter;

class ClassInstance : public HostObject {
public:
    ClassInstance(Interpreter& interp, const ClassDef& cls, std::shared_ptr<const Unit> code);

    const ClassDef& classDef() const { return cls_; }
    std::vector<Value>& fields() { return fields_; }
    Interpreter* interpreter() const { return *alive_ ? interp_ : nullptr; }

    Value getProperty(std::u16string_view name, std::span<Value> args) override;
    void setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                     bool isSet) override;
    Value callMethod(std::u16string_view name, std::span<Value> args) override;
    std::vector<MemberInfo> members() const override;
    std::u16string typeName() const override { return cls_.name; }
    void dropReferences() override;
    ClassInstance* scriptInstance() override { return this; }

protected:
    void lastReferenceGone() noexcept override;

private:
    Interpreter* interp_;
    std::shared_ptr<bool> alive_;
    std::shared_ptr<const Unit> code_; // the class's definition lives as long as this
    const ClassDef& cls_;
    std::vector<Value> fields_;
    bool terminating_ = false;
    bool terminated_ = false;
};

// Err: the last runtime error seen under On Error Resume Next, and Raise.
class ErrObject : public TableHostObject {
public:
    ErrObject();
    void record(const ScriptError& e);
    void clear();
    int number() const { return number_; }
    std::u16string typeName() const override { return u"ErrObject"; }

private:
    int number_ = 0;
    std::u16string description_;
    std::u16string source_;
    std::u16string helpFile_;
    int helpContext_ = 0;
};

// GetRef's result: calling its default member calls the procedure.
class ProcedureRef : public HostObject {
public:
    ProcedureRef(Interpreter& interp, const Procedure& proc);
    Value getProperty(std::u16string_view name, std::span<Value> args) override;
    std::u16string typeName() const override { return u"Object"; }

private:
    Interpreter* interp_;
    std::shared_ptr<bool> alive_;
    const Procedure& proc_;
};

} // namespace vbs
