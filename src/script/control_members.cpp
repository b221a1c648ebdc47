// The extra members of buttons, check boxes and line edits.
#include "script/control_members.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include "vbscript/convert.h"
#include "vbscript/errors.h"

namespace script {
namespace {

using vbs::MemberInfo;
using vbs::TableHostObject;
using vbs::Value;

constexpr int invalidPropertyValue = 380;

// The control behind a member, which must still exist.
template <typename Control> Control& live(const QPointer<Control>& control) {
    if (!control)
        vbs::raise(vbs::err::ObjectRequired);
    return *control;
}

TableHostObject::Member property(std::u16string name, TableHostObject::Getter get,
                                 TableHostObject::Setter set) {
    return {std::move(name), MemberInfo::Kind::Property, 0, 0, true, std::move(get),
            std::move(set)};
}

// A count of characters a script gives: never negative.
int characterCount(const Value& value) {
    const std::int32_t count = vbs::toLong(value);
    if (count < 0)
        refuseValue();
    return count;
}

std::vector<TableHostObject::Member> checkBoxMembers(QPointer<QCheckBox> box) {
    auto get = [box](std::span<Value>) {
        switch (live(box).checkState()) {
        case Qt::Checked:
            return Value::integer(1);
        case Qt::PartiallyChecked:
            return Value::integer(2);
        case Qt::Unchecked:
            break;
        }
        return Value::integer(0);
    };
    auto set = [box](std::span<Value>, const Value& value) {
        static constexpr Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked,
                                                    Qt::PartiallyChecked};
        const std::int16_t state = vbs::toInteger(value);
        if (state < 0 || state > 2)
            refuseValue();
        if (state == 2)
            live(box).setTristate(true);
        live(box).setCheckState(states[state]);
    };
    return {property(u"Value", get, set)};
}

std::vector<TableHostObject::Member> radioButtonMembers(QPointer<QRadioButton> button) {
    return {property(
        u"Value", [button](std::span<Value>) { return Value::boolean(live(button).isChecked()); },
        [button](std::span<Value>, const Value& value) {
            live(button).setChecked(vbs::toBool(value));
        })};
}

// A command button reads False; setting it True clicks it, as the operator would.
std::vector<TableHostObject::Member> buttonMembers(QPointer<QAbstractButton> button) {
    return {property(
        u"Value", [button](std::span<Value>) { return Value::boolean(false); },
        [button](std::span<Value>, const Value& value) {
            if (vbs::toBool(value))
                live(button).click();
        })};
}

// SelStart is the caret (or the selection's start); setting it moves the caret and drops
// the selection. SelLength selects that many characters from SelStart, as far as the text
// goes.
std::vector<TableHostObject::Member> lineEditMembers(QPointer<QLineEdit> edit) {
    auto start = [](const QLineEdit& box) {
        return box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
    };
    return {
        property(
            u"SelStart",
            [edit, start](std::span<Value>) { return Value::longValue(start(live(edit))); },
            [edit](std::span<Value>, const Value& value) {
                QLineEdit& box = live(edit);
                box.setCursorPosition(std::min<int>(characterCount(value), box.text().size()));
            }),
        property(
            u"SelLength",
            [edit](std::span<Value>) { return Value::longValue(live(edit).selectionLength()); },
            [edit, start](std::span<Value>, const Value& value) {
                QLineEdit& box = live(edit);
                const int from = start(box);
                box.setSelection(from,
                                 std::min<int>(characterCount(value), box.text().size() - from));
            }),
    };
}

} // namespace

void refuseValue() {
    vbs::raise(invalidPropertyValue, u"Invalid property value");
}

std::vector<TableHostObject::Member> controlMembers(QObject* object) {
    if (auto* box = qobject_cast<QCheckBox*>(object))
        return checkBoxMembers(box);
    if (auto* radio = qobject_cast<QRadioButton*>(object))
        return radioButtonMembers(radio);
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return buttonMembers(button);
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return lineEditMembers(edit);
    return {};
}

} // namespace script
