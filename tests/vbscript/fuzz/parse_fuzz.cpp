// Fuzz target: any bytes through the lexer, the parser and the compiler. A compile error
// is a fine answer; a crash, a hang or a sanitizer report is not.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "vbscript/compiler.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"
#include "vbscript/parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string source =
        vbs::lib::utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
    for (vbs::ParseMode mode : {vbs::ParseMode::Module, vbs::ParseMode::Expression}) {
        try {
            auto unit = vbs::parse(source, mode);
            vbs::compile(*unit);
        } catch (const vbs::ScriptError&) {
        }
    }
    return 0;
}
