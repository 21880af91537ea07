#include "app/format_editor.h"

#include "app/session.h"

#include "app/format_selection.h"

#include <algorithm>
#include <map>
#include <utility>

namespace qv {

const std::vector<std::string>& userSlots() {
    static const std::vector<std::string> slots = {"Form155", "Form156", "Form157",
                                                   "Form158", "Form159", "Form160"};
    return slots;
}

void openFormatEditor(Session& s, bool editable) {
    EditorModel& ed = s.editor;
    ed.frameEnabled = editable;
    if (editable) ed.slotControlsVisible = true;
    loadFormat(s);
    if (editable) ed.caption = "Add or Modify the New IR Format";
    ed.visible = true;
    s.changed();
}

void closeFormatEditor(Session& s) {
    EditorModel& ed = s.editor;
    ed.visible = false;
    ed.slotControlsVisible = false;
    ed.cAddFmt.clear(); // a new window has no slot chosen
    ed.saved.clear();
    s.env.errorRecord.close();
    s.changed();
}

namespace {

std::string boxText(const EditorModel& ed, const std::string& name) {
    auto it = ed.box.find(name);
    return it == ed.box.end() ? std::string() : it->second;
}

bool checked(const EditorModel& ed, const std::string& name) {
    auto it = ed.check.find(name);
    return it != ed.check.end() && it->second;
}

} // namespace

bool saveFormat(Session& s) {
    const EditorModel& ed = s.editor;
    const std::string slot = ed.cAddFmt;
    s.editor.saved.clear();
    if (slot.empty()) {
        s.message("Choose the format to add or modify (Form155 to Form160) first.");
        s.changed();
        return false;
    }
    const auto& slots = userSlots();
    if (std::find(slots.begin(), slots.end(), slot) == slots.end()) {
        s.message(slot + " is not a user format; only Form155 to Form160 can be written.");
        return false;
    }

    // The loader's catalogue, so that what is saved is what is selected later.
    std::unique_ptr<TableCursor> cursor;
    try {
        cursor = openCatalogue(s.format.cataloguePath);
    } catch (const DatabaseError& e) {
        s.message(slot + " was not saved: " + e.what());
        return false;
    }
    TableCursor& row = *cursor;
    if (!row.seek(slot)) {
        s.message(slot + " was not saved: the catalogue has no row for it.");
        return false;
    }

    // The field being written and its text, for the message if it fails.
    std::string field, value;
    auto put = [&](const char* name, std::string text) {
        field = name;
        value = std::move(text);
        row.setFieldText(field, value);
    };
    try {
        row.edit();
        for (const auto& [name, box] : editorFieldBoxes())
            put(name, boxText(ed, box));
        put("Repeat", repeatText(ed));
        put("convert", checked(ed, "cCYes") ? "Y" : "N");
        // An empty box keeps what the row holds.
        if (std::string groups = boxText(ed, "tGroups"); !groups.empty())
            put("G_count", std::move(groups));
        if (std::string remark = boxText(ed, "tRemark"); !remark.empty())
            put("Remark", std::move(remark));
        for (const auto& [name, v] : ed.unshown) {
            if (name == "G2_T" && boxText(ed, "tT2") != boxText(ed, "tT1")) continue;
            field = name;
            value = v.toText();
            row.setField(name, v);
        }
        row.update();
    } catch (const RefusedValue& e) {
        row.cancelEdit();
        s.message(slot + " was not saved: \"" + editorFieldCaption(e.field()) +
                  "\" refuses the value \"" + value + "\".");
        return false;
    } catch (const FieldError&) {
        row.cancelEdit();
        s.message(slot + " was not saved: the catalogue has no field " + field + ".");
        return false;
    } catch (const DatabaseError& e) {
        row.cancelEdit();
        s.message(slot + " was not saved: " + e.what());
        return false;
    }

    // Later captures decode against the row just written.
    s.format.cursor = std::move(cursor);
    s.editor.saved = slot + " saved.";
    s.changed();
    return true;
}

} // namespace qv
