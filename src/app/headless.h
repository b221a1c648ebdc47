// Running without a display, as on a bench PC reached over SSH.
#pragma once

namespace app {

enum class Display {
    Screen,    // windows are shown on a desktop
    Offscreen, // the user asked for Qt's offscreen (or minimal) platform
    None,      // nothing to show windows on: Qt's offscreen platform is chosen here
};

// Looks at the environment before Qt starts, choosing offscreen when there is no display.
Display chooseDisplay();

} // namespace app
