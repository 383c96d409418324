#include "transport.h"

#include <vector>

#include "clock.h"
#include "hid_errors.h"

namespace kestrova {

CMyCriticalSection deviceLock;
std::unique_ptr<HidConnection> deviceHandle;

namespace {

HidBackend* installedBackend = nullptr;
std::uint16_t openProductId = 0;

constexpr unsigned kTransferPauseMs = 50;
constexpr int kSendRetries = 3;
constexpr int kReadRetries = 2;
constexpr int kBusyPolls = 2;
constexpr unsigned kBusyPollStepMs = 200;
constexpr std::uint8_t kStatusDone = 1;
constexpr std::uint8_t kStatusBusy = 3;

HidTransfer SendOnce(const std::uint8_t* frame) {
    if (!deviceHandle) {
        return HidTransfer::Failure(0);
    }
    return deviceHandle->SendFeature(frame, kFeatureFrameLength);
}

HidTransfer GetOnce(std::uint8_t* buffer, std::uint16_t length) {
    if (!deviceHandle) {
        return HidTransfer::Failure(0);
    }
    return deviceHandle->GetFeature(buffer, length);
}

}  // namespace

HidBackend* CurrentBackend() {
    return installedBackend;
}

void InstallBackend(HidBackend* backend) {
    installedBackend = backend;
}

std::uint16_t OpenProductId() {
    return deviceHandle ? openProductId : 0;
}

void CloseDevice() {
    deviceHandle.reset();
    openProductId = 0;
}

bool OpenDevice(std::uint16_t vendorId, std::uint16_t productId) {
    CloseDevice();
    if (installedBackend == nullptr) {
        return false;
    }
    for (const HidInterfaceInfo& entry : installedBackend->Enumerate(vendorId, productId)) {
        if (entry.vendorId != vendorId || entry.productId != productId ||
            entry.usagePage != kCommandUsagePage || entry.usage != kCommandUsage) {
            continue;
        }
        int error = 0;
        std::unique_ptr<HidConnection> connection = installedBackend->Open(entry, error);
        if (connection) {
            deviceHandle = std::move(connection);
            openProductId = productId;
            return true;
        }
    }
    return false;
}

bool SendFeatureReportOnce(const std::uint8_t* frame) {
    return SendOnce(frame).Succeeded();
}

bool SendFeatureReport(const std::uint8_t* frame) {
    // The platform may scribble on the buffer of a failed send: every try sends a fresh copy.
    std::uint8_t attempt[kFeatureFrameLength];
    std::copy(frame, frame + kFeatureFrameLength, attempt);
    HidTransfer result = SendOnce(attempt);
    if (result.Succeeded()) {
        return true;
    }
    if (!IsRetryableError(result.error)) {
        return false;
    }
    for (int retry = 0; retry < kSendRetries; ++retry) {
        std::copy(frame, frame + kFeatureFrameLength, attempt);
        if (SendOnce(attempt).Succeeded()) {
            return true;
        }
        CurrentClock().Sleep(kTransferPauseMs);
    }
    return false;
}

bool ReadFeatureReport(std::uint16_t initialDelayMs, std::uint16_t length, std::uint8_t* buffer) {
    if (length == 0) {
        return false;
    }
    const std::vector<std::uint8_t> pristine(buffer, buffer + length);
    auto restore = [&] { std::copy(pristine.begin(), pristine.end(), buffer); };

    HidTransfer result = GetOnce(buffer, length);
    if (!result.Succeeded()) {
        const bool retryable = IsRetryableError(result.error);
        CurrentClock().Sleep(kTransferPauseMs);
        if (!retryable) {
            return false;
        }
        for (int retry = 0; retry < kReadRetries; ++retry) {
            restore();
            if (GetOnce(buffer, length).Succeeded()) {
                return true;
            }
            CurrentClock().Sleep(kTransferPauseMs);
        }
        return false;
    }

    if (length < 2 || buffer[1] != kStatusBusy) {
        return true;
    }
    unsigned delay = initialDelayMs;
    bool lastSucceeded = true;
    for (int poll = 0; poll < kBusyPolls; ++poll) {
        delay += kBusyPollStepMs;
        CurrentClock().Sleep(delay);
        restore();
        lastSucceeded = GetOnce(buffer, length).Succeeded();
        if (lastSucceeded && buffer[1] == kStatusDone) {
            break;
        }
    }
    return lastSucceeded;
}

}  // namespace kestrova
