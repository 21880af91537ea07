// quorvel-cli analyse: what an unknown remote sends, from one or more
// presses (time lists, Pronto codes, the signals of files of named signals).
#include "analysis/analysis.h"
#include "app/analysed_protocol.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "exchange/signal_set.h"
#include "platform/basic.h"
#include "tools/cli_commands.h"
#include "tools/json_out.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv {

namespace {

int analyseError(const std::string& what) {
    std::fprintf(stderr, "quorvel-cli: %s\n", what.c_str());
    return 2;
}

std::string fileText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool readPresses(const std::string& path, std::vector<analysis::Press>& out,
                 std::vector<std::string>& skipped) {
    // A file of named signals (a Flipper remote, a lircd.conf, ...): each
    // signal with times is a press; those named by a protocol only are left out.
    try {
        if (auto set = exchange::readSignalFile(path)) {
            for (const auto& signal : set->entries) {
                analysis::Press p;
                p.times = exchange::captureTimesOf(signal);
                if (p.times.empty() || signal.parsed) {
                    skipped.push_back(path + ": " + signal.name + " (" + signal.kind + ")");
                    continue;
                }
                p.carrierHz = signal.carrierHz.value_or(0);
                p.name = path + ":" + signal.name;
                out.push_back(std::move(p));
            }
            return true;
        }
    } catch (const CaptureFormatError& e) {
        std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
        return false;
    }
    try {
        // Every time read, not only what the capture record holds.
        CaptureFile file = readCapture(path);
        analysis::Press p;
        p.times = std::move(file.times);
        p.name = path;
        if (captureKindForPath(path) == CaptureFileKind::Pronto ||
            looksLikePronto(fileText(path))) {
            const ProntoCode code = parsePronto(fileText(path));
            if (code.carrierPeriodUs > 0) p.carrierHz = 1e6 / code.carrierPeriodUs;
        }
        if (p.times.empty()) {
            std::fprintf(stderr,
                         "quorvel-cli: %s: analyse reads time lists, not receiver messages\n",
                         path.c_str());
            return false;
        }
        out.push_back(std::move(p));
    } catch (const CaptureFormatError& e) {
        std::fprintf(stderr, "quorvel-cli: %s\n", e.what());
        return false;
    }
    return true;
}

std::string hex(uint64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(v));
    return buf;
}

const char* repeatName(const analysis::Result& r) {
    switch (r.repeatKind) {
    case analysis::Result::WholeFrame:
        return "whole frame";
    case analysis::Result::Ditto:
        return "ditto";
    case analysis::Result::NoRepeat:
        break;
    }
    return "none";
}

void printText(const analysis::Result& r) {
    std::printf("coding: %s, unit %.0f us, %d bits, %s first", analysis::codingName(r.coding),
                r.unit, r.bits(), r.msb ? "msb" : "lsb");
    if (r.carrierHz > 0) std::printf(", carrier %.1f kHz", r.carrierHz / 1000);
    if (r.excess > 0) std::printf(", burst excess %.0f us taken off", r.excess);
    if (r.excess < 0) std::printf(", bursts %.0f us short, made up", -r.excess);
    std::printf("\nframes: %zu sent once, repeat: %s", r.intro.size(), repeatName(r));
    if (r.repeat.size() > 1) std::printf(", %zu frames in turn", r.repeat.size());
    if (!r.ending.empty()) std::printf(", then %zu ending frame", r.ending.size());
    std::printf("\n");
    std::printf("fields:\n");
    for (const auto& f : r.fields) {
        std::printf("  %-4s bits %d-%d  %-8s", f.name.c_str(), f.first, f.first + f.length - 1,
                    analysis::roleName(f.role));
        if (f.role == analysis::Field::Check) {
            std::printf(" %s\n", analysis::checkText(r, f).c_str());
            continue;
        }
        std::string values;
        for (size_t k = 0; k < f.values.size() && k < 16; ++k)
            values += " " + hex(f.values[k]);
        if (f.values.size() > 16) values += " ...";
        std::printf("%s\n", values.c_str());
    }
    std::printf("checks:");
    bool any = false;
    for (const auto& f : r.fields)
        if (f.role == analysis::Field::Check) {
            std::printf(" %s;", analysis::checkText(r, f).c_str());
            any = true;
        }
    std::printf("%s\nIRP: %s\n", any ? "" : " (none)", r.irp.c_str());
    size_t back = 0;
    for (const auto& p : r.presses) {
        std::string params;
        for (const auto& [name, value] : p.params)
            params += " " + name + "=" + std::to_string(value);
        std::printf("%s:%s, %d repeats, renders back: %s (worst %.0f us)\n", p.name.c_str(),
                    params.c_str(), p.repeats, p.rendersBack ? "yes" : "no", p.worstError);
        back += p.rendersBack;
    }
    std::printf("%zu of %zu presses render back\n", back, r.presses.size());
    for (const auto& n : r.notes)
        std::printf("note: %s\n", n.c_str());
    for (const auto& other : r.others) {
        std::printf("\nanother structure, %zu presses:\n", other.presses.size());
        printText(other);
    }
}

void printJsonObject(const analysis::Result& r) {
    std::printf(
        "{\"analysis\":{\"irp\":%s,\"coding\":\"%s\",\"unit\":%.0f,\"bits\":%d,\"frame_bits\":%d,"
        "\"msb\":%s,\"carrier\":%.0f,\"excess\":%.0f,\"repeat\":\"%s\",\"repeat_frames\":%zu,"
        "\"ending_frames\":%zu,\"checks\":[",
        jsonString(r.irp).c_str(), analysis::codingName(r.coding), r.unit, r.bits(), r.frameBits(),
        r.msb ? "true" : "false", r.carrierHz, r.excess, repeatName(r), r.repeat.size(),
        r.ending.size());
    bool first = true;
    for (const auto& f : r.fields)
        if (f.role == analysis::Field::Check) {
            std::printf("%s%s", first ? "" : ",", jsonString(analysis::checkText(r, f)).c_str());
            first = false;
        }
    std::printf("],\"fields\":[");
    for (size_t k = 0; k < r.fields.size(); ++k) {
        const auto& f = r.fields[k];
        std::printf("%s{\"name\":%s,\"role\":\"%s\",\"first\":%d,\"length\":%d}", k ? "," : "",
                    jsonString(f.name).c_str(), analysis::roleName(f.role), f.first, f.length);
    }
    std::printf("],\"notes\":%s},\"captures\":[", jsonArray(r.notes).c_str());
    for (size_t k = 0; k < r.presses.size(); ++k) {
        const auto& p = r.presses[k];
        const auto colon = p.name.rfind(':');
        const bool signal = colon != std::string::npos && colon + 1 < p.name.size() &&
                            std::filesystem::exists(p.name.substr(0, colon));
        std::printf("%s{\"file\":%s,\"signal\":%s,\"params\":{", k ? "," : "",
                    jsonString(signal ? p.name.substr(0, colon) : p.name).c_str(),
                    signal ? jsonString(p.name.substr(colon + 1)).c_str() : "null");
        for (size_t i = 0; i < p.params.size(); ++i)
            std::printf("%s%s:%llu", i ? "," : "", jsonString(p.params[i].first).c_str(),
                        static_cast<unsigned long long>(p.params[i].second));
        std::printf("},\"bits\":%s,\"repeats\":%d,\"renders_back\":%s}", jsonString(p.bits).c_str(),
                    p.repeats, p.rendersBack ? "true" : "false");
    }
    std::printf("]");
    if (!r.others.empty()) {
        std::printf(",\"others\":[");
        for (size_t k = 0; k < r.others.size(); ++k) {
            if (k) std::printf(",");
            printJsonObject(r.others[k]);
        }
        std::printf("]");
    }
    std::printf("}");
}

void printJson(const analysis::Result& r) {
    printJsonObject(r);
    std::printf("\n");
}

} // namespace

int cmdAnalyse(const std::vector<std::string>& args) {
    bool json = false;
    std::string save, protocolsOut, cataloguePath;
    analysis::Options options;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() { return i + 1 < args.size() ? args[++i] : std::string(); };
        if (a == "--json") {
            json = true;
        } else if (a == "--save") {
            save = value();
            if (save.empty()) return analyseError("--save takes a user slot, Form155 to Form160");
        } else if (a == "--protocols-out") {
            protocolsOut = value();
            if (protocolsOut.empty()) return analyseError("--protocols-out takes a file");
        } else if (a == "--catalogue") {
            cataloguePath = value();
        } else if (a == "--demodulated") {
            // The burst excess is estimated from every press in any case.
        } else if (a == "--receiver-unit") {
            options.excess = 0; // the unit measures the bursts themselves
        } else if (a == "--excess") {
            const std::string v = value();
            if (v == "auto")
                options.excess.reset();
            else if (isNumeric(v) && leadingNumber(v) >= 0 && leadingNumber(v) <= 1000)
                options.excess = leadingNumber(v);
            else
                return analyseError("--excess takes auto or a time in microseconds");
        } else if (a == "--absolute-tolerance") {
            value();
        } else if (a.rfind("--", 0) == 0) {
            return analyseError("unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) return analyseError("analyse needs a capture file");
    std::vector<analysis::Press> presses;
    std::vector<std::string> skipped;
    for (const auto& f : files)
        if (!readPresses(f, presses, skipped)) return 1;
    for (const auto& s : skipped)
        std::fprintf(stderr, "quorvel-cli: %s is not a raw signal; left out\n", s.c_str());
    if (presses.empty()) return analyseError("no raw signal to analyse");

    const analysis::Result r = analysis::analyse(presses, options);
    if (json)
        printJson(r);
    else
        printText(r);
    int status = 0;
    if (!protocolsOut.empty()) {
        const std::string name = analysedProtocolName(files.front());
        if (!appendProtocol(protocolsOut, name, r.irp)) {
            std::fprintf(stderr, "quorvel-cli: %s: cannot be written\n", protocolsOut.c_str());
            status = 1;
        } else if (!json) {
            std::printf("protocol %s added to %s\n", name.c_str(), protocolsOut.c_str());
        }
    }
    if (!save.empty())
        status = std::max(status, saveAnalysedRow(r, save, files.front(), json, cataloguePath));
    return status;
}

} // namespace qv
