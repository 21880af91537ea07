// The window program: one session, the main window over it.
#include "app/protocol_table.h"
#include "app/session.h"
#include "link/link_window.h"
#include "link/qt_serial_port.h"
#include "platform/paths.h"
#include "windows/main/colours.h"
#include "windows/main/command_line.h"
#include "windows/main/form_main.h"
#include "windows/main/form_scan.h"
#include "windows/main/press_log_dock.h"

#include <QApplication>
#include <QStringList>
#include <QStyleFactory>
#include <QTimer>

#include <chrono>
#include <clocale>
#include <cstdio>

int main(int argc, char* argv[]) {
    using namespace std::chrono_literals;
    // Before the application: the usage needs no display.
    if (qv::asksForHelp(argc, argv)) {
        std::fputs(qPrintable(qv::usageText()), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library too; files, IRP and
    // reports keep the point in their numbers (12.5, never 12,5).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setApplicationName("Quorvel");
    // Qt has taken its own options out already; what is left must be ours.
    const qv::CommandLine cmd = qv::parseCommandLine(QApplication::arguments());
    if (!cmd.error.isEmpty()) {
        std::fprintf(stderr, "quorvel: %s\n%s", qPrintable(cmd.error), qPrintable(qv::usageText()));
        return 2;
    }
    qv::applyColourScheme(cmd.colours);

    qv::Session session;
    // A portable build keeps its files beside the program; an installed one
    // writes into the user's data directory (the layout decides).
    const qv::AppFiles files = qv::locateAppFiles();
    session.format.cataloguePath = files.catalogue;
    session.code.databasePath = files.codeDatabase;
    session.env.errorRecord.setPath(files.errorRecord);
    session.env.resourceDir = files.resources;
    for (const auto& line : qv::keepProtocolFilesIn(files.protocolFiles))
        std::fprintf(stderr, "quorvel: %s\n", line.c_str());
    // "--port COMn=DEVICE" puts any device (a pseudo-terminal of
    // quorvel-sim, an unusual adapter) behind an entry of the port list.
    qv::QtSerialPort port;
    if (const QString bad = qv::applyPortArguments(QApplication::arguments(), port);
        !bad.isEmpty()) {
        std::fprintf(stderr, "quorvel: %s\n", qPrintable(bad));
        return 2;
    }
    session.env.port = &port;

    qv::Form_main window(session);
    qv::attachReceiverLink(port, session, window.portList());
    window.startUp();
    if (cmd.size.isValid()) window.resize(cmd.size);
    if (!files.problem.empty()) session.message(files.problem);
    window.show();
    if (auto* presses = window.findChild<qv::PressLogDock*>()) presses->showIfRoom();

    for (const QString& file : cmd.files)
        window.openCapture(file);
    if (cmd.scan) window.showScan();
    auto* presses = window.findChild<qv::PressLogDock*>();
    if (cmd.statistics && presses) presses->showStatistics();
    if (const QString screenshot = cmd.screenshot; !screenshot.isEmpty()) {
        QTimer::singleShot(500ms, &window, [&window, presses, screenshot] {
            QWidget* front = window.scanWindow();
            if (!front && presses) front = presses->statisticsWindow();
            if (!front) front = &window;
            const bool saved = front->grab().save(screenshot);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
