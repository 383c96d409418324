// Finding a top-level window by its title on a real X server (run under xvfb-run).
#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include "app/window_finder.h"

class WindowFinderTest : public QObject {
    Q_OBJECT
private slots:
    void FindsAWindowByItsExactTitle() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X server");
        }
        const QString title = QStringLiteral("Quillmark 4k Dongle Firmware Updater");
        QVERIFY(!kestrova::TopLevelWindowExists(title));
        auto* updater = new QWidget;
        updater->setWindowTitle(title);
        updater->show();
        QVERIFY(QTest::qWaitForWindowExposed(updater));
        QTRY_VERIFY(kestrova::TopLevelWindowExists(title));
        QVERIFY(!kestrova::TopLevelWindowExists(QStringLiteral("Quillmark 4k Dongle Firmware")));
        delete updater;
        QTRY_VERIFY(!kestrova::TopLevelWindowExists(title));
    }
};

QTEST_MAIN(WindowFinderTest)
#include "window_finder_test.moc"
