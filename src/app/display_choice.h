// Which Qt platform the program starts on, decided before Qt starts. Qt left to itself
// tries the platforms it is given one after the other and ends the program with a fatal
// error when none starts; a bench PC reached over SSH often has no display at all, or a
// DISPLAY left over from a forwarding tunnel that has died. So each wanted platform is
// checked first (its plugin installed, its variable set, its server answering) and only
// one that passes is handed to Qt; when none passes, the offscreen platform stands in.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace app {

// What the choice needs to know about the machine: the program asks the real one
// (display_probe.h), tests describe a made-up one.
struct DisplayProbes {
    std::function<std::string(const char* name)> variable; // empty when unset
    std::function<bool(const std::string& key)> pluginInstalled;
    std::function<bool(const std::string& display)> xServerAnswers;
    std::function<bool(const std::string& waylandDisplay)> waylandAnswers;
};

struct DisplayChoice {
    // What Qt is told to start: a platform name with its options ("xcb", "vnc:size=800x600"),
    // empty when not even a headless platform is installed.
    std::string platform;
    // Its windows can be seen, so questions are asked in windows rather than on the terminal.
    bool visible = false;
    // None of the wanted platforms passed: a headless one stands in for them.
    bool fallback = false;
    // Why each wanted platform was passed over, in the order they were wanted.
    std::vector<std::string> refused;
};

// The wanted platforms are those named by Qt's -platform option (platformArgument) or
// else by QT_QPA_PLATFORM, as a ";"-separated list; when neither names any, Wayland
// when WAYLAND_DISPLAY is set, then X when DISPLAY is set.
DisplayChoice chooseDisplay(const std::optional<std::string>& platformArgument,
                            const DisplayProbes& probes);

// The one line a normal start ends with when nobody can see the panel.
std::string noDisplayLine(const DisplayChoice& choice);

} // namespace app
