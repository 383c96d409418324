#include "udev_hotplug.h"

#include <libudev.h>

#include <cstring>

namespace kestrova {

UdevHotplugSource::UdevHotplugSource() : udev_(udev_new()) {
    if (udev_ == nullptr) {
        return;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr) {
        return;
    }
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
}

UdevHotplugSource::~UdevHotplugSource() {
    if (monitor_ != nullptr) {
        udev_monitor_unref(monitor_);
    }
    if (udev_ != nullptr) {
        udev_unref(udev_);
    }
}

int UdevHotplugSource::PollDescriptor() const {
    return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1;
}

void UdevHotplugSource::Dispatch() {
    if (monitor_ == nullptr) {
        return;
    }
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* devpath = udev_device_get_devpath(device);
        if (action != nullptr && devpath != nullptr) {
            HotplugEvent::Kind kind;
            bool known = true;
            if (std::strcmp(action, "add") == 0) {
                kind = HotplugEvent::Kind::Arrival;
            } else if (std::strcmp(action, "remove") == 0) {
                kind = HotplugEvent::Kind::Removal;
            } else {
                known = false;
            }
            const std::string name = HidDeviceNameFromDevpath(devpath);
            if (known && !name.empty()) {
                udev_device_unref(device);
                Deliver({kind, name});
                continue;
            }
        }
        udev_device_unref(device);
    }
}

}  // namespace kestrova
