#include "hotplug.h"

namespace kestrova {

std::string HidDeviceNameFromDevpath(const std::string& devpath) {
    const std::string marker = "/hidraw/";
    const std::size_t end = devpath.rfind(marker);
    if (end == std::string::npos || end == 0) {
        return {};
    }
    const std::size_t begin = devpath.rfind('/', end - 1);
    return devpath.substr(begin == std::string::npos ? 0 : begin + 1,
                          begin == std::string::npos ? end : end - begin - 1);
}

}  // namespace kestrova
