#include "irp/irp.h"
#include "irp/tree.h"

#include <cctype>

namespace qv::irp {

ParseError::ParseError(size_t pos, std::string exp)
    : std::runtime_error("at " + std::to_string(pos) + ": expected " + exp), position(pos),
      expected(std::move(exp)) {}

RenderError::RenderError(Kind k, std::string param, const std::string& message)
    : std::runtime_error(message), kind(k), parameter(std::move(param)) {}

Params::Params(std::initializer_list<std::pair<std::string, int64_t>> values) {
    for (auto& [n, v] : values)
        set(n, v);
}

void Params::set(std::string_view name, int64_t value) {
    for (auto& [n, v] : m_values)
        if (n == name) {
            v = value;
            return;
        }
    m_values.emplace_back(std::string(name), value);
}

std::optional<int64_t> Params::get(std::string_view name) const {
    for (auto& [n, v] : m_values)
        if (n == name) return v;
    return std::nullopt;
}

Params parseParams(std::string_view text) {
    Params out;
    size_t p = 0;
    auto skip = [&] {
        while (p < text.size() &&
               (std::isspace(static_cast<unsigned char>(text[p])) || text[p] == ','))
            ++p;
    };
    for (skip(); p < text.size(); skip()) {
        size_t b = p;
        if (!(std::isalpha(static_cast<unsigned char>(text[p])) || text[p] == '_'))
            throw ParseError(p, "a parameter name");
        while (p < text.size() &&
               (std::isalnum(static_cast<unsigned char>(text[p])) || text[p] == '_'))
            ++p;
        std::string name(text.substr(b, p - b));
        while (p < text.size() && text[p] == ' ')
            ++p;
        if (p >= text.size() || text[p] != '=') throw ParseError(p, "'='");
        ++p;
        while (p < text.size() && text[p] == ' ')
            ++p;
        bool negative = p < text.size() && text[p] == '-';
        if (negative) ++p;
        int base = 10;
        if (p + 1 < text.size() && text[p] == '0' && (text[p + 1] == 'x' || text[p + 1] == 'X')) {
            base = 16;
            p += 2;
        } else if (p + 1 < text.size() && text[p] == '0' &&
                   (text[p + 1] == 'b' || text[p + 1] == 'B')) {
            base = 2;
            p += 2;
        }
        size_t digits = p;
        uint64_t v = 0;
        for (; p < text.size(); ++p) {
            int c = std::tolower(static_cast<unsigned char>(text[p]));
            int d = std::isdigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
            if (d >= base) break;
            if (v > (UINT64_MAX - uint64_t(d)) / uint64_t(base))
                throw ParseError(p, "a smaller number");
            v = v * uint64_t(base) + uint64_t(d);
        }
        if (p == digits || v > uint64_t(INT64_MAX)) throw ParseError(digits, "a number");
        if (p < text.size() && !std::isspace(static_cast<unsigned char>(text[p])) && text[p] != ',')
            throw ParseError(p, "',' or the end");
        out.set(name, negative ? -int64_t(v) : int64_t(v));
    }
    return out;
}

std::string formatParams(const Params& params) {
    std::string s;
    for (auto& [n, v] : params.values()) {
        if (!s.empty()) s += ' ';
        s += n + "=" + std::to_string(v);
    }
    return s;
}

std::string describe(const Decode& d) {
    std::string s = d.protocol + "  " + formatParams(d.params);
    if (d.repeats > 0)
        s += " +" + std::to_string(d.repeats) + (d.repeats == 1 ? " repeat" : " repeats");
    return s;
}

std::string describeUnresolved(const std::vector<std::string>& protocols) {
    std::string names;
    for (const auto& p : protocols)
        names += (names.empty() ? "" : ", ") + p;
    return "not resolved: " + names +
           " (the frame fits, but its levels lie closer than this capture's times tell apart)";
}

namespace {
const Protocol::Tree& emptyTree() {
    static const Protocol::Tree tree;
    return tree;
}
} // namespace

Protocol::Protocol() : m_tree(std::shared_ptr<const Tree>(&emptyTree(), [](const Tree*) {})) {}
double Protocol::carrierHz() const {
    return m_tree->top < 0 ? 0 : m_tree->carrier;
}
double Protocol::unitUs() const {
    return m_tree->unitUs();
}
bool Protocol::msbFirst() const {
    return m_tree->msb;
}
std::optional<double> Protocol::dutyCycle() const {
    return m_tree->duty;
}
const std::vector<ParameterDecl>& Protocol::parameters() const {
    return m_tree->parameters;
}
bool Protocol::hasRepeat() const {
    return m_tree->repeatStream >= 0;
}
const std::string& Protocol::text() const {
    return m_tree->text;
}

} // namespace qv::irp
