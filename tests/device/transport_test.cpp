// Discovery, and the send and read retry and busy rules with their exact waits.
#include <cerrno>

#include "device/transport.h"
#include "fixture.h"

namespace kestrova::testing {
namespace {

using sim::Device;
using Waits = std::vector<unsigned>;

class TransportTest : public DeviceTest {};

TEST_F(TransportTest, DiscoveryOpensOnlyTheCommandInterfaceOfTheRequestedProduct) {
    sim.Plug(Device::Mouse);
    sim.Plug(Device::Dongle);
    ASSERT_TRUE(OpenDevice(kVendorId, kMouseProductId));
    EXPECT_EQ(OpenProductId(), kMouseProductId);
    EXPECT_EQ(sim.OpenConnections(Device::Mouse), 1);
    EXPECT_EQ(sim.OpenConnections(Device::Dongle), 0);

    // The handle answers commands, which only the command interface does.
    const auto frame = Frame(0x0E);
    EXPECT_TRUE(SendFeatureReport(frame.data()));
    EXPECT_EQ(sim.TakeFrames(Device::Mouse).size(), 1u);

    ASSERT_TRUE(OpenDevice(kVendorId, kDongleProductId));
    EXPECT_EQ(sim.OpenConnections(Device::Mouse), 0);
    EXPECT_EQ(sim.OpenConnections(Device::Dongle), 1);
}

TEST_F(TransportTest, DiscoverySkipsAnInterfaceThatCannotBeOpened) {
    sim.AddUnopenableCommandInterface(Device::Mouse, EBUSY);
    sim.Plug(Device::Mouse);
    ASSERT_TRUE(OpenDevice(kVendorId, kMouseProductId));
    EXPECT_EQ(sim.OpenConnections(Device::Mouse), 1);
}

TEST_F(TransportTest, NoMatchLeavesNoHandleAndTransfersFailWithoutTouchingAnyDevice) {
    sim.Plug(Device::Dongle);
    EXPECT_FALSE(OpenDevice(kVendorId, kMouseProductId));
    EXPECT_EQ(deviceHandle, nullptr);
    const auto frame = Frame(0x0E);
    EXPECT_FALSE(SendFeatureReport(frame.data()));
    std::uint8_t buffer[64] = {0xA1};
    EXPECT_FALSE(ReadFeatureReport(100, 64, buffer));
    EXPECT_TRUE(sim.TakeFrames(Device::Dongle).empty());
    EXPECT_EQ(clock.Waits(), Waits({50}));  // the read's pause after any failure
}

TEST_F(TransportTest, DiscoveryTwiceKeepsExactlyOneHandle) {
    sim.Plug(Device::Mouse);
    ASSERT_TRUE(OpenDevice(kVendorId, kMouseProductId));
    ASSERT_TRUE(OpenDevice(kVendorId, kMouseProductId));
    EXPECT_EQ(sim.OpenConnections(Device::Mouse), 1);
    CloseDevice();
    EXPECT_EQ(sim.OpenConnections(Device::Mouse), 0);
    CloseDevice();  // closing with nothing open does nothing
}

struct SendCase {
    const char* name;
    int failures;
    int error;
    bool sent;
    int attempts;
    Waits waits;
};

class SendRetryTest : public DeviceTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendRetryTest, RetriesOnlyRetryableErrorsWithTheSameBytes) {
    const SendCase& c = GetParam();
    sim.Plug(Device::Mouse);
    OpenAndClear(kMouseProductId);
    sim.FailTransfers(Device::Mouse, c.failures, c.error, sim::Transfer::Send);
    auto frame = Frame(0x14, 0x0F, 0x1C, 0, {1, 2, 3, 4, 5});
    const auto original = frame;
    EXPECT_EQ(SendFeatureReport(frame.data()), c.sent);
    EXPECT_EQ(frame, original);
    const auto frames = sim.TakeFrames(Device::Mouse);
    ASSERT_EQ(static_cast<int>(frames.size()), c.attempts);
    for (const auto& sent : frames) {
        EXPECT_EQ(sent, original);
    }
    EXPECT_EQ(clock.Waits(), c.waits);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendRetryTest,
    ::testing::Values(SendCase{"FirstTry", 0, 0, true, 1, {}},
                      SendCase{"InvalidParameterAlwaysFails", 10, EINVAL, false, 4, {50, 50, 50}},
                      SendCase{"RecoversOnSecondRetry", 2, EPROTO, true, 3, {50}},
                      SendCase{"AccessDeniedIsFinal", 10, EACCES, false, 1, {}},
                      SendCase{"UnpluggedIsFinal", 10, ENODEV, false, 1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    int failures;
    int error;
    int busyPolls;
    bool read;
    std::uint8_t status;
    Waits waits;
};

class ReadRetryTest : public DeviceTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadRetryTest, FollowsTheRetryAndBusyRules) {
    const ReadCase& c = GetParam();
    sim.Plug(Device::Mouse);
    OpenAndClear(kMouseProductId);
    const auto frame = Frame(0x0E);
    ASSERT_TRUE(SendFeatureReport(frame.data()));
    sim.FailTransfers(Device::Mouse, c.failures, c.error, sim::Transfer::Read);
    sim.AnswerBusy(Device::Mouse, c.busyPolls);
    std::uint8_t buffer[64] = {0xA1};
    EXPECT_EQ(ReadFeatureReport(100, 64, buffer), c.read);
    if (c.read) {
        EXPECT_EQ(buffer[1], c.status);
    }
    EXPECT_EQ(clock.Waits(), c.waits);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRetryTest,
    ::testing::Values(ReadCase{"FirstTry", 0, 0, 0, true, 1, {}},
                      ReadCase{"NonRetryableStillPauses", 5, EACCES, 0, false, 0, {50}},
                      ReadCase{"RetryableRecovers", 1, EPIPE, 0, true, 1, {50}},
                      ReadCase{"RetryableGivesUpAfterTwoMore", 5, EIO, 0, false, 0, {50, 50, 50}},
                      ReadCase{"BusyOnceThenDone", 0, 0, 1, true, 1, {300}},
                      ReadCase{"BusyTwiceThenDone", 0, 0, 2, true, 1, {300, 500}},
                      ReadCase{"BusyThroughout", 0, 0, 5, true, 3, {300, 500}},
                      // A read that recovered from a transport error is not examined for busy.
                      ReadCase{"RetriedReadNotPolled", 1, EPROTO, 3, true, 3, {50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransportTest, ShortAnswerLeavesTheRestOfTheBufferZero) {
    sim.Plug(Device::Mouse);
    OpenAndClear(kMouseProductId);
    sim.QueueRawAnswer(Device::Mouse, {0xA1, 0x01, 0x77});
    std::vector<std::uint8_t> buffer(64, 0);
    buffer[0] = 0xA1;
    ASSERT_TRUE(ReadFeatureReport(100, 64, buffer.data()));
    EXPECT_EQ(buffer[2], 0x77);
    for (std::size_t i = 3; i < buffer.size(); ++i) {
        ASSERT_EQ(buffer[i], 0) << i;
    }
}

TEST_F(TransportTest, BusyPollStartsFromAFreshBufferEachTime) {
    sim.Plug(Device::Mouse);
    OpenAndClear(kMouseProductId);
    std::vector<std::uint8_t> busyFull(64, 0x55);
    busyFull[0] = 0xA1;
    busyFull[1] = 0x03;
    sim.QueueRawAnswer(Device::Mouse, busyFull);
    sim.QueueRawAnswer(Device::Mouse, {0xA1, 0x01});
    std::vector<std::uint8_t> buffer(64, 0);
    buffer[0] = 0xA1;
    ASSERT_TRUE(ReadFeatureReport(20, 64, buffer.data()));
    EXPECT_EQ(buffer[1], 0x01);
    EXPECT_EQ(buffer[2], 0x00);  // nothing left over from the busy answer
    EXPECT_EQ(clock.Waits(), Waits({220}));
}

TEST_F(TransportTest, DeviceThatVanishesFailsAtOnce) {
    sim.Plug(Device::Mouse);
    OpenAndClear(kMouseProductId);
    sim.Unplug(Device::Mouse);
    const auto frame = Frame(0x0E);
    EXPECT_FALSE(SendFeatureReport(frame.data()));
    std::uint8_t buffer[64] = {0xA1};
    EXPECT_FALSE(ReadFeatureReport(100, 64, buffer));
    EXPECT_EQ(clock.Waits(), Waits({50}));
    // Plugged again, the old handle stays dead until the next discovery.
    sim.Plug(Device::Mouse);
    EXPECT_FALSE(SendFeatureReport(frame.data()));
    ASSERT_TRUE(OpenDevice(kVendorId, kMouseProductId));
    EXPECT_TRUE(SendFeatureReport(frame.data()));
}

}  // namespace
}  // namespace kestrova::testing
