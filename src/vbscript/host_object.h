// The host-object interface: how the engine talks to any object that is not a script
// class instance — objects the host registers (the runner's WScript, the console's
// windows), and the library's own (Scripting.Dictionary). Members are found by name,
// ignoring letter case; an empty name means the object's default member.
//
// The engine reads a member for its value through getProperty (properties and functions
// alike: `x = d.Exists(k)`), and uses callMethod when a statement calls a member and
// drops its result (`d.Add k, v`). Arguments arrive by value. Failures are raised as
// ScriptError (errors.h), typically 438 for an unknown member and 450 for a wrong number
// of arguments.
#pragma once

#include "vbscript/value.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vbs {

struct MemberInfo {
    enum class Kind { Property, Method };
    std::u16string name;
    Kind kind = Kind::Method;
    int argCount = 0;
    bool hasReturnValue = false;
};

class ObjectTracker;
class ClassInstance;

class HostObject : public RefCounted {
public:
    ~HostObject() override;
    // Lets go of every value this object holds. The engine calls it on the objects it
    // created when it goes away, so that objects referring to each other are freed too.
    virtual void dropReferences() {}

    // Reads property `name` (or calls it for its value) with `args`.
    virtual Value getProperty(std::u16string_view name, std::span<Value> args) = 0;
    // Assigns `value` to property `name`; `isSet` tells a Set assignment from a Let.
    virtual void setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                             bool isSet);
    // Calls `name` as a statement; by default the same as reading it.
    virtual Value callMethod(std::u16string_view name, std::span<Value> args);
    virtual std::vector<MemberInfo> members() const { return {}; }
    // TypeName's answer for the object.
    virtual std::u16string typeName() const = 0;
    // The items For Each walks; nothing when the object is not a collection.
    virtual std::optional<std::vector<Value>> items() { return std::nullopt; }
    // The object this one stands for: a proxy answers with the object behind it.
    virtual HostObject* target() { return this; }
    // The script class instance this object is, if it is one: the interpreter calls its
    // members directly (a virtual call is cheaper than a dynamic_cast on every member call).
    virtual ClassInstance* scriptInstance() { return nullptr; }

private:
    friend class ObjectTracker;
    ObjectTracker* tracker_ = nullptr;
    HostObject* prev_ = nullptr;
    HostObject* next_ = nullptr;
};

// The objects an engine created (script class instances, CreateObject's objects), linked
// through the objects themselves; each leaves the list when it is deleted. dropAll breaks
// the reference cycles that counting alone never frees.
class ObjectTracker {
public:
    ObjectTracker() = default;
    ObjectTracker(const ObjectTracker&) = delete;
    ObjectTracker& operator=(const ObjectTracker&) = delete;
    ~ObjectTracker() { dropAll(); }

    void track(HostObject* obj);
    void untrack(HostObject* obj);
    void dropAll();

private:
    HostObject* head_ = nullptr;
};

// A member that takes no arguments read with some (`d.Items(0)`): the arguments go to
// what it returned, an object's default member or an array's element. Nothing for any
// other value.
std::optional<Value> passArgumentsOn(const Value& result, std::span<Value> args);

// Case-insensitive name comparison for member and variable names.
bool sameName(std::u16string_view a, std::u16string_view b);
// The form of a name used as a lookup key.
std::u16string foldName(std::u16string_view name);

// A host object whose members are a fixed table of functions: enough for small library
// and runner objects. Each entry says how many arguments it takes; a property with a
// setter accepts assignment.
class TableHostObject : public HostObject {
public:
    using Getter = std::function<Value(std::span<Value>)>;
    using Setter = std::function<void(std::span<Value>, const Value&)>;
    struct Member {
        std::u16string name;
        MemberInfo::Kind kind;
        int minArgs;
        int maxArgs;
        bool hasReturnValue;
        Getter get;
        Setter set;
    };

    Value getProperty(std::u16string_view name, std::span<Value> args) override;
    void setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                     bool isSet) override;
    std::vector<MemberInfo> members() const override;

protected:
    void addMember(Member m) { table_.push_back(std::move(m)); }

private:
    const Member& find(std::u16string_view name) const;
    std::vector<Member> table_;
    struct Seen {
        const char16_t* text = nullptr;
        std::size_t index = 0;
    };
    mutable std::array<Seen, 4> recent_{};
    mutable std::size_t nextRecent_ = 0;
};

} // namespace vbs
