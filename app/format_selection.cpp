#include "app/format_selection.h"

#include "app/session.h"

#include "app/editor_model.h"
#include "catalogue/catalogue.h"
#include "catalogue/format_menus.h"
#include "platform/basic.h"

#include <filesystem>

namespace qv {

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

// A catalogue that is not there is named as such, with the way to get it
// back, rather than with the database's "unable to open database file".
std::string catalogueFault(const std::string& path, const std::string& what) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec)
        return what.find(kRestoreCatalogue) == std::string::npos ? what + kRestoreCatalogue : what;
    return path +
           ": there is no format catalogue here, so no format can be chosen or decoded. A build "
           "makes it again with `cmake --build build --target catalogue`; an installed Quorvel "
           "copies the shipped one at its next start (see the README, \"The format catalogue\").";
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

void loadFormat(Session& s) {
    // Open first: a catalogue that cannot be opened leaves the previous
    // selection in force and is reported.
    std::unique_ptr<TableCursor> cursor;
    try {
        cursor = openCatalogue(s.format.cataloguePath);
    } catch (const DatabaseError& e) {
        s.message(catalogueFault(s.format.cataloguePath, e.what()));
        return;
    }

    EditorModel& ed = s.editor;
    // Every box reads 0 until the row fills it, but the Type box and the
    // time tolerance; the two repeat checks keep their state.
    for (const std::string& name : EditorModel::textBoxNames())
        if (name != "tType" && name != "cTole")
            ed.box[name] = std::string(1, '0'); // not "0": GCC 12 warns falsely
    for (const std::string& name : EditorModel::checkBoxNames())
        if (name != "c2ndB" && name != "cG2RptB") ed.check[name] = false;

    s.format.cursor = std::move(cursor);
    TableCursor& f = *s.format.cursor;
    if (const std::string key = leftText(s.format.name, 7); !f.seek(key)) {
        if (!key.empty())
            s.message(s.format.cataloguePath + ": the catalogue has no row " + key +
                      kRestoreCatalogue);
        s.changed();
        return;
    }
    auto text = [&](const char* field) {
        return f.hasField(field) ? f.field(field).toText() : std::string();
    };
    auto value = [&](const char* field) {
        return f.hasField(field) ? f.field(field) : FieldValue();
    };

    // Every field the editor shows, through the editor's one table; a Type
    // without a value leaves its box, and G2_T falls back on T1.
    const FieldValue g2t = value("G2_T");
    const bool g2tEmpty =
        g2t.isNull() || g2t.toText().empty() || (g2t.toNumber() && *g2t.toNumber() == 0);
    for (const auto& [field, boxName] : editorFieldBoxes()) {
        const std::string_view name = field;
        if (name == "Type") {
            if (holdsValue(value("Type"))) ed.box[boxName] = text("Type");
        } else if (name == "G2_T") {
            ed.box[boxName] = g2tEmpty ? text("T1") : g2t.toText();
        } else {
            ed.box[boxName] = text(field);
        }
    }

    ed.box["cTole"] = singleText(single(s.decoding.timeTolerance * 100.0f));
    ed.box["tTTole"] = singleText(s.decoding.cycleTolerance);

    ed.unshown.clear();
    for (size_t i = 0; i < f.fieldNames().size(); ++i)
        if (const std::string& name = f.fieldNames()[i];
            !savedFromBoxes(name) && name != f.keyField())
            ed.unshown.emplace_back(name, f.fieldAt(i));
    // T2 shows T1 when the row has none; saved unchanged, it stays none.
    if (g2tEmpty) ed.unshown.emplace_back("G2_T", g2t);
    s.format.repeat = text("Repeat");
    applyRepeatText(ed, s.format.repeat);

    ed.check["cCNo"] = false;
    ed.check["cCYes"] = false;
    if (text("convert") == "Y") {
        ed.check["cCYes"] = true;
        s.format.readOrder = false;
    } else {
        s.format.readOrder = true;
    }

    ed.box["tGroups"] = holdsValue(value("G_count")) ? text("G_count") : "";
    ed.box["tRemark"] = holdsValue(value("Remark")) ? text("Remark") : "";
    ed.caption = s.format.name + " standard time parameter";

    ++s.decoding.tolerancesShown;
    s.changed();
}

void setIrtype(Session& s, const std::string& text) {
    s.format.name = withoutAccessKeys(text);
    loadFormat(s);
}

// The tolerance factor in single precision, as the setting is stored.
std::optional<double> frameGapThreshold(const Session& s) {
    if (!s.format.cursor || !s.format.cursor->hasRow()) return std::nullopt;
    std::optional<double> x;
    try {
        x = s.format.cursor->field("X").toNumber();
    } catch (const FieldError&) {
        return std::nullopt;
    }
    if (!x) return std::nullopt;
    const float factor = 1.0f - s.decoding.timeTolerance;
    return (*x - 1000) * static_cast<double>(factor);
}

} // namespace qv
