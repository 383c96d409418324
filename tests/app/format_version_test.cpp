// Firmware version texts.
#include <QTest>

#include "app/format_version.h"

class FormatVersionTest : public QObject {
    Q_OBJECT
private slots:
    void Formats() {
        const std::pair<std::uint16_t, const char*> cases[] = {
            {0x0103, "1.03"}, {0x0120, "1.20"}, {0x01A3, "0.01"}, {0x0000, "0.00"},
            {0x0250, "2.50"}, {0xFFFF, "0.00"}, {0x9999, "99.99"}, {0x1A00, "0.01"}};
        for (const auto& [version, text] : cases) {
            QCOMPARE(kestrova::FormatVersion(version), QString::fromLatin1(text));
        }
    }
};

QTEST_MAIN(FormatVersionTest)
#include "format_version_test.moc"
