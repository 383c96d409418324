// APPLY, Factory Reset, and the change check that keeps APPLY enabled exactly while
// the working copy differs from what the mouse holds.
#include <QPushButton>

#include "device/clock.h"
#include "device/commands.h"
#include "device/settings.h"
#include "main_window.h"
#include "pages/mouse_set_page.h"
#include "pages/power_page.h"
#include "pages/sensor_page.h"
#include "pages/support_page.h"

namespace kestrova {

namespace {

// Clears the busy flag on every way out of an action.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

bool ButtonActionsDiffer(const SettingsRecord& first, const SettingsRecord& second) {
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        const ButtonBinding& a = first.buttons[i];
        const ButtonBinding& b = second.buttons[i];
        if (a.actionType != b.actionType || a.actionCode != b.actionCode || a.param1 != b.param1 ||
            a.param2 != b.param2) {
            return true;
        }
    }
    return false;
}

}  // namespace

unsigned CUpdaterDlg::PrepareDeviceAction(const ActionWaits& waits) {
    switch (connectionKind) {
        case ConnectionKind::Wired:
            CurrentClock().Sleep(waits.wired);
            // The Pairing page may have left the dongle open: go back to the wired mouse.
            if (switchedToDongle && DetectConnection() == ConnectionKind::Wired) {
                switchedToDongle = false;
            }
            return waits.wired;
        case ConnectionKind::Wireless:
            CurrentClock().Sleep(waits.wireless);
            // The command goes ahead whatever the link commands answer.
            if (LinkCheck() != result::kDone) {
                LinkRecover();
            }
            return waits.wireless;
        case ConnectionKind::None:
            break;
    }
    CurrentClock().Sleep(waits.noDevice);
    return waits.noDevice;
}

void CUpdaterDlg::RefreshApplyButton() {
    Control(kApplyId)->setEnabled(SettingsDiffer(workingSettings, deviceSettings));
}

void CUpdaterDlg::OnApply() {
    if (actionBusy_) {
        return;
    }
    BusyScope busy(actionBusy_);
    advancedPage_->StoreToSettings();
    basicPage_->StoreToSettings();
    powerPage_->StoreToSettings();

    // Every page's changes are saved, each through the write that carries it.
    const bool sendSensor = EncodeSensorPayload(workingSettings) != EncodeSensorPayload(deviceSettings);
    const bool sendAdvanced = EncodeAdvancedPayload(workingSettings) != EncodeAdvancedPayload(deviceSettings);
    const bool sendButtons = ButtonActionsDiffer(workingSettings, deviceSettings);
    if (!sendSensor && !sendAdvanced && !sendButtons) {
        RefreshApplyButton();
        return;
    }

    if (connectionKind == ConnectionKind::None) {
        DetectConnection();
    }
    const unsigned writeWait =
        PrepareDeviceAction({wait::kWriteWired, wait::kWriteWireless, wait::kWriteNoDevice});
    if (connectionKind == ConnectionKind::None) {
        return;
    }

    // The device copy takes only what the mouse accepted.
    if (sendSensor && WriteSensorSettings(EncodeSensorPayload(workingSettings), writeWait) == result::kDone) {
        CopySensorFields(workingSettings, deviceSettings);
    }
    if (sendAdvanced &&
        WriteAdvancedSettings(EncodeAdvancedPayload(workingSettings), writeWait) == result::kDone) {
        CopyAdvancedFields(workingSettings, deviceSettings);
    }
    if (sendButtons && WriteButtonBindings(EncodeButtonPayload(workingSettings), writeWait) == result::kDone) {
        CopyButtonFields(workingSettings, deviceSettings);
    }
    RefreshApplyButton();
}

void CUpdaterDlg::OnFactoryReset() {
    if (actionBusy_) {
        return;
    }
    BusyScope busy(actionBusy_);
    const unsigned resetWait =
        PrepareDeviceAction({wait::kResetWired, wait::kResetWireless, wait::kResetNoDevice});
    if (connectionKind == ConnectionKind::None) {
        DetectConnection();  // a device found here keeps the short wait chosen above
    }
    if (connectionKind == ConnectionKind::None) {
        return;
    }
    if (FactoryReset(resetWait) != result::kDone) {
        return;
    }
    ResetSettingsToDefaults(workingSettings);
    ResetSettingsToDefaults(deviceSettings);
    advancedPage_->LoadFromSettings();
    basicPage_->LoadFromSettings();
    buttonPage_->LoadFromSettings();
    powerPage_->LoadFromSettings();
    Control(kApplyId)->setEnabled(false);
}

}  // namespace kestrova
