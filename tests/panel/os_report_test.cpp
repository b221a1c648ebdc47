// The OS report's text: six labelled lines of the version record.
#include <gtest/gtest.h>

#include <cstring>

#include "panel/os_report.h"

namespace panel {
namespace {

TEST(OsReportTest, ListsTheSixValuesInOrder) {
    platform::OsVersionRecord record = platform::preparedVersionRecord();
    record.majorVersion = 5;
    record.minorVersion = 1;
    record.buildNumber = 2600;
    record.platformId = 2;
    std::memcpy(record.servicePack.data(), "Service Pack 3", 15);
    EXPECT_EQ(osReportText(record), "Build Number: 2600\r\n"
                                    "Major Version: 5\r\n"
                                    "Minor Version: 1\r\n"
                                    "Version Info Size: 148\r\n"
                                    "Platform ID: 2\r\n"
                                    "CSD Version: Service Pack 3\r\n");
}

TEST(OsReportTest, ShowsABuildNumberWithItsTopBitSetAsNegative) {
    platform::OsVersionRecord record = platform::preparedVersionRecord();
    record.buildNumber = 0xF0000001u;
    EXPECT_NE(osReportText(record).find("Build Number: -268435455\r\n"), std::string::npos);
}

TEST(OsReportTest, AnUnfilledRecordShowsZerosAnd128Blanks) {
    const std::string report = osReportText(platform::preparedVersionRecord());
    EXPECT_NE(report.find("Version Info Size: 148\r\n"), std::string::npos);
    EXPECT_NE(report.find("Platform ID: 0\r\n"), std::string::npos);
    EXPECT_NE(report.find("CSD Version: " + std::string(128, ' ') + "\r\n"), std::string::npos);
}

TEST(OsReportTest, AnEmptyServicePackShowsNothingAfterTheLabel) {
    platform::OsVersionRecord record = platform::preparedVersionRecord();
    record.servicePack[0] = '\0';
    const std::string report = osReportText(record);
    EXPECT_EQ(report.substr(report.size() - 15), "CSD Version: \r\n");
}

} // namespace
} // namespace panel
