// The built-in registry: gathers each theme's table into one lookup by folded name.
#include "vbscript/builtins/builtin.h"
#include "vbscript/host_object.h"

#include <unordered_map>

namespace vbs {

namespace {

const std::unordered_map<std::u16string, const Builtin*>& functions() {
    static const auto table = [] {
        std::unordered_map<std::u16string, const Builtin*> t;
        for (auto theme :
             {conversionBuiltins(), stringBuiltins(), arrayBuiltins(), mathBuiltins(),
              dateBuiltins(), formatBuiltins(), typeBuiltins(), engineBuiltins(), byteBuiltins()})
            for (const Builtin& b : theme)
                t.emplace(foldName(b.name), &b);
        return t;
    }();
    return table;
}

const std::unordered_map<std::u16string, const BuiltinConstant*>& constants() {
    static const auto table = [] {
        std::unordered_map<std::u16string, const BuiltinConstant*> t;
        for (const BuiltinConstant& c : builtinConstants())
            t.emplace(foldName(c.name), &c);
        return t;
    }();
    return table;
}

} // namespace

const Builtin* findBuiltin(std::u16string_view key) {
    auto it = functions().find(std::u16string(key));
    return it == functions().end() ? nullptr : it->second;
}

const BuiltinConstant* findConstant(std::u16string_view key) {
    auto it = constants().find(std::u16string(key));
    return it == constants().end() ? nullptr : it->second;
}

} // namespace vbs
