#include "recording/code_window.h"

#include "app/session.h"

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
    s.code.tXTime = std::to_string(s.decoding.waitTime);
    s.code.t01Tole = std::to_string(s.decoding.zeroOneTime);
    s.code.visible = true;
    s.changed();
}

void activateCodeWindow(Session& s) {
    s.code.cbTol = singleText(single(s.decoding.timeTolerance * 100.0f));
    s.code.tTTole = singleText(s.decoding.cycleTolerance);
    s.code.tForm = s.format.name;
    s.changed();
}

void closeCodeWindow(Session& s) {
    constexpr int64_t lo = std::numeric_limits<int16_t>::min();
    constexpr int64_t hi = std::numeric_limits<int16_t>::max();
    if (auto v = wholeNumber(s.code.tXTime, lo, hi)) s.decoding.waitTime = static_cast<int16_t>(*v);
    if (auto v = wholeNumber(s.code.t01Tole, lo, hi))
        s.decoding.zeroOneTime = static_cast<int16_t>(*v);
    // A window opened again starts with recording off, as a new one does.
    s.code.visible = false;
    s.code.cIrRec = false;
    s.code.cOrder = false;
    s.env.errorRecord.close();
    s.changed();
}

void nextColumn(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
    if (s.code.recordCol < g.columnCount() - 1) {
        ++s.code.recordCol;
    } else {
        g.nextRow();
        s.code.recordCol = 1;
        g.scroll(-kScrollBackSteps, 0); // column 1 of the new row comes into view
    }
    g.setCurrentColumn(s.code.recordCol);
    scrollIfFourth(g, s.code.recordCol, 4);
    refreshCell(s, g);
    s.changed();
}

void previousColumn(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
    if (s.code.recordCol > 1) {
        --s.code.recordCol;
        g.setCurrentColumn(s.code.recordCol);
        // Going back scrolls back, so the current column stays in view.
        scrollIfFourth(g, s.code.recordCol, -4);
        refreshCell(s, g);
    }
    s.changed();
}

void resetColumns(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
    g.scroll(-kScrollBackSteps, 0);
    s.code.recordCol = 1;
    g.setCurrentColumn(s.code.recordCol);
    refreshCell(s, g);
    s.changed();
}

void nextModel(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
    s.code.recordCol = 1;
    g.setCurrentColumn(s.code.recordCol);
    g.nextRow();
    g.scroll(-kScrollBackSteps, 0);
    refreshCell(s, g);
    s.changed();
}

void emptyCell(Session& s) {
    if (!s.env.codeGrid) return;
    s.env.codeGrid->setCurrentText("");
    s.changed();
}

void setPosition(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
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
    s.code.recordCol = static_cast<int16_t>(*col - 1);
    g.setCurrentColumn(s.code.recordCol);
    refreshCell(s, g);
    s.changed();
}

void jumpToPanel(Session& s, int panel) {
    if (!s.env.codeGrid || panel < 1 || panel > static_cast<int>(s.code.tPos.size())) return;
    CodeGrid& g = *s.env.codeGrid;
    auto pos = wholeNumber(s.code.tPos[panel - 1], 1, g.columnCount());
    if (!pos) return;
    s.code.recordCol = static_cast<int16_t>(*pos - 1);
    g.setCurrentColumn(s.code.recordCol);
    g.scroll(-kScrollBackSteps, 0);
    g.scroll(s.code.recordCol, 0);
    commitCell(g);
    showPosition(s, g);
    s.changed();
}

void gridClicked(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
    s.code.recordCol = static_cast<int16_t>(g.currentColumn());
    showPosition(s, g);
    // The row's format key selects that format; a row without one keeps the
    // selection, which an empty key would leave without any usable format.
    g.setCurrentColumn(3);
    const std::string key = g.currentText();
    g.setCurrentColumn(s.code.recordCol);
    if (trimBlanks(key).empty()) {
        s.changed();
        return;
    }
    setIrtype(s, key);
}

void gridEnter(Session& s) {
    if (!s.env.codeGrid) return;
    CodeGrid& g = *s.env.codeGrid;
    if (s.code.recordCol < g.columnCount() - 1) ++s.code.recordCol;
    commitCell(g);
    g.refresh();
    g.setCurrentColumn(s.code.recordCol);
    showPosition(s, g);
    scrollIfFourth(g, s.code.recordCol, 4);
    s.changed();
}

void formBoxEnter(Session& s) {
    setIrtype(s, s.code.tForm);
}

void applyTolerance(Session& s) {
    if (trimBlanks(s.code.cbTol).empty()) {
        s.message("The tolerance is empty!");
    } else {
        s.decoding.timeTolerance = single(leadingNumber(s.code.cbTol) / 100.0);
        s.editor.box["cTole"] = s.code.cbTol;
        ++s.decoding.tolerancesShown;
        setIrtype(s, s.code.tForm);
    }
    // Text that is not a number keeps the cycle tolerance, as the main
    // window's box does.
    if (isNumeric(s.code.tTTole)) s.decoding.cycleTolerance = single(leadingNumber(s.code.tTTole));
    s.changed();
}

void readOrderClicked(Session& s, bool checked) {
    s.code.cOrder = checked;
    if (checked) s.format.readOrder = !s.format.readOrder;
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
