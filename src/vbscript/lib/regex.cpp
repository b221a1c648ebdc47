// Compiling and matching the language's regular expressions with PCRE2 (see regex.h).
// Patterns run in UTF-16 mode, so letter case is compared by Unicode's rules and a
// surrogate pair is one character. PCRE2 wants well-formed UTF-16, and checking a text at
// every call of a global search would cost the text's length each time, so the text is
// made well formed once: an unpaired surrogate is searched as U+FFFD (one unit for one,
// so every offset stays), the translator writes one in a pattern as U+FFFD too, and
// matches are cut from the text as it was. \d, \w, \s and \b stay ASCII, as the
// language has them.
#define PCRE2_CODE_UNIT_WIDTH 16
#include "vbscript/lib/regex.h"

#include <pcre2.h>

#include <algorithm>
#include <optional>

namespace vbs::lib {

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* c) const { pcre2_code_free(c); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* d) const { pcre2_match_data_free(d); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context* m) const { pcre2_match_context_free(m); }
};

PCRE2_SPTR units(std::u16string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The text with every unpaired surrogate replaced by U+FFFD, or nothing when it has none.
std::optional<std::u16string> wellFormed(std::u16string_view text) {
    std::optional<std::u16string> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        bool paired = isHighSurrogate(c)
                          ? i + 1 < text.size() && isLowSurrogate(text[i + 1])
                          : !isLowSurrogate(c) || (i > 0 && isHighSurrogate(text[i - 1]));
        if (paired)
            continue;
        if (!out)
            out.emplace(text);
        (*out)[i] = u'\uFFFD';
    }
    return out;
}

// The position one character after `at`: past both halves of a surrogate pair.
std::size_t nextCharacter(std::u16string_view text, std::size_t at) {
    if (at + 1 < text.size() && isHighSurrogate(text[at]) && isLowSurrogate(text[at + 1]))
        return at + 2;
    return at + 1;
}

} // namespace

bool RegexMatch::matched(std::size_t group) const {
    return bounds_[2 * group] != PCRE2_UNSET;
}

struct Regex::Compiled {
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    std::unique_ptr<pcre2_match_context, MatchContextDeleter> limits;
};

Regex::Regex(std::u16string_view pattern, RegexOptions options)
    : compiled_(std::make_unique<Compiled>()) {
    const std::u16string translated = translatePattern(pattern, options.multiline);
    std::uint32_t flags =
        PCRE2_UTF | PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_BACKSLASH_C | PCRE2_NEVER_UCP;
    if (options.ignoreCase)
        flags |= PCRE2_CASELESS;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    compiled_->code.reset(
        pcre2_compile(units(translated), translated.size(), flags, &error, &errorOffset, nullptr));
    if (!compiled_->code) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(error, message, 256);
        std::string text;
        for (PCRE2_UCHAR* p = message; *p; ++p)
            text.push_back(static_cast<char>(*p < 128 ? *p : '?'));
        throw RegexSyntaxError(text);
    }
    std::uint32_t captures = 0;
    pcre2_pattern_info(compiled_->code.get(), PCRE2_INFO_CAPTURECOUNT, &captures);
    groupCount_ = captures;
    compiled_->limits.reset(pcre2_match_context_create(nullptr));
    if (!compiled_->limits)
        throw std::bad_alloc();
    pcre2_set_match_limit(compiled_->limits.get(), kRegexMatchLimit);
    pcre2_set_depth_limit(compiled_->limits.get(), kRegexMatchLimit);
    pcre2_set_heap_limit(compiled_->limits.get(), kRegexHeapLimitKib);
}

Regex::~Regex() = default;

void Regex::forEachMatch(std::u16string_view subject, bool global,
                         const std::function<bool(const RegexMatch&)>& onMatch) const {
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> data(
        pcre2_match_data_create_from_pattern(compiled_->code.get(), nullptr));
    if (!data)
        throw std::bad_alloc();
    const std::optional<std::u16string> repaired = wellFormed(subject);
    const std::u16string_view searched = repaired ? std::u16string_view(*repaired) : subject;
    std::size_t from = 0;
    while (from <= subject.size()) {
        int rc = pcre2_match(compiled_->code.get(), units(searched), searched.size(), from,
                             PCRE2_NO_UTF_CHECK, data.get(), compiled_->limits.get());
        if (rc == PCRE2_ERROR_NOMATCH)
            return;
        if (rc < 0) {
            if (rc == PCRE2_ERROR_NOMEMORY)
                throw std::bad_alloc();
            throw RegexLimitError("regular expression too complex for this text");
        }
        const PCRE2_SIZE* bounds = pcre2_get_ovector_pointer(data.get());
        if (!onMatch(RegexMatch(bounds, groupCount_ + 1)) || !global)
            return;
        // A match that ends before it starts (\K) cannot occur: the dialect has no \K.
        from = bounds[1] > bounds[0] ? bounds[1] : nextCharacter(subject, bounds[1]);
    }
}

void appendReplacement(std::u16string& out, std::u16string_view replacement,
                       std::u16string_view subject, const RegexMatch& match,
                       std::size_t maxLength) {
    auto append = [&](std::u16string_view text) {
        if (text.size() > maxLength - std::min(out.size(), maxLength))
            throw std::length_error("replacement text too long");
        out.append(text);
    };
    auto appendGroup = [&](std::size_t g) {
        if (match.matched(g))
            append(subject.substr(match.start(g), match.end(g) - match.start(g)));
    };
    const std::size_t groups = match.size() - 1;
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        char16_t c = replacement[i];
        char16_t next = i + 1 < replacement.size() ? replacement[i + 1] : u'\0';
        if (c != u'$' || next == u'\0') {
            append({&c, 1});
            continue;
        }
        if (next == u'$') {
            append(u"$");
        } else if (next == u'&') {
            appendGroup(0);
        } else if (next == u'`') {
            append(subject.substr(0, match.start(0)));
        } else if (next == u'\'') {
            append(subject.substr(match.end(0)));
        } else if (next >= u'0' && next <= u'9') {
            std::size_t one = next - u'0';
            char16_t after = i + 2 < replacement.size() ? replacement[i + 2] : u'\0';
            std::size_t two = after >= u'0' && after <= u'9' ? one * 10 + (after - u'0') : 0;
            if (two >= 1 && two <= groups) {
                appendGroup(two);
                i += 2;
                continue;
            }
            if (one >= 1 && one <= groups) {
                appendGroup(one);
            } else {
                append(u"$");
                continue;
            }
        } else {
            append(u"$");
            continue;
        }
        ++i;
    }
}

} // namespace vbs::lib
