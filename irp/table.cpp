// Protocol tables: the shipped tab-separated file, users' files of the same
// form and the public database's XML. Each protocol is compiled for
// decoding as it is added.
#include "irp/decoder.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace qv::irp {

namespace {

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return std::string(s.substr(b, e - b));
}

std::vector<std::string> split(std::string_view s, char sep) {
    std::vector<std::string> out;
    size_t b = 0;
    for (;;) {
        size_t e = s.find(sep, b);
        out.push_back(std::string(s.substr(b, e == std::string_view::npos ? s.npos : e - b)));
        if (e == std::string_view::npos) return out;
        b = e + 1;
    }
}

std::optional<double> number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    // The C locale's point, whatever the program's locale.
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    double v = strtod_l(s.c_str(), &end, c);
    if (end == s.c_str() || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool truth(const std::string& s) {
    return lower(trim(s)) == "true";
}

// A database parameter by its name onto the protocol; unknown ones are
// left alone (documentation, frequencies kept for information).
void setParameter(NamedProtocol& p, const std::string& key, const std::string& rawValue) {
    std::string value = trim(rawValue);
    if (value.empty()) return;
    if (key == "decode-only")
        p.decodeOnly = truth(value);
    else if (key == "reject-repeatless")
        p.rejectRepeatless = truth(value);
    else if (key == "decodable")
        p.decodable = truth(value);
    else if (key == "relative-tolerance")
        p.relativeTolerance = number(value);
    else if (key == "absolute-tolerance")
        p.absoluteTolerance = number(value);
    else if (key == "minimum-leadout")
        p.minimumLeadout = number(value);
    else if (key == "alt_name")
        for (auto& a : split(value, ',')) {
            if (!trim(a).empty()) p.altNames.push_back(trim(a));
        }
    else if (key == "prefer-over")
        for (auto& entry : split(value, ',')) {
            Preference pref;
            auto semi = entry.find(';');
            if (semi != std::string::npos) {
                pref.condition = trim(entry.substr(0, semi));
                pref.over = trim(entry.substr(semi + 1));
            } else {
                pref.over = trim(entry);
            }
            if (!pref.over.empty()) p.preferOver.push_back(pref);
        }
}

} // namespace

ProtocolTable::ProtocolTable() : m_compiled(std::make_unique<Compiled>()) {}
ProtocolTable::~ProtocolTable() = default;
ProtocolTable::ProtocolTable(ProtocolTable&&) noexcept = default;
ProtocolTable& ProtocolTable::operator=(ProtocolTable&&) noexcept = default;

size_t ProtocolTable::size() const {
    return m_compiled->protocols.size();
}
const NamedProtocol& ProtocolTable::operator[](size_t i) const {
    return m_compiled->protocols[i].named;
}
const ProtocolTable::Compiled& ProtocolTable::compiled() const {
    return *m_compiled;
}

const NamedProtocol* ProtocolTable::find(std::string_view name) const {
    auto it = m_compiled->byName.find(lower(name));
    if (it == m_compiled->byName.end()) return nullptr;
    return &m_compiled->protocols[it->second].named;
}

LoadReport ProtocolTable::add(NamedProtocol protocol) {
    LoadReport report;
    m_compiled->addOne(std::move(protocol), report);
    m_compiled->reindex();
    return report;
}

void ProtocolTable::Compiled::addOne(NamedProtocol protocol, LoadReport& report) {
    Compiled& c = *this;
    std::string key = lower(protocol.name);
    auto it = c.byName.find(key);
    if (it != c.byName.end() && lower(c.protocols[it->second].named.name) == key) {
        auto& old = c.protocols[it->second].named;
        report.replaced.push_back(old.name + " (" + (old.source.empty() ? "shipped" : old.source) +
                                  ") replaced by " +
                                  (protocol.source.empty() ? "a user protocol" : protocol.source));
        c.protocols[it->second] = compileProtocol(std::move(protocol));
    } else {
        c.byName[key] = c.protocols.size();
        c.protocols.push_back(compileProtocol(std::move(protocol)));
    }
    ++report.added;
}

void ProtocolTable::Compiled::reindex() {
    byName.clear();
    // Alternative names first, so that a real name always wins.
    for (size_t i = 0; i < protocols.size(); ++i)
        for (auto& a : protocols[i].named.altNames)
            byName[lower(a)] = i;
    for (size_t i = 0; i < protocols.size(); ++i)
        byName[lower(protocols[i].named.name)] = i;
    for (auto& p : protocols) {
        p.preferred.clear();
        for (size_t k = 0; k < p.named.preferOver.size(); ++k) {
            auto it = byName.find(lower(p.named.preferOver[k].over));
            if (it != byName.end()) p.preferred.push_back({it->second, k});
        }
    }
}

LoadReport ProtocolTable::addTsv(std::string_view text, const std::string& source) {
    LoadReport report;
    std::vector<std::string> columns;
    size_t lineNo = 0;
    std::vector<NamedProtocol> batch;
    for (auto& rawLine : split(text, '\n')) {
        ++lineNo;
        std::string line = rawLine;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trim(line).empty() || line[0] == '#') continue;
        auto cells = split(line, '\t');
        if (columns.empty()) {
            for (auto& c : cells)
                columns.push_back(lower(trim(c)));
            if (std::find(columns.begin(), columns.end(), "name") == columns.end() ||
                std::find(columns.begin(), columns.end(), "irp") == columns.end()) {
                report.errors.push_back(source + ": line " + std::to_string(lineNo) +
                                        ": the header needs \"name\" and \"irp\" columns");
                return report;
            }
            continue;
        }
        NamedProtocol p;
        p.source = source;
        std::string irpText;
        for (size_t i = 0; i < cells.size() && i < columns.size(); ++i) {
            if (columns[i] == "name")
                p.name = trim(cells[i]);
            else if (columns[i] == "irp")
                irpText = trim(cells[i]);
            else
                setParameter(p, columns[i], cells[i]);
        }
        if (p.name.empty()) {
            report.errors.push_back(source + ": line " + std::to_string(lineNo) + ": no name");
            continue;
        }
        try {
            p.irp = parse(irpText);
        } catch (const ParseError& e) {
            report.errors.push_back(p.name + ": " + e.what());
            continue;
        }
        batch.push_back(std::move(p));
    }
    for (auto& p : batch)
        m_compiled->addOne(std::move(p), report);
    m_compiled->reindex();
    return report;
}

LoadReport ProtocolTable::addXml(std::string_view text, const std::string& source) {
    LoadReport report;
    pugi::xml_document doc;
    auto result = doc.load_buffer(text.data(), text.size());
    if (!result) {
        report.errors.push_back(source + ": not XML (" + result.description() + " at " +
                                std::to_string(result.offset) + ")");
        return report;
    }
    auto local = [](const char* n) {
        const char* colon = std::strrchr(n, ':');
        return std::string_view(colon ? colon + 1 : n);
    };
    std::vector<pugi::xml_node> found;
    std::vector<pugi::xml_node> stack{doc};
    while (!stack.empty()) {
        auto n = stack.back();
        stack.pop_back();
        for (auto child : n.children()) {
            if (child.type() != pugi::node_element) continue;
            if (local(child.name()) == "protocol")
                found.push_back(child);
            else
                stack.push_back(child);
        }
    }
    for (auto node : found) {
        NamedProtocol p;
        p.source = source;
        p.name = trim(node.attribute("name").value());
        std::string irpText;
        for (auto child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            auto n = local(child.name());
            if (n == "irp")
                irpText = trim(child.child_value());
            else if (n == "parameter")
                setParameter(p, child.attribute("name").value(), child.child_value());
        }
        if (p.name.empty()) {
            report.errors.push_back(source + ": a protocol without a name");
            continue;
        }
        try {
            p.irp = parse(irpText);
        } catch (const ParseError& e) {
            report.errors.push_back(p.name + ": " + e.what());
            continue;
        }
        m_compiled->addOne(std::move(p), report);
    }
    m_compiled->reindex();
    return report;
}

LoadReport ProtocolTable::addFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot be read");
    std::ostringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string::npos && text[first] == '<') return addXml(text, path);
    return addTsv(text, path);
}

} // namespace qv::irp
