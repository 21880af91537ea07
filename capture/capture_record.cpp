#include "capture/capture_record.h"

namespace qv {

namespace {
const std::string kEmpty;
}

TimeTable::TimeTable() {
    writeHeaders();
}

const std::string& TimeTable::cell(long row, long col) const {
    if (row < 0 || row > kDataRows || col < 0 || col > kDataCols) return kEmpty;
    return m_cells[row][col];
}

void TimeTable::setCell(long row, long col, std::string text) {
    if (row < 0 || row > kDataRows || col < 0 || col > kDataCols) return;
    m_cells[row][col] = std::move(text);
}

void TimeTable::clearAll() {
    for (auto& row : m_cells)
        for (auto& c : row)
            c.clear();
}

void TimeTable::writeHeaders() {
    for (int r = 1; r <= kDataRows; ++r)
        m_cells[r][0] = std::to_string(r);
    for (int c = 1; c <= kDataCols; ++c)
        m_cells[0][c] = std::to_string(c);
}

} // namespace qv
