// Hotplug from the kernel: a udev monitor on the hidraw subsystem, "udev" source,
// so device permissions are in place when an event arrives.
#pragma once

#include "hotplug.h"

struct udev;
struct udev_monitor;

namespace kestrova {

class UdevHotplugSource final : public HotplugSource {
public:
    UdevHotplugSource();
    ~UdevHotplugSource() override;
    UdevHotplugSource(const UdevHotplugSource&) = delete;
    UdevHotplugSource& operator=(const UdevHotplugSource&) = delete;

    bool Valid() const { return monitor_ != nullptr; }
    int PollDescriptor() const override;
    void Dispatch() override;

private:
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
};

}  // namespace kestrova
