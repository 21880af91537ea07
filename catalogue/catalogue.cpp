#include "catalogue/catalogue.h"

#include <sqlite3.h>

namespace qv {

std::unique_ptr<TableCursor> openCatalogue(const std::string& path) {
    auto db = Database::open(path);
    {
        sqlite3_stmt* st = nullptr;
        const char* sql = "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = 'idxFormat'";
        bool found = false;
        if (sqlite3_prepare_v2(db->handle(), sql, -1, &st, nullptr) == SQLITE_OK)
            found = sqlite3_step(st) == SQLITE_ROW;
        int rc = sqlite3_errcode(db->handle());
        sqlite3_finalize(st);
        if (!found) {
            if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
                db->fail("opening the catalogue");
            throw DatabaseError(path + ": the catalogue has no index idxFormat");
        }
    }
    return std::make_unique<TableCursor>(db, "Type", "Format");
}

} // namespace qv
