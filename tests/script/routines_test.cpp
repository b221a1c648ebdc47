// pad, chars and useRoutines on the main window, the routines window and the routines
// class, called from scripts through the bridge as the console's scripts call them: the
// same result, or the same error, on all three.
#include <QString>

#include <gtest/gtest.h>

#include "panel/Main.h"
#include "platform/script_control.h"
#include "script/Class_Routines.h"
#include "script/Form_routines.h"
#include "script/QObjectHost.h"
#include "support/scripted_dialogs.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"

namespace script::test {
namespace {

using testsupport::ScriptedDialogs;

class RoutinesTest : public ::testing::Test {
protected:
    void SetUp() override { forgetRoutinesInstance(); }
    void TearDown() override { forgetRoutinesInstance(); }

    ScriptedDialogs dialogs;
};

struct Outcome {
    std::u16string result;
    int error = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << '"' << QString::fromStdU16String(outcome.result).toStdString() << "\" error "
               << outcome.error;
}

Outcome evaluated(platform::ScriptControl& control, const std::u16string& expression) {
    try {
        return {vbs::toText(control.eval(expression)), 0};
    } catch (const vbs::ScriptError& error) {
        return {{}, error.number()};
    }
}

struct Case {
    const char16_t* call; // @ stands for the object
    Outcome expected;
};

TEST_F(RoutinesTest, EveryCallGivesTheSameOnTheThreeObjects) {
    panel::Main window;
    Form_routines form;
    platform::ScriptControl control;
    control.addObject(u"MForm", vbs::Ref<vbs::HostObject>(new QObjectHost(&window)));
    control.addObject(u"Form1", vbs::Ref<vbs::HostObject>(new QObjectHost(&form)));
    control.addObject(u"Routines", vbs::Ref<vbs::HostObject>(new QObjectHost(&routinesInstance())));

    const Case cases[] = {
        {u"@.pad(\"abc\", 5)", {u"abc   "}},
        {u"@.pad(\"abc\", 3)", {u"abc "}},
        {u"@.pad(\"abc\", 2)", {u"abc"}},
        {u"@.pad(\"abc\", -4)", {u"abc"}},
        {u"@.pad(\"\", 0)", {u" "}},
        {u"@.pad(\"abc\", 2.5)", {u"abc"}}, // 2.5 is 2, as the language rounds
        {u"@.pad(\"\", 32766)", {std::u16string(32767, u' ')}},
        {u"@.pad(\"\", 32767)", {{}, vbs::err::Overflow}},             // d + 1 blanks does not fit
        {u"@.pad(\"a\", -32768)", {{}, vbs::err::Overflow}},           // padTo - L does not fit
        {u"@.pad(String(32768, \"x\"), 0)", {{}, vbs::err::Overflow}}, // L does not fit
        {u"Len(@.pad(String(32767, \"x\"), 32767))", {u"32768"}},
        {u"@.pad(\"abc\", 32768)", {{}, vbs::err::Overflow}}, // padTo is 16-bit
        {u"@.pad(\"abc\", \"five\")", {{}, vbs::err::TypeMismatch}},
        {u"@.pad(\"abc\")", {{}, vbs::err::WrongArgCount}},
        {u"@.chars(3, \"ab\")", {u"ababab"}},
        {u"@.chars(0, \"ab\")", {u""}},
        {u"@.chars(-2, \"ab\")", {u""}},
        {u"@.chars(5, \"\")", {u""}},
        {u"@.chars(32766, \"\")", {u""}},
        {u"Len(@.chars(32766, \"ab\"))", {u"65532"}},
        {u"@.chars(32767, \"a\")", {{}, vbs::err::Overflow}},
        {u"@.chars(32767, \"\")", {{}, vbs::err::Overflow}}, // the counter rule wins
        {u"@.chars(40000, \"a\")", {{}, vbs::err::Overflow}},
        {u"@.chars(\"many\", \"a\")", {{}, vbs::err::TypeMismatch}},
        // 20000 times 10000 characters is past the engine's strings: refused at once.
        {u"@.chars(20000, String(10000, \"x\"))", {{}, vbs::err::OutOfStringSpace}},
    };
    for (const Case& c : cases)
        for (const char16_t* object : {u"MForm", u"Form1", u"Routines"}) {
            std::u16string expression = c.call;
            expression.replace(expression.find(u'@'), 1, object);
            EXPECT_EQ(evaluated(control, expression), c.expected)
                << QString::fromStdU16String(expression).toStdString();
        }
}

TEST_F(RoutinesTest, UseRoutinesShowsItsBoxOnEachObject) {
    panel::Main window;
    Form_routines form;
    Class_Routines& routines = routinesInstance();
    dialogs.messages.clear();
    window.useRoutines();
    form.useRoutines();
    routines.useRoutines();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    for (const platform::MessageRequest& box : dialogs.messages) {
        EXPECT_EQ(box.text, "I got a procedure from a routine to run!");
        EXPECT_EQ(box.title, "FLTAMP");
        EXPECT_EQ(box.buttons, platform::Buttons::Ok);
        EXPECT_EQ(box.icon, platform::Icon::None);
    }
}

TEST_F(RoutinesTest, TheProgramWideInstanceIsCreatedOnceWithItsMessage) {
    Class_Routines& first = routinesInstance();
    Class_Routines& again = routinesInstance();
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Class_Routines Initialized"});
}

TEST_F(RoutinesTest, TheRoutinesWindowSaysItIsLoadedAndIsAnEmptyForm1) {
    Form_routines form;
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Form_routines loaded"});
    EXPECT_EQ(form.windowTitle(), "Form1");
    EXPECT_EQ(form.size(), QSize(312, 206));
    EXPECT_TRUE(form.findChildren<QWidget*>().isEmpty());
    EXPECT_TRUE(form.isWindow());
}

} // namespace
} // namespace script::test
