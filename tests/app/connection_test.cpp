// Plugging and unplugging: which device is used, the status band, and the waits.
#include <QPushButton>
#include <QTest>
#include <cerrno>

#include "device/connection_state.h"
#include "device/transport.h"
#include "harness.h"
#include "pages/pair_page.h"
#include "pages/sensor_page.h"

using namespace kestrova;
using namespace kestrova::testing;
using Waits = std::vector<unsigned>;

namespace {
// The exchanges of a full status read, waits after each send.
const Waits kWiredRead = {150, 300, 110};
const Waits kWirelessRead = {300, 150, 300, 350, 300, 350, 300, 400};

Waits Concat(Waits first, const Waits& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

QString Connection(const Harness& harness) {
    return harness.Window().Text(CUpdaterDlg::kConnectionTextId);
}
}  // namespace

class ConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void WiredArrivalWaitsThenReads();
    void DongleArrivalWaitsThenReads();
    void WiredWinsOverTheDongle();
    void UnpluggingTheCableFallsBackToTheDongleAtOnce();
    void UnpluggingEverythingLeavesNothing();
    void UnpluggingTheDongleWhileWiredKeepsTheMouse();
    void AnArrivalThatCannotOpenIsTriedAgainOnTheNext();
    void DongleFirmwareOfTwoOrMoreShowsOnlyWhenWired();
    void BatteryTexts_data();
    void BatteryTexts();
};

void ConnectionTest::WiredArrivalWaitsThenReads() {
    Harness harness("none");
    QVERIFY(harness.Start());
    harness.sim.Plug(sim::Device::Mouse);
    QCOMPARE(harness.clock.Waits(), Concat({1100}, kWiredRead));
    QCOMPARE(harness.Commands(sim::Device::Mouse), (QStringList{"0e", "b4", "12"}));
    QCOMPARE(Connection(harness), QStringLiteral("Wired"));
    QCOMPARE(connectionKind, ConnectionKind::Wired);
    QVERIFY(harness.Window().Control(CUpdaterDlg::kFactoryResetId)->isEnabled());
    QVERIFY(!harness.Window().Control(CUpdaterDlg::kApplyId)->isEnabled());
}

void ConnectionTest::DongleArrivalWaitsThenReads() {
    Harness harness("none");
    QVERIFY(harness.Start());
    harness.sim.Plug(sim::Device::Dongle);
    QCOMPARE(harness.clock.Waits(), Concat({1100}, kWirelessRead));
    QCOMPARE(harness.Commands(sim::Device::Dongle),
             (QStringList{"0f01", "0d", "0f01", "0e", "0f01", "b4", "0f01", "12"}));
    QCOMPARE(Connection(harness), QStringLiteral("Wireless"));
    QCOMPARE(harness.Window().Text(CUpdaterDlg::kBatteryTextId), QStringLiteral("85%"));
    QVERIFY(harness.Window().PairPage()->PairButton()->isEnabled());
}

void ConnectionTest::WiredWinsOverTheDongle() {
    Harness harness("dongle");
    QVERIFY(harness.Start());
    QCOMPARE(Connection(harness), QStringLiteral("Wireless"));
    harness.sim.Plug(sim::Device::Mouse);
    QCOMPARE(harness.clock.Waits().front(), 1100u);
    QCOMPARE(Connection(harness), QStringLiteral("Wired"));
    QCOMPARE(OpenProductId(), kMouseProductId);

    // And a dongle arriving while wired only shows its version.
    Harness wired("wired");
    QVERIFY(wired.Start());
    wired.sim.Plug(sim::Device::Dongle);
    QCOMPARE(wired.Window().Text(CUpdaterDlg::kDongleFirmwareTextId), QStringLiteral("1.20"));
    QCOMPARE(Connection(wired), QStringLiteral("Wired"));
    QCOMPARE(OpenProductId(), kMouseProductId);
    QCOMPARE(wired.Commands(sim::Device::Dongle), (QStringList{"0f01", "0d"}));
    QVERIFY(wired.Window().PairPage()->PairButton()->isEnabled());
}

void ConnectionTest::UnpluggingTheCableFallsBackToTheDongleAtOnce() {
    Harness harness("both");
    QVERIFY(harness.Start());
    harness.sim.Unplug(sim::Device::Mouse);
    QCOMPARE(harness.clock.Waits(), kWirelessRead);
    QCOMPARE(Connection(harness), QStringLiteral("Wireless"));
    QCOMPARE(OpenProductId(), kDongleProductId);
    QCOMPARE(harness.Window().Text(CUpdaterDlg::kBatteryTextId), QStringLiteral("85%"));
}

void ConnectionTest::UnpluggingEverythingLeavesNothing() {
    for (const char* scenario : {"wired", "dongle"}) {
        Harness harness(scenario);
        QVERIFY(harness.Start());
        harness.sim.Unplug(std::string(scenario) == "wired" ? sim::Device::Mouse : sim::Device::Dongle);
        CUpdaterDlg& window = harness.Window();
        QCOMPARE(Connection(harness), QStringLiteral("N/A"));
        QCOMPARE(window.Text(CUpdaterDlg::kBatteryTextId), QString());
        QCOMPARE(window.Text(CUpdaterDlg::kMouseFirmwareTextId), QString());
        QCOMPARE(window.Text(CUpdaterDlg::kDongleFirmwareTextId), QString());
        QVERIFY(!window.Control(CUpdaterDlg::kFactoryResetId)->isEnabled());
        QVERIFY(!window.BasicPage()->Control(1020)->isEnabled());
        QCOMPARE(connectionKind, ConnectionKind::None);
        QVERIFY(harness.clock.Waits().empty());
    }
}

void ConnectionTest::UnpluggingTheDongleWhileWiredKeepsTheMouse() {
    Harness harness("both");
    QVERIFY(harness.Start());
    harness.sim.Unplug(sim::Device::Dongle);
    QCOMPARE(Connection(harness), QStringLiteral("Wired"));
    QCOMPARE(harness.Window().Text(CUpdaterDlg::kDongleFirmwareTextId), QString());
    QVERIFY(!harness.Window().PairPage()->PairButton()->isEnabled());
    QVERIFY(harness.Window().Control(CUpdaterDlg::kFactoryResetId)->isEnabled());
    QCOMPARE(connectionKind, ConnectionKind::Wired);
}

void ConnectionTest::AnArrivalThatCannotOpenIsTriedAgainOnTheNext() {
    Harness harness("none");
    QVERIFY(harness.Start());
    harness.sim.SetCommandInterfaceOpenError(sim::Device::Mouse, EACCES);
    harness.sim.Plug(sim::Device::Mouse);
    QCOMPARE(Connection(harness), QStringLiteral("N/A"));
    QCOMPARE(connectionKind, ConnectionKind::None);
    QVERIFY(harness.clock.Waits().empty());

    harness.sim.SetCommandInterfaceOpenError(sim::Device::Mouse, 0);
    harness.Window().OnDeviceChange({HotplugEvent::Kind::Arrival, "0003:5A17:4C32.0007"});
    QCOMPARE(Connection(harness), QStringLiteral("Wired"));
    QCOMPARE(harness.clock.Waits(), Concat({1100}, kWiredRead));
}

void ConnectionTest::DongleFirmwareOfTwoOrMoreShowsOnlyWhenWired() {
    {
        Harness harness("dongle");
        harness.sim.SetDongleFirmware(0x0250);
        QVERIFY(harness.Start());
        QCOMPARE(harness.Window().Text(CUpdaterDlg::kDongleFirmwareTextId), QString());
    }
    Harness harness("both");
    harness.sim.SetDongleFirmware(0x0250);
    QVERIFY(harness.Start());
    QCOMPARE(harness.Window().Text(CUpdaterDlg::kDongleFirmwareTextId), QStringLiteral("2.50"));
}

void ConnectionTest::BatteryTexts_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::newRow("wired 99") << "wired" << 99 << "Charging";
    QTest::newRow("wired 100") << "wired" << 100 << "100%";
    QTest::newRow("wired 150") << "wired" << 150 << "100%";
    QTest::newRow("wireless 150") << "dongle" << 150 << "100%";
    QTest::newRow("wireless 37") << "dongle" << 37 << "37%";
}

void ConnectionTest::BatteryTexts() {
    QFETCH(QString, scenario);
    QFETCH(int, level);
    Harness harness(scenario.toStdString());
    harness.sim.SetBatteryLevel(static_cast<std::uint8_t>(level));
    QVERIFY(harness.Start());
    QTEST(harness.Window().Text(CUpdaterDlg::kBatteryTextId), "text");
}

QTEST_MAIN(ConnectionTest)
#include "connection_test.moc"
