#include "engine/walk_context.h"

#include "platform/basic.h"

namespace qv::engine {

const FieldValue& FormatFields::raw(const char* name) const {
    for (size_t i = 0; i < m_foundCount; ++i)
        if (m_found[i].first == name) return *m_found[i].second;
    if (!m_s.CurFormat) throw WalkAborted("no format is selected");
    try {
        const FieldValue& v = m_s.CurFormat->field(name);
        if (m_foundCount < m_found.size()) m_found[m_foundCount++] = {name, &v};
        return v;
    } catch (const FieldError& e) {
        throw WalkAborted(e.what());
    }
}

Standard FormatFields::value(const char* name) const {
    const FieldValue& v = raw(name);
    if (v.isNull()) return std::nullopt;
    if (auto n = v.toNumber()) return n;
    throw WalkAborted(std::string("field ") + name + " is not a number: \"" + v.toText() + "\"");
}

Standard FormatFields::whole(const char* name) const {
    Standard v = value(name);
    if (!v) return v;
    return static_cast<double>(wholePart(*v));
}

double FormatFields::required(const char* name) const {
    Standard v = value(name);
    if (!v) throw WalkAborted(std::string("field ") + name + " is empty");
    return *v;
}

std::string FormatFields::text(const char* name) const {
    return raw(name).toText();
}

bool FormatFields::is(const char* name, std::string_view text) const {
    return raw(name).toText() == text;
}

bool FormatFields::isAnyOf(const char* name, std::initializer_list<std::string_view> texts) const {
    const std::string value = raw(name).toText();
    for (auto t : texts)
        if (value == t) return true;
    return false;
}

bool FormatFields::isNone(const char* name) const {
    const FieldValue& v = raw(name);
    return v.isText() && trimBlanks(v.toText()) == "---";
}

int64_t timeOf(std::string_view cell) {
    // The loader writes plain digits; anything else takes the general road.
    if (!cell.empty() && cell.size() <= 15) {
        int64_t v = 0;
        bool digits = true;
        for (char c : cell) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            v = v * 10 + (c - '0');
        }
        if (digits) return v;
    }
    return wholeOf(cell);
}

} // namespace qv::engine
