// Choosing a format: the change handler of the format box irtype positions
// the shared cursor CurFormat on the catalogue row of the chosen key and
// fills the format editor's contents from it.
#pragma once

#include "app/session.h"

#include <memory>
#include <string>

namespace qv {

// Opens the catalogue: table "Type" with its index "idxFormat" on "Format".
// Throws DatabaseError naming the file and the database's message.
std::unique_ptr<TableCursor> openCatalogue(const std::string& path);

// The change handler of irtype.
void LoadFormat(Session& s);

// Sets irtype's text and runs the change handler (also when the text is
// unchanged, so the cursor is always positioned again). A menu caption's
// access-key marks are not part of the name: "Form030(&RC-5)" is shown,
// titled and written as "Form030(RC-5)".
void setIrtype(Session& s, const std::string& text);

// Repeat letters joined by "&" for the editor's six repeat boxes, and the
// boxes a stored text checks.
std::string repeatText(const EditorModel& editor);
void applyRepeatText(EditorModel& editor, const std::string& text);

} // namespace qv
