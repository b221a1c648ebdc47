// RegExp, Matches, Match and SubMatches (see regexp.h).
#include "vbscript/library/regexp.h"

#include "vbscript/builtins/args.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"

#include <limits>
#include <new>
#include <stdexcept>

namespace vbs {

namespace {

using K = MemberInfo::Kind;

// What Execute found: the text searched and, for each match, where the match and each of
// its groups start and end (kUnset for a group that took no part). Shared by the Matches
// collection and the Match objects taken from it.
struct MatchSet {
    static constexpr std::uint32_t kUnset = std::numeric_limits<std::uint32_t>::max();
    // Bounds kept at most: a search that finds more is error 7 "Out of memory".
    static constexpr std::size_t kMaxBounds = Array::kMaxElements;

    std::u16string subject;
    std::size_t groups = 1; // per match, counting the whole match
    std::vector<std::uint32_t> bounds;

    std::size_t count() const { return bounds.size() / (2 * groups); }
    const std::uint32_t* match(std::size_t i) const { return &bounds[2 * groups * i]; }
    Value text(std::size_t i, std::size_t group) const {
        const std::uint32_t* b = match(i) + 2 * group;
        if (b[0] == kUnset)
            return Value();
        return Value::string(subject.substr(b[0], b[1] - b[0]));
    }
};

using SharedMatches = std::shared_ptr<const MatchSet>;

// An index into a collection of `size` items (error 5 outside it).
std::size_t itemIndex(const Value& index, std::size_t size) {
    std::int32_t i = toLong(index);
    if (i < 0 || static_cast<std::size_t>(i) >= size)
        invalidArgument();
    return static_cast<std::size_t>(i);
}

// A collection with Count, Item (also its default member) and For Each.
class Collection : public TableHostObject {
public:
    std::optional<std::vector<Value>> items() override {
        std::vector<Value> out;
        out.reserve(size());
        for (std::size_t i = 0; i < size(); ++i)
            out.push_back(item(i));
        return out;
    }

protected:
    virtual std::size_t size() const = 0;
    virtual Value item(std::size_t i) const = 0;
    void addCollectionMembers() {
        auto get = [this](std::span<Value> a) { return item(itemIndex(a[0], size())); };
        addMember({u"Item", K::Property, 1, 1, true, get, nullptr});
        addMember({u"", K::Property, 1, 1, true, get, nullptr});
        addMember({u"Count", K::Property, 0, 0, true,
                   [this](std::span<Value>) {
                       return Value::longValue(static_cast<std::int32_t>(size()));
                   },
                   nullptr});
    }
};

class SubMatches : public Collection {
public:
    SubMatches(SharedMatches set, std::size_t index) : set_(std::move(set)), index_(index) {
        addCollectionMembers();
    }
    std::u16string typeName() const override { return u"ISubMatches"; }

private:
    std::size_t size() const override { return set_->groups - 1; }
    // A group that took no part is Empty; one that matched nothing is "".
    Value item(std::size_t i) const override { return set_->text(index_, i + 1); }

    SharedMatches set_;
    std::size_t index_;
};

// A search may find many thousands of matches, and For Each takes them all at once: a
// match is an index into its search's results and one member table for the class.
class Match : public HostObject {
public:
    Match(SharedMatches set, std::size_t index) : set_(std::move(set)), index_(index) {}
    std::u16string typeName() const override { return u"IMatch2"; }

    // Properties that take no arguments: any given go to what the property gives (its
    // SubMatches' default member).
    Value getProperty(std::u16string_view name, std::span<Value> args) override {
        Value v = find(name).get(*this);
        if (args.empty())
            return v;
        if (auto passed = passArgumentsOn(v, args))
            return *passed;
        raise(err::WrongArgCount);
    }
    void setProperty(std::u16string_view name, std::span<Value>, const Value&, bool) override {
        find(name);
        raise(err::WrongArgCount); // read-only
    }
    std::vector<MemberInfo> members() const override {
        std::vector<MemberInfo> out;
        for (const Member& m : kMembers)
            out.push_back({std::u16string(m.name), K::Property, 0, true});
        return out;
    }

private:
    struct Member {
        std::u16string_view name;
        Value (*get)(const Match&);
    };
    static Value value(const Match& m) { return m.set_->text(m.index_, 0); }
    static Value firstIndex(const Match& m) {
        return Value::longValue(static_cast<std::int32_t>(m.set_->match(m.index_)[0]));
    }
    static Value length(const Match& m) {
        const std::uint32_t* b = m.set_->match(m.index_);
        return Value::longValue(static_cast<std::int32_t>(b[1] - b[0]));
    }
    static Value subMatches(const Match& m) {
        return Value::object(makeRef<SubMatches>(m.set_, m.index_));
    }
    static constexpr Member kMembers[] = {
        {u"Value", value},           {u"", value}, {u"FirstIndex", firstIndex}, {u"Length", length},
        {u"SubMatches", subMatches},
    };
    static const Member& find(std::u16string_view name) {
        for (const Member& m : kMembers)
            if (sameName(m.name, name))
                return m;
        raise(err::NoSuchMember);
    }

    SharedMatches set_;
    std::size_t index_;
};

class Matches : public Collection {
public:
    explicit Matches(SharedMatches set) : set_(std::move(set)) { addCollectionMembers(); }
    std::u16string typeName() const override { return u"IMatchCollection2"; }

private:
    std::size_t size() const override { return set_->count(); }
    Value item(std::size_t i) const override { return Value::object(makeRef<Match>(set_, i)); }

    SharedMatches set_;
};

// Runs a search, turning the matcher's failures into the language's errors.
template <typename Search> void search(Search&& body) {
    try {
        body();
    } catch (const lib::RegexLimitError&) {
        raise(err::OutOfStack);
    } catch (const std::length_error&) {
        raise(err::OutOfStringSpace);
    } catch (const std::bad_alloc&) {
        raise(err::OutOfMemory);
    }
}

} // namespace

RegExpObject::RegExpObject() {
    auto flag = [this](const char16_t* name, bool& field, bool recompile) {
        addMember({name, K::Property, 0, 0, true,
                   [&field](std::span<Value>) { return Value::boolean(field); },
                   [this, &field, recompile](std::span<Value>, const Value& v) {
                       field = toBool(v);
                       if (recompile)
                           forget();
                   }});
    };
    addMember({u"Pattern", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::string(pattern_); },
               [this](std::span<Value>, const Value& v) {
                   pattern_ = toText(v);
                   forget();
               }});
    flag(u"IgnoreCase", ignoreCase_, true);
    flag(u"Global", global_, false);
    flag(u"Multiline", multiline_, true);
    addMember({u"Test", K::Method, 1, 1, true,
               [this](std::span<Value> v) {
                   Args a(v);
                   const lib::Regex& regex = compiled();
                   bool found = false;
                   search([&] {
                       regex.forEachMatch(a.text(0), false, [&](const lib::RegexMatch&) {
                           found = true;
                           return false;
                       });
                   });
                   return Value::boolean(found);
               },
               nullptr});
    addMember({u"Execute", K::Method, 1, 1, true,
               [this](std::span<Value> v) { return execute(Args(v).text(0)); }, nullptr});
    addMember({u"Replace", K::Method, 2, 2, true,
               [this](std::span<Value> v) {
                   Args a(v);
                   return Value::string(replace(a.text(0), a.text(1)));
               },
               nullptr});
}

const lib::Regex& RegExpObject::compiled() {
    if (!compiled_) {
        try {
            compiled_ =
                std::make_unique<lib::Regex>(pattern_, lib::RegexOptions{ignoreCase_, multiline_});
        } catch (const lib::RegexSyntaxError&) {
            raise(err::RegexSyntax);
        }
    }
    return *compiled_;
}

Value RegExpObject::execute(std::u16string subject) {
    const lib::Regex& regex = compiled();
    auto set = std::make_shared<MatchSet>();
    set->subject = std::move(subject);
    set->groups = regex.groupCount() + 1;
    search([&] {
        regex.forEachMatch(set->subject, global_, [&](const lib::RegexMatch& m) {
            if (set->bounds.size() + 2 * m.size() > MatchSet::kMaxBounds)
                throw std::bad_alloc();
            for (std::size_t g = 0; g < m.size(); ++g) {
                bool took = m.matched(g);
                set->bounds.push_back(took ? static_cast<std::uint32_t>(m.start(g))
                                           : MatchSet::kUnset);
                set->bounds.push_back(took ? static_cast<std::uint32_t>(m.end(g))
                                           : MatchSet::kUnset);
            }
            return true;
        });
    });
    return Value::object(makeRef<Matches>(std::move(set)));
}

std::u16string RegExpObject::replace(std::u16string_view subject, std::u16string_view replacement) {
    const lib::Regex& regex = compiled();
    std::u16string out;
    std::size_t copied = 0;
    auto copyUpTo = [&](std::size_t end) {
        if (end - copied > kMaxStringLength - std::min(out.size(), kMaxStringLength))
            throw std::length_error("result too long");
        out.append(subject.substr(copied, end - copied));
        copied = end;
    };
    search([&] {
        regex.forEachMatch(subject, global_, [&](const lib::RegexMatch& m) {
            copyUpTo(m.start(0));
            lib::appendReplacement(out, replacement, subject, m, kMaxStringLength);
            copied = m.end(0);
            return true;
        });
        copyUpTo(subject.size());
    });
    return out;
}

} // namespace vbs
