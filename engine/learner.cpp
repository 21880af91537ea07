// The format learner: the generic formats take their structure and bit
// times from each capture, written into their own catalogue row before the
// capture is decoded with it.
#include "engine/decode.h"
#include "engine/walk_context.h"
#include "platform/basic.h"

#include <optional>

namespace qv::engine {

namespace {

FieldValue numberValue(int64_t v) {
    return FieldValue::number(static_cast<double>(v));
}

// The two bit times: the first neighbouring pair of cells (two columns
// apart) whose times differ by more than the 0,1 time tolerance.
struct BitTimes {
    std::string shortTime, longTime;
};

std::optional<BitTimes> scanBitTimes(const TimeTable& times, const DecodeSettings& settings,
                                     bool bursts) {
    const auto tolerance = static_cast<double>(settings.zeroOneTolerance);
    const int16_t firstColumn = bursts ? 1 : 2;
    long row = 1;
    int16_t col = bursts ? 3 : 4;
    for (;;) {
        if (times.time(row, col) == kEndOfSignal) return std::nullopt;
        if (col <= 8) {
            const std::string& a = times.cell(row, col);
            const std::string& b = times.cell(row, col + 2);
            if (a.empty() || b.empty()) return std::nullopt;
            // The tolerance is typed by the user: any size, so no sum may overflow.
            const double ta = static_cast<double>(times.time(row, col));
            const double tb = static_cast<double>(times.time(row, col + 2));
            if (ta > tb + tolerance) return BitTimes{b, a};
            if (ta < tb - tolerance) return BitTimes{a, b};
        }
        col = static_cast<int16_t>(col + 2);
        if (col > kDataCols) {
            ++row;
            col = firstColumn;
        }
        if (row > kDataRows) return std::nullopt;
    }
}

} // namespace

std::optional<GenericRow> genericRowOf(std::string_view key) {
    static constexpr std::pair<std::string_view, GenericRow> kRows[] = {{"SE", GenericRow::SE},
                                                                        {"HL", GenericRow::HL},
                                                                        {"RIB", GenericRow::RIB},
                                                                        {"IB", GenericRow::IB}};
    for (const auto& [name, row] : kRows)
        if (name == key) return row;
    return std::nullopt;
}

std::vector<std::pair<std::string, FieldValue>>
learnFields(const TimeTable& times, const std::string& kind, const DecodeSettings& settings) {
    std::vector<std::pair<std::string, FieldValue>> out;
    const std::optional<GenericRow> generic = genericRowOf(kind);
    if (!generic) return out;
    auto set = [&](const char* name, FieldValue v) { out.emplace_back(name, std::move(v)); };
    auto setText = [&](const char* name, const std::string& text) {
        out.emplace_back(name, FieldValue::text(text));
    };
    auto cellTime = [&](long row, long col) { return times.time(row, col); };

    set("X", FieldValue::number(settings.waitTime));
    setText("stru", "D,X");
    const int64_t first = cellTime(1, 1), second = cellTime(1, 3);
    const bool head = first - second > 300;
    if (head) {
        set("H_Bits", FieldValue::number(1));
        set("H_Osc", numberValue(first));
        set("H_Idle", numberValue(cellTime(1, 2)));
    } else {
        set("H_Osc", numberValue(0));
        set("H_Idle", numberValue(0));
    }
    // The first bit's burst (IB) or gap (RIB) after the head, if any.
    switch (*generic) {
    case GenericRow::IB: {
        const int64_t bit = head ? second : first;
        setText("stru", head ? "H,D,B0,X" : "D,B0,X");
        set("One_Osc", numberValue(bit));
        set("Zero_Osc", numberValue(bit));
        set("b_end", numberValue(bit)); // as "One_Osc"
        break;
    }
    case GenericRow::RIB: {
        const int64_t bit = cellTime(1, head ? 4 : 2);
        setText("stru", head ? "H,D,X" : "D,X");
        set("One_Idle", numberValue(bit));
        set("zero_Idle", numberValue(bit));
        break;
    }
    case GenericRow::HL:
    case GenericRow::SE:
        break;
    }

    if (auto bitTimes = scanBitTimes(times, settings, *generic == GenericRow::RIB)) {
        const std::string& shortTime = bitTimes->shortTime;
        const std::string& longTime = bitTimes->longTime;
        switch (*generic) {
        case GenericRow::IB:
            setText("zero_Idle", shortTime);
            setText("One_Idle", longTime);
            break;
        case GenericRow::RIB:
            setText("Zero_Osc", shortTime);
            setText("One_Osc", longTime);
            break;
        case GenericRow::HL:
            setText("Zero_Osc", shortTime);
            setText("zero_Idle", shortTime);
            setText("One_Osc", shortTime);
            setText("One_Idle", longTime);
            break;
        case GenericRow::SE:
            setText("Zero_Osc", shortTime);
            setText("zero_Idle", "0");
            setText("One_Osc", "0");
            setText("One_Idle", shortTime);
            break;
        }
    }
    return out;
}

} // namespace qv::engine
