// Scripting.Dictionary (see dictionary.h).
#include "vbscript/dictionary.h"

#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/number_format.h"
#include "vbscript/lib/text_ops.h"

#include <cstdio>

namespace vbs {

Dictionary::Dictionary() {
    using K = MemberInfo::Kind;
    auto item = [this](std::span<Value> a) -> Value {
        if (std::size_t* i = find(a[0]))
            return entries_[*i].second;
        add(a[0], Value()); // reading a missing key adds it, as the language documents
        return Value();
    };
    auto setItem = [this](std::span<Value> a, const Value& v) {
        if (a.size() != 1)
            raise(err::WrongArgCount);
        if (std::size_t* i = find(a[0]))
            entries_[*i].second = v;
        else
            add(a[0], v);
    };
    addMember({u"Item", K::Property, 1, 1, true, item, setItem});
    addMember({u"", K::Property, 1, 1, true, item, setItem});
    addMember({u"Add", K::Method, 2, 2, false,
               [this](std::span<Value> a) {
                   add(a[0], a[1]);
                   return Value();
               },
               nullptr});
    addMember({u"Exists", K::Method, 1, 1, true,
               [this](std::span<Value> a) { return Value::boolean(find(a[0]) != nullptr); },
               nullptr});
    addMember({u"Count", K::Property, 0, 0, true,
               [this](std::span<Value>) {
                   return Value::longValue(static_cast<std::int32_t>(entries_.size()));
               },
               nullptr});
    addMember({u"Keys", K::Method, 0, 0, true,
               [this](std::span<Value>) { return Value::array(Array::fromValues(keys())); },
               nullptr});
    addMember({u"Items", K::Method, 0, 0, true,
               [this](std::span<Value>) {
                   std::vector<Value> out;
                   for (const auto& e : entries_)
                       out.push_back(e.second);
                   return Value::array(Array::fromValues(std::move(out)));
               },
               nullptr});
    addMember({u"Remove", K::Method, 1, 1, false,
               [this](std::span<Value> a) {
                   remove(a[0]);
                   return Value();
               },
               nullptr});
    addMember({u"RemoveAll", K::Method, 0, 0, false,
               [this](std::span<Value>) {
                   entries_.clear();
                   index_.clear();
                   return Value();
               },
               nullptr});
    addMember({u"CompareMode", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::longValue(compareMode_); },
               [this](std::span<Value>, const Value& v) {
                   int mode = toLong(v);
                   if (mode < 0 || !entries_.empty())
                       raise(err::InvalidCall);
                   compareMode_ = mode;
               }});
    addMember({u"Key", K::Property, 1, 1, false,
               [](std::span<Value>) -> Value { raise(err::NoSuchMember); },
               [this](std::span<Value> a, const Value& newKey) {
                   std::size_t* i = find(a[0]);
                   if (!i)
                       raise(err::ElementNotFound);
                   if (find(newKey))
                       raise(err::KeyExists);
                   std::size_t at = *i;
                   index_.erase(lookupKey(a[0]));
                   entries_[at].first = newKey;
                   index_[lookupKey(newKey)] = at;
               }});
}

std::u16string Dictionary::lookupKey(const Value& key) const {
    switch (key.type()) {
    case Type::String:
        return u"s" + (compareMode_ == 0 ? key.asString() : lib::lCase(key.asString()));
    case Type::Object: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "o%p", static_cast<void*>(key.asObject()));
        return lib::widen(buf);
    }
    case Type::Empty:
        return u"e";
    case Type::Array:
        raise(err::TypeMismatch);
    default:
        if (key.isNumeric())
            return u"n" + lib::doubleText(toDouble(key));
        return u"t" + toText(key);
    }
}

std::size_t* Dictionary::find(const Value& key) {
    auto it = index_.find(lookupKey(key));
    return it == index_.end() ? nullptr : &it->second;
}

void Dictionary::add(const Value& key, const Value& item) {
    std::u16string k = lookupKey(key);
    if (index_.count(k))
        raise(err::KeyExists);
    index_.emplace(std::move(k), entries_.size());
    entries_.emplace_back(key, item);
}

void Dictionary::remove(const Value& key) {
    auto it = index_.find(lookupKey(key));
    if (it == index_.end())
        raise(err::ElementNotFound);
    std::size_t at = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    for (auto& [k, i] : index_)
        if (i > at)
            --i;
}

void Dictionary::dropReferences() {
    auto entries = std::move(entries_);
    entries_.clear();
    index_.clear();
}

std::vector<Value> Dictionary::keys() const {
    std::vector<Value> out;
    for (const auto& e : entries_)
        out.push_back(e.first);
    return out;
}

} // namespace vbs
