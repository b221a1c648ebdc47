// Finds out whether windows can be shown, before Qt starts.
#include "app/headless.h"

#include <cstdlib>
#include <string_view>

namespace app {
namespace {

std::string_view setting(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

Display chooseDisplay() {
    const std::string_view platform = setting("QT_QPA_PLATFORM");
    if (platform.starts_with("offscreen") || platform.starts_with("minimal"))
        return Display::Offscreen;
    if (!platform.empty() || !setting("DISPLAY").empty() || !setting("WAYLAND_DISPLAY").empty())
        return Display::Screen;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return Display::None;
}

} // namespace app
