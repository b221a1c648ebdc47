// The real checks behind the choice of platform: the plugin folders Qt searches, an X
// connection made through the same libxcb Qt's X platform uses, and one Wayland round
// trip spoken on the socket directly.
#include "app/display_probe.h"

#include <dlfcn.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <thread>

namespace app {
namespace {

constexpr const char* platformInterface =
    "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface";

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void addPlatformKeys(const QString& folder, std::set<std::string>& keys) {
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files)) {
        const QJsonObject metaData = QPluginLoader(dir.absoluteFilePath(file)).metaData();
        if (!metaData.value("IID").toString().startsWith(QLatin1String(platformInterface)))
            continue;
        for (const QJsonValue key : metaData.value("MetaData").toObject().value("Keys").toArray())
            keys.insert(key.toString().toLower().toStdString());
    }
}

// Waits for a check run on its own thread; a check that outlives the limit is left to
// finish (or hang) on its own, and counts as no answer.
bool answersWithin(std::chrono::milliseconds limit, std::function<bool()> check) {
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> answered = answer->get_future();
    std::thread([answer, check = std::move(check)] { answer->set_value(check()); }).detach();
    return answered.wait_for(limit) == std::future_status::ready && answered.get();
}

// libxcb's own declarations, for the three calls made through dlopen: the program does
// not link libxcb, which only Qt's X platform needs.
struct XcbConnection;
using XcbConnect = XcbConnection* (*)(const char* display, int* screen);
using XcbHasError = int (*)(XcbConnection*);
using XcbDisconnect = void (*)(XcbConnection*);

struct WaylandHeader {
    std::uint32_t object;
    std::uint32_t sizeAndOpcode;
};
constexpr std::uint32_t waylandDisplayObject = 1;
constexpr std::uint32_t waylandSyncOpcode = 0;
constexpr std::uint32_t waylandCallbackObject = 2; // the new object the sync request creates
constexpr std::uint32_t waylandDoneOpcode = 0;

std::string waylandSocketPath(const std::string& waylandDisplay) {
    if (waylandDisplay.front() == '/')
        return waylandDisplay;
    const std::string runtimeFolder = variable("XDG_RUNTIME_DIR");
    return runtimeFolder.empty() ? "" : runtimeFolder + "/" + waylandDisplay;
}

struct Socket {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ~Socket() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads exactly size bytes unless the deadline passes or the peer closes first.
bool readFully(int fd, void* buffer, std::size_t size,
               std::chrono::steady_clock::time_point deadline) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t got = 0;
    while (got < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0)
            return false;
        const ssize_t n = ::recv(fd, bytes + got, size - got, MSG_DONTWAIT);
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::set<std::string> installedQtPlatforms() {
    std::set<std::string> keys;
    // Qt looks in QT_QPA_PLATFORM_PLUGIN_PATH itself before its plugin folders.
    if (const std::string extra = variable("QT_QPA_PLATFORM_PLUGIN_PATH"); !extra.empty()) {
        addPlatformKeys(QString::fromStdString(extra), keys);
        addPlatformKeys(QString::fromStdString(extra) + "/platforms", keys);
    }
    for (const QString& folder : QCoreApplication::libraryPaths())
        addPlatformKeys(folder + "/platforms", keys);
    return keys;
}

bool xServerAnswers(const std::string& display, std::chrono::milliseconds limit) {
    // Never closed: a connection attempt past the limit may still be running inside it.
    void* xcb = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!xcb)
        return false;
    const auto connect = reinterpret_cast<XcbConnect>(::dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<XcbHasError>(::dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<XcbDisconnect>(::dlsym(xcb, "xcb_disconnect"));
    if (!connect || !hasError || !disconnect)
        return false;
    return answersWithin(limit, [=] {
        // libxcb returns an error object rather than nothing; it is freed the same way.
        XcbConnection* connection = connect(display.c_str(), nullptr);
        const bool connected = hasError(connection) == 0;
        disconnect(connection);
        return connected;
    });
}

bool waylandCompositorAnswers(const std::string& waylandDisplay, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const std::string path = waylandDisplay.empty() ? "" : waylandSocketPath(waylandDisplay);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const Socket connection;
    const int fd = connection.fd;
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return false;
    // wl_display.sync: the compositor answers with the callback's done event.
    const std::uint32_t sync[3] = {waylandDisplayObject, (sizeof sync << 16) | waylandSyncOpcode,
                                   waylandCallbackObject};
    if (::send(fd, sync, sizeof sync, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof sync))
        return false;
    WaylandHeader header{};
    return readFully(fd, &header, sizeof header, deadline) &&
           header.object == waylandCallbackObject &&
           (header.sizeAndOpcode & 0xFFFF) == waylandDoneOpcode;
}

DisplayProbes machineProbes() {
    auto installed = std::make_shared<const std::set<std::string>>(installedQtPlatforms());
    return DisplayProbes{
        variable,
        [installed](const std::string& key) { return installed->count(key) > 0; },
        [](const std::string& display) { return xServerAnswers(display); },
        [](const std::string& display) { return waylandCompositorAnswers(display); },
    };
}

} // namespace app
