// The result written as IRP, and read back as times to compare with the
// presses.
#include "analysis/analysis.h"
#include "analysis/analysis_internal.h"

#include "platform/basic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace qv::analysis {

namespace {

// Text built by appending: GCC 12 warns falsely (-Wrestrict) where a literal
// is prepended to a string.
template <typename... Parts> std::string cat(const Parts&... parts) {
    std::string s;
    (s.append(std::string_view(parts)), ...);
    return s;
}

// The comma before an item of a list that has some already.
const char* comma(const std::string& list) {
    return list.empty() ? "" : ",";
}

std::string number(double v) {
    const double whole = std::round(v);
    return std::abs(v - whole) < 0.05 ? fixedText(whole, 0) : fixedText(v, 1);
}

// The value number() writes.
double written(double v) {
    const double whole = std::round(v);
    return std::abs(v - whole) < 0.05 ? whole : std::round(v * 10) / 10;
}

// A time in units, or in milliseconds where it is long, or in microseconds
// where a tenth of a unit is too coarse for it (a 200 us burst beside a
// 3125 us unit). A time is never written as none.
std::string duration(double us, double unit) {
    if (std::abs(us) >= 10000) return number(us / 1000) + "m";
    if (std::abs(written(us / unit) * unit - us) > std::max(25.0, 0.1 * std::abs(us)) ||
        (written(us / unit) == 0 && us != 0))
        return std::to_string(std::max(1L, std::lround(std::abs(us))) * (us < 0 ? -1 : 1)) + "u";
    return number(us / unit);
}

std::string fieldText(const Result& r, const Field& f) {
    const std::string len = cat(":", std::to_string(f.length));
    if (f.rule == Field::Complement)
        return cat("~", r.fields[static_cast<size_t>(f.sources[0])].name, len);
    if (f.rule == Field::Copy) return r.fields[static_cast<size_t>(f.sources[0])].name + len;
    return f.name + len;
}

// A field in an expression: a check sent as a complement or copy has no
// name of its own in the IRP.
std::string nameIn(const Result& r, const Field& f) {
    if (f.rule == Field::Complement || f.rule == Field::Copy) return cat("(", fieldText(r, f), ")");
    return f.name;
}

std::string definition(const Result& r, const Field& f) {
    std::string e;
    size_t group = 0; // of a weighted sum's groups, over its sources
    const char* op = f.rule == Field::Xor ? "^" : "+";
    for (int i : f.sources) {
        const Field& s = r.fields[static_cast<size_t>(i)];
        if (!e.empty()) e += op;
        if (f.rule == Field::NibbleSum) {
            for (int k = 0; k < s.length; k += 4) {
                if (k) e += "+";
                e += cat(nameIn(r, s), ":4", k ? cat(":", std::to_string(k)) : "");
            }
        } else if (f.rule == Field::Parity) {
            e += cat("#", nameIn(r, s));
        } else if (f.rule == Field::Weighted) {
            for (int k = 0; k + 1 < s.length && group < f.weights.size(); k += 2) {
                const int w = f.weights[group++];
                if (k) e += '+';
                if (w != 1) e.append(std::to_string(w)).append("*");
                e.append("(").append(nameIn(r, s)).append(":2");
                if (k) e.append(":").append(std::to_string(k));
                e += ')';
            }
        } else {
            e += nameIn(r, s);
        }
    }
    if (f.offset) e += cat(op, std::to_string(f.offset));
    return f.inverted ? cat(f.name, "=~(", e, ")") : cat(f.name, "=", e);
}

std::string bitsText(const Result& r, int first, int length, const std::string& constant) {
    std::string out;
    if (!constant.empty()) {
        // In pieces of 32 bits at most: a long frame's bits do not fit one number.
        for (int from = 0; from < length; from += 32) {
            const int n = std::min(32, length - from);
            uint64_t v = 0;
            for (int k = 0; k < n; ++k)
                if (static_cast<size_t>(first + from + k) < constant.size() &&
                    constant[static_cast<size_t>(first + from + k)] == '1')
                    v |= uint64_t{1} << (r.msb ? n - 1 - k : k);
            out += cat(comma(out), std::to_string(v), ":", std::to_string(n));
        }
        return out;
    }
    for (const Field& f : r.fields)
        if (f.first >= first && f.first < first + length) out += cat(comma(out), fieldText(r, f));
    return out;
}

// Bits of the repeat's cycle, [first, first + length) of its map: runs of
// one field's bits copied or complemented, and constants.
std::string mappedText(const Result& r, int first, int length) {
    const auto& map = r.repeatMap;
    const std::string* sample = r.presses.empty() ? nullptr : &r.presses.front().bits;
    // The field a message bit is in, named as the IRP names it, and whether
    // that name sends it complemented.
    auto fieldAt = [&](int bit, bool& flip) -> const Field* {
        for (const Field& f : r.fields)
            if (bit >= f.first && bit < f.first + f.length) {
                flip = f.rule == Field::Complement;
                return &f;
            }
        return nullptr;
    };
    auto constantAt = [&](int k, char& value) {
        const Result::RepeatBit& b = map[static_cast<size_t>(k)];
        bool flip = false;
        if (b.how == '0' || b.how == '1') {
            value = b.how;
        } else if (!fieldAt(b.from, flip)) {
            // No field holds it: the first press's bit, 0 where that press
            // (of another shape) has none.
            const bool one = sample && b.from >= 0 &&
                             static_cast<size_t>(b.from) < sample->size() &&
                             (*sample)[static_cast<size_t>(b.from)] == '1';
            value = one != (b.how == '~') ? '1' : '0';
        } else {
            return false;
        }
        return true;
    };
    std::string out;
    const int end = std::min(first + length, static_cast<int>(map.size()));
    for (int k = first; k < end;) {
        char value = '0';
        if (constantAt(k, value)) {
            std::string bits;
            int e = k;
            for (char v = '0'; e < end && e - k < 32 && constantAt(e, v); ++e)
                bits += v;
            out += cat(comma(out), bitsText(r, 0, e - k, bits));
            k = e;
            continue;
        }
        const Result::RepeatBit& b = map[static_cast<size_t>(k)];
        bool flip = false;
        const Field* f = fieldAt(b.from, flip);
        int e = k + 1;
        while (e < end && map[static_cast<size_t>(e)].how == b.how &&
               map[static_cast<size_t>(e)].from == b.from + (e - k) &&
               b.from + (e - k) < f->first + f->length)
            ++e;
        const int from = b.from - f->first, n = e - k;
        const std::string name = f->rule == Field::Complement || f->rule == Field::Copy
                                     ? r.fields[static_cast<size_t>(f->sources[0])].name
                                     : f->name;
        std::string text = cat((b.how == '~') != flip ? "~" : "", name, ":", std::to_string(n));
        const int offset = r.msb ? f->length - from - n : from;
        if (n != f->length || offset != 0) text += cat(":", std::to_string(offset));
        out += cat(comma(out), text);
        k = e;
    }
    return out;
}

std::string shapeText(const Result& r, const Shape& s, int& at, const std::string& constant,
                      bool mapped = false) {
    std::string out;
    for (const Item& item : s.items) {
        if (!out.empty()) out += ",";
        if (item.kind == Item::Bits) {
            const std::string text =
                mapped ? mappedText(r, at, item.bits) : bitsText(r, at, item.bits, constant);
            if (item.width == 1) {
                out += text;
            } else {
                // Bits of a longer symbol: alternatives of their own.
                out += "<";
                for (size_t sym = 0; sym < r.symbols.size(); ++sym) {
                    if (sym) out += "|";
                    for (size_t k = 0; k < r.symbols[sym].size(); ++k)
                        out += cat(k ? "," : "",
                                   duration(r.symbols[sym][k] * item.width * r.unit, r.unit));
                }
                out += ">(" + text + ")";
            }
            at += item.bits;
        } else if (item.kind == Item::Extent) {
            out += cat("^", duration(item.us, r.unit));
        } else {
            out += cat(item.us < 0 ? "-" : "", duration(std::abs(item.us), r.unit));
        }
    }
    return out;
}

} // namespace

std::string checkText(const Result& r, const Field& f) {
    if (f.rule == Field::Complement || f.rule == Field::Copy) return f.name + "=" + fieldText(r, f);
    return definition(r, f);
}

const char* roleName(Field::Role role) {
    switch (role) {
    case Field::Address:
        return "address";
    case Field::Command:
        return "command";
    case Field::Toggle:
        return "toggle";
    case Field::Check:
        break;
    }
    return "check";
}

void writeIrp(Result& r) {
    std::string general;
    if (r.carrierHz > 0) {
        general += fixedText(r.carrierHz / 1000, 1) + "k,";
    }
    general += number(r.unit >= 100 ? std::round(r.unit) : r.unit);
    if (r.msb) general += ",msb";
    std::string irp = "{" + general + "}";
    if (!r.symbols.empty()) {
        irp += "<";
        for (size_t s = 0; s < r.symbols.size(); ++s) {
            if (s) irp += "|";
            for (size_t k = 0; k < r.symbols[s].size(); ++k)
                irp += cat(k ? "," : "", duration(r.symbols[s][k] * r.unit, r.unit));
        }
        irp += ">";
    }
    // Without fields (no press fits the shape) the bits of the first press are sent as they are.
    const std::string constant =
        r.fields.empty() && !r.presses.empty() ? r.presses.front().bits : std::string();
    // An extent counts from the start of its stream or the last extent in
    // it: a frame that ends with one, after others, is a stream of its own.
    auto frame = [](const Shape& s, std::string text, const std::string& before) {
        const bool extent = std::any_of(s.items.begin(), s.items.end(),
                                        [](const Item& i) { return i.kind == Item::Extent; });
        if (extent && !before.empty()) text = "(" + text + ")";
        return (before.empty() ? "" : ",") + text;
    };
    int at = 0;
    std::string intro;
    for (const Shape& s : r.intro)
        intro += frame(s, shapeText(r, s, at, constant), intro);
    if (r.repeatKind == Result::WholeFrame) {
        irp += "(" + intro + ")+";
    } else if (!r.repeat.empty()) {
        int cycle = 0;
        std::string frames;
        for (const Shape& s : r.repeat)
            frames += frame(s, shapeText(r, s, cycle, r.repeatBits, !r.repeatMap.empty()), frames);
        std::string ending;
        for (const Shape& s : r.ending)
            ending += frame(s, shapeText(r, s, at, constant), "(after the repeat)");
        irp += "(" + intro + ",(" + frames + ")*" + ending + ")";
    } else {
        irp += "(" + intro + ")";
    }
    std::string defs, params;
    for (const Field& f : r.fields) {
        if (f.role == Field::Check) {
            if (f.rule != Field::Complement && f.rule != Field::Copy)
                defs += cat(comma(defs), definition(r, f));
            continue;
        }
        params +=
            cat(comma(params), f.name, ":0..",
                std::to_string(f.length >= 64 ? ~uint64_t{0} : (uint64_t{1} << f.length) - 1));
        if (f.role == Field::Address) params += cat("=", std::to_string(f.values.front()));
        if (f.role == Field::Toggle) params += "=0";
    }
    if (!defs.empty()) irp += "{" + defs + "}";
    if (!params.empty()) irp += "[" + params + "]";
    r.irp = irp;
}

std::vector<double> renderStructure(const Result& r, const std::string& bits, int repeats,
                                    std::vector<TimeRole>* roles) {
    std::vector<double> out; // signed
    std::vector<TimeRole> role;
    double elapsed = 0;
    // The piece of a symbol where the symbols differ tells its bits.
    size_t telling = 0;
    if (r.symbols.size() >= 2)
        while (telling + 1 < r.symbols[0].size() && telling < r.symbols[1].size() &&
               r.symbols[0][telling] == r.symbols[1][telling])
            ++telling;
    TimeRole piece;
    // Bits a frame's first half-symbol told, merged into the gap before the
    // frame: the frame's next time tells them.
    std::string carried;
    auto emit = [&](double d) {
        if (d == 0) return;
        elapsed += std::abs(d);
        if (!out.empty() && (out.back() < 0) == (d < 0)) {
            out.back() += d;
            TimeRole& to = role.back();
            if (to.frame != piece.frame) {
                carried += piece.bits;
                return;
            }
            to.bits += piece.bits;
            if (to.firstBit < 0) to.firstBit = piece.firstBit;
        } else {
            out.push_back(d);
            role.push_back(piece);
            role.back().bits = carried + piece.bits;
            carried.clear();
        }
    };
    int frame = 0;
    auto shape = [&](const Shape& s, const std::string& source, size_t& at, bool repeat,
                     const std::vector<int>& from) {
        const double start = elapsed;
        bool bitsSeen = false;
        for (const Item& item : s.items) {
            piece = {};
            piece.frame = frame;
            piece.repeat = repeat;
            if (item.kind == Item::Time) {
                piece.lead = !bitsSeen;
                emit(item.us);
            } else if (item.kind == Item::Extent) {
                emit(-std::max(1.0, item.us - (elapsed - start)));
            } else {
                bitsSeen = true;
                for (int k = 0; k < item.bits; k += r.bitsPerSymbol) {
                    size_t symbol = 0;
                    std::string text;
                    int first = -1;
                    for (int b = 0; b < r.bitsPerSymbol; ++b) {
                        const bool one = at < source.size() && source[at] == '1';
                        const int message = at < from.size() ? from[at] : -1;
                        if (first < 0) first = message;
                        ++at;
                        symbol = symbol * 2 + one;
                        text += one ? '1' : '0';
                    }
                    if (symbol >= r.symbols.size()) continue;
                    const auto& times = r.symbols[symbol];
                    for (size_t p = 0; p < times.size(); ++p) {
                        piece.bits = p == std::min(telling, times.size() - 1) ? text : "";
                        piece.firstBit = first;
                        emit(times[p] * r.unit * item.width);
                    }
                }
            }
        }
        ++frame;
    };
    // Which message bit each bit sent stands for.
    std::vector<int> message(bits.size());
    for (size_t i = 0; i < message.size(); ++i)
        message[i] = static_cast<int>(i);
    size_t at = 0;
    for (const Shape& s : r.intro)
        shape(s, bits, at, false, message);
    std::string cycle =
        r.repeatKind == Result::WholeFrame || r.repeatSendsMessage ? bits : r.repeatBits;
    std::vector<int> cycleFrom = cycle == bits ? message : std::vector<int>();
    if (r.repeatKind != Result::WholeFrame && !r.repeatMap.empty()) {
        cycle.clear();
        cycleFrom.clear();
        for (const Result::RepeatBit& b : r.repeatMap) {
            const bool known = b.from >= 0 && static_cast<size_t>(b.from) < bits.size();
            const bool copied = b.how == '=' || b.how == '~';
            if (copied)
                cycle += known && (bits[static_cast<size_t>(b.from)] == '1') != (b.how == '~')
                             ? '1'
                             : '0';
            else
                cycle += b.how;
            cycleFrom.push_back(copied && known ? b.from : -1);
        }
    }
    for (int k = 0; k < repeats; ++k) {
        size_t from = 0;
        for (const Shape& s : r.repeat)
            shape(s, cycle, from, true, cycleFrom);
    }
    for (const Shape& s : r.ending)
        shape(s, bits, at, false, message);
    // Silence before the first burst is not sent; the bits it told, the
    // burst after it tells.
    while (!out.empty() && out.front() < 0) {
        if (role.size() > 1) {
            role[1].bits = role[0].bits + role[1].bits;
            if (role[0].firstBit >= 0) role[1].firstBit = role[0].firstBit;
        }
        out.erase(out.begin());
        role.erase(role.begin());
    }
    for (double& d : out)
        d = std::abs(d);
    if (roles) *roles = std::move(role);
    return out;
}

bool timesMatch(const std::vector<double>& rendered, const std::vector<double>& captured,
                double* worst, double absolute, bool drifting) {
    double w = 0;
    bool ok = rendered.size() == captured.size() || rendered.size() == captured.size() + 1;
    const size_t n = std::min(rendered.size(), captured.size());
    // Each frame's own excess: what its shortest bursts show beyond the
    // rendering's (a long burst's jitter is larger), within the tolerance.
    std::vector<double> shift(n, 0);
    for (size_t b = 0; drifting && b < n;) {
        size_t e = b + 1;
        while (e < n && !(e % 2 == 1 && std::max(rendered[e], captured[e]) >= kFrameGap))
            ++e;
        double shortest = rendered[b];
        for (size_t i = b; i < e; i += 2)
            shortest = std::min(shortest, rendered[i]);
        double sum = 0, bursts = 0;
        for (size_t i = b; i < e; i += 2)
            if (rendered[i] <= 1.5 * shortest) {
                sum += captured[i] - rendered[i];
                ++bursts;
            }
        const double excess = std::clamp(sum / bursts, -absolute, absolute);
        for (size_t i = b; i < e; ++i)
            shift[i] = i % 2 == 0 ? excess : -excess;
        b = e + 1;
    }
    for (size_t i = 0; i < n; ++i) {
        if (i + 1 == captured.size() && i % 2 == 1) break; // a capture's last gap is often cut
        const double d = std::abs(rendered[i] - (captured[i] - shift[i]));
        w = std::max(w, d);
        if (d > std::max(std::max(100.0, absolute), 0.25 * captured[i])) ok = false;
    }
    if (worst) *worst = w;
    return ok && n > 0;
}

} // namespace qv::analysis
