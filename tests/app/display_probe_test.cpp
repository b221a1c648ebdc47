// The checks of the machine behind the choice of platform, against made-up servers on
// local sockets: one that is missing, one that accepts and then says nothing, one that
// answers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "app/display_probe.h"
#include "fake_display_server.h"

namespace app {
namespace {

using test::FakeDisplayServer;
using test::unusedDisplayNumber;
using test::xSocketName;

using namespace std::chrono_literals;

constexpr auto shortLimit = 300ms;

std::string socketPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("fltamp-" + name + "-" + std::to_string(::getpid())))
        .string();
}

// wl_callback.done on the object the sync request created, with a serial.
const std::vector<std::uint32_t> syncDone{2, (12u << 16) | 0, 7};
// wl_display.error: the compositor refused the request.
const std::vector<std::uint32_t> displayError{1, (12u << 16) | 0, 0};

TEST(WaylandProbe, AnAnsweringCompositorAnswers) {
    const std::string path = socketPath("wayland-answers");
    FakeDisplayServer compositor(path, syncDone);
    EXPECT_TRUE(waylandCompositorAnswers(path, shortLimit));
}

TEST(WaylandProbe, ASilentMissingOrRefusingCompositorDoesNot) {
    const std::string silent = socketPath("wayland-silent");
    FakeDisplayServer stopped(silent);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waylandCompositorAnswers(silent, shortLimit));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10 * shortLimit);

    const std::string refusing = socketPath("wayland-refuses");
    FakeDisplayServer error(refusing, displayError);
    EXPECT_FALSE(waylandCompositorAnswers(refusing, shortLimit));

    EXPECT_FALSE(waylandCompositorAnswers(socketPath("wayland-missing"), shortLimit));
    EXPECT_FALSE(waylandCompositorAnswers("", shortLimit));
    EXPECT_FALSE(waylandCompositorAnswers("/" + std::string(200, 'x'), shortLimit));
}

TEST(WaylandProbe, ANameIsLookedUpInTheRuntimeFolder) {
    const std::string path = socketPath("wayland-relative");
    FakeDisplayServer compositor(path, syncDone);
    const std::filesystem::path file(path);
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved ? saved : "";
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_FALSE(waylandCompositorAnswers(file.filename().string(), shortLimit));
    ::setenv("XDG_RUNTIME_DIR", file.parent_path().c_str(), 1);
    EXPECT_TRUE(waylandCompositorAnswers(file.filename().string(), shortLimit));
    if (saved)
        ::setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(XProbe, AMissingServerDoesNotAnswer) {
    EXPECT_FALSE(xServerAnswers(":" + unusedDisplayNumber(), shortLimit));
}

TEST(XProbe, AServerThatAcceptsAndSaysNothingDoesNotAnswerWithinTheLimit) {
    const std::string number = unusedDisplayNumber();
    FakeDisplayServer stopped(xSocketName(number));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(xServerAnswers(":" + number, shortLimit));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10 * shortLimit);
}

TEST(PlatformPlugins, OffscreenIsAlwaysThere) {
    const std::set<std::string> installed = installedQtPlatforms();
    EXPECT_EQ(installed.count("offscreen"), 1u);
    EXPECT_EQ(installed.count("nosuch"), 0u);
}

} // namespace
} // namespace app
