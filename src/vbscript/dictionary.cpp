// Scripting.Dictionary (see dictionary.h).
#include "vbscript/dictionary.h"

#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"

#include <bit>
#include <cstring>
#include <utility>

namespace vbs {

namespace {

enum class Id { Item, Add, Exists, Count, Keys, Items, Remove, RemoveAll, CompareMode, Key };

struct Member {
    const char16_t* name;
    Id id;
    MemberInfo::Kind kind;
    int minArgs;
    int maxArgs;
    bool hasReturnValue;
    bool settable;
};

using K = MemberInfo::Kind;
constexpr Member kMembers[] = {
    {u"Item", Id::Item, K::Property, 1, 1, true, true},
    {u"", Id::Item, K::Property, 1, 1, true, true},
    {u"Add", Id::Add, K::Method, 2, 2, false, false},
    {u"Exists", Id::Exists, K::Method, 1, 1, true, false},
    {u"Count", Id::Count, K::Property, 0, 0, true, false},
    {u"Keys", Id::Keys, K::Method, 0, 0, true, false},
    {u"Items", Id::Items, K::Method, 0, 0, true, false},
    {u"Remove", Id::Remove, K::Method, 1, 1, false, false},
    {u"RemoveAll", Id::RemoveAll, K::Method, 0, 0, false, false},
    {u"CompareMode", Id::CompareMode, K::Property, 0, 0, true, true},
    {u"Key", Id::Key, K::Property, 1, 1, false, true},
};

const Member& memberNamed(std::u16string_view name) {
    for (const Member& m : kMembers)
        if (sameName(m.name, name))
            return m;
    raise(err::NoSuchMember);
}

// How a key compares: texts with texts, numbers with numbers (a Boolean or a date is a
// number), objects by identity, Empty with Empty, error values by code.
enum class KeyKind { Text, Number, Object, Empty, Error };

KeyKind kindOf(const Value& key) {
    switch (key.type()) {
    case Type::String:
        return KeyKind::Text;
    case Type::Object:
        return KeyKind::Object;
    case Type::Empty:
        return KeyKind::Empty;
    case Type::Error:
        return KeyKind::Error;
    case Type::Null:
        raise(err::InvalidNull);
    case Type::Array:
        raise(err::TypeMismatch);
    default:
        return KeyKind::Number;
    }
}

std::uint32_t finished(std::uint64_t x, KeyKind kind) {
    x ^= static_cast<std::uint64_t>(kind) * 0x9E3779B97F4A7C15ull;
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    x ^= x >> 33;
    return static_cast<std::uint32_t>(x);
}

std::size_t nextPowerOfTwo(std::size_t n) {
    return std::bit_ceil(std::max<std::size_t>(n, 8));
}

} // namespace

std::uint32_t Dictionary::hashOf(const Value& key) const {
    KeyKind kind = kindOf(key);
    switch (kind) {
    case KeyKind::Text: {
        std::uint64_t h = 0xCBF29CE484222325ull; // FNV-1a
        for (char16_t c : key.asString()) {
            h ^= compareMode_ == 0 ? c : lib::toLower(c);
            h *= 0x100000001B3ull;
        }
        return finished(h, kind);
    }
    case KeyKind::Number: {
        double d = toDouble(key);
        return finished(std::bit_cast<std::uint64_t>(d == 0 ? 0.0 : d), kind);
    }
    case KeyKind::Object:
        return finished(reinterpret_cast<std::uintptr_t>(key.asObject()), kind);
    case KeyKind::Error:
        return finished(static_cast<std::uint32_t>(key.asError()), kind);
    case KeyKind::Empty:
        break;
    }
    return finished(0, kind);
}

bool Dictionary::sameKey(const Value& a, const Value& b) const {
    KeyKind kind = kindOf(a);
    if (kind != kindOf(b))
        return false;
    switch (kind) {
    case KeyKind::Text: {
        const std::u16string& x = a.asString();
        const std::u16string& y = b.asString();
        if (x.size() != y.size())
            return false;
        for (std::size_t i = 0; i < x.size(); ++i)
            if (x[i] != y[i] && (compareMode_ == 0 || lib::toLower(x[i]) != lib::toLower(y[i])))
                return false;
        return true;
    }
    case KeyKind::Number:
        return toDouble(a) == toDouble(b);
    case KeyKind::Object:
        return a.asObject() == b.asObject();
    case KeyKind::Error:
        return a.asError() == b.asError();
    case KeyKind::Empty:
        break;
    }
    return true;
}

Dictionary::Place Dictionary::find(const Value& key, std::uint32_t hash) const {
    if (slots_.empty())
        return {};
    std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        std::uint32_t s = slots_[slot];
        if (s == 0)
            return {};
        if (s == kTombstone)
            continue;
        std::size_t entry = s - 2;
        if (entries_[entry].hash == hash && sameKey(entries_[entry].key, key))
            return {slot, entry};
    }
}

void Dictionary::placeEntry(std::size_t entry) {
    std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = entries_[entry].hash & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == kTombstone)
            --tombstones_;
        else if (slots_[slot] != 0)
            continue;
        slots_[slot] = static_cast<std::uint32_t>(entry + 2);
        return;
    }
}

void Dictionary::rebuild(std::size_t capacity) {
    std::vector<std::uint32_t> fresh;
    if (capacity != slots_.size())
        fresh.resize(capacity); // the one step that may fail: nothing has changed yet
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (!entries_[i].removed) {
            if (kept != i)
                entries_[kept] = std::move(entries_[i]);
            ++kept;
        }
    entries_.resize(kept); // what is cut holds nothing: removed entries were emptied
    if (capacity != slots_.size())
        slots_.swap(fresh);
    else
        std::fill(slots_.begin(), slots_.end(), 0);
    tombstones_ = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        placeEntry(i);
}

void Dictionary::add(const Value& key, const Value& item) {
    std::uint32_t hash = hashOf(key);
    if (find(key, hash))
        raise(err::KeyExists);
    if (entries_.size() >= 0xFFFFFFF0u)
        raise(err::OutOfMemory);
    // A free slot is made sure of first, so that nothing below can fail half-way.
    if ((live_ + tombstones_ + 1) * 4 > slots_.size() * 3)
        rebuild(nextPowerOfTwo((live_ + 1) * 2));
    entries_.push_back({key, item, hash});
    ++live_;
    placeEntry(entries_.size() - 1);
}

Value Dictionary::item(const Value& key) {
    if (Place p = find(key))
        return entries_[p.entry].item;
    add(key, Value()); // reading a missing key adds it, as the language documents
    return Value();
}

void Dictionary::setItem(const Value& key, const Value& item) {
    Place p = find(key);
    if (!p) {
        add(key, item);
        return;
    }
    Value old = std::exchange(entries_[p.entry].item, item); // let go of on return
}

void Dictionary::remove(const Value& key) {
    Place p = find(key);
    if (!p)
        raise(err::ElementNotFound);
    Entry& e = entries_[p.entry];
    Value oldKey = std::exchange(e.key, Value());
    Value oldItem = std::exchange(e.item, Value());
    e.removed = true;
    slots_[p.slot] = kTombstone;
    ++tombstones_;
    --live_;
    // Holes are closed once they outnumber the entries, which keeps the walk over the
    // entries in proportion to the dictionary's size.
    if (entries_.size() >= 16 && entries_.size() - live_ > live_)
        rebuild(slots_.size());
}

void Dictionary::removeAll() {
    std::vector<Entry> entries = std::move(entries_);
    std::vector<std::uint32_t> slots = std::move(slots_);
    entries_.clear();
    slots_.clear();
    live_ = tombstones_ = 0;
}

void Dictionary::renameKey(const Value& key, const Value& newKey) {
    if (!find(key))
        raise(err::ElementNotFound);
    std::uint32_t hash = hashOf(newKey);
    if (find(newKey, hash))
        raise(err::KeyExists);
    if ((live_ + tombstones_ + 1) * 4 > slots_.size() * 3)
        rebuild(nextPowerOfTwo((live_ + 1) * 2));
    Place p = find(key);                                         // the rebuild may have moved it
    Value oldKey = std::exchange(entries_[p.entry].key, newKey); // let go of on return
    entries_[p.entry].hash = hash;
    slots_[p.slot] = kTombstone;
    ++tombstones_;
    placeEntry(p.entry);
}

std::vector<Value> Dictionary::all(Value Entry::*part) const {
    std::vector<Value> out;
    out.reserve(live_);
    for (const Entry& e : entries_)
        if (!e.removed)
            out.push_back(e.*part);
    return out;
}

void Dictionary::dropReferences() {
    removeAll();
}

Value Dictionary::getProperty(std::u16string_view name, std::span<Value> args) {
    const Member& m = memberNamed(name);
    if (m.maxArgs == 0 && !args.empty())
        if (auto v = passArgumentsOn(getProperty(name, {}), args))
            return *v;
    if (static_cast<int>(args.size()) < m.minArgs || static_cast<int>(args.size()) > m.maxArgs)
        raise(err::WrongArgCount);
    switch (m.id) {
    case Id::Item:
        return item(args[0]);
    case Id::Add:
        add(args[0], args[1]);
        return Value();
    case Id::Exists:
        return Value::boolean(static_cast<bool>(find(args[0])));
    case Id::Count:
        return Value::longValue(static_cast<std::int32_t>(live_));
    case Id::Keys:
        return Value::array(Array::fromValues(all(&Entry::key)));
    case Id::Items:
        return Value::array(Array::fromValues(all(&Entry::item)));
    case Id::Remove:
        remove(args[0]);
        return Value();
    case Id::RemoveAll:
        removeAll();
        return Value();
    case Id::CompareMode:
        return Value::longValue(compareMode_);
    case Id::Key:
        break;
    }
    raise(err::NoSuchMember); // Key can only be assigned
}

void Dictionary::setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                             bool) {
    const Member& m = memberNamed(name);
    if (!m.settable || static_cast<int>(args.size()) != m.maxArgs)
        raise(err::WrongArgCount);
    switch (m.id) {
    case Id::Item:
        setItem(args[0], value);
        return;
    case Id::CompareMode: {
        std::int32_t mode = toLong(value);
        if (mode < 0 || live_ > 0)
            raise(err::InvalidCall);
        compareMode_ = mode;
        return;
    }
    case Id::Key:
        renameKey(args[0], value);
        return;
    default:
        raise(err::WrongArgCount);
    }
}

std::vector<MemberInfo> Dictionary::members() const {
    std::vector<MemberInfo> out;
    for (const Member& m : kMembers)
        out.push_back({m.name, m.kind, m.maxArgs, m.hasReturnValue});
    return out;
}

} // namespace vbs
