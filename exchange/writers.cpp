#include "exchange/writers.h"

#include "exchange/parsed_render.h"
#include "exchange/read_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace qv::exchange {

namespace {

constexpr double kDefaultCarrier = 38000;
constexpr int64_t kClosingGap = 100000; // after a last burst, where a form needs a gap
constexpr size_t kFlipperMostTimes = 1024;

std::string join(const std::vector<int64_t>& times, const char* between) {
    std::string out;
    for (size_t i = 0; i < times.size(); ++i) {
        if (i) out += between;
        out += std::to_string(times[i]);
    }
    return out;
}

// The once part and the repeat part as one list, said where the form has
// no place for a repeat part.
std::vector<int64_t> flattened(const NamedSignal& s, const char* form, Written& w) {
    if (!s.repeat.empty())
        w.notHeld.push_back("\"" + s.name + "\": " + form +
                            " holds no repeat part: it is written once after the once part");
    return captureTimesOf(s);
}

double carrierOf(const NamedSignal& s, const char* form, Written& w) {
    if (s.carrierHz) return *s.carrierHz;
    w.notHeld.push_back("\"" + s.name + "\": no carrier is known; " + form + " is written with " +
                        std::to_string(static_cast<int>(kDefaultCarrier)) + " Hz");
    return kDefaultCarrier;
}

void carrierLost(const NamedSignal& s, const char* form, Written& w) {
    if (s.carrierHz)
        w.notHeld.push_back("\"" + s.name + "\": " + form + " holds no carrier: " +
                            std::to_string(std::lround(*s.carrierHz)) + " Hz is not written");
}

std::string xmlEscaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // XML holds no control characters but tab and line breaks.
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' ? '_' : c;
        }
    }
    return out;
}

std::string jsonEscaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out;
}

// A name as a word of a line-based form: blanks and control characters
// become '_' (and are said).
std::string wordName(const std::string& name, const char* form, Written& w, bool blanks = false) {
    std::string out = name.empty() ? "unnamed" : name;
    bool changed = name.empty();
    for (char& c : out)
        if (static_cast<unsigned char>(c) < ' ' || (!blanks && (c == ' ' || c == '#'))) {
            c = '_';
            changed = true;
        }
    if (changed)
        w.notHeld.push_back("\"" + name + "\": " + form + " names are " +
                            (blanks ? "one line" : "single words") + ": written as \"" + out +
                            "\"");
    return out;
}

std::string base64(const std::vector<uint8_t>& bytes) {
    static const char* k = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned v = (bytes[i] << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                           (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        out += k[(v >> 18) & 63];
        out += k[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? k[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? k[v & 63] : '=';
    }
    return out;
}

std::optional<irp::Decode> identified(const NamedSignal& s, const irp::ProtocolTable* table) {
    if (!table) return std::nullopt;
    std::vector<int64_t> times = captureTimesOf(s);
    if (times.size() % 2) times.push_back(kClosingGap);
    const auto found = irp::decode(*table, times);
    if (found.empty()) return std::nullopt;
    return found.front();
}

// The Flipper parsed signal the times are: among the decodes (of the table,
// then of the protocols only Flipper names), the first Flipper names, one
// of the signal's carrier first (Pioneer and NEC differ only there).
std::optional<ParsedCode> flipperCode(const NamedSignal& s, const irp::ProtocolTable* table) {
    if (!table) return std::nullopt;
    std::vector<int64_t> times = captureTimesOf(s);
    if (times.size() % 2) times.push_back(kClosingGap);
    for (const irp::ProtocolTable* t : {table, &flipperExtras()}) {
        std::optional<ParsedCode> first;
        for (const irp::Decode& d : irp::decode(*t, times)) {
            const auto code = flipperCodeOf(d);
            if (!code) continue;
            const irp::NamedProtocol* p = t->find(d.protocol);
            if (!s.carrierHz || (p && std::abs(p->irp.carrierHz() - *s.carrierHz) < 500))
                return code;
            if (!first) first = code;
        }
        if (first) return first;
    }
    return std::nullopt;
}

std::string flipperBytes(int64_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", static_cast<unsigned>(v & 0xFF),
                  static_cast<unsigned>(v >> 8 & 0xFF), static_cast<unsigned>(v >> 16 & 0xFF),
                  static_cast<unsigned>(v >> 24 & 0xFF));
    return text;
}

std::string irdbCsv(const std::vector<NamedSignal>& signals, const irp::ProtocolTable* table,
                    Written& w) {
    std::string out = "functionname,protocol,device,subdevice,function\n";
    if (!table)
        w.notHeld.push_back(
            "IRDB CSV holds decoded signals only, and no protocol table is at hand");
    for (const auto& s : signals) {
        const auto d = identified(s, table);
        if (!d) {
            if (table)
                w.notHeld.push_back("\"" + s.name +
                                    "\": decodes as no protocol: IRDB CSV cannot hold it");
            continue;
        }
        std::string name = s.name;
        for (char& c : name)
            if (c == ',' || c == '\n' || c == '\r') c = '_';
        const auto sub = d->params.get("S");
        out += name + "," + d->protocol + "," + std::to_string(d->params.get("D").value_or(0)) +
               "," + std::to_string(sub.value_or(-1)) + "," +
               std::to_string(d->params.get("F").value_or(0)) + "\n";
        for (const auto& [n, v] : d->params.values())
            if (n != "D" && n != "S" && n != "F" && n != "T" && !d->defaulted.has(n))
                w.notHeld.push_back("\"" + s.name + "\": parameter " + n + "=" + std::to_string(v) +
                                    " has no column in IRDB CSV");
    }
    return out;
}

std::string flipper(const std::vector<NamedSignal>& signals, const irp::ProtocolTable* table,
                    Written& w) {
    std::string out = "Filetype: IR signals file\nVersion: 1\n";
    for (const auto& s : signals) {
        if (const auto code = flipperCode(s, table)) {
            out += "# \nname: " + wordName(s.name, "Flipper .ir", w, true) +
                   "\ntype: parsed\nprotocol: " + code->protocol +
                   "\naddress: " + flipperBytes(code->parameters[0].second) +
                   "\ncommand: " + flipperBytes(code->parameters[1].second) + "\n";
            continue;
        }
        const std::vector<int64_t> times = flattened(s, "Flipper .ir", w);
        if (times.size() > kFlipperMostTimes)
            w.notHeld.push_back("\"" + s.name + "\": " + std::to_string(times.size()) +
                                " times, more than the 1024 a Flipper signal holds");
        const double hz = carrierOf(s, "Flipper .ir", w);
        out += "# \nname: " + wordName(s.name, "Flipper .ir", w, true) +
               "\ntype: raw\nfrequency: " + std::to_string(std::lround(hz)) +
               "\nduty_cycle: 0.330000\ndata: " + join(times, " ") + "\n";
    }
    return out;
}

std::string broadlink(const std::vector<NamedSignal>& signals, Written& w) {
    std::string out = "{\n";
    for (size_t k = 0; k < signals.size(); ++k) {
        const NamedSignal& s = signals[k];
        carrierLost(s, "Broadlink", w);
        const bool repeatsWhole = !s.repeat.empty() && s.repeat == s.times;
        const std::vector<int64_t> times = repeatsWhole ? s.times : flattened(s, "Broadlink", w);
        std::vector<uint8_t> body;
        for (int64_t us : times) {
            long units = std::lround(static_cast<double>(us) * 269.0 / 8192.0);
            if (units > 0xFFFF) {
                w.notHeld.push_back(
                    "\"" + s.name + "\": a time of " + std::to_string(us) +
                    " us is longer than Broadlink's longest (about 2 s): cut to it");
                units = 0xFFFF;
            }
            units = std::max(units, 1L);
            if (units > 255) {
                body.insert(body.end(), {0, static_cast<uint8_t>(units >> 8),
                                         static_cast<uint8_t>(units & 255)});
            } else {
                body.push_back(static_cast<uint8_t>(units));
            }
        }
        body.insert(body.end(), {0x0D, 0x05});
        std::vector<uint8_t> code;
        code.reserve(body.size() + 20);
        code.push_back(0x26);
        code.push_back(repeatsWhole ? 1 : 0);
        code.push_back(static_cast<uint8_t>(body.size() & 255));
        code.push_back(static_cast<uint8_t>(body.size() >> 8));
        for (uint8_t b : body)
            code.push_back(b);
        code.resize((code.size() + 15) / 16 * 16, 0);
        out += "  \"" + jsonEscaped(s.name) + "\": \"" + base64(code) + "\"" +
               (k + 1 < signals.size() ? ",\n" : "\n");
    }
    return out + "}\n";
}

std::string sendir(const std::vector<NamedSignal>& signals, Written& w) {
    std::string out;
    for (size_t k = 0; k < signals.size(); ++k) {
        const NamedSignal& s = signals[k];
        const double hz = std::clamp(carrierOf(s, "sendir", w), 15000.0, 500000.0);
        std::vector<int64_t> all = s.times;
        if (all.size() % 2 && !s.repeat.empty()) all.push_back(kClosingGap);
        const size_t offset = s.repeat.empty() ? 1 : all.size() + 1;
        all.insert(all.end(), s.repeat.begin(), s.repeat.end());
        if (all.size() % 2) all.push_back(kClosingGap);
        std::string counts;
        for (int64_t us : all)
            counts +=
                "," + std::to_string(std::max(1L, std::lround(static_cast<double>(us) * hz / 1e6)));
        out += "# " + wordName(s.name, "sendir", w) + "\nsendir,1:1," + std::to_string(k + 1) +
               "," + std::to_string(std::lround(hz)) + ",1," + std::to_string(offset) + counts +
               "\n";
    }
    return out;
}

std::string rawData(const std::vector<NamedSignal>& signals, Written& w) {
    std::string out;
    for (const auto& s : signals) {
        carrierLost(s, "a rawData[] snippet", w);
        std::vector<int64_t> times = flattened(s, "a rawData[] snippet", w);
        if (times.size() % 2 == 0 && !times.empty()) times.pop_back(); // the dumps end on a burst
        std::string name = s.name;
        for (char& c : name)
            if (c == '\n' || c == '\r') c = ' ';
        out += "uint16_t rawData[" + std::to_string(times.size()) + "] = {" + join(times, ", ") +
               "};  // " + name + "\n";
        for (int64_t us : times)
            if (us > 65535) {
                w.notHeld.push_back("\"" + s.name + "\": a time of " + std::to_string(us) +
                                    " us does not fit uint16_t");
                break;
            }
    }
    return out;
}

// Tasmota's compact raw: 5 µs steps, a value seen before as its letter.
std::string tasmota(const std::vector<NamedSignal>& signals, Written& w) {
    std::string out;
    for (const auto& s : signals) {
        carrierLost(s, "Tasmota compact raw", w);
        w.notHeld.push_back("\"" + s.name + "\": Tasmota compact raw holds no name");
        std::vector<int64_t> times = flattened(s, "Tasmota compact raw", w);
        if (times.size() % 2 == 0 && !times.empty()) times.pop_back(); // IRsend ends on a burst
        std::vector<int64_t> seen;
        std::string line = "IRsend ";
        for (size_t i = 0; i < times.size(); ++i) {
            const bool burst = i % 2 == 0;
            const int64_t v = std::max<int64_t>(5, (times[i] + 2) / 5 * 5);
            const size_t n =
                static_cast<size_t>(std::find(seen.begin(), seen.end(), v) - seen.begin());
            if (n < seen.size() && n < 26) {
                line += static_cast<char>((burst ? 'A' : 'a') + n);
                continue;
            }
            if (n == seen.size()) seen.push_back(v);
            line += (burst ? "+" : "-") + std::to_string(v);
        }
        out += line + "\n";
    }
    return out;
}

// With a protocol table, a signal that decodes holds its parameters too;
// the raw times stay what the command is (master="raw").
std::string girr(const std::vector<NamedSignal>& signals, const irp::ProtocolTable* table) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<remotes xmlns=\"http://www.harctoolbox.org/Girr\" girrVersion=\"1.0\">\n"
                      "  <remote name=\"remote\">\n    <commandSet name=\"commands\">\n";
    auto part = [](const char* tag, const std::vector<int64_t>& times) {
        std::string t;
        for (size_t i = 0; i < times.size(); ++i)
            t += (i ? " " : "") + std::string(i % 2 ? "-" : "+") + std::to_string(times[i]);
        return "<" + std::string(tag) + ">" + t + "</" + tag + ">";
    };
    for (const auto& s : signals) {
        out += "      <command name=\"" + xmlEscaped(s.name) + "\" master=\"raw\">\n        <raw";
        if (s.carrierHz) out += " frequency=\"" + std::to_string(std::lround(*s.carrierHz)) + "\"";
        out += ">" + part("intro", s.times) + (s.repeat.empty() ? "" : part("repeat", s.repeat)) +
               "</raw>\n";
        if (const auto d = identified(s, table)) {
            out += "        <parameters protocol=\"" + xmlEscaped(d->protocol) + "\">";
            for (const auto& [n, v] : d->params.values())
                if (!d->defaulted.has(n))
                    out += "<parameter name=\"" + xmlEscaped(n) + "\" value=\"" +
                           std::to_string(v) + "\"/>";
            out += "</parameters>\n";
        }
        out += "      </command>\n";
    }
    return out + "    </commandSet>\n  </remote>\n</remotes>\n";
}

std::string lircd(const std::vector<NamedSignal>& signals, Written& w) {
    int64_t gap = 0;
    std::optional<double> carrier;
    for (const auto& s : signals) {
        const std::vector<int64_t> t = captureTimesOf(s);
        if (t.size() % 2 == 0 && !t.empty()) gap = std::max(gap, t.back());
        if (s.carrierHz && !carrier) carrier = s.carrierHz;
        if (s.carrierHz && carrier && std::lround(*s.carrierHz) != std::lround(*carrier))
            w.notHeld.push_back("\"" + s.name +
                                "\": a lircd.conf remote has one carrier: written with " +
                                std::to_string(std::lround(*carrier)) + " Hz, not " +
                                std::to_string(std::lround(*s.carrierHz)));
    }
    std::string out = "begin remote\n  name  remote\n  flags RAW_CODES\n  eps            30\n  "
                      "aeps          100\n";
    if (carrier) out += "  frequency    " + std::to_string(std::lround(*carrier)) + "\n";
    out += "  gap          " + std::to_string(gap > 0 ? gap : kClosingGap) +
           "\n      begin raw_codes\n";
    for (const auto& s : signals) {
        std::vector<int64_t> times = flattened(s, "lircd.conf", w);
        if (times.size() % 2 == 0 && !times.empty()) {
            if (times.back() != gap)
                w.notHeld.push_back("\"" + s.name + "\": its last gap of " +
                                    std::to_string(times.back()) + " us is the remote's gap of " +
                                    std::to_string(gap) + " us");
            times.pop_back();
        }
        out += "\n          name " + wordName(s.name, "lircd.conf", w) + "\n";
        for (size_t i = 0; i < times.size(); i += 6) {
            out += "         ";
            for (size_t k = i; k < std::min(times.size(), i + 6); ++k)
                out += " " + std::to_string(times[k]);
            out += "\n";
        }
    }
    return out + "\n      end raw_codes\nend remote\n";
}

} // namespace

std::optional<Form> writtenFormForPath(const std::string& path) {
    const std::string name = lowered(std::filesystem::path(path).filename().string());
    if (name.ends_with("lircd.conf") || name.ends_with(".conf") || name.ends_with(".lircd"))
        return Form::Lircd;
    const size_t dot = name.rfind('.');
    const std::string e = dot == std::string::npos ? "" : name.substr(dot);
    if (e == ".ir") return Form::FlipperIr;
    if (e == ".broadlink" || e == ".b64") return Form::Broadlink;
    if (e == ".sendir") return Form::Sendir;
    if (e == ".h" || e == ".ino") return Form::DumpArray;
    if (e == ".girr" || e == ".xml") return Form::Girr;
    if (e == ".csv") return Form::IrdbCsv;
    if (e == ".tasmota") return Form::Tasmota;
    return std::nullopt;
}

Written writeSignals(Form form, const std::vector<NamedSignal>& signals,
                     const irp::ProtocolTable* identify) {
    Written w;
    switch (form) {
    case Form::FlipperIr:
        w.text = flipper(signals, identify, w);
        break;
    case Form::IrdbCsv:
        w.text = irdbCsv(signals, identify, w);
        break;
    case Form::Broadlink:
        w.text = broadlink(signals, w);
        break;
    case Form::Sendir:
        w.text = sendir(signals, w);
        break;
    case Form::DumpArray:
        w.text = rawData(signals, w);
        break;
    case Form::Girr:
        w.text = girr(signals, identify);
        break;
    case Form::Tasmota:
        w.text = tasmota(signals, w);
        break;
    case Form::Lircd:
        w.text = lircd(signals, w);
        break;
    default:
        w.notHeld.push_back(std::string(formName(form)) + " is read, not written");
    }
    return w;
}

} // namespace qv::exchange
