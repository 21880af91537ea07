// The format editor window as the session keeps it.
#pragma once

#include "platform/table_cursor.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// Contents of the format editor window (Form_time), by control name.
struct EditorModel {
    EditorModel();
    std::map<std::string, std::string> box; // text boxes, lists: tStru, tHeadOsc, ...
    std::map<std::string, bool> check; // cHead, cData, cEndbit, cGroup, c2ndB, cG2RptB, cCYes, cCNo
    std::string caption = "Form016 time";
    std::string cAddFmt; // chosen user slot, empty when none
    std::string saved;   // what the last save wrote ("Form157 saved."), empty otherwise
    // The loaded row's fields that no box shows (Bits, zero_HL, One_HL,
    // T_Time, Quirks, ...): saved with the boxes, so a row saved into a user
    // slot reads as the row it was loaded from.
    std::vector<std::pair<std::string, FieldValue>> unshown;
    bool frameEnabled = false;
    bool slotControlsVisible = false;
    bool visible = false;

    static const std::vector<std::string>& textBoxNames();
    static const std::vector<std::string>& checkBoxNames();
};

// Field <- editor box, in the order the save writes them ("G_count" and
// "Remark" are written only from a box that is not empty, after these).
const std::vector<std::pair<const char*, const char*>>& editorFieldBoxes();

// Whether the save writes the field from the editor's boxes; the loaded
// row's other fields are written back as they were.
bool savedFromBoxes(std::string_view field);

// The caption the editor shows beside a field's box ("H_Osc" -> "Head1 B1
// OSC"); the field's own name for a field without a box.
const std::string& editorFieldCaption(const std::string& field);

} // namespace qv
