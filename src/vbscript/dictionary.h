// Scripting.Dictionary: keys mapped to items, kept in the order added, reached through
// the host-object interface like any object the host registers. String keys compare
// exactly or ignoring case (CompareMode); numeric keys compare by value.
#pragma once

#include "vbscript/host_object.h"

#include <unordered_map>

namespace vbs {

class Dictionary : public TableHostObject {
public:
    Dictionary();
    std::u16string typeName() const override { return u"Dictionary"; }
    std::optional<std::vector<Value>> items() override { return keys(); }
    void dropReferences() override;

private:
    std::u16string lookupKey(const Value& key) const;
    std::size_t* find(const Value& key);
    void add(const Value& key, const Value& item);
    void remove(const Value& key);
    std::vector<Value> keys() const;

    std::vector<std::pair<Value, Value>> entries_;
    std::unordered_map<std::u16string, std::size_t> index_;
    int compareMode_ = 0;
};

} // namespace vbs
