// The string algorithms behind the script library's text built-ins (InStr, Replace, Split,
// Escape, Hex, ...). Script strings are sequences of 16-bit code units, so everything here
// works on std::u16string. These functions know nothing of the engine's values: the
// built-in wiring converts arguments, checks ranges and raises the script errors; the
// preconditions below say which checks are left to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vbs::lib {

// vbBinaryCompare (0) compares code units; vbTextCompare (1) ignores letter case, using
// the case mapping of toLower below (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic).
enum class CompareMode { Binary = 0, Text = 1 };

// InStr: 1-based position of `find` in `text` at or after position `start` (start >= 1;
// the caller raises error 5 below 1), 0 when absent. An empty `text` gives 0; an empty
// `find` gives `start` while start <= Len(text) + 1, else 0.
std::size_t inStr(std::u16string_view text, std::u16string_view find, std::size_t start = 1,
                  CompareMode mode = CompareMode::Binary);

// InStrRev: 1-based position of the last `find` lying wholly within the first `start`
// units of `text` (start -1 means the whole text; other values below 1 are the caller's
// error 5). 0 when absent or when start > Len(text); an empty `find` gives start.
std::size_t inStrRev(std::u16string_view text, std::u16string_view find, std::int64_t start = -1,
                     CompareMode mode = CompareMode::Binary);

// Replace: the part of `text` from position `start` (>= 1) on, with up to `count`
// occurrences of `find` (all when count is -1) replaced left to right. An empty `find`
// or count 0 gives the part unchanged; start past the end gives "".
std::u16string replace(std::u16string_view text, std::u16string_view find, std::u16string_view with,
                       std::size_t start = 1, std::int64_t count = -1,
                       CompareMode mode = CompareMode::Binary);

// Split: the pieces between delimiters. An empty text gives no pieces; an empty delimiter
// gives the whole text as one piece. With limit > 0 at most `limit` pieces come back, the
// last holding the rest of the text; limit 0 gives no pieces; -1 means no limit.
std::vector<std::u16string> split(std::u16string_view text, std::u16string_view delimiter = u" ",
                                  std::int64_t limit = -1, CompareMode mode = CompareMode::Binary);

// Join: the items with `delimiter` between them.
std::u16string join(const std::vector<std::u16string>& items, std::u16string_view delimiter = u" ");

// Filter: the items that contain `value` (include) or do not (exclude), in order.
std::vector<std::u16string> filter(const std::vector<std::u16string>& items,
                                   std::u16string_view value, bool include = true,
                                   CompareMode mode = CompareMode::Binary);

// StrComp: -1, 0 or 1 as a sorts before, equal to or after b.
int strComp(std::u16string_view a, std::u16string_view b, CompareMode mode = CompareMode::Binary);

std::u16string strReverse(std::u16string_view text);

// LCase / UCase: ASCII, Latin-1 (ÿ <-> Ÿ included; ß and µ have no single-unit capital and
// stay), Latin Extended-A, basic Greek and Cyrillic. Other code units are left alone.
char16_t toLower(char16_t c);
char16_t toUpper(char16_t c);
std::u16string lCase(std::u16string_view text);
std::u16string uCase(std::u16string_view text);

// LTrim / RTrim / Trim remove blanks (U+0020) only; tabs and line ends stay.
std::u16string lTrim(std::u16string_view text);
std::u16string rTrim(std::u16string_view text);
std::u16string trim(std::u16string_view text);

// Space(n) and String(n, c): n copies of a blank or of c. n >= 0 (negative is error 5
// for the caller; absurd sizes are its error 7 "Out of memory").
std::u16string space(std::size_t count);
std::u16string repeatChar(std::size_t count, char16_t c);

// Escape: every unit outside A-Z a-z 0-9 @ * _ + - . / becomes %XX (below 256) or %uXXXX,
// hexadecimal digits in capitals. Unescape turns %XX and %uXXXX (either case) back into
// units and leaves any other % as it is.
std::u16string escape(std::u16string_view text);
std::u16string unescape(std::u16string_view text);

// Hex / Oct of a whole number held in `bits` bits (16 for Integer and Byte, 32 for Long):
// negative numbers print as their two's complement in that width (Hex of Integer -1 is
// "FFFF", of Long -1 "FFFFFFFF"). The value must fit the width (the caller checks).
std::u16string hexText(std::int32_t value, int bits);
std::u16string octText(std::int32_t value, int bits);

// UTF-8 <-> UTF-16. Malformed UTF-8 (bad sequences, overlong forms, encoded surrogates,
// values past U+10FFFF) becomes U+FFFD per bad sequence; lone surrogates in UTF-16 become
// U+FFFD in UTF-8, so the output is always well formed.
std::u16string utf8ToUtf16(std::string_view bytes);
std::string utf16ToUtf8(std::u16string_view text);

// UTF-16 as little-endian bytes (Unicode text files, the byte functions) and back; a
// final odd byte is left for the caller to deal with.
std::string utf16ToLittleEndian(std::u16string_view text);
std::u16string littleEndianToUtf16(std::string_view bytes);

// A script file's bytes as text: read as UTF-8 (a leading byte-order mark dropped), or as
// UTF-16 when the file opens with a UTF-16 byte-order mark (FF FE little-endian, FE FF
// big-endian), as editors write files saved as "Unicode"; a final odd byte becomes U+FFFD.
std::u16string decodeScriptFile(std::string_view bytes);

// ASCII text widened to code units (digits, names, fixed words).
std::u16string widen(std::string_view ascii);

} // namespace vbs::lib
