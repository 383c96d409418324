#include "updater_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <memory>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/window_finder.h"
#include "device/hid_log.h"
#include "device/hidapi_backend.h"
#include "device/sim/simulated_hid.h"
#include "device/transport.h"
#include "device/udev_hotplug.h"

namespace kestrova {

namespace {

void PrintError(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
}

}  // namespace

namespace {

// --help, --version and --quit need no display, so they run without the GUI.
bool NeedsWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-h" || argument == "--help-all" || argument == "--version" ||
            argument == "-v" || argument == "--quit") {
            return false;
        }
    }
    return true;
}

}  // namespace

int CUpdaterApp::Run(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> process =
        NeedsWindow(argc, argv) ? std::make_unique<QApplication>(argc, argv)
                                : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& application = *process;
    QApplication::setApplicationName(QStringLiteral("kestrova-config"));
    QApplication::setApplicationVersion(QStringLiteral("1.03"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillmark Kestrova 4k Configuration Tool"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configures the Kestrova wireless mouse and its 4K dongle."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Run on a simulated device instead of real hardware. SCENARIO is one of: %1.")
            .arg(QString::fromStdString([] {
                std::string names;
                for (const std::string& name : sim::ScenarioNames()) {
                    names += (names.empty() ? "" : ", ") + name;
                }
                return names;
            }())),
        QStringLiteral("SCENARIO"));
    const QCommandLineOption hidLog(QStringLiteral("hid-log"),
                                    QStringLiteral("Write every HID exchange to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption quit(QStringLiteral("quit"), QStringLiteral("Ask the running tool to end."));
    parser.addOptions({simulate, hidLog, quit});
    parser.process(application);

    if (parser.isSet(quit)) {
        if (!SingleInstanceGuard::SendQuitCommand()) {
            PrintError(QStringLiteral("No running kestrova-config to quit."));
            return 1;
        }
        return 0;
    }

    SingleInstanceGuard guard;
    if (!guard.Acquire()) {
        return 0;  // another instance runs: end at once, silently
    }

    std::unique_ptr<HidBackend> hardware;
    std::unique_ptr<sim::SimulatedHid> simulated;
    std::unique_ptr<UdevHotplugSource> udev;
    HidBackend* backend = nullptr;
    HotplugSource* hotplug = nullptr;
    if (parser.isSet(simulate)) {
        simulated = std::make_unique<sim::SimulatedHid>();
        if (!sim::ApplyScenario(*simulated, parser.value(simulate).toStdString())) {
            PrintError(QStringLiteral("Unknown scenario \"%1\".").arg(parser.value(simulate)));
            return 2;
        }
        backend = simulated.get();
        hotplug = simulated.get();
    } else {
        hardware = std::make_unique<HidapiBackend>();
        udev = std::make_unique<UdevHotplugSource>();
        backend = hardware.get();
        hotplug = udev.get();
    }

    std::unique_ptr<HidLog> log;
    std::unique_ptr<LoggingBackend> logging;
    if (parser.isSet(hidLog)) {
        log = std::make_unique<HidLog>(parser.value(hidLog).toStdString());
        if (!log->Valid()) {
            PrintError(QStringLiteral("Cannot write the HID log \"%1\".").arg(parser.value(hidLog)));
            return 2;
        }
        logging = std::make_unique<LoggingBackend>(*backend, *log);
        backend = logging.get();
    }
    InstallBackend(backend);

    {
        CUpdaterDlg window(MainWindowEnvironment{hotplug, TopLevelWindowExists});
        QObject::connect(&guard, &SingleInstanceGuard::quitRequested, &application, [] { QCoreApplication::exit(0); });
        if (window.OnInitDialog()) {
            window.exec();
        }
        CloseDevice();
    }
    InstallBackend(nullptr);
    return 0;
}

}  // namespace kestrova
