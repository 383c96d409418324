#include "hid_log.h"

#include <string>

#include "clock.h"

namespace kestrova {

HidLog::HidLog(const std::string& path) : file_(std::fopen(path.c_str(), "w")) {}

HidLog::~HidLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void HidLog::Write(std::uint16_t productId, const char* event, const std::uint8_t* bytes, int count,
                   int error) {
    if (file_ == nullptr) {
        return;
    }
    std::string line = std::to_string(CurrentClock().NowMs());
    char field[16];
    std::snprintf(field, sizeof field, " %04x ", productId);
    line += field;
    line += event;
    if (count < 0) {
        line += " error=" + std::to_string(error);
    } else {
        for (int i = 0; i < count; ++i) {
            std::snprintf(field, sizeof field, " %02x", bytes[i]);
            line += field;
        }
    }
    line += '\n';
    std::lock_guard lock(mutex_);
    std::fputs(line.c_str(), file_);
    std::fflush(file_);
}

namespace {

class LoggingConnection final : public HidConnection {
public:
    LoggingConnection(std::unique_ptr<HidConnection> inner, HidLog& log, std::uint16_t productId)
        : inner_(std::move(inner)), log_(log), productId_(productId) {}

    ~LoggingConnection() override {
        inner_.reset();
        log_.Write(productId_, "close", nullptr, 0, 0);
    }

    HidTransfer SendFeature(const std::uint8_t* report, std::size_t length) override {
        HidTransfer result = inner_->SendFeature(report, length);
        log_.Write(productId_, "set_feature", report,
                   result.Succeeded() ? static_cast<int>(length) : -1, result.error);
        return result;
    }

    HidTransfer GetFeature(std::uint8_t* report, std::size_t length) override {
        HidTransfer result = inner_->GetFeature(report, length);
        log_.Write(productId_, "get_feature", report, result.bytes, result.error);
        return result;
    }

    HidTransfer ReadInput(std::uint8_t* report, std::size_t length, int timeoutMs) override {
        HidTransfer result = inner_->ReadInput(report, length, timeoutMs);
        if (result.bytes != 0) {  // a time-out with nothing read is not an event
            log_.Write(productId_, "input", report, result.bytes, result.error);
        }
        return result;
    }

private:
    std::unique_ptr<HidConnection> inner_;
    HidLog& log_;
    std::uint16_t productId_;
};

}  // namespace

std::vector<HidInterfaceInfo> LoggingBackend::Enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    return inner_.Enumerate(vendorId, productId);
}

std::unique_ptr<HidConnection> LoggingBackend::Open(const HidInterfaceInfo& entry, int& error) {
    std::unique_ptr<HidConnection> connection = inner_.Open(entry, error);
    if (!connection) {
        log_.Write(entry.productId, "open", nullptr, -1, error);
        return nullptr;
    }
    log_.Write(entry.productId, "open", nullptr, 0, 0);
    return std::make_unique<LoggingConnection>(std::move(connection), log_, entry.productId);
}

}  // namespace kestrova
