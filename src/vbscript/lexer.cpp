// The lexer (see lexer.h).
#include "vbscript/lexer.h"

#include "vbscript/basic_number.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/host_object.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <unordered_map>
#include <utility>

namespace vbs {

namespace {

// The language limits names to 255 characters.
constexpr std::size_t kMaxNameLength = 255;

const std::unordered_map<std::u16string, Tok>& keywords() {
    static const std::unordered_map<std::u16string, Tok> table = {
        {u"and", Tok::And},         {u"byref", Tok::ByRef},
        {u"byval", Tok::ByVal},     {u"call", Tok::Call},
        {u"case", Tok::Case},       {u"class", Tok::Class},
        {u"const", Tok::Const},     {u"dim", Tok::Dim},
        {u"do", Tok::Do},           {u"each", Tok::Each},
        {u"else", Tok::Else},       {u"elseif", Tok::ElseIf},
        {u"empty", Tok::Empty},     {u"end", Tok::EndKw},
        {u"eqv", Tok::Eqv},         {u"erase", Tok::Erase},
        {u"exit", Tok::Exit},       {u"false", Tok::False},
        {u"for", Tok::For},         {u"function", Tok::Function},
        {u"if", Tok::If},           {u"imp", Tok::Imp},
        {u"in", Tok::In},           {u"is", Tok::Is},
        {u"loop", Tok::Loop},       {u"me", Tok::Me},
        {u"mod", Tok::Mod},         {u"new", Tok::New},
        {u"next", Tok::Next},       {u"not", Tok::Not},
        {u"nothing", Tok::Nothing}, {u"null", Tok::Null},
        {u"on", Tok::On},           {u"option", Tok::Option},
        {u"or", Tok::Or},           {u"private", Tok::Private},
        {u"public", Tok::Public},   {u"redim", Tok::ReDim},
        {u"select", Tok::Select},   {u"set", Tok::Set},
        {u"sub", Tok::Sub},         {u"then", Tok::Then},
        {u"to", Tok::To},           {u"true", Tok::True},
        {u"until", Tok::Until},     {u"wend", Tok::Wend},
        {u"while", Tok::While},     {u"with", Tok::With},
        {u"xor", Tok::Xor},
    };
    return table;
}

bool isNameStart(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isNameChar(char16_t c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '_';
}
bool isDigit(char16_t c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char16_t c) {
    return c == ' ' || c == '\t' || c == 0xA0;
}

} // namespace

class Lexer::Scanner {
public:
    Scanner(std::u16string_view src, int firstLine) : src_(src), line_(firstLine) {}

    Token next() {
        made_.reset();
        while (!made_ && pos_ < src_.size())
            step();
        if (!made_) { // the end: a last Newline, then End for good
            tokenColumn_ = column();
            push(endMade_ ? Tok::End : Tok::Newline);
            endMade_ = true;
        }
        return std::move(*made_);
    }

private:
    [[noreturn]] void fail(int number) {
        throw ScriptError(ErrorKind::Compile, number, line_, column());
    }
    int column() const { return static_cast<int>(pos_ - lineStart_) + 1; }
    char16_t peek(std::size_t ahead = 0) const {
        return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : u'\0';
    }

    Token& push(Tok kind) {
        Token& t = made_.emplace();
        t.kind = kind;
        t.line = line_;
        t.column = tokenColumn_;
        t.spaceBefore = spaceBefore_;
        spaceBefore_ = false;
        last_ = kind;
        lastColon_ = false;
        return t;
    }

    void newline() {
        if (last_ != Tok::Newline || lastColon_)
            push(Tok::Newline);
        ++line_;
        lineStart_ = pos_;
    }

    void skipComment() {
        while (pos_ < src_.size() && src_[pos_] != '\n' && src_[pos_] != '\r')
            ++pos_;
    }

    // Reads what starts at pos_: blanks, a line end, a comment or one token.
    void step() {
        char16_t c = src_[pos_];
        tokenColumn_ = column();
        if (isBlank(c)) {
            ++pos_;
            spaceBefore_ = true;
            return;
        }
        if (c == '\r' || c == '\n') {
            pos_ += (c == '\r' && peek(1) == '\n') ? 2 : 1;
            newline();
            return;
        }
        // A name never starts with `_` and swallows the ones inside it, so a `_` here
        // with nothing after it continues the line, blank before it or not (`x =_`).
        if (c == '_' && restOfLineBlank(pos_ + 1)) {
            ++pos_;
            while (isBlank(peek()))
                ++pos_;
            if (peek() == '\r')
                ++pos_;
            if (peek() == '\n')
                ++pos_;
            ++line_;
            lineStart_ = pos_;
            spaceBefore_ = true;
            return;
        }
        if (c == '\'') {
            skipComment();
            return;
        }
        if (c == ':') {
            ++pos_;
            push(Tok::Newline).colon = true;
            lastColon_ = true;
            return;
        }
        if (c == '"') {
            lexString();
            return;
        }
        if (c == '#') {
            lexDate();
            return;
        }
        if (c == '[') {
            lexBracketName();
            return;
        }
        if (isDigit(c) || (c == '.' && isDigit(peek(1)) && !afterOperand())) {
            lexNumber();
            return;
        }
        if (c == '&' && startsRadixNumber()) {
            lexRadixNumber();
            return;
        }
        if (isNameStart(c)) {
            lexName();
            return;
        }
        lexOperator(c);
    }

    // At `&`: whether a number follows (&H1F, &O17, &17) rather than the operator; an
    // `h` or `o` with no digit of its base after it begins a name (`"x" &hi`).
    bool startsRadixNumber() const {
        char16_t c = peek(1);
        if (isDigit(c))
            return true;
        char16_t d = peek(2);
        if (c == 'h' || c == 'H')
            return isDigit(d) || (d >= 'a' && d <= 'f') || (d >= 'A' && d <= 'F');
        if (c == 'o' || c == 'O')
            return d >= '0' && d <= '7';
        return false;
    }
    bool restOfLineBlank(std::size_t p) const {
        while (p < src_.size() && isBlank(src_[p]))
            ++p;
        return p >= src_.size() || src_[p] == '\r' || src_[p] == '\n';
    }
    bool afterOperand() const {
        return !spaceBefore_ && (last_ == Tok::Name || last_ == Tok::RParen || last_ == Tok::Me);
    }

    // A comparison of one character, or of two when one of `pairs` names the next.
    void pushComparison(Tok alone, std::initializer_list<std::pair<char16_t, Tok>> pairs) {
        for (auto [next, kind] : pairs) {
            if (peek() == next) {
                ++pos_;
                push(kind);
                return;
            }
        }
        push(alone);
    }

    void lexOperator(char16_t c) {
        ++pos_;
        switch (c) {
        case '(':
            push(Tok::LParen);
            return;
        case ')':
            push(Tok::RParen);
            return;
        case ',':
            push(Tok::Comma);
            return;
        case '.':
            push(Tok::Dot);
            return;
        case '+':
            push(Tok::Plus);
            return;
        case '-':
            push(Tok::Minus);
            return;
        case '*':
            push(Tok::Star);
            return;
        case '/':
            push(Tok::Slash);
            return;
        case '\\':
            push(Tok::Backslash);
            return;
        case '^':
            push(Tok::Caret);
            return;
        case '&':
            push(Tok::Amp);
            return;
        case '=': // `=>` and `=<` are `>=` and `<=` written the other way round, as is `><`
            pushComparison(Tok::Eq, {{'>', Tok::Ge}, {'<', Tok::Le}});
            return;
        case '<':
            pushComparison(Tok::Lt, {{'>', Tok::Ne}, {'=', Tok::Le}});
            return;
        case '>':
            pushComparison(Tok::Gt, {{'=', Tok::Ge}, {'<', Tok::Ne}});
            return;
        default:
            --pos_;
            fail(cerr::InvalidCharacter);
        }
    }

    void lexName() {
        std::size_t start = pos_;
        while (isNameChar(peek()))
            ++pos_;
        std::u16string_view word = src_.substr(start, pos_ - start);
        if (word.size() > kMaxNameLength)
            fail(cerr::IdentifierTooLong);
        std::u16string folded = foldName(word);
        if (folded == u"rem" && last_ != Tok::Dot) { // obj.Rem is a member, not a comment
            skipComment();
            return;
        }
        auto it = keywords().find(folded);
        Token& t = push(it == keywords().end() ? Tok::Name : it->second);
        t.text = word;
        if (t.kind == Tok::True || t.kind == Tok::False) {
            t.literal = Value::boolean(t.kind == Tok::True);
        }
    }

    void lexBracketName() {
        std::size_t start = ++pos_;
        while (pos_ < src_.size() && src_[pos_] != ']' && src_[pos_] != '\n' && src_[pos_] != '\r')
            ++pos_;
        if (peek() != ']')
            fail(cerr::ExpectedRBracket);
        Token& t = push(Tok::Name);
        t.text = src_.substr(start, pos_ - start);
        ++pos_;
        if (t.text.size() > kMaxNameLength)
            fail(cerr::IdentifierTooLong);
    }

    void lexString() {
        std::u16string text;
        ++pos_;
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == '\n' || src_[pos_] == '\r')
                fail(cerr::UnterminatedString);
            if (src_[pos_] == '"') {
                if (peek(1) == '"') {
                    text += u'"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            text += src_[pos_++];
        }
        push(Tok::Literal).literal = Value::string(std::move(text));
    }

    void lexDate() {
        std::size_t start = ++pos_;
        while (pos_ < src_.size() && src_[pos_] != '#' && src_[pos_] != '\n' && src_[pos_] != '\r')
            ++pos_;
        if (peek() != '#')
            fail(cerr::Syntax);
        auto serial = dateLiteral(src_.substr(start, pos_ - start));
        if (!serial)
            fail(cerr::Syntax);
        ++pos_;
        push(Tok::Literal).literal = Value::date(*serial);
    }

    void lexNumber() {
        std::size_t start = pos_;
        bool whole = true;
        while (isDigit(peek()))
            ++pos_;
        if (peek() == '.') {
            whole = false;
            ++pos_;
            while (isDigit(peek()))
                ++pos_;
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            whole = false;
            pos_ += 2;
            while (isDigit(peek()))
                ++pos_;
        }
        if (isNameStart(peek()))
            fail(cerr::ExpectedEndOfStatement);
        auto value = basic::parseNumber(src_.substr(start, pos_ - start));
        if (!value || !std::isfinite(*value))
            fail(cerr::InvalidNumber);
        Token& t = push(Tok::Literal);
        if (whole && *value <= 32767)
            t.literal = Value::integer(static_cast<std::int16_t>(*value));
        else if (whole && *value <= 2147483647.0)
            t.literal = Value::longValue(static_cast<std::int32_t>(*value));
        else
            t.literal = Value::dbl(*value);
    }

    // &H.. and &O.. (and &.. as octal): up to 16 bits an Integer, up to 32 bits a Long; a
    // trailing & asks for a Long unless the value fits an Integer as it stands.
    void lexRadixNumber() {
        ++pos_;
        int base = 8;
        if (peek() == 'h' || peek() == 'H') {
            base = 16;
            ++pos_;
        } else if (peek() == 'o' || peek() == 'O') {
            ++pos_;
        }
        std::uint64_t v = 0;
        std::size_t digits = 0;
        for (;; ++pos_, ++digits) {
            char16_t c = peek();
            int d = isDigit(c)                             ? c - '0'
                    : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (base == 16 && c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                           : -1;
            if (d < 0 || d >= base)
                break;
            v = v * base + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFull)
                fail(cerr::InvalidNumber);
        }
        if (digits == 0)
            fail(cerr::InvalidNumber);
        bool forceLong = peek() == '&';
        if (forceLong)
            ++pos_;
        Token& t = push(Tok::Literal);
        if (forceLong ? v <= 0x7FFF : v <= 0xFFFF)
            t.literal = Value::integer(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
        else
            t.literal = Value::longValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }

    std::u16string_view src_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int line_;
    int tokenColumn_ = 1;
    bool spaceBefore_ = false;
    std::optional<Token> made_; // by the step that is running
    // The last token made (Newline at the start, where a blank line makes one too), and
    // whether it came from ':'.
    Tok last_ = Tok::End;
    bool lastColon_ = false;
    bool endMade_ = false;
};

Lexer::Lexer(std::u16string_view source, int firstLine)
    : scanner_(std::make_unique<Scanner>(source, firstLine)) {}
Lexer::Lexer(std::unique_ptr<Scanner> scanner) : scanner_(std::move(scanner)) {}
Lexer::~Lexer() = default;

Lexer Lexer::ahead() const {
    return Lexer(std::make_unique<Scanner>(*scanner_));
}

Token Lexer::next() {
    return scanner_->next();
}

std::vector<Token> tokenize(std::u16string_view source, int firstLine) {
    Lexer lexer(source, firstLine);
    std::vector<Token> tokens;
    do
        tokens.push_back(lexer.next());
    while (tokens.back().kind != Tok::End);
    return tokens;
}

} // namespace vbs
