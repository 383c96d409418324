#include "mouse_firmware.h"

#include "../command_table.h"

namespace kestrova::sim {

namespace {

// Block offsets, straight from the layout tables.
constexpr std::size_t kDeepSleepAt = 3;
constexpr std::size_t kPowerSavingAt = 4;
constexpr std::size_t kPollingRateAt = 5;
constexpr std::size_t kFilterFlagsAt = 6;
constexpr std::size_t kSensorByte7At = 7;
constexpr std::size_t kLiftOffLedAt = 8;
constexpr std::size_t kLiftOffDistanceAt = 9;
constexpr std::size_t kAngleSnappingAt = 10;
constexpr std::size_t kRippleControlAt = 11;
constexpr std::size_t kMotionSyncAt = 12;
constexpr std::size_t kSensorByte13At = 13;
constexpr std::size_t kLevelCountAt = 14;
constexpr std::size_t kReservedAt = 15;
constexpr std::size_t kLevelsAt = 35;
constexpr std::size_t kButtonsAt = 55;
constexpr std::size_t kButtonSize = 7;
constexpr std::size_t kPayloadAt = 16;

std::vector<std::uint8_t> ShortAnswer(std::uint8_t status) {
    std::vector<std::uint8_t> answer(kShortAnswerLength, 0);
    answer[0] = kCommandReportId;
    answer[1] = status;
    return answer;
}

void ApplySensorWrite(Block& block, const std::uint8_t* payload) {
    block[kSensorByte7At] = payload[0];
    block[kLiftOffLedAt] = payload[1];
    block[kLiftOffDistanceAt] = payload[2];
    block[kAngleSnappingAt] = payload[3];
    block[kRippleControlAt] = payload[4];
    // payload[5] stands where the block keeps motion sync; the firmware takes motion
    // sync from the advanced write only.
    block[kLevelCountAt] = payload[6];
    block[kSensorByte13At] = payload[7];
    for (std::size_t i = 0; i < 20; ++i) {
        block[kLevelsAt + i] = payload[8 + i];
    }
}

void ApplyAdvancedWrite(Block& block, const std::uint8_t* payload) {
    block[kMotionSyncAt] = payload[0];
    block[kPollingRateAt] = payload[1];
    block[kFilterFlagsAt] = payload[2];
    block[kPowerSavingAt] = payload[3];
    for (std::size_t button = 0; button < 5; ++button) {
        block[kButtonsAt + button * kButtonSize + 6] = payload[4 + button];
    }
    block[kDeepSleepAt] = payload[9];
}

void ApplyButtonChunk(Block& block, std::uint8_t chunk, const std::uint8_t* payload) {
    const std::size_t first = kButtonsAt + (chunk == 2 ? 4 * kButtonSize : 0);
    for (std::size_t i = 0; i < 4 * kButtonSize; ++i) {
        block[first + i] = payload[i];
    }
}

}  // namespace

Block FactoryBlock() {
    Block block{};
    for (std::size_t i = 111; i < kBlockLength; ++i) {
        block[i] = static_cast<std::uint8_t>(0x30 + (i * 7) % 0xC0);
    }
    block[0] = 0x5A;
    block[1] = 0xC1;
    block[2] = 0xC2;
    block[kDeepSleepAt] = 0x03;
    block[kPowerSavingAt] = 0x01;
    block[kPollingRateAt] = 0x02;
    block[kFilterFlagsAt] = 0x11;
    block[kSensorByte7At] = 0x00;
    block[kLiftOffLedAt] = 0x01;
    block[kLiftOffDistanceAt] = 0x01;
    block[kSensorByte13At] = 0x02;
    block[kLevelCountAt] = 0x04;
    for (std::size_t i = 0; i < 20; ++i) {
        block[kReservedAt + i] = static_cast<std::uint8_t>(0xE0 + i);
    }
    // CPI levels 400, 800, 1600, 3200, linked.
    const std::uint8_t levels[20] = {0x00, 0x90, 0x01, 0x90, 0x01, 0x00, 0x20, 0x03, 0x20, 0x03,
                                     0x00, 0x40, 0x06, 0x40, 0x06, 0x00, 0x80, 0x0C, 0x80, 0x0C};
    for (std::size_t i = 0; i < 20; ++i) {
        block[kLevelsAt + i] = levels[i];
    }
    const std::uint8_t buttons[56] = {
        0x00, 0x01, 0, 0, 0, 0, 8,  0x00, 0x02, 0, 0, 0, 0, 8,  0x00, 0x04, 0, 0, 0, 0, 8,
        0x00, 0x08, 0, 0, 0, 0, 8,  0x00, 0x10, 0, 0, 0, 0, 8,  0x09, 0xF1, 0, 0, 0, 0, 8,
        0x01, 0x01, 0, 0, 0, 0, 8,  0x01, 0xFF, 0, 0, 0, 0, 8};
    for (std::size_t i = 0; i < 56; ++i) {
        block[kButtonsAt + i] = buttons[i];
    }
    return block;
}

std::vector<std::uint8_t> MouseExecute(MouseState& mouse, const std::uint8_t* frame) {
    const std::uint8_t* payload = frame + kPayloadAt;
    switch (frame[1]) {
        case opcode::kReadConfigBlock: {
            std::vector<std::uint8_t> answer(kLongAnswerLength, 0);
            answer[0] = kConfigReportId;
            answer[1] = kStatusDone;
            for (std::size_t i = 0; i < kBlockLength; ++i) {
                answer[kPayloadAt + i] = mouse.block[i];
            }
            return answer;
        }
        case opcode::kWriteSensorSettings:
            ApplySensorWrite(mouse.block, payload);
            return ShortAnswer(kStatusDone);
        case opcode::kWriteAdvancedSettings:
            ApplyAdvancedWrite(mouse.block, payload);
            return ShortAnswer(kStatusDone);
        case opcode::kWriteButtonBindings:
            if (frame[6] != 1 && frame[6] != 2) {
                return ShortAnswer(kStatusUnknownCommand);
            }
            ApplyButtonChunk(mouse.block, frame[6], payload);
            return ShortAnswer(kStatusDone);
        case opcode::kReadDeviceInfo: {
            std::vector<std::uint8_t> answer = ShortAnswer(kStatusDone);
            answer[kPayloadAt + 2] = static_cast<std::uint8_t>(mouse.productId & 0xFF);
            answer[kPayloadAt + 3] = static_cast<std::uint8_t>(mouse.productId >> 8);
            answer[kPayloadAt + 7] = static_cast<std::uint8_t>(mouse.firmwareVersion & 0xFF);
            answer[kPayloadAt + 8] = static_cast<std::uint8_t>(mouse.firmwareVersion >> 8);
            // Bytes past the 14 the tool copies, so that a copy too long shows.
            for (std::size_t i = 14; i < 48; ++i) {
                answer[kPayloadAt + i] = 0xEE;
            }
            return answer;
        }
        case opcode::kReadBattery: {
            std::vector<std::uint8_t> answer = ShortAnswer(kStatusDone);
            answer[kPayloadAt] = mouse.batteryLevel;
            return answer;
        }
        case opcode::kFactoryReset:
            mouse.block = FactoryBlock();
            return ShortAnswer(kStatusDone);
        default:
            return ShortAnswer(kStatusUnknownCommand);
    }
}

bool IsDongleOwnCommand(const std::uint8_t* frame) {
    return frame[1] == opcode::kReadDongleInfo || frame[1] == opcode::kLink || frame[1] == opcode::kStartPairing;
}

std::vector<std::uint8_t> DongleExecute(DongleState& dongle, MouseState& mouse, const std::uint8_t* frame) {
    switch (frame[1]) {
        case opcode::kReadDongleInfo: {
            std::vector<std::uint8_t> answer = ShortAnswer(kStatusDone);
            answer[kPayloadAt + 1] = static_cast<std::uint8_t>(dongle.firmwareVersion & 0xFF);
            answer[kPayloadAt + 2] = static_cast<std::uint8_t>(dongle.firmwareVersion >> 8);
            return answer;
        }
        case opcode::kLink:
            if (!dongle.paired) {
                return ShortAnswer(kStatusNotPaired);
            }
            if (frame[2] == kLinkRecoverSubCode && !dongle.mouseAwake) {
                dongle.mouseAwake = true;
                dongle.wakeUpBusyReads = kWakeUpBusyReads;
            }
            return ShortAnswer(dongle.mouseAwake ? kStatusDone : kStatusMouseAsleep);
        case opcode::kStartPairing:
            dongle.pairingMode = true;
            return ShortAnswer(kStatusDone);
        default:
            break;
    }
    if (!dongle.paired) {
        return ShortAnswer(kStatusNotPaired);
    }
    if (!dongle.mouseAwake) {
        return ShortAnswer(kStatusMouseAsleep);
    }
    std::vector<std::uint8_t> answer = MouseExecute(mouse, frame);
    if (frame[1] == opcode::kReadDeviceInfo && answer[1] == kStatusDone) {
        answer[kPayloadAt + 2] = static_cast<std::uint8_t>(dongle.reportedProductId & 0xFF);
        answer[kPayloadAt + 3] = static_cast<std::uint8_t>(dongle.reportedProductId >> 8);
    }
    return answer;
}

}  // namespace kestrova::sim
