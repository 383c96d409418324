// Firmware model of the mouse and of the dongle: what each answers to a command frame
// and what the command does to its state. The mouse keeps its own 1024-byte block,
// laid out here from the byte tables and not through the tool's settings codec.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrova::sim {

constexpr std::size_t kBlockLength = 1024;
using Block = std::array<std::uint8_t, kBlockLength>;

// Status bytes the model uses beyond "done" and "busy".
constexpr std::uint8_t kStatusDone = 0x01;
constexpr std::uint8_t kStatusBusy = 0x03;
constexpr std::uint8_t kStatusUnknownCommand = 0x05;
constexpr std::uint8_t kStatusMouseAsleep = 0x08;
constexpr std::uint8_t kStatusNotPaired = 0x11;

// The factory block: documented values in the fields the tool interprets, and
// recognisable non-zero bytes in every field it only carries.
Block FactoryBlock();

struct MouseState {
    Block block = FactoryBlock();
    std::uint16_t productId = 0x4C32;
    std::uint16_t firmwareVersion = 0x0103;
    std::uint8_t batteryLevel = 85;
};

struct DongleState {
    std::uint16_t firmwareVersion = 0x0120;
    bool paired = true;
    bool mouseAwake = true;
    bool pairingMode = false;
    std::uint16_t reportedProductId = 0x4C32;  // what ReadDeviceInfo says through the dongle
    // A mouse just woken by LinkRecover answers busy to the reads of its first command.
    int wakeUpBusyReads = 0;
};

constexpr int kWakeUpBusyReads = 3;

// Commands the dongle answers itself rather than passing on to the mouse.
bool IsDongleOwnCommand(const std::uint8_t* frame);

// Answer report (64 bytes for 0xA1, 1041 for 0xA0) of the mouse to one request frame.
std::vector<std::uint8_t> MouseExecute(MouseState& mouse, const std::uint8_t* frame);
// Answer of the dongle; commands for the mouse are passed on while the link is up.
std::vector<std::uint8_t> DongleExecute(DongleState& dongle, MouseState& mouse, const std::uint8_t* frame);

}  // namespace kestrova::sim
