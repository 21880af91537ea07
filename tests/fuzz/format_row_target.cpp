// Any values in a format row, decoded against a capture. The row starts as
// a shipped row and the input rewrites some of its fields with values of
// every kind a file or a user can hold; the capture is a receiver message or
// times written straight into the capture record.
#include "app/session.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "app/capture_loader.h"
#include "app/capture_tick.h"
#include "app/dispatch.h"
#include "app/format_editor.h"
#include "app/format_selection.h"
#include "catalogue/catalogue.h"
#include "platform/basic.h"
#include "platform/table_cursor.h"
#include "waveform/waveform.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <sqlite3.h>

namespace qvfuzz {

namespace {

// The slots with rules of their own, and the generic keys.
const char* const kSlots[] = {"Form002", "Form008", "Form009", "Form011", "Form016", "Form018",
                              "Form025", "Form029", "Form030", "Form031", "Form042", "Form046",
                              "Form047", "Form059", "Form063", "Form064", "Form086", "Form089",
                              "Form090", "Form098", "Form126", "Form127", "Form128", "Form131",
                              "Form135", "IB",      "RIB",     "HL",      "SE",      "Form160"};
const char* const kTypes[] = {"IB", "RIB", "HL", "Pulse", "MIS", "SE", "RCS16", "DNA", "OTHER"};
const char* const kTokens[] = {"H", "H2", "S",  "T", "F", "C", "~C", "RC0",
                               "D", "~D", "B0", "E", "P", "X", "",   "x"};
const double kExtremes[] = {1e9,   -1e9,    2147483648.0, -2147483649.0, 9.3e18,
                            1e300, -1e300,  65536,        32768,         -32769,
                            1e-9,  0.49999, 248885,       35555,         INFINITY};

// The table layout of the shipped catalogue (everything before its rows).
const std::string& schema() {
    static const std::string sql = fileBytes(std::string(QV_SOURCE_DIR) + "/data/catalogue.sql");
    static const std::string text = sql.substr(0, sql.find("INSERT"));
    return text;
}

struct Fixture {
    std::vector<std::string> names;                // the table's fields in order
    std::vector<std::vector<qv::FieldValue>> rows; // the shipped rows as stored
    CatalogueRows shipped = catalogueRows(pristineCatalogue());
    std::string editorCatalogue = workDir() + "/editor.db";
    std::string errorRecord = workDir() + "/Error record.txt";
    Fixture() {
        copyFile(pristineCatalogue(), editorCatalogue);
        auto db = qv::Database::open(pristineCatalogue(), true);
        qv::TableCursor t(db, "Type", "Format");
        names = t.fieldNames();
        for (bool more = t.moveFirst(); more; more = t.moveNext()) {
            auto& row = rows.emplace_back();
            for (const auto& name : names)
                row.push_back(t.field(name));
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}
std::string structure(ByteReader& in) {
    std::string out;
    const int n = in.byte() % 24;
    for (int i = 0; i < n; ++i) {
        if (i) out += ',';
        out += kTokens[in.byte() % std::size(kTokens)];
    }
    if (in.byte() & 1) out += ','; // a trailing comma makes the last token end in one
    return out;
}

qv::FieldValue anyValue(ByteReader& in) {
    using qv::FieldValue;
    const int kind = in.byte() % 12;
    if (kind == 0) return {};
    if (kind == 1) return FieldValue::text("");
    if (kind == 2) return FieldValue::text("---");
    if (kind == 3) return FieldValue::number(in.i16());
    if (kind == 4) return FieldValue::number(in.f64());
    if (kind == 5) return FieldValue::text(in.text(64));
    if (kind == 6) return FieldValue::number(in.i16() / 8.0);
    if (kind == 7) return FieldValue::text(qv::doubleText(in.i16() / 4.0)); // a number as text
    if (kind == 8) return FieldValue::number(kExtremes[in.byte() % std::size(kExtremes)]);
    if (kind == 9) {
        // A slot's key, or the quirks its row reads with.
        const uint8_t b = in.byte();
        const char* slot = kSlots[b % std::size(kSlots)];
        return FieldValue::text(b & 0x80 ? std::string(qv::shippedQuirks(slot)) : slot);
    }
    if (kind == 10) return FieldValue::text(kTypes[in.byte() % std::size(kTypes)]);
    return FieldValue::text(structure(in));
}

// A catalogue in memory holding the one row.
std::unique_ptr<qv::TableCursor> rowCursor(const std::vector<std::string>& names,
                                           const std::vector<qv::FieldValue>& values) {
    auto db = qv::Database::create(":memory:");
    db->exec(schema());
    qv::addQuirksColumn(*db);
    std::string sql = "INSERT INTO \"Type\" VALUES (";
    for (size_t i = 0; i < names.size(); ++i)
        sql += i ? ", ?" : "?";
    sql += ")";
    sqlite3_stmt* st = nullptr;
    require(sqlite3_prepare_v2(db->handle(), sql.c_str(), -1, &st, nullptr) == SQLITE_OK,
            "cannot prepare the row");
    for (size_t i = 0; i < values.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        if (values[i].isNull()) sqlite3_bind_null(st, n);
        if (values[i].isNumber()) sqlite3_bind_double(st, n, *values[i].toNumber());
        if (values[i].isText())
            sqlite3_bind_text(st, n, values[i].toText().c_str(), -1, SQLITE_TRANSIENT);
    }
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    // A row the table itself refuses (a key of Null) is no catalogue row.
    if (rc == SQLITE_CONSTRAINT) return nullptr;
    require(rc == SQLITE_DONE, "cannot store the row");
    return std::make_unique<qv::TableCursor>(db, "Type", "Format");
}

// Times straight into the capture record; two values stand for an empty
// cell and the end marker.
void writeCells(qv::Session& s, ByteReader& in) {
    for (long r = 1; r <= qv::kDataRows; ++r)
        for (long c = 1; c <= qv::kDataCols; ++c) {
            const uint32_t v = in.empty() ? 0xFFFFFF : in.u24();
            s.TTable.setCell(r, c,
                             v == 0xFFFFFF   ? std::string()
                             : v == 0xFFFFFE ? std::to_string(qv::kEndOfSignal)
                                             : std::to_string(v));
        }
}

// The editor's save of the typed values into a user slot: either the row
// holds what was typed, or the user is told and the row is as it was.
void saveThroughEditor(qv::Session& s, const std::vector<std::string>& names,
                       const std::vector<qv::FieldValue>& values) {
    Fixture& fx = fixture();
    static const std::map<std::string, std::string> boxOf = [] {
        std::map<std::string, std::string> m(qv::editorFieldBoxes().begin(),
                                             qv::editorFieldBoxes().end());
        m["G_count"] = "tGroups";
        m["Remark"] = "tRemark";
        return m;
    }();
    for (size_t i = 0; i < names.size(); ++i)
        if (auto it = boxOf.find(names[i]); it != boxOf.end())
            s.editor.box[it->second] = values[i].toText();
    s.editor.cAddFmt = "Form160";
    s.format.cataloguePath = fx.editorCatalogue;

    const std::string before = fileBytes(fx.editorCatalogue);
    const size_t messages = s.out.messages.size();
    const bool saved = qv::saveFormat(s);
    if (!saved) {
        require(fileBytes(fx.editorCatalogue) == before, "a save that failed changed the file");
        require(s.out.messages.size() > messages, "a save that failed told the user nothing");
        return;
    }
    // Only the slot's row: every other row reads as before.
    CatalogueRows after = catalogueRows(fx.editorCatalogue), shipped = fx.shipped;
    std::erase_if(after, [](const auto& row) { return row.front().second == "Form160"; });
    std::erase_if(shipped, [](const auto& row) { return row.front().second == "Form160"; });
    require(after == shipped, "the editor's save changed another row");
    require(s.format.cursor && s.format.cursor->key() == "Form160",
            "CurFormat is not on the saved row");
}

} // namespace

int formatRow(const uint8_t* data, size_t size) {
    Fixture& fx = fixture();
    std::filesystem::remove(fx.errorRecord);
    ByteReader in(data, size);

    // The row: a shipped one, some fields replaced.
    const std::vector<std::string>& names = fx.names;
    std::vector<qv::FieldValue> values = fx.rows[in.byte() % fx.rows.size()];
    const int changes = in.byte() % 16;
    for (int i = 0; i < changes; ++i) {
        const size_t field = in.byte() % names.size();
        values[field] = anyValue(in);
    }
    // The key field is NOT NULL in the table: a row without a key cannot exist.
    if (values.front().isNull()) values.front() = qv::FieldValue::text("");

    const uint8_t switches = in.byte();
    const uint8_t tolerance = in.byte();
    const uint16_t cycleTolerance = in.u16();
    const int16_t xTime = in.i16();
    const std::string zeroOneTolerance = in.text(24);

    qv::MemoryPort port;
    qv::MemoryCodeGrid grid;
    qv::Session s;
    s.format.cataloguePath = pristineCatalogue(); // what automatic selection reads
    s.env.errorRecord.setPath(fx.errorRecord);
    s.env.port = &port;
    s.env.codeGrid = &grid;
    s.decoding.ignoreTime = switches & 1;
    s.decoding.octal = switches & 2;
    s.format.readOrder = switches & 4;
    s.format.automatic = switches & 8;
    s.code.cIrRec = switches & 16;
    s.decoding.timeTolerance = static_cast<float>(tolerance) / 400.0f;
    s.decoding.cycleTolerance = cycleTolerance;
    s.decoding.waitTime = xTime;
    s.code.t01Tole = zeroOneTolerance;

    if (switches & 32) {
        saveThroughEditor(s, names, values);
        s.format.name = "Form160";
    } else {
        s.format.cursor = rowCursor(names, values);
        if (!s.format.cursor) return 0;
        const std::string key =
            s.format.cursor->moveFirst() ? s.format.cursor->key() : std::string();
        s.format.name = switches & 64 ? key : key + "(caption)";
    }

    if (switches & 128) {
        writeCells(s, in);
        qv::drawWaveform(s);
        qv::decodeDispatch(s);
    } else {
        port.receive(in.rest());
        qv::captureTick(s);
    }
    return 0;
}

} // namespace qvfuzz
