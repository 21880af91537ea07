#include "catalogue/catalogue_build.h"

#include "catalogue/catalogue.h"
#include "platform/table_cursor.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv {

bool buildCatalogueIfMissing(const std::string& sqlPath, const std::string& dbPath) {
    namespace fs = std::filesystem;
    if (fs::exists(dbPath)) return false;
    std::ifstream in(sqlPath);
    if (!in) throw DatabaseError(sqlPath + ": cannot be read");
    std::stringstream sql;
    sql << in.rdbuf();
    const std::string tmp = dbPath + ".tmp";
    std::error_code ec;
    fs::remove(tmp, ec);
    {
        auto db = Database::create(tmp);
        db->exec("BEGIN");
        db->exec(sql.str());
        db->exec("COMMIT");
        addQuirksColumn(*db);
    }
    fs::rename(tmp, dbPath, ec);
    if (ec) throw DatabaseError(dbPath + ": " + ec.message());
    return true;
}

} // namespace qv
