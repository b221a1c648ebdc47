// The language's RegExp object (New RegExp, CreateObject("VBScript.RegExp")) and the
// collections Execute returns: Matches of Match objects, each with its SubMatches. The
// pattern is compiled by lib/regex.h when first used after a change, so a pattern that
// does not compile is error 5017 "Syntax error in regular expression" at Test, Execute
// or Replace, not at the assignment. A search that runs past the matcher's limits (a
// pattern that backtracks without end) is error 28 "Out of stack space": the language has
// no number of its own for it, and 28 is its error for work that exhausted what it may
// use, as runaway recursion does.
#pragma once

#include "vbscript/host_object.h"
#include "vbscript/lib/regex.h"

#include <memory>

namespace vbs {

class RegExpObject : public TableHostObject {
public:
    RegExpObject();
    std::u16string typeName() const override { return u"IRegExp2"; }

private:
    const lib::Regex& compiled();
    void forget() { compiled_.reset(); }
    Value execute(std::u16string subject);
    std::u16string replace(std::u16string_view subject, std::u16string_view replacement);

    std::u16string pattern_;
    bool ignoreCase_ = false;
    bool global_ = false;
    bool multiline_ = false;
    std::unique_ptr<lib::Regex> compiled_;
};

} // namespace vbs
