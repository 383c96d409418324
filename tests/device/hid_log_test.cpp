// The HID log's line format, through the logging decorator over the simulated device.
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "device/commands.h"
#include "device/hid_log.h"
#include "device/transport.h"
#include "fixture.h"

namespace kestrova::testing {
namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char pair[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, " %02x", byte);
        text += pair;
    }
    return text;
}

class HidLogTest : public DeviceTest {
protected:
    std::string path = ::testing::TempDir() + "hid_log_test.log";
};

TEST_F(HidLogTest, WritesOneFlushedLinePerEvent) {
    HidLog log(path);
    ASSERT_TRUE(log.Valid());
    LoggingBackend logging(sim, log);
    InstallBackend(&logging);
    sim.Plug(sim::Device::Mouse);
    sim.SetBatteryLevel(0x42);

    clock.Advance(1532);
    ASSERT_TRUE(OpenDevice(kVendorId, kMouseProductId));
    std::uint8_t level = 0;
    ASSERT_EQ(ReadBattery(300, level), 1);
    sim.FailTransfers(sim::Device::Mouse, 1, EACCES, sim::Transfer::Send);
    EXPECT_EQ(LinkCheck(), 0xFF);

    // Every line is on disk before the log is closed.
    auto lines = Lines(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "1532 4c32 open");
    EXPECT_EQ(lines[1], "1532 4c32 set_feature" + Hex(Frame(0xB4)));
    std::vector<std::uint8_t> answer(64, 0);
    answer[0] = 0xA1;
    answer[1] = 0x01;
    answer[16] = 0x42;
    EXPECT_EQ(lines[2], "1832 4c32 get_feature" + Hex(answer));
    EXPECT_EQ(lines[3], "1832 4c32 set_feature error=" + std::to_string(EACCES));

    CloseDevice();
    lines = Lines(path);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], "1832 4c32 close");
    InstallBackend(&sim);
    std::remove(path.c_str());
}

TEST_F(HidLogTest, LogsFailedOpensAndInputReports) {
    HidLog log(path);
    LoggingBackend logging(sim, log);
    sim.AddUnopenableCommandInterface(sim::Device::Dongle, EACCES);
    sim.Plug(sim::Device::Dongle);
    int error = 0;
    const auto entries = logging.Enumerate(kVendorId, kDongleProductId);
    std::unique_ptr<HidConnection> input;
    for (const auto& entry : entries) {
        if (entry.path.find("held") != std::string::npos) {
            EXPECT_EQ(logging.Open(entry, error), nullptr);
        }
        if (entry.usagePage == kInputUsagePage) {
            input = logging.Open(entry, error);
        }
    }
    ASSERT_NE(input, nullptr);
    sim.QueueInputReport(sim::Device::Dongle, {0x01, 0xB4, 0x50, 0, 0, 0, 0, 0});
    std::uint8_t report[8] = {};
    EXPECT_EQ(input->ReadInput(report, 8, 0).bytes, 8);
    EXPECT_EQ(input->ReadInput(report, 8, 0).bytes, 0);  // nothing waiting: no line
    const auto lines = Lines(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "0 4c30 open");  // the input interface is listed first
    EXPECT_EQ(lines[1], "0 4c30 open error=" + std::to_string(EACCES));
    EXPECT_EQ(lines[2], "0 4c30 input 01 b4 50 00 00 00 00 00");
    input.reset();
    std::remove(path.c_str());
}

}  // namespace
}  // namespace kestrova::testing
