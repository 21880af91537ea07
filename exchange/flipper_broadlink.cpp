// Flipper .ir files, Broadlink codes and Global Caché sendir strings.
#include "exchange/read_support.h"
#include "exchange/readers.h"

#include <cctype>
#include <cmath>

namespace qv::exchange {

namespace {

// A Flipper address or command: four bytes, least significant first.
std::optional<int64_t> flipperBytes(std::string_view text) {
    int64_t value = 0;
    int count = 0;
    size_t p = 0;
    while (p < text.size()) {
        while (p < text.size() && text[p] == ' ')
            ++p;
        if (p >= text.size()) break;
        const size_t e = std::min(text.find(' ', p), text.size());
        const auto byte = integer("0x" + std::string(text.substr(p, e - p)), 255);
        if (!byte || e - p != 2 || count == 4) return std::nullopt;
        value |= *byte << (8 * count++);
        p = e;
    }
    if (count != 4) return std::nullopt;
    return value;
}

} // namespace

std::vector<NamedSignal> readFlipper(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    size_t i = 0;
    auto nextLine = [&]() -> std::string_view {
        while (i < lines.size() && trimmed(lines[i]).empty())
            ++i;
        return i < lines.size() ? trimmed(lines[i++]) : std::string_view();
    };
    const std::string_view filetype = nextLine();
    if (filetype != "Filetype: IR signals file" && filetype != "Filetype: IR library file")
        throw refusal(path, i,
                      "expected \"Filetype: IR signals file\" or \"Filetype: IR library "
                      "file\", found " +
                          quoted(filetype));
    const std::string_view version = nextLine();
    if (version != "Version: 1")
        throw refusal(path, i, "expected \"Version: 1\", found " + quoted(version));

    // Keys seen in the signal being read, checked when it ends.
    bool haveType = false, parsed = false, haveFrequency = false, haveProtocol = false;
    std::optional<int64_t> address, command;
    auto finish = [&](size_t line) {
        if (out.empty()) return;
        NamedSignal& s = out.back();
        const std::string at = "signal \"" + s.name + "\": expected ";
        if (!haveType) throw refusal(path, line, at + "a \"type:\" line");
        if (parsed) {
            if (!haveProtocol || !address || !command)
                throw refusal(path, line, at + "\"protocol:\", \"address:\" and \"command:\"");
            s.parsed->parameters = {{"address", *address}, {"command", *command}};
        } else {
            if (!haveFrequency || s.times.empty())
                throw refusal(path, line, at + "\"frequency:\" and \"data:\"");
        }
    };
    for (; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        const size_t lineNo = i + 1;
        if (line.empty() || line[0] == '#') continue;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            throw refusal(path, lineNo, "expected \"key: value\", found " + quoted(line));
        const std::string_view key = line.substr(0, colon), value = trimmed(line.substr(colon + 1));
        if (key == "name") {
            finish(lineNo);
            NamedSignal s;
            s.name = std::string(value);
            s.line = lineNo;
            out.push_back(std::move(s));
            haveType = parsed = haveFrequency = haveProtocol = false;
            address.reset();
            command.reset();
            continue;
        }
        if (out.empty())
            throw refusal(path, lineNo,
                          "expected \"name:\" to start a signal, found " + quoted(line));
        NamedSignal& s = out.back();
        if (key == "type") {
            if (value != "raw" && value != "parsed")
                throw refusal(path, lineNo, "expected type raw or parsed, found " + quoted(value));
            haveType = true;
            parsed = value == "parsed";
            s.kind = std::string(value);
            if (parsed) s.parsed = ParsedCode{"flipper", {}, {}};
        } else if (key == "frequency" && haveType && !parsed) {
            const auto hz = decimal(value, 1000000);
            if (!hz || *hz < 10000)
                throw refusal(path, lineNo,
                              "expected a carrier frequency in Hz, found " + quoted(value));
            s.carrierHz = static_cast<double>(*hz);
            haveFrequency = true;
        } else if (key == "duty_cycle" && haveType && !parsed) {
            // What share of the carrier period is on: the capture keeps its own.
        } else if (key == "data" && haveType && !parsed) {
            size_t p = 0;
            while (p < value.size()) {
                while (p < value.size() && value[p] == ' ')
                    ++p;
                if (p >= value.size()) break;
                const size_t e = std::min(value.find(' ', p), value.size());
                const auto us = decimal(value.substr(p, e - p), 10000000);
                if (!us || *us == 0)
                    throw refusal(path, lineNo,
                                  "expected times in microseconds, found " +
                                      quoted(value.substr(p, e - p)));
                if (s.times.size() >= kMostTimes)
                    throw refusal(path, lineNo,
                                  "expected at most " + std::to_string(kMostTimes) + " times");
                s.times.push_back(*us);
                p = e;
            }
        } else if (key == "protocol" && parsed) {
            s.parsed->protocol = std::string(value);
            haveProtocol = !value.empty();
        } else if ((key == "address" || key == "command") && parsed) {
            const auto v = flipperBytes(value);
            if (!v)
                throw refusal(path, lineNo,
                              "expected four hexadecimal bytes (\"07 00 00 00\"), found " +
                                  quoted(value));
            (key == "address" ? address : command) = v;
        } else {
            throw refusal(path, lineNo,
                          "expected " +
                              std::string(!haveType ? "\"type: raw\" or \"type: parsed\""
                                          : parsed  ? "protocol, address or command"
                                                    : "frequency, duty_cycle or data") +
                              ", found " + quoted(line));
        }
    }
    finish(lines.size());
    if (out.empty()) throw refusal(path, lines.size(), "expected at least one signal (\"name:\")");
    return out;
}

NamedSignal broadlinkSignal(const std::vector<uint8_t>& b) {
    if (b.size() < 4) throw CaptureFormatError("expected a Broadlink code of at least 4 bytes");
    if (b[0] != 0x26) {
        char found[8];
        std::snprintf(found, sizeof found, "0x%02X", b[0]);
        throw CaptureFormatError(
            std::string("expected an infrared code (first byte 0x26), found ") + found +
            (b[0] == 0xB2 || b[0] == 0xD7 ? " (a radio code)" : ""));
    }
    const size_t length = b[2] | (size_t{b[3]} << 8);
    if (4 + length > b.size())
        throw CaptureFormatError("expected " + std::to_string(length) +
                                 " bytes of durations as the code says, found " +
                                 std::to_string(b.size() - 4) + ": the code is cut off");
    size_t end = 4 + length;
    if (length >= 2 && b[end - 2] == 0x0D && b[end - 1] == 0x05) end -= 2;
    NamedSignal s;
    s.kind = "raw";
    for (size_t i = 4; i < end; ++i) {
        size_t units = b[i];
        if (units == 0) {
            if (i + 2 >= end)
                throw CaptureFormatError("expected two bytes of a long duration after 0x00");
            units = (size_t{b[i + 1]} << 8) | b[i + 2];
            i += 2;
        }
        if (units == 0) throw CaptureFormatError("expected durations above zero");
        if (s.times.size() >= kMostTimes)
            throw CaptureFormatError("expected at most " + std::to_string(kMostTimes) + " times");
        s.times.push_back(std::llround(static_cast<double>(units) * 8192.0 / 269.0));
    }
    if (s.times.empty()) throw CaptureFormatError("expected at least one duration");
    if (b[1] > 0) s.repeat = s.times;
    return s;
}

namespace {

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+' || c == '-') return 62;
    if (c == '/' || c == '_') return 63;
    return -1;
}

std::optional<std::vector<uint8_t>> fromBase64(std::string_view s) {
    std::vector<uint8_t> out;
    unsigned acc = 0;
    int bits = 0;
    for (char c : s) {
        if (c == '=') break;
        const int v = base64Value(c);
        if (v < 0) return std::nullopt;
        acc = (acc << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<uint8_t>(acc >> bits));
        }
    }
    return out;
}

std::optional<std::vector<uint8_t>> fromHex(std::string_view s) {
    if (s.size() % 2) return std::nullopt;
    std::vector<uint8_t> out;
    for (size_t i = 0; i < s.size(); i += 2) {
        const auto v = integer("0x" + std::string(s.substr(i, 2)), 255);
        if (!v) return std::nullopt;
        out.push_back(static_cast<uint8_t>(*v));
    }
    return out;
}

bool codeChar(char c) {
    return base64Value(c) >= 0 || c == '=';
}

} // namespace

// A Broadlink code stands anywhere on a line ("name": "JgB...", a bare
// line, a YAML value); what stands before it on the line names it.
std::vector<NamedSignal> readBroadlink(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        size_t p = 0;
        while (p < line.size()) {
            while (p < line.size() && !codeChar(line[p]))
                ++p;
            size_t e = p;
            while (e < line.size() && codeChar(line[e]))
                ++e;
            const std::string_view word = line.substr(p, e - p);
            // Radio codes (0xB2, 0xD7) are found too, to be refused by name.
            const bool base64 =
                (startsWith(word, "Jg") || startsWith(word, "sg") || startsWith(word, "1w")) &&
                word.size() >= 8;
            const std::string_view digits = startsWith(word, "0x") ? word.substr(2) : word;
            const std::string head = lowered(digits.substr(0, 2));
            const bool hex =
                (head == "26" || head == "b2" || head == "d7") && digits.size() >= 16 &&
                digits.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
            if (base64 || hex) {
                const auto bytes = hex ? fromHex(startsWith(word, "0x") ? word.substr(2) : word)
                                       : fromBase64(word);
                if (!bytes)
                    throw refusal(path, i + 1, "expected a Broadlink code, found " + quoted(word));
                try {
                    out.push_back(broadlinkSignal(*bytes));
                } catch (const CaptureFormatError& e) {
                    throw refusal(path, i + 1, e.what());
                }
                std::string name(line.substr(0, p));
                while (!name.empty() &&
                       std::string_view(" \t\":=,{[-'").find(name.back()) != std::string_view::npos)
                    name.pop_back();
                const size_t from = name.find_last_of(" \t\"'{,[");
                if (from != std::string::npos) name = name.substr(from + 1);
                out.back().name = name.empty() ? std::to_string(out.size()) : name;
                out.back().line = i + 1;
            }
            p = e;
        }
    }
    if (out.empty())
        throw refusal(path, 0, "expected a Broadlink code (base64 \"JgB...\" or hex \"2600...\")");
    return out;
}

// sendir,<module>:<connector>,<id>,<frequency>,<repeat>,<offset>,<on1>,<off1>,...
std::vector<NamedSignal> readSendir(const std::string& path, std::string_view text) {
    const Lines lines(text);
    std::vector<NamedSignal> out;
    std::string comment; // a "# name" line names the sendir line after it
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        const size_t at = line.find("sendir,");
        if (at == std::string_view::npos) {
            if (!line.empty() && line[0] != '#')
                throw refusal(path, i + 1, "expected a \"sendir,\" line, found " + quoted(line));
            comment = line.empty() ? "" : std::string(trimmed(line.substr(1)));
            continue;
        }
        std::vector<std::string_view> fields;
        std::string_view rest = line.substr(at + 7);
        while (!rest.empty()) {
            const size_t c = rest.find(',');
            fields.push_back(trimmed(rest.substr(0, c)));
            if (c == std::string_view::npos) break;
            rest.remove_prefix(c + 1);
        }
        const size_t lineNo = i + 1;
        if (fields.size() < 7)
            throw refusal(path, lineNo,
                          "expected module:connector, id, frequency, repeat, offset "
                          "and on/off counts");
        const auto hz = decimal(fields[2], 500000);
        if (!hz || *hz < 15000)
            throw refusal(path, lineNo,
                          "expected a frequency of 15000 to 500000 Hz, found " + quoted(fields[2]));
        const auto repeatCount = decimal(fields[3], 50);
        if (!repeatCount)
            throw refusal(path, lineNo,
                          "expected a repeat count of 1 to 50, found " + quoted(fields[3]));
        const auto offset = decimal(fields[4], 100000);
        const size_t counts = fields.size() - 5;
        if (counts % 2)
            throw refusal(path, lineNo,
                          "expected on/off counts in pairs, found " + std::to_string(counts) +
                              " counts");
        if (!offset || *offset < 1 || *offset % 2 == 0 || static_cast<size_t>(*offset) > counts)
            throw refusal(path, lineNo,
                          "expected an odd offset within the counts, found " + quoted(fields[4]));
        if (counts > kMostTimes)
            throw refusal(path, lineNo,
                          "expected at most " + std::to_string(kMostTimes) + " counts");
        NamedSignal s;
        s.kind = "sendir";
        s.carrierHz = static_cast<double>(*hz);
        s.line = lineNo;
        const std::string before(trimmed(line.substr(0, at)));
        s.name = !before.empty()    ? before
                 : !comment.empty() ? comment
                                    : std::to_string(out.size() + 1);
        comment.clear();
        while (!s.name.empty() && (s.name.back() == ':' || s.name.back() == '='))
            s.name.pop_back();
        std::vector<int64_t> all;
        for (size_t k = 5; k < fields.size(); ++k) {
            const auto n = decimal(fields[k], 65535);
            if (!n || *n == 0)
                throw refusal(path, lineNo,
                              "expected a count of carrier periods, found " + quoted(fields[k]));
            all.push_back(std::llround(static_cast<double>(*n) * 1e6 / static_cast<double>(*hz)));
        }
        const size_t from = static_cast<size_t>(*offset) - 1;
        if (from > 0) {
            s.times.assign(all.begin(), all.begin() + static_cast<long>(from));
            s.repeat.assign(all.begin() + static_cast<long>(from), all.end());
        } else {
            s.times = all;
            if (*repeatCount > 1) s.repeat = all;
        }
        out.push_back(std::move(s));
    }
    if (out.empty()) throw refusal(path, 0, "expected a \"sendir,\" line");
    return out;
}

} // namespace qv::exchange
