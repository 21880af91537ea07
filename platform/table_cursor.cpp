#include "platform/table_cursor.h"

#include "platform/basic.h"

#include <algorithm>
#include <cctype>
#include <sqlite3.h>

namespace qv {

std::string FieldValue::toText() const {
    switch (m_kind) {
    case Kind::Null:
        return {};
    case Kind::Text:
        return m_text;
    case Kind::Number:
        return doubleText(m_number);
    }
    return {};
}

std::optional<double> FieldValue::toNumber() const {
    if (m_kind == Kind::Number) return m_number;
    if (m_kind == Kind::Text && isNumeric(m_text)) return leadingNumber(m_text);
    return std::nullopt;
}

namespace {

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string quoted(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

FieldValue columnValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return FieldValue::number(sqlite3_column_double(st, i));
    default: {
        auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        return FieldValue::text(p ? std::string(p, sqlite3_column_bytes(st, i)) : std::string());
    }
    }
}

} // namespace

// A parallel writer holds the file for the length of its transaction:
// waiting that long beats giving up with "database is locked".
constexpr int kBusyWaitMs = 2000;

std::shared_ptr<Database> Database::open(const std::string& path, bool readOnly) {
    sqlite3* db = nullptr;
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw DatabaseError(path + ": " + msg);
    }
    sqlite3_busy_timeout(db, kBusyWaitMs);
    return std::shared_ptr<Database>(new Database(db, path));
}

std::shared_ptr<Database> Database::create(const std::string& path) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw DatabaseError(path + ": " + msg);
    }
    sqlite3_busy_timeout(db, kBusyWaitMs);
    return std::shared_ptr<Database>(new Database(db, path));
}

Database::~Database() {
    sqlite3_close(m_db);
}

void Database::fail(const std::string& doing) const {
    throw DatabaseError(m_path + ": " + doing + ": " + sqlite3_errmsg(m_db));
}

void Database::exec(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "error";
        sqlite3_free(err);
        throw DatabaseError(m_path + ": " + msg);
    }
}

void TableCursor::Table::index(int keyIndex) {
    byKey.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        const FieldValue& v = rows[i].values[keyIndex];
        if (!v.isNull()) byKey.emplace(v.toText(), i);
    }
}

TableCursor::TableCursor(std::shared_ptr<Database> db, std::string table, std::string keyField)
    : m_db(std::move(db)), m_tableName(std::move(table)), m_keyField(std::move(keyField)),
      m_table(std::make_shared<Table>()) {
    Table& t = *m_table;
    {
        Statement info;
        std::string sql = "PRAGMA table_info(" + quoted(m_tableName) + ")";
        if (sqlite3_prepare_v2(m_db->handle(), sql.c_str(), -1, &info.stmt, nullptr) != SQLITE_OK)
            m_db->fail("reading table " + m_tableName);
        int rc;
        while ((rc = sqlite3_step(info.stmt)) == SQLITE_ROW) {
            t.fields.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(info.stmt, 1)));
            auto* type = reinterpret_cast<const char*>(sqlite3_column_text(info.stmt, 2));
            t.numeric.push_back(type && sameNameIgnoringCase(type, "NUMERIC"));
        }
        if (rc != SQLITE_DONE) m_db->fail("reading table " + m_tableName);
    }
    if (t.fields.empty()) throw DatabaseError(m_db->path() + ": no table " + m_tableName);
    int key = fieldIndex(m_keyField);
    if (key < 0)
        throw DatabaseError(m_db->path() + ": table " + m_tableName + " has no field " +
                            m_keyField);
    m_keyIndex = key;

    Statement rows;
    std::string sql =
        "SELECT rowid, * FROM " + quoted(m_tableName) + " ORDER BY " + quoted(m_keyField);
    if (sqlite3_prepare_v2(m_db->handle(), sql.c_str(), -1, &rows.stmt, nullptr) != SQLITE_OK)
        m_db->fail("reading table " + m_tableName);
    int rc;
    while ((rc = sqlite3_step(rows.stmt)) == SQLITE_ROW) {
        Row row;
        row.rowid = sqlite3_column_int64(rows.stmt, 0);
        for (size_t i = 0; i < t.fields.size(); ++i)
            row.values.push_back(columnValue(rows.stmt, static_cast<int>(i) + 1));
        t.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) m_db->fail("reading table " + m_tableName);
    t.index(m_keyIndex);
}

int TableCursor::fieldIndex(const std::string& name) const {
    const std::vector<std::string>& fields = m_table->fields;
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i] == name) return static_cast<int>(i);
    for (size_t i = 0; i < fields.size(); ++i)
        if (sameNameIgnoringCase(fields[i], name)) return static_cast<int>(i);
    return -1;
}

int TableCursor::requireField(const std::string& name) const {
    int i = fieldIndex(name);
    if (i < 0) throw FieldError("Item not found in this collection: " + name);
    return i;
}

bool TableCursor::hasField(const std::string& name) const {
    return fieldIndex(name) >= 0;
}

bool TableCursor::seek(const std::string& key) {
    cancelEdit();
    m_current.reset();
    if (auto it = m_table->byKey.find(key); it != m_table->byKey.end()) m_current = it->second;
    return hasRow();
}

bool TableCursor::moveFirst() {
    cancelEdit();
    m_current.reset();
    if (!m_table->rows.empty()) m_current = 0;
    return hasRow();
}

bool TableCursor::moveNext() {
    cancelEdit();
    if (!m_current) return false;
    if (*m_current + 1 < m_table->rows.size())
        m_current = *m_current + 1;
    else
        m_current.reset();
    return hasRow();
}

const FieldValue& TableCursor::field(const std::string& name) const {
    if (!m_current) throw FieldError("No current record.");
    int i = requireField(name);
    return m_editing ? m_pending[i] : m_table->rows[*m_current].values[i];
}

const FieldValue& TableCursor::fieldAt(size_t i) const {
    if (!m_current) throw FieldError("No current record.");
    return m_editing ? m_pending.at(i) : m_table->rows[*m_current].values.at(i);
}

std::string TableCursor::key() const {
    if (!m_current) return {};
    return m_table->rows[*m_current].values[m_keyIndex].toText();
}

void TableCursor::edit() {
    if (!m_current) throw FieldError("No current record.");
    m_pending = m_table->rows[*m_current].values;
    m_editing = true;
}

void TableCursor::setField(const std::string& name, const FieldValue& v) {
    if (!m_editing) edit();
    int i = requireField(name);
    FieldValue value = v;
    if (m_table->numeric[i] && value.isText()) {
        // A numeric field takes the number the text spells; empty text is Null.
        if (trimBlanks(value.toText()).empty())
            value = FieldValue();
        else if (auto n = value.toNumber())
            value = FieldValue::number(*n);
        else
            throw RefusedValue(m_table->fields[i], m_db->path() + ": field " + m_table->fields[i] +
                                                       " refuses the value \"" + value.toText() +
                                                       "\"");
    }
    m_pending[i] = value;
}

void TableCursor::setFieldText(const std::string& name, const std::string& text) {
    setField(name, FieldValue::text(text));
}

void TableCursor::adoptRow(const TableCursor& writer) {
    if (!writer.m_current) return;
    const Row& source = writer.m_table->rows[*writer.m_current];
    for (size_t i = 0; i < m_table->rows.size(); ++i) {
        if (m_table->rows[i].rowid != source.rowid) continue;
        auto table = std::make_shared<Table>(*m_table);
        table->rows[i].values = source.values;
        table->index(m_keyIndex);
        m_table = std::move(table);
        return;
    }
}

void TableCursor::cancelEdit() {
    m_editing = false;
    m_pending.clear();
}

void TableCursor::update() {
    if (!m_editing || !m_current) return;
    const std::vector<std::string>& fields = m_table->fields;
    const Row& row = m_table->rows[*m_current];
    std::vector<size_t> changed;
    for (size_t i = 0; i < fields.size(); ++i)
        if (!(m_pending[i] == row.values[i])) changed.push_back(i);
    if (changed.empty()) {
        cancelEdit();
        return;
    }
    std::string sql = "UPDATE " + quoted(m_tableName) + " SET ";
    for (size_t k = 0; k < changed.size(); ++k)
        sql += (k ? ", " : "") + quoted(fields[changed[k]]) + " = ?";
    sql += " WHERE rowid = ?";

    sqlite3* db = m_db->handle();
    // A failed write leaves the file and this cursor's row as they were.
    auto rollback = [&](const std::string& doing, bool inTransaction = true) {
        std::string msg = m_db->path() + ": " + doing + ": " + sqlite3_errmsg(db);
        if (inTransaction) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        cancelEdit();
        throw DatabaseError(msg);
    };
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        rollback("writing row " + key(), false);
    {
        Statement st;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st.stmt, nullptr) != SQLITE_OK)
            rollback("writing row " + key());
        int n = 1;
        for (size_t i : changed) {
            const FieldValue& v = m_pending[i];
            if (v.isNull())
                sqlite3_bind_null(st.stmt, n++);
            else if (v.isNumber())
                sqlite3_bind_double(st.stmt, n++, *v.toNumber());
            else
                sqlite3_bind_text(st.stmt, n++, v.toText().c_str(), -1, SQLITE_TRANSIENT);
        }
        sqlite3_bind_int64(st.stmt, n, row.rowid);
        if (sqlite3_step(st.stmt) != SQLITE_DONE) rollback("writing row " + key());
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        rollback("writing row " + key());
    // Copies made before the write keep the rows they were given.
    auto table = std::make_shared<Table>(*m_table);
    const bool keyChanged = !(m_pending[m_keyIndex] == row.values[m_keyIndex]);
    table->rows[*m_current].values = std::move(m_pending);
    if (keyChanged) table->index(m_keyIndex);
    m_table = std::move(table);
    cancelEdit();
    if (m_onWrite) m_onWrite(*this);
}

} // namespace qv
