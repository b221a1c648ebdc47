// The number of the script error an action raises (0 when it raises none), for tests
// that check which error the engine reports.
#pragma once

#include <string>

#include "vbscript/errors.h"

namespace testsupport {

int errorNumberOf(auto&& action, std::u16string* description = nullptr) {
    try {
        action();
    } catch (const vbs::ScriptError& error) {
        if (description)
            *description = error.description();
        return error.number();
    }
    return 0;
}

} // namespace testsupport
