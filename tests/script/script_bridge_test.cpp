// Windows and controls driven by scripts through the script control, as the console
// registers them.
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/script_control.h"
#include "script/QObjectHost.h"
#include "vbscript/convert.h"

namespace {

vbs::Ref<vbs::HostObject> bridge(QObject* object) {
    return vbs::Ref<vbs::HostObject>(new script::QObjectHost(object));
}

TEST(ScriptBridge, ScriptsReadAndWriteControlsOfARegisteredWindow) {
    QWidget window;
    window.setWindowTitle("Brinmor Evaluation Software");
    auto* label = new QLabel("12", &window);
    label->setObjectName("Label_cur_freq");
    QLineEdit scratch("Text1");
    platform::ScriptControl control;
    control.addObject(u"Self", vbs::Ref<vbs::HostObject>(&control));
    control.addObject(u"MForm", bridge(&window));
    control.addObject(u"Text1", bridge(&scratch));

    control.executeStatement(u"Text1.Text = MForm.Caption & \" / \" & MForm.Label_cur_freq");
    EXPECT_EQ(scratch.text(), "Brinmor Evaluation Software / 12");
    control.executeStatement(u"MForm.label_cur_freq.Caption = Len(Text1.Text)");
    EXPECT_EQ(label->text(), "32");
    EXPECT_EQ(vbs::toText(control.eval(u"TypeName(Text1)")), u"QLineEdit");

    // An object handed back to the control reaches Qt as the control it stands for.
    control.executeStatement(u"Self.AddObject \"Again\", Text1\nAgain.Text = \"same box\"");
    EXPECT_EQ(scratch.text(), "same box");
    EXPECT_TRUE(control.eval(u"Again Is Text1").asBool());
}

TEST(ScriptBridge, AControlThatIsGoneIsAnErrorNotACrash) {
    platform::ScriptControl control;
    auto* box = new QLineEdit("x");
    control.addObject(u"Box", bridge(box));
    delete box;
    try {
        control.executeStatement(u"Box.Text = 1");
        FAIL() << "no error";
    } catch (const vbs::ScriptError& error) {
        EXPECT_EQ(error.number(), vbs::err::ObjectRequired);
    }
}

} // namespace
