// The format editor's openers, its closing and the save of the shown
// parameters into one of the user slots of the catalogue.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Session;

// The slots a user may overwrite: "Form155" ... "Form160".
const std::vector<std::string>& userSlots();

// "Standard &Time Parameter" (editable false) and "&Add Or Modify Format"
// (editable true): fill the editor from the selected format and show it.
void openFormatEditor(Session& s, bool editable);

// "&Close", Escape or the window's own close: hides the slot controls again
// and closes the open files.
void closeFormatEditor(Session& s);

// "&Add/Modify": writes every shown parameter into the row of the chosen
// slot. Returns true when the row was written; CurFormat then stands on it
// and the editor's "saved" line says so. Without a chosen slot nothing is
// written and a message asks for one; a missing row, a slot that is not a
// user slot or a value the catalogue refuses leave the catalogue as it was
// and are reported by a message naming the slot (and the box's caption).
bool saveFormat(Session& s);

} // namespace qv
