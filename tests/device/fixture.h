// Shared fixture: the simulated device and the test clock installed as the process's
// backend and clock, with the device link's process-wide state reset around each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/clock.h"
#include "device/sim/simulated_hid.h"

namespace kestrova::testing {

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the given device's command interface and forgets the frames and waits so far.
    void OpenAndClear(std::uint16_t productId);

    TestClock clock;
    sim::SimulatedHid sim;
};

// A 64-byte request frame as the tool must send it.
std::vector<std::uint8_t> Frame(std::uint8_t command, std::uint8_t subCode = 0, std::uint8_t length = 0,
                                std::uint8_t chunk = 0, const std::vector<std::uint8_t>& payload = {});

}  // namespace kestrova::testing
