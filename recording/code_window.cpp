#include "recording/code_window.h"

#include "app/format_selection.h"
#include "platform/basic.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace qv {

namespace {

void showPosition(Session& s, const CodeGrid& g) {
    s.code.tRow = std::to_string(g.currentRow() + 1);
    s.code.tCol = std::to_string(g.currentColumn() + 1);
}

// Assigning the cell its own text stores an edit still pending in it.
void commitCell(CodeGrid& g) {
    g.setCurrentText(g.currentText());
}

void refreshCell(Session& s, CodeGrid& g) {
    g.refresh();
    commitCell(g);
    showPosition(s, g);
}

void scrollIfFourth(CodeGrid& g, int recordCol, int columns) {
    if (recordCol % 4 == 0) g.scroll(columns, 0);
}

// A whole number typed into a box, when the text is one and fits.
std::optional<int64_t> wholeNumber(const std::string& text, int64_t low, int64_t high) {
    if (!isNumeric(text)) return std::nullopt;
    int64_t v = wholeOf(text);
    if (v < low || v > high) return std::nullopt;
    return v;
}

} // namespace

void openCodeWindow(Session& s) {
    s.code.tXTime = std::to_string(s.XTime);
    s.code.t01Tole = std::to_string(s.ZeroOneTime);
    s.code.visible = true;
    s.changed();
}

void activateCodeWindow(Session& s) {
    s.code.cbTol = singleText(single(s.TimeTolerance * 100.0f));
    s.code.tTTole = singleText(s.CycleTolerance);
    s.code.tForm = s.irtype;
    s.changed();
}

void closeCodeWindow(Session& s) {
    constexpr int64_t lo = std::numeric_limits<int16_t>::min();
    constexpr int64_t hi = std::numeric_limits<int16_t>::max();
    if (auto v = wholeNumber(s.code.tXTime, lo, hi)) s.XTime = static_cast<int16_t>(*v);
    if (auto v = wholeNumber(s.code.t01Tole, lo, hi)) s.ZeroOneTime = static_cast<int16_t>(*v);
    // A window opened again starts with recording off, as a new one does.
    s.code.visible = false;
    s.code.cIrRec = false;
    s.code.cOrder = false;
    s.errorRecord.close();
    s.changed();
}

void nextColumn(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    if (s.RecordCol < g.columnCount() - 1) {
        ++s.RecordCol;
    } else {
        g.nextRow();
        s.RecordCol = 1;
        g.scroll(-kScrollBackSteps, 0); // column 1 of the new row comes into view
    }
    g.setCurrentColumn(s.RecordCol);
    scrollIfFourth(g, s.RecordCol, 4);
    refreshCell(s, g);
    s.changed();
}

void previousColumn(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    if (s.RecordCol > 1) {
        --s.RecordCol;
        g.setCurrentColumn(s.RecordCol);
        // Going back scrolls back, so the current column stays in view.
        scrollIfFourth(g, s.RecordCol, -4);
        refreshCell(s, g);
    }
    s.changed();
}

void resetColumns(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    g.scroll(-kScrollBackSteps, 0);
    s.RecordCol = 1;
    g.setCurrentColumn(s.RecordCol);
    refreshCell(s, g);
    s.changed();
}

void nextModel(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    s.RecordCol = 1;
    g.setCurrentColumn(s.RecordCol);
    g.nextRow();
    g.scroll(-kScrollBackSteps, 0);
    refreshCell(s, g);
    s.changed();
}

void emptyCell(Session& s) {
    if (!s.codeGrid) return;
    s.codeGrid->setCurrentText("");
    s.changed();
}

void setPosition(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    auto row = wholeNumber(s.code.tRow, 1, std::numeric_limits<int>::max());
    auto col = wholeNumber(s.code.tCol, 1, g.columnCount());
    if (!row || !col) {
        showPosition(s, g); // the boxes show where the grid still stands
        s.changed();
        return;
    }
    g.setCurrentRow(static_cast<int>(*row - 1));
    g.scroll(-kScrollBackSteps, 0);
    g.scroll(static_cast<int>(*col - 1), 0);
    s.RecordCol = static_cast<int16_t>(*col - 1);
    g.setCurrentColumn(s.RecordCol);
    refreshCell(s, g);
    s.changed();
}

void jumpToPanel(Session& s, int panel) {
    if (!s.codeGrid || panel < 1 || panel > static_cast<int>(s.code.tPos.size())) return;
    CodeGrid& g = *s.codeGrid;
    auto pos = wholeNumber(s.code.tPos[panel - 1], 1, g.columnCount());
    if (!pos) return;
    s.RecordCol = static_cast<int16_t>(*pos - 1);
    g.setCurrentColumn(s.RecordCol);
    g.scroll(-kScrollBackSteps, 0);
    g.scroll(s.RecordCol, 0);
    commitCell(g);
    showPosition(s, g);
    s.changed();
}

void gridClicked(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    s.RecordCol = static_cast<int16_t>(g.currentColumn());
    showPosition(s, g);
    // The row's format key selects that format; a row without one keeps the
    // selection, which an empty key would leave without any usable format.
    g.setCurrentColumn(3);
    const std::string key = g.currentText();
    g.setCurrentColumn(s.RecordCol);
    if (trimBlanks(key).empty()) {
        s.changed();
        return;
    }
    setIrtype(s, key);
}

void gridEnter(Session& s) {
    if (!s.codeGrid) return;
    CodeGrid& g = *s.codeGrid;
    if (s.RecordCol < g.columnCount() - 1) ++s.RecordCol;
    commitCell(g);
    g.refresh();
    g.setCurrentColumn(s.RecordCol);
    showPosition(s, g);
    scrollIfFourth(g, s.RecordCol, 4);
    s.changed();
}

void formBoxEnter(Session& s) {
    setIrtype(s, s.code.tForm);
}

void applyTolerance(Session& s) {
    if (trimBlanks(s.code.cbTol).empty()) {
        s.message("The tolerance is empty!");
    } else {
        s.TimeTolerance = single(leadingNumber(s.code.cbTol) / 100.0);
        s.editor.box["cTole"] = s.code.cbTol;
        s.tTole = s.code.cbTol + "%";
        setIrtype(s, s.code.tForm);
    }
    // Text that is not a number keeps the cycle tolerance, as the main
    // window's box does.
    if (isNumeric(s.code.tTTole)) s.CycleTolerance = single(leadingNumber(s.code.tTTole));
    s.changed();
}

void readOrderClicked(Session& s, bool checked) {
    s.code.cOrder = checked;
    if (checked) s.ReadOrder = !s.ReadOrder;
    s.changed();
}

void recordClicked(Session& s, bool checked) {
    s.code.cIrRec = checked;
    s.changed();
}

void toggleRecording(Session& s) {
    recordClicked(s, !s.code.cIrRec);
}

} // namespace qv
