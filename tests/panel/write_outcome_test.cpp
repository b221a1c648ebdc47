// How a command-line write is judged and reported.
#include <gtest/gtest.h>

#include <sstream>

#include "panel/write_outcome.h"

namespace panel {
namespace {

struct OutcomeCase {
    const char* name;
    WriteReport report;
    WriteOutcome outcome;
};

WriteReport report(bool transferred, bool faulted, Integer written, bool readFaulted,
                   Integer answer) {
    return {transferred, faulted, written, {transferred, readFaulted, answer}};
}

class WriteOutcomeTest : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(WriteOutcomeTest, TellsTheTruthAboutTheWrite) {
    EXPECT_EQ(writeOutcome(GetParam().report), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, WriteOutcomeTest,
    ::testing::Values(
        OutcomeCase{"written", report(true, false, 5, false, 5), WriteOutcome::Written},
        OutcomeCase{"noPort", report(false, false, 5, false, 0), WriteOutcome::PortUnavailable},
        OutcomeCase{"differs", report(true, false, 5, false, 6), WriteOutcome::ReadBackDiffers},
        OutcomeCase{"thirtyOne", report(true, false, 5, false, 31),
                    WriteOutcome::ReadBackOutOfRange},
        OutcomeCase{"codeAbove29", report(true, false, 40, false, 31),
                    WriteOutcome::ReadBackOutOfRange},
        OutcomeCase{"writeFault", report(true, true, 5, false, 5), WriteOutcome::PortFault},
        OutcomeCase{"readFault", report(true, false, 5, true, 5), WriteOutcome::PortFault}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteOutcomeReportTest, SaysNothingOnSuccess) {
    std::ostringstream err;
    EXPECT_EQ(reportWriteOutcome(WriteOutcome::Written, report(true, false, 5, false, 5), err), 0);
    EXPECT_EQ(err.str(), "");
}

TEST(WriteOutcomeReportTest, SaysWhyInOneLine) {
    for (const WriteOutcome outcome : {WriteOutcome::PortUnavailable, WriteOutcome::ReadBackDiffers,
                                       WriteOutcome::ReadBackOutOfRange, WriteOutcome::PortFault}) {
        std::ostringstream err;
        const int status = reportWriteOutcome(outcome, report(true, false, 5, false, 31), err);
        EXPECT_NE(status, 0);
        EXPECT_EQ(status, static_cast<int>(outcome));
        const std::string line = err.str();
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
        EXPECT_EQ(line.rfind("fltamp: ", 0), 0u) << line;
    }
}

} // namespace
} // namespace panel
