// A listening socket that answers at most once.
#include "fake_display_server.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <filesystem>

namespace app::test {

FakeDisplayServer::FakeDisplayServer(const std::string& path, std::vector<std::uint32_t> reply)
    : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)), path_(path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    if (path[0] == '@')
        address.sun_path[0] = '\0';
    else
        std::filesystem::remove(path);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), length), 0) << path;
    EXPECT_EQ(::listen(fd_, 4), 0);
    if (!reply.empty())
        replier_ = std::thread([this, reply] {
            const int client = ::accept(fd_, nullptr, nullptr);
            std::uint32_t request[3];
            if (::recv(client, request, sizeof request, MSG_WAITALL) == sizeof request)
                ::send(client, reply.data(), reply.size() * sizeof reply[0], MSG_NOSIGNAL);
            ::close(client);
        });
}

FakeDisplayServer::~FakeDisplayServer() {
    ::shutdown(fd_, SHUT_RDWR); // wakes an accept that nobody came to
    if (replier_.joinable())
        replier_.join();
    ::close(fd_);
    if (path_[0] != '@')
        std::filesystem::remove(path_);
}

std::string unusedDisplayNumber() {
    return std::to_string(3000 + ::getpid() % 3000);
}

std::string xSocketName(const std::string& number) {
    return "@/tmp/.X11-unix/X" + number;
}

} // namespace app::test
