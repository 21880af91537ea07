// A keyed cursor over one table of an SQLite file: open, seek "=" on the key,
// read a field by name, edit and update the current row, move first/next in
// key order. The catalogue of formats is used through it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace qv {

// Opening, reading or writing the file failed; what() names the file and
// carries the database's own message.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field read that cannot be served: no current row, or no such field.
class FieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value written to a field that the field's type refuses.
class RefusedValue : public DatabaseError {
public:
    RefusedValue(const std::string& field, const std::string& what)
        : DatabaseError(what), m_field(field) {}
    const std::string& field() const { return m_field; }

private:
    std::string m_field;
};

// One stored value: Null, text, or number, as the row holds it.
class FieldValue {
public:
    enum class Kind { Null, Text, Number };

    FieldValue() = default;
    static FieldValue text(std::string s) { return FieldValue(Kind::Text, std::move(s), 0); }
    static FieldValue number(double v) { return FieldValue(Kind::Number, {}, v); }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isText() const { return m_kind == Kind::Text; }

    // Text form: Null gives "", numbers up to 15 significant digits.
    std::string toText() const;
    // Numeric form when the value is a number or text that reads wholly as
    // one (blanks allowed); nullopt for Null, empty text and other text.
    std::optional<double> toNumber() const;

    bool operator==(const FieldValue&) const = default;

private:
    FieldValue(Kind k, std::string s, double v) : m_kind(k), m_text(std::move(s)), m_number(v) {}
    Kind m_kind = Kind::Null;
    std::string m_text;
    double m_number = 0;
};

class Database {
public:
    // Opens an existing file; a missing file is an error (never created here).
    static std::shared_ptr<Database> open(const std::string& path, bool readOnly = false);
    // Opens or creates the file.
    static std::shared_ptr<Database> create(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql);
    const std::string& path() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    [[noreturn]] void fail(const std::string& doing) const;

private:
    Database(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}
    sqlite3* m_db = nullptr;
    std::string m_path;
};

class TableCursor {
public:
    // Reads the table's rows in the order of keyField. Throws DatabaseError
    // when the table or the key field does not exist.
    TableCursor(std::shared_ptr<Database> db, std::string table, std::string keyField);
    // A copy shares the rows read (and the connection) until one of them
    // writes a row: cheap enough to hand one to every reader.
    TableCursor(const TableCursor&) = default;
    TableCursor& operator=(const TableCursor&) = default;

    // Called after every row this cursor (or a copy) wrote, with the cursor.
    void setOnWrite(std::function<void(const TableCursor&)> onWrite) {
        m_onWrite = std::move(onWrite);
    }

    // Positions on the row whose key equals key exactly; no current row when
    // there is none.
    bool seek(const std::string& key);
    bool hasRow() const { return m_current.has_value(); }
    bool moveFirst();
    bool moveNext();

    // Field of the current row by name (exact name first, then ignoring case).
    // Throws FieldError without a current row or for an unknown field.
    const FieldValue& field(const std::string& name) const;
    bool hasField(const std::string& name) const;
    // Field i of fieldNames() of the current row; FieldError without one.
    const FieldValue& fieldAt(size_t i) const;
    const std::vector<std::string>& fieldNames() const { return m_table->fields; }
    // Whether field i is declared NUMERIC (takes numbers, Null or empty text).
    bool numericField(size_t i) const { return m_table->numeric[i]; }
    const std::string& keyField() const { return m_keyField; }
    std::string key() const;

    // Editing: edit() starts, setField() changes the pending row, update()
    // writes every changed field in one transaction. A refused value or a
    // failed write leaves both the file and the row as they were.
    void edit();
    void setField(const std::string& name, const FieldValue& v);
    void setFieldText(const std::string& name, const std::string& text);
    void update();
    // Takes in the row the writer (a cursor on the same table) stands on, as
    // it now is: a cursor kept for others sees a write made through a copy.
    void adoptRow(const TableCursor& writer);
    void cancelEdit();
    bool editing() const { return m_editing; }

    size_t rowCount() const { return m_table->rows.size(); }
    // The rows read, shared with copies and never changed: a write replaces
    // them. The same rows and position show the same values (unless editing).
    std::shared_ptr<const void> rowsRead() const { return m_table; }
    std::optional<size_t> position() const { return m_current; }
    const std::string& path() const { return m_db->path(); }
    const std::shared_ptr<Database>& database() const { return m_db; }

private:
    struct Row {
        long long rowid = 0;
        std::vector<FieldValue> values;
    };
    int fieldIndex(const std::string& name) const;
    int requireField(const std::string& name) const;

    struct Table {
        std::vector<std::string> fields;
        std::vector<bool> numeric; // declared NUMERIC: takes numbers, Null or empty text
        std::vector<Row> rows;     // in key order
        // Key text to the first row holding it: seek without a scan.
        std::unordered_map<std::string, size_t> byKey;
        void index(int keyIndex);
    };

    std::shared_ptr<Database> m_db;
    std::string m_tableName;
    std::string m_keyField;
    int m_keyIndex = 0;
    std::shared_ptr<Table> m_table; // shared by copies; copied before a write
    std::function<void(const TableCursor&)> m_onWrite;
    std::optional<size_t> m_current;
    bool m_editing = false;
    std::vector<FieldValue> m_pending;
};

} // namespace qv
