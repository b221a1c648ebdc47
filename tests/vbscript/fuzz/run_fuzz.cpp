// Fuzz target: any bytes compiled and run as a script, with a budget of statements so a
// loop cannot hang the fuzzer. Script errors are fine answers; a crash, a hang, a
// runaway allocation or a sanitizer report is not.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "vbscript/engine.h"
#include "vbscript/lib/text_ops.h"

namespace {

// The engine calls the step hook once per 1024 statements: about 50,000 statements. A
// script that recurses to the depth limit and swallows "Out of stack space" with On Error
// Resume Next throws at nearly every statement, and under AddressSanitizer each throw
// from that depth costs about 80 microseconds: a larger budget made such inputs pass the
// fuzzer's 10-second limit without being wrong, only slow.
constexpr int stepBudget = 50;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Declared before the engine, which outlives it otherwise: a Class_Terminate the engine
    // runs as it goes away still counts steps.
    int steps = 0;
    vbs::Engine engine;
    // A fuzzed script must not reach the machine's files.
    engine.registerProgId(u"Scripting.FileSystemObject",
                          [] { return vbs::Ref<vbs::HostObject>(); });
    engine.setStepHook([&steps] {
        if (++steps > stepBudget)
            throw vbs::ScriptError(vbs::ErrorKind::Runtime, vbs::err::Stopped,
                                   u"step budget spent");
    });
    try {
        engine.addCode(
            vbs::lib::utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const vbs::ScriptError&) {
    }
    return 0;
}
