// Defaults of the host-object interface and the table-driven host object.
#include "vbscript/host_object.h"

#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"

#include <cstring>

namespace vbs {

HostObject::~HostObject() {
    if (tracker_)
        tracker_->untrack(this);
}

void ObjectTracker::track(HostObject* obj) {
    if (obj->tracker_)
        return; // a factory may hand out an object it made before
    obj->tracker_ = this;
    obj->next_ = head_;
    if (head_)
        head_->prev_ = obj;
    head_ = obj;
}

void ObjectTracker::untrack(HostObject* obj) {
    if (obj->prev_)
        obj->prev_->next_ = obj->next_;
    else
        head_ = obj->next_;
    if (obj->next_)
        obj->next_->prev_ = obj->prev_;
    obj->tracker_ = nullptr;
    obj->prev_ = obj->next_ = nullptr;
}

void ObjectTracker::dropAll() {
    while (head_) {
        Ref<HostObject> obj(head_);
        untrack(head_);
        obj->dropReferences();
    }
}

void HostObject::setProperty(std::u16string_view, std::span<Value>, const Value&, bool) {
    raise(err::NoSuchMember);
}

Value HostObject::callMethod(std::u16string_view name, std::span<Value> args) {
    return getProperty(name, args);
}

std::optional<Value> passArgumentsOn(const Value& result, std::span<Value> args) {
    if (result.isObject() && !result.isNothing())
        return result.asObject()->getProperty(u"", args);
    if (result.isArray()) {
        std::vector<std::int32_t> subscripts;
        for (const auto& a : args)
            subscripts.push_back(toLong(a));
        return result.asArray()->at(subscripts);
    }
    return std::nullopt;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    // Most names are written as they were declared.
    if (std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0)
        return true;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && lib::toLower(a[i]) != lib::toLower(b[i]))
            return false;
    return true;
}

std::u16string foldName(std::u16string_view name) {
    return lib::lCase(name);
}

const TableHostObject::Member& TableHostObject::find(std::u16string_view name) const {
    // A script names a member with the same text each time a line runs, so the last few
    // names asked for, by where their text lives, usually find the member at once.
    for (const auto& seen : recent_)
        if (seen.text == name.data() && seen.index < table_.size() &&
            sameName(table_[seen.index].name, name))
            return table_[seen.index];
    for (std::size_t i = 0; i < table_.size(); ++i)
        if (sameName(table_[i].name, name)) {
            recent_[nextRecent_] = {name.data(), i};
            nextRecent_ = (nextRecent_ + 1) % recent_.size();
            return table_[i];
        }
    raise(err::NoSuchMember);
}

Value TableHostObject::getProperty(std::u16string_view name, std::span<Value> args) {
    const Member& m = find(name);
    if (m.maxArgs == 0 && !args.empty())
        if (auto v = passArgumentsOn(m.get({}), args))
            return *v;
    if (static_cast<int>(args.size()) < m.minArgs || static_cast<int>(args.size()) > m.maxArgs)
        raise(err::WrongArgCount);
    return m.get(args);
}

void TableHostObject::setProperty(std::u16string_view name, std::span<Value> args,
                                  const Value& value, bool) {
    const Member& m = find(name);
    if (!m.set)
        raise(err::WrongArgCount);
    m.set(args, value);
}

std::vector<MemberInfo> TableHostObject::members() const {
    std::vector<MemberInfo> out;
    for (const auto& m : table_)
        out.push_back({m.name, m.kind, m.maxArgs, m.hasReturnValue});
    return out;
}

} // namespace vbs
