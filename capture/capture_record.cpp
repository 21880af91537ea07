#include "capture/capture_record.h"

#include "platform/basic.h"

#include <algorithm>
#include <charconv>

namespace qv {

namespace {
const std::string kEmpty;
}

TimeTable::TimeTable() {
    writeHeaders();
}

const std::string& TimeTable::empty() {
    return kEmpty;
}

void TimeTable::writeDigits(long row, long col) const {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, m_times[row][col]).ptr;
    m_cells[row][col].assign(digits, static_cast<size_t>(end - digits));
    m_digitsDue[row][col] = false;
}

void TimeTable::setCell(long row, long col, std::string text) {
    if (!inGrid(row, col)) return;
    m_times[row][col] = text.empty() ? 0 : wholeOf(text);
    m_cells[row][col] = std::move(text);
    m_digitsDue[row][col] = false;
    written(row, col);
}

void TimeTable::clearAll() {
    for (auto& row : m_cells)
        for (auto& c : row)
            c.clear();
    m_times = {};
    m_digitsDue = {};
    m_lastRowWritten = -1;
}

void TimeTable::clearFrom(long row, long col, long lastRow) {
    if (row < 0) { // rows above the grid hold nothing
        row = 0;
        col = 1;
    }
    if (col <= 0) {
        if (row <= lastRow && row <= kDataRows) setCell(row, 0, "");
        col = 1;
    }
    const long last = std::min(lastRow, m_lastRowWritten);
    if (row > last) return;
    for (long r = row, c0 = col; r <= last; ++r, c0 = 1)
        for (long c = c0; c <= kDataCols; ++c) {
            m_cells[r][c].clear();
            m_times[r][c] = 0;
            m_digitsDue[r][c] = false;
        }
    if (last == m_lastRowWritten) m_lastRowWritten = col > 1 ? row : row - 1;
}

void TimeTable::writeHeaders() {
    // The same 74 texts for every record made: written once.
    static const std::array<std::string, kDataRows + 1> names = [] {
        std::array<std::string, kDataRows + 1> n;
        for (int i = 0; i <= kDataRows; ++i)
            n[i] = std::to_string(i);
        return n;
    }();
    for (int r = 1; r <= kDataRows; ++r) {
        m_cells[r][0] = names[r];
        m_times[r][0] = r;
        m_digitsDue[r][0] = false;
    }
    for (int c = 1; c <= kDataCols; ++c) {
        m_cells[0][c] = names[c];
        m_times[0][c] = c;
        m_digitsDue[0][c] = false;
    }
    written(0, 1);
}

} // namespace qv
