// The simulated dongle's link, pairing and hotplug behaviour that the tool relies on.
#include "device/commands.h"
#include "device/transport.h"
#include "fixture.h"

namespace kestrova::testing {
namespace {

using sim::Device;

class SimulatorTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        sim.SetHandler([this](const HotplugEvent& event) { events.push_back(event); });
    }
    std::vector<HotplugEvent> events;
};

TEST_F(SimulatorTest, PluggingRaisesOneEventPerInterfaceWithKernelNames) {
    sim.Plug(Device::Mouse);
    sim.Plug(Device::Dongle);
    sim.Unplug(Device::Mouse);
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[0].name, "0003:5A17:4C32.0001");
    EXPECT_EQ(events[3].name, "0003:5A17:4C30.0004");
    EXPECT_EQ(events[6].kind, HotplugEvent::Kind::Removal);
    EXPECT_EQ(events[6].name, "0003:5A17:4C32.0001");
    sim.Plug(Device::Mouse);
    EXPECT_EQ(events.back().name, "0003:5A17:4C32.0009");  // the kernel numbers on
}

TEST_F(SimulatorTest, SleepingMouseAnswersOnlyAfterLinkRecover) {
    sim.SetMouseAsleep(true);
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    DeviceInfoData info{};
    EXPECT_EQ(ReadDongleInfo(info), 1);  // the dongle itself always answers
    EXPECT_EQ(LinkCheck(), sim::kStatusMouseAsleep);
    EXPECT_NE(ReadDeviceInfo(350, info), 1);
    EXPECT_EQ(LinkRecover(), 1);
    EXPECT_EQ(LinkCheck(), 1);
    EXPECT_EQ(ReadDeviceInfo(350, info), 3);  // still coming up: busy through both polls
    EXPECT_EQ(ReadDeviceInfo(350, info), 1);
}

TEST_F(SimulatorTest, PairingTakesPairingModeAndTheThreeButtons) {
    sim.SetPaired(false);
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    EXPECT_NE(LinkCheck(), 1);
    EXPECT_NE(LinkRecover(), 1);
    sim.HoldThreeButtons();  // not in pairing mode: nothing happens
    EXPECT_NE(LinkCheck(), 1);
    EXPECT_EQ(StartPairing(), 1);
    EXPECT_TRUE(sim.PairingMode());
    sim.HoldThreeButtons();
    EXPECT_FALSE(sim.PairingMode());
    EXPECT_EQ(LinkCheck(), 1);
}

TEST_F(SimulatorTest, DongleReportsTheProductIdItIsToldTo) {
    sim.SetReportedProductId(0x4C33);
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    DeviceInfoData info{};
    ASSERT_EQ(ReadDeviceInfo(350, info), 1);
    EXPECT_EQ(DeviceInfoProductId(info), 0x4C33);
}

TEST_F(SimulatorTest, InputReadEndsWithAnErrorWhenTheDeviceGoes) {
    sim.Plug(Device::Dongle);
    std::unique_ptr<HidConnection> input;
    int error = 0;
    for (const auto& entry : sim.Enumerate(kVendorId, kDongleProductId)) {
        if (entry.usagePage == kInputUsagePage) {
            input = sim.Open(entry, error);
        }
    }
    ASSERT_NE(input, nullptr);
    std::uint8_t report[8] = {};
    EXPECT_EQ(input->ReadInput(report, 8, 1).bytes, 0);
    sim.Unplug(Device::Dongle);
    EXPECT_FALSE(input->ReadInput(report, 8, 1000).Succeeded());
}

TEST_F(SimulatorTest, ScenariosNameEveryStartingState) {
    for (const std::string& name : sim::ScenarioNames()) {
        sim::SimulatedHid fresh;
        EXPECT_TRUE(sim::ApplyScenario(fresh, name)) << name;
    }
    EXPECT_FALSE(sim::ApplyScenario(sim, "nonsense"));
}

}  // namespace
}  // namespace kestrova::testing
