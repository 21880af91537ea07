#include "catalogue/catalogue.h"

#include <sqlite3.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

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

// The shipped rows that read a part in their own way. A user's copy of a
// row carries its column along, and with it the behaviour.
constexpr std::pair<std::string_view, std::string_view> kShippedQuirks[] = {
    {"Form002", "data-end-bit"},
    {"Form008", "data-lead-in-gap"},
    {"Form009", "data-lead-in-gap"},
    {"Form011", "head-outside-cycle"},
    {"Form018", "code-5-3"},
    {"Form025", "half-gap-keeps"},
    {"Form029", "mis-runs, customer-one"},
    {"Form030", "start-one, code-rc5"},
    {"Form031", "start-one, toggle-gap-inverts, half-gap-keeps, code-rc5x"},
    {"Form042", "mis-triple-pair"},
    {"Form046", "start-inverted"},
    {"Form047", "start-inverted, half-gap-keeps"},
    {"Form059", "code-1-8-7"},
    {"Form063", "open-data"},
    {"Form064", "open-data"},
    {"Form086", "open-data, mis-extra-pair"},
    {"Form089", "mis-extra-pair"},
    {"Form090", "mis-extra-pair"},
    {"Form098", "open-data"},
    {"Form126", "mis-triple-pair"},
    {"Form127", "half-gap-keeps"},
    {"Form128", "data-lead-one"},
    {"Form131", "mis-triple-pair"},
    {"Form135", "mis-triple-pair"},
    {"HL", "open-data"},
    {"IB", "open-data"},
    {"RIB", "open-data"},
    {"SE", "open-data"},
};

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

bool hasColumn(const std::vector<std::string>& columns, const char* name) {
    return std::find(columns.begin(), columns.end(), lowerText(name)) != columns.end();
}

// Opens and checks the file and reads every row.
std::unique_ptr<TableCursor> readCatalogue(const std::string& path) {
    auto db = Database::open(path);
    const std::string restore = kRestoreCatalogue;
    const auto columns = column(*db, "PRAGMA table_info(\"Type\")", 1);
    if (columns.empty()) throw DatabaseError(path + ": the catalogue has no table Type" + restore);
    std::string missing;
    for (const char* name : kColumns)
        if (!hasColumn(columns, name)) missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (!missing.empty())
        throw DatabaseError(path + ": the catalogue's table Type has no column " + missing +
                            restore);
    if (column(*db, "SELECT name FROM sqlite_master WHERE type = 'index' AND name = 'idxFormat'", 0)
            .empty())
        throw DatabaseError(path + ": the catalogue has no index idxFormat" + restore);
    // A file that cannot be written is read as it is: its rows then read
    // the shipped quirks.
    if (!hasColumn(columns, kQuirksColumn)) {
        try {
            addQuirksColumn(*db);
        } catch (const DatabaseError&) {
        }
    }
    return std::make_unique<TableCursor>(db, "Type", "Format");
}

// What tells that a file changed under us: the file itself (a copy put in
// its place, an edit by another program) and, for a change within the
// clock's granularity, the database's own count of others' commits.
struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{}, ctime{};
    bool operator==(const FileStamp& o) const {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

std::optional<FileStamp> stampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// Commits by other connections since this one opened; -1 when unreadable.
long long dataVersion(const Database& db) {
    sqlite3_stmt* st = nullptr;
    long long v = -1;
    if (sqlite3_prepare_v2(db.handle(), "PRAGMA data_version", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return v;
}

// The rows of each catalogue file, read once and handed out as cheap
// copies: reading and checking a file costs far more than a decode.
struct CachedCatalogue {
    std::unique_ptr<TableCursor> rows;
    FileStamp stamp;
    long long version = -1;
};

constexpr size_t kFilesKept = 8;
std::mutex g_cacheLock;
std::map<std::string, CachedCatalogue> g_cache;

// A row written through any copy: the kept rows take it in, and the
// file's new stamp is ours.
void rowWritten(const std::string& path, const TableCursor& writer) {
    std::lock_guard lock(g_cacheLock);
    auto it = g_cache.find(path);
    if (it == g_cache.end()) return;
    CachedCatalogue& c = it->second;
    const auto stamp = stampOf(path);
    if (!stamp || c.rows->database() != writer.database()) {
        g_cache.erase(it); // another generation of the file: read it again
        return;
    }
    c.rows->adoptRow(writer);
    c.stamp = *stamp;
}

} // namespace

std::string_view shippedQuirks(std::string_view key) {
    for (const auto& [k, quirks] : kShippedQuirks)
        if (k == key) return quirks;
    return {};
}

void addQuirksColumn(Database& db) {
    if (hasColumn(column(db, "PRAGMA table_info(\"Type\")", 1), kQuirksColumn)) return;
    sqlite3* h = db.handle();
    auto failed = [&] {
        const std::string why = sqlite3_errmsg(h);
        sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
        throw DatabaseError(db.path() + ": the catalogue could not be given the column " +
                            kQuirksColumn + ": " + why + kRestoreCatalogue);
    };
    if (sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) failed();
    const std::string add =
        std::string("ALTER TABLE \"Type\" ADD COLUMN \"") + kQuirksColumn + "\" TEXT";
    if (sqlite3_exec(h, add.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) failed();
    const std::string update =
        std::string("UPDATE \"Type\" SET \"") + kQuirksColumn + "\" = ?1 WHERE \"Format\" = ?2";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, update.c_str(), -1, &st, nullptr) != SQLITE_OK) failed();
    for (const auto& [key, quirks] : kShippedQuirks) {
        sqlite3_bind_text(st, 1, quirks.data(), static_cast<int>(quirks.size()), SQLITE_STATIC);
        sqlite3_bind_text(st, 2, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) {
            sqlite3_finalize(st);
            failed();
        }
    }
    sqlite3_finalize(st);
    if (sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) failed();
}

std::unique_ptr<TableCursor> openCatalogue(const std::string& path) {
    std::lock_guard lock(g_cacheLock);
    const auto stamp = stampOf(path);
    auto it = g_cache.find(path);
    if (it != g_cache.end()) {
        const CachedCatalogue& c = it->second;
        if (stamp && *stamp == c.stamp && dataVersion(*c.rows->database()) == c.version)
            return std::make_unique<TableCursor>(*c.rows);
        g_cache.erase(it);
    }
    auto rows = readCatalogue(path);
    rows->setOnWrite([path](const TableCursor& writer) { rowWritten(path, writer); });
    // Files gone (a test's folder, a catalogue deleted to get the shipped one
    // back) give back their connection; a program uses one or two files.
    std::erase_if(g_cache, [](const auto& entry) { return !stampOf(entry.first); });
    if (g_cache.size() >= kFilesKept) g_cache.erase(g_cache.begin());
    if (stamp) {
        CachedCatalogue c{std::make_unique<TableCursor>(*rows), *stamp,
                          dataVersion(*rows->database())};
        g_cache[path] = std::move(c);
    }
    return rows;
}

} // namespace qv
