// The capture record: the times of one received capture, 64 rows of 10
// cells in reading order (burst, gap, burst, ...), as text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

constexpr int kDataRows = 64;
constexpr int kDataCols = 10;
constexpr int kOverflowUnit = 35555;            // Int(65536 / 1.8432)
constexpr int kEndOfSignal = 7 * kOverflowUnit; // 248885

// 65 x 11 text cells; row 0 and column 0 are headers.
class TimeTable {
public:
    TimeTable();
    // Text of a cell; cells outside the grid read as empty.
    const std::string& cell(long row, long col) const;
    // A cell as a time: the whole number its text starts with (wholeOf);
    // empty cells and cells outside the grid read 0. Kept beside the text,
    // as the decode reads every time many times.
    int64_t time(long row, long col) const { return inGrid(row, col) ? m_times[row][col] : 0; }
    void setCell(long row, long col, std::string text);
    // Writes the time as its decimal text.
    void setTime(long row, long col, int64_t us);
    void clearAll();
    void writeHeaders();

private:
    static bool inGrid(long row, long col) {
        return row >= 0 && row <= kDataRows && col >= 0 && col <= kDataCols;
    }
    std::array<std::array<std::string, kDataCols + 1>, kDataRows + 1> m_cells;
    std::array<std::array<int64_t, kDataCols + 1>, kDataRows + 1> m_times{};
};

} // namespace qv
