#include "capture/capture_record.h"

#include "platform/basic.h"

#include <charconv>

namespace qv {

namespace {
const std::string kEmpty;
}

TimeTable::TimeTable() {
    writeHeaders();
}

const std::string& TimeTable::cell(long row, long col) const {
    if (!inGrid(row, col)) return kEmpty;
    return m_cells[row][col];
}

void TimeTable::setCell(long row, long col, std::string text) {
    if (!inGrid(row, col)) return;
    m_times[row][col] = text.empty() ? 0 : wholeOf(text);
    m_cells[row][col] = std::move(text);
}

void TimeTable::setTime(long row, long col, int64_t us) {
    if (!inGrid(row, col)) return;
    m_times[row][col] = us;
    // Digits straight into the cell's own buffer: the loader writes every time.
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, us).ptr;
    m_cells[row][col].assign(digits, static_cast<size_t>(end - digits));
}

void TimeTable::clearAll() {
    for (auto& row : m_cells)
        for (auto& c : row)
            c.clear();
    m_times = {};
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
    }
    for (int c = 1; c <= kDataCols; ++c) {
        m_cells[0][c] = names[c];
        m_times[0][c] = c;
    }
}

} // namespace qv
