// The second half of the capture tick: decode the loaded capture against
// the selected format and present the result.
#include "app/dispatch.h"

#include "app/capture_formats.h"
#include "app/capture_tick.h"
#include "catalogue/format_selection.h"
#include "engine/engine.h"
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
        s.errorRecord.appendBlock(s.ErrRcd, s.CrLf);
    } catch (const ErrorRecordError& e) {
        s.message(std::string("The error record could not be written: ") + e.what());
    }
}

bool headMatches(const TableCursor& f, const Session& s) {
    auto inside = [&](const char* field, float measured) {
        if (!f.hasField(field)) return false;
        const auto v = f.field(field).toNumber();
        if (!v) return false;
        const float lower = static_cast<float>(1.0f - s.TimeTolerance) * measured;
        const float upper = static_cast<float>(1.0f + s.TimeTolerance) * measured;
        return lower < *v && *v < upper;
    };
    return inside("H_Osc", s.HeadOsc) && inside("H_Idle", s.HeadIdle);
}

// Searches the catalogue, from where the cursor stands, for the next other
// format whose head times fit the capture's head.
void searchCatalogue(Session& s) {
    s.tBcode = "It not this format";
    s.TimeTolerance = 0.05f;
    s.CycleTolerance = 500;
    TableCursor* f = s.CurFormat.get();
    if (f && s.AutoFormatIndex == 0) f->moveFirst();
    s.HeadOsc = single(leadingNumber(s.TTable.cell(1, 1)));
    s.HeadIdle = single(leadingNumber(s.TTable.cell(1, 2)));
    for (; f && f->hasRow(); f->moveNext()) {
        if (!headMatches(*f, s)) continue;
        ++s.AutoFormatIndex;
        const std::string key = f->key();
        if (leftText(s.irtype, 7) != key) {
            setIrtype(s, key); // replaces CurFormat
            return;
        }
    }
    s.tHCode.clear();
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
        s.tHCode.clear();
        return;
    }
    searchCatalogue(s);
}

void quickPressCheck(Session& s) {
    if (!s.CurFormat) return;
    try {
        const FieldValue& count = s.CurFormat->field("G_count");
        const auto n = count.toNumber();
        if (n && s.GroupNo < wholePart(*n))
            appendReport(
                s, {ErrorSet::QuickPress, s.GroupNo, {count.toText(), std::to_string(s.GroupNo)}});
    } catch (const FieldError&) {
        // a format without the field has no quick-press count
    }
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

std::string octText(const std::string& hexCode, const std::string& lineBreak) {
    const std::string text = trimBlanks(hexCode);
    std::string out;
    size_t p = 0;
    while (p < text.size()) {
        const size_t e = text.find(lineBreak, p);
        if (e == std::string::npos || lineBreak.empty()) break; // text after the last line break
        const std::string line = trimBlanks(std::string_view(text).substr(p, e - p));
        size_t q = 0;
        while (q < line.size()) {
            size_t blank = line.find(' ', q);
            if (blank == std::string::npos) blank = line.size();
            const std::string token = trimBlanks(std::string_view(line).substr(q, blank - q));
            q = blank + 1;
            if (token.empty()) continue;
            unsigned long v = 0;
            size_t digits = 0;
            for (char c : token) {
                int d = -1;
                if (c >= '0' && c <= '9') d = c - '0';
                if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
                if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
                if (d < 0 || digits >= 8) break;
                v = v * 16 + static_cast<unsigned long>(d);
                ++digits;
            }
            if (digits == 0) continue; // not a hexadecimal number: nothing to show
            out += (v <= 9 ? "0" : "") + std::to_string(v) + " ";
        }
        out += lineBreak;
        p = e + lineBreak.size();
    }
    return out;
}

std::string firstCodeLine(const std::string& hexCode, const std::string& lineBreak) {
    const size_t e = lineBreak.empty() ? std::string::npos : hexCode.find(lineBreak);
    if (e == std::string::npos) return {};
    return trimBlanks(std::string_view(hexCode).substr(0, e + 1));
}

namespace {

// The decode itself, as every capture gets it.
void decodeCapture(Session& s) {
    s.tBcode.clear();
    s.tHCode.clear();

    try {
        GenelRead(s);
    } catch (const FieldError&) {
        // no row to learn into: the walk finds no format either
    } catch (const DatabaseError& e) {
        s.message(e.what());
    }

    try {
        s.FrameSpec = s.CurFormat ? s.CurFormat->field("stru").toText() : std::string();
    } catch (const FieldError&) {
        s.FrameSpec.clear(); // a format that cannot be read decodes nothing
    }

    s.ErrRcd.clear();
    s.TimeRow = 1;
    s.TimeCol = 1;
    s.GroupNo = 1;
    DecodeState& d = s.decode;
    for (std::string* part :
         {&d.CustomerBits, &d.StartBits, &d.FixedBits, &d.RevCustomerBits, &d.DataBits,
          &d.DataBitsRead, &d.RevDataBits, &d.CodeText, &d.HexText})
        part->clear();

    HandleData(s);

    showTolerances(s);
    s.code.tHexCode = s.tBcode;
}

// The code as shown: the quick-press check, OCT, and the zoomed view.
void presentCode(Session& s) {
    quickPressCheck(s);
    if (s.optOct) s.tHCode = octText(s.tHCode, s.CrLf);

    s.help.loaded = true;
    s.help.lastCode = s.tBcode + s.CrLf + s.tHCode + s.CrLf + s.CrLf;
    // The error record, once shown, stays until the user asks for the code.
    if (!s.help.showsRecord) s.help.Text1 = s.help.lastCode;
}

} // namespace

void decodeDispatch(Session& s) {
    decodeCapture(s);

    if (s.tHCode.empty() && s.mnuAuto) {
        automaticSelection(s);
        writeErrorRecord(s);
        return; // the idle timer stays off
    }

    presentCode(s);

    const std::string firstLine = firstCodeLine(s.tHCode, s.CrLf);
    if (s.mnuCmp && s.SampleHeld) {
        if (firstLine == s.SampleCode)
            s.beep();
        else
            s.SampleHeld = false;
    }
    if (s.code.cIrRec && !trimBlanks(s.tBcode).empty()) recordingHandOver(s, firstLine);
    if (!s.SampleHeld) {
        s.SampleCode = firstLine;
        s.SampleHeld = true;
    } else {
        s.SampleHeld = false;
    }

    writeErrorRecord(s);
    s.setTimers(s.Timer1, true);
}

void redecodeShown(Session& s) {
    // Nothing received yet, or the record was cleared by a new connection.
    if (s.RxBytes.size() < 10 || captureTimes(s).empty()) return;
    decodeCapture(s);
    presentCode(s);
    s.changed();
}

} // namespace qv
