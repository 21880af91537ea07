// The capture record: the times of one received capture, 64 rows of 10
// cells in reading order (burst, gap, burst, ...), as text.
#pragma once

#include "capture/capture.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

constexpr int kDataRows = 64;
constexpr int kDataCols = 10;
constexpr int kEndOfSignal = 7 * kOverflowUnit; // 248885: seven timer overflows

// 65 x 11 text cells; row 0 and column 0 are headers.
class TimeTable {
public:
    TimeTable();
    // Text of a cell; cells outside the grid read as empty.
    const std::string& cell(long row, long col) const {
        if (!inGrid(row, col)) return empty();
        if (m_digitsDue[row][col]) writeDigits(row, col);
        return m_cells[row][col];
    }
    // A cell as a time: the whole number its text starts with (wholeOf);
    // empty cells and cells outside the grid read 0. Kept beside the text,
    // as the decode reads every time many times.
    int64_t time(long row, long col) const { return inGrid(row, col) ? m_times[row][col] : 0; }
    void setCell(long row, long col, std::string text);
    // Writes the time as its decimal text.
    void setTime(long row, long col, int64_t us) {
        if (!inGrid(row, col)) return;
        m_times[row][col] = us;
        m_digitsDue[row][col] = true;
        written(row, col);
    }
    void clearAll();
    void writeHeaders();
    // Empties the cells of columns 1 to 10 from (row, col) on, in reading
    // order, up to and including row lastRow.
    void clearFrom(long row, long col, long lastRow);

private:
    static bool inGrid(long row, long col) {
        return row >= 0 && row <= kDataRows && col >= 0 && col <= kDataCols;
    }
    static const std::string& empty();
    void writeDigits(long row, long col) const;
    // A time's text is written when first read: the loader sets every time,
    // and on the decode's road nearly none is read as text.
    mutable std::array<std::array<std::string, kDataCols + 1>, kDataRows + 1> m_cells;
    mutable std::array<std::array<bool, kDataCols + 1>, kDataRows + 1> m_digitsDue{};
    std::array<std::array<int64_t, kDataCols + 1>, kDataRows + 1> m_times{};
    // No row below this one holds text in columns 1 to 10 (-1: none does),
    // so a clear stops where the last capture ended, not at row 64.
    long m_lastRowWritten = -1;
    void written(long row, long col) {
        if (col >= 1 && row > m_lastRowWritten) m_lastRowWritten = row;
    }
};

} // namespace qv
