// The HID log: a backend decorator that writes every open, close, feature report and
// input report to a file, one flushed line each, so a crash loses nothing logged:
//   <ms> <pid> <event>[ <bytes>][ error=<code>]
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "hid_backend.h"

namespace kestrova {

class HidLog {
public:
    // Opens (truncates) the file; Valid() tells whether that worked.
    explicit HidLog(const std::string& path);
    ~HidLog();
    HidLog(const HidLog&) = delete;
    HidLog& operator=(const HidLog&) = delete;

    bool Valid() const { return file_ != nullptr; }
    void Write(std::uint16_t productId, const char* event, const std::uint8_t* bytes, int count,
               int error);

private:
    std::mutex mutex_;
    std::FILE* file_;
};

class LoggingBackend final : public HidBackend {
public:
    LoggingBackend(HidBackend& inner, HidLog& log) : inner_(inner), log_(log) {}
    std::vector<HidInterfaceInfo> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidConnection> Open(const HidInterfaceInfo& entry, int& error) override;

private:
    HidBackend& inner_;
    HidLog& log_;
};

}  // namespace kestrova
