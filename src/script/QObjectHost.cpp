// Finds a script's member on a QObject and converts values across.
#include "script/QObjectHost.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <array>
#include <limits>
#include <stdexcept>

#include "script/control_members.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"

namespace script {
namespace {

// Qt's invoke takes at most ten arguments.
constexpr std::size_t maxMethodArguments = 10;
constexpr qint64 millisecondsPerDay = 86400000;
const QDate dateSerialZero(1899, 12, 30);

std::u16string fromQt(const QString& text) {
    return text.toStdU16String();
}
QString fromScript(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A whole number, rounded as the language rounds, that must fit T.
template <typename T> T narrowed(const vbs::Value& value) {
    const std::int32_t number = vbs::toLong(value);
    if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max())
        vbs::raise(vbs::err::Overflow);
    return static_cast<T>(number);
}

bool sameName(std::u16string_view scriptName, const char* qtName) {
    return vbs::sameName(scriptName, fromQt(QString::fromLatin1(qtName)));
}

double serialOf(const QDateTime& moment) {
    return static_cast<double>(dateSerialZero.daysTo(moment.date())) +
           static_cast<double>(moment.time().msecsSinceStartOfDay()) / millisecondsPerDay;
}

QDateTime momentOf(double serial) {
    const auto days = static_cast<qint64>(std::floor(serial));
    const auto milliseconds =
        std::llround((serial - static_cast<double>(days)) * millisecondsPerDay);
    return QDateTime(dateSerialZero.addDays(days), QTime(0, 0)).addMSecs(milliseconds);
}

vbs::Value wholeNumber(qint64 number) {
    if (number >= INT16_MIN && number <= INT16_MAX)
        return vbs::Value::integer(static_cast<std::int16_t>(number));
    if (number >= INT32_MIN && number <= INT32_MAX)
        return vbs::Value::longValue(static_cast<std::int32_t>(number));
    return vbs::Value::dbl(static_cast<double>(number));
}

vbs::Value objectValue(QObject* object) {
    if (!object)
        return vbs::Value::nothing();
    return vbs::Value::object(vbs::Ref<vbs::HostObject>(new QObjectHost(object)));
}

std::optional<int> propertyIndex(const QObject& object, std::u16string_view name) {
    const QMetaObject* meta = object.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (sameName(name, meta->property(i).name()))
            return i;
    return std::nullopt;
}

bool scriptCallable(const QMetaMethod& method) {
    return method.access() == QMetaMethod::Public &&
           (method.methodType() == QMetaMethod::Slot || method.methodType() == QMetaMethod::Method);
}

// QObject's own slots (deleteLater and the like) are no business of scripts: a script
// that deleted a window would leave the program holding a destroyed one.
std::optional<QMetaMethod> findMethod(const QObject& object, std::u16string_view name,
                                      std::size_t argumentCount, bool& nameFound) {
    const QMetaObject* meta = object.metaObject();
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (!scriptCallable(method) || !sameName(name, method.name().constData()))
            continue;
        nameFound = true;
        if (static_cast<std::size_t>(method.parameterCount()) == argumentCount)
            return method;
    }
    return std::nullopt;
}

vbs::Value invoke(QObject& object, const QMetaMethod& method, std::span<vbs::Value> args) {
    if (args.size() > maxMethodArguments)
        vbs::raise(vbs::err::WrongArgCount);
    // Qt keeps pointers into these while it calls, so both lists live to the end.
    std::vector<QVariant> converted;
    std::vector<QByteArray> typeNames;
    converted.reserve(args.size());
    typeNames.reserve(args.size());
    std::array<QGenericArgument, maxMethodArguments> generic{};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto index = static_cast<int>(i);
        converted.push_back(toQt(args[i], method.parameterMetaType(index)));
        typeNames.push_back(method.parameterTypeName(index));
        generic[i] = QGenericArgument(typeNames.back().constData(), converted.back().constData());
    }
    QVariant result;
    QGenericReturnArgument returned;
    if (method.returnMetaType().id() != QMetaType::Void) {
        result = QVariant(method.returnMetaType());
        returned = QGenericReturnArgument(method.typeName(), result.data());
    }
    if (!method.invoke(&object, Qt::DirectConnection, returned, generic[0], generic[1], generic[2],
                       generic[3], generic[4], generic[5], generic[6], generic[7], generic[8],
                       generic[9]))
        vbs::raise(vbs::err::InvalidCall);
    return toScript(result);
}

QObject* childNamed(const QObject& object, std::u16string_view name) {
    const QString wanted = fromScript(name);
    for (QObject* child : object.findChildren<QObject*>())
        if (child->objectName().compare(wanted, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

void requireNoArguments(std::span<vbs::Value> args) {
    if (!args.empty())
        vbs::raise(vbs::err::WrongArgCount);
}

// A control that refuses a value it cannot show (a frequency bar given 40 MHz) throws a
// logic error; the script sees the language's "Invalid property value".
template <typename Call> auto refusalsAsScriptErrors(Call&& call) {
    try {
        return call();
    } catch (const std::logic_error&) {
        refuseValue();
    }
}

// What a widget names itself to scripts: Q_CLASSINFO("Script.Value", "frequency") makes
// the script's Value the widget's frequency property.
void addClassRenames(const QObject& object, BridgeProfile& profile) {
    const QMetaObject* meta = object.metaObject();
    constexpr QLatin1String prefix("Script.");
    for (int i = 0; i < meta->classInfoCount(); ++i) {
        const QLatin1String name(meta->classInfo(i).name());
        if (name.startsWith(prefix))
            profile.renames.push_back({fromQt(QString(name.sliced(prefix.size()))),
                                       QByteArray(meta->classInfo(i).value())});
    }
}

} // namespace

BridgeProfile standardProfile(const QObject* object) {
    BridgeProfile profile;
    if (object)
        addClassRenames(*object, profile);
    profile.renames.push_back({u"Name", "objectName"});
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget && widget->isWindow())
        profile.renames.push_back({u"Caption", "windowTitle"});
    if (qobject_cast<const QLabel*>(object) || qobject_cast<const QAbstractButton*>(object)) {
        profile.renames.push_back({u"Caption", "text"});
        profile.defaultMember = u"Caption";
    } else if (qobject_cast<const QGroupBox*>(object)) {
        profile.renames.push_back({u"Caption", "title"});
    } else if (qobject_cast<const QLineEdit*>(object)) {
        profile.defaultMember = u"Text";
    } else if (qobject_cast<const QTextEdit*>(object) ||
               qobject_cast<const QPlainTextEdit*>(object)) {
        profile.renames.push_back({u"Text", "plainText"});
        profile.defaultMember = u"Text";
    } else if (qobject_cast<const QAbstractSlider*>(object)) {
        profile.renames.push_back({u"Min", "minimum"});
        profile.renames.push_back({u"Max", "maximum"});
        profile.defaultMember = u"Value";
    }
    return profile;
}

QObjectHost::QObjectHost(QObject* object) : QObjectHost(object, standardProfile(object)) {
    for (auto& member : controlMembers(object))
        addMember(std::move(member));
}

QObjectHost::QObjectHost(QObject* object, BridgeProfile profile)
    : object_(object), profile_(std::move(profile)) {}

void QObjectHost::addMember(vbs::TableHostObject::Member member) {
    extras_.push_back(std::move(member));
}

QObject& QObjectHost::liveObject() const {
    if (!object_) // the window or control has been closed
        vbs::raise(vbs::err::ObjectRequired);
    return *object_;
}

std::u16string QObjectHost::resolve(std::u16string_view name) const {
    if (name.empty()) {
        if (profile_.defaultMember.empty())
            vbs::raise(vbs::err::NoSuchMember);
        name = profile_.defaultMember;
    }
    for (const auto& rename : profile_.renames)
        if (vbs::sameName(rename.scriptName, name))
            return fromQt(QString::fromLatin1(rename.qtProperty));
    return std::u16string(name);
}

const vbs::TableHostObject::Member* QObjectHost::extra(std::u16string_view name) const {
    for (const auto& member : extras_)
        if (vbs::sameName(member.name, name))
            return &member;
    return nullptr;
}

vbs::Value QObjectHost::getProperty(std::u16string_view name, std::span<vbs::Value> args) {
    if (const auto* member = extra(name)) {
        if (static_cast<int>(args.size()) < member->minArgs ||
            static_cast<int>(args.size()) > member->maxArgs)
            vbs::raise(vbs::err::WrongArgCount);
        return member->get(args);
    }
    QObject& object = liveObject();
    const std::u16string qtName = resolve(name);
    if (const auto index = propertyIndex(object, qtName)) {
        requireNoArguments(args);
        return toScript(object.metaObject()->property(*index).read(&object));
    }
    bool methodNamed = false;
    if (const auto method = findMethod(object, qtName, args.size(), methodNamed))
        return refusalsAsScriptErrors([&] { return invoke(object, *method, args); });
    if (methodNamed)
        vbs::raise(vbs::err::WrongArgCount);
    if (QObject* child = childNamed(object, qtName)) {
        requireNoArguments(args);
        return objectValue(child);
    }
    vbs::raise(vbs::err::NoSuchMember);
}

void QObjectHost::setProperty(std::u16string_view name, std::span<vbs::Value> args,
                              const vbs::Value& value, bool) {
    if (const auto* member = extra(name)) {
        if (!member->set)
            vbs::raise(vbs::err::WrongArgCount);
        member->set(args, value);
        return;
    }
    QObject& object = liveObject();
    const auto index = propertyIndex(object, resolve(name));
    if (!index)
        vbs::raise(vbs::err::NoSuchMember);
    requireNoArguments(args);
    const QMetaProperty property = object.metaObject()->property(*index);
    if (!property.isWritable())
        vbs::raise(vbs::err::WrongArgCount);
    const QVariant converted = toQt(value, property.metaType());
    if (!refusalsAsScriptErrors([&] { return property.write(&object, converted); }))
        vbs::raise(vbs::err::WrongArgCount);
}

vbs::Value QObjectHost::callMethod(std::u16string_view name, std::span<vbs::Value> args) {
    return getProperty(name, args);
}

std::vector<vbs::MemberInfo> QObjectHost::members() const {
    std::vector<vbs::MemberInfo> list;
    for (const auto& member : extras_)
        list.push_back({member.name, member.kind, member.maxArgs, member.hasReturnValue});
    const QObject& object = liveObject();
    const QMetaObject* meta = object.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        std::u16string name = fromQt(QString::fromLatin1(meta->property(i).name()));
        for (const auto& rename : profile_.renames)
            if (rename.qtProperty == meta->property(i).name())
                name = rename.scriptName;
        list.push_back({name, vbs::MemberInfo::Kind::Property, 0, true});
    }
    for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (scriptCallable(method))
            list.push_back({fromQt(QString::fromLatin1(method.name())),
                            vbs::MemberInfo::Kind::Method, method.parameterCount(),
                            method.returnMetaType().id() != QMetaType::Void});
    }
    return list;
}

std::u16string QObjectHost::typeName() const {
    return fromQt(QString::fromLatin1(liveObject().metaObject()->className()));
}

vbs::Value toScript(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return vbs::Value();
    case QMetaType::Nullptr:
        return vbs::Value::null();
    case QMetaType::Bool:
        return vbs::Value::boolean(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return wholeNumber(value.toLongLong());
    case QMetaType::Float:
        return vbs::Value::single(value.toFloat());
    case QMetaType::Double:
        return vbs::Value::dbl(value.toDouble());
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return vbs::Value::date(serialOf(value.toDateTime()));
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        std::vector<vbs::Value> items;
        for (const QVariant& item : value.toList())
            items.push_back(toScript(item));
        return vbs::Value::array(vbs::Array::fromValues(std::move(items)));
    }
    case QMetaType::QObjectStar:
        return objectValue(value.value<QObject*>());
    default:
        break;
    }
    if (value.metaType().flags().testFlag(QMetaType::PointerToQObject))
        return objectValue(value.value<QObject*>());
    if (value.canConvert<QString>())
        return vbs::Value::string(fromQt(value.toString()));
    vbs::raise(vbs::err::TypeMismatch);
}

QVariant toQt(const vbs::Value& value) {
    switch (value.type()) {
    case vbs::Type::Empty:
        return {};
    case vbs::Type::Null:
        return QVariant::fromValue(nullptr);
    case vbs::Type::Boolean:
        return value.asBool();
    case vbs::Type::Byte:
    case vbs::Type::Integer:
    case vbs::Type::Long:
    case vbs::Type::Error:
        return vbs::toLong(value);
    case vbs::Type::Single:
    case vbs::Type::Double:
    case vbs::Type::Currency:
        return vbs::toDouble(value);
    case vbs::Type::Date:
        return momentOf(value.asDouble());
    case vbs::Type::String:
        return fromScript(value.asString());
    case vbs::Type::Object: {
        if (value.isNothing())
            return QVariant::fromValue<QObject*>(nullptr);
        if (auto* bridged = dynamic_cast<QObjectHost*>(value.asObject()->target()))
            return QVariant::fromValue(bridged->object());
        break;
    }
    case vbs::Type::Array: {
        const vbs::Array& array = *value.asArray();
        if (array.dimensions() != 1)
            break;
        QVariantList items;
        for (const vbs::Value& item : array.elements())
            items.push_back(toQt(item));
        return items;
    }
    }
    vbs::raise(vbs::err::TypeMismatch);
}

QVariant toQt(const vbs::Value& value, QMetaType type) {
    // Text, numbers and flags follow the script's own conversion rules, not Qt's: a
    // number that does not fit the parameter is an overflow, never cut down to fit.
    switch (type.id()) {
    case QMetaType::QString:
        return fromScript(vbs::toText(value));
    case QMetaType::Bool:
        return vbs::toBool(value);
    case QMetaType::Int:
        return vbs::toLong(value);
    case QMetaType::Short:
        return QVariant::fromValue<short>(vbs::toInteger(value));
    case QMetaType::UShort:
        return QVariant::fromValue(narrowed<ushort>(value));
    case QMetaType::UChar:
        return QVariant::fromValue<uchar>(vbs::toByte(value));
    case QMetaType::SChar:
        return QVariant::fromValue(narrowed<signed char>(value));
    case QMetaType::Char:
        return QVariant::fromValue(narrowed<char>(value));
    case QMetaType::Double:
        return vbs::toDouble(value);
    case QMetaType::QVariant:
        return toQt(value);
    default:
        break;
    }
    QVariant converted = toQt(value);
    if (!converted.convert(type))
        vbs::raise(vbs::err::TypeMismatch);
    return converted;
}

} // namespace script
