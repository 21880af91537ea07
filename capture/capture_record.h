// The capture record: the times of one received capture, 64 rows of 10
// cells in reading order (burst, gap, burst, ...), as text.
#pragma once

#include <array>
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
    void setCell(long row, long col, std::string text);
    void clearAll();
    void writeHeaders();

private:
    std::array<std::array<std::string, kDataCols + 1>, kDataRows + 1> m_cells;
};

} // namespace qv
