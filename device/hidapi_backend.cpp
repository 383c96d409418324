#include "hidapi_backend.h"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>

namespace kestrova {

namespace {

// hidapi reports -1 without promising errno; take it at once and never report 0.
int LastError() {
    return errno != 0 ? errno : EIO;
}

class HidapiConnection final : public HidConnection {
public:
    explicit HidapiConnection(hid_device* device) : device_(device) {}
    ~HidapiConnection() override { hid_close(device_); }

    HidTransfer SendFeature(const std::uint8_t* report, std::size_t length) override {
        errno = 0;
        const int written = hid_send_feature_report(device_, report, length);
        if (written < 0) {
            return HidTransfer::Failure(LastError());
        }
        return HidTransfer::Success(written);
    }

    HidTransfer GetFeature(std::uint8_t* report, std::size_t length) override {
        errno = 0;
        const int read = hid_get_feature_report(device_, report, length);
        if (read < 0) {
            return HidTransfer::Failure(LastError());
        }
        return HidTransfer::Success(std::min(read, static_cast<int>(length)));
    }

    HidTransfer ReadInput(std::uint8_t* report, std::size_t length, int timeoutMs) override {
        errno = 0;
        const int read = hid_read_timeout(device_, report, length, timeoutMs);
        if (read < 0) {
            return HidTransfer::Failure(LastError());
        }
        return HidTransfer::Success(read);
    }

private:
    hid_device* device_;
};

}  // namespace

HidapiBackend::HidapiBackend() {
    hid_init();
}

HidapiBackend::~HidapiBackend() {
    hid_exit();
}

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::vector<HidInterfaceInfo> entries;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* item = list; item != nullptr; item = item->next) {
        entries.push_back({item->path != nullptr ? item->path : "", item->vendor_id, item->product_id,
                           item->usage_page, item->usage});
    }
    hid_free_enumeration(list);
    return entries;
}

std::unique_ptr<HidConnection> HidapiBackend::Open(const HidInterfaceInfo& entry, int& error) {
    errno = 0;
    hid_device* device = hid_open_path(entry.path.c_str());
    if (device == nullptr) {
        error = LastError();
        return nullptr;
    }
    return std::make_unique<HidapiConnection>(device);
}

}  // namespace kestrova
