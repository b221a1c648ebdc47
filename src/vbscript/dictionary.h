// Scripting.Dictionary: keys mapped to items, kept in the order added, reached through
// the host-object interface like any object the host registers. String keys compare
// exactly or ignoring case (CompareMode); numeric keys compare by value, objects by
// identity.
//
// The entries sit in one vector in the order added; a hash table of entry numbers finds
// them. A removed entry leaves a hole that later compaction closes, so removing is
// constant work on average however large the dictionary. An empty dictionary allocates
// nothing, and its members are one table shared by every dictionary.
//
// Dropping an item or a key can run script code (an object's Class_Terminate), and that
// code may use this very dictionary. So every change takes the old values out of the
// table first and lets them go only once the table is whole again.
#pragma once

#include "vbscript/host_object.h"

#include <cstdint>
#include <vector>

namespace vbs {

class Dictionary : public HostObject {
public:
    Value getProperty(std::u16string_view name, std::span<Value> args) override;
    void setProperty(std::u16string_view name, std::span<Value> args, const Value& value,
                     bool isSet) override;
    std::vector<MemberInfo> members() const override;
    std::u16string typeName() const override { return u"Dictionary"; }
    std::optional<std::vector<Value>> items() override { return all(&Entry::key); }
    void dropReferences() override;

private:
    struct Entry {
        Value key;
        Value item;
        std::uint32_t hash = 0;
        bool removed = false;
    };
    // Where a key is: its slot in the hash table and its entry, or nowhere.
    struct Place {
        std::size_t slot = 0;
        std::size_t entry = kNowhere;
        explicit operator bool() const { return entry != kNowhere; }
    };
    static constexpr std::size_t kNowhere = ~std::size_t{0};

    std::uint32_t hashOf(const Value& key) const; // raises 13 for an array, 94 for Null
    bool sameKey(const Value& a, const Value& b) const;
    Place find(const Value& key, std::uint32_t hash) const;
    Place find(const Value& key) const { return find(key, hashOf(key)); }
    void add(const Value& key, const Value& item);
    Value item(const Value& key);
    void setItem(const Value& key, const Value& item);
    void remove(const Value& key);
    void removeAll();
    void renameKey(const Value& key, const Value& newKey);
    // The keys or the items, in the order added.
    std::vector<Value> all(Value Entry::*part) const;
    // Points a free slot of the hash table at entry `entry`, growing the table first when
    // it is three quarters used.
    void placeEntry(std::size_t entry);
    // Closes the holes of removed entries and makes the hash table anew with `capacity`
    // slots (a power of two). Moves values only: no script code runs.
    void rebuild(std::size_t capacity);

    std::vector<Entry> entries_;
    // 0: free; kTombstone: an entry was removed from here; else the entry's number + 2.
    std::vector<std::uint32_t> slots_;
    static constexpr std::uint32_t kTombstone = 1;
    std::size_t live_ = 0;       // entries not removed
    std::size_t tombstones_ = 0; // in slots_
    int compareMode_ = 0;
};

} // namespace vbs
