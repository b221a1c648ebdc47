// Choosing Qt's platform so that a missing or dead display never stops the program.
#include "app/headless.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string_view>

namespace app {
namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

bool allowHeadlessStart() {
    if (isSet("QT_QPA_PLATFORM"))
        return true;
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    else if (!isSet("WAYLAND_DISPLAY"))
        // Qt tries the platforms in order: an X server that does not answer means offscreen.
        setenv("QT_QPA_PLATFORM", "xcb;offscreen", 1);
    return false;
}

bool runningHeadless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace app
