// Which device is in use, its status in the band, and devices coming and going.
#include <QPushButton>

#include "app/format_version.h"
#include "device/clock.h"
#include "device/commands.h"
#include "device/settings.h"
#include "device/transport.h"
#include "main_window.h"
#include "pages/mouse_set_page.h"
#include "pages/pair_page.h"
#include "pages/power_page.h"
#include "pages/sensor_page.h"
#include "pages/support_page.h"

namespace kestrova {

namespace {

// The identifiers and the texts that device names carry them as.
struct DeviceIds {
    std::uint16_t vendorId = 0;
    std::uint16_t mouseProductId = 0;
    std::uint16_t dongleProductId = 0;
    std::string vendorText;
    std::string mouseText;
    std::string dongleText;
};
DeviceIds deviceIds;

constexpr unsigned kDongleVersionLimit = 200;

QString PercentText(std::uint8_t level) {
    return QString::asprintf("%d", std::min<int>(level, 100)) + QLatin1Char('%');
}

// LinkCheck, then LinkRecover when it did not return 1; the result of the last one.
CommandResult LinkCheckThenRecover() {
    const CommandResult checked = LinkCheck();
    return checked == result::kDone ? checked : LinkRecover();
}

bool FoundAfterFirstCharacter(const std::string& name, const std::string& text) {
    const std::size_t position = name.find(text);
    return position != std::string::npos && position > 0;
}

}  // namespace

void CUpdaterDlg::SetDeviceIds() {
    deviceIds = {kVendorId, kMouseProductId, kDongleProductId, "5A17", "4C32", "4C30"};
}

ConnectionKind CUpdaterDlg::DetectConnection() {
    connectionKind = ConnectionKind::None;
    if (OpenDevice(deviceIds.vendorId, deviceIds.mouseProductId)) {
        connectionKind = ConnectionKind::Wired;
    } else if (OpenDevice(deviceIds.vendorId, deviceIds.dongleProductId)) {
        dongleSeen = true;
        connectionKind = ConnectionKind::Wireless;
    }
    return connectionKind;
}

CommandResult CUpdaterDlg::RefreshDeviceStatus(ConnectionKind kind) {
    switch (kind) {
        case ConnectionKind::Wireless: return RefreshWireless();
        case ConnectionKind::Wired: return RefreshWired();
        case ConnectionKind::None: break;
    }
    return result::kDone;
}

CommandResult CUpdaterDlg::FailRefresh(CommandResult failed) {
    connectionKind = ConnectionKind::None;
    EnableDeviceControls(false);
    return failed;
}

CommandResult CUpdaterDlg::RefreshWireless() {
    dongleSeen = true;
    UpdatePairButton();
    const auto failWithPairing = [this](CommandResult failed) {
        ShowPairingTab();
        return FailRefresh(failed);
    };

    CommandResult step = LinkCheckThenRecover();
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    DeviceInfoData dongleInfo{};
    step = ReadDongleInfo(dongleInfo);
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    const std::uint16_t dongleVersion = DongleInfoFirmwareVersion(dongleInfo);
    if (VersionDigits(dongleVersion) < kDongleVersionLimit) {
        SetText(kDongleFirmwareTextId, FormatVersion(dongleVersion));
    }
    // From here on the dongle has answered: a silent mouse means it needs pairing.
    step = LinkCheckThenRecover();
    if (step != result::kDone) {
        return failWithPairing(step);
    }
    DeviceInfoData mouseInfo{};
    step = ReadDeviceInfo(wait::kDeviceInfoWireless, mouseInfo);
    if (step != result::kDone) {
        return failWithPairing(step);
    }
    if (DeviceInfoProductId(mouseInfo) != deviceIds.mouseProductId) {
        linkState_ = kLinkForeignMouse;
        connectionKind = ConnectionKind::None;
        EnableDeviceControls(false);
        return result::kReadFailed;
    }
    linkState_ = kLinkUsable;
    SetText(kConnectionTextId, QStringLiteral("Wireless"));

    step = LinkCheckThenRecover();
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    std::uint8_t level = 0;
    step = ReadBattery(wait::kBatteryWireless, level);
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    SetText(kBatteryTextId, PercentText(level));
    SetText(kMouseFirmwareTextId, FormatVersion(DeviceInfoFirmwareVersion(mouseInfo)));

    step = LinkCheckThenRecover();
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    step = ReadConfigBlock(wait::kConfigWireless);
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    ShowReadConfiguration();
    return result::kDone;
}

CommandResult CUpdaterDlg::RefreshWired() {
    DeviceInfoData mouseInfo{};
    CommandResult step = ReadDeviceInfo(wait::kDeviceInfoWired, mouseInfo);
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    linkState_ = kLinkUsable;
    SetText(kMouseFirmwareTextId, FormatVersion(DeviceInfoFirmwareVersion(mouseInfo)));
    std::uint8_t level = 0;
    step = ReadBattery(wait::kBatteryWired, level);
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    SetText(kBatteryTextId, level < 100 ? QStringLiteral("Charging") : PercentText(level));
    step = ReadConfigBlock(wait::kConfigWired);
    if (step != result::kDone) {
        return FailRefresh(step);
    }
    ShowReadConfiguration();

    // A dongle plugged as well only shows its version; the wired mouse stays in use.
    if (OpenDevice(deviceIds.vendorId, deviceIds.dongleProductId)) {
        dongleSeen = true;
        UpdatePairButton();
        ShowDongleVersionIfLinked();
    }
    DetectConnection();
    return result::kDone;
}

void CUpdaterDlg::ShowReadConfiguration() {
    EnableDeviceControls(true);
    Control(kApplyId)->setEnabled(false);
    DecodeSettings(configBlock, deviceSettings);
    LoadAllPages();
}

void CUpdaterDlg::ShowDongleVersionIfLinked() {
    if (LinkCheckThenRecover() != result::kDone) {
        return;
    }
    DeviceInfoData dongleInfo{};
    if (ReadDongleInfo(dongleInfo) == result::kDone) {
        SetText(kDongleFirmwareTextId, FormatVersion(DongleInfoFirmwareVersion(dongleInfo)));
    }
}

void CUpdaterDlg::EnableDeviceControls(bool enable) {
    Control(kFactoryResetId)->setEnabled(enable);
    Control(kApplyId)->setEnabled(enable);
    advancedPage_->EnableControls(enable);
    basicPage_->EnableControls(enable);
    buttonPage_->Control(CMouseSet::kLeftHandedId)->setEnabled(enable);
    for (int id = CMouseSet::kFirstActionButtonId; id <= CMouseSet::kLastActionButtonId; ++id) {
        buttonPage_->Control(id)->setEnabled(enable);
    }
    for (int id : {CPower::kPowerSavingMinutesId, CPower::kDeepSleepMinutesId, CPower::kPowerSavingCheckId,
                   CPower::kDeepSleepCheckId}) {
        powerPage_->Control(id)->setEnabled(enable);
    }
}

void CUpdaterDlg::LoadAllPages() {
    advancedPage_->LoadFromSettings();
    basicPage_->LoadFromSettings();
    buttonPage_->LoadFromSettings();
    powerPage_->LoadFromSettings();
    UpdatePairButton();
}

void CUpdaterDlg::UpdatePairButton() {
    pairPage_->PairButton()->setEnabled(dongleSeen);
}

void CUpdaterDlg::WirelessLinkCheck() {
    if (connectionKind != ConnectionKind::None) {
        return;
    }
    if (linkState_ == kLinkUnknown) {
        CommandResult link = LinkCheck();
        if (link == 3 || link == 8 || link == 0x11) {
            link = LinkRecover();
        }
        if (link == result::kDone) {
            DeviceInfoData info{};
            if (ReadDeviceInfo(wait::kDeviceInfoLinkCheck, info) == result::kDone) {
                if (DeviceInfoProductId(info) == deviceIds.mouseProductId) {
                    linkState_ = kLinkUsable;
                } else {
                    linkState_ = kLinkForeignMouse;
                    connectionKind = ConnectionKind::None;
                }
            }
        }
    }
    if (linkState_ != kLinkUsable) {
        return;
    }
    if (!OpenDevice(deviceIds.vendorId, deviceIds.dongleProductId)) {
        return;
    }
    StartListener();
    dongleSeen = true;
    UpdatePairButton();
    connectionKind = ConnectionKind::Wireless;
    SetText(kConnectionTextId, QStringLiteral("Wireless"));
    RefreshDeviceStatus(ConnectionKind::Wireless);
    LeavePairingTab();
    Control(kApplyId)->setEnabled(false);
}

void CUpdaterDlg::OnRawMouseInput(const QString& deviceName) {
    if (connectionKind != ConnectionKind::None || rawInputProbed_) {
        return;
    }
    if (deviceName.contains(QString::fromStdString(deviceIds.dongleText), Qt::CaseInsensitive)) {
        rawInputProbed_ = true;
        WirelessLinkCheck();
    }
}

bool CUpdaterDlg::IsMouseName(const std::string& name) const {
    return FoundAfterFirstCharacter(name, deviceIds.vendorText) && FoundAfterFirstCharacter(name, deviceIds.mouseText);
}

bool CUpdaterDlg::IsDongleName(const std::string& name) const {
    return FoundAfterFirstCharacter(name, deviceIds.vendorText) && FoundAfterFirstCharacter(name, deviceIds.dongleText);
}

void CUpdaterDlg::OnDeviceChange(const HotplugEvent& event) {
    const bool arrival = event.kind == HotplugEvent::Kind::Arrival;
    if (arrival && IsMouseName(event.name) && connectionKind != ConnectionKind::Wired) {
        connectionKind = ConnectionKind::Wired;
        if (OpenDevice(deviceIds.vendorId, deviceIds.mouseProductId)) {
            CurrentClock().Sleep(wait::kArrivalSettle);
            StartListener();
            SetText(kConnectionTextId, QStringLiteral("Wired"));
            RefreshDeviceStatus(ConnectionKind::Wired);
        } else {
            SetText(kConnectionTextId, QStringLiteral("N/A"));
            connectionKind = ConnectionKind::None;
        }
        return;
    }
    if (arrival && IsDongleName(event.name) && !dongleSeen) {
        dongleSeen = true;
        UpdatePairButton();
        if (connectionKind == ConnectionKind::None) {
            if (OpenDevice(deviceIds.vendorId, deviceIds.dongleProductId)) {
                CurrentClock().Sleep(wait::kArrivalSettle);
                connectionKind = ConnectionKind::Wireless;
                StartListener();
                RefreshDeviceStatus(ConnectionKind::Wireless);
            }
        } else if (connectionKind == ConnectionKind::Wired) {
            OpenDevice(deviceIds.vendorId, deviceIds.dongleProductId);
            ShowDongleVersionIfLinked();
            DetectConnection();
        }
        return;
    }
    if (!arrival && IsMouseName(event.name) && connectionKind == ConnectionKind::Wired) {
        SetText(kMouseFirmwareTextId, QString());
        SetText(kBatteryTextId, QString());
        if (OpenDevice(deviceIds.vendorId, deviceIds.dongleProductId)) {
            dongleSeen = true;
            UpdatePairButton();
            connectionKind = ConnectionKind::Wireless;
            StartListener();
            RefreshDeviceStatus(ConnectionKind::Wireless);
        } else {
            EnableDeviceControls(false);
            SetText(kConnectionTextId, QStringLiteral("N/A"));
            connectionKind = ConnectionKind::None;
            SetText(kDongleFirmwareTextId, QString());
            SetText(kBatteryTextId, QString());
        }
        return;
    }
    if (!arrival && IsDongleName(event.name) && dongleSeen) {
        dongleSeen = false;
        UpdatePairButton();
        if (connectionKind == ConnectionKind::Wired) {
            linkState_ = kLinkUsable;
            SetText(kDongleFirmwareTextId, QString());
        } else {
            // The listener stops passing reports on here once it exists.
            linkState_ = kLinkUnknown;
            EnableDeviceControls(false);
            connectionKind = ConnectionKind::None;
            SetText(kDongleFirmwareTextId, QString());
            SetText(kMouseFirmwareTextId, QString());
            SetText(kConnectionTextId, QStringLiteral("N/A"));
            SetText(kBatteryTextId, QString());
        }
    }
}

}  // namespace kestrova
