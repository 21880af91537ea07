// Durations into protocols: the compiled stream walked against the capture
// with a cursor that may use part of a measured duration (bi-phase halves
// run together), bits tried alternative by alternative with backtracking,
// parameter bits assigned as read and every other field proved as a check.
#include "irp/decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <deque>
#include <limits>
#include <optional>
#include <unordered_map>

namespace qv::irp {

namespace {

constexpr int kMaxRepeats = 10000;
constexpr size_t kMaxBitCodings = 8;
constexpr size_t kMaxSymbols = 16; // a bit coding's alternatives (the parser allows no more)
constexpr int kMaxDepth = 3000; // calls of the walk: under 3 MB of stack even in a sanitizer build
constexpr long kStepBudget = 200000; // per part pass: bounds backtracking on hostile input
// The failure memo: from this many steps into a pass, a failed search of
// at least kMemoSteps from a symbol boundary is remembered.
constexpr long kMemoFrom = 1024, kMemoSteps = 64;
// Where the walk depends on values, from this many steps on.
constexpr long kValueMemoFrom = 16384;
// The shortest silence after a frame (us) where the table gives none.
constexpr double kShortestSilence = 2000;
// Remotes keep within this share of their own pace.
constexpr double kRemotePace = 0.05;

uint64_t lowMask(int64_t length) {
    if (length <= 0) return 0;
    if (length >= 64) return ~uint64_t(0);
    return (uint64_t(1) << length) - 1;
}

// ---- lead-in prefilter ------------------------------------------------

struct First {
    double min = 0, max = 0;
    bool known = false, bounded = false;
    // A gap always follows it, even where a bit's symbol begins with it.
    bool capped = false;
};

// The first flash of items [from, to) of a stream: nullopt when it cannot
// be told without the parameters.
std::optional<First> firstFlash(const Protocol::Tree& t, const Stream& st, size_t from, size_t to,
                                int depth);

std::optional<First> firstOfStream(const Protocol::Tree& t, int index, int depth) {
    const Stream& st = t.streams[index];
    return firstFlash(t, st, 0, st.items.size(), depth);
}

// A constant field whose first symbols are bursts alone (255:8 of <-1|1>):
// they merge into one burst at least as long as their run.
std::optional<First> constantRun(const Protocol::Tree& t, int coding, int expr) {
    const BitCoding& symbols = t.bitCodings[size_t(coding)];
    const Expr& e = t.exprs[size_t(expr)];
    if (symbols.bitsPerSymbol != 1 || symbols.alternatives.size() != 2 || e.complement ||
        e.reverse || e.c >= 0 || e.a < 0 || e.b < 0)
        return std::nullopt;
    const Expr& value = t.exprs[size_t(e.a)];
    const Expr& length = t.exprs[size_t(e.b)];
    if (value.op != Op::Number || length.op != Op::Number || length.number <= 0 ||
        length.number > 64)
        return std::nullopt;
    double run = 0;
    for (int64_t i = 0; i < length.number; ++i) {
        int64_t shift = t.msb ? length.number - 1 - i : i;
        size_t bit = size_t(uint64_t(value.number) >> shift & 1);
        const Stream& sym = t.streams[size_t(symbols.alternatives[bit])];
        if (sym.items.size() != 1 || sym.items[0].kind != Item::Kind::Flash ||
            !sym.items[0].duration.literal)
            break;
        double us = t.durationUs(sym.items[0].duration.value, sym.items[0].duration.unit);
        if (!(us > 0)) break;
        run += us;
    }
    if (run <= 0) return std::nullopt;
    First f;
    f.known = true;
    f.min = f.max = run;
    return f;
}

std::optional<First> unite(std::optional<First> a, const std::optional<First>& b) {
    if (!a || !b) return std::nullopt;
    if (!a->known) return b;
    if (!b->known) return a;
    a->min = std::min(a->min, b->min);
    a->max = std::max(a->max, b->max);
    a->bounded = a->bounded && b->bounded;
    a->capped = a->capped && b->capped;
    return a;
}

std::optional<First> firstFlash(const Protocol::Tree& t, const Stream& st, size_t from, size_t to,
                                int depth) {
    if (depth > 8) return std::nullopt;
    for (size_t i = from; i < to; ++i) {
        const Item& it = st.items[i];
        switch (it.kind) {
        case Item::Kind::Gap:
        case Item::Kind::Extent:
        case Item::Kind::Assignment:
            continue; // silence before the first burst is not seen
        case Item::Kind::Flash: {
            if (!it.duration.literal) return std::nullopt;
            First f;
            f.known = true;
            f.min = f.max = t.durationUs(it.duration.value, it.duration.unit);
            f.bounded = i + 1 < to && st.items[i + 1].kind == Item::Kind::Gap;
            f.capped =
                f.bounded && st.items[i + 1].duration.literal && st.items[i + 1].duration.value > 0;
            return f;
        }
        case Item::Kind::BitField: {
            int coding = st.bitCoding;
            if (coding < 0) return std::nullopt;
            if (auto run = constantRun(t, coding, it.expr)) return run;
            std::optional<First> all = First{};
            for (int alt : t.bitCodings[coding].alternatives) {
                auto f = firstOfStream(t, alt, depth + 1);
                if (f && !f->known) return std::nullopt; // an alternative of silence only
                all = unite(all, f);
            }
            if (all && all->known) {
                all->bounded = false; // the next bit may merge
                // A field of no bits leaves the first burst to what follows.
                const Expr& e = t.exprs[size_t(it.expr)];
                all->capped = all->capped && e.b >= 0 && t.exprs[size_t(e.b)].op == Op::Number &&
                              t.exprs[size_t(e.b)].number > 0;
            }
            return all;
        }
        case Item::Kind::Stream: {
            const Stream& sub = t.streams[it.stream];
            if (sub.repeat == Repeat::Star) return std::nullopt;
            auto f = firstOfStream(t, it.stream, depth + 1);
            if (!f || f->known) return f;
            continue;
        }
        case Item::Kind::Variation: {
            int alt = it.alternatives.empty() ? -1 : it.alternatives[0];
            if (alt < 0) return std::nullopt;
            auto f = firstOfStream(t, alt, depth + 1);
            if (!f || f->known) return f;
            continue;
        }
        }
    }
    return First{};
}

// ---- the walk -----------------------------------------------------------

struct Cont {
    // Stop: the end of a symbol tried on its own, to see how well it fits.
    enum class Kind : uint8_t { Items, Loop, Bits, Done, Stop } kind = Kind::Done;
    Pass pass = Pass::Intro;
    const Stream* stream = nullptr;
    uint32_t pos = 0, end = 0;
    int bitCoding = -1;
    double start = 0;  // Items: when the stream began (for extents)
    int remaining = 0; // Loop: passes left; Bits: symbols left
    int field = -1, length = 0;
    uint64_t acc = 0;
    const Cont* next = nullptr;
};

// A check deferred until the parameters are known, with the values the
// walk's own variables had when it was read (varFrom..varTo of varValues).
struct Check {
    int expr;
    uint64_t read;
    size_t varFrom, varTo;
};

// A symbol read through a receiver: the alternative taken and its nearest
// rivals, with how much worse each fits.
struct Choice {
    uint8_t taken = 0, rivals = 0;
    std::array<std::pair<float, uint8_t>, 3> rival{};
};

// A symbol tried on its own from a walk state: whether it fits, how far
// it lies from the times, and what it costs the walk. The readings near
// the nearest are walked again and again over the same times; where a
// symbol is bursts and gaps of fixed length, its try depends on the state
// alone and is remembered across those walks.
struct TryKey {
    size_t index;
    double used, consumed, pendingUs, pendingMin;
    int pendingSign, pendingParts, coding;
    bool pendingAtLeast;
    uint8_t alternative;
    bool operator==(const TryKey&) const = default;
};
struct TryKeyHash {
    size_t operator()(const TryKey& k) const {
        uint64_t h = (uint64_t(k.index) << 16 | uint64_t(k.alternative) << 8 | uint8_t(k.coding)) *
                     0x9e3779b97f4a7c15u;
        for (double v : {k.used, k.pendingUs}) {
            uint64_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            h = (h ^ bits ^ h >> 29) * 0xbf58476d1ce4e5b9u;
        }
        return size_t(h ^ h >> 32);
    }
};
struct TryResult {
    bool fits;
    double deviation, cost;
};
using TryCache = std::unordered_map<TryKey, TryResult, TryKeyHash>;

// Bits of the last symbol read, not yet taken by a field.
struct SymbolBits {
    uint64_t bits;
    int count;
};

struct TrailEntry {
    int slot;
    int64_t value;
    uint64_t mask;
    bool known;
};

// The vectors a walk fills, handed from walk to walk with their capacity:
// a capture takes thousands of walks, and each would allocate them anew.
struct WalkVectors {
    // The symbols read on the way here; `forced` (by symbol read, -1 free)
    // makes a walk take other alternatives than the nearest.
    std::vector<Choice> path;
    std::vector<uint64_t> masks;
    std::vector<int> widths;
    std::vector<Check> checks;
    std::vector<std::pair<int, int64_t>> varValues;
    std::vector<TrailEntry> trail;
};
thread_local std::vector<WalkVectors> spareVectors;

class Walker : public WalkVectors {
public:
    Walker(const Protocol::Tree& tree, const std::vector<double>& times, double rel, double abs)
        : t(tree), d(times), rel(rel), abs(abs), ev(tree) {
        if (!spareVectors.empty()) {
            static_cast<WalkVectors&>(*this) = std::move(spareVectors.back());
            spareVectors.pop_back();
            path.clear();
            checks.clear();
            varValues.clear();
            trail.clear();
        }
        masks.assign(tree.slots.size(), 0);
        widths.assign(tree.slots.size(), 64);
        codings = std::min(tree.bitCodings.size(), kMaxBitCodings);
        for (size_t i = 0; i < t.parameters.size(); ++i) {
            uint64_t mx = uint64_t(std::max<int64_t>(t.parameters[i].max, 0));
            widths[size_t(t.parameterSlots[i])] = mx == 0 ? 0 : 64 - std::countl_zero(mx);
        }
    }
    ~Walker() { spareVectors.push_back(std::move(static_cast<WalkVectors&>(*this))); }
    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    // The walk state that branches restore.
    struct Snap {
        size_t index;
        double used, consumed, pendingUs, pendingMin, extentMark;
        int pendingSign, pendingParts, doubtfulRuns, longestRun;
        bool pendingAtLeast;
        size_t trail, checks, vars, choices;
        int bits;
        double error, scaled, squared, drift, nominal, symbolCost;
        int matched, stretched;
        std::array<SymbolBits, kMaxBitCodings> buffers;
    };
    // The symbol buffers beyond the protocol's codings are not copied.
    Snap snap() const {
        Snap s{index,          used,         consumed,      pendingUs,        pendingMin,
               extentMark,     pendingSign,  pendingParts,  doubtfulRuns,     longestRun,
               pendingAtLeast, trail.size(), checks.size(), varValues.size(), path.size(),
               bitsRead,       error,        scaled,        squared,          drift,
               nominal,        symbolCost,   matched,       stretched,        {}};
        for (size_t i = 0; i < codings; ++i)
            s.buffers[i] = symbolBuffer[i];
        return s;
    }
    void restore(const Snap& s) {
        index = s.index;
        used = s.used;
        consumed = s.consumed;
        pendingUs = s.pendingUs;
        pendingMin = s.pendingMin;
        extentMark = s.extentMark;
        pendingSign = s.pendingSign;
        pendingParts = s.pendingParts;
        doubtfulRuns = s.doubtfulRuns;
        longestRun = s.longestRun;
        pendingAtLeast = s.pendingAtLeast;
        while (trail.size() > s.trail) {
            auto& e = trail.back();
            masks[size_t(e.slot)] = e.mask;
            if (e.known)
                ev.set(e.slot, e.value);
            else {
                ev.set(e.slot, e.value);
                ev.unset(e.slot);
            }
            trail.pop_back();
        }
        // Shrunk only where they grew: most branches add to none of them.
        if (checks.size() > s.checks) checks.resize(s.checks);
        if (varValues.size() > s.vars) varValues.resize(s.vars);
        if (path.size() > s.choices) path.resize(s.choices);
        bitsRead = s.bits;
        error = s.error;
        scaled = s.scaled;
        squared = s.squared;
        drift = s.drift;
        nominal = s.nominal;
        symbolCost = s.symbolCost;
        matched = s.matched;
        stretched = s.stretched;
        for (size_t i = 0; i < codings; ++i)
            symbolBuffer[i] = s.buffers[i];
    }

    // Each step of the walk is a call: a pass deeper than the stack allows
    // (a stream repeated thousands of times) fails instead of crashing.
    bool match(const Cont* k) {
        if (++steps > kStepBudget || depth >= kMaxDepth) {
            cutShort = true;
            return false;
        }
        ++depth;
        bool ok = step(k);
        --depth;
        return ok;
    }

    bool step(const Cont* k) {
        switch (k->kind) {
        case Cont::Kind::Done:
            // A pass's lead-out: loggers and remotes stretch it.
            // A pass ends on a whole duration.
            if (pendingSign < 0) pendingAtLeast = true;
            return flushPending() && used == 0;
        case Cont::Kind::Items:
            return items(k);
        case Cont::Kind::Loop: {
            if (k->remaining <= 0) return match(k->next);
            Cont again = *k;
            again.remaining--;
            Cont body;
            body.kind = Cont::Kind::Items;
            body.pass = k->pass;
            body.stream = k->stream;
            body.end = uint32_t(k->stream->items.size());
            body.bitCoding = k->stream->bitCoding >= 0 ? k->stream->bitCoding : k->bitCoding;
            // After an extent's gap, not yet measured, the stream starts
            // where that gap ends (extentMark, once measured): its nominal
            // length would carry each frame's error into the next extent.
            body.start = pendingAtLeast ? -1 : now();
            body.next = &again;
            return match(&body);
        }
        case Cont::Kind::Bits:
            return bits(k);
        case Cont::Kind::Stop:
            return true;
        }
        return false;
    }

    double now() const { return consumed + pendingUs; }

    // A later part's pass: its own step budget, failure memo and extents.
    void beginPass() {
        steps = 0;
        memoHits = 0;
        failures.clear();
        extentMark = -1;
    }

    size_t index = 0;
    double used = 0, consumed = 0;
    int bitsRead = 0;
    long steps = 0;
    int depth = 0;
    double error = 0; // sum of the relative deviations of whole matches
    // Sums of measured times by nominal, and of nominal squared, over times
    // not merged (a merged run may be a unit more or less): the remote's
    // pace, a least-squares fit that the long times decide.
    double scaled = 0, squared = 0;
    // Measured less nominal, and nominal, summed over whole matches: a
    // symbol's own deviation whatever part of its burst a receiver moved
    // into its gap. symbolCost sums the symbols' deviations taken.
    double drift = 0, nominal = 0, symbolCost = 0;
    int matched = 0;
    int stretched = 0; // lead-outs measured longer than their tolerance
    // Bits of the last symbol read, per set of bit alternatives, not yet taken by a field.
    std::array<SymbolBits, kMaxBitCodings> symbolBuffer{};
    size_t codings = 0; // the protocol's bit codings (symbolBuffer's used part)
    const Protocol::Tree& t;
    const std::vector<double>& d;
    double rel, abs;
    // A receiver's pace and jitter, a share of a whole measured time (merged
    // or not); 0 for times measured at the carrier.
    double pace = 0;
    // Symbols tried nearest first (the tolerances are wide enough to
    // take a neighbour); else in the order written.
    bool nearest = false;
    // The nearest two symbols only: levels finer than the tolerance, where
    // a reading that needs a third is no reading the capture resolves (the
    // second: a remote's pace moves a long time to its neighbour).
    bool nearestTwo = false;
    const std::vector<int8_t>* forced = nullptr;
    Evaluator ev;
    int pendingSign = 0, pendingParts = 0;
    // Symbol boundaries from which the rest of the pass is known to fail.
    // Kept only where nothing after a boundary depends on the values read
    // before it: there, readings that differ in earlier symbols but reach
    // the same state share one fate, and the backtracking stays linear.
    bool memo = false;
    std::vector<std::pair<size_t, uint64_t>> failures; // (index, state key)
    // Times the walk compared what it read with values read before (or
    // evaluated an expression of them): a search that failed without one
    // failed whatever those values were, and is remembered even where
    // later fields repeat or check earlier ones.
    long consulted = 0, memoHits = 0;
    const std::vector<bool>* readsNames = nullptr;
    TryCache* tries = nullptr;
    const std::vector<bool>* fixedSymbols = nullptr; // see CompiledProtocol
    const std::vector<bool>* fieldSymbols = nullptr;
    // Merged times read where their shortest part more or less fits as well.
    int doubtfulRuns = 0;
    // The most parts a merged time read held.
    int longestRun = 0;
    // How near any time came to deciding otherwise (microseconds), and
    // whether the walk ran out of steps or depth: a walk that failed with
    // this much room fails the same on times moved by less. An extent's
    // lead-out moves with the times before it as well: twice as far.
    double slack = std::numeric_limits<double>::infinity();
    // The same over the decisions that failed, and the extents: a walk
    // that found no reading fails the same unless one of these turns (a
    // decision that passed and fails instead only cuts a search that
    // failed whole).
    double failRoom = std::numeric_limits<double>::infinity();
    bool extentRead = false;
    bool cutShort = false;
    // More than one symbol fitted somewhere: which reading came first was
    // decided by how closely each fitted.
    bool orderMattered = false;
    double pendingUs = 0, pendingMin = 0, extentMark = -1;
    bool pendingAtLeast = false;

private:
    bool items(const Cont* k) {
        if (k->pos >= k->end) return match(k->next);
        const Item& it = k->stream->items[k->pos];
        Cont rest = *k;
        rest.pos++;
        switch (it.kind) {
        case Item::Kind::Flash:
        case Item::Kind::Gap: {
            auto us = duration(it.duration);
            if (!us || !add(it.kind == Item::Kind::Flash ? 1 : -1, *us, false)) return false;
            return match(&rest);
        }
        case Item::Kind::Extent: {
            auto total = duration(it.duration);
            if (!total) return false;
            double since = now() - std::max(rest.start, extentMark);
            double left = *total - since;
            slack = std::min(slack, std::fabs(left));
            failRoom = std::min(failRoom, std::fabs(left));
            extentRead = true;
            if (left > 0 && !add(-1, left, true)) return false;
            // The next extent counts from the end of this one's gap, known
            // once the gap is measured (extentMark).
            rest.start = left > 0 ? -1 : now();
            return match(&rest);
        }
        case Item::Kind::Assignment: {
            if (t.slots[size_t(it.slot)].kind == SlotKind::Parameter) return match(&rest);
            consult(it.expr);
            auto v = ev.eval(it.expr);
            record(it.slot);
            if (v)
                ev.set(it.slot, *v);
            else
                ev.unset(it.slot);
            return match(&rest);
        }
        case Item::Kind::BitField: {
            const Expr& e = t.exprs[size_t(it.expr)];
            if (e.b < 0 || k->bitCoding < 0) return false;
            consult(e.b);
            auto len = ev.eval(e.b);
            if (!len || *len < 0 || *len > 64 || size_t(k->bitCoding) >= kMaxBitCodings)
                return false;
            Cont b;
            b.kind = Cont::Kind::Bits;
            b.pass = k->pass;
            b.bitCoding = k->bitCoding;
            b.field = it.expr;
            b.length = int(*len);
            b.remaining = int(*len);
            b.next = &rest;
            return match(&b);
        }
        case Item::Kind::Stream: {
            const Stream& sub = t.streams[size_t(it.stream)];
            int times = sub.repeat == Repeat::Star ? 0 : sub.repeat == Repeat::Plus ? 1 : sub.count;
            Cont loop;
            loop.kind = Cont::Kind::Loop;
            loop.pass = k->pass;
            loop.stream = &sub;
            loop.bitCoding = k->bitCoding;
            loop.remaining = times;
            loop.next = &rest;
            return match(&loop);
        }
        case Item::Kind::Variation: {
            size_t pass = size_t(k->pass);
            int alt = pass < it.alternatives.size() ? it.alternatives[pass] : -1;
            if (alt < 0) return match(k->next); // an empty alternative ends the stream's pass
            const Stream& a = t.streams[size_t(alt)];
            Cont body;
            body.kind = Cont::Kind::Items;
            body.pass = k->pass;
            body.stream = &a;
            body.end = uint32_t(a.items.size());
            body.bitCoding = k->bitCoding;
            body.start = rest.start;
            body.next = &rest;
            return match(&body);
        }
        }
        return false;
    }

    // A bit field's bits one at a time; a symbol of the bit alternatives is read
    // (each alternative tried) whenever its buffer is empty, so that a
    // symbol may carry bits of two neighbouring fields.
    bool bits(const Cont* k) {
        if (k->remaining == 0) return finishField(*k) && match(k->next);
        const BitCoding& coding = t.bitCodings[size_t(k->bitCoding)];
        auto& [buffer, count] = symbolBuffer[size_t(k->bitCoding)];
        if (count == 0) {
            if (!failures.empty() && (memo || memoPays()) && knownToFail(k)) return false;
            const long stepsBefore = steps, consultedBefore = consulted;
            auto failed = [&] {
                // Only a long search is worth the keys: a walk that fails or
                // succeeds soon never pays for them.
                if ((memo || (consulted == consultedBefore && memoPays())) && steps >= kMemoFrom &&
                    steps <= kStepBudget && steps - stepsBefore >= kMemoSteps)
                    rememberFailure(k);
                return false;
            };
            Snap s = snap();
            const size_t n = std::min(coding.alternatives.size(), kMaxSymbols);
            auto tryOne = [&](size_t a, const Cont* then) {
                symbolBuffer[size_t(k->bitCoding)] = {uint64_t(a), coding.bitsPerSymbol};
                const Stream& alt = t.streams[size_t(coding.alternatives[a])];
                Cont body;
                body.kind = Cont::Kind::Items;
                body.pass = k->pass;
                body.stream = &alt;
                body.end = uint32_t(alt.items.size());
                body.bitCoding = coding.parent;
                body.start = now();
                body.next = then;
                return match(&body);
            };
            // Nearest symbol first: each alternative is fitted on its own
            // and the closest tried first, so that a tolerance wide enough
            // for a receiver's error never reads a level as its neighbour.
            if (!nearest) {
                for (size_t a = 0; a < n; ++a) {
                    if (tryOne(a, k)) return true;
                    restore(s);
                    if (steps > kStepBudget) return false;
                }
                return failed();
            }
            // The sign of an alternative's first time (0: not a time).
            auto firstSign = [&](size_t a) {
                const Stream& alt = t.streams[size_t(coding.alternatives[a])];
                if (alt.items.empty()) return 0;
                const Item::Kind kind = alt.items.front().kind;
                return kind == Item::Kind::Flash ? 1 : kind == Item::Kind::Gap ? -1 : 0;
            };
            Cont stop;
            stop.kind = Cont::Kind::Stop;
            const size_t at = path.size();
            if (forced && at < forced->size() && (*forced)[at] >= 0) {
                size_t a = size_t((*forced)[at]);
                if (a >= n || !tryOne(a, &stop)) return false;
                double cost = symbolDeviation(s, firstSign(a));
                restore(s);
                path.push_back({uint8_t(a), 0, {}});
                symbolCost += cost;
                return tryOne(a, k);
            }
            // Left uninitialised: a handful are filled, and this runs for
            // every symbol of every walk.
            struct Ranked {
                double cost;
                size_t alternative;
                bool operator<(const Ranked& o) const {
                    return cost < o.cost || (cost == o.cost && alternative < o.alternative);
                }
            };
            Ranked order[kMaxSymbols];
            double deviation[kMaxSymbols];
            size_t tried = 0;
            const bool remembered = tries && (*fixedSymbols)[size_t(k->bitCoding)];
            for (size_t a = 0; a < n; ++a) {
                TryKey key{};
                if (remembered) {
                    key = {index,       used,         consumed,     pendingUs,      pendingMin,
                           pendingSign, pendingParts, k->bitCoding, pendingAtLeast, uint8_t(a)};
                    if (auto it = tries->find(key); it != tries->end()) {
                        if (it->second.fits) {
                            deviation[a] = it->second.deviation;
                            order[tried++] = {it->second.cost, a};
                        }
                        continue;
                    }
                }
                TryResult r{tryOne(a, &stop), 0, 0};
                if (r.fits) {
                    r.deviation = deviation[a] = symbolDeviation(s, firstSign(a));
                    r.cost = error - s.error + pendingCost();
                    order[tried++] = {r.cost, a};
                }
                restore(s);
                if (steps > kStepBudget) return false;
                if (remembered) tries->emplace(key, r);
            }
            orderMattered = orderMattered || tried > 1;
            // A stable insertion sort: a handful of symbols, and no buffer
            // allocated per symbol read.
            for (size_t i = 1; i < tried; ++i)
                for (size_t j = i; j > 0 && order[j] < order[j - 1]; --j)
                    std::swap(order[j], order[j - 1]);
            for (size_t i = 0; i < tried; ++i) {
                Choice c;
                const size_t taken = order[i].alternative;
                c.taken = uint8_t(taken);
                for (size_t j = 0; j < tried && c.rivals < c.rival.size(); ++j)
                    if (j != i)
                        c.rival[c.rivals++] = {
                            float(deviation[order[j].alternative] - deviation[taken]),
                            uint8_t(order[j].alternative)};
                path.push_back(c);
                symbolCost += deviation[taken];
                if (tryOne(taken, k)) return true;
                restore(s);
                if (steps > kStepBudget || (nearestTwo && i >= 1)) return false;
            }
            return failed();
        }
        uint64_t bit;
        if (t.msb) {
            bit = buffer >> (count - 1) & 1;
        } else {
            bit = buffer & 1;
            buffer >>= 1;
        }
        --count;
        Cont after = *k;
        after.remaining--;
        if (t.msb)
            after.acc = after.acc << 1 | bit;
        else
            after.acc |= bit << (k->length - k->remaining);
        return match(&after);
    }

    // Where later fields repeat or check earlier ones, a failure that
    // consulted no value seldom comes again by another road: kept only in a
    // search run long, and past a dozen or so never met again, the keys
    // cost more than they save.
    bool memoPays() const {
        return steps >= kValueMemoFrom && (failures.size() < 16 || memoHits > 0);
    }
    // Out of line: the walk recurses through bits(), whose frame stays small.
    [[gnu::noinline]] bool knownToFail(const Cont* k) {
        // The key is dear to make: only where a failure was met at this time.
        if (std::none_of(failures.begin(), failures.end(),
                         [&](const auto& f) { return f.first == index; }))
            return false;
        const uint64_t key = stateKey(k);
        const bool known = std::any_of(failures.begin(), failures.end(),
                                       [&](const auto& f) { return f.second == key; });
        memoHits += known;
        return known;
    }
    [[gnu::noinline]] void rememberFailure(const Cont* k) {
        failures.emplace_back(index, stateKey(k));
    }

    // What decides the rest of a pass at a symbol boundary: where the walk
    // is (every continuation up to the pass's end) and the times' state,
    // hashed (a 64-bit mix: a false match among a pass's few failures is
    // far less likely than a receiver's error).
    uint64_t stateKey(const Cont* k) const {
        uint64_t h = 0x9e3779b97f4a7c15u;
        auto put = [&](auto v) {
            uint64_t x = 0;
            static_assert(sizeof v <= sizeof x);
            std::memcpy(&x, &v, sizeof v);
            h ^= x + 0x9e3779b97f4a7c15u + (h << 6) + (h >> 2);
            h *= 0xbf58476d1ce4e5b9u;
            h ^= h >> 31;
        };
        for (const Cont* c = k; c; c = c->next) {
            put(uint32_t(c->kind) << 8 | uint32_t(c->pass));
            put(c->stream);
            put(uint64_t(c->pos) << 32 | c->end);
            put(uint64_t(uint32_t(c->bitCoding)) << 32 | uint32_t(c->remaining));
            put(c->start);
            put(c->field);
        }
        // A constant field's bits read so far decide whether it matches.
        const Expr& inner = t.exprs[size_t(t.exprs[size_t(k->field)].a)];
        if (inner.op != Op::Name || t.slots[size_t(inner.slot)].kind != SlotKind::Parameter)
            put(k->acc);
        put(index);
        put(used);
        put(consumed);
        put(pendingUs);
        put(pendingMin);
        put(extentMark);
        put(uint64_t(uint32_t(pendingSign)) << 32 | uint32_t(pendingParts));
        put(pendingAtLeast);
        for (const auto& [buffer, count] : symbolBuffer)
            put(count > 0 ? buffer * 131 + uint64_t(count) : 0);
        if (forced) put(path.size());
        return h;
    }

    void record(int slot) {
        trail.push_back({slot, ev.raw(slot), masks[size_t(slot)], ev.known(slot)});
    }

    // A bit field read in full: parameter bits assigned, anything else a
    // check, proved now when it can be, else after the frame.
    bool finishField(const Cont& k) {
        const Expr& e = t.exprs[size_t(k.field)];
        int64_t len = k.length;
        // Counted once, as the symbols a nested coding's bits are sent by.
        if (!fieldSymbols || !(*fieldSymbols)[size_t(k.bitCoding)]) bitsRead += int(len);
        const Expr& v = t.exprs[size_t(e.a)];
        int64_t offset = 0;
        bool constOffset = e.c < 0 || t.exprs[size_t(e.c)].op == Op::Number;
        if (e.c >= 0 && constOffset) offset = t.exprs[size_t(e.c)].number;
        if (v.op == Op::Name && t.slots[size_t(v.slot)].kind == SlotKind::Parameter &&
            constOffset && offset < 64) {
            uint64_t raw = k.acc;
            if (e.reverse) raw = reverseBits(raw, len);
            if (e.complement) raw = ~raw & lowMask(len);
            uint64_t fieldMask = lowMask(len);
            uint64_t mask = offset + len >= 64 ? fieldMask << offset : fieldMask << offset;
            uint64_t bitsValue = (raw & fieldMask) << offset;
            int slot = v.slot;
            uint64_t have = masks[size_t(slot)];
            uint64_t current = uint64_t(ev.raw(slot));
            if (have & mask) ++consulted;
            if ((current ^ bitsValue) & have & mask) return false;
            record(slot);
            masks[size_t(slot)] = have | mask;
            uint64_t nv = (current & ~mask) | bitsValue;
            ev.set(slot, int64_t(nv));
            uint64_t full = lowMask(widths[size_t(slot)]);
            if ((masks[size_t(slot)] & full) != full) ev.unset(slot);
            return true;
        }
        // (P - c) or (P + c) of a whole parameter P: P follows from the bits.
        if (!e.complement && !e.reverse && e.c < 0 && (v.op == Op::Sub || v.op == Op::Add)) {
            const Expr& l = t.exprs[size_t(v.a)];
            const Expr& r = t.exprs[size_t(v.b)];
            if (l.op == Op::Name && t.slots[size_t(l.slot)].kind == SlotKind::Parameter &&
                r.op == Op::Number && masks[size_t(l.slot)] == 0) {
                int64_t value =
                    v.op == Op::Sub ? int64_t(k.acc) + r.number : int64_t(k.acc) - r.number;
                record(l.slot);
                masks[size_t(l.slot)] = ~uint64_t(0);
                ev.set(l.slot, value);
                return true;
            }
        }
        consult(k.field);
        if (auto expected = ev.eval(k.field)) return uint64_t(*expected) == k.acc;
        size_t from = varValues.size();
        for (size_t s = 0; s < t.slots.size(); ++s)
            if (t.slots[s].kind == SlotKind::Variable && ev.known(int(s)))
                varValues.emplace_back(int(s), ev.raw(int(s)));
        checks.push_back({k.field, k.acc, from, varValues.size()});
        return true;
    }

    void consult(int expr) {
        if (expr >= 0 && (!readsNames || (*readsNames)[size_t(expr)])) ++consulted;
    }

    std::optional<double> duration(const Duration& du) {
        // A literal's length was made microseconds when parsed.
        if (du.literal) return du.us < 0 ? std::nullopt : std::optional<double>(du.us);
        consult(du.expr);
        auto e = ev.eval(du.expr);
        if (!e) return std::nullopt;
        double us = t.durationUs(double(*e), du.unit);
        if (!std::isfinite(us) || us < 0) return std::nullopt;
        return us;
    }

    // How far the symbol read since s lies from the times measured, its
    // times summed, as a share of the tolerance of their sum. The time left
    // pending before it (the last symbol's gap) is that symbol's, counted
    // there: where this one's first time closes it, it is not counted again.
    double symbolDeviation(const Snap& s, int firstSign) const {
        double dev = drift - s.drift, sum = nominal - s.nominal;
        if (firstSign != 0 && firstSign != s.pendingSign && s.pendingUs > 0 && !s.pendingAtLeast &&
            s.index < d.size() && index > s.index && (s.index % 2 == 0) == (s.pendingSign > 0) &&
            matched > s.matched) {
            const double closed = d[s.index] - s.used - s.pendingUs;
            if (std::fabs(closed) <= std::max({abs, rel * s.pendingMin, pace * s.pendingUs})) {
                dev -= closed;
                sum -= s.pendingUs;
            }
        }
        if (pendingUs > 0 && index < d.size() && (index % 2 == 0) == (pendingSign > 0)) {
            dev += d[index] - used - pendingUs;
            sum += pendingUs;
        }
        return std::fabs(dev) / std::max(1.0, rel * sum + abs);
    }

    // How far the time not yet matched lies from the time measured there.
    double pendingCost() const {
        if (pendingUs <= 0 || index >= d.size() || (index % 2 == 0) != (pendingSign > 0)) return 0;
        return std::fabs(d[index] - used - pendingUs) / pendingUs;
    }

    bool add(int sign, double us, bool atLeast) {
        if (us <= 0) return true;
        if (pendingUs > 0 && pendingSign != sign && !flushPending()) return false;
        // Merged times are matched with the tolerance of their shortest
        // part, so that a run of n units never passes for n + 1.
        pendingParts = pendingUs > 0 ? pendingParts + 1 : 1;
        pendingMin = pendingUs > 0 ? std::min(pendingMin, us) : us;
        pendingSign = sign;
        pendingUs += us;
        pendingAtLeast = pendingAtLeast || atLeast;
        return true;
    }

    bool flushPending() {
        if (pendingUs <= 0) return true;
        int sign = pendingSign;
        double us = pendingUs;
        bool atLeast = pendingAtLeast;
        pendingUs = 0;
        pendingAtLeast = false;
        // Silence before the first burst is never seen.
        if (sign < 0 && index == 0 && used == 0) return true;
        if (index >= d.size()) return sign < 0;
        bool measuredFlash = index % 2 == 0;
        if (measuredFlash != (sign > 0)) return false;
        double r = d[index] - used;
        // A lead-out may merge with a bit's short gap: its own length
        // sets its tolerance.
        double tol = std::max({abs, rel * (atLeast ? us : pendingMin), pace * us});
        // A silence that a bit's short time runs into (a pause between
        // frames): the silence's own length sets the tolerance, as for a
        // silence alone. Remotes keep such pauses loosely.
        if (!atLeast && pendingParts >= 2 && us >= 10.0 * pendingParts * pendingMin)
            tol = std::max(tol, rel * (us - (pendingParts - 1) * pendingMin));
        bool last = index + 1 == d.size();
        if (atLeast || (sign < 0 && last)) {
            slack = std::min(slack, std::fabs(r - (us - tol)));
            if (r >= us - tol || (sign < 0 && last)) {
                if (!last && r > us + tol) ++stretched;
                consumed += r;
                ++index;
                used = 0;
                if (atLeast) extentMark = consumed;
                return true;
            }
            failRoom = std::min(failRoom, us - tol - r);
            return false;
        }
        slack = std::min(slack, std::fabs(std::fabs(r - us) - tol));
        if (std::fabs(r - us) <= tol) {
            // A time that two readings merge differently fits about as well
            // (but for a long silence, which a part neither side decides; and
            // a time on its reading, which is no doubt).
            const double other =
                std::min(std::fabs(r - us - pendingMin), std::fabs(r - us + pendingMin));
            if (nearest && pendingParts >= 2 && us <= (pendingParts + 7) * pendingMin &&
                other <= tol && other <= 3 * std::fabs(r - us))
                ++doubtfulRuns;
            error += std::fabs(r - us) / us;
            drift += r - us;
            nominal += us;
            if (pendingParts == 1) {
                scaled += r * us;
                squared += us * us;
            } else {
                longestRun = std::max(longestRun, pendingParts);
            }
            ++matched;
            consumed += r;
            ++index;
            used = 0;
            return true;
        }
        // Shorter than the time measured: a time of the other sign comes
        // next, so the rest of this one is never read.
        failRoom = std::min(failRoom, std::fabs(r - us) - tol);
        return false;
    }
};

// Every parameter's value after a walk, defaults for those never read, and
// the deferred checks proved. False when a value is missing, out of range,
// or a check fails.
bool settle(Walker& w, Params& params, Params& defaulted, int& checksProved) {
    const Protocol::Tree& t = w.t;
    Evaluator ev(t);
    std::vector<bool> read(t.parameters.size(), false);
    for (size_t i = 0; i < t.parameters.size(); ++i) {
        int slot = t.parameterSlots[i];
        if (w.masks[size_t(slot)] != 0) {
            ev.set(slot, w.ev.raw(slot));
            read[i] = true;
        }
    }
    ev.settleDefaults();
    // Variables keep the value the walk left them with.
    for (size_t s = 0; s < t.slots.size(); ++s)
        if (t.slots[s].kind == SlotKind::Variable && w.ev.known(int(s)))
            ev.set(int(s), w.ev.raw(int(s)));
    auto checksHold = [&] {
        for (const Check& c : w.checks) {
            for (size_t i = c.varFrom; i < c.varTo; ++i)
                ev.set(w.varValues[i].first, w.varValues[i].second);
            auto v = ev.eval(c.expr);
            if (!v || uint64_t(*v) != c.read) return false;
        }
        return true;
    };
    // A parameter sent only inside a checksum (C=CO+D+...): the one value
    // of its range that makes every check hold, when there is exactly one.
    for (size_t i = 0; i < t.parameters.size(); ++i) {
        int slot = t.parameterSlots[i];
        const ParameterDecl& ps = t.parameters[i];
        if (ev.known(slot) || w.checks.empty() || ps.max < ps.min || ps.max - ps.min > 0x3ff)
            continue;
        std::optional<int64_t> found;
        bool several = false;
        for (int64_t v = ps.min; v <= ps.max && !several; ++v) {
            ev.set(slot, v);
            if (!checksHold()) continue;
            several = found.has_value();
            found = v;
        }
        if (!found || several) return false;
        ev.set(slot, *found);
        read[i] = true;
    }
    for (size_t i = 0; i < t.parameters.size(); ++i) {
        int slot = t.parameterSlots[i];
        if (!ev.known(slot)) return false;
        int64_t v = ev.raw(slot);
        if (v < t.parameters[i].min || v > t.parameters[i].max) return false;
        params.set(t.parameters[i].name, v);
        if (!read[i]) defaulted.set(t.parameters[i].name, v);
    }
    if (!checksHold()) return false;
    checksProved = int(w.checks.size());
    return true;
}

struct Candidate {
    Decode decode;
    size_t protocol;
    // Read only by taking the receiver's bursts as ending early.
    bool early = false;
};

bool preferenceHolds(const CompiledProtocol& p, size_t k, const Params& params) {
    const auto& cond = p.conditions[k];
    if (!cond) return true;
    const Protocol::Tree& t = cond->tree();
    Evaluator ev(t);
    for (size_t s = 0; s < t.slots.size(); ++s)
        if (auto v = params.get(t.slots[s].name)) ev.set(int(s), *v);
    int c = t.slotOf("_c");
    auto v = c >= 0 ? ev.value(c) : std::nullopt;
    return v && *v != 0;
}

// A symbol as signed literal times (bursts positive); empty when any
// time is not a number.
std::vector<double> literalTimes(const Protocol::Tree& t, const Stream& st) {
    std::vector<double> out;
    for (const Item& it : st.items) {
        if ((it.kind != Item::Kind::Flash && it.kind != Item::Kind::Gap) || !it.duration.literal)
            return {};
        double us = t.durationUs(it.duration.value, it.duration.unit);
        out.push_back(it.kind == Item::Kind::Flash ? us : -us);
    }
    return out;
}

double symbolSeparation(const Protocol::Tree& t) {
    double closest = std::numeric_limits<double>::infinity();
    for (const BitCoding& symbols : t.bitCodings) {
        std::vector<std::vector<double>> times;
        for (int alt : symbols.alternatives)
            times.push_back(literalTimes(t, t.streams[size_t(alt)]));
        for (size_t a = 0; a < times.size(); ++a)
            for (size_t b = a + 1; b < times.size(); ++b) {
                if (times[a].empty() || times[a].size() != times[b].size()) continue;
                double apart = 0;
                bool alike = true;
                for (size_t i = 0; i < times[a].size() && alike; ++i) {
                    alike = (times[a][i] > 0) == (times[b][i] > 0);
                    apart = std::max(apart, std::fabs(times[a][i] - times[b][i]));
                }
                if (alike) closest = std::min(closest, apart);
            }
    }
    return closest;
}

} // namespace

// Whether a pass's walk from any symbol boundary on is blind to the values
// read before it: durations and field lengths are numbers, each parameter
// sent in one field walked once per pass (the intro holds at most one pass
// of the repeat), other fields constant or variables given only numbers.
bool valueFreeWalk(const Protocol::Tree& t, const Parts& parts) {
    if (parts.introPasses > 1) return false;
    auto constant = [&](auto& self, int e) -> bool {
        if (e < 0) return true;
        const Expr& x = t.exprs[size_t(e)];
        return x.op != Op::Name && self(self, x.a) && self(self, x.b) && self(self, x.c);
    };
    // A variable given only numbers ([T=0][T=1]) holds the same value on
    // every reading of a pass.
    std::vector<bool> fixedVariable(t.slots.size(), true);
    for (const Stream& st : t.streams)
        for (const Item& it : st.items)
            if (it.kind == Item::Kind::Assignment && !constant(constant, it.expr))
                fixedVariable[size_t(it.slot)] = false;
    std::vector<int> sent(t.slots.size(), 0);
    for (size_t i = 0; i < t.streams.size(); ++i) {
        const Stream& st = t.streams[i];
        if (st.repeat != Repeat::Once && !(st.repeat == Repeat::Count && st.count <= 1) &&
            int(i) != parts.repeatStream)
            return false;
        for (const Item& it : st.items) {
            switch (it.kind) {
            case Item::Kind::Flash:
            case Item::Kind::Gap:
            case Item::Kind::Extent:
                if (!it.duration.literal) return false;
                break;
            case Item::Kind::BitField: {
                const Expr& e = t.exprs[size_t(it.expr)];
                if (!constant(constant, e.b) || !constant(constant, e.c)) return false;
                const Expr& inner = t.exprs[size_t(e.a)];
                if (inner.op == Op::Name) {
                    const SlotKind kind = t.slots[size_t(inner.slot)].kind;
                    if (kind == SlotKind::Variable
                            ? !fixedVariable[size_t(inner.slot)]
                            : kind != SlotKind::Parameter || ++sent[size_t(inner.slot)] > 1)
                        return false;
                } else if (!constant(constant, e.a)) {
                    return false;
                }
                break;
            }
            case Item::Kind::Assignment: // a parameter's is not walked; a variable's
            case Item::Kind::Stream:     // is read by no field or duration here
            case Item::Kind::Variation:
                break;
            }
        }
    }
    return true;
}

// A silence this long is never measured at half its length.
constexpr double kLongSilence = 4000;

// The long silences of a press's first frame, as far as the place of every
// time is fixed: bursts and gaps written as numbers, bit fields of a fixed
// length whose symbols are all of one shape, up to the first extent.
std::vector<std::pair<size_t, double>> frameSilences(const Protocol::Tree& t, const Parts& parts) {
    std::vector<std::pair<size_t, double>> out;
    size_t next = 0;                        // the index the next new time takes
    int sign = 0;                           // of the last time
    double gap = 0;                         // the least the current gap lasts
    double elapsed = 0;                     // the most the frame can have lasted
    std::array<int, kMaxBitCodings> left{}; // bits of a symbol not yet taken
    // The gap just measured, where it is a long one.
    auto closeGap = [&] {
        if (sign < 0 && gap >= kLongSilence) out.emplace_back(next - 1, gap);
    };
    auto time = [&](int s, double least, double most) {
        if (s != sign) {
            closeGap();
            ++next;
            gap = 0;
        }
        sign = s;
        if (s < 0) gap += least;
        elapsed += most;
    };
    // false: the places of later times are not fixed.
    auto walk = [&](const Stream& st, size_t from, size_t to, int coding) {
        for (size_t i = from; i < to; ++i) {
            const Item& it = st.items[i];
            switch (it.kind) {
            case Item::Kind::Flash:
            case Item::Kind::Gap:
                if (!it.duration.literal || !(it.duration.us > 0)) return false;
                time(it.kind == Item::Kind::Flash ? 1 : -1, it.duration.us, it.duration.us);
                break;
            case Item::Kind::Extent: {
                if (!it.duration.literal || sign <= 0) return false;
                const double least = it.duration.us - elapsed;
                time(-1, std::max(0.0, least), 0);
                closeGap();
                return false; // later extents count from where this one's gap ends
            }
            case Item::Kind::Assignment:
                break;
            case Item::Kind::BitField: {
                const Expr& e = t.exprs[size_t(it.expr)];
                if (coding < 0 || size_t(coding) >= kMaxBitCodings || e.b < 0 ||
                    t.exprs[size_t(e.b)].op != Op::Number)
                    return false;
                const BitCoding& bc = t.bitCodings[size_t(coding)];
                // Every symbol the same shape: times of literal lengths whose
                // signs agree place for place.
                std::vector<int> signs;
                std::vector<double> least, most;
                bool first = true;
                for (int alt : bc.alternatives) {
                    const Stream& a = t.streams[size_t(alt)];
                    std::vector<int> s;
                    for (const Item& x : a.items) {
                        if ((x.kind != Item::Kind::Flash && x.kind != Item::Kind::Gap) ||
                            !x.duration.literal || !(x.duration.us > 0))
                            return false;
                        const int g = x.kind == Item::Kind::Flash ? 1 : -1;
                        if (!s.empty() && s.back() == g) return false;
                        s.push_back(g);
                    }
                    if (s.empty() || (!first && s != signs)) return false;
                    if (first) {
                        signs = s;
                        least.assign(s.size(), std::numeric_limits<double>::infinity());
                        most.assign(s.size(), 0);
                    }
                    first = false;
                    for (size_t j = 0; j < s.size(); ++j) {
                        least[j] = std::min(least[j], a.items[j].duration.us);
                        most[j] = std::max(most[j], a.items[j].duration.us);
                    }
                }
                if (first || bc.bitsPerSymbol <= 0) return false;
                int bits = int(t.exprs[size_t(e.b)].number);
                if (bits < 0 || bits > 64) return false;
                const int taken = std::min(bits, left[size_t(coding)]);
                left[size_t(coding)] -= taken;
                bits -= taken;
                const int symbols = (bits + bc.bitsPerSymbol - 1) / bc.bitsPerSymbol;
                left[size_t(coding)] = symbols * bc.bitsPerSymbol - bits;
                for (int k = 0; k < symbols; ++k)
                    for (size_t j = 0; j < signs.size(); ++j)
                        time(signs[j], least[j], most[j]);
                break;
            }
            case Item::Kind::Variation:
                // Alternatives that only assign ([T=0][T=1]) send nothing.
                for (int alt : it.alternatives)
                    if (alt < 0 ||
                        std::any_of(t.streams[size_t(alt)].items.begin(),
                                    t.streams[size_t(alt)].items.end(),
                                    [](const Item& x) { return x.kind != Item::Kind::Assignment; }))
                        return false;
                break;
            case Item::Kind::Stream:
                return false;
            }
        }
        return true;
    };
    for (const PartStep& step : parts.intro) {
        const Stream& st = t.streams[size_t(step.stream)];
        if (step.wholeStream &&
            !(st.repeat == Repeat::Once || (st.repeat == Repeat::Count && st.count == 1)))
            return out;
        if (!walk(st, step.wholeStream ? 0 : step.from,
                  step.wholeStream ? st.items.size() : step.to, step.bitCoding))
            return out;
    }
    if (parts.repeatStream >= 0 && (parts.intro.empty() || parts.introPasses > 0)) {
        const Stream& st = t.streams[size_t(parts.repeatStream)];
        if (!walk(st, 0, st.items.size(), parts.repeatBitCoding)) return out;
    }
    closeGap(); // the frame's last: whatever follows it can only lengthen it
    return out;
}

CompiledProtocol compileProtocol(NamedProtocol protocol) {
    CompiledProtocol c;
    c.named = std::move(protocol);
    const Protocol::Tree& t = c.named.irp.tree();
    if (t.top >= 0) {
        c.parts = splitParts(t);
        std::optional<First> f = First{};
        for (const PartStep& step : c.parts.intro) {
            const Stream& st = t.streams[size_t(step.stream)];
            f = step.wholeStream ? firstOfStream(t, step.stream, 0)
                                 : firstFlash(t, st, step.from, step.to, 0);
            if (!f || f->known) break;
        }
        if (f && !f->known && c.parts.repeatStream >= 0)
            f = firstOfStream(t, c.parts.repeatStream, 0);
        if (f && f->known) {
            c.firstMin = f->min;
            c.firstMax = f->max;
            c.firstBounded = f->bounded;
            c.firstCapped = f->bounded || f->capped;
        }
    }
    c.valueFree = t.top >= 0 && valueFreeWalk(t, c.parts);
    if (t.top >= 0) c.silences = frameSilences(t, c.parts);
    c.readsNames.assign(t.exprs.size(), false);
    auto reads = [&](auto& self, int e, int depth) -> bool {
        if (e < 0 || depth > 64) return depth > 64;
        const Expr& x = t.exprs[size_t(e)];
        return x.op == Op::Name || self(self, x.a, depth + 1) || self(self, x.b, depth + 1) ||
               self(self, x.c, depth + 1);
    };
    for (size_t e = 0; e < t.exprs.size(); ++e)
        c.readsNames[e] = reads(reads, int(e), 0);
    for (const BitCoding& coding : t.bitCodings) {
        bool fixed = true;
        for (int alt : coding.alternatives)
            for (const Item& it : t.streams[size_t(alt)].items)
                fixed = fixed && (it.kind == Item::Kind::Flash || it.kind == Item::Kind::Gap) &&
                        it.duration.literal;
        c.fixedSymbols.push_back(fixed);
        bool fields = false;
        for (int alt : coding.alternatives)
            for (const Item& it : t.streams[size_t(alt)].items)
                fields = fields || it.kind == Item::Kind::BitField;
        c.fieldSymbols.push_back(fields);
    }
    c.resolution = symbolSeparation(t);
    for (const Stream& st : t.streams)
        for (const Item& it : st.items) {
            if ((it.kind != Item::Kind::Flash && it.kind != Item::Kind::Gap) ||
                !it.duration.literal)
                continue;
            double us = t.durationUs(it.duration.value, it.duration.unit);
            if (!(us > 0)) continue;
            if (it.kind == Item::Kind::Gap) c.resolution = std::min(c.resolution, us);
            if (it.kind == Item::Kind::Flash && (c.shortestFlash == 0 || us < c.shortestFlash))
                c.shortestFlash = us;
        }
    for (const Slot& s : t.slots)
        c.checksummed = c.checksummed || s.kind == SlotKind::Definition;
    for (const Preference& p : c.named.preferOver) {
        if (p.condition.empty()) {
            c.conditions.emplace_back();
            continue;
        }
        try {
            c.conditions.emplace_back(parse("(0:1){_c=(" + p.condition + ")}"));
        } catch (const ParseError&) {
            c.conditions.emplace_back(parse("(0:1){_c=0}")); // an unreadable condition never holds
        }
    }
    return c;
}

namespace {

// The relative and absolute tolerance a protocol is matched with.
std::pair<double, double> tolerances(const CompiledProtocol& cp, const DecodeOptions& options) {
    double rel = options.relativeTolerance.value_or(
        cp.named.relativeTolerance.value_or(options.defaultRelativeTolerance));
    double abs = options.absoluteTolerance.value_or(
        cp.named.absoluteTolerance.value_or(options.defaultAbsoluteTolerance));
    // A protocol's own tolerances are for times measured at the carrier; a
    // demodulating receiver's pace, jitter and sampling step need more.
    if (options.demodulated) {
        rel = std::max(rel, options.receiverRelativeTolerance);
        abs = std::max(abs, options.receiverAbsoluteTolerance);
    }
    return {rel, abs};
}

// Whether a capture's first burst can start a press of the protocol.
bool leadInFits(const CompiledProtocol& cp, double first, double rel, double abs) {
    if (cp.firstMin <= 0) return true;
    if (first < cp.firstMin - std::max(abs, rel * cp.firstMin)) return false;
    return !cp.firstCapped || first <= cp.firstMax + std::max(abs, rel * cp.firstMax);
}

// Times finer than a receiver's error: a reading through one is a guess
// unless the capture itself is finer (a checksum catches one wrong symbol,
// not two that cancel).
bool fineLevels(const CompiledProtocol& cp, const DecodeOptions& options) {
    return options.demodulated && cp.resolution <= options.receiverAbsoluteTolerance;
}

// Levels a little coarser than that: near readings may rival the nearest,
// and the capture may still resolve it.
bool nearLevels(const CompiledProtocol& cp, const DecodeOptions& options) {
    return options.demodulated && !fineLevels(cp, options) &&
           cp.resolution <= 2 * options.receiverAbsoluteTolerance;
}

// A walk through a receiver that read the whole pass, whether its checks
// held or not: the symbols it chose, to search the readings near it.
struct Attempt {
    bool walked = false;
    // A walk that found no reading: the room its times had (see
    // Walker::slack); else 0.
    double slack = 0;
    // A walk that read: how far its times could move before a decision that
    // failed (the pass after the last one read, a rival symbol) passed.
    double failRoom = 0;
    bool doubtful = false; // refused for a merged time blurred by a part
    size_t end = 0;
    double error = 0, pace = 1;
    std::vector<Choice> path;
};

// runTolerance: the share of a merged run's length it may be off (a
// demodulated capture; the options' receiver tolerance where negative).
std::optional<Decode> decodeOne(const CompiledProtocol& cp, const std::vector<double>& times,
                                const DecodeOptions& options,
                                const std::vector<int8_t>* forced = nullptr,
                                Attempt* attempt = nullptr, TryCache* tries = nullptr,
                                double runTolerance = -1) {
    const Protocol::Tree& t = cp.named.irp.tree();
    if (t.top < 0 || times.empty()) return std::nullopt;
    auto [rel, abs] = tolerances(cp, options);
    if (!leadInFits(cp, times[0], rel, abs)) return std::nullopt;
    const Parts& parts = cp.parts;
    Walker w(t, times, rel, abs);
    // Only a walk that found no reading at all fails the same on times
    // moved by less than its room: where one was found and refused
    // afterwards, the order of the symbols tried (which moved times may
    // change) decided which.
    bool noReading = false;
    struct Room {
        const Walker& w;
        const bool& noReading;
        Attempt* attempt;
        ~Room() {
            if (attempt) {
                // Where only the nearest symbols are tried, which those are
                // is a decision too.
                const double share = w.cutShort ? 0 : w.extentRead ? 0.5 : 1;
                const double room = noReading && !w.nearestTwo ? w.failRoom
                                    : !w.orderMattered         ? w.slack
                                                               : 0;
                attempt->slack = share * room;
                attempt->failRoom = noReading || w.nearestTwo ? 0 : share * w.failRoom;
            }
        }
    } room{w, noReading, attempt};
    w.memo = cp.valueFree;
    w.readsNames = &cp.readsNames;
    w.fieldSymbols = &cp.fieldSymbols;
    if (options.demodulated) {
        w.pace = runTolerance >= 0 ? runTolerance : options.receiverRelativeTolerance;
        w.nearest = true;
        w.nearestTwo = fineLevels(cp, options);
        w.forced = forced;
        w.tries = tries;
        w.fixedSymbols = &cp.fixedSymbols;
    }
    Decode out;
    out.protocol = cp.named.name;

    // The intro: its steps chained, then the passes of the repeat stream
    // it holds (+: one), then the end of the part.
    std::vector<Cont> chain(parts.intro.size() + 2);
    Cont* nextCont = &chain.back();
    nextCont->kind = Cont::Kind::Done;
    const Stream* repeat =
        parts.repeatStream >= 0 ? &t.streams[size_t(parts.repeatStream)] : nullptr;
    size_t slot = chain.size() - 1;
    if (repeat && parts.introPasses > 0) {
        Cont& loop = chain[--slot];
        loop.kind = Cont::Kind::Loop;
        loop.stream = repeat;
        loop.bitCoding = repeat->bitCoding;
        loop.remaining = parts.introPasses;
        loop.next = nextCont;
        nextCont = &loop;
    }
    for (size_t i = parts.intro.size(); i-- > 0;) {
        const PartStep& step = parts.intro[i];
        const Stream& st = t.streams[size_t(step.stream)];
        Cont& c = chain[--slot];
        if (step.wholeStream) {
            c.kind = Cont::Kind::Loop;
            c.stream = &st;
            c.bitCoding = st.bitCoding;
            c.remaining = st.repeat == Repeat::Star ? 0 : st.repeat == Repeat::Plus ? 1 : st.count;
        } else {
            c.kind = Cont::Kind::Items;
            c.stream = &st;
            c.pos = uint32_t(step.from);
            c.end = uint32_t(step.to);
            c.bitCoding = st.bitCoding;
        }
        c.next = nextCont;
        nextCont = &c;
    }
    size_t before = w.index;
    if (!w.match(nextCont)) {
        noReading = true;
        return std::nullopt;
    }
    out.intro = w.index > before;

    const bool hasEnding = repeat && (parts.endingPass || !parts.ending.empty());
    std::vector<Cont> tail(hasEnding ? parts.ending.size() + 2 : 0);
    // The ending where the capture goes on; the walk is restored when it
    // does not match.
    auto tryEnding = [&] {
        if (w.index >= times.size()) return false;
        auto s = w.snap();
        size_t at = w.index;
        Cont* n = &tail.back();
        n->kind = Cont::Kind::Done;
        size_t k = tail.size() - 1;
        for (size_t i = parts.ending.size(); i-- > 0;) {
            const PartStep& step = parts.ending[i];
            const Stream& st = t.streams[size_t(step.stream)];
            Cont& c = tail[--k];
            c.kind = Cont::Kind::Items;
            c.pass = Pass::Ending;
            c.stream = &st;
            c.pos = uint32_t(step.from);
            c.end = uint32_t(step.to);
            c.bitCoding = st.bitCoding;
            c.next = n;
            n = &c;
        }
        if (parts.endingPass) {
            Cont& c = tail[--k];
            c.kind = Cont::Kind::Items;
            c.pass = Pass::Ending;
            c.stream = repeat;
            c.end = uint32_t(repeat->items.size());
            c.bitCoding = repeat->bitCoding;
            c.next = n;
            n = &c;
        }
        const bool ordered = w.orderMattered;
        w.beginPass();
        n->start = w.now();
        if (w.match(n) && w.index > at) return true;
        w.restore(s);
        w.orderMattered = ordered; // a pass that failed whole: no reading came first
        return false;
    };
    std::optional<Walker::Snap> beforeLast;
    // Repeats, greedily: each pass that matches is kept.
    if (repeat) {
        Cont done;
        Cont body;
        body.kind = Cont::Kind::Items;
        body.pass = Pass::Repeat;
        body.stream = repeat;
        body.end = uint32_t(repeat->items.size());
        body.bitCoding = repeat->bitCoding;
        body.next = &done;
        while (out.repeats < kMaxRepeats && w.index < times.size()) {
            auto s = w.snap();
            size_t at = w.index;
            const bool ordered = w.orderMattered;
            w.beginPass();
            body.start = w.now();
            if (!w.match(&body) || w.index == at) {
                w.restore(s);
                w.orderMattered = ordered;
                break;
            }
            beforeLast = s;
            ++out.repeats;
        }
        // The ending: a third pass of the repeat stream, then what follows it.
        if (hasEnding) out.ending = tryEnding();
    }
    if (!out.intro && out.repeats == 0) return std::nullopt;
    if (cp.named.rejectRepeatless && out.repeats == 0) return std::nullopt;
    // A frame ends in silence: where the signal goes on after a short gap,
    // what was read is a piece of a longer frame, not this protocol's.
    if (w.index > 0 && w.index + w.index % 2 < times.size()) {
        const double silence = w.index % 2 == 1 ? times[w.index] - w.used : times[w.index - 1];
        const double least = std::max(kShortestSilence, cp.named.minimumLeadout.value_or(0));
        w.slack = std::min(w.slack, std::fabs(silence - least));
        if (silence < least) return std::nullopt;
    }
    if (attempt) {
        attempt->walked = true;
        attempt->end = w.index + (w.used > 0 ? 1 : 0);
        attempt->error = w.symbolCost;
        attempt->pace = w.squared > 0 ? w.scaled / w.squared : 1;
        attempt->path = w.path;
    }
    // A run of so many parts that a remote's pace moves it by half a part,
    // where no time alone shows the pace (a frame of one run, all ones), is
    // blurred as well.
    const bool unpaced = w.pace > 0 && w.longestRun * kRemotePace >= 0.5 && w.squared == 0;
    // A merged time a receiver blurs by a part, and no checksum: refused,
    // but walked, so that it is read again at the remote's own pace.
    if ((w.doubtfulRuns > 0 || unpaced) && !cp.checksummed) {
        if (attempt) attempt->doubtful = true;
        return std::nullopt;
    }
    bool settled = settle(w, out.params, out.defaulted, out.checks);
    // An ending sent with the repeat's own values passes for one more
    // repeat: read the last pass as the ending when only that settles.
    if (!settled && hasEnding && !out.ending && beforeLast) {
        w.restore(*beforeLast);
        if (tryEnding()) {
            --out.repeats;
            out.ending = true;
            out.params = {};
            out.defaulted = {};
            settled = settle(w, out.params, out.defaulted, out.checks);
        }
    }
    if (!settled) return std::nullopt;
    if (!out.intro && out.repeats == 0) return std::nullopt;
    if (cp.named.rejectRepeatless && out.repeats == 0) return std::nullopt;
    out.begin = 0;
    out.end = w.index + (w.used > 0 ? 1 : 0);
    out.bitsRead = w.bitsRead;
    out.timingError = w.matched ? w.error / w.matched : 0;
    if (attempt) {
        attempt->end = out.end;
        attempt->error = w.symbolCost;
    }
    out.stretched = w.stretched;
    return out;
}

// Symbols closer together than a receiver's error: the nearest symbol is
// often not the one sent. The readings that take other alternatives for a
// few symbols, in order of how much worse they fit, are walked again, and
// their checks decide. When two readings with other parameters fit about
// equally well, none is given: a miss is honest, another code is a lie.
struct NearReadings {
    // Rivals fitting at most this much worse than the symbol taken are
    // tried (a symbol's deviation counts in shares of its tolerance).
    double window = 0.5;
    // Readings this close to the best one are as likely as it.
    double margin = 0.6;
    size_t singles = 48, walks = 160;
};

// Searches again from a better reading, at most this many times.
constexpr int kRestarts = 3;

struct Reading {
    Decode decode;
    double error;
};

// base: the reading the search starts from, with the symbols forced to
// reach it (none: the nearest reading); valid gathers every reading that
// held its checks, over the searches from better and better bases.
std::optional<Decode> searchNear(const CompiledProtocol& cp, const std::vector<double>& times,
                                 const DecodeOptions& options, const Attempt& base,
                                 std::optional<Decode> greedy, const NearReadings& near,
                                 std::vector<int8_t> baseForced, std::vector<Reading>& valid,
                                 int restarts) {
    if (greedy) valid.push_back({*greedy, base.error});
    // A settled reading has rivals only among changes within the margin.
    const double window = greedy ? near.margin : near.window;
    struct Change {
        double delta;
        uint32_t symbol;
        uint8_t alt;
    };
    std::vector<Change> changes;
    for (size_t i = 0; i < base.path.size(); ++i)
        for (size_t r = 0; r < base.path[i].rivals; ++r) {
            auto [delta, alt] = base.path[i].rival[r];
            if (delta <= window)
                changes.push_back({std::max(0.0, double(delta)), uint32_t(i), alt});
        }
    auto best = [&]() -> const Reading* {
        const Reading* b = nullptr;
        for (const Reading& r : valid)
            if (!b || r.error < b->error) b = &r;
        return b;
    };
    // The best of every reading found; none as close to it with other
    // parameters.
    auto verdict = [&](bool settled) -> std::optional<Decode> {
        const Reading* b = best();
        if (!b || !settled) return std::nullopt;
        for (const Reading& r : valid)
            if (r.error <= b->error + near.margin && !(r.decode.params == b->decode.params))
                return std::nullopt;
        return b->decode;
    };
    if (changes.empty()) return verdict(true);
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.delta < b.delta; });
    if (changes.size() > near.singles) changes.resize(near.singles);

    baseForced.resize(base.path.size(), -1);
    std::vector<int8_t> forced = baseForced;
    size_t walks = 0;
    TryCache tries;
    // The valid reading that fits better than the base, and how it was reached.
    std::optional<Attempt> better;
    std::optional<Decode> betterDecode;
    std::vector<int8_t> betterForced;
    auto walk = [&](double& cost) {
        ++walks;
        Attempt a;
        auto d = decodeOne(cp, times, options, &forced, &a, &tries);
        if (!a.walked || a.end != base.end) return false;
        cost = a.error;
        if (d && d->end == base.end) {
            if (a.error < (better ? better->error : base.error) - 1e-6) {
                better = a;
                betterDecode = *d;
                betterForced = forced;
            }
            valid.push_back({std::move(*d), a.error});
        }
        return true;
    };
    // Each change on its own first: what it costs once the symbols that
    // must agree with it (a repeat's copy of a parameter) follow.
    std::vector<Change> singles;
    for (const Change& c : changes) {
        forced[c.symbol] = int8_t(c.alt);
        double cost = 0;
        if (walk(cost)) singles.push_back({std::max(0.0, cost - base.error), c.symbol, c.alt});
        forced[c.symbol] = baseForced[c.symbol];
    }
    // A change that fits better than the base: the sets are counted from
    // the base, so search again from there (the changes together may fit
    // better still, and another reading may be as close).
    if (better && restarts > 0)
        return searchNear(cp, times, options, *better, betterDecode, near, betterForced, valid,
                          restarts - 1);
    std::sort(singles.begin(), singles.end(),
              [](const Change& a, const Change& b) { return a.delta < b.delta; });
    // Then sets of two and more in order of their summed cost: each set
    // grows by the next change or moves its last change on to the next.
    struct Set {
        double delta;
        std::vector<uint8_t> picks;
        bool operator<(const Set& o) const { return delta > o.delta; }
    };
    std::vector<Set> heap;
    if (singles.size() >= 2) heap.push_back({singles[0].delta + singles[1].delta, {0, 1}});
    bool settledAll = false; // every set within the bound walked
    while (true) {
        if (heap.empty()) {
            settledAll = true;
            break;
        }
        std::pop_heap(heap.begin(), heap.end());
        Set set = std::move(heap.back());
        heap.pop_back();
        const Reading* b = best();
        if (set.delta > (b ? b->error - base.error + near.margin : near.window)) {
            settledAll = true;
            break;
        }
        const size_t last = set.picks.back();
        if (last + 1 < singles.size()) {
            Set grown = set;
            grown.picks.push_back(uint8_t(last + 1));
            grown.delta += singles[last + 1].delta;
            heap.push_back(std::move(grown));
            std::push_heap(heap.begin(), heap.end());
            Set moved = set;
            moved.delta += singles[last + 1].delta - singles[last].delta;
            moved.picks.back() = uint8_t(last + 1);
            heap.push_back(std::move(moved));
            std::push_heap(heap.begin(), heap.end());
        }
        if (walks >= near.walks) break;
        forced = baseForced;
        bool twice = false;
        for (uint8_t p : set.picks) {
            const Change& c = singles[p];
            twice = twice || forced[c.symbol] != baseForced[c.symbol];
            forced[c.symbol] = int8_t(c.alt);
        }
        double cost = 0;
        if (!twice) walk(cost);
    }
    // Not every reading as close as the best one was walked: it may not be alone.
    return verdict(settledAll);
}

bool hasRivals(const Attempt& a, double window) {
    for (const Choice& c : a.path)
        for (size_t r = 0; r < c.rivals; ++r)
            if (c.rival[r].first <= window) return true;
    return false;
}

// The times read again at a remote's own pace.
std::vector<double> timesAtPace(const std::vector<double>& times, double pace) {
    std::vector<double> paced(times.size());
    for (size_t i = 0; i < times.size(); ++i)
        paced[i] = times[i] / pace;
    return paced;
}

// A reading's fit is at the pace found. Remotes keep within a few percent
// of theirs: a protocol of other timing read at a far pace fits worse.
double paceCost(double pace) {
    return std::max(0.0, std::fabs(1 - pace) - kRemotePace);
}

// Only a walk with a rival close enough to matter is searched. A remote a
// few percent fast or slow moves long symbols onto their neighbours: the
// times are read again at the pace the first walk shows.
std::optional<Decode> readNear(const CompiledProtocol& cp, const std::vector<double>& times,
                               const DecodeOptions& options, const Attempt& base,
                               std::optional<Decode> greedy, const NearReadings& near = {}) {
    const bool paceable = std::fabs(base.pace - 1) > 0.005 && base.pace > 0.8 && base.pace < 1.25;
    auto atPace = [&] { return timesAtPace(times, base.pace); };
    // A walk refused for a blurred run is read once more at the remote's
    // own pace, where that is a pace a remote keeps to.
    if (base.doubtful) {
        if (!paceable || std::fabs(base.pace - 1) > 0.1) return greedy;
        const std::vector<double> paced = atPace();
        Attempt a;
        auto d = decodeOne(cp, paced, options, nullptr, &a);
        if (a.walked && a.doubtful) {
            // At the remote's own pace a long run is off by the receiver's
            // jitter alone: held to half the tolerance, a run a unit too
            // short or long is no reading.
            Attempt tight;
            auto t = decodeOne(cp, paced, options, nullptr, &tight, nullptr,
                               options.receiverRelativeTolerance / 2);
            if (t && !tight.doubtful && tight.end >= base.end) {
                t->timingError += paceCost(base.pace);
                return t;
            }
        }
        if (!a.walked || a.doubtful || a.end < base.end) return greedy;
        auto read = readNear(cp, paced, options, a, std::move(d), near);
        if (read) read->timingError += paceCost(base.pace);
        return read;
    }
    if (!hasRivals(base, greedy ? near.margin : near.window)) return greedy;
    if (paceable) {
        const std::vector<double> paced = atPace();
        Attempt a;
        auto d = decodeOne(cp, paced, options, nullptr, &a);
        if (a.walked && a.end >= base.end) {
            std::vector<Reading> valid;
            auto read = searchNear(cp, paced, options, a, d, near, {}, valid, kRestarts);
            if (read) read->timingError += paceCost(base.pace);
            return read;
        }
    }
    std::vector<Reading> valid;
    return searchNear(cp, times, options, base, std::move(greedy), near, {}, valid, kRestarts);
}

} // namespace

namespace {

void takeOffExcess(std::span<const int64_t> durations, double excess, std::vector<double>& times) {
    times.resize(durations.size());
    for (size_t i = 0; i < durations.size(); ++i)
        times[i] = double(durations[i] < 0 ? -durations[i] : durations[i]);
    if (excess != 0)
        for (size_t i = 0; i < times.size(); i += 2) {
            double e = std::min(excess, times[i] - 1);
            if (e < 0 && i + 1 < times.size()) e = std::max(e, 1 - times[i + 1]);
            times[i] -= e;
            if (i + 1 < times.size()) times[i + 1] += e;
        }
}

// A demodulated capture's short bursts (the lower quarter, the last burst
// left out); nullopt when it has none. Its excess against a protocol is
// what these are longer than the protocol's shortest burst.
std::optional<double> shortBursts(const std::vector<double>& times) {
    std::array<double, 64> bursts;
    size_t n = 0;
    for (size_t i = 0; i + 2 < times.size() && n < bursts.size(); i += 2)
        bursts[n++] = times[i];
    if (n == 0) return std::nullopt;
    std::nth_element(bursts.begin(), bursts.begin() + long(n / 4), bursts.begin() + long(n));
    return bursts[n / 4];
}

// The capture with each burst excess tried so far taken off: protocols
// share most of the excesses, and copying a long capture for each one
// costs more than a walk that fails early.
class ExcessCache {
public:
    explicit ExcessCache(std::span<const int64_t> durations) : m_durations(durations) {}
    const std::vector<double>& times(double excess) {
        for (const auto& [e, t] : m_entries)
            if (e == excess) return t;
        m_entries.emplace_back(excess, std::vector<double>{});
        takeOffExcess(m_durations, excess, m_entries.back().second);
        return m_entries.back().second;
    }

private:
    std::span<const int64_t> m_durations;
    std::deque<std::pair<double, std::vector<double>>> m_entries;
};

// Whether a capture resolves levels finer than a receiver's error: every
// time of the reading, at the remote's pace and with the excess its bursts
// show, lies within a third of the levels' spacing of what the reading
// sends. A symbol read as its neighbour lay two thirds of a spacing off
// while every other lay within a third.
bool resolves(const std::vector<int64_t>& sent, double resolution, const Decode& d,
              const std::vector<double>& times) {
    // The last time read may run on into silence; lead-outs and frame gaps
    // carry no level.
    if (d.end <= d.begin + 1 || d.end > times.size()) return false;
    const size_t count = d.end - d.begin - 1;
    if (sent.size() < count) return false;
    constexpr double kLevelTime = 4000;
    auto level = [&](size_t i) { return double(sent[i]) <= kLevelTime; };
    auto measured = [&](size_t i) { return times[d.begin + i]; };
    // The pace from a burst with its gap, whose sum no excess moves.
    double product = 0, squared = 0;
    for (size_t i = 0; i + 1 < count; i += 2)
        if (level(i + 1)) {
            const double m = measured(i) + measured(i + 1), s = double(sent[i] + sent[i + 1]);
            product += m * s;
            squared += s * s;
        }
    if (squared <= 0) return false;
    const double pace = product / squared;
    // A receiver settles on the first burst: it may run on into its gap by
    // more than the others, so that pair is held by its sum alone.
    const size_t settled = count > 2 && level(0) && level(1) ? 2 : 0;
    double excess = 0;
    int bursts = 0;
    for (size_t i = settled; i < count; i += 2)
        if (level(i)) {
            excess += measured(i) - pace * double(sent[i]);
            ++bursts;
        }
    excess /= std::max(1, bursts);
    if (settled &&
        std::fabs(measured(0) + measured(1) - pace * double(sent[0] + sent[1])) > resolution / 3)
        return false;
    for (size_t i = settled; i < count; ++i) {
        const double off = measured(i) - pace * double(sent[i]) + (i % 2 == 0 ? -excess : excess);
        if (level(i) && std::fabs(off) > resolution / 3) return false;
    }
    return true;
}

// The same for what the decode's parameters render; a last pass read as a
// repeat may be the ending, sent with values of its own.
bool resolves(const CompiledProtocol& cp, const Decode& d, const std::vector<double>& times) {
    Rendered r;
    try {
        RenderOptions ro;
        ro.repeats = d.repeats;
        r = render(cp.named.irp, d.params, ro);
    } catch (const RenderError&) {
        return false;
    }
    if (!d.intro) r.intro.clear();
    if (resolves(r.press(d.repeats), cp.resolution, d, times)) return true;
    return !d.ending && d.repeats > 0 && !r.ending.empty() &&
           resolves(r.press(d.repeats - 1), cp.resolution, d, times);
}

// Levels finer than a receiver's error have no near readings to weigh: the
// capture either resolves the nearest reading, at the remote's own pace, or
// none.
std::optional<Decode> readFine(const CompiledProtocol& cp, const std::vector<double>& times,
                               const DecodeOptions& options, const Attempt& base,
                               std::optional<Decode> greedy) {
    if (!greedy && std::fabs(base.pace - 1) > 0.005 && base.pace > 0.9 && base.pace < 1.1)
        greedy = decodeOne(cp, timesAtPace(times, base.pace), options);
    if (greedy && !resolves(cp, *greedy, times)) return std::nullopt;
    return greedy;
}

// Whether the capture has a short gap where the protocol's first frame
// has a long silence (see CompiledProtocol::silences). Never stricter than
// the walk: a silence is read down to its tolerance below its length, and a
// gap gains at most a burst's excess as it is taken off.
bool missesASilence(const CompiledProtocol& cp, std::span<const int64_t> durations,
                    const DecodeOptions& options) {
    if (cp.silences.empty()) return false;
    const auto [rel, abs] = tolerances(cp, options);
    const double loosest =
        std::max(rel, options.demodulated ? options.receiverRelativeTolerance : 0);
    const double mostExcess =
        std::max({0.0, options.burstExcess, options.demodulated ? options.maximumBurstExcess : 0});
    for (auto [at, length] : cp.silences) {
        const double least = std::min(length / 2, length * (1 - loosest) - abs);
        // The capture's last time may be a recorder's timeout.
        if (at + 1 < durations.size() && double(std::llabs(durations[at])) + mostExcess < least)
            return true;
    }
    return false;
}

// A demodulating receiver puts out no burst or gap this short.
constexpr int64_t kGlitch = 40; // us

} // namespace

std::optional<std::vector<int64_t>> withoutGlitches(std::span<const int64_t> durations,
                                                    std::vector<size_t>* origin) {
    auto at = [&](size_t i) { return int64_t(std::llabs(durations[i])); };
    const size_t n = durations.size();
    if (std::none_of(durations.begin(), durations.end(),
                     [](int64_t t) { return std::llabs(t) <= kGlitch; }))
        return std::nullopt;
    // A time no longer than kGlitch is a glitch only far below its
    // neighbours and below the shorter times of its kind: where a long
    // excess leaves every gap of a code that short, those are the signal's.
    std::array<int64_t, 2> quartile{};
    for (size_t kind = 0; kind < 2; ++kind) {
        std::vector<int64_t> times;
        for (size_t i = kind; i < n; i += 2)
            times.push_back(at(i));
        if (times.size() < 4) return std::nullopt;
        std::nth_element(times.begin(), times.begin() + long(times.size() / 4), times.end());
        quartile[kind] = times[times.size() / 4];
    }
    auto glitch = [&](size_t i) {
        return i > 0 && i + 1 < n && at(i) <= kGlitch &&
               4 * at(i) <= std::min({at(i - 1), at(i + 1), quartile[i % 2]});
    };
    std::vector<int64_t> merged;
    if (origin) origin->clear();
    for (size_t i = 0; i < n; ++i) {
        if (glitch(i)) {
            // The glitch and the time after it belong to the time before.
            merged.back() += at(i) + at(i + 1);
            ++i;
            continue;
        }
        merged.push_back(at(i));
        if (origin) origin->push_back(i);
    }
    // Glitches are rare: short times that come again and again (a flash a
    // frame) are the signal's.
    const size_t glitches = (n - merged.size()) / 2;
    if (glitches == 0 || glitches > std::max<size_t>(1, n / 32)) return std::nullopt;
    return merged;
}

Identification identify(const ProtocolTable& table, std::span<const int64_t> durations,
                        const DecodeOptions& options) {
    if (std::vector<size_t> origin; options.demodulated)
        if (auto merged = withoutGlitches(durations, &origin)) {
            Identification out = identify(table, *merged, options);
            for (Decode& d : out.decodes) {
                d.begin = origin[d.begin];
                d.end = d.end < origin.size() ? origin[d.end] : durations.size();
            }
            return out;
        }
    std::vector<std::string> unresolved;
    std::vector<double> times;
    takeOffExcess(durations, options.burstExcess, times);
    const std::optional<double> shortBurst =
        options.demodulated ? shortBursts(times) : std::nullopt;
    ExcessCache excessTimes(durations);
    const auto& compiled = table.compiled();
    std::vector<Candidate> found;
    for (size_t i = 0; i < compiled.protocols.size(); ++i) {
        const CompiledProtocol& cp = compiled.protocols[i];
        if (!cp.named.decodable) continue;
        if (!options.only.empty() &&
            std::none_of(options.only.begin(), options.only.end(),
                         [&](const std::string& n) { return table.find(n) == &cp.named; }))
            continue;
        if (missesASilence(cp, durations, options)) continue;
        std::optional<Decode> d;
        bool early = false;
        const bool fine = fineLevels(cp, options);
        if (!options.demodulated) {
            d = decodeOne(cp, times, options);
        } else if (!durations.empty()) {
            // The excess this protocol's shortest burst shows, the estimate
            // given, the one its lead-in burst shows, then a few across the
            // receivers' range near those (a receiver's excess is not
            // 100 us off what the capture's own bursts say): the closest fit
            // of those that decode.
            double tried[10];
            size_t n = 0;
            const double firstBurst = double(std::llabs(durations[0]));
            const auto [rel, abs] = tolerances(cp, options);
            // The walk kept, and the closest one whose checks failed.
            Attempt kept, failed;
            double keptExcess = 0, failedExcess = 0;
            if (cp.shortestFlash > 0)
                tried[n++] =
                    options.burstExcess + (shortBurst ? *shortBurst - cp.shortestFlash : 0);
            tried[n++] = options.burstExcess;
            // A lead-in that shows an excess no receiver has estimates none.
            if (cp.firstBounded) {
                const double lead = double(std::llabs(durations[0])) - cp.firstMin;
                if (lead >= options.minimumBurstExcess && lead <= options.maximumBurstExcess)
                    tried[n++] = lead;
            }
            const size_t estimates = n;
            for (double e = 50; e <= options.maximumBurstExcess && n < 10; e += 50)
                tried[n++] = e;
            for (size_t k = 0; k < n; ++k)
                tried[k] =
                    std::clamp(tried[k], options.minimumBurstExcess, options.maximumBurstExcess);
            // Whether one of the first `count` tries lies within `us` of excess.
            auto within = [&](size_t count, double excess, double us) {
                for (size_t j = 0; j < count; ++j)
                    if (std::fabs(tried[j] - excess) <= us) return true;
                return false;
            };
            // Walks that failed short of a whole pass, and how far the
            // excess could move (a burst and the gap after it) before any
            // decision of theirs did.
            std::array<std::pair<double, double>, 10> dead;
            size_t deadCount = 0;
            for (size_t k = 0; k < n; ++k) {
                const double excess = tried[k];
                if (within(k, excess, 20)) continue;
                if (k >= estimates && !within(estimates, excess, 100)) continue;
                if (std::any_of(dead.begin(), dead.begin() + long(deadCount),
                                [&](auto dr) { return std::fabs(excess - dr.first) < dr.second; }))
                    continue;
                // The lead-in as takeOffExcess leaves it, before copying.
                double e0 = std::min(excess, firstBurst - 1);
                if (e0 < 0 && durations.size() > 1)
                    e0 = std::max(e0, 1 - double(std::llabs(durations[1])));
                if (!leadInFits(cp, firstBurst - e0, rel, abs)) continue;
                Attempt a;
                auto e = decodeOne(cp, excessTimes.times(excess), options, nullptr, &a);
                if (e && (!d || e->end > d->end ||
                          (e->end == d->end && e->timingError < d->timingError))) {
                    d = std::move(e);
                    kept = std::move(a);
                    keptExcess = excess;
                } else if (!e && a.walked &&
                           (!failed.walked || a.end > failed.end ||
                            (a.end == failed.end && a.error < failed.error))) {
                    failed = std::move(a);
                    failedExcess = excess;
                } else if (!e && !a.walked) {
                    dead[deadCount++] = {excess, a.slack};
                }
                // Read closely, and as far as the capture goes or as far as
                // any excess left to try could read: none does better.
                if (d && d->timingError < 0.04 &&
                    (d->end >= durations.size() ||
                     std::all_of(tried + k + 1, tried + n, [&](double e) {
                         return std::fabs(e - keptExcess) < kept.failRoom;
                     })))
                    break;
            }
            early = d && keptExcess < 0;
            if (d || failed.walked) {
                const Attempt& base = d ? kept : failed;
                const auto& read = excessTimes.times(d ? keptExcess : failedExcess);
                // Levels a little coarser than a receiver's error, resolved
                // by the capture: a rival reading would lie two thirds of a
                // spacing off where this one lies within a third.
                const bool resolved = d && nearLevels(cp, options) && resolves(cp, *d, read);
                if (!resolved)
                    d = fine ? readFine(cp, read, options, base, std::move(d))
                             : readNear(cp, read, options, base, std::move(d));
                // The frame fits; only its levels are too fine to read here.
                if (!d && (fine || nearLevels(cp, options))) unresolved.push_back(cp.named.name);
            }
        }
        if (d) found.push_back({std::move(*d), i, early});
    }
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        if (a.decode.end != b.decode.end) return a.decode.end > b.decode.end;
        // Lead-outs as the protocol writes them before stretched ones.
        if (a.decode.stretched != b.decode.stretched)
            return a.decode.stretched < b.decode.stretched;
        // A clearly closer fit first: a loose reading by a protocol of
        // other timing must not win on bits alone.
        if (std::fabs(a.decode.timingError - b.decode.timingError) > 0.03)
            return a.decode.timingError < b.decode.timingError;
        if (a.decode.bitsRead != b.decode.bitsRead) return a.decode.bitsRead > b.decode.bitsRead;
        if (a.decode.defaulted.size() != b.decode.defaulted.size())
            return a.decode.defaulted.size() < b.decode.defaulted.size();
        // Receivers lengthen bursts far more often than they shorten them.
        if (a.early != b.early) return b.early;
        return a.decode.timingError < b.decode.timingError;
    });
    // A protocol that prefers over another comes before it.
    for (size_t pass = 0; pass < found.size(); ++pass) {
        bool moved = false;
        for (size_t i = 0; i < found.size(); ++i)
            for (size_t j = i + 1; j < found.size(); ++j) {
                const CompiledProtocol& later = compiled.protocols[found[j].protocol];
                for (auto [target, k] : later.preferred)
                    if (target == found[i].protocol &&
                        preferenceHolds(later, k, found[j].decode.params)) {
                        auto c = std::move(found[j]);
                        found.erase(found.begin() + long(j));
                        found.insert(found.begin() + long(i), std::move(c));
                        moved = true;
                        break;
                    }
            }
        if (!moved) break;
    }
    Identification out;
    out.decodes.reserve(found.size());
    for (auto& c : found)
        out.decodes.push_back(std::move(c.decode));
    if (out.decodes.empty()) out.unresolved = std::move(unresolved);
    return out;
}

std::vector<Decode> decode(const ProtocolTable& table, std::span<const int64_t> durations,
                           const DecodeOptions& options) {
    return identify(table, durations, options).decodes;
}

} // namespace qv::irp
