// The real backend on hidapi (hidraw). Call hid_init once through the constructor.
#pragma once

#include "hid_backend.h"

namespace kestrova {

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    std::vector<HidInterfaceInfo> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidConnection> Open(const HidInterfaceInfo& entry, int& error) override;
};

}  // namespace kestrova
