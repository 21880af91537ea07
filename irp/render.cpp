// Parameters into burst and gap times: the tree walked once per part, every
// bit field sent through its bit alternatives, neighbours of one sign merged.
#include "irp/parts.h"
#include "irp/tree.h"

#include <cmath>
#include <map>

namespace qv::irp {

namespace {

[[noreturn]] void unrenderable(const std::string& why) {
    throw RenderError(RenderError::Kind::Unrenderable, "", "cannot render: " + why);
}

class Renderer {
public:
    Renderer(const Protocol::Tree& tree, Evaluator& ev) : t(tree), ev(ev) {}

    void items(const Stream& st, size_t from, size_t to, int bitCoding, Pass pass,
               std::vector<double>& out) {
        double start = elapsed;
        for (size_t i = from; i < to; ++i) {
            const Item& it = st.items[i];
            switch (it.kind) {
            case Item::Kind::Flash:
                emit(duration(it.duration), out);
                break;
            case Item::Kind::Gap:
                emit(-duration(it.duration), out);
                break;
            case Item::Kind::Extent: {
                double left = duration(it.duration) - (elapsed - start);
                if (left > 0) emit(-left, out);
                start = elapsed;
                break;
            }
            case Item::Kind::Assignment: {
                auto v = ev.eval(it.expr);
                if (!v) unrenderable("the value of " + t.slots[it.slot].name + " is unknown");
                ev.set(it.slot, *v);
                break;
            }
            case Item::Kind::BitField:
                bitField(it.expr, bitCoding, pass, out);
                break;
            case Item::Kind::Stream:
                stream(it.stream, bitCoding, pass, out);
                break;
            case Item::Kind::Variation: {
                int alt =
                    size_t(pass) < it.alternatives.size() ? it.alternatives[size_t(pass)] : -1;
                // An empty alternative ends the stream's pass.
                if (alt < 0) return;
                const Stream& a = t.streams[alt];
                items(a, 0, a.items.size(), bitCoding, pass, out);
                break;
            }
            }
        }
    }

    void stream(int index, int bitCoding, Pass pass, std::vector<double>& out) {
        if (++depth > 64) unrenderable("streams nested too deep");
        const Stream& st = t.streams[index];
        int coding = st.bitCoding >= 0 ? st.bitCoding : bitCoding;
        int times = st.repeat == Repeat::Star ? 0 : st.repeat == Repeat::Plus ? 1 : st.count;
        for (int k = 0; k < times; ++k)
            items(st, 0, st.items.size(), coding, pass, out);
        --depth;
    }

    double elapsed = 0;

private:
    const Protocol::Tree& t;
    Evaluator& ev;
    int depth = 0;
    std::map<int, std::pair<uint64_t, int>>
        symbols; // per set of bit alternatives: bits not yet sent

    double duration(const Duration& d) {
        double v = d.value;
        if (!d.literal) {
            auto e = ev.eval(d.expr);
            if (!e) unrenderable("a duration's value is unknown");
            v = double(*e);
        }
        double us = t.durationUs(v, d.unit);
        if (!std::isfinite(us) || us < 0 || us > 1e9) unrenderable("a duration out of bounds");
        return us;
    }

    void emit(double us, std::vector<double>& out) {
        if (us == 0) return;
        elapsed += std::fabs(us);
        if (!out.empty() && (out.back() > 0) == (us > 0))
            out.back() += us;
        else
            out.push_back(us);
        if (out.size() > 200000) unrenderable("more than 200000 durations");
    }

    // The field's bits in the order they are sent, gathered into symbols
    // of the bit alternatives: a symbol may take bits of two neighbouring fields.
    void bitField(int expr, int bitCoding, Pass pass, std::vector<double>& out) {
        if (bitCoding < 0) unrenderable("a bit field without a bit coding");
        const Expr& e = t.exprs[size_t(expr)];
        if (e.b < 0) unrenderable("an infinite bit field in a stream");
        auto v = ev.eval(expr);
        auto len = ev.eval(e.b);
        if (!v || !len) unrenderable("a bit field's value is unknown");
        if (*len < 0 || *len > 64) unrenderable("a bit field's length does not fit");
        const BitCoding& coding = t.bitCodings[size_t(bitCoding)];
        int k = coding.bitsPerSymbol;
        auto& [buffer, count] = symbols[bitCoding];
        for (int64_t j = 0; j < *len; ++j) {
            int64_t index = t.msb ? *len - 1 - j : j;
            uint64_t bit = uint64_t(*v) >> index & 1;
            buffer = t.msb ? buffer << 1 | bit : buffer | bit << count;
            if (++count < k) continue;
            const Stream& alt = t.streams[size_t(coding.alternatives[size_t(buffer)])];
            buffer = 0;
            count = 0;
            if (++depth > 64) unrenderable("bit codings nested too deep");
            items(alt, 0, alt.items.size(), coding.parent, pass, out);
            --depth;
        }
    }
};

std::vector<int64_t> rounded(const std::vector<double>& v) {
    std::vector<int64_t> r;
    r.reserve(v.size());
    for (double d : v) {
        int64_t x = std::llround(d);
        if (x != 0) r.push_back(x);
    }
    return r;
}

} // namespace

void assignParameters(const Protocol::Tree& t, const Params& given, Evaluator& ev) {
    for (auto& [name, value] : given.values()) {
        bool found = false;
        for (size_t i = 0; i < t.parameters.size(); ++i)
            if (t.parameters[i].name == name) {
                const auto& ps = t.parameters[i];
                if (value < ps.min || value > ps.max)
                    throw RenderError(RenderError::Kind::OutOfRange, name,
                                      "parameter " + name + " = " + std::to_string(value) +
                                          " is outside " + std::to_string(ps.min) + ".." +
                                          std::to_string(ps.max));
                ev.set(t.parameterSlots[i], value);
                found = true;
            }
        if (!found)
            throw RenderError(RenderError::Kind::UnknownParameter, name,
                              "the protocol has no parameter " + name);
    }
    ev.settleDefaults();
    for (size_t i = 0; i < t.parameters.size(); ++i) {
        const auto& ps = t.parameters[i];
        int slot = t.parameterSlots[i];
        if (!ev.known(slot))
            throw RenderError(RenderError::Kind::MissingParameter, ps.name,
                              "parameter " + ps.name + " is missing");
        int64_t v = ev.raw(slot);
        if (v < ps.min || v > ps.max)
            throw RenderError(RenderError::Kind::OutOfRange, ps.name,
                              "parameter " + ps.name + " = " + std::to_string(v) +
                                  " (its default) is outside " + std::to_string(ps.min) + ".." +
                                  std::to_string(ps.max));
    }
}

Rendered render(const Protocol& protocol, const Params& params, const RenderOptions& options) {
    const Protocol::Tree& t = protocol.tree();
    if (t.top < 0) throw RenderError(RenderError::Kind::Unrenderable, "", "no protocol");
    Evaluator ev(t);
    assignParameters(t, params, ev);
    Renderer r(t, ev);
    std::vector<double> intro, repeat, ending;
    Parts parts = splitParts(t);
    for (const PartStep& step : parts.intro) {
        if (step.wholeStream)
            r.stream(step.stream, step.bitCoding, Pass::Intro, intro);
        else {
            const Stream& st = t.streams[step.stream];
            r.items(st, step.from, step.to, step.bitCoding, step.pass, intro);
        }
    }
    if (parts.repeatStream >= 0) {
        const Stream& st = t.streams[parts.repeatStream];
        for (int k = 0; k < parts.introPasses; ++k)
            r.items(st, 0, st.items.size(), parts.repeatBitCoding, Pass::Intro, intro);
        r.elapsed = 0;
        r.items(st, 0, st.items.size(), parts.repeatBitCoding, Pass::Repeat, repeat);
        r.elapsed = 0;
        if (parts.endingPass)
            r.items(st, 0, st.items.size(), parts.repeatBitCoding, Pass::Ending, ending);
    }
    for (const PartStep& step : parts.ending) {
        const Stream& st = t.streams[step.stream];
        r.items(st, step.from, step.to, step.bitCoding, step.pass, ending);
    }
    Rendered out;
    out.carrierHz = t.carrier;
    out.intro = rounded(intro);
    out.repeat = rounded(repeat);
    out.ending = rounded(ending);
    out.repeats = options.repeats;
    for (size_t i = 0; i < t.parameters.size(); ++i)
        if (t.parameters[i].memory)
            out.memory.set(t.parameters[i].name, ev.raw(t.parameterSlots[i]));
    return out;
}

Rendered render(const NamedProtocol& protocol, const Params& params, const RenderOptions& options) {
    if (protocol.decodeOnly)
        throw RenderError(RenderError::Kind::DecodeOnly, "",
                          protocol.name + " is for decoding only and is not rendered");
    return render(protocol.irp, params, options);
}

std::vector<int64_t> Rendered::press(int count) const {
    if (count < 0) count = repeats;
    if (intro.empty() && count < 1 && !repeat.empty()) count = 1;
    std::vector<int64_t> signedTimes;
    auto add = [&](const std::vector<int64_t>& part) {
        for (int64_t d : part) {
            if (signedTimes.empty() && d < 0) continue; // silence before the first burst
            if (!signedTimes.empty() && (signedTimes.back() > 0) == (d > 0))
                signedTimes.back() += d;
            else
                signedTimes.push_back(d);
        }
    };
    add(intro);
    for (int k = 0; k < count; ++k)
        add(repeat);
    add(ending);
    for (auto& d : signedTimes)
        d = d < 0 ? -d : d;
    return signedTimes;
}

} // namespace qv::irp
