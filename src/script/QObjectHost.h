// The bridge from windows to scripts: any QObject as a script object. Its properties and
// invokable methods (slots and Q_INVOKABLE), and its named child controls, are members
// found by name ignoring case; values convert between Qt's QVariant and the script's
// Variant both ways. A profile renames Qt's names to the ones scripts know (a window's
// `windowTitle` is its Caption, a line edit's `text` its Text) and names the default
// member; extra members add what Qt does not have. This is the one place where Qt meets
// the engine.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QVariant>

#include <vector>

#include "vbscript/host_object.h"

namespace script {

struct BridgeProfile {
    struct Rename {
        std::u16string scriptName;
        QByteArray qtProperty;
    };
    std::vector<Rename> renames;
    std::u16string defaultMember; // the script name read and written for `obj` alone
};

// The renames and default member that suit this object's kind of widget.
BridgeProfile standardProfile(const QObject* object);

class QObjectHost : public vbs::HostObject {
public:
    explicit QObjectHost(QObject* object);
    QObjectHost(QObject* object, BridgeProfile profile);

    // Adds a member that Qt does not have, found before any of Qt's.
    void addMember(vbs::TableHostObject::Member member);

    vbs::Value getProperty(std::u16string_view name, std::span<vbs::Value> args) override;
    void setProperty(std::u16string_view name, std::span<vbs::Value> args, const vbs::Value& value,
                     bool isSet) override;
    vbs::Value callMethod(std::u16string_view name, std::span<vbs::Value> args) override;
    std::vector<vbs::MemberInfo> members() const override;
    std::u16string typeName() const override;

    QObject* object() const { return object_; }

private:
    // The object, which must still exist.
    QObject& liveObject() const;
    std::u16string resolve(std::u16string_view name) const;
    const vbs::TableHostObject::Member* extra(std::u16string_view name) const;

    QPointer<QObject> object_;
    BridgeProfile profile_;
    std::vector<vbs::TableHostObject::Member> extras_;
};

// Conversions between the script's Variant and Qt's QVariant. A QObject travels as a
// script object (a bridge made on the spot); a script value that Qt cannot hold raises
// "Type mismatch".
vbs::Value toScript(const QVariant& value);
QVariant toQt(const vbs::Value& value);
// The value converted to the given Qt type; "Type mismatch" when it cannot be.
QVariant toQt(const vbs::Value& value, QMetaType type);

} // namespace script
