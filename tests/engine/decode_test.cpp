// The decode as a value, one case per block of tests/data/engine/decode.cases:
// a format row's fields, the settings and a time list in; the result,
// written out line by line (code lines, error lines, cycles, what each time
// was read as), compared with the block's expected lines. QV_REGENERATE=1
// rewrites the expected lines from the program (review the diff!).
#include "engine/decode.h"
#include "engine_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using namespace qv;
using namespace qv::engine;

const std::string kCases = enginetest::sourcePath("tests/data/engine/decode.cases");

struct Case {
    std::string name;
    std::vector<std::string> input; // row, set, times lines
    std::string expected;
};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// null, "text" (no blanks), a number, or else text.
FieldValue valueOf(const std::string& v) {
    if (v == "null") return {};
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return FieldValue::text(v.substr(1, v.size() - 2));
    char* end = nullptr;
    const double n = std::strtod(v.c_str(), &end);
    return *end == 0 && !v.empty() ? FieldValue::number(n) : FieldValue::text(v);
}

// "row KEY name=value ...": the base row's fields changed by these.
void applyRow(std::vector<std::pair<std::string, FieldValue>>& fields,
              const std::vector<std::string>& w) {
    for (size_t i = 2; i < w.size(); ++i) {
        const auto eq = w[i].find('=');
        const std::string name = w[i].substr(0, eq);
        const FieldValue v = valueOf(w[i].substr(eq + 1));
        auto it = std::find_if(fields.begin(), fields.end(),
                               [&](const auto& f) { return f.first == name; });
        if (it == fields.end())
            fields.emplace_back(name, v);
        else
            it->second = v;
    }
}

void applySetting(DecodeSettings& s, const std::string& word) {
    const auto eq = word.find('=');
    const std::string key = word.substr(0, eq),
                      v = eq == std::string::npos ? "" : word.substr(eq + 1);
    const float f = v.empty() ? 0 : std::stof(v == "auto" ? "0" : v);
    if (key == "tolerance")
        s.window.tolerance = f;
    else if (key == "absolute")
        s.window.absolute = f;
    else if (key == "cycleTolerance")
        s.cycleTolerance = f;
    else if (key == "cycleShare")
        s.cycleShare = f;
    else if (key == "zeroOne")
        s.zeroOneTolerance = v;
    else if (key == "waitTime")
        s.waitTime = static_cast<int16_t>(f);
    else if (key == "ignoreTime")
        s.ignoreTime = true;
    else if (key == "oct")
        s.octal = true;
    else if (key == "readOrder")
        s.readOrder = true;
    else if (key == "learn")
        s.learn = true;
    else if (key == "demodulated")
        s.demodulated = true;
    else if (key == "runCount")
        s.carry.runCount = static_cast<int32_t>(f);
    else if (key == "firstCustomerBit")
        s.carry.firstCustomerBit = static_cast<int16_t>(f);
    else if (key == "excess") {
        s.excessMode = v == "auto" ? ExcessMode::Auto : ExcessMode::Given;
        s.excess = f;
    } else
        ADD_FAILURE() << "unknown setting " << key;
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
      << (r.aborted ? " aborted" : "") << (r.codeWindowLoaded ? " window" : "");
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

// A time, "." for an empty cell, "end" for the end of the signal, "bits:0110"
// for pairs of the NEC coding (562 and 562 or 1688), "nec:AA,CC" for an NEC
// frame of address AA and command CC up to its last burst.
void addTimes(std::vector<std::string>& cells, const std::string& w) {
    auto bits = [&](const std::string& b) {
        for (char c : b)
            cells.insert(cells.end(), {"562", c == '1' ? "1688" : "562"});
    };
    if (w.rfind("bits:", 0) == 0) {
        bits(w.substr(5));
    } else if (w.rfind("nec:", 0) == 0) {
        cells.insert(cells.end(), {"9000", "4500"});
        const unsigned a = std::stoul(w.substr(4, 2), nullptr, 16),
                       c = std::stoul(w.substr(7, 2), nullptr, 16);
        for (unsigned byte : {a, ~a & 0xFFu, c, ~c & 0xFFu})
            for (int i = 0; i < 8; ++i)
                bits((byte >> i) & 1 ? "1" : "0");
        cells.push_back("562");
    } else {
        cells.push_back(w == "end" ? std::to_string(kEndOfSignal) : w == "." ? "" : w);
    }
}

std::string run(const std::vector<std::string>& base, const Case& c) {
    std::vector<std::pair<std::string, FieldValue>> fields;
    applyRow(fields, words(base.front()));
    DecodeSettings settings;
    settings.learn = false;
    TimeTable times;
    std::vector<std::string> cells;
    FormatRow row;
    for (const auto& line : c.input) {
        const auto w = words(line);
        if (w[0] == "row") {
            applyRow(fields, w);
            row.add("Format", FieldValue::text(w[1]));
        } else if (w[0] == "set") {
            for (size_t i = 1; i < w.size(); ++i)
                applySetting(settings, w[i]);
        } else if (w[0] == "times") {
            for (size_t i = 1; i < w.size(); ++i)
                addTimes(cells, w[i]);
        }
    }
    for (size_t i = 0; i < cells.size(); ++i)
        times.setCell(1 + static_cast<long>(i) / 10, 1 + static_cast<long>(i) % 10, cells[i]);
    for (const auto& [name, v] : fields)
        row.add(name, v, v.isNumber() || v.isNull());
    return render(decode(times, row, settings));
}

TEST(Decode, EveryCaseGivesItsExpectedResult) {
    std::ifstream in(kCases);
    ASSERT_TRUE(in) << kCases;
    std::vector<std::string> header; // everything before the first case
    std::vector<Case> cases;
    bool expecting = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("== ", 0) == 0) {
            cases.push_back({line.substr(3), {}, {}});
            expecting = false;
        } else if (cases.empty()) {
            header.push_back(line);
        } else if (line == "--") {
            expecting = true;
        } else if (expecting) {
            if (!line.empty()) cases.back().expected += line + "\n";
        } else if (!line.empty() && line[0] != '#') {
            cases.back().input.push_back(line);
        }
    }
    std::vector<std::string> base;
    for (const auto& l : header)
        if (l.rfind("row ", 0) == 0) base.push_back(l);
    ASSERT_EQ(base.size(), 1u) << "the header needs one base row";
    ASSERT_GT(cases.size(), 50u);
    const bool regenerate = std::getenv("QV_REGENERATE") != nullptr;
    std::ostringstream out;
    for (const auto& l : header)
        out << l << "\n";
    for (const auto& c : cases) {
        const std::string got = run(base, c);
        EXPECT_EQ(got, c.expected) << "case " << c.name;
        out << "== " << c.name << "\n";
        for (const auto& l : c.input)
            out << l << "\n";
        out << "--\n" << got << "\n";
    }
    if (regenerate) std::ofstream(kCases) << out.str();
}

} // namespace
