// Arrival and removal of HID interfaces, each with the kernel name of its HID device
// (for example 0003:5A17:4C32.0001). Sources: a udev monitor, or the simulated device.
#pragma once

#include <functional>
#include <string>

namespace kestrova {

struct HotplugEvent {
    enum class Kind { Arrival, Removal };
    Kind kind;
    std::string name;
};

class HotplugSource {
public:
    using Handler = std::function<void(const HotplugEvent&)>;

    virtual ~HotplugSource() = default;
    // A descriptor that becomes readable when Dispatch() has events to deliver, or -1
    // for a source that delivers by itself.
    virtual int PollDescriptor() const { return -1; }
    // Delivers every pending event to the handler.
    virtual void Dispatch() {}
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

protected:
    void Deliver(const HotplugEvent& event) const {
        if (handler_) {
            handler_(event);
        }
    }

private:
    Handler handler_;
};

// The parent HID device's name in a hidraw devpath such as
// /devices/.../0003:5A17:4C32.0005/hidraw/hidraw3; empty when there is none.
std::string HidDeviceNameFromDevpath(const std::string& devpath);

}  // namespace kestrova
