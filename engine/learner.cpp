// The format learner: the generic formats take their structure and bit
// times from each capture, written into their own catalogue row before the
// capture is decoded with it.
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <optional>

namespace qv {

namespace {

int64_t cellTime(const Session& s, long row, long col) {
    return engine::timeOf(s.TTable.cell(row, col));
}

FieldValue numberValue(int64_t v) {
    return FieldValue::number(static_cast<double>(v));
}

// The two bit times: the first neighbouring pair of cells (two columns
// apart) whose times differ by more than the 0,1 time tolerance.
struct BitTimes {
    std::string shortTime, longTime;
};

std::optional<BitTimes> scanBitTimes(Session& s, bool bursts) {
    const auto tolerance = static_cast<double>(wholeOf(s.code.t01Tole));
    const int16_t firstColumn = bursts ? 1 : 2;
    s.TimeRow = 1;
    s.TimeCol = bursts ? 3 : 4;
    for (;;) {
        if (cellTime(s, s.TimeRow, s.TimeCol) == kEndOfSignal) return std::nullopt;
        if (s.TimeCol <= 8) {
            const std::string& a = s.TTable.cell(s.TimeRow, s.TimeCol);
            const std::string& b = s.TTable.cell(s.TimeRow, s.TimeCol + 2);
            if (a.empty() || b.empty()) return std::nullopt;
            // The tolerance is typed by the user: any size, so no sum may overflow.
            const double ta = static_cast<double>(engine::timeOf(a));
            const double tb = static_cast<double>(engine::timeOf(b));
            if (ta > tb + tolerance) return BitTimes{b, a};
            if (ta < tb - tolerance) return BitTimes{a, b};
        }
        s.TimeCol = static_cast<int16_t>(s.TimeCol + 2);
        if (s.TimeCol > kDataCols) {
            ++s.TimeRow;
            s.TimeCol = firstColumn;
        }
        if (s.TimeRow > kDataRows) return std::nullopt;
    }
}

} // namespace

void GenelRead(Session& s) {
    const std::string kind = s.irtype;
    if (kind != "SE" && kind != "HL" && kind != "RIB" && kind != "IB") return;
    s.code.loaded = true;
    s.TimeRow = 1;
    s.TimeCol = 1;
    if (!s.CurFormat) throw FieldError("No current record.");
    // Only the generic row itself learns: after a selection that could not
    // open the catalogue, CurFormat still stands on the format chosen before.
    if (s.CurFormat->key() != kind) return;
    TableCursor& f = *s.CurFormat;
    f.edit();
    try {
        f.setField("X", FieldValue::number(s.XTime));
        f.setFieldText("stru", "D,X");
        const int64_t first = cellTime(s, 1, 1), second = cellTime(s, 1, 3);
        if (first - second > 300) {
            f.setField("H_Bits", FieldValue::number(1));
            f.setField("H_Osc", numberValue(first));
            f.setField("H_Idle", numberValue(cellTime(s, 1, 2)));
            if (kind == "IB") {
                f.setFieldText("stru", "H,D,B0,X");
                f.setField("One_Osc", numberValue(second));
                f.setField("Zero_Osc", numberValue(second));
                f.setField("b_end", f.field("One_Osc"));
            } else if (kind == "RIB") {
                f.setFieldText("stru", "H,D,X");
                f.setField("One_Idle", numberValue(cellTime(s, 1, 4)));
                f.setField("zero_Idle", numberValue(cellTime(s, 1, 4)));
            }
        } else {
            f.setField("H_Osc", numberValue(0));
            f.setField("H_Idle", numberValue(0));
            if (kind == "IB") {
                f.setFieldText("stru", "D,B0,X");
                f.setField("One_Osc", numberValue(first));
                f.setField("Zero_Osc", numberValue(first));
                f.setField("b_end", f.field("One_Osc"));
            } else if (kind == "RIB") {
                f.setFieldText("stru", "D,X");
                f.setField("One_Idle", numberValue(cellTime(s, 1, 2)));
                f.setField("zero_Idle", numberValue(cellTime(s, 1, 2)));
            }
        }

        if (auto times = scanBitTimes(s, kind == "RIB")) {
            const std::string& shortTime = times->shortTime;
            const std::string& longTime = times->longTime;
            if (kind == "IB") {
                f.setFieldText("zero_Idle", shortTime);
                f.setFieldText("One_Idle", longTime);
            } else if (kind == "RIB") {
                f.setFieldText("Zero_Osc", shortTime);
                f.setFieldText("One_Osc", longTime);
            } else if (kind == "HL") {
                f.setFieldText("Zero_Osc", shortTime);
                f.setFieldText("zero_Idle", shortTime);
                f.setFieldText("One_Osc", shortTime);
                f.setFieldText("One_Idle", longTime);
            } else {
                f.setFieldText("Zero_Osc", shortTime);
                f.setFieldText("zero_Idle", "0");
                f.setFieldText("One_Osc", "0");
                f.setFieldText("One_Idle", shortTime);
            }
        }
    } catch (...) {
        f.cancelEdit();
        throw;
    }
    f.update();
}

} // namespace qv
