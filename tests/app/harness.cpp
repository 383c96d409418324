#include "harness.h"

#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "app/dialog/message_box.h"
#include "app/dialog/tab_host.h"
#include "device/connection_state.h"
#include "device/settings.h"
#include "device/transport.h"

namespace kestrova::testing {

Harness::Harness(const std::string& scenario) {
    InstallClock(&clock);
    InstallBackend(&sim);
    CloseDevice();
    ResetConnectionState();
    configBlock = {};
    workingSettings = {};
    deviceSettings = {};
    sim::ApplyScenario(sim, scenario);
    dialog::SetMessageBoxHandler([this](QWidget*, const QString& text) { messages << text; });
}

Harness::~Harness() {
    window_.reset();
    CloseDevice();
    dialog::SetMessageBoxHandler({});
    InstallBackend(nullptr);
    InstallClock(nullptr);
}

bool Harness::Start() {
    MainWindowEnvironment environment;
    environment.hotplug = &sim;
    environment.topLevelWindowExists = [this](const QString& title) {
        return updaterRunning && title == QLatin1String("Quillmark 4k Dongle Firmware Updater");
    };
    window_ = std::make_unique<CUpdaterDlg>(environment);
    if (!window_->OnInitDialog()) {
        return false;
    }
    window_->show();
    if (!QTest::qWaitForWindowActive(window_.get())) {
        qWarning("main window did not become active");
    }
    sim.TakeFrames(sim::Device::Mouse);
    sim.TakeFrames(sim::Device::Dongle);
    clock.ClearWaits();
    return true;
}

void Harness::Click(QWidget* widget) const {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void Harness::ClickTab(int index) const {
    auto* tabs = Get<dialog::TabHost>(CUpdaterDlg::kTabControlId);
    QTabBar* bar = tabs->Bar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

QStringList Harness::Commands(sim::Device device) {
    QStringList commands;
    for (const auto& frame : sim.TakeFrames(device)) {
        // The link commands share a byte and differ in their sub-code.
        commands << (frame[1] == 0x0F ? QString::asprintf("%02x%02x", frame[1], frame[2])
                                      : QString::asprintf("%02x", frame[1]));
    }
    return commands;
}

}  // namespace kestrova::testing
