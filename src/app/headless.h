// Running without a display, as on a bench PC reached over SSH, where DISPLAY may be
// unset or name an X server that no longer answers (a dead forwarding tunnel).
#pragma once

namespace app {

// Before Qt starts: unless the user named a Qt platform, lets Qt fall back to its
// offscreen platform when no display can be reached. True when the user named one.
bool allowHeadlessStart();

// After Qt started: true when no window can be seen (offscreen or minimal platform).
bool runningHeadless();

} // namespace app
