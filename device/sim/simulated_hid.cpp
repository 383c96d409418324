#include "simulated_hid.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <utility>

#include "../command_table.h"
#include "../transport.h"

namespace kestrova::sim {

class SimulatedConnection final : public HidConnection {
public:
    SimulatedConnection(SimulatedHid& sim, Device device, std::uint16_t usagePage, unsigned generation)
        : sim_(sim), device_(device), usagePage_(usagePage), generation_(generation) {}

    ~SimulatedConnection() override {
        std::lock_guard lock(sim_.mutex_);
        --sim_.Slot(device_).openConnections;
    }

    HidTransfer SendFeature(const std::uint8_t* report, std::size_t length) override {
        std::lock_guard lock(sim_.mutex_);
        SimulatedHid::DeviceSlot& slot = sim_.Slot(device_);
        int error = 0;
        if (!Alive(slot, error)) {
            return HidTransfer::Failure(error);
        }
        slot.frames.emplace_back(report, report + length);
        if (sim_.TakeInjectedFailure(slot, Transfer::Send, error)) {
            return HidTransfer::Failure(error);
        }
        if (usagePage_ != kCommandUsagePage || length != kFeatureFrameLength) {
            return HidTransfer::Failure(EPIPE);
        }
        if (device_ == Device::Mouse) {
            slot.pendingAnswer = MouseExecute(sim_.mouse_, report);
        } else {
            slot.pendingAnswer = DongleExecute(sim_.dongle_, sim_.mouse_, report);
            if (!IsDongleOwnCommand(report) && sim_.dongle_.wakeUpBusyReads > 0) {
                slot.busyPolls += std::exchange(sim_.dongle_.wakeUpBusyReads, 0);
            }
        }
        return HidTransfer::Success(static_cast<int>(length));
    }

    HidTransfer GetFeature(std::uint8_t* report, std::size_t length) override {
        std::lock_guard lock(sim_.mutex_);
        SimulatedHid::DeviceSlot& slot = sim_.Slot(device_);
        int error = 0;
        if (!Alive(slot, error) || sim_.TakeInjectedFailure(slot, Transfer::Read, error)) {
            return HidTransfer::Failure(error);
        }
        if (usagePage_ != kCommandUsagePage || length < 2) {
            return HidTransfer::Failure(usagePage_ != kCommandUsagePage ? EPIPE : EINVAL);
        }
        std::vector<std::uint8_t> answer;
        if (!slot.rawAnswers.empty()) {
            answer = std::move(slot.rawAnswers.front());
            slot.rawAnswers.pop_front();
        } else {
            answer = slot.pendingAnswer;
            if (answer.empty()) {
                answer.assign(kShortAnswerLength, 0);
                answer[0] = report[0];
            }
            if (slot.busyPolls > 0) {
                --slot.busyPolls;
                answer[1] = kStatusBusy;
            }
        }
        const std::size_t count = std::min(length, answer.size());
        std::copy_n(answer.begin(), count, report);
        return HidTransfer::Success(static_cast<int>(count));
    }

    HidTransfer ReadInput(std::uint8_t* report, std::size_t length, int timeoutMs) override {
        std::unique_lock lock(sim_.mutex_);
        SimulatedHid::DeviceSlot& slot = sim_.Slot(device_);
        int error = 0;
        if (usagePage_ != kInputUsagePage) {
            return HidTransfer::Failure(EINVAL);
        }
        sim_.inputArrived_.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)), [&] {
            return !slot.inputReports.empty() || !Alive(slot, error);
        });
        if (!Alive(slot, error)) {
            return HidTransfer::Failure(EIO);
        }
        if (slot.inputReports.empty()) {
            return HidTransfer::Success(0);
        }
        const auto next = slot.inputReports.front();
        slot.inputReports.pop_front();
        const std::size_t count = std::min(length, next.size());
        std::copy_n(next.begin(), count, report);
        return HidTransfer::Success(static_cast<int>(count));
    }

private:
    bool Alive(const SimulatedHid::DeviceSlot& slot, int& error) const {
        if (!slot.plugged || slot.generation != generation_) {
            error = ENODEV;
            return false;
        }
        return true;
    }

    SimulatedHid& sim_;
    Device device_;
    std::uint16_t usagePage_;
    unsigned generation_;
};

SimulatedHid::SimulatedHid() {
    const auto build = [](DeviceSlot& slot, std::uint16_t productId, const char* tag) {
        slot.productId = productId;
        const std::string base = std::string("sim:") + tag + ":";
        // An ordinary mouse interface first, so discovery has to pick the right one.
        slot.interfaces = {{base + "mouse", 0x0001, 0x0002, 0, {}},
                           {base + "input", kInputUsagePage, kInputUsage, 0, {}},
                           {base + "command", kCommandUsagePage, kCommandUsage, 0, {}}};
    };
    build(mouseSlot_, kMouseProductId, "4c32");
    build(dongleSlot_, kDongleProductId, "4c30");
}

SimulatedHid::~SimulatedHid() = default;

SimulatedHid::DeviceSlot& SimulatedHid::Slot(Device device) {
    return device == Device::Mouse ? mouseSlot_ : dongleSlot_;
}

const SimulatedHid::DeviceSlot& SimulatedHid::Slot(Device device) const {
    return device == Device::Mouse ? mouseSlot_ : dongleSlot_;
}

bool SimulatedHid::TakeInjectedFailure(DeviceSlot& slot, Transfer kind, int& error) {
    if (slot.failCount <= 0 || (slot.failKind != Transfer::Any && slot.failKind != kind)) {
        return false;
    }
    if (slot.failSkip > 0) {
        --slot.failSkip;
        return false;
    }
    --slot.failCount;
    error = slot.failError;
    return true;
}

std::vector<HidInterfaceInfo> SimulatedHid::Enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> entries;
    if (vendorId != kVendorId) {
        return entries;
    }
    for (const DeviceSlot* slot : {&mouseSlot_, &dongleSlot_}) {
        if (!slot->plugged || (productId != 0 && productId != slot->productId)) {
            continue;
        }
        for (const Interface& item : slot->interfaces) {
            entries.push_back({item.path, kVendorId, slot->productId, item.usagePage, item.usage});
        }
    }
    return entries;
}

std::unique_ptr<HidConnection> SimulatedHid::Open(const HidInterfaceInfo& entry, int& error) {
    std::lock_guard lock(mutex_);
    for (Device device : {Device::Mouse, Device::Dongle}) {
        DeviceSlot& slot = Slot(device);
        for (const Interface& item : slot.interfaces) {
            if (item.path != entry.path) {
                continue;
            }
            if (!slot.plugged) {
                error = ENOENT;
                return nullptr;
            }
            if (item.openError != 0) {
                error = item.openError;
                return nullptr;
            }
            ++slot.openConnections;
            return std::make_unique<SimulatedConnection>(*this, device, item.usagePage, slot.generation);
        }
    }
    error = ENOENT;
    return nullptr;
}

void SimulatedHid::Plug(Device device) {
    std::vector<HotplugEvent> events;
    {
        std::lock_guard lock(mutex_);
        DeviceSlot& slot = Slot(device);
        if (slot.plugged) {
            return;
        }
        slot.plugged = true;
        ++slot.generation;
        slot.pendingAnswer.clear();
        for (Interface& item : slot.interfaces) {
            char name[32];
            std::snprintf(name, sizeof name, "0003:%04X:%04X.%04X", kVendorId, slot.productId,
                          nextKernelNumber_++);
            item.kernelName = name;
            events.push_back({HotplugEvent::Kind::Arrival, item.kernelName});
        }
    }
    for (const HotplugEvent& event : events) {
        Deliver(event);
    }
}

void SimulatedHid::Unplug(Device device) {
    std::vector<HotplugEvent> events;
    {
        std::lock_guard lock(mutex_);
        DeviceSlot& slot = Slot(device);
        if (!slot.plugged) {
            return;
        }
        slot.plugged = false;
        slot.inputReports.clear();
        for (const Interface& item : slot.interfaces) {
            events.push_back({HotplugEvent::Kind::Removal, item.kernelName});
        }
    }
    inputArrived_.notify_all();
    for (const HotplugEvent& event : events) {
        Deliver(event);
    }
}

bool SimulatedHid::IsPlugged(Device device) const {
    std::lock_guard lock(mutex_);
    return Slot(device).plugged;
}

void SimulatedHid::SetMouseAsleep(bool asleep) {
    std::lock_guard lock(mutex_);
    dongle_.mouseAwake = !asleep;
}

void SimulatedHid::SetPaired(bool paired) {
    std::lock_guard lock(mutex_);
    dongle_.paired = paired;
}

void SimulatedHid::SetReportedProductId(std::uint16_t productId) {
    std::lock_guard lock(mutex_);
    dongle_.reportedProductId = productId;
}

void SimulatedHid::HoldThreeButtons() {
    std::lock_guard lock(mutex_);
    if (dongleSlot_.plugged && dongle_.pairingMode) {
        dongle_.pairingMode = false;
        dongle_.paired = true;
        dongle_.mouseAwake = true;
    }
}

bool SimulatedHid::PairingMode() const {
    std::lock_guard lock(mutex_);
    return dongle_.pairingMode;
}

void SimulatedHid::SetBatteryLevel(std::uint8_t level) {
    std::lock_guard lock(mutex_);
    mouse_.batteryLevel = level;
}

void SimulatedHid::SetMouseFirmware(std::uint16_t version) {
    std::lock_guard lock(mutex_);
    mouse_.firmwareVersion = version;
}

void SimulatedHid::SetDongleFirmware(std::uint16_t version) {
    std::lock_guard lock(mutex_);
    dongle_.firmwareVersion = version;
}

void SimulatedHid::AnswerBusy(Device device, int polls) {
    std::lock_guard lock(mutex_);
    Slot(device).busyPolls = polls;
}

void SimulatedHid::FailTransfers(Device device, int count, int error, Transfer kind, int skip) {
    std::lock_guard lock(mutex_);
    Slot(device).failSkip = skip;
    Slot(device).failCount = count;
    Slot(device).failError = error;
    Slot(device).failKind = kind;
}

void SimulatedHid::QueueRawAnswer(Device device, std::vector<std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    Slot(device).rawAnswers.push_back(std::move(bytes));
}

void SimulatedHid::SetCommandInterfaceOpenError(Device device, int error) {
    std::lock_guard lock(mutex_);
    for (Interface& item : Slot(device).interfaces) {
        if (item.usagePage == kCommandUsagePage && item.path.find("-held") == std::string::npos) {
            item.openError = error;
        }
    }
}

void SimulatedHid::AddUnopenableCommandInterface(Device device, int error) {
    std::lock_guard lock(mutex_);
    DeviceSlot& slot = Slot(device);
    const auto command = std::find_if(slot.interfaces.begin(), slot.interfaces.end(),
                                      [](const Interface& item) { return item.usagePage == kCommandUsagePage; });
    slot.interfaces.insert(command, Interface{command->path + "-held", kCommandUsagePage, kCommandUsage, error, {}});
}

void SimulatedHid::QueueInputReport(Device device, const std::array<std::uint8_t, 8>& report) {
    {
        std::lock_guard lock(mutex_);
        Slot(device).inputReports.push_back(report);
    }
    inputArrived_.notify_all();
}

Block SimulatedHid::MouseBlock() const {
    std::lock_guard lock(mutex_);
    return mouse_.block;
}

void SimulatedHid::SetMouseBlock(const Block& block) {
    std::lock_guard lock(mutex_);
    mouse_.block = block;
}

std::vector<std::vector<std::uint8_t>> SimulatedHid::TakeFrames(Device device) {
    std::lock_guard lock(mutex_);
    return std::exchange(Slot(device).frames, {});
}

int SimulatedHid::OpenConnections(Device device) const {
    std::lock_guard lock(mutex_);
    return Slot(device).openConnections;
}

std::vector<std::string> ScenarioNames() {
    return {"wired", "dongle", "both", "dongle-asleep", "foreign", "none"};
}

bool ApplyScenario(SimulatedHid& sim, const std::string& scenario) {
    if (scenario == "wired") {
        sim.Plug(Device::Mouse);
    } else if (scenario == "dongle") {
        sim.Plug(Device::Dongle);
    } else if (scenario == "both") {
        sim.Plug(Device::Mouse);
        sim.Plug(Device::Dongle);
    } else if (scenario == "dongle-asleep") {
        sim.SetMouseAsleep(true);
        sim.Plug(Device::Dongle);
    } else if (scenario == "foreign") {
        sim.SetReportedProductId(0x4C33);
        sim.Plug(Device::Dongle);
    } else if (scenario != "none") {
        return false;
    }
    return true;
}

}  // namespace kestrova::sim
