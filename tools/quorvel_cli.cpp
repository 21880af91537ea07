// quorvel-cli: the capture road without a window.
//   quorvel-cli load FILE [--json] [--carrier HIGH,LOW]
//   quorvel-cli decode --format KEY [options] FILE...
//   quorvel-cli convert IN OUT [--force]
//   quorvel-cli scan FILE [--json] [--learn] [--tolerance 3|5|8] [--all]
//   quorvel-cli generate --format KEY --code HEX -o FILE (see cli_commands.h)
//   quorvel-cli stats --format KEY [options] FILE...
//   quorvel-cli analyse [--json] [--save FormNNN] [--protocols-out FILE] FILE...
//   quorvel-cli protocols | identify | generate --protocol (see cli_irp.cpp)
//   quorvel-cli listen / send (see cli_commands.h)
#include "app/capture_loader.h"
#include "app/capture_tick.h"
#include "app/format_scan.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "app/session.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "capture/capture_text.h"
#include "catalogue/format_menus.h"
#include "exchange/signal_capture.h"
#include "platform/basic.h"
#include "platform/paths.h"
#include "platform/whole_file.h"
#include "tools/cli_commands.h"
#include "tools/json_out.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace qv;

// A cycle tolerance beyond a second lets every cycle pass.
constexpr long kLongestCycleTolerance = 1000000;

int usage() {
    std::fprintf(
        stderr,
        "usage: quorvel-cli load FILE [--json] [--carrier HIGH,LOW]\n"
        "       quorvel-cli decode --format KEY [--tolerance 3|5|8] [--time-tolerance TEXT]\n"
        "                          [--cycle-tolerance TEXT] [--ignore-time] [--oct] [--auto]\n"
        "                          [--compare] [--catalogue PATH] [--json] [MODE]\n"
        "                          [--signal NAME] FILE...\n"
        "       quorvel-cli convert IN OUT [--carrier HIGH,LOW] [--frame-gap US] [--force]\n"
        "                               [--signal NAME] [--parsed]\n"
        "       quorvel-cli scan FILE [--json] [--learn] [--tolerance 3|5|8] [--all]\n"
        "                        [--catalogue PATH] [MODE] [--signal NAME]\n"
        "       quorvel-cli generate --format KEY --code HEX|--bin BITS [--repeats N]\n"
        "                            [--distort excess=US,jitter=PCT,step=US,seed=N]\n"
        "                            [--catalogue PATH] -o FILE\n"
        "       quorvel-cli stats --format KEY [decode options] [--json] FILE...\n"
        "       quorvel-cli analyse [--json] [--save FormNNN] [--catalogue PATH]\n"
        "                           [--protocols-out FILE]\n"
        "                           [DEMODULATED] FILE...\n"
        "       quorvel-cli protocols [--json] [--protocols FILE]...\n"
        "       quorvel-cli identify [--json] [--protocols FILE]... [MODE] [--signal NAME]\n"
        "                            FILE...\n"
        "       quorvel-cli generate --protocol NAME|--irp TEXT --params \"D=0,F=18\"\n"
        "                            [--repeats N] [--distort ...] [--protocols FILE]... -o FILE\n"
        "       quorvel-cli listen --device LIRCDEVICE | --port SERIALPORT --text [--baud N]\n"
        "                          [--format KEY] [--json] [--append FILE] [--count N]\n"
        "       quorvel-cli send --device LIRCDEVICE FILE | --format KEY --code HEX|--bin BITS\n"
        "                        | --protocol NAME|--irp TEXT --params \"D=0,F=18\"\n"
        "                        [--repeats N] [--carrier HZ] [--catalogue PATH]\n"
        "       quorvel-cli irp --format KEY [--catalogue PATH] [--json]\n"
        "MODE: [--demodulated | --receiver-unit] [--absolute-tolerance US] [--excess auto|US]\n"
        "      (a .bin is read as the receiver unit's, any other file as demodulated)\n"
        "FILE endings: .bin receiver message; .raw signed (+burst -gap); .mode2 pulse/space;\n"
        ".pronto or .ccf Pronto learned code; anything else a microsecond list.\n"
        "Files of named signals (Flipper .ir, lircd.conf, Girr, Broadlink, sendir, rawData[],\n"
        "Tasmota, ESPHome logs, IRDB CSV) are read as such whatever their ending; each signal\n"
        "is taken in turn as FILE#NAME; --signal NAME picks one.\n");
    return 2;
}

int usageError(const std::string& what) {
    std::fprintf(stderr, "quorvel-cli: %s\n", what.c_str());
    return usage();
}

// A number of an option's value within [low, high]; a trailing '%' is
// allowed where the value is a percentage.
bool numberIn(std::string text, double low, double high, bool percent) {
    if (percent && !text.empty() && text.back() == '%') text.pop_back();
    if (!isNumeric(text)) return false;
    const double v = leadingNumber(text);
    return std::isfinite(v) && v >= low && v <= high;
}

// The demodulated-capture options of decode and scan. The mode takes
// effect first, so the other options override its settings wherever they
// stand (the last of each wins).
struct DemodOptions {
    // --demodulated or --receiver-unit; otherwise each file's kind decides,
    // as it does in the window.
    std::optional<bool> forced;
    std::optional<ExcessMode> excessMode;
    float excess = 0;
    std::optional<float> absoluteTolerance;

    bool on(const std::string& file) const {
        return forced.value_or(readsDemodulated(captureKindForPath(file)));
    }
    void apply(Demodulation& d) const {
        if (excessMode) d.excessMode = *excessMode;
        if (excessMode == ExcessMode::Given) d.excess = excess;
        if (absoluteTolerance) d.absoluteTolerance = *absoluteTolerance;
    }
    void apply(engine::DecodeSettings& d) const {
        if (excessMode) d.excessMode = *excessMode;
        if (excessMode == ExcessMode::Given) d.excess = excess;
        if (absoluteTolerance) d.window.absolute = *absoluteTolerance;
    }
};

// False when option a is none of them; error names a bad value.
bool demodOption(const std::string& a, const std::vector<std::string>& args, size_t& i,
                 DemodOptions& demod, std::string& error) {
    if (a == "--demodulated" || a == "--receiver-unit") {
        demod.forced = a == "--demodulated";
        return true;
    }
    if (a != "--absolute-tolerance" && a != "--excess") return false;
    const std::string v = i + 1 < args.size() ? args[++i] : std::string();
    if (a == "--excess" && v == "auto") {
        demod.excessMode = ExcessMode::Auto;
    } else if (!numberIn(v, 0, 100000, false)) {
        error = a == "--excess" ? "--excess takes auto or a time in microseconds"
                                : "--absolute-tolerance takes a time in microseconds";
    } else if (a == "--excess") {
        demod.excessMode = ExcessMode::Given;
        demod.excess = static_cast<float>(leadingNumber(v));
    } else {
        demod.absoluteTolerance = static_cast<float>(leadingNumber(v));
    }
    return true;
}

// Reads a capture file through the one reader; says what loading changes
// and refuses what it cannot read.
bool readInput(const std::string& file, Carrier carrier, CaptureFile& out) {
    try {
        out = exchange::readLabelledCapture(file, carrier);
    } catch (const CaptureFormatError& e) {
        std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
        return false;
    }
    for (const auto& change : out.changes)
        std::fprintf(stderr, "quorvel-cli: warning: %s\n", change.c_str());
    return true;
}

// The user's catalogue; a first start that could not make it says why.
std::string defaultCatalogue(const AppFiles& files) {
    if (!files.problem.empty())
        std::fprintf(stderr, "quorvel-cli: warning: %s\n", files.problem.c_str());
    return files.catalogue;
}

// Each FILE as what it holds: itself, or each named signal of a remote
// file as FILE#NAME (only the one named `only`, when given). A signal that
// cannot be made a capture is named and left out, and counted in `left`.
bool expandInputs(std::vector<std::string>& files, const std::string& only,
                  size_t* left = nullptr) {
    std::vector<std::string> labels;
    for (const auto& file : files) {
        try {
            for (auto& label : exchange::signalLabels(file, only)) {
                const std::string why = left ? exchange::whyNotRendered(label) : "";
                if (!why.empty()) {
                    std::fprintf(stderr, "quorvel-cli: %s; left out\n", why.c_str());
                    ++*left;
                    continue;
                }
                labels.push_back(std::move(label));
            }
        } catch (const CaptureFormatError& e) {
            std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
            return false;
        }
    }
    files = std::move(labels);
    return true;
}

struct LoadOptions {
    std::string file;
    bool json = false;
    Carrier carrier;
};

bool parseCarrier(const std::string& text, Carrier& c) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    std::string hi = text.substr(0, comma), lo = text.substr(comma + 1);
    if (!isNumeric(hi) || !isNumeric(lo)) return false;
    auto h = wholeOf(hi), l = wholeOf(lo);
    // A carrier has a high and a low part: zero ticks of either is none.
    if (h < 1 || h > 255 || l < 1 || l > 255) return false;
    c.highTicks = static_cast<uint8_t>(h);
    c.lowTicks = static_cast<uint8_t>(l);
    return true;
}

void printTable(const Session& s, bool json) {
    if (json) {
        std::printf("\"table\": [");
        for (int r = 1; r <= kDataRows; ++r) {
            std::vector<std::string> row;
            for (int c = 1; c <= kDataCols; ++c)
                row.push_back(s.TTable.cell(r, c));
            std::printf("%s%s", r > 1 ? ", " : "", jsonArray(row).c_str());
        }
        std::printf("]");
        return;
    }
    std::printf("row |");
    for (int c = 1; c <= kDataCols; ++c)
        std::printf(" %8d", c);
    std::printf("\n");
    for (int r = 1; r <= kDataRows; ++r) {
        bool any = false;
        for (int c = 1; c <= kDataCols; ++c)
            any = any || !s.TTable.cell(r, c).empty();
        if (!any) continue;
        std::printf("%3d |", r);
        for (int c = 1; c <= kDataCols; ++c)
            std::printf(" %8s", s.TTable.cell(r, c).c_str());
        std::printf("\n");
    }
}

int cmdLoad(const std::vector<std::string>& args) {
    LoadOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            o.json = true;
        else if (args[i] == "--carrier" && i + 1 < args.size()) {
            if (!parseCarrier(args[++i], o.carrier)) {
                std::fprintf(stderr, "quorvel-cli: --carrier takes HIGH,LOW in ticks (1..255)\n");
                return 2;
            }
        } else if (!args[i].empty() && args[i][0] == '-')
            return usage();
        else if (o.file.empty())
            o.file = args[i];
        else
            return usage();
    }
    if (o.file.empty()) return usage();

    CaptureFile read;
    if (!readInput(o.file, o.carrier, read)) return 1;
    const std::vector<uint8_t>& message = read.message;
    Session s;
    MemoryPort port;
    s.env.port = &port;
    port.open(1);
    resetCapture(s); // the carrier labels read " " until a capture sets them
    port.receive(message);
    const bool loaded = loadCapture(s);
    if (o.json) {
        std::printf("{\"bytes\": %zu, \"carrier_high\": %s, \"carrier_period\": %s, "
                    "\"carrier_frequency\": %s, ",
                    message.size(), jsonString(s.code.Lblcarr_h).c_str(),
                    jsonString(s.code.Lblcarr_wid).c_str(), jsonString(s.code.Lblcarr_f).c_str());
        printTable(s, true);
        std::printf("}\n");
        return 0;
    }
    std::printf("bytes received: %s\n", s.wave.readout.c_str());
    if (!loaded) {
        std::printf("fewer than 10 bytes: the capture is dropped\n");
        return 0;
    }
    std::printf("carrier high: %s us\ncarrier period: %s us\ncarrier frequency: %s kHz\n",
                s.code.Lblcarr_h.c_str(), s.code.Lblcarr_wid.c_str(), s.code.Lblcarr_f.c_str());
    printTable(s, false);
    return 0;
}

// What one capture left on the main window and beside it.
// Read straight from the session (valid until its next capture), but for
// the format, which the capture may change.
struct CaptureResult {
    std::string format;
    std::string_view file, bin, hex, tolerance, cycleTolerance;
    std::span<const std::string> errors, cycles, messages;
    int beeps = 0;
    bool demodulated = false;
    bool lastFrameLeftOut = false; // demodulated: a frame the capture's end cut off
};

const char* modeName(bool demodulated) {
    return demodulated ? "demodulated" : "receiver unit";
}

constexpr const char* kLeftOutNote =
    "the last frame is cut off by the end of the capture; it is left out";

// Lines of a code box, without the line breaks.
std::vector<std::string> boxLines(const std::string& text, const std::string& lineBreak) {
    std::vector<std::string> out;
    size_t p = 0;
    while (p < text.size()) {
        size_t e = text.find(lineBreak, p);
        if (e == std::string::npos) e = text.size();
        out.push_back(text.substr(p, e - p));
        p = e + lineBreak.size();
    }
    return out;
}

// Calls line(text) for each line of a code box, without the line breaks.
template <class Line>
void forEachBoxLine(std::string_view text, std::string_view lineBreak, Line line) {
    size_t p = 0;
    while (p < text.size()) {
        size_t e = text.find(lineBreak, p);
        if (e == std::string_view::npos) e = text.size();
        line(text.substr(p, e - p));
        p = e + lineBreak.size();
    }
}

// One capture's entry of the JSON report; the first opens the list.
void printJson(const CaptureResult& r, bool first) {
    std::FILE* out = stdout;
    auto key = [out](const char* text) { std::fputs(text, out); };
    key(first ? "{\"file\": " : ", {\"file\": ");
    writeJsonString(out, r.file);
    key(", \"format\": ");
    writeJsonString(out, r.format);
    key(", \"bin\": ");
    writeJsonString(out, r.bin);
    key(", \"hex\": ");
    writeJsonString(out, r.hex);
    key(", \"errors\": ");
    writeJsonArray(out, r.errors);
    key(", \"cycles\": ");
    writeJsonArray(out, r.cycles);
    key(", \"tolerance\": ");
    writeJsonString(out, r.tolerance);
    key(", \"cycle_tolerance\": ");
    writeJsonString(out, r.cycleTolerance);
    key(", \"messages\": ");
    writeJsonArray(out, r.messages);
    std::fprintf(out, ", \"beeps\": %d, \"mode\": \"%s\"", r.beeps, modeName(r.demodulated));
    // Only where it happened, so that every other report reads as before.
    if (r.lastFrameLeftOut) {
        key(", \"note\": ");
        writeJsonString(out, kLeftOutNote);
    }
    key("}");
}

// One capture's block of the report; blocks after the first start with an
// empty line.
void printReport(const CaptureResult& r, bool first, const std::string& lineBreak) {
    // Gathered in one buffer that keeps its room, then one write: no
    // formatting pass per line.
    static std::string block;
    block.clear();
    auto put = [](std::string_view text) { block.append(text); };
    if (!first) put("\n");
    put(r.file);
    put("\n  format: ");
    put(r.format);
    put("\n");
    auto line = [&](std::string_view l) {
        put("    ");
        put(l);
        put("\n");
    };
    auto title = [&](std::string_view title, bool none) {
        put("  ");
        put(title);
        put(none ? ": (none)\n" : ":\n");
    };
    auto box = [&](std::string_view name, std::string_view text) {
        // A box of line breaks only has no lines.
        bool any = false;
        forEachBoxLine(text, lineBreak, [&](std::string_view) { any = true; });
        title(name, !any);
        forEachBoxLine(text, lineBreak, line);
    };
    auto section = [&](std::string_view name, std::span<const std::string> lines) {
        title(name, lines.empty());
        for (const auto& l : lines)
            line(l);
    };
    box("binary", r.bin);
    box("hexadecimal", r.hex);
    section("errors", r.errors);
    section("cycles", r.cycles);
    put("  tolerance: ");
    put(r.tolerance);
    put(", cycle tolerance: ");
    put(r.cycleTolerance);
    put(" us\n");
    for (const auto& m : r.messages) {
        put("  message: ");
        put(m);
        put("\n");
    }
    if (r.beeps) {
        put("  beeps: ");
        put(std::to_string(r.beeps));
        put("\n");
    }
    if (r.demodulated) put("  mode: demodulated capture\n");
    if (r.lastFrameLeftOut) {
        put("  note: ");
        put(kLeftOutNote);
        put("\n");
    }
    std::fwrite(block.data(), 1, block.size(), stdout);
}

// With stats set, the statistics of the presses instead of each decode.
int cmdDecode(const std::vector<std::string>& args, bool stats = false) {
    std::string formatKey, cataloguePath, missing, badValue, signal;
    bool json = false;
    DemodOptions demod;
    std::vector<std::string> files;
    // Settings the user makes after choosing the format, in the order given.
    std::vector<std::function<void(Session&)>> settings;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                missing = a;
                return nullptr;
            }
            return &args[++i];
        };
        if (demodOption(a, args, i, demod, badValue)) {
            if (!badValue.empty()) return usageError(badValue);
        } else if (a == "--format") {
            const std::string* v = value();
            if (!v) break;
            formatKey = *v;
        } else if (a == "--catalogue") {
            const std::string* v = value();
            if (!v) break;
            cataloguePath = *v;
        } else if (a == "--signal") {
            const std::string* v = value();
            if (!v) break;
            signal = *v;
        } else if (a == "--tolerance") {
            const std::string* v = value();
            if (!v) break;
            if (*v != "3" && *v != "5" && *v != "8")
                return usageError("--tolerance takes 3, 5 or 8");
            const int percent = std::stoi(*v);
            settings.push_back([percent](Session& s) { toleranceMenu(s, percent); });
        } else if (a == "--time-tolerance") {
            const std::string* v = value();
            if (!v) break;
            if (!numberIn(*v, 0, 100, true))
                return usageError("--time-tolerance takes a percentage from 0 to 100, not \"" + *v +
                                  "\"");
            settings.push_back([text = *v](Session& s) { toleranceBoxEnter(s, text); });
        } else if (a == "--cycle-tolerance") {
            const std::string* v = value();
            if (!v) break;
            if (!numberIn(*v, 0, kLongestCycleTolerance, false))
                return usageError("--cycle-tolerance takes microseconds from 0 to " +
                                  std::to_string(kLongestCycleTolerance) + ", not \"" + *v + "\"");
            settings.push_back([text = *v](Session& s) { cycleToleranceBoxEnter(s, text); });
        } else if (a == "--ignore-time") {
            settings.push_back([](Session& s) { setIgnoreTime(s, true); });
        } else if (a == "--oct") {
            settings.push_back([](Session& s) { s.decoding.octal = true; });
        } else if (a == "--auto") {
            settings.push_back([](Session& s) { s.format.automatic = true; });
        } else if (a == "--compare") {
            settings.push_back([](Session& s) { s.sample.on = true; });
        } else if (a == "--json") {
            json = true;
        } else if (!a.empty() && a[0] == '-') {
            return usageError("unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (!missing.empty()) return usageError(missing + " needs a value");
    const std::string command = stats ? "stats" : "decode";
    if (formatKey.empty()) return usageError(command + " needs --format KEY");
    if (files.empty()) return usageError(command + " needs at least one capture FILE");
    const FormatMenuEntry* entry = findFormatEntry(formatKey);
    if (!entry) return usageError("no format menu entry for \"" + formatKey + "\"");
    if (!entry->available) return usageError("format \"" + formatKey + "\" cannot be chosen");

    const AppFiles appFiles = locateAppFiles();
    if (cataloguePath.empty()) cataloguePath = defaultCatalogue(appFiles);
    try {
        openCatalogue(cataloguePath);
    } catch (const DatabaseError& e) {
        std::fprintf(stderr, "quorvel-cli: the catalogue cannot be read: %s\n", e.what());
        return 1;
    }

    // Every capture is read before any is decoded: a bad file stops the run
    // before it writes to the error record.
    size_t leftOut = 0;
    if (!expandInputs(files, signal, &leftOut)) return 1;
    if (files.empty()) return 1;
    std::vector<std::vector<uint8_t>> messages;
    for (const auto& file : files) {
        CaptureFile read;
        if (!readInput(file, {}, read)) return 1;
        messages.push_back(std::move(read.message));
    }

    Session s;
    MemoryPort port;
    MemoryCodeGrid grid;
    s.env.port = &port;
    s.env.codeGrid = &grid;
    s.format.cataloguePath = cataloguePath;
    s.env.errorRecord.setPath(appFiles.errorRecord);
    s.out.drawsWaveform = false;
    s.out.logsPresses = stats;
    startUp(s);
    setIrtype(s, entry->caption);
    // Each file is read in its own mode; the user's settings follow the
    // mode's again whenever it changes.
    auto enterMode = [&](bool on) {
        setDemodulated(s, on);
        demod.apply(s.decoding.demod);
        for (const auto& apply : settings)
            apply(s);
    };
    enterMode(demod.on(files.front()));
    // A refused setting (a tolerance that is no number) says so, as the window does.
    for (const auto& m : s.out.messages)
        std::fprintf(stderr, "quorvel-cli: %s\n", m.c_str());

    // Each capture's report goes out as soon as it is decoded; one result
    // is filled again and again, its texts keeping their room.
    CaptureResult r;
    // Every press a stats run decodes: the session's log keeps the window's last ones only.
    std::vector<engine::PressRecord> presses;
    bool anyDemodulated = false, anyReceiverUnit = false;
    if (!stats && json) std::fputs("{\"captures\": [", stdout);
    for (size_t i = 0; i < files.size(); ++i) {
        if (const bool on = demod.on(files[i]); on != s.decoding.demod.on) enterMode(on);
        (s.decoding.demod.on ? anyDemodulated : anyReceiverUnit) = true;
        r.file = files[i];
        r.format = s.format.name;
        const size_t shown = s.out.messages.size();
        const int beeps = s.out.beeps;
        port.receive(messages[i]);
        s.setIdleTimer(false); // the receive event
        const bool decoded = captureTick(s);
        showProgress(i + 1, files.size());
        if (stats) {
            for (auto& p : s.pressLog)
                presses.push_back(std::move(p.record));
            s.pressLog.clear();
            continue;
        }
        r.bin = s.last.binaryShown();
        r.hex = s.last.decode.shown;
        r.errors = s.last.errorLines;
        r.cycles = decoded ? std::span<const std::string>(s.last.decode.cycles)
                           : std::span<const std::string>();
        const std::string tolerance = toleranceText(s.decoding.timeTolerance);
        const std::string cycleTolerance = cycleToleranceText(s.decoding.cycleTolerance);
        r.tolerance = tolerance;
        r.cycleTolerance = cycleTolerance;
        r.messages = std::span(s.out.messages).subspan(std::min(shown, s.out.messages.size()));
        r.beeps = s.out.beeps - beeps;
        r.demodulated = s.decoding.demod.on;
        r.lastFrameLeftOut = s.decoding.demod.on && s.last.decode.lastFrameLeftOut;
        if (json)
            printJson(r, i == 0);
        else
            printReport(r, i == 0, s.decoding.lineBreak);
        // Reported: the list the window would show need not grow for a
        // thousand captures.
        s.code.lGCyc.clear();
    }
    if (stats)
        return std::max(
            printStatistics(presses,
                            anyDemodulated && anyReceiverUnit ? "both" : modeName(anyDemodulated),
                            json),
            leftOut ? 1 : 0);
    if (json) std::fputs("]}\n", stdout);
    return leftOut ? 1 : 0;
}

// Loads a capture file through the receiver's road into s, kept whole.
bool loadFile(Session& s, const std::string& file, Carrier carrier, CaptureFile& read) {
    if (!readInput(file, carrier, read)) return false;
    if (!loadCapture(s, captureOf(read, {CaptureSource::Kind::File, file, {}}))) {
        std::fprintf(stderr, "quorvel-cli: %s: fewer than 10 bytes, not a capture\n", file.c_str());
        return false;
    }
    return true;
}

int cmdConvert(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    Carrier carrier;
    double frameGap = engine::kDefaultFrameGap;
    bool force = false, identify = false;
    std::string signal;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--force") {
            force = true;
        } else if (args[i] == "--signal" && i + 1 < args.size()) {
            signal = args[++i];
        } else if (args[i] == "--parsed") {
            identify = true;
        } else if (args[i] == "--carrier" && i + 1 < args.size()) {
            if (!parseCarrier(args[++i], carrier))
                return usageError("--carrier takes HIGH,LOW in ticks (1..255)");
        } else if (args[i] == "--frame-gap" && i + 1 < args.size()) {
            if (!numberIn(args[++i], 1, 1e8, false))
                return usageError("--frame-gap takes a time in microseconds");
            frameGap = leadingNumber(args[i]);
        } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
            return usageError("unknown option " + args[i]);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return usageError("convert needs IN and OUT");
    std::error_code ec;
    if (files[0] == files[1] || std::filesystem::equivalent(files[0], files[1], ec))
        return usageError("convert would write over its input " + files[0] + ": name another OUT");
    if (isSignalConvert(files[0], files[1]))
        return convertSignals(files[0], files[1], signal, carrier, frameGap, force, identify);
    Session s;
    CaptureFile read;
    if (!loadFile(s, files[0], carrier, read)) return 1;
    if (!read.changes.empty() && !force) {
        std::fprintf(stderr,
                     "quorvel-cli: %s not written: it would not hold what %s holds "
                     "(--force writes it anyway)\n",
                     files[1].c_str(), files[0].c_str());
        return 1;
    }

    std::string out;
    // The capture whole; a receiver message is the one the record holds.
    const Capture& c = s.last.capture;
    const std::vector<int64_t>& times = c.times;
    switch (captureKindForPath(files[1])) {
    case CaptureFileKind::ReceiverMessage:
        out.assign(c.message.begin(), c.message.end());
        break;
    case CaptureFileKind::SignedRaw:
        out = writeSignedRaw(times);
        break;
    case CaptureFileKind::Mode2:
        out = writeMode2(times);
        break;
    case CaptureFileKind::Pronto:
        out = writePronto(times, c.carrierPeriod, frameGap);
        break;
    case CaptureFileKind::TimeList:
        out = writeTimeList(times);
        break;
    }
    if (const std::string why = writeFileWhole(files[1], out); !why.empty()) {
        std::fprintf(stderr, "quorvel-cli: %s: cannot be written: %s\n", files[1].c_str(),
                     why.c_str());
        return 1;
    }
    return 0;
}

int cmdScan(const std::vector<std::string>& args) {
    std::string file, cataloguePath, badValue, signal;
    bool json = false, all = false;
    DemodOptions demod;
    ScanOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (demodOption(a, args, i, demod, badValue)) {
            if (!badValue.empty()) return usageError(badValue);
        } else if (a == "--json")
            json = true;
        else if (a == "--learn")
            options.learn = true;
        else if (a == "--all")
            all = true;
        else if (a == "--tolerance" && i + 1 < args.size()) {
            const std::string& t = args[++i];
            if (t != "3" && t != "5" && t != "8") return usageError("--tolerance takes 3, 5 or 8");
            options.tolerancePercent = static_cast<int>(wholeOf(t));
        } else if (a == "--catalogue" && i + 1 < args.size())
            cataloguePath = args[++i];
        else if (a == "--signal" && i + 1 < args.size())
            signal = args[++i];
        else if (!a.empty() && a[0] == '-')
            return usageError("unknown option " + a);
        else if (file.empty())
            file = a;
        else
            return usageError("scan takes one capture FILE");
    }
    if (file.empty()) return usageError("scan needs a capture FILE");
    // A remote file: each of its signals scanned in turn, as if named alone.
    std::vector<std::string> labels{file};
    if (!expandInputs(labels, signal)) return 1;
    if (labels.size() > 1 || labels.front() != file) {
        int status = 0;
        for (const auto& label : labels) {
            std::vector<std::string> one;
            for (size_t i = 0; i < args.size(); ++i) {
                if (args[i] == "--signal")
                    ++i;
                else
                    one.push_back(args[i] == file ? label : args[i]);
            }
            status = std::max(status, cmdScan(one));
        }
        return status;
    }
    // An explicit --tolerance overrides the demodulated mode's percentage.
    const bool tolerance = std::find(args.begin(), args.end(), "--tolerance") != args.end();
    const bool demodulated = demod.on(file);
    options.settings.push_back([tolerance, percent = options.tolerancePercent, demod,
                                demodulated](engine::DecodeSettings& d) {
        if (demodulated) {
            applyDemodSettings(d, DemodSettings{});
            if (tolerance) {
                const engine::DecodeSettings menu = toleranceMenuSettings(percent);
                d.window.tolerance = menu.window.tolerance;
                d.cycleTolerance = menu.cycleTolerance;
            }
        }
        demod.apply(d);
    });
    if (cataloguePath.empty()) cataloguePath = defaultCatalogue(locateAppFiles());
    CaptureFile read;
    if (!readInput(file, {}, read)) return 1;
    std::vector<ScanResult> results;
    try {
        results = scanFormats(read.message, cataloguePath, options);
    } catch (const DatabaseError& e) {
        std::fprintf(stderr, "quorvel-cli: the catalogue cannot be read: %s\n", e.what());
        return 1;
    }
    const std::string lineBreak = "\r\n";
    if (json) {
        std::FILE* out = stdout;
        std::fputs("{\"file\": ", out);
        writeJsonString(out, file);
        std::fprintf(out, ", \"mode\": \"%s\", \"results\": [", modeName(demodulated));
        for (size_t i = 0; i < results.size(); ++i) {
            const ScanResult& r = results[i];
            std::fprintf(out, "%s\n  {\"rank\": %zu, \"format\": ", i ? "," : "", i + 1);
            writeJsonString(out, r.key);
            std::fputs(", \"caption\": ", out);
            writeJsonString(out, withoutAccessKeys(r.caption));
            std::fprintf(out,
                         ", \"clean\": %s, \"groups\": %d, \"bits\": %d, \"cells\": %d, \"bin\": ",
                         r.clean ? "true" : "false", r.groups, r.bits, r.cells);
            writeJsonArray(out, boxLines(r.bin, lineBreak));
            std::fputs(", \"hex\": ", out);
            writeJsonArray(out, boxLines(r.hex, lineBreak));
            std::fprintf(out, ", \"placeholder\": %s, \"learned\": %s, \"first_error\": ",
                         r.standIn ? "true" : "false", r.learned ? "true" : "false");
            writeJsonArray(out, r.firstErrors);
            std::fputs(", \"messages\": ", out);
            writeJsonArray(out, r.messages);
            std::fputc('}', out);
        }
        std::printf("\n], \"protocols\": ");
        writeProtocolDecodes(read, demodulated, true);
        std::printf("}\n");
        return 0;
    }
    size_t clean = 0, learned = 0;
    for (const auto& r : results)
        (r.learned ? learned : clean) += r.clean;
    std::printf("%s: %zu of %zu formats decode it cleanly", file.c_str(), clean, results.size());
    if (learned > 0) std::printf("; %zu generic rows learn it", learned);
    std::printf(demodulated ? " (read as a demodulated capture)\n" : "\n");
    std::printf("%4s  %-40s %-7s %6s %5s  %s\n", "rank", "format", "fit", "groups", "bits",
                "code or first error");
    const size_t shown =
        all ? results.size()
            : std::min<size_t>(results.size(), std::max<size_t>(clean + learned, 10));
    for (size_t i = 0; i < shown; ++i) {
        const ScanResult& r = results[i];
        const auto hex = boxLines(r.hex, lineBreak);
        std::string detail = r.clean && !hex.empty()  ? hex.front()
                             : !r.firstErrors.empty() ? r.firstErrors.front()
                             : !r.messages.empty()    ? r.messages.front()
                                                      : "";
        std::printf("%4zu  %-40s %-7s %6d %5d  %s\n", i + 1, withoutAccessKeys(r.caption).c_str(),
                    fitLabel(r), r.groups, r.bits, detail.c_str());
    }
    if (shown < results.size())
        std::printf("(%zu more; --all lists them)\n", results.size() - shown);
    if (clean > 0) std::printf("clean*: a placeholder row that fits, not a format of its own\n");
    if (learned > 0)
        std::printf("learned: a generic row that took its times from the capture; it matches no "
                    "format\n");
    writeProtocolDecodes(read, demodulated, false);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string cmd = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (cmd == "load") return cmdLoad(args);
    if (cmd == "decode") return cmdDecode(args);
    if (cmd == "convert") return cmdConvert(args);
    if (cmd == "scan") return cmdScan(args);
    if (cmd == "generate") return cmdGenerate(args);
    if (cmd == "stats") return cmdDecode(args, true);
    if (cmd == "analyse") return cmdAnalyse(args);
    if (cmd == "protocols") return cmdProtocols(args);
    if (cmd == "identify") return cmdIdentify(args);
    if (cmd == "listen") return cmdListen(args);
    if (cmd == "send") return cmdSend(args);
    if (cmd == "irp") return cmdIrpRow(args);
    return usage();
}
