// Records every port access and wait pass of a transfer, in order, over a backend that
// answers status reads from a script (or from a simulated board). The board can sit
// straight on the port or behind an adapter backend (FTDI, GPIO) and its fake.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/UseParPort.h"
#include "platform/parllio/ftdi/ftdi_backend.h"
#include "platform/parllio/gpio/gpio_backend.h"
#include "platform/parllio/parllio.h"
#include "support/fake_ftdi.h"
#include "support/fake_gpio.h"

namespace testsupport {

// One entry per event: "W 01" (write 0x01), "R 10" (status read 0x10), "." (a wait pass).
class PortRecorder : public parllio::Backend {
public:
    std::vector<std::string> events;
    std::vector<std::int32_t> addresses;
    std::deque<std::uint8_t> statuses;       // answers to status reads; 0 once used up
    std::unique_ptr<parllio::Backend> inner; // when set, it answers instead
    // With an adapter as `inner`: puts each scripted status's answer bit on the board's
    // answer line just before the read; the status then comes back with that bit as the
    // adapter read it.
    std::function<void(bool level)> driveAnswer;

    bool claim(std::string& why) override { return inner ? inner->claim(why) : true; }

    void outByte(std::int32_t address, std::uint8_t value) override {
        if (inner)
            inner->outByte(address, value);
        record('W', address, value);
    }

    std::uint8_t inByte(std::int32_t address) override {
        std::uint8_t value = 0;
        if (driveAnswer) {
            const std::uint8_t scripted = nextStatus();
            driveAnswer(scripted & wire::answerLine);
            value = (scripted & ~wire::answerLine) | (inner->inByte(address) & wire::answerLine);
        } else if (inner) {
            value = inner->inByte(address);
        } else {
            value = nextStatus();
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

    static std::string event(char kind, std::uint8_t value) {
        char text[8];
        std::snprintf(text, sizeof text, "%c %02x", kind, value);
        return text;
    }

private:
    std::uint8_t nextStatus() {
        if (statuses.empty())
            return 0;
        const std::uint8_t value = statuses.front();
        statuses.pop_front();
        return value;
    }

    void record(char kind, std::int32_t address, std::uint8_t value) {
        events.push_back(event(kind, value));
        addresses.push_back(address);
    }
};

// How the port reaches the board: straight, or through an adapter backend and its fake.
enum class Route { direct, ftdi, gpio };
inline const auto everyRoute = ::testing::Values(Route::direct, Route::ftdi, Route::gpio);
inline std::string routeName(const ::testing::TestParamInfo<Route>& info) {
    const char* names[] = {"direct", "ftdi", "gpio"};
    return names[static_cast<int>(info.param)];
}

// The board's side of an adapter: records each level put on the board's pins ("W 05")
// and answers from a simulated board when there is one, else from `answer`.
class BoardPins : public parllio::Backend {
public:
    std::vector<std::string> events; // levels, and the wait passes in between
    std::unique_ptr<parllio::Backend> board;
    bool answer = false;

    bool claim(std::string&) override { return true; }
    void outByte(std::int32_t address, std::uint8_t value) override {
        if (board)
            board->outByte(address, value);
        events.push_back(PortRecorder::event('W', value));
    }
    std::uint8_t inByte(std::int32_t address) override {
        if (board)
            return board->inByte(address);
        return answer ? wire::answerLine : 0;
    }
};

// Installs a recorder as the port backend, and a wait that marks each pass, for one test.
// On an adapter route the recorder sits on the claimed adapter backend, whose fake drives
// the board's pins; the wait passes are marked on the pins too.
class RecordedPort {
public:
    explicit RecordedPort(Route route = Route::direct) : route_(route) {
        auto owned = std::make_unique<PortRecorder>();
        recorder = owned.get();
        if (route != Route::direct) {
            recorder->inner = claimedAdapter();
            recorder->driveAnswer = [this](bool level) { pins.answer = level; };
            pins.events.clear();
        }
        parllio::useBackend(std::move(owned));
        device::setWaitFunction([this](device::Long count) {
            for (device::Long pass = 0; pass <= count; ++pass) {
                recorder->events.push_back(".");
                if (route_ != Route::direct)
                    pins.events.push_back(".");
            }
        });
    }
    ~RecordedPort() {
        device::setWaitFunction({});
        parllio::useBackend(nullptr);
    }
    RecordedPort(const RecordedPort&) = delete;
    RecordedPort& operator=(const RecordedPort&) = delete;

    // Puts a board (a simulated one) at the far end of the route; it answers from then on.
    void useBoard(std::unique_ptr<parllio::Backend> board) {
        if (route_ == Route::direct) {
            recorder->inner = std::move(board);
            return;
        }
        recorder->driveAnswer = nullptr;
        pins.board = std::move(board);
    }

    // Starts the record afresh, on the port and on the pins.
    void clearEvents() {
        recorder->events.clear();
        pins.events.clear();
    }

    // On an adapter route the board's pins went through the same levels as the port's
    // data register, with the wait passes between the same level changes; writing a level
    // the pins already have changes nothing there.
    void expectPinsFollowedThePort() const {
        if (route_ == Route::direct || parllio::currentBackend() != recorder)
            return;
        EXPECT_EQ(levelChanges(pins.events), levelChanges(recorder->events));
    }

    PortRecorder* recorder;
    BoardPins pins;

private:
    static std::vector<std::string> levelChanges(const std::vector<std::string>& events) {
        std::vector<std::string> changes;
        std::string level;
        for (const auto& event : events) {
            if (event[0] == 'R' || (event[0] == 'W' && event == level))
                continue;
            if (event[0] == 'W')
                level = event;
            changes.push_back(event);
        }
        return changes;
    }

    std::unique_ptr<parllio::Backend> claimedAdapter() {
        std::unique_ptr<parllio::Backend> adapter;
        if (route_ == Route::ftdi) {
            ftdi.board = &pins;
            adapter = std::make_unique<parllio::FtdiBackend>(ftdi.table(), parllio::FtdiSettings{});
        } else {
            gpio.board = &pins;
            adapter = std::make_unique<parllio::GpioBackend>(gpio.table(), parllio::GpioSettings{});
        }
        std::string why;
        EXPECT_TRUE(adapter->claim(why)) << why;
        return adapter;
    }

    Route route_;
    FakeFtdi ftdi;
    FakeGpio gpio;
};

} // namespace testsupport
