#include "main_window.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSocketNotifier>
#include <QWindow>

#include "app/dialog/message_box.h"
#include "app/dialog/tab_host.h"
#include "device/settings.h"
#include "pages/mouse_set_page.h"
#include "pages/pair_page.h"
#include "pages/power_page.h"
#include "pages/sensor_page.h"
#include "pages/support_page.h"

namespace kestrova {

CUpdaterDlg* mainWindow = nullptr;

namespace {
constexpr double kSoftwareVersion = 1.03;
const char* const kWindowTitle = "Quillmark Kestrova 4k Configuration Tool";
const char* const kUpdaterTitle = "Quillmark 4k Dongle Firmware Updater";
const char* const kUpdaterRunningMessage =
    "The 4K dongle is being updated. Please wait until the update is complete before opening the "
    "Configuration Tool.";
const char* const kTabCaptions[] = {"  Basic Settings  ", "  Advanced Settings  ", "  Button Mapping  ",
                                     "  Power Settings  ", "  Pairing  "};
}  // namespace

CUpdaterDlg::CUpdaterDlg(MainWindowEnvironment environment, QWidget* parent)
    : QDialog(parent), environment_(std::move(environment)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/icon128.png")));
    controls_ = dialog::BuildDialog(this, dialog::LoadDialogTemplate(102));
    tabControl_ = qobject_cast<dialog::TabHost*>(controls_.Widget(kTabControlId));
    basicPage_ = new CSensorDlg(tabControl_);
    advancedPage_ = new CSupportDlg(tabControl_);
    buttonPage_ = new CMouseSet(tabControl_);
    powerPage_ = new CPower(tabControl_);
    pairPage_ = new CPair(tabControl_);
    for (int tab = 0; tab < kTabCount; ++tab) {
        Page(tab)->setVisible(false);
        Page(tab)->SetRefreshApplyButton([this] { RefreshApplyButton(); });
    }
    connect(controls_.Get<QPushButton>(kApplyId), &QPushButton::clicked, this, &CUpdaterDlg::OnApply);
    connect(controls_.Get<QPushButton>(kFactoryResetId), &QPushButton::clicked, this,
            &CUpdaterDlg::OnFactoryReset);
    mainWindow = this;
    connectionKind = ConnectionKind::None;
}

CUpdaterDlg::~CUpdaterDlg() {
    if (environment_.hotplug != nullptr) {
        environment_.hotplug->SetHandler({});
    }
    // The pages go first, while the window they report to is still whole.
    for (int tab = 0; tab < kTabCount; ++tab) {
        Page(tab)->SetRefreshApplyButton({});
    }
    for (int tab = 0; tab < kTabCount; ++tab) {
        delete Page(tab);
    }
    basicPage_ = nullptr;
    advancedPage_ = nullptr;
    buttonPage_ = nullptr;
    powerPage_ = nullptr;
    pairPage_ = nullptr;
    if (mainWindow == this) {
        mainWindow = nullptr;
    }
}

bool CUpdaterDlg::OnInitDialog() {
    if (environment_.topLevelWindowExists &&
        environment_.topLevelWindowExists(QString::fromLatin1(kUpdaterTitle))) {
        dialog::ShowMessageBox(this, QString::fromLatin1(kUpdaterRunningMessage));
        return false;
    }
    WatchHotplug();
    // Alt+P brings up pairing while this window is active; a system-wide grab would
    // take the combination away from every other program.
    auto* pairingShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_P), this);
    pairingShortcut->setContext(Qt::WindowShortcut);
    connect(pairingShortcut, &QShortcut::activated, this, &CUpdaterDlg::ShowPairingTab);
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    SetDeviceIds();
    SetupPages();
    ResetSettingsToDefaults(workingSettings);
    ResetSettingsToDefaults(deviceSettings);

    const ConnectionKind kind = DetectConnection();
    StartListener();
    switch (kind) {
        case ConnectionKind::Wired:
            SetText(kConnectionTextId, QStringLiteral("Wired"));
            RefreshDeviceStatus(ConnectionKind::Wired);
            break;
        case ConnectionKind::Wireless:
            if (RefreshDeviceStatus(ConnectionKind::Wireless) != result::kDone) {
                EnableDeviceControls(false);
                SetText(kConnectionTextId, QStringLiteral("N/A"));
            }
            break;
        case ConnectionKind::None:
            EnableDeviceControls(false);
            SetText(kConnectionTextId, QStringLiteral("N/A"));
            break;
    }
    Control(kApplyId)->setEnabled(false);
    return true;
}

void CUpdaterDlg::WatchHotplug() {
    HotplugSource* source = environment_.hotplug;
    if (source == nullptr) {
        return;
    }
    source->SetHandler([this](const HotplugEvent& event) { OnDeviceChange(event); });
    if (source->PollDescriptor() >= 0) {
        hotplugNotifier_ = std::make_unique<QSocketNotifier>(source->PollDescriptor(), QSocketNotifier::Read);
        connect(hotplugNotifier_.get(), &QSocketNotifier::activated, this, [source] { source->Dispatch(); });
    }
}

void CUpdaterDlg::SetupPages() {
    SetText(kSoftwareVersionTextId, QString::asprintf("%.2f", kSoftwareVersion));
    dialog::LockableTabBar* bar = tabControl_->Bar();
    for (const char* caption : kTabCaptions) {
        bar->addTab(QString::fromLatin1(caption));
    }
    bar->SetGate([this] { return linkState_ == kLinkUsable; });
    const QRect area = tabControl_->PageArea();
    for (int tab = 0; tab < kTabCount; ++tab) {
        Page(tab)->setGeometry(area);
    }
    connect(bar, &QTabBar::currentChanged, this, &CUpdaterDlg::ShowPage);
    bar->setCurrentIndex(kBasicTab);
    ShowPage(kBasicTab);
}

SettingsPage* CUpdaterDlg::Page(int tab) const {
    switch (tab) {
        case kBasicTab: return basicPage_;
        case kAdvancedTab: return advancedPage_;
        case kButtonTab: return buttonPage_;
        case kPowerTab: return powerPage_;
        case kPairingTab: return pairPage_;
        default: return nullptr;
    }
}

QWidget* CUpdaterDlg::Control(int id) const {
    return controls_.Widget(id);
}

QString CUpdaterDlg::Text(int id) const {
    const auto* label = controls_.Get<QLabel>(id);
    return label != nullptr ? label->text() : QString();
}

void CUpdaterDlg::SetText(int id, const QString& text) {
    if (auto* label = controls_.Get<QLabel>(id)) {
        label->setText(text);
    }
}

int CUpdaterDlg::SelectedTab() const {
    return tabControl_->Bar()->currentIndex();
}

void CUpdaterDlg::ShowPage(int tab) {
    for (int other = 0; other < kTabCount; ++other) {
        if (other != tab) {
            Page(other)->setVisible(false);
        }
    }
    if (SettingsPage* page = Page(tab)) {
        page->setVisible(true);
    }
    if (tab == kPairingTab) {
        pairPage_->PairButton()->setFocus();
    }
}

void CUpdaterDlg::ShowPairingTab() {
    dialog::LockableTabBar* bar = tabControl_->Bar();
    const QSignalBlocker blocker(bar);
    bar->setCurrentIndex(kPairingTab);
    ShowPage(kPairingTab);
}

void CUpdaterDlg::LeavePairingTab() {
    if (SelectedTab() != kPairingTab) {
        return;
    }
    dialog::LockableTabBar* bar = tabControl_->Bar();
    const QSignalBlocker blocker(bar);
    bar->setCurrentIndex(kBasicTab);
    ShowPage(kBasicTab);
}

void CUpdaterDlg::keyPressEvent(QKeyEvent* event) {
    // Enter never presses a default button or closes the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CUpdaterDlg::mousePressEvent(QMouseEvent* event) {
    // The window can be dragged from anywhere on its background.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
    }
    QDialog::mousePressEvent(event);
}

void CUpdaterDlg::StartListener() {
    // The input-report listener attaches here: it follows connectionKind to the
    // device in use each time the connection changes.
}

}  // namespace kestrova
