// APPLY and Factory Reset: what reaches the mouse, with which waits, and what the
// device copy counts as saved.
#include <QPushButton>
#include <QTest>
#include <cerrno>

#include "device/connection_state.h"
#include "device/settings.h"
#include "device/transport.h"
#include "harness.h"

using namespace kestrova;
using namespace kestrova::testing;
using Waits = std::vector<unsigned>;

namespace {

// A change no page collects on APPLY: the CPI button becomes "DISABLE".
void DisableCpiButton(Harness& harness) {
    workingSettings.buttons[5].actionType = 0xFF;
    workingSettings.buttons[5].actionCode = 0x00;
    harness.Window().RefreshApplyButton();
}

QPushButton* Apply(const Harness& harness) {
    return harness.Get<QPushButton>(CUpdaterDlg::kApplyId);
}

QPushButton* Reset(const Harness& harness) {
    return harness.Get<QPushButton>(CUpdaterDlg::kFactoryResetId);
}

constexpr std::size_t kCpiButtonTypeAt = 55 + 5 * 7;

}  // namespace

class ApplyTest : public QObject {
    Q_OBJECT
private slots:
    void WiredApplyWritesTheChangedBindings();
    void WirelessApplyChecksTheLinkFirst();
    void FailedWriteKeepsTheChangeUnsaved();
    void ChangedBackSendsNothing();
    void QuickClicksWriteOnce();
    void ApplyAfterPairingGoesBackToTheWiredMouse();
    void ApplyWithoutAnyDeviceSendsNothing();
    void FactoryResetRestoresDefaults_data();
    void FactoryResetRestoresDefaults();
    void BusyFactoryResetChangesNothing();
};

void ApplyTest::WiredApplyWritesTheChangedBindings() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    QVERIFY(!Apply(harness)->isEnabled());
    DisableCpiButton(harness);
    QVERIFY(Apply(harness)->isEnabled());
    harness.Click(Apply(harness));
    QCOMPARE(harness.Commands(sim::Device::Mouse), (QStringList{"16", "16"}));
    QCOMPARE(harness.clock.Waits(), (Waits{500, 500, 100, 500, 100}));
    QCOMPARE(harness.sim.MouseBlock()[kCpiButtonTypeAt], 0xFF);
    QVERIFY(!Apply(harness)->isEnabled());
    QVERIFY(!SettingsDiffer(workingSettings, deviceSettings));
}

void ApplyTest::WirelessApplyChecksTheLinkFirst() {
    Harness harness("dongle");
    QVERIFY(harness.Start());
    DisableCpiButton(harness);
    harness.sim.SetMouseAsleep(true);  // the write goes ahead whatever the link says
    harness.Click(Apply(harness));
    QCOMPARE(harness.Commands(sim::Device::Dongle), (QStringList{"0f01", "0f0f", "16", "16"}));
    // The woken mouse answers the first frame busy; the second frame's answer decides.
    QCOMPARE(harness.clock.Waits(), (Waits{880, 300, 300, 880, 300, 500, 100, 880, 100}));
    QCOMPARE(harness.sim.MouseBlock()[kCpiButtonTypeAt], 0xFF);
    QVERIFY(!Apply(harness)->isEnabled());
}

void ApplyTest::FailedWriteKeepsTheChangeUnsaved() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    DisableCpiButton(harness);
    harness.sim.FailTransfers(sim::Device::Mouse, 1, EPIPE, sim::Transfer::Send);
    harness.Click(Apply(harness));
    QVERIFY(Apply(harness)->isEnabled());
    QCOMPARE(deviceSettings.buttons[5].actionType, 0x09);
    QCOMPARE(harness.sim.MouseBlock()[kCpiButtonTypeAt], 0x09);

    // The next APPLY sends it again and succeeds.
    harness.Commands(sim::Device::Mouse);
    harness.Click(Apply(harness));
    QCOMPARE(harness.Commands(sim::Device::Mouse), (QStringList{"16", "16"}));
    QVERIFY(!Apply(harness)->isEnabled());
}

void ApplyTest::ChangedBackSendsNothing() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    DisableCpiButton(harness);
    workingSettings.buttons[5] = deviceSettings.buttons[5];
    harness.Window().RefreshApplyButton();
    QVERIFY(!Apply(harness)->isEnabled());
    harness.Window().OnApply();
    QVERIFY(harness.Commands(sim::Device::Mouse).isEmpty());
    QVERIFY(harness.clock.Waits().empty());
}

void ApplyTest::QuickClicksWriteOnce() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    DisableCpiButton(harness);
    // A click that arrives while APPLY is still busy does nothing ...
    int nestedClicks = 0;
    harness.clock.SetSleepHook([&](unsigned) {
        if (nestedClicks++ == 0) {
            harness.Window().OnApply();
            harness.Window().OnFactoryReset();
        }
    });
    harness.Click(Apply(harness));
    harness.clock.SetSleepHook({});
    // ... and one right after it finds nothing left to save.
    harness.Window().OnApply();
    QCOMPARE(harness.Commands(sim::Device::Mouse), (QStringList{"16", "16"}));
}

void ApplyTest::ApplyAfterPairingGoesBackToTheWiredMouse() {
    Harness harness("both");
    QVERIFY(harness.Start());
    // The Pairing page left the dongle open while the wired mouse is in use.
    QVERIFY(OpenDevice(kVendorId, kDongleProductId));
    switchedToDongle = true;
    DisableCpiButton(harness);
    harness.Click(Apply(harness));
    QCOMPARE(harness.clock.Waits().front(), 500u);
    QVERIFY(!switchedToDongle);
    QCOMPARE(OpenProductId(), kMouseProductId);
    QCOMPARE(harness.Commands(sim::Device::Mouse), (QStringList{"16", "16"}));
    QVERIFY(harness.Commands(sim::Device::Dongle).isEmpty());
}

void ApplyTest::ApplyWithoutAnyDeviceSendsNothing() {
    Harness harness("none");
    QVERIFY(harness.Start());
    DisableCpiButton(harness);
    harness.Window().OnApply();
    QCOMPARE(harness.clock.Waits(), Waits{100});
    QVERIFY(Apply(harness)->isEnabled());

    // A device that is present but was never announced is found by APPLY itself.
    harness.sim.SetHandler({});
    harness.sim.Plug(sim::Device::Mouse);
    harness.clock.ClearWaits();
    harness.Window().OnApply();
    QCOMPARE(harness.clock.Waits(), (Waits{500, 500, 100, 500, 100}));
    QCOMPARE(harness.sim.MouseBlock()[kCpiButtonTypeAt], 0xFF);
}

void ApplyTest::FactoryResetRestoresDefaults_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<Waits>("waits");
    QTest::newRow("wired") << "wired" << QStringList{"13"} << Waits{800, 800};
    QTest::newRow("wireless") << "dongle" << QStringList{"0f01", "13"} << Waits{1080, 300, 1080};
}

void ApplyTest::FactoryResetRestoresDefaults() {
    QFETCH(QString, scenario);
    Harness harness(scenario.toStdString());
    sim::Block custom = sim::FactoryBlock();
    custom[5] = 0x08;     // 1000 Hz
    custom[36] = 0x20;    // level 1 at 800
    harness.sim.SetMouseBlock(custom);
    QVERIFY(harness.Start());
    QCOMPARE(workingSettings.pollingRate, 0x08);
    DisableCpiButton(harness);
    harness.Click(Reset(harness));
    const sim::Device device = scenario == "wired" ? sim::Device::Mouse : sim::Device::Dongle;
    QTEST(harness.Commands(device), "commands");
    QTEST(harness.clock.Waits(), "waits");
    QCOMPARE(harness.sim.MouseBlock(), sim::FactoryBlock());
    SettingsRecord defaults = workingSettings;
    ResetSettingsToDefaults(defaults);
    QVERIFY(!SettingsDiffer(workingSettings, defaults));
    QVERIFY(!SettingsDiffer(deviceSettings, defaults));
    QCOMPARE(workingSettings.pollingRate, 0x02);
    QVERIFY(!Apply(harness)->isEnabled());
}

void ApplyTest::BusyFactoryResetChangesNothing() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    DisableCpiButton(harness);
    const SettingsImage working = EncodeSettingsImage(workingSettings);
    const SettingsImage device = EncodeSettingsImage(deviceSettings);
    harness.sim.AnswerBusy(sim::Device::Mouse, 10);
    harness.Click(Reset(harness));
    QCOMPARE(harness.clock.Waits(), (Waits{800, 800, 500, 700}));
    QVERIFY(EncodeSettingsImage(workingSettings) == working);
    QVERIFY(EncodeSettingsImage(deviceSettings) == device);
    QVERIFY(Apply(harness)->isEnabled());
}

QTEST_MAIN(ApplyTest)
#include "apply_test.moc"
