#include "capture/receiver_message.h"

#include "platform/basic.h"

namespace qv {

namespace {

// A figure as the carrier labels keep it: decimal text of a single, cut to
// seven characters and read back.
float cutToSeven(float v) {
    return single(leadingNumber(leftText(singleText(v), 7)));
}

} // namespace

CarrierFigures carrierFigures(uint8_t highTicks, uint8_t lowTicks, float t) {
    // A remote sends the same carrier press after press: its texts are
    // worked out once.
    struct Last {
        uint8_t high = 0, low = 0;
        float t = 0;
        bool set = false;
        CarrierFigures figures;
    };
    static thread_local Last last;
    if (last.set && last.high == highTicks && last.low == lowTicks && last.t == t)
        return last.figures;
    CarrierFigures f;
    f.high = cutToSeven(static_cast<float>(highTicks) / t);
    f.period = cutToSeven(static_cast<float>(highTicks + lowTicks) / t);
    f.highText = singleText(f.high);
    f.periodText = singleText(f.period);
    if (f.period > 0)
        f.frequencyText = leftText(doubleText(1000.0 / leadingNumber(f.periodText)), 7);
    last = {highTicks, lowTicks, t, true, f};
    return f;
}

int32_t ticksToMicroseconds(unsigned ticks, float t) {
    return static_cast<int32_t>(roundHalfEven(static_cast<double>(ticks) / static_cast<double>(t)));
}

PairTable decodePairs(const std::vector<uint8_t>& bytes, float t) {
    PairTable table{};
    const long n = static_cast<long>(bytes.size());
    const long m = static_cast<long>(wholePart(n / 2.0 - 2));
    int row = 0, col = 0;
    for (long i = 2; i <= m - 3; i += 4) {
        unsigned osc = bytes[i] * 256u + bytes[i + 1];
        unsigned idle = bytes[i + 2] * 256u + bytes[i + 3];
        table[row][col] = ticksToMicroseconds(osc, t);
        int32_t idleUs = ticksToMicroseconds(idle, t);
        table[row][col + 1] = idleUs == 0 ? kOverflowUnit : idleUs;
        col += 2;
        if (col > kDataCols - 1) {
            col = 0;
            if (++row > kDataRows - 1) row = 0;
        }
    }
    return table;
}

namespace {

// The loader on any grid of times: the capture record, or bare numbers
// when only the times are wanted.
template <class Grid>
std::pair<long, int> loadInto(Grid& table, const PairTable& pairs, long row, int col) {
    auto advance = [&] {
        if (++col > kDataCols) {
            col = 1;
            ++row;
        }
    };
    int a = 0, b = 0;
    bool adding = false;
    int overflows = 0;
    auto nextEntry = [&] {
        if (++b > kDataCols - 1) {
            b = 0;
            ++a;
        }
    };
    while (a < kDataRows && overflows < 7) {
        const int32_t v = pairs[a][b];
        table.setTime(row, col, adding ? table.time(row, col) + v : v);
        if (v == kOverflowUnit || v == 0) {
            nextEntry();
            nextEntry();
            adding = true;
            ++overflows;
        } else {
            adding = false;
            overflows = 0;
            nextEntry();
            advance();
        }
    }
    advance();
    if (row < kDataRows) {
        table.clearFrom(row, col, kDataRows - 1);
        row = kDataRows;
        col = 1;
    }
    return {row, col};
}

struct RecordGrid {
    TimeTable& table;
    int64_t time(long row, long col) const { return table.time(row, col); }
    void setTime(long row, long col, int64_t us) { table.setTime(row, col, us); }
    void clearFrom(long row, long col, long lastRow) { table.clearFrom(row, col, lastRow); }
};

// Empty cells read 0, as in the record.
struct NumberGrid {
    std::array<std::array<int64_t, kDataCols + 1>, kDataRows + 1> cells{};
    static bool inGrid(long row, long col) {
        return row >= 0 && row <= kDataRows && col >= 0 && col <= kDataCols;
    }
    int64_t time(long row, long col) const { return inGrid(row, col) ? cells[row][col] : 0; }
    void setTime(long row, long col, int64_t us) {
        if (inGrid(row, col)) cells[row][col] = us;
    }
    // A fresh grid loaded from (1, 1): nothing from the cursor on was
    // written, so there is nothing to clear.
    void clearFrom(long, long, long) {}
};

} // namespace

std::pair<long, int> loadTimeTable(TimeTable& table, const PairTable& pairs, long row, int col) {
    RecordGrid grid{table};
    return loadInto(grid, pairs, row, col);
}

std::vector<int64_t> loadedTimes(const PairTable& pairs) {
    NumberGrid grid;
    loadInto(grid, pairs, 1, 1);
    std::vector<int64_t> times;
    times.reserve(128); // a key press or two; longer captures grow it
    for (long r = 1; r <= kDataRows; ++r)
        for (long c = 1; c <= kDataCols; ++c) {
            const int64_t t = grid.cells[r][c];
            if (t == 0 || t == kEndOfSignal) return times;
            times.push_back(t);
        }
    return times;
}

} // namespace qv
