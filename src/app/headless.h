// Running without a display, as on a bench PC reached over SSH, where DISPLAY may be
// unset or name an X server that no longer answers (a dead forwarding tunnel).
#pragma once

#include <QApplication>
#include <memory>

#include "app/display_choice.h"

namespace app {

// Before Qt starts: chooses the platform (display_choice.h) and makes Qt start that one
// and no other, whatever QT_QPA_PLATFORM or a -platform option in argv asked for.
DisplayChoice prepareDisplay(int argc, char** argv);
// The same for a run that never shows a window: offscreen whatever the display (minimal
// when offscreen is not installed).
DisplayChoice prepareOffscreen();

// Starts Qt on the prepared platform. Quiet holds back Qt's notes about the platform
// while it starts (a missing runtime folder, say): nobody needs them when no window will
// be seen, nor from a command-line write that succeeds.
std::unique_ptr<QApplication> startQt(int& argc, char** argv, bool quiet);

// After Qt started: true when no window can be seen (offscreen or minimal platform).
bool runningHeadless();

} // namespace app
