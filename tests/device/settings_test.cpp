// The settings codec against golden bytes, and write-then-read round trips against
// the simulated mouse, whose block layout is written independently of the codec.
#include "device/commands.h"
#include "device/settings.h"
#include "device/transport.h"
#include "fixture.h"

namespace kestrova::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Array>
Bytes ToBytes(const Array& array) {
    return Bytes(array.begin(), array.end());
}

SettingsRecord Defaults() {
    SettingsRecord record;
    ResetSettingsToDefaults(record);
    return record;
}

TEST(SettingsCodec, DefaultPayloadsMatchTheGoldenBytes) {
    const SettingsRecord record = Defaults();
    EXPECT_EQ(ToBytes(EncodeSensorPayload(record)),
              Bytes({0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x04, 0x02, 0x00, 0x90, 0x01, 0x90,
                     0x01, 0x00, 0x20, 0x03, 0x20, 0x03, 0x00, 0x40, 0x06, 0x40, 0x06, 0x00,
                     0x80, 0x0C, 0x80, 0x0C}));
    EXPECT_EQ(ToBytes(EncodeAdvancedPayload(record)),
              Bytes({0x00, 0x02, 0x11, 0x01, 0x08, 0x08, 0x08, 0x08, 0x08, 0x03}));
    const Bytes buttons = ToBytes(EncodeButtonPayload(record));
    EXPECT_EQ(Bytes(buttons.begin(), buttons.begin() + 14),
              Bytes({0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x08}));
    EXPECT_EQ(Bytes(buttons.end() - 7, buttons.end()), Bytes({0x01, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x08}));
}

TEST(SettingsCodec, PayloadsPlaceEveryFieldWhereTheLayoutSays) {
    SettingsRecord record = Defaults();
    record.sensorByte7 = 0x71;
    record.motionSync = 1;
    record.sensorByte13 = 0x13;
    record.cpiLevelCount = 2;
    record.powerSavingTime = 0x85;
    record.deepSleepTime = 0x7F;
    record.buttons[4].clickFilter = 25;
    record.buttons[7].param2 = 0x1234;
    const auto sensor = EncodeSensorPayload(record);
    EXPECT_EQ(sensor[0], 0x71);
    EXPECT_EQ(sensor[5], 0);  // motion sync never travels in the sensor write
    EXPECT_EQ(sensor[6], 2);
    EXPECT_EQ(sensor[7], 0x13);
    const auto advanced = EncodeAdvancedPayload(record);
    EXPECT_EQ(ToBytes(advanced), Bytes({0x01, 0x02, 0x11, 0x85, 8, 8, 8, 8, 25, 0x7F}));
    const auto buttons = EncodeButtonPayload(record);
    EXPECT_EQ(buttons[53], 0x34);
    EXPECT_EQ(buttons[54], 0x12);
}

TEST(SettingsCodec, DecodeTakesEveryDecodedByteAndIgnoresTheRest) {
    ConfigBlock block{};
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 13 + 1);
    block[35] = 0x01;
    block[36] = 0x90;
    block[37] = 0x01;
    block[38] = 0x20;
    block[39] = 0x03;
    SettingsRecord record;
    DecodeSettings(block, record);
    EXPECT_EQ(record.cpiLevels[0].separateXY, 1);
    EXPECT_EQ(record.cpiLevels[0].cpiX, 400);
    EXPECT_EQ(record.cpiLevels[0].cpiY, 800);
    EXPECT_EQ(record.headerByte, block[0]);
    EXPECT_EQ(record.deepSleepTime, block[3]);
    EXPECT_EQ(record.powerSavingTime, block[4]);
    EXPECT_EQ(record.cpiLevelCount, block[14]);
    EXPECT_EQ(record.buttons[7].clickFilter, block[110]);

    // The image is the exact inverse over the decoded bytes.
    const SettingsImage image = EncodeSettingsImage(record);
    for (std::size_t i = 0; i < image.size(); ++i) {
        const bool carried = i == 1 || i == 2 || i >= 111;
        EXPECT_EQ(image[i], carried ? 0 : block[i]) << "byte " << i;
    }

    ConfigBlock cleared = block;
    for (std::size_t i = 111; i < cleared.size(); ++i) cleared[i] = 0;
    cleared[1] = cleared[2] = 0;
    SettingsRecord fromCleared;
    DecodeSettings(cleared, fromCleared);
    EXPECT_FALSE(SettingsDiffer(record, fromCleared));
}

TEST(SettingsCodec, DefaultsKeepTheReservedBlockAndItCountsAsADifference) {
    ConfigBlock block{};
    for (std::size_t i = 15; i < 35; ++i) block[i] = static_cast<std::uint8_t>(i);
    SettingsRecord record;
    DecodeSettings(block, record);
    ResetSettingsToDefaults(record);
    EXPECT_EQ(record.reservedBlock[0], 15);
    EXPECT_EQ(record.reservedBlock[19], 34);

    SettingsRecord other = record;
    EXPECT_FALSE(SettingsDiffer(record, other));
    other.reservedBlock[5] ^= 1;
    EXPECT_TRUE(SettingsDiffer(record, other));
    other = record;
    other.headerByte = 9;
    EXPECT_TRUE(SettingsDiffer(record, other));
}

TEST(SettingsCodec, FieldCopiesTakeExactlyWhatTheirWriteCarries) {
    const SettingsRecord base = Defaults();
    SettingsRecord changed = base;
    changed.liftOffDistance = 2;
    changed.cpiLevels[3].cpiY = 50;
    changed.motionSync = 1;
    changed.deepSleepTime = 0x85;
    changed.buttons[2].clickFilter = 3;
    changed.buttons[6].clickFilter = 4;
    changed.buttons[5].actionType = 0xFF;
    changed.headerByte = 7;

    SettingsRecord target = base;
    CopySensorFields(changed, target);
    EXPECT_EQ(EncodeSensorPayload(target), EncodeSensorPayload(changed));
    EXPECT_EQ(EncodeAdvancedPayload(target), EncodeAdvancedPayload(base));
    EXPECT_EQ(EncodeButtonPayload(target), EncodeButtonPayload(base));

    target = base;
    CopyAdvancedFields(changed, target);
    EXPECT_EQ(EncodeAdvancedPayload(target), EncodeAdvancedPayload(changed));
    EXPECT_EQ(EncodeSensorPayload(target), EncodeSensorPayload(base));
    EXPECT_EQ(target.buttons[6].clickFilter, 8);  // wheel filters travel with the buttons only

    target = base;
    CopyButtonFields(changed, target);
    EXPECT_EQ(EncodeButtonPayload(target), EncodeButtonPayload(changed));
    EXPECT_EQ(target.headerByte, 0);
}

TEST(NormalizeCpi, RoundsToValidValues) {
    const std::pair<std::uint32_t, std::uint16_t> cases[] = {
        {0, 50},       {49, 50},       {50, 50},        {74, 50},     {75, 100},
        {1224, 1200},  {1225, 1250},   {1234, 1250},    {26000, 26000}, {26001, 26000},
        {30000, 26000}, {0xFFFFFFFFu, 26000}, {25999, 26000}, {400, 400}};
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(NormalizeCpi(input), expected) << input;
    }
}

class RoundTripTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        sim.Plug(sim::Device::Mouse);
        OpenAndClear(kMouseProductId);
        ASSERT_EQ(ReadConfigBlock(110), 1);
        before = sim.MouseBlock();
        DecodeSettings(configBlock, deviceSettings);
    }

    // The block bytes outside the write's reach must not move.
    void ExpectOnlyChanged(const std::vector<std::size_t>& allowed) {
        const sim::Block after = sim.MouseBlock();
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (std::find(allowed.begin(), allowed.end(), i) == allowed.end()) {
                ASSERT_EQ(after[i], before[i]) << "block byte " << i;
            }
        }
    }

    void ExpectReadBackEqualsWorkingCopy() {
        const SettingsRecord written = workingSettings;
        ASSERT_EQ(ReadConfigBlock(110), 1);
        EXPECT_FALSE(SettingsDiffer(workingSettings, written));
    }

    sim::Block before{};
};

TEST_F(RoundTripTest, SensorWrite) {
    workingSettings.liftOffLed = 0;
    workingSettings.liftOffDistance = 2;
    workingSettings.angleSnapping = 1;
    workingSettings.rippleControl = 1;
    workingSettings.cpiLevelCount = 2;
    workingSettings.cpiLevels[1] = {1, 1250, 26000};
    ASSERT_EQ(WriteSensorSettings(EncodeSensorPayload(workingSettings), 500), 1);
    EXPECT_EQ(sim.MouseBlock()[8], 0);
    EXPECT_EQ(sim.MouseBlock()[40], 1);
    ExpectOnlyChanged({7, 8, 9, 10, 11, 13, 14, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47,
                       48, 49, 50, 51, 52, 53, 54});
    ExpectReadBackEqualsWorkingCopy();
}

TEST_F(RoundTripTest, AdvancedWrite) {
    workingSettings.motionSync = 1;
    workingSettings.pollingRate = 0x08;
    workingSettings.filterFlags = 0x01;
    workingSettings.powerSavingTime = 0x8A;
    workingSettings.deepSleepTime = 0x78;
    workingSettings.buttons[0].clickFilter = 0xF1;
    workingSettings.buttons[4].clickFilter = 25;
    ASSERT_EQ(WriteAdvancedSettings(EncodeAdvancedPayload(workingSettings), 500), 1);
    EXPECT_EQ(sim.MouseBlock()[3], 0x78);
    EXPECT_EQ(sim.MouseBlock()[61], 0xF1);
    ExpectOnlyChanged({3, 4, 5, 6, 12, 61, 68, 75, 82, 89});
    ExpectReadBackEqualsWorkingCopy();
}

TEST_F(RoundTripTest, ButtonWrite) {
    workingSettings.buttons[0] = {0x00, 0x02, 0, 0, 8};
    workingSettings.buttons[1] = {0x00, 0x01, 0, 0, 8};
    workingSettings.buttons[5] = {0x0C, 0x00, 800, 1600, 3};
    workingSettings.buttons[7] = {0x02, 0x05, 0x04, 0, 8};
    ASSERT_EQ(WriteButtonBindings(EncodeButtonPayload(workingSettings), 500), 1);
    EXPECT_EQ(sim.MouseBlock()[55 + 5 * 7 + 2], 0x20);  // 800, low byte first
    EXPECT_EQ(sim.MouseBlock()[55 + 5 * 7 + 3], 0x03);
    std::vector<std::size_t> buttons;
    for (std::size_t i = 55; i < 111; ++i) buttons.push_back(i);
    ExpectOnlyChanged(buttons);
    ExpectReadBackEqualsWorkingCopy();
}

TEST_F(RoundTripTest, FactoryResetRestoresTheFactoryBlock) {
    workingSettings.cpiLevels[0] = {0, 5000, 5000};
    workingSettings.pollingRate = 0x08;
    ASSERT_EQ(WriteSensorSettings(EncodeSensorPayload(workingSettings), 500), 1);
    ASSERT_EQ(WriteAdvancedSettings(EncodeAdvancedPayload(workingSettings), 500), 1);
    ASSERT_NE(sim.MouseBlock(), sim::FactoryBlock());
    ASSERT_EQ(FactoryReset(800), 1);
    EXPECT_EQ(sim.MouseBlock(), sim::FactoryBlock());
    ASSERT_EQ(ReadConfigBlock(110), 1);
    // The interpreted fields of the factory block are the tool's defaults.
    SettingsRecord defaults = workingSettings;
    ResetSettingsToDefaults(defaults);
    defaults.headerByte = workingSettings.headerByte;
    EXPECT_FALSE(SettingsDiffer(workingSettings, defaults));
}

}  // namespace
}  // namespace kestrova::testing
