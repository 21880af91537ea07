// Choosing a format: the change handler of the format box irtype positions
// the shared cursor CurFormat on the catalogue row of the chosen key and
// fills the format editor's contents from it.
#pragma once

#include "app/editor_model.h"
#include "catalogue/catalogue.h"

#include <memory>
#include <optional>
#include <string>

namespace qv {

class Session;

// The change handler of irtype.
void loadFormat(Session& s);

// Sets irtype's text and runs the change handler (also when the text is
// unchanged, so the cursor is always positioned again). A menu caption's
// access-key marks are not part of the name: "Form030(&RC-5)" is shown,
// titled and written as "Form030(RC-5)".
void setIrtype(Session& s, const std::string& text);

// Repeat letters joined by "&" for the editor's six repeat boxes, and the
// boxes a stored text checks.
std::string repeatText(const EditorModel& editor);
void applyRepeatText(EditorModel& editor, const std::string& text);

// The gap that ends a frame: (X - 1000) x (1 - TimeTolerance) with X of the
// selected format; empty when X cannot be read.
std::optional<double> frameGapThreshold(const Session& s);

} // namespace qv
