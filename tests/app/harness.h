// Starts the main window on a simulated scenario with the test clock, and records
// message boxes instead of showing them.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "device/clock.h"
#include "device/sim/simulated_hid.h"

namespace kestrova::testing {

class Harness {
public:
    // Sets up the scenario; Start() then opens the window on it.
    explicit Harness(const std::string& scenario);
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Runs the window's start-up and shows it. False when start-up ended the tool.
    bool Start();
    CUpdaterDlg& Window() const { return *window_; }
    template <typename T>
    T* Get(int id) const {
        return qobject_cast<T*>(window_->Control(id));
    }
    // Clicks a control of the main window or of a page as a user would.
    void Click(QWidget* widget) const;
    // Clicks tab `index` of the tab control.
    void ClickTab(int index) const;
    // Request frames the device received since the last call, as "cmd" hex bytes.
    QStringList Commands(sim::Device device);

    TestClock clock;
    sim::SimulatedHid sim;
    QStringList messages;
    bool updaterRunning = false;

private:
    std::unique_ptr<CUpdaterDlg> window_;
};

}  // namespace kestrova::testing
