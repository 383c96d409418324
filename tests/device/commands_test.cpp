// Every command's frame, waits and results, over the simulated dongle with an awake
// paired mouse behind it (which answers all eleven commands).
#include <cerrno>
#include <functional>

#include "device/commands.h"
#include "device/transport.h"
#include "fixture.h"

namespace kestrova::testing {
namespace {

using sim::Device;
using Waits = std::vector<unsigned>;

struct CommandCase {
    const char* name;
    std::function<CommandResult()> run;
    std::vector<std::vector<std::uint8_t>> frames;
    Waits successWaits;
    CommandResult noDevice;
    Waits noDeviceWaits;
    CommandResult readFails;
    Waits readFailWaits;   // with every read refused for good
    Waits busyWaits;       // with the device busy for good
};

SensorPayload SensorBytes() {
    SensorPayload payload{};
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i + 1);
    return payload;
}
AdvancedPayload AdvancedBytes() {
    return {9, 8, 7, 6, 5, 4, 3, 2, 1, 0x83};
}
ButtonPayload ButtonBytes() {
    ButtonPayload payload{};
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(0x40 + i);
    return payload;
}
std::vector<std::uint8_t> Slice(const ButtonPayload& payload, std::size_t from) {
    return {payload.begin() + from, payload.begin() + from + 28};
}

std::vector<CommandCase> Cases() {
    static DeviceInfoData info;
    static std::uint8_t level;
    const auto sensor = SensorBytes();
    const auto advanced = AdvancedBytes();
    const auto buttons = ButtonBytes();
    return {
        {"ReadConfigBlock", [] { return ReadConfigBlock(110); }, {Frame(0x12)},
         {110}, 2, {110}, 2, {110, 50}, {110, 400, 600}},
        {"WriteSensorSettings", [=] { return WriteSensorSettings(sensor, 500); },
         {Frame(0x14, 0x0F, 0x1C, 0, {sensor.begin(), sensor.end()})},
         {500}, 2, {500}, 0, {500, 50}, {500, 300, 500}},
        {"WriteAdvancedSettings", [=] { return WriteAdvancedSettings(advanced, 880); },
         {Frame(0x15, 0x0F, 0x0A, 0, {advanced.begin(), advanced.end()})},
         {880}, 2, {880}, 0, {880, 50}, {880, 300, 500}},
        {"WriteButtonBindings", [=] { return WriteButtonBindings(buttons, 500); },
         {Frame(0x16, 0x0F, 0x1C, 1, Slice(buttons, 0)), Frame(0x16, 0x0F, 0x1C, 2, Slice(buttons, 28))},
         {500, 100, 500, 100}, 2, {500}, 0, {500, 50, 100, 500, 50, 100},
         {500, 300, 500, 100, 500, 300, 500, 100}},
        {"ReadDeviceInfo", [] { return ReadDeviceInfo(150, info); }, {Frame(0x0E)},
         {150}, 2, {150}, 0, {150, 50}, {150, 300, 500}},
        {"ReadDongleInfo", [] { return ReadDongleInfo(info); }, {Frame(0x0D)},
         {150}, 2, {150}, 0, {150, 50}, {150, 220, 420}},
        {"ReadBattery", [] { return ReadBattery(350, level); }, {Frame(0xB4)},
         {350}, 2, {350}, 0, {350, 50}, {350, 550, 750}},
        {"LinkCheck", [] { return LinkCheck(); }, {Frame(0x0F, 0x01)},
         {300}, 0xFF, {}, 0, {300, 50}, {300, 500, 700}},
        {"LinkRecover", [] { return LinkRecover(); }, {Frame(0x0F, 0x0F)},
         {300}, 0xFF, {}, 0, {300, 50}, {300, 500, 700}},
        {"FactoryReset", [] { return FactoryReset(800); }, {Frame(0x13)},
         {800}, 0xFF, {}, 0, {800, 50}, {800, 500, 700}},
        {"StartPairing", [] { return StartPairing(); }, {Frame(0x70)},
         {300}, 2, {}, 2, {300, 50}, {300, 250, 450}},
    };
}

class CommandTest : public DeviceTest, public ::testing::WithParamInterface<std::size_t> {
protected:
    CommandCase Case() const { return Cases()[GetParam()]; }
};

TEST_P(CommandTest, SendsItsFramesAndWaitsAndReturnsDone) {
    const CommandCase c = Case();
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    EXPECT_EQ(c.run(), 1);
    EXPECT_EQ(sim.TakeFrames(Device::Dongle), c.frames);
    EXPECT_EQ(clock.Waits(), c.successWaits);
}

TEST_P(CommandTest, WithoutADeviceReturnsTheSendFailure) {
    const CommandCase c = Case();
    clock.ClearWaits();
    EXPECT_EQ(c.run(), c.noDevice);
    EXPECT_EQ(clock.Waits(), c.noDeviceWaits);
}

TEST_P(CommandTest, AFailedReadReturnsTheReadFailure) {
    const CommandCase c = Case();
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    sim.FailTransfers(Device::Dongle, 100, EACCES, sim::Transfer::Read);
    EXPECT_EQ(c.run(), c.readFails);
    EXPECT_EQ(clock.Waits(), c.readFailWaits);
}

TEST_P(CommandTest, ABusyDeviceReturnsThreeAfterTwoPolls) {
    const CommandCase c = Case();
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    sim.AnswerBusy(Device::Dongle, 100);
    EXPECT_EQ(c.run(), 3);
    EXPECT_EQ(clock.Waits(), c.busyWaits);
}

TEST_P(CommandTest, AnotherStatusIsPassedThrough) {
    const CommandCase c = Case();
    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    for (std::size_t i = 0; i < c.frames.size(); ++i) {
        sim.QueueRawAnswer(Device::Dongle, {0xA1, 0x07});
    }
    EXPECT_EQ(c.run(), 7);
}

INSTANTIATE_TEST_SUITE_P(All, CommandTest, ::testing::Range<std::size_t>(0, 11),
                         [](const auto& info) { return std::string(Cases()[info.param].name); });

class CommandOutputTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        sim.Plug(Device::Mouse);
        OpenAndClear(kMouseProductId);
    }
};

TEST_F(CommandOutputTest, DeviceInfoCopiesTheFourteenDataBytesOnlyOnDone) {
    sim.SetMouseFirmware(0x0107);
    DeviceInfoData info{};
    ASSERT_EQ(ReadDeviceInfo(150, info), 1);
    EXPECT_EQ(DeviceInfoProductId(info), 0x4C32);
    EXPECT_EQ(DeviceInfoFirmwareVersion(info), 0x0107);
    EXPECT_EQ(info[13], 0);  // the model fills byte 14 onward with 0xEE

    DeviceInfoData untouched;
    untouched.fill(0xAB);
    std::vector<std::uint8_t> refused(64, 0x11);
    refused[0] = 0xA1;
    refused[1] = 0x05;
    sim.QueueRawAnswer(Device::Mouse, refused);
    EXPECT_EQ(ReadDeviceInfo(150, untouched), 5);
    for (std::uint8_t byte : untouched) EXPECT_EQ(byte, 0xAB);
}

TEST_F(CommandOutputTest, BatteryAndDongleVersionAreReadFromTheirBytes) {
    sim.SetBatteryLevel(37);
    std::uint8_t level = 0;
    ASSERT_EQ(ReadBattery(300, level), 1);
    EXPECT_EQ(level, 37);

    sim.Plug(Device::Dongle);
    OpenAndClear(kDongleProductId);
    sim.SetDongleFirmware(0x0250);
    DeviceInfoData info{};
    ASSERT_EQ(ReadDongleInfo(info), 1);
    EXPECT_EQ(DongleInfoFirmwareVersion(info), 0x0250);
}

TEST_F(CommandOutputTest, ConfigBlockWithAnotherStatusChangesNothing) {
    ASSERT_EQ(ReadConfigBlock(110), 1);
    const auto block = configBlock;
    const auto image = EncodeSettingsImage(workingSettings);
    std::vector<std::uint8_t> refused(1041, 0x99);
    refused[0] = 0xA0;
    refused[1] = 0x05;
    sim.QueueRawAnswer(Device::Mouse, refused);
    EXPECT_EQ(ReadConfigBlock(110), 5);
    EXPECT_EQ(configBlock, block);
    EXPECT_EQ(EncodeSettingsImage(workingSettings), image);
}

TEST_F(CommandOutputTest, OddAnswersNeverReadPastTheirEnd) {
    // Empty, short, oversized and garbage answers each end as a plain result.
    sim.QueueRawAnswer(Device::Mouse, {});
    DeviceInfoData info{};
    EXPECT_EQ(ReadDeviceInfo(150, info), 0);  // nothing but the report ID: status 0

    sim.QueueRawAnswer(Device::Mouse, {0xA0, 0x01, 0x42});
    EXPECT_EQ(ReadConfigBlock(110), 1);
    EXPECT_EQ(configBlock[0], 0);  // only the bytes that arrived count

    sim.QueueRawAnswer(Device::Mouse, std::vector<std::uint8_t>(5000, 0x01));
    EXPECT_EQ(ReadDeviceInfo(150, info), 1);
    EXPECT_EQ(info[0], 0x01);

    sim.QueueRawAnswer(Device::Mouse, {0x00, 0xFE, 0xFF});
    std::uint8_t level = 0;
    EXPECT_EQ(ReadBattery(300, level), 0xFE);
    EXPECT_EQ(level, 0);
}

TEST_F(CommandOutputTest, ButtonWriteReportsTheLastAnswerRead) {
    const auto payload = ButtonBytes();
    sim.QueueRawAnswer(Device::Mouse, {0xA1, 0x04});
    EXPECT_EQ(WriteButtonBindings(payload, 500), 1);  // chunk 2 is sent whatever chunk 1 said

    sim.FailTransfers(Device::Mouse, 1, EIO, sim::Transfer::Send, 1);
    clock.ClearWaits();
    EXPECT_EQ(WriteButtonBindings(payload, 500), 2);  // chunk 1 already accepted
    EXPECT_EQ(clock.Waits(), Waits({500, 100, 500}));

    // The plain send has no retries.
    sim.TakeFrames(Device::Mouse);
    sim.FailTransfers(Device::Mouse, 1, EINVAL, sim::Transfer::Send);
    EXPECT_EQ(WriteButtonBindings(payload, 500), 2);
    EXPECT_EQ(sim.TakeFrames(Device::Mouse).size(), 1u);

    sim.FailTransfers(Device::Mouse, 1, EACCES, sim::Transfer::Read, 1);
    EXPECT_EQ(WriteButtonBindings(payload, 500), 1);  // chunk 2's answer lost: chunk 1's status stands
}

}  // namespace
}  // namespace kestrova::testing
