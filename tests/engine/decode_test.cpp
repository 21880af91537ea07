// The decode as a value, one case per block of tests/data/engine/decode.cases:
// a format row's fields, the settings and a time list in; the result,
// written out line by line (code lines, error lines, cycles, what each time
// was read as), compared with the block's expected lines.
#include "../core/case_file.h"
#include "engine/burst_excess.h"
#include "engine/decode.h"
#include "engine_support.h"
#include "platform/basic.h"

#include <cstdio>
#include <sstream>

namespace {

using namespace qv;
using namespace qv::engine;

// null, "text" (no blanks), a number, or else text.
FieldValue valueOf(const std::string& v) {
    if (v == "null") return {};
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return FieldValue::text(v.substr(1, v.size() - 2));
    char* end = nullptr;
    const double n = std::strtod(v.c_str(), &end);
    return *end == 0 && !v.empty() ? FieldValue::number(n) : FieldValue::text(v);
}

void applySetting(DecodeSettings& s, const std::string& key, const std::string& v) {
    const double f = v.empty() || v == "auto" ? 0 : std::stod(v);
    if (key == "tolerance") s.window.tolerance = static_cast<float>(f);
    if (key == "absolute") s.window.absolute = f;
    if (key == "cycleShare") s.cycleShare = static_cast<float>(f);
    if (key == "zeroOne") s.zeroOneTolerance = wholeOf(v);
    if (key == "waitTime") s.waitTime = static_cast<int16_t>(f);
    if (key == "runCount") s.carry.runCount = static_cast<int32_t>(f);
    s.ignoreTime |= key == "ignoreTime";
    s.octal |= key == "oct";
    s.readOrder |= key == "readOrder";
    s.learn |= key == "learn";
    s.demodulated |= key == "demodulated";
    if (key == "excess") s.excessMode = v == "auto" ? ExcessMode::Auto : ExcessMode::Given;
    if (key == "excess") s.excess = static_cast<float>(f);
}

// A time, "." for an empty cell, "end" for the end of the signal, "bits:0110"
// for pairs of the NEC coding (562 and 562 or 1688), "nec:AA,CC" for an NEC
// frame of address AA and command CC up to its last burst.
void addTimes(std::vector<std::string>& cells, const std::string& w) {
    auto bits = [&](const std::string& b) {
        for (char c : b)
            cells.insert(cells.end(), {"562", c == '1' ? "1688" : "562"});
    };
    if (w.rfind("bits:", 0) == 0) return bits(w.substr(5));
    if (w.rfind("nec:", 0) != 0)
        return cells.push_back(w == "end" ? std::to_string(kEndOfSignal) : w == "." ? "" : w);
    cells.insert(cells.end(), {"9000", "4500"});
    const unsigned a = std::stoul(w.substr(4, 2), nullptr, 16),
                   c = std::stoul(w.substr(7, 2), nullptr, 16);
    for (unsigned byte : {a, ~a & 0xFFu, c, ~c & 0xFFu})
        for (int i = 0; i < 8; ++i)
            bits((byte >> i) & 1 ? "1" : "0");
    cells.push_back("562");
}

std::string shown(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, "|");
    return text;
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string render(const DecodeResult& r) {
    std::ostringstream o;
    o << "binary " << shown(r.binary) << "\nhex " << shown(r.hex) << "\n";
    if (r.shown != r.hex) o << "shown " << shown(r.shown) << "\n";
    for (const auto& l : r.errorLines())
        o << "error " << l << "\n";
    for (const auto& l : r.cycles)
        o << "cycle " << l << "\n";
    for (const auto& l : r.messages)
        o << "message " << l << "\n";
    for (const auto& [name, v] : r.learned)
        o << "learned " << name << "=" << v.toText() << "\n";
    o << "end group " << r.groupNo << " at " << r.row << "," << r.col << " carry "
      << r.carry.runCount << "," << r.carry.firstCustomerBit << (r.runaway ? " runaway" : "")
      << (r.aborted ? " aborted" : "");
    if (r.burstExcess) o << " excess " << r.burstExcess;
    o << "\n";
    for (const auto& a : r.annotations) {
        o << "note " << a.row << "," << a.col << " @" << a.startUs << " " << a.measured << " "
          << readAsName(a.as) << " " << partName(a.part) << " g" << a.group;
        if (a.bit >= 0) o << " bit" << a.bit << "=" << a.bits;
        if (a.standard) o << " std " << number(*a.standard);
        o << " (" << number(a.lo) << "," << number(a.hi) << ") " << (a.pass ? "pass" : "FAIL")
          << "\n";
    }
    return o.str();
}

// The header's "row base ..." then the case's "row KEY name=value ...": the
// fields in order, later values replacing earlier ones.
std::string run(const std::vector<std::string>& header, const std::vector<std::string>& lines) {
    std::vector<std::pair<std::string, FieldValue>> fields;
    DecodeSettings settings;
    settings.learn = false;
    std::vector<std::string> cells;
    FormatRow row;
    for (const auto& line : lines) {
        std::istringstream in(line);
        std::string kind, w;
        in >> kind;
        if (kind == "row") {
            std::istringstream base(*std::find_if(header.begin(), header.end(), [](const auto& l) {
                return l.rfind("row ", 0) == 0;
            }));
            base >> w >> w;
            in >> w;
            row.add("Format", FieldValue::text(w));
            for (std::istream* from :
                 {static_cast<std::istream*>(&base), static_cast<std::istream*>(&in)})
                while (*from >> w) {
                    const std::string name = w.substr(0, w.find('='));
                    auto at = std::find_if(fields.begin(), fields.end(),
                                           [&](const auto& f) { return f.first == name; });
                    if (at == fields.end()) at = fields.insert(at, {name, {}});
                    at->second = valueOf(w.substr(w.find('=') + 1));
                }
        }
        while (kind == "set" && in >> w)
            applySetting(settings, w.substr(0, w.find('=')),
                         w.find('=') == std::string::npos ? "" : w.substr(w.find('=') + 1));
        while (kind == "times" && in >> w)
            addTimes(cells, w);
    }
    TimeTable times;
    for (size_t i = 0; i < cells.size(); ++i)
        times.setCell(1 + static_cast<long>(i) / 10, 1 + static_cast<long>(i) % 10, cells[i]);
    for (const auto& [name, v] : fields)
        row.add(name, v, v.isNumber() || v.isNull());
    return render(decode(times, row, settings));
}

TEST(Decode, EveryCaseGivesItsExpectedResult) {
    qvtest::checkCaseFile(enginetest::sourcePath("tests/data/engine/decode.cases"), run);
}

// The excess read off an NEC frame whose bursts a receiver lengthened by
// `added` (and shortened each gap after by as much): what receivers add
// comes back; ends a few microseconds early are jitter; more than a receiver
// adds is taken as the most it can.
TEST(BurstExcess, FitTakesOffWhatAReceiverAdds) {
    const struct {
        double added, expected;
    } cases[] = {{0, 0}, {150, 150}, {-60, -60}, {-20, 0}, {280, 280}, {450, 300}};
    for (const auto& c : cases) {
        std::vector<int64_t> times = {9000, 4500};
        for (int bit = 0; bit < 32; ++bit)
            for (int64_t t : {int64_t{560}, bit % 3 ? int64_t{1690} : int64_t{560}})
                times.push_back(t);
        times.push_back(560);
        for (size_t i = 0; i < times.size(); ++i)
            times[i] += static_cast<int64_t>(i % 2 == 0 ? c.added : -c.added);
        EXPECT_NEAR(estimateBurstExcess(times, {560}, {560, 1690}), c.expected, 5) << c.added;
    }
}

} // namespace
