// The main window: status band, the five pages under a tab control, APPLY and
// Factory Reset, and the handling of devices coming and going.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/dialog/dialog_builder.h"
#include "device/command_table.h"
#include "device/connection_state.h"
#include "device/hotplug.h"

class QSocketNotifier;

namespace kestrova {

class CSensorDlg;
class CSupportDlg;
class CMouseSet;
class CPower;
class CPair;
class SettingsPage;
namespace dialog {
class TabHost;
}

// What the window needs from the platform; tests pass their own.
struct MainWindowEnvironment {
    HotplugSource* hotplug = nullptr;
    // True while a top-level window with this title exists.
    std::function<bool(const QString& title)> topLevelWindowExists;
};

class CUpdaterDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kConnectionTextId = 1032;
    static constexpr int kBatteryTextId = 1031;
    static constexpr int kSoftwareVersionTextId = 1029;
    static constexpr int kMouseFirmwareTextId = 1028;
    static constexpr int kDongleFirmwareTextId = 1027;
    static constexpr int kFactoryResetId = 1039;
    static constexpr int kTabControlId = 1060;
    static constexpr int kApplyId = 1043;
    enum Tab { kBasicTab = 0, kAdvancedTab, kButtonTab, kPowerTab, kPairingTab, kTabCount };

    static constexpr std::uint8_t kLinkUnknown = 0;
    static constexpr std::uint8_t kLinkForeignMouse = 0xF0;
    static constexpr std::uint8_t kLinkUsable = 0xF1;

    explicit CUpdaterDlg(MainWindowEnvironment environment, QWidget* parent = nullptr);
    ~CUpdaterDlg() override;

    // Runs the start-up sequence. False when the tool must end at once.
    bool OnInitDialog();

    // Page hosting.
    void ShowPairingTab();
    void LeavePairingTab();
    int SelectedTab() const;
    SettingsPage* Page(int tab) const;
    CSensorDlg* BasicPage() const { return basicPage_; }
    CSupportDlg* AdvancedPage() const { return advancedPage_; }
    CMouseSet* ButtonPage() const { return buttonPage_; }
    CPower* PowerPage() const { return powerPage_; }
    CPair* PairPage() const { return pairPage_; }
    QWidget* Control(int id) const;
    QString Text(int id) const;
    std::uint8_t LinkState() const { return linkState_; }

    // Connection and status.
    void SetDeviceIds();
    ConnectionKind DetectConnection();
    CommandResult RefreshDeviceStatus(ConnectionKind kind);
    void EnableDeviceControls(bool enable);
    void LoadAllPages();
    void UpdatePairButton();
    void WirelessLinkCheck();
    void OnDeviceChange(const HotplugEvent& event);
    // Mouse movement seen from a named input device while the tool has none in use.
    // Where the platform reports such input, it calls this.
    void OnRawMouseInput(const QString& deviceName);

    // APPLY, Factory Reset and the change check every page runs.
    void OnApply();
    void OnFactoryReset();
    void RefreshApplyButton();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void accept() override {}  // the OK command does nothing

private:
    void SetupPages();
    void ShowPage(int tab);
    void SetText(int id, const QString& text);
    void StartListener();
    CommandResult RefreshWireless();
    CommandResult RefreshWired();
    CommandResult FailRefresh(CommandResult result);
    struct ActionWaits {
        unsigned wired;
        unsigned wireless;
        unsigned noDevice;
    };
    // The wait and link discipline before APPLY's writes or the reset, by the
    // connection in use; returns the wait the commands then get.
    unsigned PrepareDeviceAction(const ActionWaits& waits);
    // After a successful configuration read: both records equal, pages loaded, APPLY off.
    void ShowReadConfiguration();
    void ShowDongleVersionIfLinked();
    bool IsMouseName(const std::string& name) const;
    bool IsDongleName(const std::string& name) const;
    void WatchHotplug();

    MainWindowEnvironment environment_;
    std::unique_ptr<QSocketNotifier> hotplugNotifier_;
    CSensorDlg* basicPage_ = nullptr;
    CSupportDlg* advancedPage_ = nullptr;
    CMouseSet* buttonPage_ = nullptr;
    CPower* powerPage_ = nullptr;
    CPair* pairPage_ = nullptr;
    dialog::TabHost* tabControl_ = nullptr;
    dialog::DialogControls controls_;
    bool actionBusy_ = false;
    std::uint8_t linkState_ = kLinkUnknown;
    bool rawInputProbed_ = false;
};

// The one main window, for the parts of the tool that report to it.
extern CUpdaterDlg* mainWindow;

}  // namespace kestrova
