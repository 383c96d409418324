// Start-up in each scenario, the tab lock, Alt+P, Enter and Escape, and the
// firmware-updater check.
#include <QPushButton>
#include <QTest>

#include "device/connection_state.h"
#include "device/transport.h"
#include "harness.h"
#include "pages/pair_page.h"
#include "pages/sensor_page.h"

using namespace kestrova;
using namespace kestrova::testing;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void ShowsEachScenario_data();
    void ShowsEachScenario();
    void SleepingMouseBringsUpPairingUntilItMoves();
    void ForeignMouseLocksEverything();
    void TabsChangeOnlyWithAUsableMouse();
    void AltPShowsPairingAndTheTabsStayLocked();
    void EnterNeverClosesEscapeDoes();
    void RefusesToStartWhileTheUpdaterRuns();
};

void StartupTest::ShowsEachScenario_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("battery");
    QTest::addColumn<QString>("mouseFirmware");
    QTest::addColumn<QString>("dongleFirmware");
    QTest::addColumn<int>("openProduct");
    QTest::addColumn<bool>("controlsEnabled");
    QTest::addColumn<bool>("pairEnabled");
    QTest::newRow("wired") << "wired" << "Wired" << "Charging" << "1.03" << "" << 0x4C32 << true << false;
    QTest::newRow("dongle") << "dongle" << "Wireless" << "85%" << "1.03" << "1.20" << 0x4C30 << true << true;
    QTest::newRow("both") << "both" << "Wired" << "Charging" << "1.03" << "1.20" << 0x4C32 << true << true;
    // With no device yet, "Pair Dongle" keeps the enabled state the template gives it.
    QTest::newRow("none") << "none" << "N/A" << "" << "" << "" << 0 << false << true;
}

void StartupTest::ShowsEachScenario() {
    QFETCH(QString, scenario);
    Harness harness(scenario.toStdString());
    QVERIFY(harness.Start());
    CUpdaterDlg& window = harness.Window();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillmark Kestrova 4k Configuration Tool"));
    QCOMPARE(window.Text(CUpdaterDlg::kSoftwareVersionTextId), QStringLiteral("1.03"));
    QTEST(window.Text(CUpdaterDlg::kConnectionTextId), "connection");
    QTEST(window.Text(CUpdaterDlg::kBatteryTextId), "battery");
    QTEST(window.Text(CUpdaterDlg::kMouseFirmwareTextId), "mouseFirmware");
    QTEST(window.Text(CUpdaterDlg::kDongleFirmwareTextId), "dongleFirmware");
    QTEST(static_cast<int>(OpenProductId()), "openProduct");
    QTEST(window.Control(CUpdaterDlg::kFactoryResetId)->isEnabled(), "controlsEnabled");
    QTEST(window.BasicPage()->Control(1029)->isEnabled(), "controlsEnabled");
    QTEST(window.PairPage()->PairButton()->isEnabled(), "pairEnabled");
    QVERIFY(!window.Control(CUpdaterDlg::kApplyId)->isEnabled());
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kBasicTab));
    QVERIFY(window.BasicPage()->isVisible());
}

void StartupTest::SleepingMouseBringsUpPairingUntilItMoves() {
    Harness harness("dongle-asleep");
    QVERIFY(harness.Start());
    CUpdaterDlg& window = harness.Window();
    QCOMPARE(window.Text(CUpdaterDlg::kConnectionTextId), QStringLiteral("N/A"));
    QCOMPARE(window.Text(CUpdaterDlg::kDongleFirmwareTextId), QStringLiteral("1.20"));
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kPairingTab));
    QVERIFY(window.PairPage()->isVisible());
    QVERIFY(!window.BasicPage()->isVisible());
    QVERIFY(window.PairPage()->PairButton()->hasFocus());
    QVERIFY(!window.Control(CUpdaterDlg::kFactoryResetId)->isEnabled());
    QCOMPARE(connectionKind, ConnectionKind::None);

    // The mouse moves: its input through the dongle finds it and brings it into use.
    window.OnRawMouseInput(QStringLiteral("0003:5A17:4C30.0003"));
    QCOMPARE(window.Text(CUpdaterDlg::kConnectionTextId), QStringLiteral("Wireless"));
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kBasicTab));
    QVERIFY(window.BasicPage()->isVisible());
    QVERIFY(window.Control(CUpdaterDlg::kFactoryResetId)->isEnabled());
    QCOMPARE(connectionKind, ConnectionKind::Wireless);
}

void StartupTest::ForeignMouseLocksEverything() {
    Harness harness("foreign");
    QVERIFY(harness.Start());
    CUpdaterDlg& window = harness.Window();
    QCOMPARE(window.LinkState(), CUpdaterDlg::kLinkForeignMouse);
    QCOMPARE(window.Text(CUpdaterDlg::kConnectionTextId), QStringLiteral("N/A"));
    QVERIFY(!window.Control(CUpdaterDlg::kFactoryResetId)->isEnabled());
    QCOMPARE(connectionKind, ConnectionKind::None);
    harness.ClickTab(CUpdaterDlg::kPowerTab);
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kBasicTab));
}

void StartupTest::TabsChangeOnlyWithAUsableMouse() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    CUpdaterDlg& window = harness.Window();
    for (int tab : {2, 4, 1, 3, 0}) {
        harness.ClickTab(tab);
        QCOMPARE(window.SelectedTab(), tab);
        for (int other = 0; other < CUpdaterDlg::kTabCount; ++other) {
            QCOMPARE(window.Page(other)->isVisible(), other == tab);
        }
    }
}

void StartupTest::AltPShowsPairingAndTheTabsStayLocked() {
    Harness harness("none");
    QVERIFY(harness.Start());
    CUpdaterDlg& window = harness.Window();
    harness.ClickTab(CUpdaterDlg::kButtonTab);
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kBasicTab));
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kPairingTab));
    QVERIFY(window.PairPage()->isVisible());
    QVERIFY(!window.BasicPage()->isVisible());
    harness.ClickTab(CUpdaterDlg::kBasicTab);
    QCOMPARE(window.SelectedTab(), static_cast<int>(CUpdaterDlg::kPairingTab));

    // With a usable mouse, Alt+P from another page still leaves exactly one page shown.
    Harness wired("wired");
    QVERIFY(wired.Start());
    wired.ClickTab(CUpdaterDlg::kButtonTab);
    QTest::keyClick(&wired.Window(), Qt::Key_P, Qt::AltModifier);
    for (int tab = 0; tab < CUpdaterDlg::kTabCount; ++tab) {
        QCOMPARE(wired.Window().Page(tab)->isVisible(), tab == CUpdaterDlg::kPairingTab);
    }
}

void StartupTest::EnterNeverClosesEscapeDoes() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    CUpdaterDlg& window = harness.Window();
    QWidget* edit = window.BasicPage()->Control(1020);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    window.Control(CUpdaterDlg::kFactoryResetId)->setFocus();
    QTest::keyClick(window.Control(CUpdaterDlg::kFactoryResetId), Qt::Key_Return);
    QVERIFY(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), static_cast<int>(QDialog::Rejected));
}

void StartupTest::RefusesToStartWhileTheUpdaterRuns() {
    Harness harness("wired");
    harness.updaterRunning = true;
    QVERIFY(!harness.Start());
    QCOMPARE(harness.messages,
             QStringList{QStringLiteral("The 4K dongle is being updated. Please wait until the update is complete "
                                        "before opening the Configuration Tool.")});
    QCOMPARE(harness.sim.OpenConnections(sim::Device::Mouse), 0);
    QVERIFY(harness.sim.TakeFrames(sim::Device::Mouse).empty());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
