// The script control: the one object through which the script console talks to the
// VBScript engine. It registers host objects, adds code to the global module, executes
// statements, runs procedures and lists them, guards scripts with a time limit, and lets
// scripts show message boxes only when the host allows it, through the host's own
// dialogs. It is itself a host object, so scripts can drive it too (`Self.AddCode …`).
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "vbscript/engine.h"

namespace platform {

class ScriptControl : public vbs::TableHostObject {
public:
    // The control's time limit until the host sets another, in milliseconds.
    static constexpr long defaultTimeout = 10000;
    static constexpr long noTimeout = -1;

    ScriptControl();
    ~ScriptControl() override;

    const std::u16string& language() const { return language_; }
    // Only "VBScript" is spoken here; any other language is refused.
    void setLanguage(std::u16string_view language);
    long timeout() const { return timeoutMs_; }
    // Milliseconds a script may run; negative: no limit.
    void setTimeout(long milliseconds) { timeoutMs_ = milliseconds; }
    bool allowUI() const { return allowUI_; }
    void setAllowUI(bool allow) { allowUI_ = allow; }
    // The owner of the engine's dialogs: the host's UI, which shows MsgBox and InputBox.
    vbs::UiHost* site() const { return site_; }
    void setSite(vbs::UiHost* site) { site_ = site; }

    void addObject(std::u16string_view name, vbs::Ref<vbs::HostObject> object,
                   bool addMembers = false);
    void addCode(std::u16string_view code);
    void executeStatement(std::u16string_view statements);
    vbs::Value eval(std::u16string_view expression);
    vbs::Value run(std::u16string_view name, std::vector<vbs::Value> args = {});
    std::vector<vbs::ProcedureInfo> procedures() const { return engine_.procedures(); }

    // Script-visible collections: Modules holds the global module ("Global"), Procedures
    // its procedures (each with Name, NumArgs, HasReturnValue).
    vbs::Value modulesObject();
    vbs::Value proceduresObject();

    std::u16string typeName() const override { return u"ScriptControl"; }

private:
    class Run;

public:
    // Time spent outside the script (in a dialog, in a host call) is not the script's.
    // Pauses nest: a host call that adds code pauses the same script twice.
    class PausedClock {
    public:
        explicit PausedClock(ScriptControl& control);
        ~PausedClock();
        PausedClock(const PausedClock&) = delete;
        PausedClock& operator=(const PausedClock&) = delete;

    private:
        Run* run_;
    };

protected:
    // The control belongs to its host, not to the scripts that hold it (it is registered
    // in its own engine as Self).
    void lastReferenceGone() noexcept override {}

private:
    class Ui;
    template <typename Action> auto guarded(Action&& action);
    vbs::Ref<vbs::HostObject> timed(vbs::Ref<vbs::HostObject> object);
    void checkTime();
    void addScriptMembers();

    std::unique_ptr<Ui> ui_;
    std::u16string language_ = u"VBScript";
    long timeoutMs_ = defaultTimeout;
    bool allowUI_ = false;
    vbs::UiHost* site_ = nullptr;
    Run* innermost_ = nullptr; // the run the time limit applies to now
    // Last, so it goes first: a Class_Terminate it runs as it goes away reaches the step
    // hook and the UI, which read the members above.
    vbs::Engine engine_;
};

} // namespace platform
