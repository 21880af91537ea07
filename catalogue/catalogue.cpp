#include "catalogue/catalogue.h"

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
    const std::string restore = kRestoreCatalogueAdvice;
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

} // namespace qv
