#include "settings.h"

#include <algorithm>

#include "byte_order.h"

namespace kestrova {

ConfigBlock configBlock{};
SettingsRecord workingSettings{};
SettingsRecord deviceSettings{};

namespace {

namespace offset {
constexpr std::size_t kHeader = 0;
constexpr std::size_t kDeepSleep = 3;
constexpr std::size_t kPowerSaving = 4;
constexpr std::size_t kPollingRate = 5;
constexpr std::size_t kFilterFlags = 6;
constexpr std::size_t kSensorByte7 = 7;
constexpr std::size_t kLiftOffLed = 8;
constexpr std::size_t kLiftOffDistance = 9;
constexpr std::size_t kAngleSnapping = 10;
constexpr std::size_t kRippleControl = 11;
constexpr std::size_t kMotionSync = 12;
constexpr std::size_t kSensorByte13 = 13;
constexpr std::size_t kCpiLevelCount = 14;
constexpr std::size_t kReserved = 15;
constexpr std::size_t kCpiLevels = 35;
constexpr std::size_t kButtons = 55;
}  // namespace offset

constexpr std::size_t kCpiEntryLength = 5;
constexpr std::size_t kButtonEntryLength = 7;
static_assert(offset::kReserved + kReservedBlockLength == offset::kCpiLevels);
static_assert(offset::kCpiLevels + kCpiLevelCount * kCpiEntryLength == offset::kButtons);
static_assert(offset::kButtons + kButtonCount * kButtonEntryLength == 111);
static_assert(kButtonPayloadLength == kButtonCount * kButtonEntryLength);

void DecodeCpiLevel(const std::uint8_t* entry, CpiLevel& level) {
    level.separateXY = entry[0];
    level.cpiX = GetLe16(entry, 1);
    level.cpiY = GetLe16(entry, 3);
}

void EncodeCpiLevel(const CpiLevel& level, std::uint8_t* entry) {
    entry[0] = level.separateXY;
    PutLe16(entry, 1, level.cpiX);
    PutLe16(entry, 3, level.cpiY);
}

void DecodeButton(const std::uint8_t* entry, ButtonBinding& button) {
    button.actionType = entry[0];
    button.actionCode = entry[1];
    button.param1 = GetLe16(entry, 2);
    button.param2 = GetLe16(entry, 4);
    button.clickFilter = entry[6];
}

void EncodeButton(const ButtonBinding& button, std::uint8_t* entry) {
    entry[0] = button.actionType;
    entry[1] = button.actionCode;
    PutLe16(entry, 2, button.param1);
    PutLe16(entry, 4, button.param2);
    entry[6] = button.clickFilter;
}

}  // namespace

void DecodeSettings(const ConfigBlock& block, SettingsRecord& record) {
    const std::uint8_t* bytes = block.data();
    record.headerByte = bytes[offset::kHeader];
    record.deepSleepTime = bytes[offset::kDeepSleep];
    record.powerSavingTime = bytes[offset::kPowerSaving];
    record.pollingRate = bytes[offset::kPollingRate];
    record.filterFlags = bytes[offset::kFilterFlags];
    record.sensorByte7 = bytes[offset::kSensorByte7];
    record.liftOffLed = bytes[offset::kLiftOffLed];
    record.liftOffDistance = bytes[offset::kLiftOffDistance];
    record.angleSnapping = bytes[offset::kAngleSnapping];
    record.rippleControl = bytes[offset::kRippleControl];
    record.motionSync = bytes[offset::kMotionSync];
    record.sensorByte13 = bytes[offset::kSensorByte13];
    record.cpiLevelCount = bytes[offset::kCpiLevelCount];
    std::copy_n(bytes + offset::kReserved, kReservedBlockLength, record.reservedBlock.begin());
    for (std::size_t i = 0; i < kCpiLevelCount; ++i) {
        DecodeCpiLevel(bytes + offset::kCpiLevels + i * kCpiEntryLength, record.cpiLevels[i]);
    }
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        DecodeButton(bytes + offset::kButtons + i * kButtonEntryLength, record.buttons[i]);
    }
}

void ResetSettingsToDefaults(SettingsRecord& record) {
    record.headerByte = 0;
    record.pollingRate = 0x02;
    record.powerSavingTime = 0x01;
    record.deepSleepTime = 0x03;
    record.filterFlags = 0x11;
    record.sensorByte13 = 0x02;
    record.cpiLevelCount = 4;
    record.sensorByte7 = 0;
    record.angleSnapping = 0;
    record.rippleControl = 0;
    record.motionSync = 0;
    record.liftOffLed = 1;
    record.liftOffDistance = 1;
    const std::uint16_t defaultCpi[kCpiLevelCount] = {400, 800, 1600, 3200};
    for (std::size_t i = 0; i < kCpiLevelCount; ++i) {
        record.cpiLevels[i] = CpiLevel{0, defaultCpi[i], defaultCpi[i]};
    }
    const std::uint8_t defaultActions[kButtonCount][2] = {
        {0x00, 0x01}, {0x00, 0x02}, {0x00, 0x04}, {0x00, 0x08},
        {0x00, 0x10}, {0x09, 0xF1}, {0x01, 0x01}, {0x01, 0xFF}};
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        record.buttons[i] = ButtonBinding{defaultActions[i][0], defaultActions[i][1], 0, 0, 8};
    }
}

void CopySettings() {
    deviceSettings = workingSettings;
}

SettingsImage EncodeSettingsImage(const SettingsRecord& record) {
    SettingsImage image{};
    std::uint8_t* bytes = image.data();
    bytes[offset::kHeader] = record.headerByte;
    bytes[offset::kDeepSleep] = record.deepSleepTime;
    bytes[offset::kPowerSaving] = record.powerSavingTime;
    bytes[offset::kPollingRate] = record.pollingRate;
    bytes[offset::kFilterFlags] = record.filterFlags;
    bytes[offset::kSensorByte7] = record.sensorByte7;
    bytes[offset::kLiftOffLed] = record.liftOffLed;
    bytes[offset::kLiftOffDistance] = record.liftOffDistance;
    bytes[offset::kAngleSnapping] = record.angleSnapping;
    bytes[offset::kRippleControl] = record.rippleControl;
    bytes[offset::kMotionSync] = record.motionSync;
    bytes[offset::kSensorByte13] = record.sensorByte13;
    bytes[offset::kCpiLevelCount] = record.cpiLevelCount;
    std::copy(record.reservedBlock.begin(), record.reservedBlock.end(), bytes + offset::kReserved);
    for (std::size_t i = 0; i < kCpiLevelCount; ++i) {
        EncodeCpiLevel(record.cpiLevels[i], bytes + offset::kCpiLevels + i * kCpiEntryLength);
    }
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        EncodeButton(record.buttons[i], bytes + offset::kButtons + i * kButtonEntryLength);
    }
    return image;
}

bool SettingsDiffer(const SettingsRecord& first, const SettingsRecord& second) {
    return EncodeSettingsImage(first) != EncodeSettingsImage(second);
}

SensorPayload EncodeSensorPayload(const SettingsRecord& record) {
    SensorPayload payload{};
    payload[0] = record.sensorByte7;
    payload[1] = record.liftOffLed;
    payload[2] = record.liftOffDistance;
    payload[3] = record.angleSnapping;
    payload[4] = record.rippleControl;
    payload[5] = 0;
    payload[6] = record.cpiLevelCount;
    payload[7] = record.sensorByte13;
    for (std::size_t i = 0; i < kCpiLevelCount; ++i) {
        EncodeCpiLevel(record.cpiLevels[i], payload.data() + 8 + i * kCpiEntryLength);
    }
    return payload;
}

AdvancedPayload EncodeAdvancedPayload(const SettingsRecord& record) {
    AdvancedPayload payload{};
    payload[0] = record.motionSync;
    payload[1] = record.pollingRate;
    payload[2] = record.filterFlags;
    payload[3] = record.powerSavingTime;
    for (std::size_t i = 0; i < 5; ++i) {
        payload[4 + i] = record.buttons[i].clickFilter;
    }
    payload[9] = record.deepSleepTime;
    return payload;
}

ButtonPayload EncodeButtonPayload(const SettingsRecord& record) {
    ButtonPayload payload{};
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        EncodeButton(record.buttons[i], payload.data() + i * kButtonEntryLength);
    }
    return payload;
}

void CopySensorFields(const SettingsRecord& source, SettingsRecord& target) {
    target.sensorByte7 = source.sensorByte7;
    target.liftOffLed = source.liftOffLed;
    target.liftOffDistance = source.liftOffDistance;
    target.angleSnapping = source.angleSnapping;
    target.rippleControl = source.rippleControl;
    target.cpiLevelCount = source.cpiLevelCount;
    target.sensorByte13 = source.sensorByte13;
    target.cpiLevels = source.cpiLevels;
}

void CopyAdvancedFields(const SettingsRecord& source, SettingsRecord& target) {
    target.motionSync = source.motionSync;
    target.pollingRate = source.pollingRate;
    target.filterFlags = source.filterFlags;
    target.powerSavingTime = source.powerSavingTime;
    target.deepSleepTime = source.deepSleepTime;
    for (std::size_t i = 0; i < 5; ++i) {
        target.buttons[i].clickFilter = source.buttons[i].clickFilter;
    }
}

void CopyButtonFields(const SettingsRecord& source, SettingsRecord& target) {
    target.buttons = source.buttons;
}

std::uint16_t NormalizeCpi(std::uint32_t value) {
    if (value < 50) {
        return 50;
    }
    if (value > 26000) {
        return 26000;
    }
    std::uint32_t steps = value / 50;
    if (value % 50 >= 25) {
        ++steps;
    }
    return static_cast<std::uint16_t>(steps * 50);
}

}  // namespace kestrova
