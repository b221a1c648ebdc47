// Checking the wanted Qt platforms one by one and picking the first that can start.
#include "app/display_choice.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace app {
namespace {

// Stand-ins when no wanted platform passes, in order: offscreen draws the windows into
// memory, so a command-line write behaves exactly as on a screen; minimal is the last
// resort of a stripped-down Qt.
constexpr const char* headlessPlatforms[] = {"offscreen", "minimal"};

enum class Kind {
    X,        // needs DISPLAY and an X server that answers
    Wayland,  // needs WAYLAND_DISPLAY and a compositor that answers
    Headless, // nothing to check: nobody sees its windows
    Remote,   // nothing to check: it serves its own viewers (vnc)
    Unchecked // no way to tell before Qt starts it whether it would start
};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "xcb:option=value" names the plugin "xcb"; Qt matches plugin keys without regard to case.
std::string pluginKey(const std::string& platform) {
    return lowerCase(platform.substr(0, platform.find(':')));
}

Kind kindOf(const std::string& key) {
    if (key == "xcb")
        return Kind::X;
    if (key == "wayland" || key.rfind("wayland-", 0) == 0)
        return Kind::Wayland;
    if (std::find(std::begin(headlessPlatforms), std::end(headlessPlatforms), key) !=
        std::end(headlessPlatforms))
        return Kind::Headless;
    if (key == "vnc")
        return Kind::Remote;
    return Kind::Unchecked;
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> parts;
    std::istringstream in(list);
    for (std::string part; std::getline(in, part, ';');)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

std::vector<std::string> wantedPlatforms(const std::optional<std::string>& platformArgument,
                                         const DisplayProbes& probes) {
    std::vector<std::string> wanted =
        split(platformArgument ? *platformArgument : probes.variable("QT_QPA_PLATFORM"));
    if (!wanted.empty())
        return wanted;
    if (!probes.variable("WAYLAND_DISPLAY").empty())
        wanted.push_back("wayland");
    if (!probes.variable("DISPLAY").empty())
        wanted.push_back("xcb");
    return wanted;
}

// A platform that draws through a display server: its variable must name one that answers.
std::optional<std::string> serverRefusal(const char* variable, const char* server,
                                         const std::function<bool(const std::string&)>& answers,
                                         const DisplayProbes& probes) {
    const std::string display = probes.variable(variable);
    if (display.empty())
        return std::string(variable) + " is not set";
    if (!answers(display))
        return std::string(server) + " at " + display + " does not answer";
    return std::nullopt;
}

// Why the platform cannot start; nothing when it can.
std::optional<std::string> refusal(const std::string& key, const DisplayProbes& probes) {
    if (!probes.pluginInstalled(key))
        return "the Qt platform \"" + key + "\" is not installed";
    switch (kindOf(key)) {
    case Kind::X:
        return serverRefusal("DISPLAY", "the X server", probes.xServerAnswers, probes);
    case Kind::Wayland:
        return serverRefusal("WAYLAND_DISPLAY", "the Wayland compositor", probes.waylandAnswers,
                             probes);
    case Kind::Headless:
    case Kind::Remote:
        return std::nullopt;
    case Kind::Unchecked:
        break;
    }
    return "the Qt platform \"" + key + "\" cannot be checked before it starts";
}

} // namespace

DisplayChoice chooseDisplay(const std::optional<std::string>& platformArgument,
                            const DisplayProbes& probes) {
    DisplayChoice choice;
    const std::vector<std::string> wanted = wantedPlatforms(platformArgument, probes);
    if (wanted.empty())
        choice.refused.push_back("neither DISPLAY nor WAYLAND_DISPLAY is set");
    for (const std::string& platform : wanted) {
        const std::string key = pluginKey(platform);
        if (const std::optional<std::string> why = refusal(key, probes)) {
            choice.refused.push_back(*why);
            continue;
        }
        choice.platform = platform;
        choice.visible = kindOf(key) != Kind::Headless;
        return choice;
    }
    choice.fallback = true;
    for (const char* platform : headlessPlatforms) {
        if (probes.pluginInstalled(platform)) {
            choice.platform = platform;
            break;
        }
    }
    return choice;
}

std::string noDisplayLine(const DisplayChoice& choice) {
    std::string line = "fltamp: no display to show the panel on";
    const char* separator = " (";
    for (const std::string& why : choice.refused) {
        line += separator + why;
        separator = "; ";
    }
    if (!choice.refused.empty())
        line += ")";
    return line + "; start it where a display answers, or write a code with -c CODE\n";
}

} // namespace app
