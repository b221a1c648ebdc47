// The OS check and the operator's walk through a failing port claim.
#include "device/PortSetup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <system_error>

#include "device/UseParPort.h"
#include "platform/os_version.h"
#include "platform/parllio/parllio.h"
#include "platform/parllio/sim/sim_board.h"
#include "support/port_recorder.h"
#include "support/scripted_dialogs.h"

namespace {

using platform::Answer;
using testsupport::ProgramEnded;

const std::string couldNotConnect = "Could not connect to the parallel port";
const std::string continueWithout =
    "Parallel Port could not be located. Continue application without parallel port?";
const std::string ignoreMessage = "Failed to claim Parallel Port. Application can continue to run "
                                  "but cannot program the device.";

void pretendSystem(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    platform::setVersionSource([=](platform::OsVersionRecord& record) {
        record.platformId = platformId;
        record.majorVersion = major;
        record.minorVersion = minor;
        return true;
    });
}

TEST(GetOSVersion, MapsPlatformAndVersionToTheCode) {
    struct Case {
        std::uint32_t platformId, major, minor;
        device::Integer code;
    };
    const Case cases[] = {
        {1, 4, 0, 95},  {1, 4, 10, 98},  {1, 4, 90, 0},   {2, 3, 51, 351},
        {2, 4, 0, 400}, {2, 5, 1, 2000}, {2, 6, 1, 2000}, {2, 10, 0, 2000},
        {2, 2, 0, 0},   {0, 5, 0, -1},   {3, 5, 0, -1},
    };
    for (const Case& c : cases) {
        pretendSystem(c.platformId, c.major, c.minor);
        EXPECT_EQ(device::getOSVersion(), c.code)
            << c.platformId << ' ' << c.major << '.' << c.minor;
    }
    platform::setVersionSource([](platform::OsVersionRecord&) { return false; });
    EXPECT_EQ(device::getOSVersion(), -1);
    platform::setVersionSource({});
}

TEST(GetOSVersion, ALinuxKernelQualifiesByItsMajorVersion) {
    const std::pair<const char*, device::Integer> kernels[] = {{"6.1.0-18-amd64", 2000},
                                                               {"5.10.0", 2000},
                                                               {"4.19.0", 400},
                                                               {"3.16.0", 351},
                                                               {"2.6.32", 0}};
    for (const auto& [release, code] : kernels) {
        platform::setVersionSource([release = release](platform::OsVersionRecord& record) {
            platform::fillFromKernel(record, release, "#1 SMP");
            return true;
        });
        EXPECT_EQ(device::getOSVersion(), code) << release;
        EXPECT_EQ(device::osNeedsPortSetup(code), code != 0) << release;
    }
    platform::setVersionSource({});
}

class PortSetup : public ::testing::Test {
protected:
    void SetUp() override {
        device::resetProgramState();
        pretendSystem(2, 6, 1);
    }
    void TearDown() override {
        parllio::useBackend(nullptr);
        platform::setVersionSource({});
    }

    // A simulated board that refuses this many claims (nothing: every claim).
    static void boardRefusing(std::optional<int> refusals) {
        parllio::SimSettings settings;
        settings.refusals = refusals;
        parllio::useBackend(std::make_unique<parllio::SimBoard>(settings));
    }

    testsupport::ScriptedDialogs dialogs;
    testsupport::ProgramEndTrap endTrap;
};

TEST_F(PortSetup, ClaimAtOnceShowsNothingAndKeeps888) {
    boardRefusing(0);
    device::setUpPortAtStartUp();
    EXPECT_TRUE(device::portAvailable);
    EXPECT_EQ(device::portAddress, 888);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(device::lpt1Address, 888);
    EXPECT_EQ(device::lpt2Address, 632);
    EXPECT_EQ(device::lpt3Address, 956);
}

TEST_F(PortSetup, ThreeRetriesWalkTheAddressesThenYesContinuesWithoutPort) {
    boardRefusing(std::nullopt);
    dialogs.answers = {Answer::Retry, Answer::Retry, Answer::Retry, Answer::Yes};
    device::setUpPortAtStartUp();
    EXPECT_FALSE(device::portAvailable);
    EXPECT_EQ(device::portAddress, 956);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{couldNotConnect, couldNotConnect,
                                                         couldNotConnect, continueWithout}));
    EXPECT_EQ(dialogs.messages.front().buttons, platform::Buttons::AbortRetryIgnore);
    EXPECT_EQ(dialogs.messages.back().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(dialogs.messages.back().title, "FLTAMP");
}

TEST_F(PortSetup, NoAfterTheThirdAddressEndsTheProgram) {
    boardRefusing(std::nullopt);
    dialogs.answers = {Answer::Retry, Answer::Retry, Answer::Retry, Answer::No};
    EXPECT_THROW(device::setUpPortAtStartUp(), ProgramEnded);
    EXPECT_FALSE(device::portAvailable);
}

TEST_F(PortSetup, RetryThenSuccessSendsEveryTransferTo632) {
    testsupport::RecordedPort port;
    parllio::SimSettings refusingOnce;
    refusingOnce.refusals = 1;
    port.recorder->inner = std::make_unique<parllio::SimBoard>(refusingOnce);
    dialogs.answers = {Answer::Retry};
    device::setUpPortAtStartUp();
    EXPECT_TRUE(device::portAvailable);
    EXPECT_EQ(device::portAddress, 632);
    EXPECT_EQ(device::candidatePort, 632);

    device::readFreqCodeAtLoad();
    device::writeFreqCode(device::Integer{5}, 0);
    device::readBackCode(0);
    device::readFreqCode(0, 0);
    EXPECT_TRUE(port.recorder->allAt(632)); // data register 632, status 633
    EXPECT_EQ(device::currentCode, 5);
}

// A port library that fails when asked to claim: missing, or faulting inside.
class FailingLibrary : public parllio::Backend {
public:
    explicit FailingLibrary(std::function<void()> fault) : fault_(std::move(fault)) {}
    bool claim(std::string&) override {
        ++claims;
        fault_();
        return true;
    }
    void outByte(std::int32_t, std::uint8_t) override { fault_(); }
    std::uint8_t inByte(std::int32_t) override {
        fault_();
        return 0;
    }
    int claims = 0;

private:
    std::function<void()> fault_;
};

TEST_F(PortSetup, AClaimThatRaisesAnErrorIsARefusedClaim) {
    const std::function<void()> faults[] = {
        [] { throw parllio::PortError("libparllio.so: cannot open shared object file"); },
        [] { throw std::system_error(ENODEV, std::generic_category(), "claim"); },
    };
    for (const auto& fault : faults) {
        device::resetProgramState();
        auto owned = std::make_unique<FailingLibrary>(fault);
        FailingLibrary& library = *owned;
        parllio::useBackend(std::move(owned));
        dialogs.messages.clear();
        dialogs.answers = {Answer::Retry, Answer::Retry, Answer::Retry, Answer::Yes};
        device::setUpPortAtStartUp();
        EXPECT_EQ(library.claims, 3); // 888, 632, 956; the question makes no further claim
        EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{couldNotConnect, couldNotConnect,
                                                             couldNotConnect, continueWithout}));
        EXPECT_FALSE(device::portAvailable);
        EXPECT_EQ(device::portAddress, 956);
    }
}

TEST_F(PortSetup, AbortEndsTheProgramAtOnce) {
    boardRefusing(std::nullopt);
    dialogs.answers = {Answer::Abort};
    EXPECT_THROW(device::setUpPortAtStartUp(), ProgramEnded);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(PortSetup, IgnoreExplainsAndGoesOnWithoutPort) {
    boardRefusing(std::nullopt);
    dialogs.answers = {Answer::Ignore};
    device::setUpPortAtStartUp();
    EXPECT_FALSE(device::portAvailable);
    EXPECT_EQ(device::portAddress, 888);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{couldNotConnect, ignoreMessage}));
}

TEST_F(PortSetup, UnknownBackendBehavesAsARefusedClaim) {
    setenv("FLTAMP_PORT", "nonesuch", 1);
    dialogs.answers = {Answer::Ignore};
    device::setUpPortAtStartUp();
    unsetenv("FLTAMP_PORT");
    EXPECT_FALSE(device::portAvailable);
    EXPECT_EQ(dialogs.texts().front(), couldNotConnect);
}

TEST_F(PortSetup, NoPortSetupOnSystemsThatDoNotQualify) {
    const std::pair<std::uint32_t, std::uint32_t> systems[] = {{1, 0}, {1, 10}, {2, 2}};
    for (const auto& [platformId, minor] : systems) {
        pretendSystem(platformId, 2, minor);
        device::resetProgramState();
        device::setUpPortAtStartUp();
        EXPECT_FALSE(device::portAvailable);
        EXPECT_EQ(device::portAddress, 0);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PortSetup, UnknownSystemSaysSoWithACriticalIconAndNoTitle) {
    pretendSystem(7, 5, 0);
    device::setUpPortAtStartUp();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Failed to determine operating system");
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Critical);
    EXPECT_EQ(dialogs.messages[0].title, "");
    EXPECT_EQ(device::portAddress, 0);
}

} // namespace
