// The Basic Settings page through its real widgets: typing, commits, sliders, the
// X/Y box, the levels combo, loading odd device values, and APPLY end to end.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cerrno>

#include "app/dialog/digit_edit.h"
#include "controls/kor_static.h"
#include "device/settings.h"
#include "harness.h"
#include "pages/sensor_page.h"

using namespace kestrova;
using namespace kestrova::testing;

namespace {

constexpr int kX[] = {1020, 1021, 1022, 1023};
constexpr int kY[] = {1025, 1026, 1027, 1042};
constexpr int kXSlider[] = {1029, 1030, 1031, 1032};
constexpr int kYSlider[] = {1037, 1038, 1040, 1041};

CSensorDlg* Page(const Harness& harness) {
    return harness.Window().BasicPage();
}
QLineEdit* Edit(const Harness& harness, int id) {
    return Page(harness)->Get<QLineEdit>(id);
}
QSlider* Slider(const Harness& harness, int id) {
    return Page(harness)->Get<QSlider>(id);
}
QString Text(const Harness& harness, int id) {
    return Edit(harness, id)->text();
}
bool ApplyEnabled(const Harness& harness) {
    return harness.Window().Control(CUpdaterDlg::kApplyId)->isEnabled();
}

// Focuses the edit and types over its whole text, as a user who selects it first.
void TypeInto(const Harness& harness, int id, const QString& text) {
    QLineEdit* edit = Edit(harness, id);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Drags a slider to a position, reporting every step on the way as a drag does.
void Drag(QSlider* slider, int position) {
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

sim::Block BlockWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    sim::Block block = sim::FactoryBlock();
    for (const auto& [offset, value] : bytes) {
        block[offset] = value;
    }
    return block;
}

std::uint16_t BlockCpi(const sim::Block& block, int level, bool y) {
    const std::size_t at = 35 + static_cast<std::size_t>(level) * 5 + (y ? 3 : 1);
    return static_cast<std::uint16_t>(block[at] | (block[at + 1] << 8));
}

}  // namespace

class SensorPageTest : public QObject {
    Q_OBJECT
private slots:
    void StartsFromTheDevice();
    void CommitRoundsAndLinksTheOtherAxis_data();
    void CommitRoundsAndLinksTheOtherAxis();
    void TypingAloneWritesOnlyTheWorkingCopy();
    void SlidersMoveBothAxesOnlyWhenLinked();
    void EditsCommitBothAxesOnlyWhenLinked();
    void UncheckingXYLinksEveryLevelAgain();
    void HiddenRowsKeepAndSendTheirValues();
    void LoadsOddDeviceValuesWithoutWritingThem();
    void StoresSeparateFlagsPerLevel();
    void EmptiedEditPromptsAndCommitsFifty();
    void OtherControlsReachTheMouse();
    void ApplySavesEveryPageAndKeepsWhatFailed();
    void FactoryResetShowsTheDefaults();
    void SwatchesPaintTheirColours();
};

void SensorPageTest::StartsFromTheDevice() {
    Harness harness("wired");
    harness.sim.SetMouseBlock(BlockWith({{36, 0xE8}, {37, 0x03}, {38, 0xE8}, {39, 0x03}}));  // level 1 at 1000
    QVERIFY(harness.Start());
    QCOMPARE(Text(harness, kX[0]), QStringLiteral("1000"));
    QCOMPARE(Slider(harness, kXSlider[0])->value(), 20);
    QCOMPARE(Text(harness, kY[3]), QStringLiteral("3200"));
    QCOMPARE(Page(harness)->Get<QComboBox>(1019)->currentText(), QStringLiteral("4"));
    QVERIFY(Page(harness)->Get<QComboBox>(1019)->isEditable() == false);
    QVERIFY(!ApplyEnabled(harness));

    // Without a device every control is disabled; labels and swatches are left alone.
    Harness none("none");
    QVERIFY(none.Start());
    QVERIFY(!Edit(none, kX[0])->isEnabled());
    QVERIFY(!Page(none)->Control(1019)->isEnabled());
    QVERIFY(Page(none)->Control(1039)->isEnabled());
}

void SensorPageTest::CommitRoundsAndLinksTheOtherAxis_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("expected");
    QTest::newRow("1234 Enter") << "1234" << "enter" << 1250;
    QTest::newRow("1224 Tab") << "1224" << "tab" << 1200;
    QTest::newRow("1225 background") << "1225" << "background" << 1250;
    QTest::newRow("30 Enter") << "30" << "enter" << 50;
    QTest::newRow("30000 Tab") << "30000" << "tab" << 26000;
    QTest::newRow("0 background") << "0" << "background" << 50;
    QTest::newRow("huge Enter") << "99999999999999" << "enter" << 26000;
}

void SensorPageTest::CommitRoundsAndLinksTheOtherAxis() {
    QFETCH(QString, typed);
    QFETCH(QString, commit);
    QFETCH(int, expected);
    Harness harness("wired");
    QVERIFY(harness.Start());
    TypeInto(harness, kX[1], typed);
    if (commit == "enter") {
        QTest::keyClick(Edit(harness, kX[1]), Qt::Key_Return);
    } else if (commit == "tab") {
        QTest::keyClick(Edit(harness, kX[1]), Qt::Key_Tab);
        QVERIFY(!Edit(harness, kX[1])->hasFocus());
    } else {
        QTest::mouseClick(Page(harness), Qt::LeftButton, {}, QPoint(4, 4));
    }
    const QString shown = QString::number(expected);
    QCOMPARE(Text(harness, kX[1]), shown);
    QCOMPARE(Text(harness, kY[1]), shown);
    QCOMPARE(Slider(harness, kXSlider[1])->value(), expected / 50);
    QCOMPARE(Slider(harness, kYSlider[1])->value(), expected / 50);
    QCOMPARE(static_cast<int>(workingSettings.cpiLevels[1].cpiX), expected);
    QCOMPARE(static_cast<int>(workingSettings.cpiLevels[1].cpiY), expected);
    QVERIFY(ApplyEnabled(harness));
    QVERIFY(harness.Window().isVisible());  // Enter closed nothing
}

void SensorPageTest::TypingAloneWritesOnlyTheWorkingCopy() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    TypeInto(harness, kX[1], QStringLiteral("1234"));
    QCOMPARE(Text(harness, kX[1]), QStringLiteral("1234"));
    QCOMPARE(workingSettings.cpiLevels[1].cpiX, 1250);
    QCOMPARE(Slider(harness, kXSlider[1])->value(), 16);
    QCOMPARE(Text(harness, kY[1]), QStringLiteral("800"));
    QCOMPARE(workingSettings.cpiLevels[1].cpiY, 800);
    QVERIFY(ApplyEnabled(harness));
}

void SensorPageTest::SlidersMoveBothAxesOnlyWhenLinked() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    Drag(Slider(harness, kYSlider[2]), 40);
    QCOMPARE(Slider(harness, kXSlider[2])->value(), 40);
    QCOMPARE(Text(harness, kX[2]), QStringLiteral("2000"));
    QCOMPARE(Text(harness, kY[2]), QStringLiteral("2000"));
    QCOMPARE(workingSettings.cpiLevels[2].cpiX, 2000);
    QCOMPARE(workingSettings.cpiLevels[2].cpiY, 2000);
    // Keys move it too, a step at a time.
    Slider(harness, kXSlider[2])->setFocus();
    QTest::keyClick(Slider(harness, kXSlider[2]), Qt::Key_Right);
    QCOMPARE(workingSettings.cpiLevels[2].cpiY, 2050);

    harness.Click(Page(harness)->Control(1063));
    QVERIFY(Page(harness)->SeparateMode());
    Drag(Slider(harness, kYSlider[2]), 10);
    QCOMPARE(Text(harness, kY[2]), QStringLiteral("500"));
    QCOMPARE(Text(harness, kX[2]), QStringLiteral("2050"));
    QCOMPARE(Slider(harness, kXSlider[2])->value(), 41);
    QCOMPARE(workingSettings.cpiLevels[2].cpiX, 2050);
    QCOMPARE(workingSettings.cpiLevels[2].cpiY, 500);
}

void SensorPageTest::EditsCommitBothAxesOnlyWhenLinked() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    harness.Click(Page(harness)->Control(1063));
    TypeInto(harness, kX[0], QStringLiteral("1000"));
    QTest::keyClick(Edit(harness, kX[0]), Qt::Key_Return);
    QCOMPARE(Text(harness, kY[0]), QStringLiteral("400"));
    QCOMPARE(Slider(harness, kYSlider[0])->value(), 8);
    QCOMPARE(Slider(harness, kXSlider[0])->value(), 20);
    QCOMPARE(workingSettings.cpiLevels[0].cpiY, 400);
}

void SensorPageTest::UncheckingXYLinksEveryLevelAgain() {
    Harness harness("wired");
    // Level 1 set apart, level 2 at X 800, Y 400, level 4 (a hidden level) X 3200, Y 100.
    harness.sim.SetMouseBlock(BlockWith({{35, 1}, {38, 0x20}, {39, 0x03}, {43, 0x90}, {44, 0x01},
                                         {53, 0x64}, {54, 0x00}, {14, 3}}));
    QVERIFY(harness.Start());
    QVERIFY(Page(harness)->Get<QCheckBox>(1063)->isChecked());
    QVERIFY(!ApplyEnabled(harness));

    harness.Click(Page(harness)->Control(1063));
    QVERIFY(!Page(harness)->SeparateMode());
    QCOMPARE(Text(harness, kY[1]), QStringLiteral("800"));
    QCOMPARE(Slider(harness, kYSlider[1])->value(), 16);
    QCOMPARE(workingSettings.cpiLevels[1].cpiY, 800);
    QCOMPARE(workingSettings.cpiLevels[3].cpiY, 3200);
    QVERIFY(ApplyEnabled(harness));

    // Checking it again changes no value.
    harness.Click(Page(harness)->Control(1063));
    QVERIFY(Page(harness)->SeparateMode());
    QCOMPARE(Text(harness, kY[1]), QStringLiteral("800"));
    QCOMPARE(workingSettings.cpiLevels[1].cpiY, 800);
}

void SensorPageTest::HiddenRowsKeepAndSendTheirValues() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    Drag(Slider(harness, kXSlider[3]), 100);  // level 4 to 5000
    auto* levels = Page(harness)->Get<QComboBox>(1019);
    levels->setFocus();
    QTest::keyClick(levels, Qt::Key_Up);
    QTest::keyClick(levels, Qt::Key_Up);
    QCOMPARE(levels->currentText(), QStringLiteral("2"));
    QCOMPARE(workingSettings.cpiLevelCount, 2);
    for (int id : {1035, 1052, 1048, kXSlider[2], kY[3], 1053}) {
        QVERIFY2(!Page(harness)->Control(id)->isVisible(), qPrintable(QString::number(id)));
    }
    QVERIFY(Page(harness)->Control(1043)->isVisible());  // level 2's swatch stays
    QVERIFY(Edit(harness, kX[1])->isVisible());

    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kApplyId));
    const sim::Block block = harness.sim.MouseBlock();
    QCOMPARE(block[14], 2);
    QCOMPARE(BlockCpi(block, 3, false), 5000);
    QCOMPARE(BlockCpi(block, 3, true), 5000);
    QCOMPARE(BlockCpi(block, 2, false), 1600);

    // Choosing four again shows the rows, swatches repainted in their colours.
    QTest::keyClick(levels, Qt::Key_Down);
    QTest::keyClick(levels, Qt::Key_Down);
    QVERIFY(Page(harness)->Control(1053)->isVisible());
    QCOMPARE(Page(harness)->Get<CKorStatic>(1053)->grab().toImage().pixelColor(2, 2), QColor(255, 0, 0));
}

void SensorPageTest::LoadsOddDeviceValuesWithoutWritingThem() {
    Harness harness("wired");
    // Count 0, LOD 5, LED 5, level 1 at X 1234 and Y 0.
    harness.sim.SetMouseBlock(
        BlockWith({{14, 0}, {9, 5}, {8, 5}, {36, 0xD2}, {37, 0x04}, {38, 0}, {39, 0}}));
    QVERIFY(harness.Start());
    CSensorDlg* page = Page(harness);
    QCOMPARE(page->Get<QComboBox>(1019)->currentText(), QStringLiteral("4"));
    QCOMPARE(page->Get<QComboBox>(1024)->currentText(), QStringLiteral("1mm"));
    QVERIFY(page->Get<QCheckBox>(1066)->isChecked());
    QVERIFY(Edit(harness, kX[3])->isVisible());
    QCOMPARE(Text(harness, kX[0]), QStringLiteral("1250"));
    QCOMPARE(Text(harness, kY[0]), QStringLiteral("50"));
    QCOMPARE(Slider(harness, kXSlider[0])->value(), 25);
    // The working copy still holds the device's values.
    QCOMPARE(workingSettings.cpiLevelCount, 0);
    QCOMPARE(workingSettings.liftOffDistance, 5);
    QCOMPARE(workingSettings.cpiLevels[0].cpiX, 1234);
    QCOMPARE(workingSettings.cpiLevels[0].cpiY, 0);
    QVERIFY(!ApplyEnabled(harness));

    // The next APPLY stores what the page shows.
    harness.Click(page->Control(1064));
    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kApplyId));
    const sim::Block block = harness.sim.MouseBlock();
    QCOMPARE(block[14], 4);
    QCOMPARE(block[9], 1);
    QCOMPARE(block[8], 0);
    QCOMPARE(BlockCpi(block, 0, false), 1250);
    QCOMPARE(BlockCpi(block, 0, true), 50);
    QVERIFY(!ApplyEnabled(harness));
}

void SensorPageTest::StoresSeparateFlagsPerLevel() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    harness.Click(Page(harness)->Control(1063));
    Drag(Slider(harness, kYSlider[3]), 32);  // level 4: X 3200, Y 1600
    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kApplyId));
    const sim::Block block = harness.sim.MouseBlock();
    QCOMPARE(block[35 + 3 * 5], 1);
    QCOMPARE(block[35 + 2 * 5], 0);
    QCOMPARE(block[35], 0);
    QCOMPARE(BlockCpi(block, 3, true), 1600);
    QCOMPARE(workingSettings.cpiLevels[3].separateXY, 1);
}

void SensorPageTest::EmptiedEditPromptsAndCommitsFifty() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    QLineEdit* edit = Edit(harness, kX[2]);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(harness.messages, QStringList{QStringLiteral("Enter a positive integer.")});
    QCOMPARE(edit->text(), QStringLiteral("50"));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("50"));
    QCOMPARE(Slider(harness, kXSlider[2])->value(), 1);
    QCOMPARE(workingSettings.cpiLevels[2].cpiX, 50);
    QVERIFY(ApplyEnabled(harness));
}

void SensorPageTest::OtherControlsReachTheMouse() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    CSensorDlg* page = Page(harness);
    harness.Click(page->Control(1066));
    QCOMPARE(workingSettings.liftOffLed, 0);
    harness.Click(page->Control(1064));
    harness.Click(page->Control(1065));
    auto* lod = page->Get<QComboBox>(1024);
    lod->setFocus();
    QTest::keyClick(lod, Qt::Key_Down);
    QCOMPARE(workingSettings.liftOffDistance, 2);
    QVERIFY(ApplyEnabled(harness));
    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kApplyId));
    QCOMPARE(harness.Commands(sim::Device::Mouse), QStringList{"14"});
    const sim::Block block = harness.sim.MouseBlock();
    QCOMPARE(block[8], 0);
    QCOMPARE(block[9], 2);
    QCOMPARE(block[10], 1);
    QCOMPARE(block[11], 1);
    QVERIFY(!ApplyEnabled(harness));

    // Unticking them again is a change back to what the mouse holds now.
    harness.Click(page->Control(1066));
    QCOMPARE(workingSettings.liftOffLed, 1);
    QVERIFY(ApplyEnabled(harness));
}

void SensorPageTest::ApplySavesEveryPageAndKeepsWhatFailed() {
    Harness harness("wired");
    QVERIFY(harness.Start());
    TypeInto(harness, kX[0], QStringLiteral("1000"));
    QTest::keyClick(Edit(harness, kX[0]), Qt::Key_Return);
    workingSettings.buttons[5].actionType = 0xFF;  // a change on another page
    harness.Window().RefreshApplyButton();

    // The sensor write is refused; the button write goes through.
    harness.sim.FailTransfers(sim::Device::Mouse, 1, EACCES, sim::Transfer::Send);
    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kApplyId));
    QCOMPARE(harness.Commands(sim::Device::Mouse), (QStringList{"14", "16", "16"}));
    QCOMPARE(harness.sim.MouseBlock()[55 + 5 * 7], 0xFF);
    QCOMPARE(deviceSettings.buttons[5].actionType, 0xFF);
    QCOMPARE(deviceSettings.cpiLevels[0].cpiX, 400);
    QVERIFY(ApplyEnabled(harness));

    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kApplyId));
    QCOMPARE(harness.Commands(sim::Device::Mouse), QStringList{"14"});
    QCOMPARE(BlockCpi(harness.sim.MouseBlock(), 0, false), 1000);
    QVERIFY(!ApplyEnabled(harness));
}

void SensorPageTest::FactoryResetShowsTheDefaults() {
    Harness harness("wired");
    harness.sim.SetMouseBlock(BlockWith({{14, 2}, {9, 2}, {36, 0xE8}, {37, 0x03}, {38, 0xE8}, {39, 0x03}}));
    QVERIFY(harness.Start());
    QCOMPARE(Text(harness, kX[0]), QStringLiteral("1000"));
    harness.Click(harness.Get<QPushButton>(CUpdaterDlg::kFactoryResetId));
    const QString defaults[] = {"400", "800", "1600", "3200"};
    for (int level = 0; level < 4; ++level) {
        QCOMPARE(Text(harness, kX[level]), defaults[level]);
        QCOMPARE(Text(harness, kY[level]), defaults[level]);
        QVERIFY(Edit(harness, kX[level])->isVisible());
    }
    QCOMPARE(Page(harness)->Get<QComboBox>(1019)->currentText(), QStringLiteral("4"));
    QCOMPARE(Page(harness)->Get<QComboBox>(1024)->currentText(), QStringLiteral("1mm"));
    QVERIFY(!ApplyEnabled(harness));
}

void SensorPageTest::SwatchesPaintTheirColours() {
    CKorStatic swatch;
    swatch.resize(12, 8);
    QCOMPARE(swatch.grab().toImage().pixelColor(3, 3), QColor(240, 240, 240));
    swatch.SetFillColour(0x0000FF);
    QCOMPARE(swatch.grab().toImage().pixelColor(3, 3), QColor(255, 0, 0));
    swatch.SetFillColour(0xFF0000);
    QCOMPARE(swatch.grab().toImage().pixelColor(0, 0), QColor(0, 0, 255));

    Harness harness("wired");
    QVERIFY(harness.Start());
    const QColor expected[] = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    const int ids[] = {1039, 1043, 1052, 1053};
    for (int level = 0; level < 4; ++level) {
        QCOMPARE(Page(harness)->Get<CKorStatic>(ids[level])->grab().toImage().pixelColor(1, 1), expected[level]);
    }
}

QTEST_MAIN(SensorPageTest)
#include "sensor_page_test.moc"
