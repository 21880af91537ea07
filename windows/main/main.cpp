// The window program: one session, the main window over it.
#include "link/link_window.h"
#include "link/qt_serial_port.h"
#include "platform/paths.h"
#include "windows/main/form_main.h"
#include "windows/main/form_scan.h"
#include "windows/main/press_log_dock.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <QStyleFactory>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

// Documentation aid, not offered to users: "--open FILE" loads a capture
// after start-up (given again, the next one), "--scan" opens the scan
// window over it, "--statistics" the statistics window over every capture
// opened, "--size WxH" resizes the main window, "--dark" shows the windows
// as a dark desktop theme would, "--screenshot FILE" saves the image of the
// window in front and ends.
QString optionValue(const QStringList& args, const QString& name) {
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

QPalette darkPalette() {
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 32), text(220, 220, 220);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    return p;
}

// Qt has taken its own options out already; what is left must be ours.
QString unknownOption(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--port") || a == QLatin1String("--lirc") ||
            a == QLatin1String("--open") || a == QLatin1String("--screenshot") ||
            a == QLatin1String("--size"))
            ++i; // its value; a missing one is reported where it is read
        else if (a != QLatin1String("--scan") && a != QLatin1String("--dark") &&
                 !a.startsWith(QLatin1String("--port=")))
            return a;
    }
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace std::chrono_literals;
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setApplicationName("Quorvel");
    if (QApplication::arguments().contains("--dark")) QApplication::setPalette(darkPalette());
    if (const QString bad = unknownOption(QApplication::arguments()); !bad.isEmpty()) {
        std::fprintf(
            stderr,
            "quorvel: unknown option %s\nusage: quorvel [--port COMn=DEVICE]... [--lirc PATH]...\n",
            qPrintable(bad));
        return 2;
    }

    qv::Session session;
    // A portable build keeps its files beside the program; an installed one
    // writes into the user's data directory (the layout decides).
    const qv::AppFiles files = qv::locateAppFiles();
    session.cataloguePath = files.catalogue;
    session.codeDatabasePath = files.codeDatabase;
    session.errorRecord.setPath(files.errorRecord);
    session.resourceDir = files.resources;
    // "--port COMn=DEVICE" puts any device (a pseudo-terminal of
    // quorvel-sim, an unusual adapter) behind an entry of the port list.
    qv::QtSerialPort port;
    if (const QString bad = qv::applyPortArguments(QApplication::arguments(), port);
        !bad.isEmpty()) {
        std::fprintf(stderr, "quorvel: %s\n", qPrintable(bad));
        return 2;
    }
    session.port = &port;

    qv::Form_main window(session);
    qv::attachReceiverLink(port, session, window.portList());
    window.startUp();
    if (const QStringList size = optionValue(QApplication::arguments(), "--size").split('x');
        size.size() == 2)
        window.resize(size[0].toInt(), size[1].toInt());
    if (!files.problem.empty()) session.message(files.problem);
    window.show();
    if (auto* presses = window.findChild<qv::PressLogDock*>()) presses->showIfRoom();

    const QStringList args = QApplication::arguments();
    const QString screenshot = optionValue(args, "--screenshot");
    for (qsizetype i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--open") window.openCapture(args[i + 1]);
    if (args.contains("--scan")) window.showScan();
    auto* presses = window.findChild<qv::PressLogDock*>();
    if (args.contains("--statistics") && presses) presses->showStatistics();
    if (!screenshot.isEmpty()) {
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
