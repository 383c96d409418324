#include "commands.h"

#include <algorithm>
#include <vector>

#include "clock.h"
#include "transport.h"

namespace kestrova {

namespace {

using Frame = std::array<std::uint8_t, kFeatureFrameLength>;

Frame BuildFrame(const CommandSpec& spec, const std::uint8_t* payload, std::size_t payloadLength,
                 std::uint8_t chunkIndex = 0) {
    Frame frame{};
    frame[0] = kCommandReportId;
    frame[1] = spec.command;
    frame[2] = spec.subCode;
    frame[3] = spec.payloadLength;
    frame[kFrameChunkIndexOffset] = chunkIndex;
    std::copy_n(payload, std::min(payloadLength, kFeatureFrameLength - kFramePayloadOffset),
                frame.begin() + kFramePayloadOffset);
    return frame;
}

struct Exchange {
    CommandResult result = result::kReadFailed;
    std::vector<std::uint8_t> answer;  // the whole answer report when result is 1
};

// Steps 2 to 10 of every command, with the lock taken by the caller.
Exchange RunExchange(CommandId id, unsigned callerWaitMs, const std::uint8_t* payload = nullptr,
                     std::size_t payloadLength = 0) {
    const CommandSpec& spec = SpecOf(id);
    const Frame frame = BuildFrame(spec, payload, payloadLength);
    const unsigned waitMs =
        spec.waitAfterSendMs == kCallerWait ? callerWaitMs : static_cast<unsigned>(spec.waitAfterSendMs);

    const bool sent = SendFeatureReport(frame.data());
    if (sent || spec.waitAfterFailedSend) {
        CurrentClock().Sleep(waitMs);
    }
    if (!sent) {
        return {spec.sendFailure, {}};
    }

    std::vector<std::uint8_t> answer(spec.answerLength, 0);
    answer[0] = spec.answerReportId;
    const unsigned initialDelay =
        spec.readInitialDelayMs == kSameAsSendWait ? waitMs : static_cast<unsigned>(spec.readInitialDelayMs);
    if (!ReadFeatureReport(static_cast<std::uint16_t>(initialDelay), spec.answerLength, answer.data())) {
        return {spec.readFailure, {}};
    }
    return {answer[1], std::move(answer)};
}

CommandResult RunDataCommand(CommandId id, unsigned waitMs, std::uint8_t* output, std::size_t outputLength) {
    CCriticalSectionAutoLock lock(&deviceLock);
    Exchange exchange = RunExchange(id, waitMs);
    if (exchange.result == result::kDone && output != nullptr) {
        std::copy_n(exchange.answer.begin() + kAnswerDataOffset, outputLength, output);
    }
    return exchange.result;
}

}  // namespace

CommandResult ReadConfigBlock(unsigned waitMs) {
    CCriticalSectionAutoLock lock(&deviceLock);
    Exchange exchange = RunExchange(CommandId::ReadConfigBlock, waitMs);
    if (exchange.result == result::kDone) {
        std::copy_n(exchange.answer.begin() + kAnswerDataOffset, kConfigBlockLength, configBlock.begin());
        DecodeSettings(configBlock, workingSettings);
    }
    return exchange.result;
}

CommandResult WriteSensorSettings(const SensorPayload& payload, unsigned waitMs) {
    CCriticalSectionAutoLock lock(&deviceLock);
    return RunExchange(CommandId::WriteSensorSettings, waitMs, payload.data(), payload.size()).result;
}

CommandResult WriteAdvancedSettings(const AdvancedPayload& payload, unsigned waitMs) {
    CCriticalSectionAutoLock lock(&deviceLock);
    return RunExchange(CommandId::WriteAdvancedSettings, waitMs, payload.data(), payload.size()).result;
}

CommandResult WriteButtonBindings(const ButtonPayload& payload, unsigned waitMs) {
    CCriticalSectionAutoLock lock(&deviceLock);
    const CommandSpec& spec = SpecOf(CommandId::WriteButtonBindings);
    constexpr std::size_t kChunkLength = kButtonPayloadLength / 2;
    CommandResult lastStatus = result::kReadFailed;
    for (std::uint8_t chunk = 1; chunk <= 2; ++chunk) {
        const Frame frame =
            BuildFrame(spec, payload.data() + (chunk - 1) * kChunkLength, kChunkLength, chunk);
        const bool sent = SendFeatureReportOnce(frame.data());
        CurrentClock().Sleep(waitMs);
        if (!sent) {
            return spec.sendFailure;
        }
        std::array<std::uint8_t, kShortAnswerLength> answer{};
        answer[0] = spec.answerReportId;
        if (ReadFeatureReport(static_cast<std::uint16_t>(spec.readInitialDelayMs), kShortAnswerLength,
                              answer.data())) {
            lastStatus = answer[1];
        }
        CurrentClock().Sleep(kButtonChunkPauseMs);
    }
    return lastStatus;
}

CommandResult ReadDeviceInfo(unsigned waitMs, DeviceInfoData& info) {
    return RunDataCommand(CommandId::ReadDeviceInfo, waitMs, info.data(), info.size());
}

CommandResult ReadDongleInfo(DeviceInfoData& info) {
    return RunDataCommand(CommandId::ReadDongleInfo, 0, info.data(), info.size());
}

CommandResult ReadBattery(unsigned waitMs, std::uint8_t& level) {
    return RunDataCommand(CommandId::ReadBattery, waitMs, &level, 1);
}

CommandResult LinkCheck() {
    return RunDataCommand(CommandId::LinkCheck, 0, nullptr, 0);
}

CommandResult LinkRecover() {
    return RunDataCommand(CommandId::LinkRecover, 0, nullptr, 0);
}

CommandResult FactoryReset(unsigned waitMs) {
    return RunDataCommand(CommandId::FactoryReset, waitMs, nullptr, 0);
}

CommandResult StartPairing() {
    return RunDataCommand(CommandId::StartPairing, 0, nullptr, 0);
}

}  // namespace kestrova
