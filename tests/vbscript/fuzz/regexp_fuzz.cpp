// Fuzz target: any bytes as a RegExp pattern, compiled and searched for. The first byte
// chooses IgnoreCase, Multiline and Global; the rest is the pattern, and after a NUL the
// text to search (else the pattern searches itself). Each match is expanded with every
// kind of replacement text. A syntax error, a search past its limits or a result past its
// length are fine answers; a crash, a hang or a sanitizer report is not.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "vbscript/lib/regex.h"
#include "vbscript/lib/text_ops.h"

namespace {

constexpr std::u16string_view kReplacement = u"<$1|$&|$`|$'|$$|$12>";
// The longest replaced text a search may build.
constexpr std::size_t kMaxOutput = 1 << 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned flags = data[0];
    const std::u16string input =
        vbs::lib::utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const std::size_t split = input.find(u'\0');
    const std::u16string_view pattern = std::u16string_view(input).substr(0, split);
    const std::u16string_view text =
        split == std::u16string::npos ? pattern : std::u16string_view(input).substr(split + 1);
    try {
        vbs::lib::Regex regex(pattern, {(flags & 1) != 0, (flags & 2) != 0});
        std::u16string out;
        regex.forEachMatch(text, (flags & 4) != 0, [&](const vbs::lib::RegexMatch& m) {
            vbs::lib::appendReplacement(out, kReplacement, text, m, kMaxOutput);
            return true;
        });
    } catch (const vbs::lib::RegexSyntaxError&) {
    } catch (const vbs::lib::RegexLimitError&) {
    } catch (const std::length_error&) {
    }
    return 0;
}
