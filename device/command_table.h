// The protocol's constants in one place: command bytes, waits and result codes.
// The simulated firmware dispatches on the same command bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrova {

using CommandResult = std::uint8_t;

namespace result {
constexpr CommandResult kReadFailed = 0;
constexpr CommandResult kDone = 1;
constexpr CommandResult kSendFailed = 2;
constexpr CommandResult kBusy = 3;
constexpr CommandResult kLinkSendFailed = 0xFF;
}  // namespace result

constexpr std::uint8_t kCommandReportId = 0xA1;
constexpr std::uint8_t kConfigReportId = 0xA0;
constexpr std::size_t kShortAnswerLength = 64;
constexpr std::size_t kLongAnswerLength = 1041;
constexpr std::size_t kConfigBlockLength = 1024;
constexpr std::size_t kAnswerDataOffset = 16;
constexpr std::size_t kFramePayloadOffset = 16;
constexpr std::size_t kFrameChunkIndexOffset = 6;
constexpr std::size_t kDeviceInfoDataLength = 14;

enum class CommandId { ReadConfigBlock, WriteSensorSettings, WriteAdvancedSettings,
                       WriteButtonBindings, ReadDeviceInfo, ReadDongleInfo, ReadBattery,
                       LinkCheck, LinkRecover, FactoryReset, StartPairing };

namespace opcode {
constexpr std::uint8_t kReadConfigBlock = 0x12;
constexpr std::uint8_t kWriteSensorSettings = 0x14;
constexpr std::uint8_t kWriteAdvancedSettings = 0x15;
constexpr std::uint8_t kWriteButtonBindings = 0x16;
constexpr std::uint8_t kReadDeviceInfo = 0x0E;
constexpr std::uint8_t kReadDongleInfo = 0x0D;
constexpr std::uint8_t kReadBattery = 0xB4;
constexpr std::uint8_t kLink = 0x0F;  // LinkCheck and LinkRecover, told apart by subCode
constexpr std::uint8_t kFactoryReset = 0x13;
constexpr std::uint8_t kStartPairing = 0x70;
}  // namespace opcode

constexpr std::uint8_t kLinkCheckSubCode = 0x01;
constexpr std::uint8_t kLinkRecoverSubCode = 0x0F;
constexpr std::uint8_t kWriteSubCode = 0x0F;

// A wait the caller passes in instead of a fixed one.
constexpr int kCallerWait = -1;
// The read's initial delay equals the wait after send.
constexpr int kSameAsSendWait = -2;

struct CommandSpec {
    std::uint8_t command;
    std::uint8_t subCode;
    std::uint8_t payloadLength;
    int waitAfterSendMs;        // fixed value, or kCallerWait
    bool waitAfterFailedSend;
    std::uint8_t answerReportId;
    std::uint16_t answerLength;
    int readInitialDelayMs;     // fixed value, or kSameAsSendWait
    CommandResult sendFailure;
    CommandResult readFailure;
};

constexpr CommandSpec kCommandTable[] = {
    // command                         sub   len   wait         failed? answer            delay            send  read
    {opcode::kReadConfigBlock,         0x00, 0x00, kCallerWait, true,  kConfigReportId,  kLongAnswerLength,  200, 2,    2},
    {opcode::kWriteSensorSettings,     0x0F, 0x1C, kCallerWait, true,  kCommandReportId, kShortAnswerLength, 100, 2,    0},
    {opcode::kWriteAdvancedSettings,   0x0F, 0x0A, kCallerWait, true,  kCommandReportId, kShortAnswerLength, 100, 2,    0},
    {opcode::kWriteButtonBindings,     0x0F, 0x1C, kCallerWait, true,  kCommandReportId, kShortAnswerLength, 100, 2,    0},
    {opcode::kReadDeviceInfo,          0x00, 0x00, kCallerWait, true,  kCommandReportId, kShortAnswerLength, 100, 2,    0},
    {opcode::kReadDongleInfo,          0x00, 0x00, 150,         true,  kCommandReportId, kShortAnswerLength, 20,  2,    0},
    {opcode::kReadBattery,             0x00, 0x00, kCallerWait, true,  kCommandReportId, kShortAnswerLength, kSameAsSendWait, 2, 0},
    {opcode::kLink,                    0x01, 0x00, 300,         false, kCommandReportId, kShortAnswerLength, 300, 0xFF, 0},
    {opcode::kLink,                    0x0F, 0x00, 300,         false, kCommandReportId, kShortAnswerLength, 300, 0xFF, 0},
    {opcode::kFactoryReset,            0x00, 0x00, kCallerWait, false, kCommandReportId, kShortAnswerLength, 300, 0xFF, 0},
    {opcode::kStartPairing,            0x00, 0x00, 300,         false, kCommandReportId, kShortAnswerLength, 50,  2,    2},
};

constexpr const CommandSpec& SpecOf(CommandId id) {
    return kCommandTable[static_cast<std::size_t>(id)];
}

// Pause after each frame's answer of the two-frame button write.
constexpr unsigned kButtonChunkPauseMs = 100;

// Waits the callers pass, per connection kind.
namespace wait {
constexpr unsigned kConfigWired = 110;
constexpr unsigned kConfigWireless = 400;
constexpr unsigned kWriteWired = 500;
constexpr unsigned kWriteWireless = 880;
constexpr unsigned kWriteNoDevice = 100;
constexpr unsigned kDeviceInfoWired = 150;
constexpr unsigned kDeviceInfoWireless = 350;
constexpr unsigned kDeviceInfoLinkCheck = 300;
constexpr unsigned kBatteryWired = 300;
constexpr unsigned kBatteryWireless = 350;
constexpr unsigned kResetWired = 800;
constexpr unsigned kResetWireless = 1080;
constexpr unsigned kResetNoDevice = 200;
constexpr unsigned kArrivalSettle = 1100;
}  // namespace wait

}  // namespace kestrova
