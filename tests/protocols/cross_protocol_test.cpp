// No named row reads another protocol's key press as a clean code: presses
// of the protocols tests/data/protocols/cross.tsv names, rendered from their
// IRP, exact and through the receiver model, against every named row.
#include "support.h"

#include "irp/irp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
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

} // namespace
