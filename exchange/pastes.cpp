// Texts people paste: the dump sketches' arrays, Tasmota's console and
// MQTT lines, ESPHome's log, IRDB CSV rows.
#include "exchange/read_support.h"
#include "exchange/readers.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace qv::exchange {

namespace {

bool isIdent(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

size_t lineAt(std::string_view text, size_t pos) {
    return static_cast<size_t>(
               std::count(text.begin(), text.begin() + static_cast<long>(pos), '\n')) +
           1;
}

// Signed values such as "+ 550,- 550 -3276750" or "4088, -1542": false at
// the first word that is none (the list has ended there).
bool readSignedWords(std::string_view s, std::vector<int64_t>& values, bool signRequired) {
    size_t p = 0;
    bool any = false;
    while (p < s.size()) {
        while (p < s.size() && (s[p] == ' ' || s[p] == ',' || s[p] == '\t'))
            ++p;
        if (p >= s.size()) break;
        int sign = 1;
        bool signed_ = false;
        if (s[p] == '+' || s[p] == '-') {
            sign = s[p] == '-' ? -1 : 1;
            signed_ = true;
            ++p;
            while (p < s.size() && s[p] == ' ')
                ++p;
        }
        size_t e = p;
        while (e < s.size() && std::isdigit(static_cast<unsigned char>(s[e])))
            ++e;
        const auto v = decimal(s.substr(p, e - p), kLongestTime);
        if (!v || (signRequired && !signed_) ||
            (e < s.size() && s[e] != ',' && s[e] != ' ' && s[e] != '\t'))
            return false;
        values.push_back(sign * *v);
        any = true;
        p = e;
    }
    return any;
}

std::string commentAfter(std::string_view text, size_t pos) {
    const size_t end = std::min(text.find('\n', pos), text.size());
    const std::string_view rest = text.substr(pos, end - pos);
    const size_t c = rest.find("//");
    return c == std::string_view::npos ? std::string() : std::string(trimmed(rest.substr(c + 2)));
}

} // namespace

// "uint16_t rawData[71] = {9024, 4512, ...};  // NEC 20DF10EF", rawTicks[]
// in 50 µs ticks, and "rawData[68]:" followed by signed lines, wherever
// they stand in the text.
std::vector<NamedSignal> readDumpArrays(const std::string& path, std::string_view text) {
    std::vector<NamedSignal> out;
    size_t pos = 0;
    while ((pos = text.find('[', pos)) != std::string_view::npos) {
        const size_t open = pos++;
        size_t b = open;
        while (b > 0 && isIdent(text[b - 1]))
            --b;
        const std::string name(text.substr(b, open - b));
        const size_t close = text.find(']', open);
        if (name.empty() || close == std::string_view::npos) continue;
        const std::string_view declared = trimmed(text.substr(open + 1, close - open - 1));
        if (!declared.empty() && !decimal(declared)) continue;
        const size_t lineStart =
            text.rfind('\n', b) == std::string_view::npos ? 0 : text.rfind('\n', b) + 1;
        const std::string_view type = text.substr(lineStart, b - lineStart);
        const bool ticks = name == "rawTicks";
        const bool times = name == "rawData" || ticks ||
                           type.find("uint16_t") != std::string_view::npos ||
                           type.find("unsigned int") != std::string_view::npos;
        if (!times) continue;
        size_t p = close + 1;
        while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
            ++p;
        const size_t lineNo = lineAt(text, open);
        NamedSignal s;
        s.kind = ticks ? "rawTicks" : "rawData";
        s.line = lineNo;
        std::vector<int64_t> values;
        if (p < text.size() && text[p] == ':') {
            // Signed lines up to the first line that is no list; the leading gap first.
            size_t q = text.find('\n', p);
            while (q != std::string_view::npos && q + 1 < text.size()) {
                const size_t e = std::min(text.find('\n', q + 1), text.size());
                std::vector<int64_t> lineValues;
                if (!readSignedWords(trimmed(text.substr(q + 1, e - q - 1)), lineValues, true))
                    break;
                values.insert(values.end(), lineValues.begin(), lineValues.end());
                q = e < text.size() ? e : std::string_view::npos;
            }
            for (int64_t v : values)
                addSigned(s.times, ticks ? 50 * v : v);
            s.name = name == "rawData" || ticks ? std::to_string(out.size() + 1) : name;
        } else {
            const size_t eq = text.find_first_not_of(" \t", p);
            if (eq == std::string_view::npos || text[eq] != '=') continue;
            const size_t brace = text.find_first_not_of(" \t\r\n", eq + 1);
            if (brace == std::string_view::npos || text[brace] != '{')
                throw refusal(path, lineNo, "expected \"{\" to open the values of " + name + "[]");
            const size_t end = text.find('}', brace);
            if (end == std::string_view::npos)
                throw refusal(path, lineNo,
                              "expected \"}\" to close the values of " + name +
                                  "[]: the paste is cut off");
            std::string body(text.substr(brace + 1, end - brace - 1));
            std::replace(body.begin(), body.end(), '\n', ' ');
            std::replace(body.begin(), body.end(), '\r', ' ');
            if (!readSignedWords(body, values, false) && !trimmed(body).empty())
                throw refusal(path, lineNo,
                              "expected whole numbers between the braces of " + name + "[]");
            if (!declared.empty() && static_cast<size_t>(*decimal(declared)) != values.size())
                throw refusal(path, lineNo,
                              "expected " + std::string(declared) + " values as " + name + "[" +
                                  std::string(declared) + "] says, found " +
                                  std::to_string(values.size()));
            for (int64_t v : values) {
                if (v <= 0)
                    throw refusal(path, lineNo, "expected times above zero in " + name + "[]");
                s.times.push_back(ticks ? 50 * v : v);
            }
            const std::string comment = commentAfter(text, end);
            s.name = !comment.empty()             ? comment
                     : name == "rawData" || ticks ? std::to_string(out.size() + 1)
                                                  : name;
            pos = end;
        }
        if (s.times.size() > kMostTimes)
            throw refusal(path, lineNo,
                          "expected at most " + std::to_string(kMostTimes) + " times");
        if (s.times.empty()) throw refusal(path, lineNo, "expected the times of " + name + "[]");
        out.push_back(std::move(s));
    }
    if (out.empty()) throw refusal(path, 0, "expected a rawData[] or rawTicks[] array");
    return out;
}

namespace {

// The value of "Key": in a JSON text: a string's content, a number, or an
// array's content without brackets.
std::optional<std::string_view> jsonValue(std::string_view json, std::string_view key) {
    const std::string quotedKey = "\"" + std::string(key) + "\"";
    size_t p = json.find(quotedKey);
    if (p == std::string_view::npos) return std::nullopt;
    p = json.find_first_not_of(" \t", p + quotedKey.size());
    if (p == std::string_view::npos || json[p] != ':') return std::nullopt;
    p = json.find_first_not_of(" \t", p + 1);
    if (p == std::string_view::npos) return std::nullopt;
    if (json[p] == '"') {
        const size_t e = json.find('"', p + 1);
        if (e == std::string_view::npos) return std::nullopt;
        return json.substr(p + 1, e - p - 1);
    }
    if (json[p] == '[') {
        const size_t e = json.find(']', p);
        if (e == std::string_view::npos) return std::nullopt;
        return json.substr(p + 1, e - p - 1);
    }
    const size_t e = json.find_first_of(",}", p);
    return trimmed(json.substr(p, e == std::string_view::npos ? std::string_view::npos : e - p));
}

// Tasmota's compact raw: +8570-4240+550-1580C-510...; values rounded to 5
// µs, a value seen before written as its letter (upper case a burst).
std::optional<std::vector<int64_t>> compactRaw(std::string_view s) {
    std::vector<int64_t> distinct, times;
    size_t p = 0;
    while (p < s.size()) {
        const char c = s[p];
        if (c == '+' || c == '-') {
            size_t e = p + 1;
            while (e < s.size() && std::isdigit(static_cast<unsigned char>(s[e])))
                ++e;
            const auto v = decimal(s.substr(p + 1, e - p - 1), 10000000);
            if (!v || *v == 0) return std::nullopt;
            if (std::find(distinct.begin(), distinct.end(), *v) == distinct.end())
                distinct.push_back(*v);
            if ((c == '+') != (times.size() % 2 == 0)) return std::nullopt;
            times.push_back(*v);
            p = e;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            const bool burst = std::isupper(static_cast<unsigned char>(c));
            const size_t n = static_cast<size_t>(std::toupper(static_cast<unsigned char>(c)) - 'A');
            if (n >= distinct.size() || burst != (times.size() % 2 == 0)) return std::nullopt;
            times.push_back(distinct[n]);
            ++p;
        } else {
            return std::nullopt;
        }
        if (times.size() > kMostTimes) return std::nullopt;
    }
    if (times.empty()) return std::nullopt;
    return times;
}

bool looksCompact(std::string_view word) {
    return word.size() > 3 && word[0] == '+' && std::isdigit(static_cast<unsigned char>(word[1])) &&
           word.find_first_of("-") != std::string_view::npos &&
           word.find_first_of(" ,\t") == std::string_view::npos;
}

std::optional<ParsedCode> tasmotaParsed(std::string_view json) {
    const auto protocol = jsonValue(json, "Protocol");
    if (!protocol || lowered(*protocol) == "unknown") return std::nullopt;
    ParsedCode code;
    code.scheme = "tasmota";
    code.protocol = std::string(*protocol);
    if (const auto bits = jsonValue(json, "Bits"); bits && integer(*bits))
        code.parameters.emplace_back("bits", *integer(*bits));
    if (const auto data = jsonValue(json, "Data"); data && integer(*data))
        code.parameters.emplace_back("data", *integer(*data));
    return code;
}

} // namespace

std::vector<NamedSignal> readTasmota(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        const size_t lineNo = i + 1;
        if (line.empty()) continue;
        NamedSignal s;
        s.line = lineNo;
        s.name = std::to_string(out.size() + 1);
        const size_t send = line.find("IRsend");
        const size_t json = line.find('{');
        if (const auto raw = json != std::string_view::npos
                                 ? jsonValue(line.substr(json), "RawData")
                                 : std::nullopt) {
            s.kind = "raw";
            std::vector<int64_t> values;
            if (const auto compact = compactRaw(trimmed(*raw))) {
                s.times = *compact;
            } else if (readSignedWords(*raw, values, false)) {
                for (size_t k = 0; k < values.size(); ++k)
                    s.times.push_back(values[k] < 0 ? -values[k] : values[k]);
            } else {
                throw refusal(path, lineNo,
                              "expected RawData as times or compact raw, found " + quoted(*raw));
            }
            if (const auto parsed = tasmotaParsed(line.substr(json))) {
                s.name = parsed->protocol;
                if (const auto data = jsonValue(line.substr(json), "Data"))
                    s.name += " " + std::string(*data);
            }
        } else if (send != std::string_view::npos && json != std::string_view::npos) {
            const auto parsed = tasmotaParsed(line.substr(json));
            if (!parsed) throw refusal(path, lineNo, "expected \"Protocol\" in the IRsend JSON");
            s.kind = "parsed";
            s.parsed = parsed;
            s.name = parsed->protocol;
            if (const auto data = jsonValue(line.substr(json), "Data"))
                s.name += " " + std::string(*data);
        } else if (send != std::string_view::npos) {
            std::string_view rest = trimmed(line.substr(send + 6));
            if (!rest.empty() && rest[0] == '+') {
                const auto compact = compactRaw(rest);
                if (!compact)
                    throw refusal(path, lineNo, "expected compact raw, found " + quoted(rest));
                s.times = *compact;
            } else {
                std::vector<int64_t> values;
                if (!readSignedWords(rest, values, false) || values.size() < 3 || values[0] < 0 ||
                    values[0] > 500)
                    throw refusal(path, lineNo,
                                  "expected \"IRsend kHz,burst,gap,...\", found " + quoted(rest));
                s.carrierHz = 1000.0 * static_cast<double>(values[0] == 0 ? 38 : values[0]);
                for (size_t k = 1; k < values.size(); ++k) {
                    if (values[k] <= 0) throw refusal(path, lineNo, "expected times above zero");
                    s.times.push_back(values[k]);
                }
            }
            s.kind = "raw";
        } else if (looksCompact(line)) {
            const auto compact = compactRaw(line);
            if (!compact)
                throw refusal(path, lineNo,
                              "expected compact raw (+8570-4240+550C...), found " + quoted(line));
            s.kind = "raw";
            s.times = *compact;
        } else {
            continue; // the console's other lines
        }
        if (s.times.size() > kMostTimes)
            throw refusal(path, lineNo,
                          "expected at most " + std::to_string(kMostTimes) + " times");
        out.push_back(std::move(s));
    }
    if (out.empty())
        throw refusal(path, 0, "expected a Tasmota RawData, IRsend or compact raw line");
    return out;
}

// "Received Raw: 4088, -1542, ..." continued on the next log lines;
// "Received Pronto: data=0000 006D ..."; "Received NEC: address=0xFF00, command=0xBA45".
std::vector<NamedSignal> readEspHome(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    enum class Open { None, Raw, Pronto } open = Open::None;
    std::string pronto;
    auto closePronto = [&](size_t lineNo) {
        if (open != Open::Pronto) return;
        open = Open::None;
        try {
            NamedSignal s = prontoSignal(pronto);
            s.name = out.back().name;
            s.line = out.back().line;
            out.back() = std::move(s);
        } catch (const CaptureFormatError& e) {
            throw refusal(path, lineNo, e.what());
        }
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const size_t lineNo = i + 1;
        const size_t at = line.find("Received ");
        std::string_view content = line;
        if (const size_t tag = line.rfind("]:");
            tag != std::string_view::npos && at == std::string_view::npos)
            content = line.substr(tag + 2);
        content = trimmed(content);
        if (at == std::string_view::npos) {
            std::vector<int64_t> values;
            if (open == Open::Raw && readSignedWords(content, values, false)) {
                for (int64_t v : values)
                    addSigned(out.back().times, v);
                continue;
            }
            if (open == Open::Pronto && !content.empty() &&
                content.find_first_not_of("0123456789abcdefABCDEF ") == std::string_view::npos) {
                pronto += " " + std::string(content);
                continue;
            }
            closePronto(lineNo);
            open = Open::None;
            continue;
        }
        closePronto(lineNo);
        open = Open::None;
        const std::string_view rest = line.substr(at + 9);
        const size_t colon = rest.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string protocol(trimmed(rest.substr(0, colon)));
        const std::string_view body = trimmed(rest.substr(colon + 1));
        NamedSignal s;
        s.line = lineNo;
        s.name = std::to_string(out.size() + 1);
        if (protocol == "Raw") {
            s.kind = "raw";
            std::vector<int64_t> values;
            if (!readSignedWords(body, values, false))
                throw refusal(path, lineNo,
                              "expected signed times after \"Received Raw:\", found " +
                                  quoted(body));
            for (int64_t v : values)
                addSigned(s.times, v);
            open = Open::Raw;
        } else if (protocol == "Pronto") {
            const size_t eq = body.find("data=");
            pronto = std::string(eq == std::string_view::npos ? body : body.substr(eq + 5));
            open = Open::Pronto;
        } else {
            ParsedCode code;
            code.scheme = "esphome";
            code.protocol = protocol;
            std::string_view fields = body;
            while (!fields.empty()) {
                const size_t comma = fields.find(',');
                const std::string_view field = trimmed(fields.substr(0, comma));
                const size_t eq = field.find('=');
                if (eq != std::string_view::npos) {
                    const auto v = integer(trimmed(field.substr(eq + 1)));
                    if (!v) throw refusal(path, lineNo, "expected a number in " + quoted(field));
                    code.parameters.emplace_back(std::string(trimmed(field.substr(0, eq))), *v);
                }
                if (comma == std::string_view::npos) break;
                fields.remove_prefix(comma + 1);
            }
            s.kind = "parsed";
            s.name = protocol + " " + std::to_string(out.size() + 1);
            s.parsed = code;
        }
        out.push_back(std::move(s));
    }
    closePronto(lines.size());
    for (const auto& s : out) {
        if (s.times.size() > kMostTimes)
            throw refusal(path, s.line,
                          "expected at most " + std::to_string(kMostTimes) + " times");
        if (!s.parsed && s.times.empty())
            throw refusal(path, s.line, "expected times after \"Received\"");
    }
    if (out.empty())
        throw refusal(path, 0,
                      "expected a \"Received Raw:\", \"Received Pronto:\" or protocol log line");
    return out;
}

// functionname,protocol,device,subdevice,function; the header is optional.
std::vector<NamedSignal> readIrdbCsv(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        const size_t lineNo = i + 1;
        if (line.empty() || lowered(line).rfind("functionname,", 0) == 0) continue;
        std::vector<std::string_view> f;
        std::string_view rest = line;
        while (true) {
            const size_t c = rest.find(',');
            f.push_back(trimmed(rest.substr(0, c)));
            if (c == std::string_view::npos) break;
            rest.remove_prefix(c + 1);
        }
        if (f.size() != 5)
            throw refusal(path, lineNo,
                          "expected functionname,protocol,device,subdevice,function, found " +
                              std::to_string(f.size()) + " fields");
        auto number = [&](std::string_view v, bool none) -> int64_t {
            if (none && v == "-1") return -1;
            const auto n = decimal(v, 0xFFFFFFFF);
            if (!n) throw refusal(path, lineNo, "expected a whole number, found " + quoted(v));
            return *n;
        };
        NamedSignal s;
        s.name = std::string(f[0]);
        s.kind = "parsed";
        s.line = lineNo;
        ParsedCode code;
        code.protocol = std::string(f[1]);
        code.parameters.emplace_back("D", number(f[2], false));
        if (const int64_t sub = number(f[3], true); sub >= 0)
            code.parameters.emplace_back("S", sub);
        code.parameters.emplace_back("F", number(f[4], false));
        s.parsed = code;
        out.push_back(std::move(s));
    }
    if (out.empty())
        throw refusal(path, 0, "expected rows functionname,protocol,device,subdevice,function");
    return out;
}

} // namespace qv::exchange
