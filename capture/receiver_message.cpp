#include "capture/receiver_message.h"

#include "platform/basic.h"

#include <algorithm>
#include <limits>

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

// The loader on any grid of times (the capture record, or bare numbers
// when only the times are wanted) from any source of pair table entries.
template <class Grid, class Pairs>
std::pair<long, int> loadInto(Grid& table, const Pairs& pairs, long row, int col,
                              long entries = kDataRows * kDataCols) {
    auto advance = [&] {
        if (++col > kDataCols) {
            col = 1;
            ++row;
        }
    };
    // The table's entries in reading order: burst, gap, burst, ...
    bool adding = false;
    int overflows = 0;
    for (long e = 0; e < entries && overflows < 7;) {
        const int32_t v = pairs(e);
        table.setTime(row, col, adding ? table.time(row, col) + v : v);
        if (v == kOverflowUnit || v == 0) {
            e += 2;
            adding = true;
            ++overflows;
        } else {
            adding = false;
            overflows = 0;
            ++e;
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

// Bare numbers in reading order from (1, 1); cells not written read 0, as
// empty cells of the record do. Unbounded, it keeps rows past the record's.
struct NumberGrid {
    std::vector<int64_t> cells;
    long rows = kDataRows;
    bool inGrid(long row, long col) const {
        return row >= 1 && row <= rows && col >= 1 && col <= kDataCols;
    }
    static size_t at(long row, long col) {
        return static_cast<size_t>((row - 1) * kDataCols + (col - 1));
    }
    int64_t time(long row, long col) const {
        return inGrid(row, col) && at(row, col) < cells.size() ? cells[at(row, col)] : 0;
    }
    void setTime(long row, long col, int64_t us) {
        if (!inGrid(row, col)) return;
        const size_t i = at(row, col);
        if (i < cells.size()) {
            cells[i] = us;
            return;
        }
        if (i > cells.size()) cells.resize(i, 0); // the loader skips no cell; cheap if it did
        cells.push_back(us);
    }
    // A fresh grid loaded from (1, 1): nothing from the cursor on was
    // written, so there is nothing to clear.
    void clearFrom(long, long, long) {}
};

struct TablePairs {
    const PairTable& table;
    int32_t operator()(long e) const { return table[e / kDataCols][e % kDataCols]; }
};

// The entries decodePairs would give, read straight from the message: for
// a message whose pairs fit the table once (no wrapping round).
struct MessagePairs {
    MessagePairs(const std::vector<uint8_t>& bytes, long count, float t)
        : entries(bytes.data() + 2), end(2 * count), t(t), perTick(1.0 / static_cast<double>(t)) {}
    const uint8_t* entries; // entry e, the pair's burst or gap, is the two bytes at 2e
    long end;               // the entries of the pairs decodePairs reads
    float t;
    double perTick;
    int32_t operator()(long e) const {
        if (e >= end) return 0;
        const uint8_t* at = entries + 2 * e;
        const int32_t us = ticksToMicroseconds(at[0] * 256u + at[1], t, perTick);
        return e % 2 && us == 0 ? kOverflowUnit : us;
    }
};

// The pairs decodePairs reads: those of the message's first half.
long pairsRead(const std::vector<uint8_t>& bytes) {
    const long m = static_cast<long>(wholePart(static_cast<double>(bytes.size()) / 2.0 - 2));
    return m >= 5 ? (m - 5) / 4 + 1 : 0;
}

std::vector<int64_t> timesOf(const NumberGrid& grid) {
    std::vector<int64_t> times;
    times.reserve(grid.cells.size());
    for (const int64_t t : grid.cells) {
        if (t == 0 || t == kEndOfSignal) break;
        times.push_back(t);
    }
    return times;
}

} // namespace

std::pair<long, int> loadTimeTable(TimeTable& table, const PairTable& pairs, long row, int col) {
    RecordGrid grid{table};
    return loadInto(grid, TablePairs{pairs}, row, col);
}

std::pair<long, int> loadTimeTable(TimeTable& table, const std::vector<uint8_t>& bytes,
                                   float ticksPerMicrosecond, long row, int col) {
    const long count = pairsRead(bytes);
    if (count > kDataRows * kDataCols / 2)
        return loadTimeTable(table, decodePairs(bytes, ticksPerMicrosecond), row, col);
    RecordGrid grid{table};
    return loadInto(grid, MessagePairs{bytes, count, ticksPerMicrosecond}, row, col);
}

std::vector<int64_t> loadedTimes(const PairTable& pairs) {
    NumberGrid grid;
    loadInto(grid, TablePairs{pairs}, 1, 1);
    return timesOf(grid);
}

std::vector<int64_t> loadedTimes(const std::vector<uint8_t>& bytes, float ticksPerMicrosecond) {
    const long count = pairsRead(bytes);
    if (count > kDataRows * kDataCols / 2)
        return loadedTimes(decodePairs(bytes, ticksPerMicrosecond));
    NumberGrid grid;
    grid.cells.reserve(static_cast<size_t>(2 * count));
    loadInto(grid, MessagePairs{bytes, count, ticksPerMicrosecond}, 1, 1);
    return timesOf(grid);
}

std::vector<int64_t> receivedTimes(const std::vector<uint8_t>& bytes, float ticksPerMicrosecond) {
    const long count = pairsRead(bytes);
    if (count <= kDataRows * kDataCols / 2) return loadedTimes(bytes, ticksPerMicrosecond);
    // The loader's sums on a grid with room for every pair.
    NumberGrid grid;
    grid.rows = std::numeric_limits<long>::max() / kDataCols;
    grid.cells.reserve(static_cast<size_t>(2 * count));
    loadInto(grid, MessagePairs{bytes, count, ticksPerMicrosecond}, 1, 1, 2 * count);
    return timesOf(grid);
}

} // namespace qv
