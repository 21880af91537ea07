#include "exchange/signal_set.h"

#include "capture/capture_formats.h"
#include "capture/capture_reader.h"
#include "exchange/read_support.h"
#include "exchange/readers.h"

#include <algorithm>
#include <filesystem>

namespace qv::exchange {

const char* formName(Form form) {
    switch (form) {
    case Form::FlipperIr:
        return "Flipper .ir";
    case Form::Broadlink:
        return "Broadlink";
    case Form::Sendir:
        return "sendir";
    case Form::DumpArray:
        return "rawData[] dump";
    case Form::Lircd:
        return "lircd.conf";
    case Form::Girr:
        return "Girr";
    case Form::Tasmota:
        return "Tasmota";
    case Form::EspHome:
        return "ESPHome log";
    case Form::IrdbCsv:
        return "IRDB CSV";
    }
    return "";
}

namespace {

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

std::string ending(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (lowered(name).ends_with("lircd.conf")) return ".conf";
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : lowered(name.substr(dot));
}

bool broadlinkCode(std::string_view text) {
    for (size_t p = text.find("Jg"); p != std::string_view::npos; p = text.find("Jg", p + 2)) {
        const bool startsWord = p == 0 || std::string_view(" \t\r\n\"':=,[{").find(text[p - 1]) !=
                                              std::string_view::npos;
        if (startsWord && text.size() - p > 8 && text.substr(p + 2, 1) == "B") return true;
    }
    const std::string_view t = trimmed(text);
    return t.size() >= 16 && (startsWith(t, "2600") || startsWith(t, "0x2600")) &&
           t.find_first_not_of("0123456789abcdefABCDEFx") == std::string_view::npos &&
           t.find_first_of("abcdefABCDEF") != std::string_view::npos;
}

bool csvRows(std::string_view text) {
    const Lines lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        if (line.empty()) continue;
        if (lowered(line).rfind("functionname,protocol", 0) == 0) return true;
        // A row: a name and a protocol, then three numbers.
        const size_t c1 = line.find(',');
        const size_t c2 = c1 == std::string_view::npos ? c1 : line.find(',', c1 + 1);
        if (c2 == std::string_view::npos) return false;
        return !decimal(trimmed(line.substr(0, c1))) &&
               !decimal(trimmed(line.substr(c1 + 1, c2 - c1 - 1))) &&
               std::count(line.begin(), line.end(), ',') == 4;
    }
    return false;
}

} // namespace

std::optional<Form> formOf(const std::string& path, const std::string& text) {
    if (captureKindForPath(path) == CaptureFileKind::ReceiverMessage) return std::nullopt;
    const std::string_view head = trimmed(std::string_view(text).substr(0, 64));
    if (startsWith(head, "Filetype: IR")) return Form::FlipperIr;
    if (contains(text, "begin remote")) return Form::Lircd;
    if (startsWith(head, "<") && (contains(text, "harctoolbox.org/Girr") ||
                                  contains(text, "<remotes") || contains(text, "<command")))
        return Form::Girr;
    if (contains(text, "Received Raw:") || contains(text, "Received Pronto:") ||
        contains(text, "[remote."))
        return Form::EspHome;
    if (contains(text, "IrReceived") || contains(text, "IRsend") || contains(text, "\"RawData\""))
        return Form::Tasmota;
    if (contains(text, "rawData[") || contains(text, "rawTicks[")) return Form::DumpArray;
    if (contains(text, "sendir,")) return Form::Sendir;
    if (broadlinkCode(text)) return Form::Broadlink;
    if (csvRows(text)) return Form::IrdbCsv;
    if (head.size() > 3 && head[0] == '+' &&
        head.find_first_of(" \t\r\n,") == std::string_view::npos &&
        head.find_first_of("-") != std::string_view::npos)
        return Form::Tasmota;
    // A capture text keeps its kind whatever the ending (a time list saved as .csv).
    try {
        if (looksLikePronto(text)) return std::nullopt;
        parseTimeList(text);
        return std::nullopt;
    } catch (const CaptureFormatError&) {
    }
    // The ending says what the text should be, so its refusal says what is missing.
    const std::string e = ending(path);
    if (e == ".ir") return Form::FlipperIr;
    if (e == ".conf" || e == ".lircd") return Form::Lircd;
    if (e == ".girr" || e == ".xml") return Form::Girr;
    if (e == ".csv") return Form::IrdbCsv;
    if (e == ".sendir" || e == ".gc") return Form::Sendir;
    if (e == ".broadlink" || e == ".b64") return Form::Broadlink;
    if (e == ".ino" || e == ".h") return Form::DumpArray;
    if (e == ".tasmota") return Form::Tasmota;
    return std::nullopt;
}

namespace {

// A time of 0 parts nothing: the times on either side of it are one (a
// list that opens with no burst starts with the idle time, which goes too).
// Kept, it would be written as "-0", which no reader takes back.
void dropZeroTimes(std::vector<int64_t>& times) {
    if (std::find(times.begin(), times.end(), 0) == times.end()) return;
    std::vector<int64_t> out;
    for (size_t i = 0; i < times.size(); ++i) {
        if (times[i] != 0)
            out.push_back(times[i]);
        else if (out.empty())
            ++i;
        else if (i + 1 < times.size())
            out.back() += times[++i];
    }
    times = std::move(out);
}

} // namespace

SignalSet readSignalText(const std::string& path, const std::string& text) {
    const auto form = formOf(path, text);
    if (!form)
        throw refusal(path, 0, "expected a file of named signals (Flipper, lircd.conf, Girr, ...)");
    SignalSet set;
    set.form = *form;
    switch (*form) {
    case Form::FlipperIr:
        set.entries = readFlipper(path, text);
        break;
    case Form::Broadlink:
        set.entries = readBroadlink(path, text);
        break;
    case Form::Sendir:
        set.entries = readSendir(path, text);
        break;
    case Form::DumpArray:
        set.entries = readDumpArrays(path, text);
        break;
    case Form::Lircd:
        set.entries = readLircd(path, text);
        break;
    case Form::Girr:
        set.entries = readGirr(path, text);
        break;
    case Form::Tasmota:
        set.entries = readTasmota(path, text);
        break;
    case Form::EspHome:
        set.entries = readEspHome(path, text);
        break;
    case Form::IrdbCsv:
        set.entries = readIrdbCsv(path, text);
        break;
    }
    // A name is shown, typed after '#' and passed as a C string: a control
    // byte in it (a NUL above all) would cut or garble every message naming it.
    for (auto& s : set.entries) {
        for (char& c : s.name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
        dropZeroTimes(s.times);
        dropZeroTimes(s.repeat);
        // Times of one kind in a row are added up, past what each may be.
        for (const auto* part : {&s.times, &s.repeat})
            for (const int64_t t : *part)
                if (t > kLongestTime)
                    throw refusal(path, s.line,
                                  "expected times of at most " + std::to_string(kLongestTime) +
                                      " us, found " + std::to_string(t) +
                                      " us (bursts or gaps in a row added up)");
    }
    return set;
}

std::optional<SignalSet> readSignalFile(const std::string& path) {
    const std::string text = readCaptureBytes(path);
    if (!formOf(path, text)) return std::nullopt;
    return readSignalText(path, text);
}

std::vector<int64_t> captureTimesOf(const NamedSignal& signal) {
    std::vector<int64_t> times = signal.times;
    if (times.size() % 2 == 0)
        times.insert(times.end(), signal.repeat.begin(), signal.repeat.end());
    return times;
}

} // namespace qv::exchange
