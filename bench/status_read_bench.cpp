// Wall time of a full status read against the simulated device on the real clock,
// divided by the sum of the waits the protocol prescribes for it. A ratio near 1
// means the tool adds almost nothing of its own to those waits.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "device/clock.h"
#include "device/commands.h"
#include "device/sim/simulated_hid.h"
#include "device/transport.h"

using namespace kestrova;

namespace {

bool WiredRead() {
    DeviceInfoData info{};
    std::uint8_t level = 0;
    return ReadDeviceInfo(wait::kDeviceInfoWired, info) == 1 &&
           ReadBattery(wait::kBatteryWired, level) == 1 && ReadConfigBlock(wait::kConfigWired) == 1;
}

bool LinkCheckPasses() {
    return LinkCheck() == 1 || LinkRecover() == 1;
}

bool WirelessRead() {
    DeviceInfoData info{};
    std::uint8_t level = 0;
    return LinkCheckPasses() && ReadDongleInfo(info) == 1 && LinkCheckPasses() &&
           ReadDeviceInfo(wait::kDeviceInfoWireless, info) == 1 && LinkCheckPasses() &&
           ReadBattery(wait::kBatteryWireless, level) == 1 && LinkCheckPasses() &&
           ReadConfigBlock(wait::kConfigWireless) == 1;
}

void Measure(const char* name, std::uint16_t productId, const std::function<bool()>& read,
             double mandatedMs, int rounds) {
    if (!OpenDevice(kVendorId, productId)) {
        std::printf("%s: device not found\n", name);
        return;
    }
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = read();
        const double elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!ok) {
            std::printf("%s: read failed\n", name);
            return;
        }
        ratios.push_back(elapsed / mandatedMs);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%-9s mandated waits %6.0f ms  ratio median %.4f  min %.4f  max %.4f  (%d rounds)\n", name,
                mandatedMs, ratios[ratios.size() / 2], ratios.front(), ratios.back(), rounds);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    sim::SimulatedHid sim;
    sim.Plug(sim::Device::Mouse);
    sim.Plug(sim::Device::Dongle);
    InstallBackend(&sim);
    Measure("wired", kMouseProductId, WiredRead,
            wait::kDeviceInfoWired + wait::kBatteryWired + wait::kConfigWired, rounds);
    // Four link checks (300 each), the dongle's 150 and the mouse reads through it.
    Measure("wireless", kDongleProductId, WirelessRead,
            4 * 300 + 150 + wait::kDeviceInfoWireless + wait::kBatteryWireless + wait::kConfigWireless,
            rounds);
    CloseDevice();
    InstallBackend(nullptr);
    return 0;
}
