// The device link's lowest layer: the one open vendor interface, the process-wide
// lock every command holds, and feature-report transfers with their retry rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "hid_backend.h"

namespace kestrova {

constexpr std::uint16_t kVendorId = 0x5A17;
constexpr std::uint16_t kMouseProductId = 0x4C32;
constexpr std::uint16_t kDongleProductId = 0x4C30;
constexpr std::uint16_t kCommandUsagePage = 0xFF01;
constexpr std::uint16_t kCommandUsage = 0x0002;
constexpr std::uint16_t kInputUsagePage = 0xFF02;
constexpr std::uint16_t kInputUsage = 0x0001;

constexpr std::size_t kFeatureFrameLength = 64;

// A recursive lock: the thread that holds it may enter it again.
class CMyCriticalSection {
public:
    CMyCriticalSection() = default;
    CMyCriticalSection(const CMyCriticalSection&) = delete;
    CMyCriticalSection& operator=(const CMyCriticalSection&) = delete;
    virtual ~CMyCriticalSection() = default;

    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }

private:
    std::recursive_mutex mutex_;
};

// Holds a CMyCriticalSection for the life of the scope, whichever way it is left.
class CCriticalSectionAutoLock {
public:
    explicit CCriticalSectionAutoLock(CMyCriticalSection* section) : section_(section) {
        section_->Enter();
    }
    CCriticalSectionAutoLock(const CCriticalSectionAutoLock&) = delete;
    CCriticalSectionAutoLock& operator=(const CCriticalSectionAutoLock&) = delete;
    virtual ~CCriticalSectionAutoLock() { section_->Leave(); }

private:
    CMyCriticalSection* section_;
};

extern CMyCriticalSection deviceLock;

// The open vendor interface, or null. Replaced only by OpenDevice and CloseDevice.
extern std::unique_ptr<HidConnection> deviceHandle;

// Product ID of the device behind deviceHandle; 0 while none is open.
std::uint16_t OpenProductId();

void CloseDevice();
// Finds the first interface of the vendor and product ID whose top-level collection is
// the command collection, and opens it. Interfaces that cannot be opened are skipped.
bool OpenDevice(std::uint16_t vendorId, std::uint16_t productId);

// Sends a 64-byte feature report (byte 0 = report ID) with retries on transient errors.
bool SendFeatureReport(const std::uint8_t* frame);
// One plain send without retries; no open device counts as a failed send.
bool SendFeatureReportOnce(const std::uint8_t* frame);
// Reads a feature report into `buffer` (byte 0 = report ID, the rest zero on entry),
// re-polling while the device answers busy. True when the last attempt transferred.
bool ReadFeatureReport(std::uint16_t initialDelayMs, std::uint16_t length, std::uint8_t* buffer);

}  // namespace kestrova
