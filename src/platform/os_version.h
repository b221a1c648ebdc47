// The operating system's version record, shaped as the panel has always read it: record
// size, major/minor/build numbers, platform identifier and a 128-character service-pack
// text. On Linux it is filled from uname(2).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

inline constexpr std::uint32_t versionRecordSize = 148;
inline constexpr std::size_t servicePackLength = 128;

struct OsVersionRecord {
    std::uint32_t size = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::array<char, servicePackLength> servicePack{};
};

// Platform identifier of the NT family; Linux reports itself as one of that family.
inline constexpr std::uint32_t platformNt = 2;

// A record prepared as callers pass it: size 148, numbers zero, service-pack text blanks.
OsVersionRecord preparedVersionRecord();

// Fills the record from the running system; returns false (leaving the record as it
// was) when the system cannot be asked.
bool getVersionEx(OsVersionRecord& record);

// Fills the record as a Linux kernel describes itself: its release ("6.1.0-18-amd64")
// gives major, minor and build, its version text the service-pack text.
void fillFromKernel(OsVersionRecord& record, const char* release, const char* version);

// Tests put a fixed system in place; an empty function restores the real one.
void setVersionSource(std::function<bool(OsVersionRecord&)> source);

// The service-pack text up to its first NUL (all 128 characters when there is none).
std::string servicePackText(const OsVersionRecord& record);

} // namespace platform
