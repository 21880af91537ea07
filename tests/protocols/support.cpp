#include "support.h"
#include "tests/temp_dir.h"

#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "app/generate_capture.h"
#include "app/main_state.h"
#include "app/session.h"
#include "capture/capture_text.h"
#include "catalogue/catalogue_build.h"
#include "catalogue/format_menus.h"
#include "engine/walk_context.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qvproto {

namespace {

const qvtest::TempDir& folder() {
    static const qvtest::TempDir dir;
    return dir;
}

std::vector<std::string> split(const std::string& text, const std::string& by) {
    std::vector<std::string> out;
    for (size_t p = 0; p < text.size();) {
        size_t e = text.find(by, p);
        if (e == std::string::npos) e = text.size();
        out.push_back(text.substr(p, e - p));
        p = e + by.size();
    }
    return out;
}

std::vector<std::string> firstLines(const std::vector<std::string>& lines, size_t frames) {
    std::vector<std::string> out;
    for (size_t g = 0; g < frames && g < lines.size(); ++g)
        if (!lines[g].empty()) out.push_back(lines[g]);
    return out;
}

// key, protocol, code, readable, uncounted, groups ("bin|hex/..."), frames
// ("period: +mark -space .../...").
Press parsePress(const std::string& line) {
    const auto f = split(line, "\t");
    if (f.size() != 7) throw std::runtime_error("bad press: " + line);
    Press p{f[0], f[1], f[2], f[3] == "ok", f[4], {}, {}, {}};
    for (const auto& g : split(f[5], "/")) {
        const auto bar = g.find('|');
        p.binary.push_back(g.substr(0, bar));
        p.hex.push_back(g.substr(bar + 1));
    }
    for (const auto& text : split(f[6], " / ")) {
        std::istringstream in(text);
        irsig::Frame frame;
        char colon = 0;
        in >> frame.period >> colon;
        for (std::string w; in >> w;)
            frame.body.push_back({w[0] == '+', std::stod(w.substr(1))});
        p.press.push_back(frame);
    }
    return p;
}

} // namespace

std::string dataPath(const std::string& file) {
    return std::string(QV_SOURCE_DIR) + "/tests/data/" + file;
}

const std::string& freshCatalogue() {
    static const std::string path = [] {
        const std::string db = folder().file("IRTime.db");
        qv::buildCatalogueIfMissing(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql", db);
        return db;
    }();
    return path;
}

Decoded decode(const std::string& key, const std::vector<int64_t>& times, int tolerancePercent,
               const std::function<void(qv::Session&)>& inspect,
               const std::function<void(qv::Session&)>& prepare) {
    const qv::FormatMenuEntry* entry = qv::findFormatEntry(key);
    if (!entry) throw std::invalid_argument("no menu entry " + key);
    qv::Session s;
    qv::MemoryPort port;
    qv::MemoryCodeGrid grid;
    s.env.port = &port;
    s.env.codeGrid = &grid;
    s.format.cataloguePath = freshCatalogue();
    s.env.errorRecord.setPath(folder().file("Error record.txt"));
    qv::startUp(s);
    qv::setIrtype(s, entry->caption);
    qv::toleranceMenu(s, tolerancePercent);
    if (prepare) prepare(s);

    const size_t cycles = s.code.lGCyc.size(), shown = s.out.messages.size();
    port.receive(qv::messageFromTimes(times));
    s.setIdleTimer(false); // the port's receive event
    qv::captureTick(s);

    Decoded d;
    d.binary = s.last.binaryShown().empty() ? std::vector<std::string>{}
                                            : split(s.last.binaryShown(), s.decoding.lineBreak);
    d.hex = s.last.decode.shown.empty() ? std::vector<std::string>{}
                                        : split(s.last.decode.shown, s.decoding.lineBreak);
    d.errors = s.last.errorLines;
    d.cycles.assign(s.code.lGCyc.begin() + static_cast<long>(cycles), s.code.lGCyc.end());
    d.messages.assign(s.out.messages.begin() + static_cast<long>(shown), s.out.messages.end());
    if (inspect) inspect(s);
    return d;
}

void demodulated(qv::Session& s) {
    qv::setDemodulated(s, true);
}

double cycleTime(const std::string& line) {
    const size_t colon = line.rfind(':');
    return colon == std::string::npos ? -1 : std::atof(line.c_str() + colon + 1);
}

std::vector<std::string> Press::binaryLines(size_t frames) const {
    return firstLines(binary, frames);
}
std::vector<std::string> Press::hexLines(size_t frames) const {
    return firstLines(hex, frames);
}

double Press::uncountedTime(const irsig::Capture& c, size_t g) const {
    unsigned first = 0, n = 0;
    if (std::sscanf(uncounted.c_str(), "every%u", &first) == 1)
        return static_cast<double>(c.times[c.frameStarts[g] + first]);
    double t = 0;
    if (g == 0 && std::sscanf(uncounted.c_str(), "first%u-%u", &first, &n) == 2)
        for (unsigned i = 0; i < n; ++i)
            t += static_cast<double>(c.times[c.frameStarts[0] + first + i]);
    return t;
}

const std::vector<Press>& presses() {
    static const std::vector<Press> all = [] {
        std::vector<Press> out;
        std::ifstream in(dataPath("protocols/presses.tsv"));
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line[0] != '#') out.push_back(parsePress(line));
        if (out.empty()) throw std::runtime_error("no presses in tests/data/protocols");
        return out;
    }();
    return all;
}

const Press& press(const std::string& key, const std::string& code) {
    for (const auto& p : presses())
        if (p.key == key && p.code == code) return p;
    throw std::out_of_range("no press of " + key + " " + code);
}

bool composesOwnCodeLine(const std::string& key) {
    return qv::engine::composesOwnCodeLine(qv::catalogueRow(freshCatalogue(), key));
}

qv::engine::GeneratedSignal generate(const Press& p, int repeats, const irsig::Receiver& receiver,
                                     uint32_t seed) {
    qv::engine::GenerateRequest request;
    request.binary = composesOwnCodeLine(p.key);
    request.code =
        request.binary ? p.binaryLines(p.binary.size()).at(0) : p.hexLines(p.hex.size()).at(0);
    request.repeats = repeats;
    request.receiver = receiver;
    request.seed = seed;
    return qv::engine::generateSignal(qv::catalogueRow(freshCatalogue(), p.key), request);
}

} // namespace qvproto
