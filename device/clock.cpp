#include "clock.h"

#include <atomic>
#include <thread>

namespace kestrova {

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

void RealClock::Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::uint64_t RealClock::NowMs() const {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start_)
                                          .count());
}

void TestClock::Sleep(unsigned milliseconds) {
    std::function<void(unsigned)> hook;
    {
        std::lock_guard lock(mutex_);
        now_ += milliseconds;
        waits_.push_back(milliseconds);
        hook = hook_;
    }
    if (hook) {
        hook(milliseconds);
    }
}

void TestClock::SetSleepHook(std::function<void(unsigned)> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

std::uint64_t TestClock::NowMs() const {
    std::lock_guard lock(mutex_);
    return now_;
}

std::vector<unsigned> TestClock::Waits() const {
    std::lock_guard lock(mutex_);
    return waits_;
}

void TestClock::ClearWaits() {
    std::lock_guard lock(mutex_);
    waits_.clear();
}

void TestClock::Advance(unsigned milliseconds) {
    std::lock_guard lock(mutex_);
    now_ += milliseconds;
}

namespace {
RealClock& ProcessRealClock() {
    static RealClock clock;
    return clock;
}
std::atomic<Clock*> installedClock{nullptr};
}  // namespace

Clock& CurrentClock() {
    Clock* clock = installedClock.load();
    return clock != nullptr ? *clock : ProcessRealClock();
}

void InstallClock(Clock* clock) {
    installedClock.store(clock);
}

}  // namespace kestrova
