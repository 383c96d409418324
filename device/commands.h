// The eleven device commands: one 0xA1 request, a fixed wait, one answer read.
// Each returns a CommandResult (1 done; other values as the command table says) and
// writes its output only when the device answered with status 1.
#pragma once

#include <array>
#include <cstdint>

#include "command_table.h"
#include "settings.h"

namespace kestrova {

using DeviceInfoData = std::array<std::uint8_t, kDeviceInfoDataLength>;

// On status 1 stores the block in configBlock and decodes it into workingSettings.
CommandResult ReadConfigBlock(unsigned waitMs);
CommandResult WriteSensorSettings(const SensorPayload& payload, unsigned waitMs);
CommandResult WriteAdvancedSettings(const AdvancedPayload& payload, unsigned waitMs);
// Two frames, each sent once without retries; the result is the status of the last
// answer read successfully, 0 if none was.
CommandResult WriteButtonBindings(const ButtonPayload& payload, unsigned waitMs);
CommandResult ReadDeviceInfo(unsigned waitMs, DeviceInfoData& info);
CommandResult ReadDongleInfo(DeviceInfoData& info);
CommandResult ReadBattery(unsigned waitMs, std::uint8_t& level);
CommandResult LinkCheck();
CommandResult LinkRecover();
CommandResult FactoryReset(unsigned waitMs);
CommandResult StartPairing();

// Fields of the answers.
inline std::uint16_t DeviceInfoProductId(const DeviceInfoData& info) {
    return static_cast<std::uint16_t>(info[2] | (info[3] << 8));
}
inline std::uint16_t DeviceInfoFirmwareVersion(const DeviceInfoData& info) {
    return static_cast<std::uint16_t>(info[7] | (info[8] << 8));
}
inline std::uint16_t DongleInfoFirmwareVersion(const DeviceInfoData& info) {
    return static_cast<std::uint16_t>(info[1] | (info[2] << 8));
}

}  // namespace kestrova
