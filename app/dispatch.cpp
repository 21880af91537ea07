// The second half of the capture tick: decode the loaded capture against
// the selected format and present the result.
#include "app/dispatch.h"

#include "app/session.h"

#include "app/decode_marks.h"
#include "app/format_selection.h"
#include "app/main_state.h"
#include "app/press_log.h"
#include "capture/capture_formats.h"
#include "engine/error_report.h"
#include "platform/basic.h"

#include <functional>

namespace qv {

namespace {

// One block per capture, at the end of its tick: the file only grows.
void writeErrorRecord(Session& s) {
    if (s.decoding.ignoreTime) return;
    try {
        s.env.errorRecord.appendBlock(s.last.errorLines, s.decoding.lineBreak);
    } catch (const ErrorRecordError& e) {
        s.message(std::string("The error record could not be written: ") + e.what());
    }
}

bool headMatches(const TableCursor& f, const Session& s, float headOsc, float headIdle) {
    auto inside = [&](const char* field, float measured) {
        if (!f.hasField(field)) return false;
        const auto v = f.field(field).toNumber();
        if (!v) return false;
        const float lower = static_cast<float>(1.0f - s.decoding.timeTolerance) * measured;
        const float upper = static_cast<float>(1.0f + s.decoding.timeTolerance) * measured;
        return lower < *v && *v < upper;
    };
    return inside("H_Osc", headOsc) && inside("H_Idle", headIdle);
}

// Searches the catalogue, from where the cursor stands, for the next other
// format whose head times fit the capture's head.
void searchCatalogue(Session& s) {
    s.last.notThisFormat = true;
    s.decoding.timeTolerance = 0.05f;
    s.decoding.cycleTolerance = 500;
    TableCursor* f = s.format.cursor.get();
    if (f && s.format.autoIndex == 0) f->moveFirst();
    const float headOsc = single(leadingNumber(s.TTable.cell(1, 1)));
    const float headIdle = single(leadingNumber(s.TTable.cell(1, 2)));
    for (; f && f->hasRow(); f->moveNext()) {
        if (!headMatches(*f, s, headOsc, headIdle)) continue;
        ++s.format.autoIndex;
        const std::string key = f->key();
        if (leftText(s.format.name, 7) != key) {
            setIrtype(s, key); // replaces CurFormat
            return;
        }
    }
    s.last.decode.shown.clear();
    setIrtype(s, "Form001");
    s.format.autoIndex = 0;
}

// No code was found: widen the tolerances for the next capture, and past
// 15% try the next format whose head fits.
void automaticSelection(Session& s) {
    s.decoding.timeTolerance = single(static_cast<double>(s.decoding.timeTolerance) + 0.02);
    s.decoding.cycleTolerance = single(static_cast<double>(s.decoding.cycleTolerance) *
                                       (static_cast<double>(s.decoding.timeTolerance) + 1.5));
    if (s.decoding.timeTolerance <= 0.15f) {
        showTolerances(s);
        s.last.decode.shown.clear();
        return;
    }
    searchCatalogue(s);
}

void quickPressCheck(Session& s, const engine::FormatRow& row) {
    // A logger behind a demodulating receiver often keeps the first frame only.
    if (!row.present() || s.decoding.demod.on) return;
    if (auto r = quickPressReport(row, s.last.decode.groupNo))
        for (auto& line : formatReport(*r))
            s.last.errorLines.push_back(std::move(line));
}

// The hand-over writes into the code recording window's grid; its failures
// do not stop the tick.
void ignoringFailures(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception&) {
    }
}

void recordingHandOver(Session& s, const std::string& firstLine) {
    CodeGrid* grid = s.env.codeGrid;
    if (!grid) return;
    const int columns = grid->columnCount();
    auto writeColumn = [&](int column, const std::string& text) {
        ignoringFailures([&] {
            grid->setCurrentColumn(column);
            grid->setCurrentText(text);
        });
    };
    if (s.code.recordCol < columns) {
        if (s.code.recordCol == 3) {
            writeColumn(3, leftText(s.format.name, 7));
            s.code.recordCol = 4;
            writeColumn(4, singleText(s.decoding.timeTolerance));
            s.code.recordCol = 5;
            ignoringFailures([&] { grid->setCurrentColumn(5); });
            s.code.recordCol = 8;
        }
        writeColumn(s.code.recordCol, firstLine);
        ++s.code.recordCol;
        s.code.lDspRslt = "Record success!";
        s.beep();
        s.code.lDspRsltColor = "red";
    }
    if (s.code.recordCol > columns - 1) {
        ignoringFailures([&] { grid->nextRow(); });
        s.code.recordCol = 1;
    }
    ignoringFailures([&] {
        s.code.tRow = std::to_string(grid->currentRow() + 1);
        s.code.tCol = std::to_string(grid->currentColumn() + 1);
    });
    if (s.code.recordCol % 4 == 0) ignoringFailures([&] { grid->scroll(4, 0); });
}

} // namespace

void learnIntoCatalogue(Session& s) {
    const std::string kind = s.format.name;
    if (!engine::genericRowOf(kind)) return;
    s.TimeRow = 1;
    s.TimeCol = 1;
    if (!s.format.cursor) throw FieldError("No current record.");
    // Only the generic row itself learns: after a selection that could not
    // open the catalogue, CurFormat still stands on the format chosen before.
    if (s.format.cursor->key() != kind) return;
    TableCursor& f = *s.format.cursor;
    f.edit();
    try {
        for (const auto& [name, value] : engine::learnFields(s.TTable, kind, decodeSettings(s)))
            f.setField(name, value);
    } catch (...) {
        f.cancelEdit();
        throw;
    }
    f.update();
}

std::optional<ErrorReport> quickPressReport(const engine::FormatRow& row, int groupNo) {
    // A format without the field has no quick-press count.
    const FieldValue* count = row.find("G_count");
    if (!count) return std::nullopt;
    const auto n = count->toNumber();
    if (!(n && groupNo < wholePart(*n))) return std::nullopt;
    return ErrorReport{ErrorSet::QuickPress, groupNo, {count->toText(), std::to_string(groupNo)}};
}

engine::DecodeSettings decodeSettings(const Session& s) {
    engine::DecodeSettings d;
    d.window.tolerance = s.decoding.timeTolerance;
    d.cycleTolerance = s.decoding.cycleTolerance;
    d.zeroOneTolerance = wholeOf(s.code.t01Tole); // the box as it stands, of any size
    d.waitTime = s.decoding.waitTime;
    d.ignoreTime = s.decoding.ignoreTime;
    d.octal = s.decoding.octal;
    d.readOrder = s.format.readOrder;
    d.lineBreak = s.decoding.lineBreak;
    d.carry = s.last.decode.carry;
    d.window.absolute = s.decoding.demod.absoluteTolerance;
    d.demodulated = s.decoding.demod.on;
    d.cycleShare = s.decoding.demod.cycleShare;
    d.excessMode = s.decoding.demod.excessMode;
    d.excess = s.decoding.demod.excess;
    return d;
}

std::string firstCodeLine(const std::string& hexCode, const std::string& lineBreak) {
    const size_t e = lineBreak.empty() ? std::string::npos : hexCode.find(lineBreak);
    if (e == std::string::npos) return {};
    return trimBlanks(std::string_view(hexCode).substr(0, e + 1));
}

namespace {

// CurFormat's row, read again only when the cursor shows another row or
// an edit of it.
const engine::FormatRow& currentFormatRow(Session& s) {
    FormatSelection::RowRead& read = s.format.rowRead;
    if (!s.format.cursor) {
        read = {};
        return read.row;
    }
    const TableCursor& f = *s.format.cursor;
    if (f.editing() || !read.rows || read.rows != f.rowsRead() || read.position != f.position()) {
        read.row = engine::FormatRow::fromCursor(f);
        read.rows = f.editing() ? nullptr : f.rowsRead();
        read.position = f.position();
    }
    return read.row;
}

// The decode itself, as every capture gets it. A capture decoded again
// replaces its own entry in the log of this run. Returns the row decoded
// against, valid until the next decode.
const engine::FormatRow& decodeCapture(Session& s, bool again = false) {
    LastCapture& last = s.last;
    last.decode.binary.clear();
    last.decode.shown.clear();
    last.notThisFormat = false;

    try {
        learnIntoCatalogue(s);
    } catch (const FieldError&) {
        // no row to learn into: the walk finds no format either
    } catch (const DatabaseError& e) {
        s.message(e.what());
    }
    const engine::FormatRow& row = currentFormatRow(s);
    engine::DecodeSettings settings = decodeSettings(s);
    settings.learn = false; // learned and stored above
    settings.annotate = s.out.drawsWaveform || s.out.logsPresses;
    engine::DecodeResult r = engine::decode(s.TTable, row, settings);
    if (s.out.logsPresses) logPress(s, row, r, again);
    last.marks = s.out.drawsWaveform
                     ? decodeMarks(r, s.TTable, s.decoding.octal, s.decoding.lineBreak)
                     : DecodeMarks();
    s.wave.selectedMark = -1;

    last.errorLines = r.errorLines();
    s.code.lGCyc.insert(s.code.lGCyc.end(), r.cycles.begin(), r.cycles.end());
    for (const auto& m : r.messages)
        s.message(m);
    s.TimeRow = r.row;
    s.TimeCol = static_cast<int16_t>(r.col);
    last.decode = std::move(r);
    ++last.decodes;

    showTolerances(s);
    return row;
}

// The code as shown: the quick-press check and the zoomed view.
void presentCode(Session& s, const engine::FormatRow& row) {
    quickPressCheck(s, row);
    // The error record, once shown, stays until the user asks for the code.
    if (!s.help.showsRecord) s.help.Text1 = s.last.codeLines(s.decoding.lineBreak);
}

} // namespace

void keepADrawableFormat(Session& s) {
    const bool drawn =
        !(leadingNumber(s.TTable.cell(1, 1)) == 0 && leadingNumber(s.TTable.cell(1, 2)) == 0);
    if (drawn && !frameGapThreshold(s)) setIrtype(s, "Form016(NEC N-8)");
}

void decodeDispatch(Session& s) {
    const engine::FormatRow& row = decodeCapture(s);

    // The code lines as decoded: OCT leaves out a line without its break.
    if (s.last.decode.hex.empty() && s.format.automatic) {
        automaticSelection(s);
        writeErrorRecord(s);
        return; // the idle timer stays off
    }

    presentCode(s, row);

    const std::string firstLine = firstCodeLine(s.last.decode.shown, s.decoding.lineBreak);
    if (s.sample.on && s.sample.held) {
        if (firstLine == s.sample.code)
            s.beep();
        else
            s.sample.held = false;
    }
    if (s.code.cIrRec && !trimBlanks(s.last.binaryShown()).empty()) recordingHandOver(s, firstLine);
    if (!s.sample.held) {
        s.sample.code = firstLine;
        s.sample.held = true;
    } else {
        s.sample.held = false;
    }

    writeErrorRecord(s);
    s.setIdleTimer(true);
}

void redecodeShown(Session& s) {
    // Nothing received yet, or the record was cleared by a new connection.
    if (s.last.capture.message.size() < kShortestMessage || captureTimes(s.TTable).empty()) return;
    presentCode(s, decodeCapture(s, true));
    s.changed();
}

} // namespace qv
