// A host's view of the engine: engine.h on its own declares everything needed to run
// code, register objects and answer dialogs. Compiled, never run; the test beside it in
// CMakeLists.txt also checks that none of the engine's inner headers come along.
#include "vbscript/engine.h"

namespace {

class SilentUi : public vbs::UiHost {
public:
    int msgBox(const std::u16string&, int, const std::u16string&) override { return 1; }
    std::optional<std::u16string> inputBox(const std::u16string&, const std::u16string&,
                                           const std::u16string&) override {
        return std::nullopt;
    }
};

[[maybe_unused]] void hostUse() {
    vbs::Engine engine;
    SilentUi ui;
    engine.setUiHost(&ui);
    engine.registerProgId(u"Bench.Probe",
                          vbs::ObjectFactory([] { return vbs::Ref<vbs::HostObject>(); }));
    engine.addCode(u"Function Twice(x)\nTwice = 2 * x\nEnd Function");
    for (const vbs::ProcedureInfo& p : engine.procedures())
        static_cast<void>(p.numArgs);
    try {
        static_cast<void>(engine.run(u"Twice", {vbs::Value::longValue(21)}));
    } catch (const vbs::ScriptError&) {
    }
}

} // namespace
