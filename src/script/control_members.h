// What scripts reach on a control beyond its Qt properties and slots, in the terms a
// bench engineer's scripts use: a button's Value (True clicks it), a check box's Value
// (0 unchecked, 1 checked, 2 greyed), a radio button's Value, and a line edit's SelStart
// and SelLength.
#pragma once

#include <QObject>

#include <vector>

#include "vbscript/host_object.h"

namespace script {

// The language's "Invalid property value" (380): a control was given a value it cannot
// take.
[[noreturn]] void refuseValue();

std::vector<vbs::TableHostObject::Member> controlMembers(QObject* object);

} // namespace script
