// Asking the machine, before Qt starts, what the choice of platform needs to know: which
// Qt platform plugins are installed and whether the display servers answer. Each check
// gives up after answerLimit, so a server that accepts a connection and then says
// nothing (a stopped X server, a stalled tunnel) cannot hang the program.
#pragma once

#include <chrono>
#include <set>
#include <string>

#include "app/display_choice.h"

namespace app {

// A server on this machine answers in milliseconds, one over a slow SSH link in well
// under a second.
constexpr std::chrono::milliseconds answerLimit{3000};

// The keys of the platform plugins Qt would find ("xcb", "offscreen", ...), lower case,
// read from the plugins' metadata without loading them.
std::set<std::string> installedQtPlatforms();

// Opens a connection as Qt's X platform would (libxcb, with the user's X authority) and
// closes it again. False when libxcb is missing: then Qt's X platform cannot start either.
bool xServerAnswers(const std::string& display, std::chrono::milliseconds limit = answerLimit);

// Connects to the compositor's socket (WAYLAND_DISPLAY, a name in XDG_RUNTIME_DIR or an
// absolute path) and waits for the answer to one round trip.
bool waylandCompositorAnswers(const std::string& waylandDisplay,
                              std::chrono::milliseconds limit = answerLimit);

// The probes above over the real environment.
DisplayProbes machineProbes();

} // namespace app
