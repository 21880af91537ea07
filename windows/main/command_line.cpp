#include "windows/main/command_line.h"

#include <cstring>

namespace qv {

namespace {

bool isHelp(const QString& a) {
    return a == QLatin1String("--help") || a == QLatin1String("-h");
}

} // namespace

bool asksForHelp(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        if (isHelp(QString::fromLocal8Bit(argv[i]))) return true;
    }
    return false;
}

CommandLine parseCommandLine(const QStringList& args) {
    CommandLine c;
    bool optionsEnd = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnd || !a.startsWith('-') || a == QLatin1String("-")) {
            c.files << a;
            continue;
        }
        // Options that take the next argument as their value.
        auto value = [&](QString& into) {
            if (i + 1 < args.size()) {
                into = args[++i];
                return true;
            }
            c.error = a + " needs a value";
            return false;
        };
        QString v;
        if (a == QLatin1String("--")) {
            optionsEnd = true;
        } else if (isHelp(a)) {
            c.help = true;
        } else if (a == QLatin1String("--open")) {
            if (value(v)) c.files << v;
        } else if (a == QLatin1String("--port") || a == QLatin1String("--lirc")) {
            value(v); // read by the link
        } else if (a.startsWith(QLatin1String("--port="))) {
        } else if (a == QLatin1String("--scan")) {
            c.scan = true;
        } else if (a == QLatin1String("--statistics")) {
            c.statistics = true;
        } else if (a == QLatin1String("--dark")) {
            c.colours = ColourScheme::Dark;
        } else if (a == QLatin1String("--light")) {
            c.colours = ColourScheme::Light;
        } else if (a == QLatin1String("--screenshot")) {
            value(c.screenshot);
        } else if (a == QLatin1String("--size")) {
            if (!value(v)) continue;
            const QStringList wh = v.split('x');
            bool w = false, h = false;
            if (wh.size() == 2) c.size = QSize(wh[0].toInt(&w), wh[1].toInt(&h));
            if (!w || !h || c.size.isEmpty()) {
                c.size = QSize();
                c.error = "--size wants WIDTHxHEIGHT, not " + v;
            }
        } else {
            c.error = "unknown option " + a;
        }
        if (!c.error.isEmpty()) break;
    }
    return c;
}

QString usageText() {
    return QStringLiteral(
        "usage: quorvel [OPTION]... [FILE]...\n"
        "Opens the Quorvel window. Each FILE is a capture to open (receiver message .bin,\n"
        "time list, signed raw, LIRC mode2 or Pronto hex); the last one stays shown.\n"
        "\n"
        "  --dark, --light      dark or light colours, whatever the desktop uses\n"
        "                       (by default the program follows the desktop's scheme)\n"
        "  --port COMn=DEVICE   put DEVICE (a receiver, quorvel-sim's terminal) behind\n"
        "                       the port list's entry COMn; may be given again\n"
        "  --lirc PATH          list the LIRC device PATH among the ports, though the\n"
        "                       system does not; may be given again\n"
        "  --scan               open the scan window over the last capture\n"
        "  --statistics         open the statistics window over the captures opened\n"
        "  --size WxH           size of the main window in pixels\n"
        "  --screenshot FILE    save a picture of the window in front as FILE and end\n"
        "  -h, --help           show this text and end\n");
}

} // namespace qv
