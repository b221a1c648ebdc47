// The script control as the console uses it: registrations, code, statements, procedures,
// the time limit and message boxes.
#include "platform/script_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/script_errors.h"
#include "vbscript/convert.h"

namespace {

using platform::ScriptControl;
using vbs::Value;

using testsupport::errorNumberOf;

std::u16string text(const Value& value) {
    return vbs::toText(value);
}

// A host object with one method that runs an action, as a window's routine would.
class Callback : public vbs::TableHostObject {
public:
    explicit Callback(std::function<void()> action) {
        addMember({u"Go",
                   vbs::MemberInfo::Kind::Method,
                   0,
                   0,
                   false,
                   [action](std::span<Value>) {
                       action();
                       return Value();
                   },
                   {}});
    }
    std::u16string typeName() const override { return u"Callback"; }
};

vbs::Ref<vbs::HostObject> callback(std::function<void()> action) {
    return vbs::Ref<vbs::HostObject>(new Callback(std::move(action)));
}

// The console's dialogs: remembers what was shown and answers at once (or slowly).
class RecordingUi : public vbs::UiHost {
public:
    int msgBox(const std::u16string& prompt, int, const std::u16string&) override {
        std::this_thread::sleep_for(delay);
        prompts.push_back(prompt);
        return 1;
    }
    std::optional<std::u16string> inputBox(const std::u16string& prompt, const std::u16string&,
                                           const std::u16string&) override {
        prompts.push_back(prompt);
        return u"typed";
    }
    std::vector<std::u16string> prompts;
    std::chrono::milliseconds delay{0};
};

class ScriptControlTest : public ::testing::Test {
protected:
    ScriptControl control;
};

TEST_F(ScriptControlTest, RefusesANameRegisteredTwiceOrNotAName) {
    control.addObject(u"Host", callback([] {}));
    EXPECT_EQ(errorNumberOf([&] { control.addObject(u"host", callback([] {})); }),
              vbs::err::KeyExists);
    for (std::u16string_view bad : {u"", u"1abc", u"a b", u"a-b"})
        EXPECT_EQ(errorNumberOf([&] { control.addObject(bad, callback([] {})); }),
                  vbs::err::InvalidCall)
            << std::string(bad.begin(), bad.end());
}

TEST_F(ScriptControlTest, CompileErrorAddsNothing) {
    std::u16string description;
    EXPECT_NE(errorNumberOf([&] { control.addCode(u"Sub A()\nEnd Sub\nx = \n"); }, &description),
              0);
    EXPECT_FALSE(description.empty());
    EXPECT_TRUE(control.procedures().empty());
    EXPECT_EQ(errorNumberOf([&] { control.run(u"A"); }), vbs::err::SubNotDefined);
}

TEST_F(ScriptControlTest, RuntimeErrorStopsTopLevelStatementsButKeepsProcedures) {
    EXPECT_EQ(
        errorNumberOf([&] { control.addCode(u"Sub P()\nEnd Sub\ny = 1\nx = 1 / 0\ny = 2\n"); }),
        vbs::err::DivisionByZero);
    ASSERT_EQ(control.procedures().size(), 1u);
    EXPECT_EQ(control.eval(u"y").asInteger(), 1);
    control.run(u"P");
}

TEST_F(ScriptControlTest, StatementsRunInTheGlobalModuleAndEvalReturnsValues) {
    control.executeStatement(u"Dim total\ntotal = 0\nFor i = 1 To 4\n total = total + i\nNext");
    EXPECT_EQ(control.eval(u"total * 2").asInteger(), 20);
    control.addCode(u"Function Twice(n)\nTwice = n * 2\nEnd Function");
    EXPECT_EQ(control.run(u"Twice", {Value::integer(21)}).asInteger(), 42);
}

TEST_F(ScriptControlTest, RunNeedsAKnownName) {
    EXPECT_NE(errorNumberOf([&] { control.run(u""); }), 0);
    EXPECT_NE(errorNumberOf([&] { control.run(u"Nowhere"); }), 0);
}

TEST_F(ScriptControlTest, ProceduresAreListedInOrderWithArgumentsAndResults) {
    control.addCode(
        u"Sub Zed(a)\nEnd Sub\nFunction Alpha()\nEnd Function\nSub Mid3(a, b, c)\nEnd Sub");
    const auto procedures = control.procedures();
    ASSERT_EQ(procedures.size(), 3u);
    const std::tuple<std::u16string, int, bool> expected[] = {
        {u"Zed", 1, false}, {u"Alpha", 0, true}, {u"Mid3", 3, false}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(procedures[i].name, std::get<0>(expected[i]));
        EXPECT_EQ(procedures[i].numArgs, std::get<1>(expected[i]));
        EXPECT_EQ(procedures[i].hasReturnValue, std::get<2>(expected[i]));
    }
}

TEST_F(ScriptControlTest, ScriptsDriveTheControlThroughSelf) {
    control.addObject(u"Self", vbs::Ref<vbs::HostObject>(&control));
    control.executeStatement(u"Self.AddCode \"Sub Loaded(a, b)\" & vbCrLf & \"End Sub\"");
    EXPECT_EQ(control.eval(u"Self.Procedures.Count").asLong(), 1);
    EXPECT_EQ(text(control.eval(u"Self.Procedures(1).Name")), u"Loaded");
    EXPECT_EQ(control.eval(u"Self.Procedures.Item(\"loaded\").NumArgs").asLong(), 2);
    EXPECT_EQ(control.eval(u"Self.Modules.Count").asLong(), 1);
    EXPECT_EQ(text(control.eval(u"Self.Modules(1).Name")), u"Global");
    EXPECT_EQ(control.eval(u"Self.Modules(\"Global\").Procedures.Count").asLong(), 1);
    control.executeStatement(u"n = 0\nFor Each p In Self.Procedures\n n = n + p.NumArgs\nNext");
    EXPECT_EQ(control.eval(u"n").asInteger(), 2);
    EXPECT_EQ(text(control.eval(u"Self.Eval(\"1 + 2\")")), u"3");
    EXPECT_EQ(text(control.eval(u"Self.Language")), u"VBScript");
}

TEST_F(ScriptControlTest, HostCallsMayAddCodeAndTheOuterScriptCarriesOn) {
    control.addObject(u"Loader", callback([&] {
                          control.addCode(u"Function Inner()\nInner = 5\nEnd Function");
                      }));
    control.executeStatement(u"before = 1\nLoader.Go\nafter = Inner() + before");
    EXPECT_EQ(control.eval(u"after").asInteger(), 6);
    control.addObject(u"Runner", callback([&] { control.run(u"Inner"); }));
    control.addObject(u"Stater", callback([&] { control.executeStatement(u"nested = Inner()"); }));
    control.executeStatement(u"Runner.Go\nStater.Go\nouter = nested + 1");
    EXPECT_EQ(control.eval(u"outer").asInteger(), 6);
}

TEST_F(ScriptControlTest, ARunawayScriptIsStoppedAndTheEngineStaysUsable) {
    control.setTimeout(50);
    std::u16string description;
    EXPECT_EQ(errorNumberOf([&] { control.executeStatement(u"On Error Resume Next\nDo\nLoop"); },
                            &description),
              vbs::err::Stopped);
    EXPECT_NE(description.find(u"time limit"), std::u16string::npos);
    EXPECT_EQ(control.eval(u"1 + 1").asInteger(), 2);
    control.addCode(u"Sub Spin()\nDo\nLoop\nEnd Sub");
    EXPECT_EQ(errorNumberOf([&] { control.run(u"Spin"); }), vbs::err::Stopped);
    EXPECT_EQ(control.eval(u"2 + 2").asInteger(), 4);
}

TEST_F(ScriptControlTest, TimeInAMessageBoxIsNotTheScripts) {
    RecordingUi ui;
    ui.delay = std::chrono::milliseconds(150);
    control.setSite(&ui);
    control.setAllowUI(true);
    control.setTimeout(100);
    control.executeStatement(u"MsgBox \"one\"\nMsgBox \"two\"");
    EXPECT_EQ(ui.prompts, (std::vector<std::u16string>{u"one", u"two"}));
}

TEST_F(ScriptControlTest, TimeInAHostCallIsNotTheScripts) {
    control.addObject(
        u"Slow", callback([] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }));
    control.setTimeout(100);
    control.executeStatement(u"Slow.Go\nSlow.Go\ndone = True");
    EXPECT_TRUE(control.eval(u"done").asBool());
}

TEST_F(ScriptControlTest, ANegativeTimeoutMeansNoLimit) {
    control.setTimeout(-1);
    control.addObject(u"Slow",
                      callback([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }));
    control.executeStatement(u"For i = 1 To 200000\nNext\nSlow.Go");
    EXPECT_EQ(control.eval(u"i").asLong(), 200001);
}

TEST_F(ScriptControlTest, MessageBoxesNeedPermissionAndGoToTheHost) {
    RecordingUi ui;
    control.setSite(&ui);
    EXPECT_EQ(errorNumberOf([&] { control.executeStatement(u"MsgBox \"hi\""); }),
              vbs::err::PermissionDenied);
    EXPECT_EQ(errorNumberOf([&] { control.eval(u"InputBox(\"name?\")"); }),
              vbs::err::PermissionDenied);
    control.setAllowUI(true);
    control.executeStatement(u"MsgBox \"hi\"");
    EXPECT_EQ(text(control.eval(u"InputBox(\"name?\")")), u"typed");
    EXPECT_EQ(ui.prompts, (std::vector<std::u16string>{u"hi", u"name?"}));
}

TEST_F(ScriptControlTest, SpeaksOnlyVBScript) {
    control.setLanguage(u"vbscript");
    EXPECT_EQ(control.language(), u"VBScript");
    EXPECT_EQ(errorNumberOf([&] { control.setLanguage(u"JScript"); }), vbs::err::InvalidCall);
}

} // namespace
