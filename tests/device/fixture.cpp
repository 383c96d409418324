#include "fixture.h"

#include "device/settings.h"
#include "device/transport.h"

namespace kestrova::testing {

void DeviceTest::SetUp() {
    InstallClock(&clock);
    InstallBackend(&sim);
    CloseDevice();
    configBlock = {};
    workingSettings = {};
    deviceSettings = {};
}

void DeviceTest::TearDown() {
    CloseDevice();
    InstallBackend(nullptr);
    InstallClock(nullptr);
}

void DeviceTest::OpenAndClear(std::uint16_t productId) {
    ASSERT_TRUE(OpenDevice(kVendorId, productId));
    sim.TakeFrames(sim::Device::Mouse);
    sim.TakeFrames(sim::Device::Dongle);
    clock.ClearWaits();
}

std::vector<std::uint8_t> Frame(std::uint8_t command, std::uint8_t subCode, std::uint8_t length,
                                std::uint8_t chunk, const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> frame(64, 0);
    frame[0] = 0xA1;
    frame[1] = command;
    frame[2] = subCode;
    frame[3] = length;
    frame[6] = chunk;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        frame[16 + i] = payload[i];
    }
    return frame;
}

}  // namespace kestrova::testing
