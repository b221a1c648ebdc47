// The translation of the language's regular expression dialect into PCRE2's syntax (see
// regex.h). One pass over the pattern: every literal character is written as \x{...} (or
// as itself when it is a plain letter or digit), so nothing PCRE2 would read as syntax of
// its own gets through, and the dialect's rules for what may be repeated, which escapes
// exist and what a number after a backslash means are checked here.
#include "vbscript/lib/regex.h"

#include <cstdio>
#include <vector>

namespace vbs::lib {

namespace {

bool isDigit(char32_t c) {
    return c >= '0' && c <= '9';
}
bool isOctal(char32_t c) {
    return c >= '0' && c <= '7';
}
bool isAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
int hexValue(char32_t c) {
    if (isDigit(c))
        return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return -1;
}
bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

[[noreturn]] void syntaxError(const char* what) {
    throw RegexSyntaxError(what);
}

class Translator {
public:
    Translator(std::u16string_view pattern, bool multiline) : in_(pattern), multiline_(multiline) {}

    std::u16string run() {
        while (!atEnd())
            item();
        if (openGroups_ != 0)
            syntaxError("expected ')'");
        return std::move(out_);
    }

private:
    bool atEnd() const { return pos_ >= in_.size(); }
    char16_t peek(std::size_t ahead = 0) const {
        return pos_ + ahead < in_.size() ? in_[pos_ + ahead] : u'\0';
    }

    void emit(std::u16string_view text) { out_.append(text); }
    void emitChar(char32_t c) {
        if (isHighSurrogate(c) || isLowSurrogate(c))
            c = 0xFFFD; // an unpaired surrogate, as the matcher sees one in the text
        if (isAsciiLetter(c) || isDigit(c)) {
            out_.push_back(static_cast<char16_t>(c));
            return;
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "\\x{%x}", static_cast<unsigned>(c));
        for (const char* p = buf; *p; ++p)
            out_.push_back(static_cast<char16_t>(*p));
    }

    // One character of the pattern text, a surrogate pair read as one.
    char32_t takeChar() {
        char32_t c = in_[pos_++];
        if (isHighSurrogate(c) && !atEnd() && isLowSurrogate(in_[pos_]))
            c = 0x10000 + ((c - 0xD800) << 10) + (in_[pos_++] - 0xDC00);
        return c;
    }

    // Exactly `digits` hexadecimal digits after the escape letter, or nothing.
    bool takeHex(int digits, char32_t& value) {
        char32_t v = 0;
        for (int i = 0; i < digits; ++i) {
            int h = hexValue(peek(static_cast<std::size_t>(i)));
            if (h < 0)
                return false;
            v = v * 16 + static_cast<char32_t>(h);
        }
        pos_ += static_cast<std::size_t>(digits);
        value = v;
        return true;
    }

    // \uhhhh: a high surrogate followed by \uhhhh with a low one is one character.
    char32_t unicodeEscape(char32_t first) {
        char32_t low = 0;
        if (isHighSurrogate(first) && peek() == u'\\' && peek(1) == u'u') {
            std::size_t mark = pos_;
            pos_ += 2;
            if (takeHex(4, low) && isLowSurrogate(low))
                return 0x10000 + ((first - 0xD800) << 10) + (low - 0xDC00);
            pos_ = mark;
        }
        return first;
    }

    // An octal escape: up to three digits when the first is 0-3, else up to two.
    char32_t octal() {
        std::size_t most = peek() <= u'3' ? 3 : 2;
        char32_t v = 0;
        for (std::size_t i = 0; i < most && isOctal(peek()); ++i)
            v = v * 8 + (in_[pos_++] - u'0');
        return v;
    }

    // The character a character escape stands for, its letter already read: \f \n \r
    // \t \v, \xhh, \uhhhh, \cX, and for any other letter (or an \x, \u or \c not
    // followed by what they take) the letter itself.
    char32_t characterEscape(char32_t letter) {
        char32_t c = 0;
        switch (letter) {
        case 'f':
            return 0x0C;
        case 'n':
            return 0x0A;
        case 'r':
            return 0x0D;
        case 't':
            return 0x09;
        case 'v':
            return 0x0B;
        case 'x':
            return takeHex(2, c) ? c : letter;
        case 'u':
            return takeHex(4, c) ? unicodeEscape(c) : letter;
        case 'c':
            return isAsciiLetter(peek()) ? static_cast<char32_t>(in_[pos_++] & 0x1F) : letter;
        default:
            return letter;
        }
    }

    static bool isClassEscape(char32_t letter) {
        return letter == 'd' || letter == 'D' || letter == 'w' || letter == 'W' || letter == 's' ||
               letter == 'S';
    }

    // item := atom quantifier? | anchor | "(" ... | ")" | "|"
    void item() {
        char16_t c = peek();
        switch (c) {
        case u'(':
            openGroup();
            return;
        case u')':
            if (openGroups_ == 0)
                syntaxError("unexpected ')'");
            ++pos_;
            --openGroups_;
            emit(u")");
            canRepeat_ = true;
            break;
        case u'|':
            ++pos_;
            emit(u"|");
            canRepeat_ = false;
            return;
        case u'^':
            ++pos_;
            emit(multiline_ ? u"(?<![^\\n\\r])" : u"\\A");
            canRepeat_ = false;
            return;
        case u'$':
            ++pos_;
            emit(multiline_ ? u"(?![^\\n\\r])" : u"\\z");
            canRepeat_ = false;
            return;
        case u'.':
            ++pos_;
            emit(u"[^\\n]");
            canRepeat_ = true;
            break;
        case u'[':
            characterClass();
            canRepeat_ = true;
            break;
        case u'\\':
            escape();
            break;
        default:
            if (quantifierLength() != 0)
                syntaxError("nothing to repeat");
            emitChar(takeChar());
            canRepeat_ = true;
            break;
        }
        quantifier();
    }

    void openGroup() {
        ++pos_;
        if (peek() == u'?') {
            char16_t kind = peek(1);
            if (kind != u':' && kind != u'=' && kind != u'!')
                syntaxError("unsupported group");
            pos_ += 2;
            emit(u"(?");
            out_.push_back(kind);
        } else {
            ++capturesOpened_;
            emit(u"(");
        }
        ++openGroups_;
        canRepeat_ = false;
    }

    void escape() {
        ++pos_;
        if (atEnd())
            syntaxError("\\ at end of pattern");
        char32_t letter = takeChar();
        canRepeat_ = true;
        if (isClassEscape(letter)) {
            emit(u"\\");
            out_.push_back(static_cast<char16_t>(letter));
            return;
        }
        if (letter == 'b' || letter == 'B') {
            emit(letter == 'b' ? u"\\b" : u"\\B");
            canRepeat_ = false;
            return;
        }
        if (isDigit(letter)) {
            --pos_;
            numberEscape();
            return;
        }
        emitChar(characterEscape(letter));
    }

    // \n, \nn: a back reference when at least that many groups were opened before it
    // (two digits when possible, else one followed by a literal digit), otherwise an
    // octal code when the digits are octal, otherwise the digit itself.
    void numberEscape() {
        int first = in_[pos_] - u'0';
        if (first != 0) {
            int two = isDigit(peek(1)) ? first * 10 + (peek(1) - u'0') : -1;
            int group = two > 0 && two <= capturesOpened_ ? two
                        : first <= capturesOpened_        ? first
                                                          : 0;
            if (group != 0) {
                pos_ += group >= 10 ? 2 : 1;
                char buf[16];
                std::snprintf(buf, sizeof buf, "\\g{%d}", group);
                for (const char* p = buf; *p; ++p)
                    out_.push_back(static_cast<char16_t>(*p));
                return;
            }
        }
        if (isOctal(peek())) {
            emitChar(octal());
            return;
        }
        emitChar(takeChar());
    }

    // class := "[" "^"? (member | member "-" member)* "]"
    // A hyphen next to a class escape (\d) or at either end is a character.
    void characterClass() {
        ++pos_;
        bool negated = peek() == u'^';
        if (negated)
            ++pos_;
        if (peek() == u']') {
            ++pos_;
            emit(negated ? u"[\\s\\S]" : u"(?!)");
            return;
        }
        std::vector<ClassMember> members;
        for (;;) {
            if (atEnd())
                syntaxError("expected ']'");
            if (peek() == u']')
                break;
            members.push_back(classMember());
        }
        ++pos_;
        emit(negated ? u"[^" : u"[");
        for (std::size_t i = 0; i < members.size(); ++i) {
            const ClassMember& m = members[i];
            if (m.kind == ClassMember::Character && i + 2 < members.size() &&
                members[i + 1].kind == ClassMember::Hyphen &&
                members[i + 2].kind == ClassMember::Character) {
                if (members[i + 2].c < m.c)
                    syntaxError("range out of order in character class");
                emitChar(m.c);
                emit(u"-");
                emitChar(members[i + 2].c);
                i += 2;
            } else if (m.kind == ClassMember::Escape) {
                emit(u"\\");
                out_.push_back(static_cast<char16_t>(m.c));
            } else {
                emitChar(m.c);
            }
        }
        emit(u"]");
    }

    struct ClassMember {
        enum Kind { Character, Hyphen, Escape } kind;
        char32_t c; // the character, or the letter of a class escape
    };

    ClassMember classMember() {
        if (peek() != u'\\') {
            char32_t c = takeChar();
            return {c == '-' ? ClassMember::Hyphen : ClassMember::Character, c};
        }
        ++pos_;
        if (atEnd())
            syntaxError("\\ at end of pattern");
        char32_t letter = takeChar();
        if (isClassEscape(letter))
            return {ClassMember::Escape, letter};
        if (letter == 'b')
            return {ClassMember::Character, 0x08}; // backspace, as inside a class
        if (isDigit(letter)) {
            --pos_;
            return {ClassMember::Character, isOctal(peek()) ? octal() : takeChar()};
        }
        return {ClassMember::Character, characterEscape(letter)};
    }

    // The length of a quantifier at the current position, 0 if there is none: *, +, ?,
    // {n}, {n,} or {n,m}; a brace that does not open one of those is a character.
    std::size_t quantifierLength() const {
        char16_t c = peek();
        if (c == u'*' || c == u'+' || c == u'?')
            return 1;
        if (c != u'{')
            return 0;
        std::size_t i = pos_ + 1;
        auto digits = [&] {
            std::size_t from = i;
            while (i < in_.size() && isDigit(in_[i]))
                ++i;
            return i > from;
        };
        if (!digits())
            return 0;
        if (i < in_.size() && in_[i] == u',') {
            ++i;
            digits();
        }
        if (i >= in_.size() || in_[i] != u'}')
            return 0;
        return i + 1 - pos_;
    }

    void quantifier() {
        std::size_t length = quantifierLength();
        if (length == 0)
            return;
        if (!canRepeat_)
            syntaxError("nothing to repeat");
        emit(in_.substr(pos_, length));
        pos_ += length;
        if (peek() == u'?') {
            ++pos_;
            emit(u"?");
        }
        // PCRE2 reads a second quantifier as possessive; the dialect has none.
        if (quantifierLength() != 0)
            syntaxError("nothing to repeat");
        canRepeat_ = false;
    }

    std::u16string_view in_;
    bool multiline_;
    std::size_t pos_ = 0;
    std::u16string out_;
    int capturesOpened_ = 0;
    int openGroups_ = 0;
    bool canRepeat_ = false;
};

} // namespace

std::u16string translatePattern(std::u16string_view pattern, bool multiline) {
    return Translator(pattern, multiline).run();
}

} // namespace vbs::lib
