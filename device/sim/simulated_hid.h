// The simulated mouse and dongle as a HID backend and a hotplug source. Tests and
// --simulate drive it: plug and unplug, sleep and wake, pairing, busy answers,
// failing transfers, odd answers and input reports.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "../hid_backend.h"
#include "../hotplug.h"
#include "mouse_firmware.h"

namespace kestrova::sim {

enum class Device { Mouse, Dongle };
enum class Transfer { Any, Send, Read };

class SimulatedHid final : public HidBackend, public HotplugSource {
public:
    SimulatedHid();
    ~SimulatedHid() override;

    // HidBackend
    std::vector<HidInterfaceInfo> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidConnection> Open(const HidInterfaceInfo& entry, int& error) override;

    // Plugging raises one arrival or removal event per interface, named like the kernel's.
    void Plug(Device device);
    void Unplug(Device device);
    bool IsPlugged(Device device) const;

    // A sleeping mouse answers nothing through the dongle. LinkRecover (or moving it,
    // SetMouseAsleep(false)) wakes it; woken by LinkRecover, it answers its first
    // command busy while it comes up.
    void SetMouseAsleep(bool asleep);
    void SetPaired(bool paired);
    void SetReportedProductId(std::uint16_t productId);
    // The "hold the three buttons" action: pairs the mouse while the dongle is in pairing mode.
    void HoldThreeButtons();
    bool PairingMode() const;
    void SetBatteryLevel(std::uint8_t level);
    void SetMouseFirmware(std::uint16_t version);
    void SetDongleFirmware(std::uint16_t version);

    // The next `polls` feature reads of the device answer with status 3.
    void AnswerBusy(Device device, int polls);
    // After `skip` more transfers of the kind (sends, reads, or both) go through, the next
    // `count` fail with `error`.
    void FailTransfers(Device device, int count, int error, Transfer kind = Transfer::Any, int skip = 0);
    // The next feature read of the device returns exactly these bytes (cut to the
    // reader's length), in place of the real answer.
    void QueueRawAnswer(Device device, std::vector<std::uint8_t> bytes);
    // Makes the device's command interface fail to open with `error` (0: opens again).
    void SetCommandInterfaceOpenError(Device device, int error);
    // An extra command interface listed before the real one that cannot be opened.
    void AddUnopenableCommandInterface(Device device, int error);
    void QueueInputReport(Device device, const std::array<std::uint8_t, 8>& report);

    Block MouseBlock() const;
    void SetMouseBlock(const Block& block);
    // Every request frame sent to the device while plugged, accepted or failed, oldest
    // first; clears the record.
    std::vector<std::vector<std::uint8_t>> TakeFrames(Device device);
    // Open connections to the device right now.
    int OpenConnections(Device device) const;

private:
    friend class SimulatedConnection;

    struct Interface {
        std::string path;
        std::uint16_t usagePage;
        std::uint16_t usage;
        int openError = 0;
        std::string kernelName;
    };
    struct DeviceSlot {
        std::uint16_t productId = 0;
        bool plugged = false;
        unsigned generation = 0;
        std::vector<Interface> interfaces;
        std::vector<std::uint8_t> pendingAnswer;
        std::deque<std::vector<std::uint8_t>> rawAnswers;
        int busyPolls = 0;
        int failCount = 0;
        int failError = 0;
        Transfer failKind = Transfer::Any;
        int failSkip = 0;
        std::deque<std::array<std::uint8_t, 8>> inputReports;
        std::vector<std::vector<std::uint8_t>> frames;
        int openConnections = 0;
    };

    DeviceSlot& Slot(Device device);
    const DeviceSlot& Slot(Device device) const;
    bool TakeInjectedFailure(DeviceSlot& slot, Transfer kind, int& error);

    mutable std::mutex mutex_;
    std::condition_variable inputArrived_;
    MouseState mouse_;
    DongleState dongle_;
    DeviceSlot mouseSlot_;
    DeviceSlot dongleSlot_;
    unsigned nextKernelNumber_ = 1;
};

// Puts the model into a named starting state: wired, dongle, both, dongle-asleep,
// foreign, none. False for an unknown name.
bool ApplyScenario(SimulatedHid& sim, const std::string& scenario);
std::vector<std::string> ScenarioNames();

}  // namespace kestrova::sim
