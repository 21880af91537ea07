// The fields of a message across presses: bits that never change (an
// address), that change with the button (a command), that alternate
// between presses of one button (a toggle), and checks computed from other
// fields, found by search over the bytes and nibbles.
#include "analysis/analysis.h"
#include "analysis/analysis_internal.h"

#include <algorithm>
#include <bit>
#include <set>

namespace qv::analysis {

namespace {

uint64_t valueOf(const std::string& bits, int first, int length, bool msb) {
    uint64_t v = 0;
    for (int k = 0; k < length; ++k)
        if (bits[static_cast<size_t>(first + k)] == '1')
            v |= uint64_t{1} << (msb ? length - 1 - k : k);
    return v;
}

uint64_t maskOf(int length) {
    return length >= 64 ? ~uint64_t{0} : (uint64_t{1} << length) - 1;
}

uint64_t nibbleSum(uint64_t v, int length) {
    uint64_t s = 0;
    for (int k = 0; k < length; k += 4)
        s += (v >> k) & 15;
    return s;
}

// The check's value from its sources' values (before the offset).
uint64_t combine(const Field& f, const std::vector<Field>& fields, const std::vector<uint64_t>& v) {
    uint64_t s = 0;
    size_t group = 0;
    for (int i : f.sources) {
        // A press with fewer fields than the fit has nothing there to add.
        if (i < 0 || static_cast<size_t>(i) >= v.size() || static_cast<size_t>(i) >= fields.size())
            continue;
        const uint64_t x = v[static_cast<size_t>(i)];
        const int len = fields[static_cast<size_t>(i)].length;
        switch (f.rule) {
        case Field::Xor:
            s ^= x;
            break;
        case Field::NibbleSum:
            s += nibbleSum(x, len);
            break;
        case Field::Parity:
            s += static_cast<uint64_t>(std::popcount(x));
            break;
        case Field::Weighted:
            for (int k = 0; k + 1 < len && group < f.weights.size(); k += 2)
                s += static_cast<uint64_t>(f.weights[group++]) * ((x >> k) & 3);
            break;
        default:
            s += x;
        }
    }
    return s;
}

uint64_t checkValue(const Field& f, const std::vector<Field>& fields,
                    const std::vector<uint64_t>& v) {
    const uint64_t mask = maskOf(f.length);
    if (f.rule == Field::Complement) return ~v[static_cast<size_t>(f.sources[0])] & mask;
    if (f.rule == Field::Copy) return v[static_cast<size_t>(f.sources[0])] & mask;
    const uint64_t s = combine(f, fields, v);
    uint64_t r = f.rule == Field::Xor ? s ^ static_cast<uint64_t>(f.offset)
                                      : s + static_cast<uint64_t>(f.offset);
    if (f.inverted) r = ~r;
    return r & mask;
}

struct Layout {
    std::vector<Field> fields;
    int score = 0;
};

bool varies(const Field& f) {
    for (uint64_t v : f.values)
        if (v != f.values.front()) return true;
    return false;
}

// Whether field j is the check f over every press, with the offset taken
// from the first press.
bool holds(Field& f, const std::vector<Field>& fields, size_t j, bool needsVariation) {
    const size_t presses = fields[j].values.size();
    std::vector<uint64_t> v(fields.size());
    auto at = [&](size_t p) {
        for (size_t i = 0; i < fields.size(); ++i)
            v[i] = fields[i].values[p];
    };
    const uint64_t mask = maskOf(f.length);
    if (f.rule != Field::Complement && f.rule != Field::Copy) {
        at(0);
        const uint64_t s = combine(f, fields, v);
        const uint64_t want = f.inverted ? ~fields[j].values[0] : fields[j].values[0];
        f.offset =
            static_cast<int64_t>(f.rule == Field::Xor ? (want ^ s) & mask : (want - s) & mask);
        if (needsVariation && f.offset != 0) return false;
    }
    for (size_t p = 0; p < presses; ++p) {
        at(p);
        if (checkValue(f, fields, v) != fields[j].values[p]) return false;
    }
    return true;
}

// The weights that make target a sum of the 2-bit groups of sources, each
// group times its weight, plus an offset, modulo 2^length over every press:
// found a bit at a time (a solution modulo 2^(k+1) is one modulo 2^k). Empty
// unless exactly one set of weights does, every weight odd (each group
// moves the check's lowest bit; even weights are bits shifted, copies) and
// not all of them 1 (a plain sum is found as such).
std::vector<int> weightsOf(const std::vector<Field>& fields, const std::vector<int>& sources,
                           const Field& target) {
    size_t n = 0;
    for (int i : sources)
        n += static_cast<size_t>(fields[static_cast<size_t>(i)].length / 2);
    if (n == 0 || n > 4 || target.values.empty()) return {};
    std::vector<std::vector<uint64_t>> groups(target.values.size());
    for (size_t p = 0; p < groups.size(); ++p)
        for (int i : sources) {
            const Field& s = fields[static_cast<size_t>(i)];
            for (int k = 0; k + 1 < s.length; k += 2)
                groups[p].push_back((s.values[p] >> k) & 3);
        }
    std::vector<std::vector<uint64_t>> found = {std::vector<uint64_t>(n, 0)};
    for (int bit = 0; bit < target.length; ++bit) {
        const uint64_t mask = maskOf(bit + 1);
        std::vector<std::vector<uint64_t>> next;
        for (const auto& w : found)
            for (uint64_t b = 0; b < (uint64_t{1} << n); ++b) {
                std::vector<uint64_t> x = w;
                for (size_t i = 0; i < n; ++i)
                    x[i] |= (b >> i & 1) << bit;
                auto sum = [&](size_t p) {
                    uint64_t s = 0;
                    for (size_t i = 0; i < n; ++i)
                        s += x[i] * groups[p][i];
                    return s;
                };
                const uint64_t offset = target.values[0] - sum(0);
                bool all = true;
                for (size_t p = 1; p < groups.size() && all; ++p)
                    all = ((sum(p) + offset - target.values[p]) & mask) == 0;
                if (all) next.push_back(x);
            }
        if (next.empty() || next.size() > 64) return {};
        found = std::move(next);
    }
    if (found.size() != 1 ||
        std::any_of(found[0].begin(), found[0].end(), [](uint64_t w) { return w % 2 == 0; }) ||
        std::all_of(found[0].begin(), found[0].end(), [](uint64_t w) { return w == 1; }))
        return {};
    return std::vector<int>(found[0].begin(), found[0].end());
}

void findCheck(std::vector<Field>& fields, size_t j, size_t runStart) {
    Field& target = fields[j];
    const bool moving = varies(target);
    // A field of a few bits equals another, or its complement, by chance;
    // a constant one under a byte even more often.
    // Another frame may send a field's complement (the runs before count).
    for (size_t i = j; i-- > 0 && target.length >= (moving ? 4 : 8);) {
        if (fields[i].length != target.length || fields[i].role == Field::Check) continue;
        Field f = target;
        f.rule = Field::Complement;
        f.sources = {static_cast<int>(i)};
        if (holds(f, fields, j, false)) {
            target = f;
            return;
        }
        f.rule = Field::Copy;
        if (varies(fields[i]) && holds(f, fields, j, false)) {
            target = f;
            return;
        }
        // Or XORs it with a constant (F^145): the first press sets the
        // constant, so the others must be evidence enough.
        f.rule = Field::Xor;
        if (moving && varies(fields[i]) &&
            static_cast<size_t>(target.length) * (target.values.size() - 1) >= 24 &&
            holds(f, fields, j, false)) {
            target = f;
            return;
        }
    }
    // A sum, XOR or parity says something only where it changes with the
    // bits it covers, over enough presses not to hold by chance.
    const size_t presses = target.values.size();
    if (!moving || (target.length != 8 && target.length != 4 && target.length != 1)) return;
    if (presses < (target.length == 1 ? 6u : 3u)) return;
    for (size_t a = runStart; a + 1 < j; ++a) {
        bool windowMoves = false;
        Field f = target;
        f.sources.clear();
        for (size_t i = a; i < j; ++i) {
            windowMoves = windowMoves || varies(fields[i]);
            f.sources.push_back(static_cast<int>(i));
        }
        if (!windowMoves) break;
        const std::vector<Field::Rule> rules =
            target.length == 1
                ? std::vector<Field::Rule>{Field::Parity}
                : std::vector<Field::Rule>{Field::Sum, Field::Xor, Field::NibbleSum, Field::Parity};
        for (Field::Rule rule : rules)
            for (bool inverted : {false, true}) {
                f.rule = rule;
                f.inverted = inverted;
                if (holds(f, fields, j, false)) {
                    target = f;
                    return;
                }
            }
        if (target.length == 1) return; // parity over the whole run only
        // A nibble weighed from a byte's 2-bit groups (DirecTV's), over
        // presses enough that its weights are no chance.
        if (target.length == 4 && presses >= 8) {
            f.rule = Field::Weighted;
            f.inverted = false;
            f.weights = weightsOf(fields, f.sources, target);
            if (!f.weights.empty() && holds(f, fields, j, false)) {
                target = f;
                return;
            }
            f.weights.clear();
        }
    }
}

Layout layout(const std::vector<std::string>& messages,
              const std::vector<std::pair<int, int>>& runs, bool msb, int grain) {
    Layout out;
    const size_t presses = messages.size();
    const int length = static_cast<int>(messages[0].size());
    std::vector<int> kind(static_cast<size_t>(length), 0); // 0 constant, 1 varies, 2 toggle
    for (int b = 0; b < length; ++b)
        for (size_t p = 1; p < presses; ++p)
            if (messages[p][static_cast<size_t>(b)] != messages[0][static_cast<size_t>(b)])
                kind[static_cast<size_t>(b)] = 1;
    // A toggle: a bit that alone tells two presses apart and that flips
    // from one press to the next (presses of one button in a row); commands
    // next to each other are one bit apart too, but do not flip in turn.
    std::set<int> candidates;
    for (size_t p = 0; p < presses && presses <= 400; ++p)
        for (size_t q = p + 1; q < presses; ++q) {
            int diff = -1, count = 0;
            for (int b = 0; b < length && count < 2; ++b)
                if (messages[p][static_cast<size_t>(b)] != messages[q][static_cast<size_t>(b)]) {
                    diff = b;
                    ++count;
                }
            if (count == 1) candidates.insert(diff);
        }
    std::set<int> toggles;
    size_t mostFlips = 0;
    for (int b : candidates) {
        size_t flips = 0;
        for (size_t p = 1; p < presses; ++p)
            flips += messages[p][static_cast<size_t>(b)] != messages[p - 1][static_cast<size_t>(b)];
        if (presses >= 4 && flips * 10 >= (presses - 1) * 9 && flips > mostFlips) {
            mostFlips = flips;
            toggles = {b};
        }
    }
    // Bits [at, at + len) of every press, as a field.
    auto fieldAt = [&](int at, int len) {
        Field f;
        f.first = at;
        f.length = len;
        for (const std::string& m : messages)
            f.values.push_back(valueOf(m, at, len, msb));
        return f;
    };
    std::vector<size_t> runStarts;
    for (auto [first, end] : runs) {
        const int n = end - first;
        runStarts.push_back(out.fields.size());
        auto add = [&](int at, int len) { out.fields.push_back(fieldAt(at, len)); };
        if ((grain == 8 && n >= 16 && n % 8 == 0) || (n > 32 && presses < 2)) {
            for (int at = first; at < end; at += 8)
                add(at, std::min(8, end - at));
            continue;
        }
        if (grain == 4 && n >= 8 && n % 4 == 0) {
            for (int at = first; at < end; at += 4)
                add(at, 4);
            continue;
        }
        for (int b : toggles)
            if (b >= first && b < end) kind[static_cast<size_t>(b)] = 2;
        int at = first;
        for (int b = first + 1; b <= end; ++b)
            if (b == end || kind[static_cast<size_t>(b)] != kind[static_cast<size_t>(at)] ||
                kind[static_cast<size_t>(b)] == 2 || b - at == 32) {
                add(at, b - at);
                at = b;
            }
        // A last bit that may be a parity of the rest stands alone; so does
        // the last that changes before a constant end (a closing bit).
        if (n > 2 && presses >= 2) {
            size_t at = out.fields.size() - 1;
            if (out.fields[at].length == 1 && !varies(out.fields[at]) && at > runStarts.back() &&
                varies(out.fields[at - 1]))
                --at;
            if (out.fields[at].length > 1) {
                const Field split = out.fields[at];
                std::vector<Field> tail(out.fields.begin() + static_cast<long>(at) + 1,
                                        out.fields.end());
                out.fields.resize(at);
                add(split.first, split.length - 1);
                add(split.first + split.length - 1, 1);
                // Only a parity stays apart: later fields may check the
                // whole (a frame that sends it XORed with a constant).
                Field probe = out.fields.back();
                findCheck(out.fields, out.fields.size() - 1, runStarts.back());
                if (out.fields.back().rule == Field::None) {
                    out.fields.pop_back();
                    out.fields.back() = split;
                } else {
                    out.fields.back() = probe;
                }
                out.fields.insert(out.fields.end(), tail.begin(), tail.end());
            }
        }
    }
    for (size_t r = 0; r < runs.size(); ++r) {
        const size_t end = r + 1 < runs.size() ? runStarts[r + 1] : out.fields.size();
        for (size_t j = runStarts[r]; j < end; ++j) {
            Field& f = out.fields[j];
            if (kind[static_cast<size_t>(f.first)] == 2 && f.length == 1) {
                f.role = Field::Toggle;
                continue;
            }
            findCheck(out.fields, j, runStarts[r]);
            if (f.rule != Field::None) {
                f.role = Field::Check;
                // By the bits it covers, so that a byte's complement is not
                // outdone by its two nibbles'.
                out.score +=
                    f.length * (f.rule == Field::Parity                                ? 1
                                : f.rule == Field::Complement || f.rule == Field::Copy ? 2
                                                                                       : 3);
            } else {
                f.role = varies(f) ? Field::Command : Field::Address;
            }
        }
    }
    // A parity sent before the bits it covers (Apple's, before its command):
    // the first bit of a run's first command, over the run's other fields
    // that are no check. With fewer than ten presses a parity holds by
    // chance too often.
    for (size_t r = runs.size(); r-- > 0 && presses >= 10;) {
        const size_t end = r + 1 < runs.size() ? runStarts[r + 1] : out.fields.size();
        size_t k = runStarts[r];
        while (k < end && out.fields[k].role != Field::Command)
            ++k;
        if (k == end || out.fields[k].length < 2 || out.fields[k].rule != Field::None) continue;
        const bool checked = std::any_of(out.fields.begin(), out.fields.end(), [&](const Field& c) {
            return std::find(c.sources.begin(), c.sources.end(), static_cast<int>(k)) !=
                   c.sources.end();
        });
        if (checked) continue;
        const Field bit = fieldAt(out.fields[k].first, 1);
        std::vector<Field> trial = out.fields;
        trial[k] = fieldAt(bit.first + 1, out.fields[k].length - 1);
        trial.insert(trial.begin() + static_cast<long>(k), bit);
        Field f = trial[k];
        f.rule = Field::Parity;
        bool moves = false;
        for (size_t i = runStarts[r]; i <= end; ++i)
            if (i != k && trial[i].rule == Field::None && trial[i].role != Field::Toggle) {
                f.sources.push_back(static_cast<int>(i));
                moves = moves || varies(trial[i]);
            }
        if (!varies(bit) || !moves || !holds(f, trial, k, false)) continue;
        f.role = Field::Check;
        trial[k] = f;
        for (size_t i = 0; i < trial.size(); ++i)
            if (i != k)
                for (int& src : trial[i].sources)
                    if (src >= static_cast<int>(k)) ++src;
        out.fields = std::move(trial);
        out.score += 1;
        for (size_t later = r + 1; later < runStarts.size(); ++later)
            ++runStarts[later];
    }
    // A parity bit split off for nothing goes back to its neighbour.
    for (size_t j = 1; j < out.fields.size(); ++j) {
        Field& f = out.fields[j];
        Field& prev = out.fields[j - 1];
        if (f.length == 1 && f.role != Field::Check && f.role != Field::Toggle &&
            prev.role == f.role && prev.rule == Field::None &&
            prev.first + prev.length == f.first && prev.length < 32) {
            bool sameRun = false;
            for (auto [first, end] : runs)
                sameRun = sameRun || (prev.first >= first && f.first < end);
            // Nor where a check is made from either: its sources stay as found.
            bool source = false;
            for (const Field& c : out.fields)
                for (int i : c.sources)
                    source = source || i == static_cast<int>(j) || i + 1 == static_cast<int>(j);
            if (!sameRun || source) continue;
            prev.length += 1;
            for (size_t p = 0; p < presses; ++p)
                prev.values[p] = valueOf(messages[p], prev.first, prev.length, msb);
            out.fields.erase(out.fields.begin() + static_cast<long>(j));
            for (Field& c : out.fields)
                for (int& i : c.sources)
                    if (i > static_cast<int>(j)) --i;
            --j;
        }
    }
    return out;
}

} // namespace

void findFields(Result& result, const std::vector<std::string>& messages,
                const std::vector<std::pair<int, int>>& runs, bool msbFirst) {
    result.fields.clear();
    if (messages.empty() || messages[0].empty()) return;
    // Fields on byte boundaries, on nibble boundaries, or where the bits
    // that change begin and end (fields of 5 or 6 bits), in either order:
    // the layout that shows most checks; bytes in the coding's usual order
    // where they tie.
    const int grain = result.bitsPerSymbol == 1 ? 8 : 0;
    Layout best = layout(messages, runs, msbFirst, grain);
    std::vector<std::pair<bool, int>> others; // (msb, grain)
    if (grain == 8) others = {{!msbFirst, 8}};
    if (messages.size() >= 2) {
        others.push_back({msbFirst, 0});
        others.push_back({!msbFirst, 0});
    }
    if (messages.size() >= 3) {
        others.push_back({msbFirst, 4});
        others.push_back({!msbFirst, 4});
    }
    for (auto [msb, g] : others) {
        if (g == grain && msb == msbFirst) continue;
        if (g == 0 && msb != msbFirst && grain != 8) continue;
        Layout other = layout(messages, runs, msb, g);
        if (other.score > best.score) {
            best = std::move(other);
            result.msb = msb;
        }
    }
    // One press tells nothing of what changes: its last free field is taken
    // for the command, as most remotes send the address first.
    if (messages.size() == 1)
        for (size_t j = best.fields.size(); j-- > 0;)
            if (best.fields[j].role == Field::Address) {
                best.fields[j].role = Field::Command;
                break;
            }
    // Names as people write them: D and S for an address, F and E for a command.
    int address = 0, command = 0, toggle = 0, check = 0;
    auto named = [](const char* first, const char* second, const char* more, int& k) {
        ++k;
        if (k == 1) return std::string(first);
        if (k == 2 && second) return std::string(second);
        return std::string(more) + std::to_string(k);
    };
    for (Field& f : best.fields) {
        switch (f.role) {
        case Field::Address:
            f.name = named("D", "S", "D", address);
            break;
        case Field::Command:
            f.name = named("F", "E", "F", command);
            break;
        case Field::Toggle:
            f.name = named("T", nullptr, "T", toggle);
            break;
        case Field::Check:
            f.name = named("C", nullptr, "C", check);
            break;
        }
    }
    result.fields = std::move(best.fields);
}

std::string composeMessage(const Result& result, const std::vector<uint64_t>& fieldValues) {
    std::vector<uint64_t> v = fieldValues;
    std::string bits(static_cast<size_t>(result.bits()), '0');
    for (size_t j = 0; j < result.fields.size(); ++j) {
        const Field& f = result.fields[j];
        if (f.role == Field::Check) v[j] = checkValue(f, result.fields, v);
        for (int k = 0; k < f.length; ++k) {
            const int bit = result.msb ? f.length - 1 - k : k;
            if (static_cast<size_t>(f.first + k) < bits.size())
                bits[static_cast<size_t>(f.first + k)] = (v[j] >> bit & 1) ? '1' : '0';
        }
    }
    return bits;
}

} // namespace qv::analysis
