// No named row reads another protocol's key press as a clean code: presses
// of the protocols tests/data/protocols/cross.tsv names, rendered from their
// IRP, exact and through the receiver model, against every named row; and a
// press of every protocol of the IRP table scanned against every named row,
// each clean reading either the same code (the row's generator sends that
// protocol's press for it: an alias) or a listed exception.
#include "support.h"

#include "app/format_scan.h"
#include "app/main_state.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue.h"
#include "engine/generate.h"
#include "irp/irp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace {

using namespace qvproto;

struct Foreign {
    std::string protocol, params;
    std::set<std::string> own; // rows that read this protocol
    irsig::KeyPress press;
};

const qv::irp::ProtocolTable& irpTable() {
    static const qv::irp::ProtocolTable table = [] {
        qv::irp::ProtocolTable t;
        t.addFile(std::string(QV_SOURCE_DIR) + "/data/irp-protocols.tsv");
        return t;
    }();
    return table;
}

// The intro, each repeat and the ending as frames: each runs to the start
// of the next.
irsig::KeyPress framesOf(const qv::irp::Rendered& r) {
    irsig::KeyPress press;
    auto add = [&](const std::vector<int64_t>& part) {
        if (part.empty()) return;
        irsig::Frame f;
        for (size_t i = 0; i < part.size(); ++i) {
            f.period += static_cast<double>(std::abs(part[i]));
            if (i + 1 < part.size() || part[i] > 0)
                f.body.push_back({part[i] > 0, static_cast<double>(std::abs(part[i]))});
        }
        press.push_back(std::move(f));
    };
    add(r.intro);
    for (int k = 0; k < std::max(r.repeats, r.intro.empty() ? 1 : 0); ++k)
        add(r.repeat);
    add(r.ending);
    return press;
}

const std::vector<Foreign>& foreign() {
    static const std::vector<Foreign> all = [] {
        std::vector<Foreign> out;
        std::ifstream in(dataPath("protocols/cross.tsv"));
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::vector<std::string> f;
            std::stringstream cells(line);
            for (std::string c; std::getline(cells, c, '\t');)
                f.push_back(c);
            if (f.size() != 3) throw std::runtime_error("bad row: " + line);
            const qv::irp::NamedProtocol* protocol = irpTable().find(f[0]);
            if (!protocol) throw std::runtime_error("no protocol " + f[0]);
            Foreign x{f[0],
                      f[1],
                      {},
                      framesOf(qv::irp::render(*protocol, qv::irp::parseParams(f[1]), {2}))};
            std::istringstream own(f[2]);
            for (std::string k; own >> k;)
                if (k != "-") x.own.insert(k);
            out.push_back(std::move(x));
        }
        return out;
    }();
    return all;
}

std::vector<std::string> namedRows() {
    std::vector<std::string> out;
    for (const Press& p : presses())
        if (p.code == "mixed") out.push_back(p.key);
    return out;
}

class ForeignPress : public testing::TestWithParam<size_t> {};

TEST_P(ForeignPress, NoOtherNamedRowDecodesItClean) {
    const Foreign& x = foreign()[GetParam()];
    struct Road {
        std::string name;
        std::vector<int64_t> times;
        bool demod;
    };
    std::vector<Road> roads;
    // The whole press and its first frame alone (a logger that kept one).
    for (size_t frames : {x.press.size(), size_t{1}}) {
        const irsig::KeyPress sent(x.press.begin(), x.press.begin() + static_cast<long>(frames));
        const std::string n = " frames " + std::to_string(frames);
        const auto exact = irsig::render(sent, 0.0, 1).times;
        roads.push_back({"exact" + n, exact, false});
        roads.push_back({"exact demodulated" + n, exact, true});
        for (uint32_t seed = 0; seed < 6; ++seed)
            roads.push_back({"receiver " + std::to_string(seed) + n,
                             irsig::render(sent, irsig::drawReceiver(seed), seed).times, true});
        // A logger at 20 kHz behind a receiver that holds bursts 100 us long.
        roads.push_back(
            {"logger" + n, irsig::render(sent, irsig::Receiver{0, 1, 100, 50}, 1).times, true});
    }
    std::vector<std::string> clean;
    for (const std::string& key : namedRows()) {
        if (x.own.count(key)) continue;
        for (const Road& r : roads) {
            const Decoded d = decode(key, r.times, 3, {}, r.demod ? demodulated : nullptr);
            if (d.clean()) clean.push_back(key + " " + r.name + ": " + d.hex.front());
        }
    }
    EXPECT_TRUE(clean.empty()) << x.protocol << " " << x.params << "\n"
                               << testing::PrintToString(clean);
}

INSTANTIATE_TEST_SUITE_P(Irp, ForeignPress, testing::Range<size_t>(0, foreign().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             std::string name =
                                 foreign()[info.param].protocol + "_" + std::to_string(info.param);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// A clean reading of another protocol by a named row, as the reads file
// lists it: "alias" (the row's generator sends the same press for the code
// it shows) or "wrong" (a known exception, with why).
struct Read {
    std::string kind, why;
};

std::map<std::pair<std::string, std::string>, Read> listedReads() {
    std::map<std::pair<std::string, std::string>, Read> out;
    std::ifstream in(dataPath("protocols/cross_reads.tsv"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::stringstream cells(line);
        for (std::string c; std::getline(cells, c, '\t');)
            f.push_back(c);
        if (f.size() < 3 || (f[2] != "alias" && f[2] != "wrong") ||
            (f[2] == "wrong" && f.size() < 4))
            throw std::runtime_error("bad row: " + line);
        out[{f[0], f[1]}] = {f[2], f.size() > 3 ? f[3] : ""};
    }
    return out;
}

bool sameFrame(const std::vector<int64_t>& sent, const std::vector<int64_t>& made) {
    if (made.size() != sent.size()) return false;
    for (size_t i = 0; i < made.size(); ++i) {
        const double a = double(sent[i]), b = double(made[i]);
        if (std::fabs(a - b) > std::max(100.0, 0.1 * a)) return false;
    }
    return true;
}

// The first frame the row's generator sends for a code line, up to its
// lead-out (the first long gap); empty when it refuses the code.
std::vector<int64_t> rowFrame(const qv::engine::FormatRow& row, const std::string& code) {
    qv::engine::GenerateRequest request;
    request.code = code;
    std::vector<int64_t> times;
    try {
        times = qv::engine::generateSignal(row, request).capture.times;
    } catch (const qv::engine::GenerateError&) {
        return {};
    }
    size_t end = 1;
    while (end < times.size() && times[end] < 10000)
        end += 2;
    times.resize(std::min(end, times.size()));
    return times;
}

std::vector<std::string> codeLines(const std::string& hex) {
    std::vector<std::string> lines;
    std::stringstream in(hex);
    for (std::string line; std::getline(in, line);) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// The row shows a code line per frame it read. Each line's frame, as the
// row's generator sends it (up to its lead-out), must be the press's next
// frame, the first after at most a lead-in pair the row does not send, and
// the lines must take up the whole press: a press whose frames differ (a
// first frame, then other repeats) or whose frames the row spaces its own way.
bool linesAreTheFramesSent(const qv::engine::FormatRow& row, const std::string& hex,
                           const std::vector<int64_t>& press) {
    const auto lines = codeLines(hex);
    if (lines.empty()) return false;
    std::vector<int64_t> sent(press.size());
    std::transform(press.begin(), press.end(), sent.begin(), [](int64_t t) { return std::abs(t); });
    size_t at = 0;
    for (size_t g = 0; g < lines.size(); ++g) {
        const auto frame = rowFrame(row, lines[g]);
        auto startsAt = [&](size_t from) {
            return !frame.empty() && from + frame.size() <= sent.size() &&
                   sameFrame({sent.begin() + long(from), sent.begin() + long(from + frame.size())},
                             frame);
        };
        size_t from = at;
        if (!startsAt(from) && !(g == 0 && startsAt(from += 2))) return false;
        at = from + frame.size() + 1; // and the gap after it
    }
    return at >= sent.size();
}

// Whether the row's generator, asked for the code it read, sends a frame
// that the protocol reads back with the parameters the press was made of.
bool sameCode(const qv::engine::FormatRow& row, const std::string& hex,
              const qv::irp::NamedProtocol& protocol, const qv::irp::Params& given) {
    qv::engine::GenerateRequest request;
    request.code = hex.substr(0, hex.find_first_of("\r\n"));
    // One frame: rows space their repeats their own way.
    request.repeats = 0;
    qv::engine::GeneratedSignal made;
    try {
        made = qv::engine::generateSignal(row, request);
    } catch (const qv::engine::GenerateError&) {
        return false;
    }
    // The protocol's first frame itself (a row may read the first frame of a
    // protocol whose later frames differ).
    const auto rendered = qv::irp::render(protocol, given);
    const auto& first = rendered.intro.empty() ? rendered.repeat : rendered.intro;
    const auto& times = made.capture.times;
    bool frame = first.size() >= times.size() && !times.empty();
    for (size_t i = 0; frame && i < times.size(); ++i) {
        const double a = double(std::abs(first[i])), b = double(times[i]);
        frame = i + 1 == times.size() && first.size() > times.size()
                    ? true
                    : std::fabs(a - b) <= std::max(100.0, 0.1 * a);
    }
    if (frame) return true;
    qv::irp::DecodeOptions options;
    options.only = {protocol.name};
    for (const auto& d : qv::irp::decode(irpTable(), made.capture.times, options)) {
        bool same = true;
        for (const auto& [name, value] : given.values())
            same = same && d.params.get(name) == value;
        if (same) return true;
    }
    const auto press = qv::irp::render(protocol, given, {2}).press();
    return linesAreTheFramesSent(row, hex, press);
}

TEST(EveryIrpProtocol, NamedRowsReadItOnlyWithItsOwnCode) {
    std::map<std::string, qv::engine::FormatRow> rows;
    {
        auto cursor = qv::openCatalogue(freshCatalogue());
        for (bool ok = cursor->moveFirst(); ok; ok = cursor->moveNext()) {
            auto row = qv::engine::FormatRow::fromCursor(*cursor);
            if (!qv::engine::isLearningRow(row) && !qv::engine::isPlaceholderRow(row))
                rows.emplace(row.key(), std::move(row));
        }
    }
    qv::ScanOptions demod;
    demod.settings.push_back(
        [](qv::engine::DecodeSettings& d) { qv::applyDemodSettings(d, qv::DemodSettings{}); });
    const auto listed = listedReads();
    std::map<std::pair<std::string, std::string>, std::string> found; // kind, and where
    std::mt19937_64 rng(7);
    int presses = 0, scans = 0;
    for (size_t i = 0; i < irpTable().size(); ++i) {
        const qv::irp::NamedProtocol& p = irpTable()[i];
        if (p.decodeOnly) continue;
        qv::irp::Params given;
        for (const auto& ps : p.irp.parameters()) {
            if (!ps.defaultExpression.empty()) continue;
            const uint64_t span = uint64_t(ps.max - ps.min) + 1;
            given.set(ps.name, ps.min + int64_t(span == 0 ? rng() : rng() % span));
        }
        irsig::KeyPress press;
        try {
            press = framesOf(qv::irp::render(p, given, {2}));
        } catch (const qv::irp::RenderError&) {
            continue;
        }
        if (press.empty()) continue;
        ++presses;
        struct Road {
            const char* name;
            std::vector<int64_t> times;
            bool demod;
        };
        // Through a receiver the press is one frame: its jitter may run a
        // frame into a lead-out shorter than 6% of it.
        const auto exact = irsig::render(press, 0.0, 1).times;
        irsig::Frame whole;
        for (size_t k = 0; k < exact.size(); ++k) {
            whole.body.push_back({k % 2 == 0, double(exact[k])});
            whole.period += double(exact[k]);
        }
        whole.period += 100000;
        const Road roads[] = {
            {"exact", exact, false},
            {"exact demodulated", exact, true},
            {"receiver 1", irsig::render({whole}, irsig::drawReceiver(uint32_t(i)), 1).times, true},
            {"receiver 2", irsig::render({whole}, irsig::drawReceiver(uint32_t(i) + 7), 2).times,
             true},
        };
        for (const Road& road : roads) {
            ++scans;
            const auto results = qv::scanFormats(qv::messageFromTimes(road.times), freshCatalogue(),
                                                 road.demod ? demod : qv::ScanOptions{});
            for (const auto& r : results) {
                if (!r.clean || r.standIn || r.learned || !rows.count(r.key)) continue;
                const bool same = sameCode(rows.at(r.key), r.hex, p, given);
                std::string& kind = found[{p.name, r.key}];
                if (!same || kind.empty())
                    kind = std::string(same ? "alias" : "wrong") + "\t" + road.name + " " +
                           qv::irp::formatParams(given) + " read " +
                           r.hex.substr(0, r.hex.find('\r'));
            }
        }
    }
    std::vector<std::string> unlisted;
    int aliases = 0, wrong = 0;
    std::cout << presses << " presses of the IRP table, " << scans << " scans; named rows reading"
              << " another protocol clean:\n";
    for (const auto& [pair, what] : found) {
        const std::string kind = what.substr(0, what.find('\t'));
        (kind == "alias" ? aliases : wrong)++;
        std::cout << "  " << pair.first << "\t" << pair.second << "\t" << what << "\n";
        const auto it = listed.find(pair);
        if (it == listed.end() || it->second.kind != kind)
            unlisted.push_back(pair.first + "\t" + pair.second + "\t" + what);
    }
    std::cout << aliases << " aliases (same code), " << wrong << " listed exceptions\n";
    EXPECT_TRUE(unlisted.empty()) << "not as tests/data/protocols/cross_reads.tsv lists them:\n"
                                  << testing::PrintToString(unlisted);
    // A listed read that no longer happens would excuse the next one unseen.
    std::vector<std::string> stale;
    for (const auto& [pair, read] : listed)
        if (!found.count(pair)) stale.push_back(pair.first + "\t" + pair.second + "\t" + read.kind);
    EXPECT_TRUE(stale.empty()) << "listed in tests/data/protocols/cross_reads.tsv, not read:\n"
                               << testing::PrintToString(stale);
}

} // namespace
