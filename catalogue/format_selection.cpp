#include "catalogue/format_selection.h"

#include "catalogue/format_menus.h"
#include "platform/basic.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

namespace qv {

namespace {

// The columns of table Type the program reads: the shipped catalogue's.
constexpr const char* kColumns[] = {
    "Format",   "Type",     "stru",     "Alias",    "H_Osc",     "H_Idle",  "G2H_Osc",
    "G2H_Idle", "HB2_Osc",  "HB2_Idle", "H_Bits",   "S_Bits",    "T",       "Instance",
    "F",        "Fix_Time", "f_sit",    "Zero_Osc", "zero_Idle", "One_Osc", "One_Idle",
    "C",        "R_C",      "D",        "R_D",      "CF_T",      "CF_Osc",  "T1",
    "G2_T",     "E_Osc",    "E_Idle",   "b_end",    "X",         "Repeat",  "convert",
    "G_count",  "Remark",   "Bits",     "zero_HL",  "One_HL",    "T_Time"};

constexpr const char* kRestoreCatalogue =
    " (to get the shipped catalogue back, delete the file: see the README, \"The format "
    "catalogue\")";

std::string lowerText(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Rows of a one-column query; a failing query is the database's error.
std::vector<std::string> column(const Database& db, const char* sql, int col) {
    sqlite3_stmt* st = nullptr;
    std::vector<std::string> out;
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &st, nullptr) != SQLITE_OK)
        db.fail("opening the catalogue");
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        out.push_back(lowerText(text ? text : ""));
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) db.fail("opening the catalogue");
    return out;
}

} // namespace

std::unique_ptr<TableCursor> openCatalogue(const std::string& path) {
    auto db = Database::open(path);
    const std::string restore = kRestoreCatalogue;
    const auto columns = column(*db, "PRAGMA table_info(\"Type\")", 1);
    if (columns.empty()) throw DatabaseError(path + ": the catalogue has no table Type" + restore);
    std::string missing;
    for (const char* name : kColumns)
        if (std::find(columns.begin(), columns.end(), lowerText(name)) == columns.end())
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (!missing.empty())
        throw DatabaseError(path + ": the catalogue's table Type has no column " + missing +
                            restore);
    if (column(*db, "SELECT name FROM sqlite_master WHERE type = 'index' AND name = 'idxFormat'", 0)
            .empty())
        throw DatabaseError(path + ": the catalogue has no index idxFormat" + restore);
    return std::make_unique<TableCursor>(db, "Type", "Format");
}

namespace {

// Letters of the repeat boxes. The editor writes the first letter of each;
// the loader also takes the others ("T", "2T" are older spellings).
struct RepeatLetter {
    const char* box;
    std::vector<std::string> letters;
};
const std::vector<RepeatLetter>& repeatLetters() {
    static const std::vector<RepeatLetter> table = {
        {"cGroup", {"G"}},       {"cData", {"D"}},        {"cHead", {"H"}},
        {"cEndbit", {"E", "T"}}, {"c2ndB", {"B0", "2T"}}, {"cG2RptB", {"Y"}},
    };
    return table;
}

bool holdsValue(const FieldValue& v) {
    if (v.isNull()) return false;
    auto n = v.toNumber();
    return !(n && *n == 0);
}

} // namespace

std::string repeatText(const EditorModel& editor) {
    std::string out;
    for (const auto& r : repeatLetters()) {
        auto it = editor.check.find(r.box);
        if (it == editor.check.end() || !it->second) continue;
        if (!out.empty()) out += "&";
        out += r.letters.front();
    }
    return out;
}

void applyRepeatText(EditorModel& editor, const std::string& text) {
    for (const auto& r : repeatLetters())
        editor.check[r.box] = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t amp = text.find('&', start);
        std::string token =
            text.substr(start, amp == std::string::npos ? std::string::npos : amp - start);
        for (const auto& r : repeatLetters())
            for (const auto& letter : r.letters)
                if (token == letter) editor.check[r.box] = true;
        if (amp == std::string::npos) break;
        start = amp + 1;
    }
}

void LoadFormat(Session& s) {
    // Open first: a catalogue that cannot be opened leaves the previous
    // selection in force and is reported.
    std::unique_ptr<TableCursor> cursor;
    try {
        cursor = openCatalogue(s.cataloguePath);
    } catch (const DatabaseError& e) {
        s.message(e.what());
        return;
    }

    EditorModel& ed = s.editor;
    ed.loaded = true;
    for (const char* name :
         {"tHeadOsc", "tHeadIdle", "tHead1Osc", "tHead1Idle", "tH1B2Osc", "tH1B2Idle", "tStru",
          "tAlias",   "tSbits",    "tHBits",    "tAddrBit",   "tTbits",   "tTcode",    "tFixBits",
          "tFixTime", "tFixCode",  "t0Osc",     "t0Idle",     "t1Osc",    "t1Idle",    "tCBits",
          "tRCBits",  "tDBits",    "tRDbits",   "tCF",        "tCFOsc",   "tT1",       "tT2",
          "tEOsc",    "tEIdle",    "tLastOsc",  "tTTole",     "tXtime",   "tGroups",   "tRemark"})
        ed.box[name] = "0";
    for (const char* name : {"cHead", "cData", "cEndbit", "cGroup", "cCYes", "cCNo"})
        ed.check[name] = false;

    s.CurFormat = std::move(cursor);
    TableCursor& f = *s.CurFormat;
    if (const std::string key = leftText(s.irtype, 7); !f.seek(key)) {
        if (!key.empty())
            s.message(s.cataloguePath + ": the catalogue has no row " + key + kRestoreCatalogue);
        s.changed();
        return;
    }
    auto text = [&](const char* field) {
        return f.hasField(field) ? f.field(field).toText() : std::string();
    };
    auto value = [&](const char* field) {
        return f.hasField(field) ? f.field(field) : FieldValue();
    };

    ed.box["tStru"] = text("stru");
    ed.box["tHeadOsc"] = text("H_Osc");
    ed.box["tHeadIdle"] = text("H_Idle");
    ed.box["tHead1Osc"] = text("G2H_Osc");
    ed.box["tHead1Idle"] = text("G2H_Idle");
    ed.box["tH1B2Osc"] = text("HB2_Osc");
    ed.box["tH1B2Idle"] = text("HB2_Idle");
    ed.box["tAlias"] = text("Alias");
    if (holdsValue(value("Type"))) ed.box["tType"] = text("Type");
    const std::pair<const char*, const char*> copies[] = {
        {"H_Bits", "tHBits"},   {"S_Bits", "tSbits"},   {"T", "tTbits"},
        {"Instance", "tTcode"}, {"F", "tFixBits"},      {"Fix_Time", "tFixTime"},
        {"f_sit", "tFixCode"},  {"Zero_Osc", "t0Osc"},  {"zero_Idle", "t0Idle"},
        {"One_Osc", "t1Osc"},   {"One_Idle", "t1Idle"}, {"C", "tCBits"},
        {"R_C", "tRCBits"},     {"D", "tDBits"},        {"R_D", "tRDbits"},
        {"CF_T", "tCF"},        {"CF_Osc", "tCFOsc"},   {"T1", "tT1"}};
    for (const auto& [field, boxName] : copies)
        ed.box[boxName] = text(field);

    const FieldValue g2t = value("G2_T");
    const bool g2tEmpty =
        g2t.isNull() || g2t.toText().empty() || (g2t.toNumber() && *g2t.toNumber() == 0);
    ed.box["tT2"] = g2tEmpty ? text("T1") : g2t.toText();
    ed.box["tEOsc"] = text("E_Osc");
    ed.box["tEIdle"] = text("E_Idle");
    ed.box["tLastOsc"] = text("b_end");

    ed.box["cTole"] = singleText(single(s.TimeTolerance * 100.0f));
    ed.box["tTTole"] = singleText(s.CycleTolerance);
    ed.box["tXtime"] = text("X");

    s.RepeatSpec = text("Repeat");
    applyRepeatText(ed, s.RepeatSpec);

    ed.check["cCNo"] = false;
    ed.check["cCYes"] = false;
    if (text("convert") == "Y") {
        ed.check["cCYes"] = true;
        s.ReadOrder = false;
    } else {
        s.ReadOrder = true;
    }

    ed.box["tGroups"] = holdsValue(value("G_count")) ? text("G_count") : "";
    ed.box["tRemark"] = holdsValue(value("Remark")) ? text("Remark") : "";
    ed.caption = s.irtype + " standard time parameter";

    DecodeState& d = s.decode;
    d.CustomerBits.clear();
    d.RevCustomerBits.clear();
    d.DataBits.clear();
    d.RevDataBits.clear();
    d.CodeText.clear();
    d.HexText.clear();

    s.tTole = singleText(single(s.TimeTolerance * 100.0f)) + "%";
    s.changed();
}

void setIrtype(Session& s, const std::string& text) {
    s.irtype = withoutAccessKeys(text);
    LoadFormat(s);
}

} // namespace qv
