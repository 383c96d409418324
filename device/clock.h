// The one source of fixed waits and of the HID log's timestamps: real time in the
// program, virtual time in tests, so tests check exact waits without spending them.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace kestrova {

class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(unsigned milliseconds) = 0;
    // Milliseconds since the clock was created.
    virtual std::uint64_t NowMs() const = 0;
};

class RealClock final : public Clock {
public:
    RealClock();
    void Sleep(unsigned milliseconds) override;
    std::uint64_t NowMs() const override;

private:
    std::chrono::steady_clock::time_point start_;
};

// Advances virtual time at once and records every wait in order.
class TestClock final : public Clock {
public:
    void Sleep(unsigned milliseconds) override;
    std::uint64_t NowMs() const override;
    std::vector<unsigned> Waits() const;
    void ClearWaits();
    void Advance(unsigned milliseconds);
    // Runs after each wait is recorded: lets a test act while the tool is waiting.
    void SetSleepHook(std::function<void(unsigned)> hook);

private:
    std::function<void(unsigned)> hook_;
    mutable std::mutex mutex_;
    std::uint64_t now_ = 0;
    std::vector<unsigned> waits_;
};

// The process-wide clock. A real clock until someone installs another.
Clock& CurrentClock();
void InstallClock(Clock* clock);  // nullptr restores the real clock

}  // namespace kestrova
