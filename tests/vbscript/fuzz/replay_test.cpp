// Replays every input the fuzzers ever found trouble with, so each stays fixed. The
// inputs live in regressions/<target>/, one file each.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzRegressions, EveryKeptInputRunsCleanly) {
    const std::filesystem::path folder = FUZZ_REGRESSIONS;
    std::size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

} // namespace
