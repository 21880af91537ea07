#include "window_test_support.h"

#include "app/capture_reader.h"
#include "catalogue/catalogue_build.h"
#include "catalogue/format_selection.h"

#include <QFile>

#include <sqlite3.h>
#include <stdexcept>

namespace qvtest {

namespace {

struct Db {
    explicit Db(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error(path + ": cannot open");
    }
    ~Db() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

std::string cellText(sqlite3_stmt* st, int i) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    return p ? std::string(p) : std::string();
}

} // namespace

TestSession::TestSession() {
    if (!m_dir.isValid()) throw std::runtime_error("no temporary directory");
    s.cataloguePath = path(QStringLiteral("IRTime.db")).toStdString();
    qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.cataloguePath);
    s.errorRecord.setPath(path(QStringLiteral("Error record.txt")).toStdString());
    qv::setIrtype(s, "Form016(NEC N-8)");
}

std::map<std::string, std::string> catalogueRow(const std::string& dbPath, const std::string& key) {
    Db db(dbPath);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db.db, "SELECT * FROM \"Type\" WHERE \"Format\" = ?", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    std::map<std::string, std::string> row;
    if (sqlite3_step(st) == SQLITE_ROW) {
        static const char* kinds[] = {"?", "integer", "real", "text", "blob", "null"};
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            row[sqlite3_column_name(st, i)] =
                std::string(kinds[sqlite3_column_type(st, i)]) + ":" + cellText(st, i);
    }
    sqlite3_finalize(st);
    return row;
}

void execSql(const std::string& dbPath, const std::string& sql) {
    Db db(dbPath);
    char* err = nullptr;
    if (sqlite3_exec(db.db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string why = err ? err : "error";
        sqlite3_free(err);
        throw std::runtime_error(why);
    }
}

std::vector<std::vector<std::string>> tableRows(const std::string& dbPath,
                                                const std::string& table) {
    Db db(dbPath);
    sqlite3_stmt* st = nullptr;
    const std::string sql = "SELECT * FROM \"" + table + "\" ORDER BY rowid";
    sqlite3_prepare_v2(db.db, sql.c_str(), -1, &st, nullptr);
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            row.push_back(cellText(st, i));
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    return rows;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

std::vector<uint8_t> necSample() {
    return qv::readCaptureFile(QV_SOURCE_DIR "/data/samples/nec-00-12.txt");
}

} // namespace qvtest
