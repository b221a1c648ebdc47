// Records every port access and wait pass of a transfer, in order, over a backend that
// answers status reads from a script (or from a simulated board).
#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "device/UseParPort.h"
#include "platform/parllio/parllio.h"

namespace testsupport {

// One entry per event: "W 01" (write 0x01), "R 10" (status read 0x10), "." (a wait pass).
class PortRecorder : public parllio::Backend {
public:
    std::vector<std::string> events;
    std::vector<std::int32_t> addresses;
    std::deque<std::uint8_t> statuses;       // answers to status reads; 0 once used up
    std::unique_ptr<parllio::Backend> inner; // when set, it answers instead

    bool claim(std::string& why) override { return inner ? inner->claim(why) : true; }

    void outByte(std::int32_t address, std::uint8_t value) override {
        if (inner)
            inner->outByte(address, value);
        record('W', address, value);
    }

    std::uint8_t inByte(std::int32_t address) override {
        std::uint8_t value = 0;
        if (inner) {
            value = inner->inByte(address);
        } else if (!statuses.empty()) {
            value = statuses.front();
            statuses.pop_front();
        }
        record('R', address, value);
        return value;
    }

    std::vector<std::string> writes() const {
        std::vector<std::string> result;
        for (const auto& event : events)
            if (event[0] == 'W')
                result.push_back(event);
        return result;
    }

    int reads() const {
        int count = 0;
        for (const auto& event : events)
            count += event[0] == 'R';
        return count;
    }

    // Every write went to the data register at base and every read to the status
    // register above it.
    bool allAt(std::int32_t base) const {
        std::size_t access = 0;
        for (const auto& event : events) {
            if (event == ".")
                continue;
            if (addresses.at(access++) != (event[0] == 'W' ? base : base + 1))
                return false;
        }
        return access > 0;
    }

private:
    void record(char kind, std::int32_t address, std::uint8_t value) {
        char text[8];
        std::snprintf(text, sizeof text, "%c %02x", kind, value);
        events.push_back(text);
        addresses.push_back(address);
    }
};

// Installs a recorder as the port backend, and a wait that marks each pass, for one test.
class RecordedPort {
public:
    RecordedPort() {
        auto owned = std::make_unique<PortRecorder>();
        recorder = owned.get();
        parllio::useBackend(std::move(owned));
        device::setWaitFunction([this](device::Long count) {
            for (device::Long pass = 0; pass <= count; ++pass)
                recorder->events.push_back(".");
        });
    }
    ~RecordedPort() {
        device::setWaitFunction({});
        parllio::useBackend(nullptr);
    }
    RecordedPort(const RecordedPort&) = delete;
    RecordedPort& operator=(const RecordedPort&) = delete;

    PortRecorder* recorder;
};

} // namespace testsupport
