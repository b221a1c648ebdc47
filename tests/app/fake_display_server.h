// Made-up display servers on local sockets, for the checks that run before Qt starts:
// one that accepts a connection and then says nothing (a stopped X server, a stalled
// tunnel), or one that answers a single request with fixed bytes.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace app::test {

class FakeDisplayServer {
public:
    // A path starting with '@' names a socket in the abstract namespace, where libxcb
    // looks first for a local X display. With a reply the server accepts one client,
    // reads its 12-byte request and sends the reply; without one it never accepts.
    explicit FakeDisplayServer(const std::string& path, std::vector<std::uint32_t> reply = {});
    ~FakeDisplayServer();
    FakeDisplayServer(const FakeDisplayServer&) = delete;
    FakeDisplayServer& operator=(const FakeDisplayServer&) = delete;

private:
    int fd_;
    std::string path_;
    std::thread replier_;
};

// An X display number nobody is likely to use, different in each test run.
std::string unusedDisplayNumber();

// The abstract socket of local X display number.
std::string xSocketName(const std::string& number);

} // namespace app::test
