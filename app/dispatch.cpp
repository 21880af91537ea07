// The second half of the capture tick: decode the loaded capture against
// the selected format and present the result.
#include "app/dispatch.h"

#include "app/decode_marks.h"
#include "app/format_selection.h"
#include "app/press_log.h"
#include "capture/capture_formats.h"
#include "engine/error_report.h"
#include "platform/basic.h"

#include <functional>

namespace qv {

namespace {

void showTolerances(Session& s) {
    s.tTole = singleText(single(s.TimeTolerance * 100.0f)) + "%";
    s.tTTole = singleText(s.CycleTolerance);
}

// One block per capture, at the end of its tick: the file only grows.
void writeErrorRecord(Session& s) {
    if (s.cIgnoreT) return;
    try {
        s.errorRecord.appendBlock(s.last.errorLines, s.CrLf);
    } catch (const ErrorRecordError& e) {
        s.message(std::string("The error record could not be written: ") + e.what());
    }
}

bool headMatches(const TableCursor& f, const Session& s, float headOsc, float headIdle) {
    auto inside = [&](const char* field, float measured) {
        if (!f.hasField(field)) return false;
        const auto v = f.field(field).toNumber();
        if (!v) return false;
        const float lower = static_cast<float>(1.0f - s.TimeTolerance) * measured;
        const float upper = static_cast<float>(1.0f + s.TimeTolerance) * measured;
        return lower < *v && *v < upper;
    };
    return inside("H_Osc", headOsc) && inside("H_Idle", headIdle);
}

// Searches the catalogue, from where the cursor stands, for the next other
// format whose head times fit the capture's head.
void searchCatalogue(Session& s) {
    s.last.notThisFormat = true;
    s.TimeTolerance = 0.05f;
    s.CycleTolerance = 500;
    TableCursor* f = s.CurFormat.get();
    if (f && s.AutoFormatIndex == 0) f->moveFirst();
    const float headOsc = single(leadingNumber(s.TTable.cell(1, 1)));
    const float headIdle = single(leadingNumber(s.TTable.cell(1, 2)));
    for (; f && f->hasRow(); f->moveNext()) {
        if (!headMatches(*f, s, headOsc, headIdle)) continue;
        ++s.AutoFormatIndex;
        const std::string key = f->key();
        if (leftText(s.irtype, 7) != key) {
            setIrtype(s, key); // replaces CurFormat
            return;
        }
    }
    s.last.decode.shown.clear();
    setIrtype(s, "Form001");
    s.AutoFormatIndex = 0;
}

// No code was found: widen the tolerances for the next capture, and past
// 15% try the next format whose head fits.
void automaticSelection(Session& s) {
    s.TimeTolerance = single(static_cast<double>(s.TimeTolerance) + 0.02);
    s.CycleTolerance = single(static_cast<double>(s.CycleTolerance) *
                              (static_cast<double>(s.TimeTolerance) + 1.5));
    if (s.TimeTolerance <= 0.15f) {
        showTolerances(s);
        s.last.decode.shown.clear();
        return;
    }
    searchCatalogue(s);
}

void quickPressCheck(Session& s, const engine::FormatRow& row) {
    // A logger behind a demodulating receiver often keeps the first frame only.
    if (!row.present() || s.demod.on) return;
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
    CodeGrid* grid = s.codeGrid;
    if (!grid) return;
    const int columns = grid->columnCount();
    auto writeColumn = [&](int column, const std::string& text) {
        ignoringFailures([&] {
            grid->setCurrentColumn(column);
            grid->setCurrentText(text);
        });
    };
    if (s.RecordCol < columns) {
        if (s.RecordCol == 3) {
            writeColumn(3, leftText(s.irtype, 7));
            s.RecordCol = 4;
            writeColumn(4, singleText(s.TimeTolerance));
            s.RecordCol = 5;
            ignoringFailures([&] { grid->setCurrentColumn(5); });
            s.RecordCol = 8;
        }
        writeColumn(s.RecordCol, firstLine);
        ++s.RecordCol;
        s.code.lDspRslt = "Record success!";
        s.beep();
        s.code.lDspRsltColor = "red";
    }
    if (s.RecordCol > columns - 1) {
        ignoringFailures([&] { grid->nextRow(); });
        s.RecordCol = 1;
    }
    ignoringFailures([&] {
        s.code.tRow = std::to_string(grid->currentRow() + 1);
        s.code.tCol = std::to_string(grid->currentColumn() + 1);
    });
    if (s.RecordCol % 4 == 0) ignoringFailures([&] { grid->scroll(4, 0); });
}

} // namespace

void learnIntoCatalogue(Session& s) {
    const std::string kind = s.irtype;
    if (kind != "SE" && kind != "HL" && kind != "RIB" && kind != "IB") return;
    s.TimeRow = 1;
    s.TimeCol = 1;
    if (!s.CurFormat) throw FieldError("No current record.");
    // Only the generic row itself learns: after a selection that could not
    // open the catalogue, CurFormat still stands on the format chosen before.
    if (s.CurFormat->key() != kind) return;
    TableCursor& f = *s.CurFormat;
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
    d.window.tolerance = s.TimeTolerance;
    d.cycleTolerance = s.CycleTolerance;
    d.zeroOneTolerance = s.code.t01Tole;
    d.waitTime = s.XTime;
    d.ignoreTime = s.cIgnoreT;
    d.octal = s.optOct;
    d.readOrder = s.ReadOrder;
    d.lineBreak = s.CrLf;
    d.carry = s.last.decode.carry;
    d.window.absolute = s.demod.absoluteTolerance;
    d.demodulated = s.demod.on;
    d.cycleShare = s.demod.cycleShare;
    d.excessMode = s.demod.excessMode;
    d.excess = s.demod.excess;
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
    Session::FormatRowRead& read = s.formatRowRead;
    if (!s.CurFormat) {
        read = {};
        return read.row;
    }
    const TableCursor& f = *s.CurFormat;
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
    settings.annotate = s.drawsWaveform || s.logsPresses;
    engine::DecodeResult r = engine::decode(s.TTable, row, settings);
    if (s.logsPresses) logPress(s, row, r, again);
    last.marks = s.drawsWaveform ? decodeMarks(r, s.TTable, s.optOct, s.CrLf) : DecodeMarks();
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
    if (!s.help.showsRecord) s.help.Text1 = s.last.codeLines(s.CrLf);
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
    if (s.last.decode.hex.empty() && s.mnuAuto) {
        automaticSelection(s);
        writeErrorRecord(s);
        return; // the idle timer stays off
    }

    presentCode(s, row);

    const std::string firstLine = firstCodeLine(s.last.decode.shown, s.CrLf);
    if (s.mnuCmp && s.SampleHeld) {
        if (firstLine == s.SampleCode)
            s.beep();
        else
            s.SampleHeld = false;
    }
    if (s.code.cIrRec && !trimBlanks(s.last.binaryShown()).empty()) recordingHandOver(s, firstLine);
    if (!s.SampleHeld) {
        s.SampleCode = firstLine;
        s.SampleHeld = true;
    } else {
        s.SampleHeld = false;
    }

    writeErrorRecord(s);
    s.setTimer2(true);
}

void redecodeShown(Session& s) {
    // Nothing received yet, or the record was cleared by a new connection.
    if (s.last.capture.message.size() < kShortestMessage || captureTimes(s.TTable).empty()) return;
    presentCode(s, decodeCapture(s, true));
    s.changed();
}

} // namespace qv
