// The lexer: turns script text into tokens. Keywords and names are case-insensitive
// (keywords are recognised here, names keep their spelling for messages); `'` and Rem
// comments are dropped; a `_` ending a line continues it; `:` and line ends separate
// statements.
// Literals become Values at once: integers as Integer, Long or Double by size, &H and &O
// as Integer or Long, strings with doubled quotes, #date# literals as Dates.
#pragma once

#include "vbscript/value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vbs {

enum class Tok : std::uint8_t {
    End,
    Newline, // a line end or ':'
    Name,
    Literal,
    // punctuation and operators
    LParen,
    RParen,
    Comma,
    Dot,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Amp,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    // keywords
    And,
    ByRef,
    ByVal,
    Call,
    Case,
    Class,
    Const,
    Dim,
    Do,
    Each,
    Else,
    ElseIf,
    Empty,
    EndKw,
    Eqv,
    Erase,
    Exit,
    False,
    For,
    Function,
    If,
    Imp,
    In,
    Is,
    Loop,
    Me,
    Mod,
    New,
    Next,
    Not,
    Nothing,
    Null,
    On,
    Option,
    Or,
    Private,
    Public,
    ReDim,
    Select,
    Set,
    Sub,
    Then,
    To,
    True,
    Until,
    Wend,
    While,
    With,
    Xor,
};

struct Token {
    Tok kind = Tok::End;
    bool colon = false;       // a Newline token that came from ':'
    bool spaceBefore = false; // blank before the token (tells `a.b` from `a .b`)
    int line = 0;
    int column = 0;
    // Names and keywords as written (bracketed names without brackets), within the
    // source text: a token lives no longer than the text it was read from.
    std::u16string_view text;
    Value literal;
};

// Reads the tokens of a text one at a time: the parser asks for each as it goes, so a
// long script is never held as tokens all at once. Raises a compile ScriptError for an
// invalid character, an unterminated string, a bad number or date when it reaches it.
class Lexer {
public:
    explicit Lexer(std::u16string_view source, int firstLine = 1);
    ~Lexer();
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    // The next token. The text ends with Newline and End; End then repeats.
    Token next();
    // A lexer that goes on from where this one stands, to look ahead without moving it.
    Lexer ahead() const;

private:
    class Scanner;
    explicit Lexer(std::unique_ptr<Scanner> scanner);
    std::unique_ptr<Scanner> scanner_;
};

// The whole text as tokens, ending with Newline and End.
std::vector<Token> tokenize(std::u16string_view source, int firstLine = 1);

} // namespace vbs
