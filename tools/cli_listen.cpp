// quorvel-cli listen and send: presses live from a LIRC device or a text
// receiver, through the capture road of the window; codes sent back out.
#include "app/capture_tick.h"
#include "app/dispatch.h"
#include "app/format_scan.h"
#include "app/format_selection.h"
#include "app/generate_capture.h"
#include "app/main_state.h"
#include "app/session.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "capture/receiver_message.h"
#include "catalogue/format_menus.h"
#include "link/live_port.h"
#include "platform/basic.h"
#include "platform/code_grid.h"
#include "platform/paths.h"
#include "tools/cli_commands.h"
#include "tools/json_out.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sys/time.h>

namespace qv {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) {
    g_interrupted = 1;
}

int listenError(const std::string& what, int code = 2) {
    std::fprintf(stderr, "quorvel-cli: %s\n", what.c_str());
    return code;
}

bool wholeNumber(const std::string& v, long low, long high, long& out) {
    if (!isNumeric(v)) return false;
    const double d = leadingNumber(v);
    if (d < static_cast<double>(low) || d > static_cast<double>(high) || d != wholePart(d))
        return false;
    out = static_cast<long>(d);
    return true;
}

// The local time with milliseconds: "2026-12-07 04:10:00.123".
std::string timeNow() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    localtime_r(&tv.tv_sec, &tm);
    char text[40];
    const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    std::snprintf(text + n, sizeof text - n, ".%03ld", static_cast<long>(tv.tv_usec / 1000));
    return text;
}

std::vector<std::string> codeLines(const std::string& code) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < code.size()) {
        size_t end = code.find('\n', start);
        if (end == std::string::npos) end = code.size();
        std::string line = trimBlanks(code.substr(start, end - start));
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty()) out.push_back(line);
        start = end + 1;
    }
    return out;
}

void printPress(const Session& s, const std::string& time, bool json) {
    const auto code = codeLines(s.last.decode.shown);
    CaptureFile press;
    press.times = s.last.capture.times;
    if (json) {
        std::string line = "{\"time\": " + jsonString(time) +
                           ", \"source\": " + jsonString(s.last.capture.source.shown()) +
                           ", \"format\": " + jsonString(withoutAccessKeys(s.format.name)) +
                           ", \"code\": [";
        for (size_t i = 0; i < code.size(); ++i)
            line += (i ? ", " : "") + jsonString(code[i]);
        line += "], \"errors\": [";
        for (size_t i = 0; i < s.last.errorLines.size(); ++i)
            line += (i ? ", " : "") + jsonString(s.last.errorLines[i]);
        line += "], \"times\": " + std::to_string(press.times.size()) +
                ", \"carrier\": " + jsonString(trimBlanks(s.code.Lblcarr_f)) + ", \"protocols\": ";
        std::fputs(line.c_str(), stdout);
        writeProtocolDecodes(press, s.decoding.demod.on, true);
        std::fputs("}\n", stdout);
    } else {
        std::printf("%s  %s  %s  %s\n", time.c_str(), s.last.capture.source.shown().c_str(),
                    withoutAccessKeys(s.format.name).c_str(),
                    code.empty() ? "(no code)" : code.front().c_str());
        for (size_t i = 1; i < code.size(); ++i)
            std::printf("    %s\n", code[i].c_str());
        for (const auto& d : protocolDecodeLines(press, s.decoding.demod.on))
            std::printf("    protocol: %s\n", d.c_str());
        for (const auto& e : s.last.errorLines)
            std::printf("    error: %s\n", e.c_str());
    }
    std::fflush(stdout);
}

// The capture appended to the file in the kind its ending names.
bool appendCapture(const std::string& path, const Session& s) {
    const Capture& c = s.last.capture;
    const std::vector<int64_t>& times = c.times;
    std::string text;
    switch (captureKindForPath(path)) {
    case CaptureFileKind::SignedRaw:
        text = writeSignedRaw(times);
        break;
    case CaptureFileKind::Mode2:
        text = writeMode2(times);
        break;
    case CaptureFileKind::Pronto:
        text = writePronto(times, c.carrierPeriod > 0 ? c.carrierPeriod : 1e6 / 38000,
                           engine::kDefaultFrameGap);
        break;
    default:
        text = writeTimeList(times);
    }
    std::ofstream f(path, std::ios::binary | std::ios::app);
    f << text << (text.empty() || text.back() == '\n' ? "" : "\n") << "\n";
    return static_cast<bool>(f);
}

struct ListenOptions {
    std::string device, port, format, append, cataloguePath;
    bool text = false, json = false;
    long baud = 115200, count = 0;
};

// The decode of the press the port holds, through the window's road; with
// no format given, the best clean catalogue row when the selected one fails.
void decodePress(Session& s, bool formatGiven) {
    captureTick(s);
    const bool clean = !s.last.decode.shown.empty() && s.last.errorLines.empty();
    if (formatGiven || clean) return;
    if (const auto fits = alsoFits(s)) {
        const auto before = s.last.errorLines;
        setIrtype(s, fits->caption);
        redecodeShown(s);
        // What the device reported of the press stays with it.
        for (const auto& line : before)
            if (line.rfind(s.last.capture.source.shown(), 0) == 0)
                s.last.errorLines.push_back(line);
    }
}

} // namespace

int cmdListen(const std::vector<std::string>& args) {
    ListenOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (a == "--text") {
            o.text = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--device" || a == "--port" || a == "--format" || a == "--append" ||
                   a == "--catalogue" || a == "--baud" || a == "--count") {
            const std::string* v = value();
            if (!v) return listenError(a + " needs a value");
            if (a == "--device") o.device = *v;
            if (a == "--port") o.port = *v;
            if (a == "--format") o.format = *v;
            if (a == "--append") o.append = *v;
            if (a == "--catalogue") o.cataloguePath = *v;
            if (a == "--baud" && !wholeNumber(*v, 300, 4000000, o.baud))
                return listenError("--baud takes a baud rate, not \"" + *v + "\"");
            if (a == "--count" && !wholeNumber(*v, 1, 1000000000, o.count))
                return listenError("--count takes a number of presses from 1");
        } else {
            return listenError("unknown option " + a);
        }
    }
    if (o.device.empty() == o.port.empty())
        return listenError("listen needs --device LIRCDEVICE or --port SERIALPORT --text");
    if (!o.port.empty() && !o.text)
        return listenError("listen --port reads a text receiver: add --text");
    if (!o.device.empty() && o.text) return listenError("--text goes with --port, not --device");
    if (!o.append.empty() && captureKindForPath(o.append) == CaptureFileKind::ReceiverMessage)
        return listenError("--append writes text captures: name a file not ending in .bin");

    const AppFiles appFiles = locateAppFiles();
    if (o.cataloguePath.empty()) o.cataloguePath = appFiles.catalogue;
    const FormatMenuEntry* entry = nullptr;
    if (!o.format.empty()) {
        entry = findFormatEntry(o.format);
        if (!entry || !entry->available)
            return listenError("no format menu entry for \"" + o.format + "\"");
    }

    LivePort port;
    if (o.text)
        port.aimAtText(o.port, static_cast<int>(o.baud));
    else
        port.aimAtLirc(o.device);
    MemoryCodeGrid grid;
    Session s;
    s.env.port = &port;
    s.env.codeGrid = &grid;
    s.format.cataloguePath = o.cataloguePath;
    s.env.errorRecord.setPath(appFiles.errorRecord);
    s.out.drawsWaveform = false;
    s.out.logsPresses = false;
    startUp(s); // opens the port as the window opens its first entry
    if (!port.isOpen()) return listenError(port.openFailure(), 1);
    if (entry) setIrtype(s, entry->caption);
    setDemodulated(s, true);
    s.out.messages.clear();

    struct sigaction sa {};
    sa.sa_handler = onInterrupt; // no SA_RESTART: the wait ends at once
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    long presses = 0;
    while (true) {
        for (const auto& line : port.pump(g_interrupted ? 0 : 60000))
            std::fprintf(stderr, "quorvel-cli: %s\n", line.c_str());
        while (port.bytesWaiting() > 0 && (o.count == 0 || presses < o.count)) {
            const std::string time = timeNow();
            decodePress(s, entry != nullptr);
            ++presses;
            printPress(s, time, o.json);
            if (!o.append.empty() && !appendCapture(o.append, s))
                return listenError(o.append + ": cannot be written", 1);
            for (const auto& m : s.out.messages)
                std::fprintf(stderr, "quorvel-cli: %s\n", m.c_str());
            s.out.messages.clear();
        }
        if (o.count > 0 && presses >= o.count) return 0;
        if (!port.isOpen()) return listenError(port.lost(), 1);
        if (g_interrupted) return 0;
    }
}

int cmdSend(const std::vector<std::string>& args) {
    std::string device, file, key, cataloguePath;
    engine::GenerateRequest request;
    ProtocolChoice protocol;
    bool haveCode = false;
    long carrierHz = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (!file.empty()) return listenError("send takes one capture FILE");
            file = a;
            continue;
        }
        if (i + 1 >= args.size()) return listenError(a + " needs a value");
        const std::string& v = args[++i];
        if (a == "--device") {
            device = v;
        } else if (protocolOption(a, v, protocol)) {
        } else if (a == "--format") {
            key = v;
        } else if (a == "--code" || a == "--bin") {
            haveCode = true;
            request.code = v;
            request.binary = a == "--bin";
        } else if (a == "--repeats") {
            long n = 0;
            if (!wholeNumber(v, 0, 50, n)) return listenError("--repeats takes 0 to 50");
            request.repeats = static_cast<int>(n);
        } else if (a == "--carrier") {
            if (!wholeNumber(v, 0, 1000000, carrierHz))
                return listenError("--carrier takes a frequency in Hz");
        } else if (a == "--catalogue") {
            cataloguePath = v;
        } else {
            return listenError("unknown option " + a);
        }
    }
    if (device.empty()) return listenError("send needs --device LIRCDEVICE");
    const bool byProtocol = !protocol.name.empty() || !protocol.irpText.empty();
    if (int(!file.empty()) + int(!key.empty()) + int(byProtocol) != 1)
        return listenError("send takes a capture FILE, --format KEY --code HEX or --protocol NAME "
                           "--params ...");
    if (!key.empty() && !haveCode) return listenError("send --format needs --code or --bin");

    std::vector<int64_t> times;
    double periodUs = 0;
    if (!file.empty()) {
        CaptureFile read;
        try {
            read = readCapture(file);
        } catch (const CaptureFormatError& e) {
            return listenError(e.what(), 1);
        }
        times = read.times;
        if (times.empty()) { // a receiver message: its record's times
            TimeTable table;
            loadTimeTable(table, read.message, kReceiverTicksPerUsSingle, 1, 1);
            times = captureTimes(table);
        }
        periodUs = (read.carrier.highTicks + read.carrier.lowTicks) / kReceiverTicksPerUs;
    } else if (byProtocol) {
        double hz = 0;
        std::string label;
        if (int status = protocolPress(protocol, request.repeats, times, hz, label)) return status;
        periodUs = hz > 0 ? 1e6 / hz : 0;
    } else {
        if (cataloguePath.empty()) cataloguePath = locateAppFiles().catalogue;
        try {
            const auto signal = engine::generateSignal(catalogueRow(cataloguePath, key), request);
            times = signal.capture.times;
            periodUs = signal.carrierPeriodUs;
        } catch (const engine::GenerateError& e) {
            return listenError(std::string("cannot generate: ") + e.what(), 1);
        } catch (const DatabaseError& e) {
            return listenError(std::string("the catalogue cannot be read: ") + e.what(), 1);
        }
    }
    if (carrierHz < 0) carrierHz = periodUs > 0 ? std::lround(1e6 / periodUs) : 0;

    LivePort port;
    port.aimAtLirc(device);
    if (!port.open(1)) return listenError(port.openFailure(), 1);
    std::string why;
    if (!port.send(times, static_cast<uint32_t>(carrierHz), why)) return listenError(why, 1);
    std::printf("%s: sent %zu times at %ld Hz\n", port.source().c_str(), sendWords(times).size(),
                carrierHz);
    return 0;
}

} // namespace qv
