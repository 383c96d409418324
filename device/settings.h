// The decoded configuration block, the two process-wide records (working copy and
// device copy), factory defaults, the unsaved-changes comparison and the write payloads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "command_table.h"

namespace kestrova {

struct CpiLevel {
    std::uint8_t separateXY = 0;
    std::uint16_t cpiX = 0;
    std::uint16_t cpiY = 0;
};

struct ButtonBinding {
    std::uint8_t actionType = 0;
    std::uint8_t actionCode = 0;
    std::uint16_t param1 = 0;
    std::uint16_t param2 = 0;
    std::uint8_t clickFilter = 0;
};

constexpr std::size_t kCpiLevelCount = 4;
constexpr std::size_t kButtonCount = 8;
constexpr std::size_t kReservedBlockLength = 20;

struct SettingsRecord {
    std::uint8_t headerByte = 0;
    std::uint8_t pollingRate = 0;
    std::uint8_t powerSavingTime = 0;
    std::uint8_t deepSleepTime = 0;
    std::uint8_t filterFlags = 0;
    std::uint8_t sensorByte13 = 0;
    std::uint8_t cpiLevelCount = 0;
    std::uint8_t sensorByte7 = 0;
    std::uint8_t angleSnapping = 0;
    std::uint8_t rippleControl = 0;
    std::uint8_t motionSync = 0;
    std::uint8_t liftOffLed = 0;
    std::uint8_t liftOffDistance = 0;
    std::array<CpiLevel, kCpiLevelCount> cpiLevels{};
    std::array<ButtonBinding, kButtonCount> buttons{};
    std::array<std::uint8_t, kReservedBlockLength> reservedBlock{};
};

constexpr std::size_t kSettingsImageLength = 114;
constexpr std::size_t kSensorPayloadLength = 28;
constexpr std::size_t kAdvancedPayloadLength = 10;
constexpr std::size_t kButtonPayloadLength = 56;

using ConfigBlock = std::array<std::uint8_t, kConfigBlockLength>;
using SettingsImage = std::array<std::uint8_t, kSettingsImageLength>;
using SensorPayload = std::array<std::uint8_t, kSensorPayloadLength>;
using AdvancedPayload = std::array<std::uint8_t, kAdvancedPayloadLength>;
using ButtonPayload = std::array<std::uint8_t, kButtonPayloadLength>;

extern ConfigBlock configBlock;
extern SettingsRecord workingSettings;
extern SettingsRecord deviceSettings;

void DecodeSettings(const ConfigBlock& block, SettingsRecord& record);
// Factory defaults for every field but reservedBlock, which keeps what it holds.
void ResetSettingsToDefaults(SettingsRecord& record);
void CopySettings();
SettingsImage EncodeSettingsImage(const SettingsRecord& record);
bool SettingsDiffer(const SettingsRecord& first, const SettingsRecord& second);

SensorPayload EncodeSensorPayload(const SettingsRecord& record);
AdvancedPayload EncodeAdvancedPayload(const SettingsRecord& record);
ButtonPayload EncodeButtonPayload(const SettingsRecord& record);

// Takes into `target` exactly the fields that one write command carries, so that the
// device copy only counts as saved what the mouse accepted.
void CopySensorFields(const SettingsRecord& source, SettingsRecord& target);
void CopyAdvancedFields(const SettingsRecord& source, SettingsRecord& target);
void CopyButtonFields(const SettingsRecord& source, SettingsRecord& target);

// Rounds any number to a valid CPI value: a multiple of 50 from 50 to 26000.
std::uint16_t NormalizeCpi(std::uint32_t value);

}  // namespace kestrova
