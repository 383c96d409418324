// The tool as a process: one instance per user, the quit command, and the HID log of
// a start-up on the simulated wired mouse.
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "app/single_instance.h"

using kestrova::SingleInstanceGuard;

namespace {

QProcess* StartTool(const QStringList& arguments, QObject* parent) {
    auto* process = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(KESTROVA_CONFIG_BINARY), arguments);
    return process;
}

// True once an instance holds the guard.
bool WaitForInstance(int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(SingleInstanceGuard::ServerName());
        if (socket.waitForConnected(200)) {
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}

int RunToEnd(const QStringList& arguments, QObject* parent) {
    QProcess* process = StartTool(arguments, parent);
    if (!process->waitForFinished(10000)) {
        process->kill();
        return -1;
    }
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
}

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT
private slots:
    void OneInstancePerUserAndTheQuitCommand();
    void QuitFromAnotherUserIsRefused();
};

void ProcessTest::OneInstancePerUserAndTheQuitCommand() {
    QTemporaryDir directory;
    const QString logPath = directory.filePath(QStringLiteral("hid.log"));
    QProcess* first = StartTool({QStringLiteral("--simulate=wired"), QStringLiteral("--hid-log=") + logPath}, this);
    QVERIFY(WaitForInstance());

    // A second start ends at once and silently; the first keeps running.
    QCOMPARE(RunToEnd({QStringLiteral("--simulate=none")}, this), 0);
    QCOMPARE(first->state(), QProcess::Running);

    QCOMPARE(RunToEnd({QStringLiteral("--quit")}, this), 0);
    QVERIFY(first->waitForFinished(10000));
    QCOMPARE(first->exitCode(), 0);

    // The start-up exchange, in order, one line per event.
    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QStringList events;
    QList<qint64> times;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3) {
            continue;
        }
        QCOMPARE(fields[1], QByteArray("4c32"));
        times << fields[0].toLongLong();
        // A request by its command byte, an answer by its length.
        QString event = QString::fromLatin1(fields[2]);
        if (fields[2] == "set_feature") {
            event += QLatin1Char(' ') + QString::fromLatin1(fields[4]);
        } else if (fields[2] == "get_feature") {
            event += QLatin1Char(' ') + QString::number(fields.size() - 3);
        }
        events << event;
    }
    QCOMPARE(events, (QStringList{"open", "set_feature 0e", "get_feature 64", "set_feature b4", "get_feature 64",
                                  "set_feature 12", "get_feature 1041", "close", "open", "close"}));
    QVERIFY(std::is_sorted(times.begin(), times.end()));
    QVERIFY(times[2] - times[1] >= 150);  // the prescribed wait after ReadDeviceInfo

    // With the first gone, a new instance starts normally.
    QProcess* again = StartTool({QStringLiteral("--simulate=none")}, this);
    QVERIFY(WaitForInstance());
    QCOMPARE(RunToEnd({QStringLiteral("--quit")}, this), 0);
    QVERIFY(again->waitForFinished(10000));
    QCOMPARE(again->exitCode(), 0);
    // And with nobody running, --quit says so.
    QCOMPARE(RunToEnd({QStringLiteral("--quit")}, this), 1);
}

void ProcessTest::QuitFromAnotherUserIsRefused() {
    // This process plays the other user: the guard accepts commands only from uid + 1.
    {
        SingleInstanceGuard guard(::getuid() + 1);
        QVERIFY(guard.Acquire());
        QSignalSpy quits(&guard, &SingleInstanceGuard::quitRequested);
        QVERIFY(SingleInstanceGuard::SendQuitCommand());
        QTest::qWait(300);
        QCOMPARE(quits.count(), 0);
    }
    SingleInstanceGuard guard;
    QVERIFY(guard.Acquire());
    QSignalSpy quits(&guard, &SingleInstanceGuard::quitRequested);
    QVERIFY(SingleInstanceGuard::SendQuitCommand());
    QVERIFY(quits.wait(3000));
}

QTEST_MAIN(ProcessTest)
#include "process_test.moc"
