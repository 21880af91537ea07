// Girr XML: remotes > remote > commandSet > command, each command with its
// parameters, its raw times (intro, repeat, ending) and/or a Pronto code.
#include "exchange/read_support.h"
#include "exchange/readers.h"

#include <pugixml.hpp>

#include <cstring>

namespace qv::exchange {

namespace {

// A name without its namespace prefix ("girr:command" is "command").
const char* localName(const pugi::xml_node& n) {
    const char* name = n.name();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

pugi::xml_node child(const pugi::xml_node& n, const char* name) {
    for (const auto& c : n.children())
        if (std::strcmp(localName(c), name) == 0) return c;
    return {};
}

size_t lineOf(const std::string_view text, ptrdiff_t offset) {
    size_t line = 1;
    for (ptrdiff_t i = 0; i < offset && static_cast<size_t>(i) < text.size(); ++i)
        line += text[static_cast<size_t>(i)] == '\n';
    return line;
}

void collect(const pugi::xml_node& n, std::vector<pugi::xml_node>& commands) {
    for (const auto& c : n.children()) {
        if (c.type() != pugi::node_element) continue;
        if (std::strcmp(localName(c), "command") == 0)
            commands.push_back(c);
        else
            collect(c, commands);
    }
}

} // namespace

std::vector<NamedSignal> readGirr(const std::string& path, std::string_view text) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
    if (!parsed)
        throw refusal(path, lineOf(text, parsed.offset),
                      std::string("expected well-formed XML: ") + parsed.description());
    std::vector<pugi::xml_node> commands;
    collect(doc, commands);
    std::vector<NamedSignal> out;
    for (const auto& c : commands) {
        const size_t line = lineOf(text, c.offset_debug());
        NamedSignal s;
        s.name = c.attribute("name").value();
        if (s.name.empty()) s.name = std::to_string(out.size() + 1);
        s.line = line;
        const std::string master = c.attribute("master").value();
        const pugi::xml_node raw = child(c, "raw"), ccf = child(c, "ccf"),
                             params = child(c, "parameters");
        const bool useRaw = raw && (master == "raw" || master.empty() || (!ccf && !params) ||
                                    (master == "parameters" && !params));
        if (useRaw) {
            s.kind = "raw";
            const double hz = raw.attribute("frequency").as_double(0);
            if (hz > 0) s.carrierHz = hz;
            auto readPart = [&](const char* part, std::vector<int64_t>& times) {
                const pugi::xml_node n = child(raw, part);
                if (!n) return;
                std::string_view words = n.child_value();
                size_t p = 0;
                while (p < words.size()) {
                    p = words.find_first_not_of(" \t\r\n,", p);
                    if (p == std::string_view::npos) break;
                    const size_t e = std::min(words.find_first_of(" \t\r\n,", p), words.size());
                    std::string_view w = words.substr(p, e - p);
                    const bool gap = w[0] == '-';
                    if (w[0] == '+' || w[0] == '-') w.remove_prefix(1);
                    const auto us = decimal(w, kLongestTime);
                    if (!us || *us == 0)
                        throw refusal(path, lineOf(text, n.offset_debug()),
                                      std::string("expected signed times in <") + part +
                                          ">, found " + quoted(words.substr(p, e - p)));
                    if (times.size() >= kMostTimes)
                        throw refusal(path, line,
                                      "expected at most " + std::to_string(kMostTimes) + " times");
                    addSigned(times, gap ? -*us : *us);
                    p = e;
                }
            };
            readPart("intro", s.times);
            readPart("repeat", s.repeat);
            std::vector<int64_t> ending;
            readPart("ending", ending);
            if (s.times.empty()) std::swap(s.times, s.repeat);
            if (s.times.empty())
                throw refusal(path, line,
                              "command " + quoted(s.name) +
                                  ": expected times in <intro> or <repeat>");
        } else if (ccf && (master == "ccf" || !params)) {
            try {
                NamedSignal p = prontoSignal(ccf.child_value());
                p.name = s.name;
                p.line = line;
                s = std::move(p);
            } catch (const CaptureFormatError& e) {
                throw refusal(path, lineOf(text, ccf.offset_debug()),
                              std::string("<ccf>: ") + e.what());
            }
        } else if (params) {
            s.kind = "parsed";
            ParsedCode code;
            code.protocol = params.attribute("protocol").value();
            for (const auto& p : params.children()) {
                if (std::strcmp(localName(p), "parameter") != 0) continue;
                const std::string value = p.attribute("value").value();
                const auto v = integer(value);
                if (!v)
                    throw refusal(path, lineOf(text, p.offset_debug()),
                                  "expected a whole number as the value of parameter " +
                                      quoted(p.attribute("name").value()) + ", found " +
                                      quoted(value));
                code.parameters.emplace_back(p.attribute("name").value(), *v);
            }
            if (code.protocol.empty())
                throw refusal(path, line,
                              "command " + quoted(s.name) +
                                  ": expected a protocol in <parameters>");
            s.parsed = code;
        } else {
            throw refusal(path, line,
                          "command " + quoted(s.name) + ": expected <parameters>, <raw> or <ccf>");
        }
        out.push_back(std::move(s));
    }
    if (out.empty()) throw refusal(path, 0, "expected Girr <command> elements");
    return out;
}

} // namespace qv::exchange
