// Qt objects as script objects: member look-up, renames, calls and value conversions.
#include "script/QObjectHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/script_errors.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"

namespace {

using script::QObjectHost;
using vbs::Value;

class Gadget : public QObject {
    Q_OBJECT
    Q_PROPERTY(int level READ level WRITE setLevel)
    Q_PROPERTY(QString label READ label)
    Q_PROPERTY(int percent READ percent WRITE setPercent)
    Q_CLASSINFO("Script.Amount", "level")
public:
    int level() const { return level_; }
    void setLevel(int level) { level_ = level; }
    QString label() const { return "fixed"; }
    int percent() const { return 0; }
    void setPercent(int percent) {
        if (percent < 0 || percent > 100)
            throw std::out_of_range("not a percentage");
    }

    Q_INVOKABLE QString greet(const QString& who, int times) const {
        return QString("hello %1 x%2").arg(who).arg(times);
    }
    Q_INVOKABLE double half(double value) const { return value / 2; }
    Q_INVOKABLE void reset() { level_ = 0; }
    Q_INVOKABLE int widened(short value) const { return value; }
    Q_INVOKABLE int unsignedWidened(ushort value) const { return value; }
    Q_INVOKABLE int byteWidened(uchar value) const { return value; }

private:
    int level_ = 7;
};

std::u16string text(const Value& value) {
    return vbs::toText(value);
}

using testsupport::errorNumberOf;

Value get(QObjectHost& host, std::u16string_view name, std::vector<Value> args = {}) {
    return host.getProperty(name, args);
}

void set(QObjectHost& host, std::u16string_view name, const Value& value) {
    host.setProperty(name, {}, value, false);
}

TEST(QObjectHost, PropertiesAreFoundIgnoringCaseAndConverted) {
    Gadget gadget;
    gadget.setObjectName("Gadget1");
    QObjectHost host(&gadget);
    EXPECT_EQ(get(host, u"LEVEL").type(), vbs::Type::Integer);
    EXPECT_EQ(get(host, u"level").asInteger(), 7);
    set(host, u"Level", Value::string(u"12"));
    EXPECT_EQ(gadget.level(), 12);
    EXPECT_EQ(text(get(host, u"name")), u"Gadget1");
    EXPECT_EQ(text(get(host, u"Label")), u"fixed");
}

TEST(QObjectHost, InvokableMethodsTakeConvertedArgumentsAndReturnValues) {
    Gadget gadget;
    QObjectHost host(&gadget);
    EXPECT_EQ(text(get(host, u"Greet", {Value::string(u"bench"), Value::dbl(2.5)})),
              u"hello bench x2");
    EXPECT_DOUBLE_EQ(get(host, u"HALF", {Value::integer(5)}).asDouble(), 2.5);
    std::vector<Value> none;
    EXPECT_TRUE(host.callMethod(u"reset", none).isEmpty());
    EXPECT_EQ(gadget.level(), 0);
}

TEST(QObjectHost, FailuresCarryTheLanguagesErrorNumbers) {
    Gadget gadget;
    QObjectHost host(&gadget);
    EXPECT_EQ(errorNumberOf([&] { get(host, u"nosuch"); }), vbs::err::NoSuchMember);
    EXPECT_EQ(errorNumberOf([&] { get(host, u"greet", {Value::string(u"x")}); }),
              vbs::err::WrongArgCount);
    EXPECT_EQ(errorNumberOf([&] { set(host, u"label", Value::string(u"x")); }),
              vbs::err::WrongArgCount);
    EXPECT_EQ(errorNumberOf([&] { set(host, u"level", Value::string(u"abc")); }),
              vbs::err::TypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { get(host, u""); }), vbs::err::NoSuchMember); // no default member
    EXPECT_EQ(errorNumberOf([&] { set(host, u"nosuch", Value::integer(1)); }),
              vbs::err::NoSuchMember);
}

TEST(QObjectHost, NumbersThatDoNotFitANarrowParameterOverflow) {
    Gadget gadget;
    QObjectHost host(&gadget);
    struct Case {
        const char16_t* method;
        Value argument;
        int error;
        int result;
    };
    const Case cases[] = {
        {u"widened", Value::longValue(32767), 0, 32767},
        {u"widened", Value::dbl(-32768.4), 0, -32768},
        {u"widened", Value::dbl(2.5), 0, 2},
        {u"widened", Value::longValue(32768), vbs::err::Overflow, 0},
        {u"widened", Value::longValue(-40000), vbs::err::Overflow, 0},
        {u"widened", Value::string(u"many"), vbs::err::TypeMismatch, 0},
        {u"unsignedWidened", Value::longValue(65535), 0, 65535},
        {u"unsignedWidened", Value::integer(-1), vbs::err::Overflow, 0},
        {u"byteWidened", Value::integer(256), vbs::err::Overflow, 0},
    };
    for (const Case& c : cases) {
        Value result;
        EXPECT_EQ(errorNumberOf([&] { result = get(host, c.method, {c.argument}); }), c.error)
            << vbs::toText(c.argument).size();
        if (!c.error) {
            EXPECT_EQ(vbs::toLong(result), c.result);
        }
    }
}

TEST(QObjectHost, AWidgetNamesItsOwnMembersForScripts) {
    Gadget gadget;
    QObjectHost host(&gadget);
    set(host, u"amount", Value::integer(9));
    EXPECT_EQ(gadget.level(), 9);
    EXPECT_EQ(get(host, u"Amount").asInteger(), 9);
}

TEST(QObjectHost, AValueTheObjectRefusesIsAnInvalidPropertyValue) {
    Gadget gadget;
    QObjectHost host(&gadget);
    set(host, u"percent", Value::integer(50));
    std::u16string description;
    EXPECT_EQ(errorNumberOf([&] { set(host, u"percent", Value::integer(101)); }, &description),
              380);
    EXPECT_EQ(description, u"Invalid property value");
}

TEST(QObjectHost, ScriptsCannotDeleteAnObject) {
    Gadget gadget;
    QObjectHost host(&gadget);
    EXPECT_EQ(errorNumberOf([&] { get(host, u"deleteLater"); }), vbs::err::NoSuchMember);
}

TEST(QObjectHost, ClosedObjectsAreNoLongerThere) {
    auto* gadget = new Gadget;
    QObjectHost host(gadget);
    delete gadget;
    EXPECT_EQ(errorNumberOf([&] { get(host, u"level"); }), vbs::err::ObjectRequired);
}

TEST(QObjectHost, WidgetsUseTheNamesScriptsKnow) {
    QWidget window;
    window.setWindowTitle("Brinmor Evaluation Software");
    auto* label = new QLabel("Fq", &window);
    label->setObjectName("Label_cur_freq");
    auto* edit = new QLineEdit("12", &window);
    edit->setObjectName("Text_new_freq");
    auto* code = new QPlainTextEdit("x = 1", &window);
    code->setObjectName("Text_codeWindow");
    auto* bar = new QScrollBar(&window);
    bar->setObjectName("VScroll_new_freq");
    bar->setRange(1, 30);
    bar->setValue(4);

    QObjectHost host(&window);
    EXPECT_EQ(text(get(host, u"Caption")), u"Brinmor Evaluation Software");
    set(host, u"caption", Value::string(u"Other"));
    EXPECT_EQ(window.windowTitle(), "Other");

    // Controls are members of their window, by object name.
    Value child = get(host, u"label_cur_freq");
    ASSERT_TRUE(child.isObject());
    auto& labelHost = *static_cast<QObjectHost*>(child.asObject());
    EXPECT_EQ(text(get(labelHost, u"Caption")), u"Fq");
    EXPECT_EQ(text(get(labelHost, u"")), u"Fq");

    QObjectHost editHost(edit);
    EXPECT_EQ(text(get(editHost, u"")), u"12");
    set(editHost, u"Text", Value::integer(25));
    EXPECT_EQ(edit->text(), "25");

    QObjectHost codeHost(code);
    EXPECT_EQ(text(get(codeHost, u"text")), u"x = 1");

    QObjectHost barHost(bar);
    EXPECT_EQ(get(barHost, u"").asInteger(), 4);
    set(barHost, u"Value", Value::dbl(6.5)); // halves to even, as the language rounds
    EXPECT_EQ(bar->value(), 6);
}

TEST(ControlMembers, ButtonsCheckBoxesAndLineEditsSpeakTheScriptsTerms) {
    QPushButton button("Write");
    QSignalSpy clicks(&button, &QPushButton::clicked);
    QObjectHost buttonHost(&button);
    EXPECT_FALSE(get(buttonHost, u"Value").asBool());
    set(buttonHost, u"Value", Value::boolean(false));
    EXPECT_EQ(clicks.count(), 0);
    set(buttonHost, u"value", Value::boolean(true));
    EXPECT_EQ(clicks.count(), 1);
    buttonHost.callMethod(u"Click", {});
    EXPECT_EQ(clicks.count(), 2);

    QCheckBox check("Load Members");
    QObjectHost checkHost(&check);
    EXPECT_EQ(get(checkHost, u"Value").asInteger(), 0);
    set(checkHost, u"Value", Value::integer(1));
    EXPECT_EQ(check.checkState(), Qt::Checked);
    set(checkHost, u"Value", Value::integer(2));
    EXPECT_EQ(check.checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(get(checkHost, u"Value").asInteger(), 2);
    EXPECT_EQ(errorNumberOf([&] { set(checkHost, u"Value", Value::integer(3)); }), 380);

    QRadioButton radio("One");
    QObjectHost radioHost(&radio);
    set(radioHost, u"Value", Value::boolean(true));
    EXPECT_TRUE(radio.isChecked());

    QLineEdit edit("2500");
    QObjectHost editHost(&edit);
    set(editHost, u"SelStart", Value::integer(1));
    set(editHost, u"SelLength", Value::integer(2));
    EXPECT_EQ(edit.selectedText(), "50");
    EXPECT_EQ(get(editHost, u"SelStart").asLong(), 1);
    EXPECT_EQ(get(editHost, u"SelLength").asLong(), 2);
    set(editHost, u"SelLength", Value::integer(100)); // as far as the text goes
    EXPECT_EQ(edit.selectedText(), "500");
    set(editHost, u"SelStart", Value::integer(100));
    EXPECT_EQ(edit.cursorPosition(), 4);
    EXPECT_EQ(errorNumberOf([&] { set(editHost, u"SelStart", Value::integer(-1)); }), 380);

    QScrollBar bar;
    bar.setRange(1, 30);
    QObjectHost barHost(&bar);
    EXPECT_EQ(get(barHost, u"Min").asInteger(), 1);
    set(barHost, u"Max", Value::integer(40));
    EXPECT_EQ(bar.maximum(), 40);
}

TEST(QObjectHost, ExtraMembersComeFirstAndAreListed) {
    Gadget gadget;
    QObjectHost host(&gadget);
    host.addMember(
        {u"pad", vbs::MemberInfo::Kind::Method, 1, 1, true,
         [](std::span<Value> args) { return Value::string(vbs::toText(args[0]) + u"!"); },
         nullptr});
    EXPECT_EQ(text(get(host, u"PAD", {Value::string(u"a")})), u"a!");
    EXPECT_EQ(errorNumberOf([&] { get(host, u"pad"); }), vbs::err::WrongArgCount);
    const auto members = host.members();
    auto named = [&](std::u16string_view name) {
        return std::any_of(members.begin(), members.end(),
                           [&](const vbs::MemberInfo& m) { return vbs::sameName(m.name, name); });
    };
    EXPECT_TRUE(named(u"pad"));
    EXPECT_TRUE(named(u"greet"));
    EXPECT_TRUE(named(u"Name"));
    EXPECT_FALSE(named(u"deleteLater"));
    EXPECT_EQ(host.typeName(), u"Gadget");
}

TEST(Conversions, QtValuesBecomeTheMatchingVariants) {
    const std::pair<QVariant, vbs::Type> cases[] = {
        {QVariant(), vbs::Type::Empty},
        {QVariant(true), vbs::Type::Boolean},
        {QVariant(12), vbs::Type::Integer},
        {QVariant(40000), vbs::Type::Long},
        {QVariant(qint64(1) << 40), vbs::Type::Double},
        {QVariant(1.5), vbs::Type::Double},
        {QVariant(QString("a")), vbs::Type::String},
        {QVariant(QStringList{"a", "b"}), vbs::Type::Array},
        {QVariant(QDateTime(QDate(2024, 3, 5), QTime(12, 0))), vbs::Type::Date},
        {QVariant::fromValue<QObject*>(nullptr), vbs::Type::Object},
    };
    for (const auto& [qt, type] : cases)
        EXPECT_EQ(script::toScript(qt).type(), type) << qt.typeName();
    EXPECT_DOUBLE_EQ(
        script::toScript(QVariant(QDateTime(QDate(2024, 3, 5), QTime(12, 0)))).asDouble(), 45356.5);
}

TEST(Conversions, VariantsRoundTripThroughQt) {
    const Value values[] = {Value::boolean(true), Value::integer(-3),     Value::longValue(100000),
                            Value::dbl(0.25),     Value::string(u"text"), Value::date(45356.5)};
    for (const Value& value : values) {
        const Value back = script::toScript(script::toQt(value));
        EXPECT_EQ(vbs::toText(back), vbs::toText(value));
    }
    EXPECT_EQ(script::toQt(Value::currency(25000)).toDouble(), 2.5);
    EXPECT_EQ(script::toQt(Value::nothing()).value<QObject*>(), nullptr);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "qobject_host_test.moc"
