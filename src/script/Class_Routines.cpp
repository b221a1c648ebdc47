// The routines class and its program-wide instance.
#include "script/Class_Routines.h"

#include <memory>

#include "platform/dialogs.h"
#include "script/Routines.h"

namespace script {
namespace {

std::unique_ptr<Class_Routines>& instance() {
    static std::unique_ptr<Class_Routines> routines;
    return routines;
}

} // namespace

Class_Routines::Class_Routines() {
    platform::messageBox({"Class_Routines Initialized"});
}

QString Class_Routines::pad(const QString& txt, short padTo) const {
    return routines::pad(txt, padTo);
}

QString Class_Routines::chars(short Number, const QString& character) const {
    return routines::chars(Number, character);
}

void Class_Routines::useRoutines() const {
    routines::useRoutines();
}

Class_Routines& routinesInstance() {
    if (!instance())
        instance() = std::make_unique<Class_Routines>();
    return *instance();
}

void forgetRoutinesInstance() {
    instance().reset();
}

} // namespace script
