// The script control over our VBScript engine: entry points guarded by the time limit,
// message boxes through the host's UI when allowed, and the control's own members for
// scripts.
#include "platform/script_control.h"

#include <string>

#include "vbscript/convert.h"
#include "vbscript/errors.h"

namespace platform {
namespace {

using vbs::MemberInfo;
using vbs::Value;

constexpr std::u16string_view globalModuleName = u"Global";

// A read-only collection: Count, Item(i) from 1 (also the default member) and For Each.
class Collection : public vbs::TableHostObject {
public:
    Collection(std::u16string type, std::vector<Value> items,
               std::vector<std::u16string> names = {})
        : type_(std::move(type)), items_(std::move(items)), names_(std::move(names)) {
        addMember({u"Count",
                   MemberInfo::Kind::Property,
                   0,
                   0,
                   true,
                   [this](std::span<Value>) {
                       return Value::longValue(static_cast<std::int32_t>(items_.size()));
                   },
                   {}});
        auto item = [this](std::span<Value> args) { return at(args[0]); };
        addMember({u"Item", MemberInfo::Kind::Method, 1, 1, true, item, {}});
        addMember({u"", MemberInfo::Kind::Method, 1, 1, true, item, {}});
    }

    std::u16string typeName() const override { return type_; }
    std::optional<std::vector<Value>> items() override { return items_; }

private:
    // An index from 1, or (where the items have names) a name.
    Value at(const Value& key) {
        if (key.isString()) {
            for (std::size_t i = 0; i < names_.size(); ++i)
                if (vbs::sameName(names_[i], key.asString()))
                    return items_[i];
            vbs::raise(vbs::err::SubscriptOutOfRange);
        }
        const std::int32_t index = vbs::toLong(key);
        if (index < 1 || static_cast<std::size_t>(index) > items_.size())
            vbs::raise(vbs::err::SubscriptOutOfRange);
        return items_[static_cast<std::size_t>(index - 1)];
    }

    std::u16string type_;
    std::vector<Value> items_;
    std::vector<std::u16string> names_;
};

Value fixedObject(std::u16string type, std::vector<std::pair<std::u16string, Value>> properties) {
    class Record : public vbs::TableHostObject {
    public:
        Record(std::u16string type, std::vector<std::pair<std::u16string, Value>> properties)
            : type_(std::move(type)) {
            for (auto& [name, value] : properties)
                addMember({name,
                           MemberInfo::Kind::Property,
                           0,
                           0,
                           true,
                           [value = value](std::span<Value>) { return value; },
                           {}});
        }
        std::u16string typeName() const override { return type_; }

    private:
        std::u16string type_;
    };
    return Value::object(
        vbs::Ref<vbs::HostObject>(new Record(std::move(type), std::move(properties))));
}

std::u16string decimal(long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

// The time limit of one entry into the engine; runs nest when a host call re-enters.
class ScriptControl::Run {
public:
    using Clock = std::chrono::steady_clock;

    explicit Run(ScriptControl& control)
        : control_(control), outer_(std::exchange(control.innermost_, this)), start_(Clock::now()) {
    }
    ~Run() { control_.innermost_ = outer_; }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    Clock::duration scriptTime() const {
        const Clock::time_point now = Clock::now();
        const Clock::duration paused = pauses_ > 0 ? now - pausedAt_ : Clock::duration{};
        return now - start_ - excluded_ - paused;
    }

    void pause() {
        if (pauses_++ == 0)
            pausedAt_ = Clock::now();
    }
    void resume() {
        if (--pauses_ == 0)
            excluded_ += Clock::now() - pausedAt_;
    }

private:
    ScriptControl& control_;
    Run* outer_;
    Clock::time_point start_;
    Clock::time_point pausedAt_;
    Clock::duration excluded_{};
    int pauses_ = 0;
};

namespace {

// A registered object as the engine sees it: every call into it stops the script's
// clock, and the objects it hands out are watched the same way.
class TimedHost : public vbs::HostObject {
public:
    TimedHost(ScriptControl& control, vbs::Ref<vbs::HostObject> inner)
        : control_(control), inner_(std::move(inner)) {}

    Value getProperty(std::u16string_view name, std::span<Value> args) override {
        return watched([&] { return inner_->getProperty(name, args); });
    }
    void setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                     bool isSet) override {
        ScriptControl::PausedClock paused(control_);
        inner_->setProperty(name, args, value, isSet);
    }
    Value callMethod(std::u16string_view name, std::span<Value> args) override {
        return watched([&] { return inner_->callMethod(name, args); });
    }
    std::vector<vbs::MemberInfo> members() const override { return inner_->members(); }
    std::u16string typeName() const override { return inner_->typeName(); }
    std::optional<std::vector<Value>> items() override {
        auto items = inner_->items();
        if (items)
            for (Value& item : *items)
                item = watch(item);
        return items;
    }
    vbs::HostObject* target() override { return inner_->target(); }

private:
    template <typename Call> Value watched(Call&& call) {
        ScriptControl::PausedClock paused(control_);
        return watch(call());
    }
    Value watch(const Value& value) {
        if (!value.isObject() || value.isNothing() || dynamic_cast<TimedHost*>(value.asObject()))
            return value;
        return Value::object(vbs::Ref<vbs::HostObject>(new TimedHost(control_, value.asObject())));
    }

    ScriptControl& control_;
    vbs::Ref<vbs::HostObject> inner_;
};

} // namespace

// MsgBox and InputBox: refused unless the host allows them, shown by the host's UI.
class ScriptControl::Ui : public vbs::UiHost {
public:
    explicit Ui(ScriptControl& control) : control_(control) {}

    int msgBox(const std::u16string& prompt, int buttons, const std::u16string& title) override {
        vbs::UiHost& site = permittedSite();
        PausedClock paused(control_);
        return site.msgBox(prompt, buttons, title);
    }

    std::optional<std::u16string> inputBox(const std::u16string& prompt,
                                           const std::u16string& title,
                                           const std::u16string& defaultText) override {
        vbs::UiHost& site = permittedSite();
        PausedClock paused(control_);
        return site.inputBox(prompt, title, defaultText);
    }

private:
    vbs::UiHost& permittedSite() {
        if (!control_.allowUI_ || !control_.site_)
            vbs::raise(vbs::err::PermissionDenied);
        return *control_.site_;
    }

    ScriptControl& control_;
};

ScriptControl::PausedClock::PausedClock(ScriptControl& control) : run_(control.innermost_) {
    if (run_)
        run_->pause();
}

ScriptControl::PausedClock::~PausedClock() {
    if (run_)
        run_->resume();
}

ScriptControl::ScriptControl() : ui_(std::make_unique<Ui>(*this)) {
    engine_.setUiHost(ui_.get());
    engine_.setStepHook([this] { checkTime(); });
    addScriptMembers();
}

ScriptControl::~ScriptControl() = default;

void ScriptControl::setLanguage(std::u16string_view language) {
    if (!vbs::sameName(language, u"VBScript"))
        vbs::raise(vbs::err::InvalidCall, u"The script control speaks VBScript only");
    language_ = u"VBScript";
}

void ScriptControl::checkTime() {
    if (timeoutMs_ < 0 || !innermost_)
        return;
    if (innermost_->scriptTime() > std::chrono::milliseconds(timeoutMs_))
        throw vbs::ScriptError(vbs::ErrorKind::Runtime, vbs::err::Stopped,
                               u"The script ran past its time limit of " + decimal(timeoutMs_) +
                                   u" ms and was stopped");
}

template <typename Action> auto ScriptControl::guarded(Action&& action) {
    // A script started from inside another one's host call: the outer script's clock
    // stands still while the inner one runs on its own limit.
    PausedClock outerPaused(*this);
    Run run(*this);
    return action();
}

void ScriptControl::addObject(std::u16string_view name, vbs::Ref<vbs::HostObject> object,
                              bool addMembers) {
    engine_.addObject(name, timed(std::move(object)), addMembers);
}

vbs::Ref<vbs::HostObject> ScriptControl::timed(vbs::Ref<vbs::HostObject> object) {
    if (!object)
        return object;
    return vbs::Ref<vbs::HostObject>(new TimedHost(*this, std::move(object)));
}

void ScriptControl::addCode(std::u16string_view code) {
    guarded([&] { engine_.addCode(code); });
}

void ScriptControl::executeStatement(std::u16string_view statements) {
    guarded([&] { engine_.executeStatement(statements); });
}

Value ScriptControl::eval(std::u16string_view expression) {
    return guarded([&] { return engine_.eval(expression); });
}

Value ScriptControl::run(std::u16string_view name, std::vector<Value> args) {
    return guarded([&] { return engine_.run(name, std::move(args)); });
}

Value ScriptControl::proceduresObject() {
    std::vector<Value> items;
    std::vector<std::u16string> names;
    for (const vbs::ProcedureInfo& procedure : engine_.procedures()) {
        items.push_back(fixedObject(
            u"Procedure", {{u"Name", Value::string(procedure.name)},
                           {u"NumArgs", Value::longValue(procedure.numArgs)},
                           {u"HasReturnValue", Value::boolean(procedure.hasReturnValue)}}));
        names.push_back(procedure.name);
    }
    return Value::object(vbs::Ref<vbs::HostObject>(
        new Collection(u"Procedures", std::move(items), std::move(names))));
}

Value ScriptControl::modulesObject() {
    Value module =
        fixedObject(u"Module", {{u"Name", Value::string(std::u16string(globalModuleName))},
                                {u"Procedures", proceduresObject()}});
    return Value::object(vbs::Ref<vbs::HostObject>(
        new Collection(u"Modules", {module}, {std::u16string(globalModuleName)})));
}

void ScriptControl::addScriptMembers() {
    using Kind = MemberInfo::Kind;
    auto text = [](const Value& value) { return vbs::toText(value); };
    addMember({u"AddObject",
               Kind::Method,
               2,
               3,
               false,
               [this, text](std::span<Value> args) {
                   if (!args[1].isObject() || args[1].isNothing())
                       vbs::raise(vbs::err::ObjectRequired);
                   PausedClock paused(*this);
                   addObject(text(args[0]), vbs::Ref<vbs::HostObject>(args[1].asObject()),
                             args.size() > 2 && vbs::toBool(args[2]));
                   return Value();
               },
               {}});
    addMember({u"AddCode",
               Kind::Method,
               1,
               1,
               false,
               [this, text](std::span<Value> args) {
                   addCode(text(args[0]));
                   return Value();
               },
               {}});
    addMember({u"ExecuteStatement",
               Kind::Method,
               1,
               1,
               false,
               [this, text](std::span<Value> args) {
                   executeStatement(text(args[0]));
                   return Value();
               },
               {}});
    addMember({u"Eval",
               Kind::Method,
               1,
               1,
               true,
               [this, text](std::span<Value> args) { return eval(text(args[0])); },
               {}});
    addMember({u"Run",
               Kind::Method,
               1,
               1 + 30,
               true,
               [this, text](std::span<Value> args) {
                   return run(text(args[0]), std::vector<Value>(args.begin() + 1, args.end()));
               },
               {}});
    // `Self.Procedures(1)` reads the collection and then its default member, Item.
    auto collection = [](Value list, std::span<Value> args) {
        return args.empty() ? list : list.asObject()->getProperty(u"Item", args);
    };
    addMember(
        {u"Modules",
         Kind::Property,
         0,
         1,
         true,
         [this, collection](std::span<Value> args) { return collection(modulesObject(), args); },
         {}});
    addMember(
        {u"Procedures",
         Kind::Property,
         0,
         1,
         true,
         [this, collection](std::span<Value> args) { return collection(proceduresObject(), args); },
         {}});
    addMember({u"Language", Kind::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::string(language_); },
               [this, text](std::span<Value>, const Value& value) { setLanguage(text(value)); }});
    addMember({u"Timeout", Kind::Property, 0, 0, true,
               [this](std::span<Value>) {
                   return Value::longValue(static_cast<std::int32_t>(timeoutMs_));
               },
               [this](std::span<Value>, const Value& value) { timeoutMs_ = vbs::toLong(value); }});
    addMember({u"AllowUI", Kind::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::boolean(allowUI_); },
               [this](std::span<Value>, const Value& value) { allowUI_ = vbs::toBool(value); }});
}

} // namespace platform
