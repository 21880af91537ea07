#include "engine_support.h"

#include "app/dispatch.h"

#include "app/format_selection.h"
#include "platform/table_cursor.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace enginetest {

std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

Fields necFields() {
    return {{"Type", text("IB")},
            {"stru", text("H,C,~C,D,~D,B0,X,H2,B0,X")},
            {"Alias", text("NEC N-8")},
            {"H_Osc", num(9000)},
            {"H_Idle", num(4500)},
            {"G2H_Osc", num(9000)},
            {"G2H_Idle", num(2250)},
            {"HB2_Osc", num(0)},
            {"HB2_Idle", num(0)},
            {"H_Bits", num(1)},
            {"S_Bits", num(0)},
            {"T", num(0)},
            {"Instance", text("0")},
            {"F", num(0)},
            {"Fix_Time", num(0)},
            {"f_sit", text("0")},
            {"Zero_Osc", num(562)},
            {"zero_Idle", num(562)},
            {"One_Osc", num(562)},
            {"One_Idle", num(1688)},
            {"C", num(8)},
            {"R_C", num(8)},
            {"D", num(8)},
            {"R_D", num(8)},
            {"CF_T", num(26.37)},
            {"CF_Osc", num(8.79)},
            {"T1", num(108000)},
            {"G2_T", num(108000)},
            {"E_Osc", text("---")},
            {"E_Idle", text("---")},
            {"b_end", num(562)},
            {"X", num(15000)},
            {"Repeat", text("H&E")},
            {"convert", text("Y")},
            {"G_count", num(0)},
            {"Remark", text("NEC N-8")},
            {"Bits", null()},
            {"zero_HL", null()},
            {"One_HL", null()},
            {"T_Time", num(0)}};
}

TestCatalogue::TestCatalogue(const std::string& path) : m_path(path) {
    // The table layout is the shipped one: everything before the first row.
    std::ifstream in(sourcePath("data/catalogue.sql"));
    std::ostringstream schema;
    std::string line;
    while (std::getline(in, line) && line.rfind("INSERT", 0) != 0)
        schema << line << "\n";
    qv::Database::create(m_path)->exec(schema.str());
}

bool TestCatalogue::has(const std::string& key) const {
    return qv::openCatalogue(m_path)->seek(key);
}

void TestCatalogue::add(const std::string& key, const Fields& changes) {
    qv::Database::open(m_path)->exec("INSERT INTO \"Type\" (\"Format\") VALUES ('" + key + "')");
    Fields all = necFields();
    all.insert(all.end(), changes.begin(), changes.end());
    set(key, all);
}

void TestCatalogue::set(const std::string& key, const Fields& changes) {
    auto cursor = qv::openCatalogue(m_path);
    if (!cursor->seek(key)) throw std::runtime_error("no row " + key);
    cursor->edit();
    for (const auto& [name, value] : changes)
        cursor->setField(name, value);
    cursor->update();
}

void loadTimes(qv::Session& s, const std::vector<long>& times) {
    for (long r = 1; r <= qv::kDataRows; ++r)
        for (long c = 1; c <= qv::kDataCols; ++c)
            s.TTable.setCell(r, c, "");
    for (size_t i = 0; i < times.size(); ++i)
        s.TTable.setCell(static_cast<long>(i / 10) + 1, static_cast<long>(i % 10) + 1,
                         std::to_string(times[i]));
}

std::vector<long> necPress(unsigned address, unsigned command, int repeats) {
    std::vector<long> t = {9000, 4500};
    for (unsigned byte : {address, ~address & 0xFFu, command, ~command & 0xFFu})
        for (int i = 0; i < 8; ++i) { // least significant bit first
            t.push_back(562);
            t.push_back((byte >> i) & 1 ? 1688 : 562);
        }
    t.push_back(562);
    long used = 0;
    for (long v : t)
        used += v;
    t.push_back(108000 - used);
    for (int r = 0; r < repeats; ++r)
        t.insert(t.end(), {9000, 2250, 562, 108000 - 9000 - 2250 - 562});
    t.back() = qv::kEndOfSignal;
    return t;
}

EngineTest::EngineTest() : catalogue(dir.file("IRTime.db")) {
    s.cataloguePath = catalogue.path();
    s.errorRecord.setPath(dir.file("Error record.txt"));
    catalogue.add("Form016");
    qv::setIrtype(s, "Form016(NEC N-8)");
}

void EngineTest::useFormat(const std::string& key, const Fields& changes) {
    if (catalogue.has(key))
        catalogue.set(key, changes);
    else
        catalogue.add(key, changes);
    qv::setIrtype(s, key);
}

void EngineTest::load(const std::vector<long>& times, long row, int col) {
    loadTimes(s, times);
    s.TimeRow = row;
    s.TimeCol = static_cast<int16_t>(col);
}

std::string EngineTest::errorRecordText() const {
    std::ifstream in(dir.file("Error record.txt"), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

namespace {

template <class Step> void onWalk(WalkSession& s, Step step) {
    using namespace qv::engine;
    const FormatRow row = s.CurFormat ? FormatRow::fromCursor(*s.CurFormat) : FormatRow();
    DecodeSettings settings = qv::decodeSettings(s);
    settings.learn = false;
    WalkState st;
    st.row = s.TimeRow;
    st.col = s.TimeCol;
    st.group = s.GroupNo;
    st.structure = s.FrameSpec;
    st.structurePos = s.SpecPos;
    st.runIndex = s.RunIndex;
    st.structureLen = s.SpecLen;
    st.runCount = s.RunCount;
    st.d = s.decode;
    DecodeResult out;
    out.binary = s.tBcode;
    out.hex = s.tHCode;
    auto back = [&] {
        s.TimeRow = st.row;
        s.TimeCol = st.col;
        s.GroupNo = st.group;
        s.FrameSpec = st.structure;
        s.SpecPos = st.structurePos;
        s.RunIndex = st.runIndex;
        s.SpecLen = st.structureLen;
        s.RunCount = st.runCount;
        s.decode = st.d;
        s.tBcode = out.binary;
        s.tHCode = out.hex;
        for (auto& line : out.errorLines())
            s.ErrRcd.push_back(std::move(line));
        if (out.codeWindowLoaded) s.code.loaded = true;
        s.code.lGCyc.insert(s.code.lGCyc.end(), out.cycles.begin(), out.cycles.end());
        for (const auto& m : out.messages)
            s.message(m);
    };
    Walk w(s.TTable, row, settings, st, out);
    try {
        step(w);
    } catch (...) {
        back();
        throw;
    }
    back();
}

} // namespace

void HandleData(WalkSession& s) {
    onWalk(s, [](qv::engine::Walk& w) { qv::engine::walkStructure(w); });
}

void ReadCode(WalkSession& s, const std::string& token) {
    onWalk(s, [&](qv::engine::Walk& w) { qv::engine::readCode(w, token); });
}

void ReadIRData(WalkSession& s) {
    onWalk(s, [](qv::engine::Walk& w) { qv::engine::readIRData(w); });
}

void GenelRead(qv::Session& s) {
    qv::learnIntoCatalogue(s);
}

} // namespace enginetest
