// What the window tests share: a session on a fresh catalogue copy in a
// temporary directory, and direct reads of the files the windows write.
#pragma once

#include "app/session.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

namespace qvtest {

class TestSession {
public:
    // Builds the catalogue from data/catalogue.sql, points the session's
    // catalogue and error record into the temporary directory and selects
    // "Form016(NEC N-8)".
    TestSession();
    qv::Session s;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    std::string catalogue() const { return s.cataloguePath; }

private:
    QTemporaryDir m_dir;
};

// One row of table "Type", read with SQLite: field -> storage class and text.
std::map<std::string, std::string> catalogueRow(const std::string& dbPath, const std::string& key);
// Runs SQL on a database file (test set-up).
void execSql(const std::string& dbPath, const std::string& sql);
// Every row of a table, each cell as text ("" for Null), in rowid order.
std::vector<std::vector<std::string>> tableRows(const std::string& dbPath,
                                                const std::string& table);
QByteArray fileBytes(const QString& path);

// The receiver message of the NEC sample capture (address 0x00, command 0x12).
std::vector<uint8_t> necSample();

} // namespace qvtest
