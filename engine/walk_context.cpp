#include "engine/walk_context.h"

#include "platform/basic.h"

#include <cctype>
#include <cmath>

namespace qv::engine {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

FormatRow FormatRow::fromCursor(const TableCursor& cursor) {
    FormatRow row;
    row.m_keyField = cursor.keyField();
    row.m_source = cursor.path();
    if (!cursor.hasRow()) return row;
    row.m_present = true;
    const auto& names = cursor.fieldNames();
    row.m_fields.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        row.m_fields.push_back({names[i], cursor.fieldAt(i), cursor.numericField(i)});
    return row;
}

std::string FormatRow::key() const {
    const FieldValue* v = find(m_keyField);
    return v ? v->toText() : std::string();
}

FormatRow::Field* FormatRow::lookup(std::string_view name) {
    if (!m_present) return nullptr;
    for (auto& f : m_fields)
        if (f.name.size() == name.size() && !name.empty() && f.name[0] == name[0] && f.name == name)
            return &f;
    for (auto& f : m_fields)
        if (sameIgnoringCase(f.name, name)) return &f;
    return nullptr;
}

const FieldValue* FormatRow::find(std::string_view name) const {
    Field* f = const_cast<FormatRow*>(this)->lookup(name);
    return f ? &f->value : nullptr;
}

bool FormatRow::set(std::string_view name, const FieldValue& value) {
    Field* f = lookup(name);
    if (!f) return false;
    FieldValue v = value;
    if (f->numeric && v.isText()) {
        if (trimBlanks(v.toText()).empty())
            v = FieldValue();
        else if (auto n = v.toNumber())
            v = FieldValue::number(*n);
        else
            return false;
    }
    f->value = std::move(v);
    return true;
}

const FieldValue* FormatRow::findLiteral(const char* name) const {
    size_t slot = (reinterpret_cast<uintptr_t>(name) >> 3) % kKeptNames;
    for (; m_kept[slot].first; slot = (slot + 1) % kKeptNames)
        if (m_kept[slot].first == name) return &m_fields[m_kept[slot].second].value;
    const Field* f = const_cast<FormatRow*>(this)->lookup(name);
    // Three quarters full at most, so that a search always meets a free slot.
    if (f && m_keptCount < kKeptNames * 3 / 4) {
        m_kept[slot] = {name, static_cast<size_t>(f - m_fields.data())};
        ++m_keptCount;
    }
    return f ? &f->value : nullptr;
}

FormatRow& FormatRow::add(std::string name, FieldValue value, bool numeric) {
    m_present = true;
    m_fields.push_back({std::move(name), std::move(value), numeric});
    return *this;
}

FormatFields::Found& FormatFields::found(const char* name) const {
    size_t slot = (reinterpret_cast<uintptr_t>(name) >> 3) % kSlots;
    for (; m_found[slot].name; slot = (slot + 1) % kSlots)
        if (m_found[slot].name == name) return m_found[slot];
    if (!m_row.present()) throw WalkAborted("No current record.");
    const FieldValue* v = m_row.findLiteral(name);
    if (!v) throw WalkAborted(std::string("Item not found in this collection: ") + name);
    Found fresh;
    fresh.name = name;
    fresh.value = v;
    // Three quarters full at most, so that a search always meets a free slot.
    if (m_foundCount >= kSlots * 3 / 4) {
        static thread_local Found spare; // more names than any row has: not kept
        spare = fresh;
        return spare;
    }
    ++m_foundCount;
    m_found[slot] = fresh;
    return m_found[slot];
}

const FieldValue& FormatFields::raw(const char* name) const {
    return *found(name).value;
}

Standard FormatFields::value(const char* name) const {
    Found& f = found(name);
    if (f.read) return f.number;
    const FieldValue& v = *f.value;
    if (v.isNull()) {
        f.number = std::nullopt;
    } else if (auto n = v.toNumber()) {
        f.number = n;
    } else {
        throw WalkAborted(std::string("field ") + name + " is not a number: \"" + v.toText() +
                          "\"");
    }
    f.read = true;
    return f.number;
}

Standard FormatFields::whole(const char* name) const {
    Found& f = found(name);
    if (f.wholeRead) return f.whole;
    Standard v = value(name);
    if (v) v = static_cast<double>(wholePart(*v));
    Found& again = found(name); // value() may have used the spare
    again.whole = v;
    again.wholeRead = true;
    return v;
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

std::pair<long, int> cellFrom(const WalkState& st, int offset) {
    long row = st.row;
    int col = st.col;
    if (offset > 0) {
        if (++col > kDataCols) {
            col = 1;
            ++row;
        }
    } else if (offset < 0) {
        if (col > 1)
            --col;
        else if (row > 1) {
            --row;
            col = kDataCols;
        } else {
            col = 0;
        }
    }
    return {row, col};
}

bool Walk::note(ReadAs as, int offset, int64_t t, Standard standard, bool pass, int bit,
                std::string bits) {
    if (!settings.annotate) return pass;
    const auto [row, col] = cellFrom(state, offset);
    Annotation a;
    a.row = row;
    a.col = col;
    a.measured = t;
    a.as = as;
    a.part = part;
    a.group = state.group;
    a.bit = bit;
    a.bits = std::move(bits);
    a.standard = standard;
    if (standard) {
        const Window win = window();
        a.lo = win.lower(*standard);
        a.hi = win.upper(*standard);
    }
    a.pass = pass;
    out.annotations.push_back(std::move(a));
    return pass;
}

void Walk::noteFree(ReadAs as, int offset, int64_t t, int bit, std::string bits) {
    note(as, offset, t, std::nullopt, true, bit, std::move(bits));
}

int gapSymbol(Walk& w, int64_t t, std::initializer_list<Standard> standards) {
    const Window win = w.window();
    int best = -1, i = 0;
    double bestDistance = 0;
    for (const Standard& s : standards) {
        if (win.matches(static_cast<double>(t), s)) {
            if (!w.settings.demodulated) return i;
            const double d = std::abs(static_cast<double>(t) - *s);
            if (best < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        ++i;
    }
    return best;
}

} // namespace qv::engine
