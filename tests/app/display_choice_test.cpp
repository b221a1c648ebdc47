// The choice of Qt platform on made-up machines: which wanted platform is taken, and
// when offscreen stands in for all of them.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/display_choice.h"

namespace app {
namespace {

struct Machine {
    std::map<std::string, std::string> environment;
    std::set<std::string> plugins{"xcb", "offscreen", "minimal", "vnc", "eglfs"};
    std::set<std::string> xServers;    // DISPLAY values whose server answers
    std::set<std::string> compositors; // WAYLAND_DISPLAY values whose compositor answers

    DisplayProbes probes() const {
        return {[this](const char* name) {
                    const auto found = environment.find(name);
                    return found == environment.end() ? std::string() : found->second;
                },
                [this](const std::string& key) { return plugins.count(key) > 0; },
                [this](const std::string& display) { return xServers.count(display) > 0; },
                [this](const std::string& display) { return compositors.count(display) > 0; }};
    }
};

struct ChoiceCase {
    const char* what;
    Machine machine;
    std::optional<std::string> platformArgument;
    std::string platform;
    bool visible;
    bool fallback;
    std::vector<std::string> refused;
};

class DisplayChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(DisplayChoiceTest, TakesTheFirstWantedPlatformThatCanStart) {
    const ChoiceCase& c = GetParam();
    const DisplayChoice choice = chooseDisplay(c.platformArgument, c.machine.probes());
    EXPECT_EQ(choice.platform, c.platform);
    EXPECT_EQ(choice.visible, c.visible);
    EXPECT_EQ(choice.fallback, c.fallback);
    EXPECT_EQ(choice.refused, c.refused);
}

const Machine withWaylandPlugin = [] {
    Machine m;
    m.plugins.insert({"wayland", "wayland-egl"});
    return m;
}();

Machine with(Machine m, std::map<std::string, std::string> environment,
             std::set<std::string> xServers = {}, std::set<std::string> compositors = {}) {
    m.environment = std::move(environment);
    m.xServers = std::move(xServers);
    m.compositors = std::move(compositors);
    return m;
}

INSTANTIATE_TEST_SUITE_P(
    Machines, DisplayChoiceTest,
    ::testing::Values(
        ChoiceCase{
            "an X desktop", with({}, {{"DISPLAY", ":0"}}, {":0"}), {}, "xcb", true, false, {}},
        ChoiceCase{"no display at all",
                   {},
                   {},
                   "offscreen",
                   false,
                   true,
                   {"neither DISPLAY nor WAYLAND_DISPLAY is set"}},
        ChoiceCase{"a dead forwarding tunnel",
                   with({}, {{"DISPLAY", "localhost:10.0"}}),
                   {},
                   "offscreen",
                   false,
                   true,
                   {"the X server at localhost:10.0 does not answer"}},
        ChoiceCase{"a Wayland session without the Wayland plugin",
                   with({}, {{"WAYLAND_DISPLAY", "wayland-99"}}, {}, {"wayland-99"}),
                   {},
                   "offscreen",
                   false,
                   true,
                   {"the Qt platform \"wayland\" is not installed"}},
        ChoiceCase{"a Wayland session with XWayland",
                   with(withWaylandPlugin, {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}},
                        {":1"}, {"wayland-0"}),
                   {},
                   "wayland",
                   true,
                   false,
                   {}},
        ChoiceCase{
            "a Wayland compositor that does not answer, X does",
            with(withWaylandPlugin, {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, {":1"}),
            {},
            "xcb",
            true,
            false,
            {"the Wayland compositor at wayland-0 does not answer"}},
        ChoiceCase{"QT_QPA_PLATFORM=wayland with no WAYLAND_DISPLAY",
                   with(withWaylandPlugin, {{"QT_QPA_PLATFORM", "wayland-egl"}}),
                   {},
                   "offscreen",
                   false,
                   true,
                   {"WAYLAND_DISPLAY is not set"}},
        ChoiceCase{"QT_QPA_PLATFORM=xcb with no DISPLAY",
                   with({}, {{"QT_QPA_PLATFORM", "xcb"}}),
                   {},
                   "offscreen",
                   false,
                   true,
                   {"DISPLAY is not set"}},
        ChoiceCase{"a named list keeps its order and the options",
                   with({}, {{"QT_QPA_PLATFORM", ";xcb;vnc:size=800x600"}, {"DISPLAY", ":5"}}),
                   {},
                   "vnc:size=800x600",
                   true,
                   false,
                   {"the X server at :5 does not answer"}},
        ChoiceCase{"a named headless platform is what was asked for",
                   with({}, {{"QT_QPA_PLATFORM", "Offscreen"}, {"DISPLAY", ":0"}}, {":0"}),
                   {},
                   "Offscreen",
                   false,
                   false,
                   {}},
        ChoiceCase{"a platform that cannot be checked is not tried",
                   with({}, {{"QT_QPA_PLATFORM", "eglfs"}}),
                   {},
                   "offscreen",
                   false,
                   true,
                   {"the Qt platform \"eglfs\" cannot be checked before it starts"}},
        ChoiceCase{"a platform that is not installed is not tried",
                   with({}, {{"QT_QPA_PLATFORM", "nosuch"}}),
                   {},
                   "offscreen",
                   false,
                   true,
                   {"the Qt platform \"nosuch\" is not installed"}},
        ChoiceCase{"the -platform option wins over QT_QPA_PLATFORM",
                   with({}, {{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":0"}}, {":0"}),
                   std::string("xcb"),
                   "xcb",
                   true,
                   false,
                   {}},
        ChoiceCase{"an empty list names nothing",
                   with({}, {{"DISPLAY", ":0"}}, {":0"}),
                   std::string(";"),
                   "xcb",
                   true,
                   false,
                   {}}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(DisplayChoice, MinimalStandsInWhenOffscreenIsMissingAndNothingWhenBothAre) {
    Machine machine;
    machine.plugins = {"minimal"};
    EXPECT_EQ(chooseDisplay({}, machine.probes()).platform, "minimal");
    machine.plugins = {};
    EXPECT_EQ(chooseDisplay({}, machine.probes()).platform, "");
}

TEST(DisplayChoice, TheLineSaysWhyEachWantedPlatformWasPassedOver) {
    DisplayChoice choice;
    choice.refused = {"DISPLAY is not set", "the Qt platform \"wayland\" is not installed"};
    EXPECT_EQ(noDisplayLine(choice),
              "fltamp: no display to show the panel on (DISPLAY is not set; the Qt platform "
              "\"wayland\" is not installed); start it where a display answers, or write a code "
              "with -c CODE\n");
}

} // namespace
} // namespace app
