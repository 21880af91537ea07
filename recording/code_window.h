// The code recording window's actions on the session: the navigation of the
// code grid's cursor RecordCol, the tolerance panel, the read order and the
// window's opening and closing. The grid itself is session.env.codeGrid; every
// action does nothing to it while there is none.
#pragma once

namespace qv {

class Session;

// Scroll steps that bring any grid of ours back to its first column.
constexpr int kScrollBackSteps = 250;

// Opening from the main window: X Time and 0-1 Time into their boxes.
void openCodeWindow(Session& s);
// Each activation: the tolerance panel shows the tolerances and the format.
void activateCodeWindow(Session& s);
// "&Close" / "Exit": X Time and 0-1 Time taken from their boxes (text that
// is not a whole number in range keeps the previous value), files closed.
void closeCodeWindow(Session& s);

void nextColumn(Session& s);             // "Ne&xt Col"
void previousColumn(Session& s);         // "&Prev Col"
void resetColumns(Session& s);           // "R&eset"
void nextModel(Session& s);              // "Next &Model"
void emptyCell(Session& s);              // "Emp&ty"
void setPosition(Session& s);            // "&Set": row and column from tRow / tCol
void jumpToPanel(Session& s, int panel); // "Remark&1" ... "Remark&5", panel 1..5

// The user clicked a cell; the grid's current cell is already the clicked one.
void gridClicked(Session& s);
// Enter pressed in the grid.
void gridEnter(Session& s);
// Enter pressed in tForm: selects the format named there.
void formBoxEnter(Session& s);

void applyTolerance(Session& s);                 // "&Apply"
void readOrderClicked(Session& s, bool checked); // "Change Read Order"
void recordClicked(Session& s, bool checked);    // "IR &REC"
void toggleRecording(Session& s);                // menu "Ir Record"

} // namespace qv
