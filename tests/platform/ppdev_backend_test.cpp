// The real-port backend against a fake kernel: a procfs tree in a temporary folder and
// a table of system calls that records what it is asked.
#include "platform/parllio/ppdev/ppdev_backend.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;
using parllio::PortError;
using parllio::PpdevBackend;

struct FakeKernel {
    std::map<std::string, int> openErrors;    // path -> errno of a failing open
    std::map<unsigned long, int> ioctlErrors; // request -> errno of a failing ioctl
    std::vector<std::string> calls;
    std::map<int, unsigned char> dataRegister;
    unsigned char status = 0x7F;
    int nextFd = 10;

    parllio::SystemCalls calls_(const std::string& procRoot) {
        parllio::SystemCalls table;
        table.procRoot = procRoot;
        table.deviceRoot = "/fake";
        table.open = [this](const char* path, int flags) {
            calls.push_back(std::string("open ") + path);
            EXPECT_EQ(flags & O_ACCMODE, O_RDWR);
            if (auto e = openErrors.find(path); e != openErrors.end()) {
                errno = e->second;
                return -1;
            }
            return nextFd++;
        };
        table.ioctl = [this](int fd, unsigned long request, void* argument) {
            calls.push_back(name(request) + " " + std::to_string(fd));
            if (auto e = ioctlErrors.find(request); e != ioctlErrors.end()) {
                errno = e->second;
                return -1;
            }
            if (request == PPWDATA)
                dataRegister[fd] = *static_cast<unsigned char*>(argument);
            if (request == PPRSTATUS)
                *static_cast<unsigned char*>(argument) = status;
            return 0;
        };
        table.close = [this](int fd) {
            calls.push_back("close " + std::to_string(fd));
            return 0;
        };
        return table;
    }

    static std::string name(unsigned long request) {
        switch (request) {
        case PPEXCL:
            return "EXCL";
        case PPCLAIM:
            return "CLAIM";
        case PPWDATA:
            return "WDATA";
        case PPRSTATUS:
            return "RSTATUS";
        }
        return "?";
    }
};

class Ppdev : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("fltamp-proc-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    void addPort(int number, const std::string& baseAddr) {
        fs::create_directories(root / ("parport" + std::to_string(number)));
        std::ofstream(root / ("parport" + std::to_string(number)) / "base-addr") << baseAddr;
    }

    PpdevBackend backend() { return PpdevBackend(kernel.calls_(root.string())); }

    fs::path root;
    FakeKernel kernel;
};

TEST_F(Ppdev, ClaimsEachPortExclusivelyInNumberOrder) {
    addPort(1, "632\t0\n");
    addPort(0, "888\t1912\n");
    fs::create_directories(root / "default"); // not a port
    PpdevBackend port = backend();
    std::string why;
    ASSERT_TRUE(port.claim(why));
    EXPECT_EQ(kernel.calls,
              (std::vector<std::string>{"open /fake/parport0", "EXCL 10", "CLAIM 10",
                                        "open /fake/parport1", "EXCL 11", "CLAIM 11"}));
    ASSERT_EQ(port.claimedPorts().size(), 2u);
    EXPECT_EQ(port.claimedPorts()[0].base, 888);
    EXPECT_EQ(port.claimedPorts()[1].base, 632);
}

TEST_F(Ppdev, ExplainsAFailedClaimInTheUsersTerms) {
    struct Case {
        int openErrno;
        unsigned long failingIoctl;
        int ioctlErrno;
        const char* expected;
    };
    const Case cases[] = {
        {EACCES, 0, 0, "lp group"},
        {0, PPEXCL, EBUSY, "lp printer driver"},
        {0, PPCLAIM, EBUSY, "lp printer driver"},
        {ENOENT, 0, 0, "no parallel port found"},
        {0, PPCLAIM, EIO, "Input/output error"},
    };
    addPort(0, "888");
    for (const Case& c : cases) {
        kernel = FakeKernel{};
        if (c.openErrno)
            kernel.openErrors["/fake/parport0"] = c.openErrno;
        if (c.failingIoctl)
            kernel.ioctlErrors[c.failingIoctl] = c.ioctlErrno;
        PpdevBackend port = backend();
        std::string why;
        EXPECT_FALSE(port.claim(why));
        EXPECT_NE(why.find(c.expected), std::string::npos) << why;
        if (c.failingIoctl) { // a port opened but not claimed is closed again
            EXPECT_EQ(kernel.calls.back(), "close 10");
        }
    }
}

TEST_F(Ppdev, NoPortsAtAllIsNoParallelPortFound) {
    PpdevBackend port = backend();
    std::string why;
    EXPECT_FALSE(port.claim(why));
    EXPECT_EQ(why, "no parallel port found");
    EXPECT_TRUE(kernel.calls.empty());
}

TEST_F(Ppdev, OneUsablePortIsEnough) {
    addPort(0, "888");
    addPort(1, "632");
    kernel.openErrors["/fake/parport0"] = EACCES;
    PpdevBackend port = backend();
    std::string why;
    EXPECT_TRUE(port.claim(why));
    ASSERT_EQ(port.claimedPorts().size(), 1u);
    EXPECT_EQ(port.claimedPorts()[0].number, 1);
}

TEST_F(Ppdev, AddressesFindTheirPortAndStandardAddressesFallBackToPortOrder) {
    addPort(0, "53248"); // a PCI card
    addPort(1, "632");
    PpdevBackend port = backend();
    std::string why;
    ASSERT_TRUE(port.claim(why));
    const std::pair<std::int32_t, int> writes[] = {{53248, 10}, {632, 11}, {888, 10}};
    for (const auto& [address, fd] : writes) {
        port.outByte(address, 0x05);
        EXPECT_EQ(kernel.dataRegister[fd], 0x05) << address;
    }
    kernel.status = 0xD8;
    EXPECT_EQ(port.inByte(53249), 0xD8); // raw: no bit inverted
    EXPECT_EQ(port.inByte(889), 0xD8);
}

TEST_F(Ppdev, UnmappedAddressesRaiseWithoutAnySystemCall) {
    addPort(0, "888");
    PpdevBackend port = backend();
    std::string why;
    ASSERT_TRUE(port.claim(why));
    kernel.calls.clear();
    EXPECT_THROW(port.outByte(632, 1), PortError); // second standard port: not there
    EXPECT_THROW(port.outByte(0x1234, 1), PortError);
    EXPECT_THROW(port.inByte(957), PortError);
    EXPECT_TRUE(kernel.calls.empty());
}

TEST_F(Ppdev, FailingIoctlsRaise) {
    addPort(0, "888");
    PpdevBackend port = backend();
    std::string why;
    ASSERT_TRUE(port.claim(why));
    kernel.ioctlErrors[PPWDATA] = EIO;
    kernel.ioctlErrors[PPRSTATUS] = EIO;
    EXPECT_THROW(port.outByte(888, 1), PortError);
    EXPECT_THROW(port.inByte(889), PortError);
}

TEST_F(Ppdev, ReleasesItsDescriptorsWhenDestroyed) {
    addPort(0, "888");
    {
        PpdevBackend port = backend();
        std::string why;
        ASSERT_TRUE(port.claim(why));
    }
    EXPECT_EQ(kernel.calls.back(), "close 10");
}

// On a bench PC with a loopback plug (pin 3 to pin 13), FLTAMP_TEST_LOOPBACK=1 checks
// the real port: data bit 1 comes back on status bit 4.
TEST(PpdevHardware, LoopbackPlugEchoesDataBitOneOnStatusBitFour) {
    if (!std::getenv("FLTAMP_TEST_LOOPBACK"))
        GTEST_SKIP() << "set FLTAMP_TEST_LOOPBACK=1 with a loopback plug fitted";
    PpdevBackend port(parllio::SystemCalls::real());
    std::string why;
    ASSERT_TRUE(port.claim(why)) << why;
    const std::int32_t base = static_cast<std::int32_t>(port.claimedPorts().front().base);
    port.outByte(base, 2);
    EXPECT_TRUE(port.inByte(base + 1) & 0x10);
    port.outByte(base, 0);
    EXPECT_FALSE(port.inByte(base + 1) & 0x10);
}

} // namespace
