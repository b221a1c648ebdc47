// The script language's regular expressions, matched by PCRE2's 16-bit library so that
// offsets are the engine's own 16-bit string positions. Patterns are written in the
// language's dialect (the one of its RegExp object) and translated to PCRE2's syntax
// first: the two differ in escapes (\v is a vertical tab, an unknown escape is the letter
// itself, \xhh and \uhhhh take exactly two and four digits, \n is a back reference only
// when that many groups come before it and an octal code otherwise), in "." (anything
// but a line feed), in "^" and "$" (the text's ends, or next to a CR or an LF when
// multiline), in "[]" and "[^]", and in what PCRE2 has and the dialect lacks (named
// groups, lookbehind, inline options, verbs, possessive quantifiers), which is a syntax
// error here. An unpaired surrogate, in a pattern or a text, is one character that
// matches itself (and U+FFFD, which stands for it). Matching is bounded, so a pattern that
// backtracks without end fails with RegexLimitError instead of hanging. Free of the engine's
// values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vbs::lib {

// The pattern is not valid in the language's dialect.
class RegexSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Matching took more steps, more nested backtracking or more memory than it may.
class RegexLimitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RegexOptions {
    bool ignoreCase = false;
    bool multiline = false;
};

// Steps one search may take from one starting position (PCRE2's match limit, also used
// as its depth limit): about 50 ms of backtracking; searches that succeed need far fewer.
constexpr std::uint32_t kRegexMatchLimit = 2'000'000;
// Heap one search may use for its backtracking frames, in KiB.
constexpr std::uint32_t kRegexHeapLimitKib = 64 * 1024;

// The pattern in PCRE2's syntax (see the top of this file). Throws RegexSyntaxError.
std::u16string translatePattern(std::u16string_view pattern, bool multiline);

// One match: the whole match is group 0, the pattern's groups follow.
class RegexMatch {
public:
    RegexMatch(const std::size_t* bounds, std::size_t groups) : bounds_(bounds), groups_(groups) {}
    // Groups, counting the whole match.
    std::size_t size() const { return groups_; }
    // Whether the group took part in the match.
    bool matched(std::size_t group) const;
    std::size_t start(std::size_t group) const { return bounds_[2 * group]; }
    std::size_t end(std::size_t group) const { return bounds_[2 * group + 1]; }

private:
    const std::size_t* bounds_;
    std::size_t groups_;
};

class Regex {
public:
    // Throws RegexSyntaxError.
    Regex(std::u16string_view pattern, RegexOptions options);
    ~Regex();
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    // The pattern's groups, not counting the whole match.
    std::size_t groupCount() const { return groupCount_; }

    // Calls onMatch with each match from left to right (only the first unless `global`)
    // until it returns false. After an empty match the next search starts one character
    // further on, so every position can give one empty match. Throws RegexLimitError.
    void forEachMatch(std::u16string_view subject, bool global,
                      const std::function<bool(const RegexMatch&)>& onMatch) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
    std::size_t groupCount_ = 0;
};

// Appends `replacement` for `match` to `out`, expanding $1 ... $99 (the group's text, ""
// when it took no part; two digits when the pattern has that many groups, else one; a
// group number past the pattern's stays as written), $& (the match), $` (the text before
// it), $' (the text after it) and $$ (one "$"). Any other "$" is itself. Throws
// std::length_error rather than let `out` grow past maxLength.
void appendReplacement(std::u16string& out, std::u16string_view replacement,
                       std::u16string_view subject, const RegexMatch& match, std::size_t maxLength);

} // namespace vbs::lib
