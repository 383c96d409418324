// Everything that touches HID goes through this interface: the real implementation
// sits on hidapi, the simulated one in sim/. Tests and --simulate install the latter.
//
// Contract of every transfer:
//  - byte 0 of the buffer is the report ID, and lengths include it;
//  - a result of n >= 0 means success with n valid bytes in the buffer (n <= length);
//    bytes past n are left as they were, so callers zero the buffer first;
//  - a result of -1 means failure, with the platform error code in `error`
//    (errno on Linux, taken right after the failing call);
//  - ReadInput returns 0 when nothing arrived within the time-out.
// A connection is used by one thread at a time; each thread opens its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

struct HidTransfer {
    int bytes = -1;
    int error = 0;

    bool Succeeded() const { return bytes >= 0; }
    static HidTransfer Success(int count) { return {count, 0}; }
    static HidTransfer Failure(int code) { return {-1, code}; }
};

class HidConnection {
public:
    virtual ~HidConnection() = default;
    virtual HidTransfer SendFeature(const std::uint8_t* report, std::size_t length) = 0;
    virtual HidTransfer GetFeature(std::uint8_t* report, std::size_t length) = 0;
    virtual HidTransfer ReadInput(std::uint8_t* report, std::size_t length, int timeoutMs) = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every present interface of the vendor and product ID, once per top-level
    // collection (so one path may appear several times with different usages).
    virtual std::vector<HidInterfaceInfo> Enumerate(std::uint16_t vendorId,
                                                    std::uint16_t productId) = 0;
    // Opens the interface for reading and writing, shared with other openers.
    // Returns null on failure and stores the platform error code in `error`.
    virtual std::unique_ptr<HidConnection> Open(const HidInterfaceInfo& entry, int& error) = 0;
};

// The backend the device link uses. Defaults to none: every open then fails.
HidBackend* CurrentBackend();
void InstallBackend(HidBackend* backend);

}  // namespace kestrova
