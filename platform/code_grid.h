// The code recording grid as the capture tick sees it: a table of text cells
// with a current row and column (both from 0). The code recording window
// implements it over the code database; MemoryCodeGrid serves the command
// line and the tests.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace qv {

class CodeGrid {
public:
    virtual ~CodeGrid() = default;
    virtual int columnCount() const = 0;
    virtual int currentRow() const = 0;
    virtual int currentColumn() const = 0;
    virtual void setCurrentColumn(int column) = 0;
    virtual void setCurrentRow(int row) = 0;
    virtual std::string currentText() const = 0;
    virtual void setCurrentText(const std::string& text) = 0;
    // Moves to the next row, adding one past the last.
    virtual void nextRow() = 0;
    // Scrolls the view by whole columns and rows (negative: left/up).
    virtual void scroll(int columns, int rows) = 0;
    // Reads the cells again from where they are stored.
    virtual void refresh() {}
};

class MemoryCodeGrid : public CodeGrid {
public:
    explicit MemoryCodeGrid(int columns = 120, int rows = 5) : m_columns(columns) {
        m_cells.assign(rows, std::vector<std::string>(columns));
    }
    int columnCount() const override { return m_columns; }
    int currentRow() const override { return m_row; }
    int currentColumn() const override { return m_column; }
    void setCurrentColumn(int column) override {
        if (column >= 0 && column < m_columns) m_column = column;
    }
    std::string currentText() const override { return m_cells[m_row][m_column]; }
    void setCurrentText(const std::string& text) override { m_cells[m_row][m_column] = text; }
    void nextRow() override {
        ++m_row;
        if (m_row >= static_cast<int>(m_cells.size())) m_cells.emplace_back(m_columns);
    }
    void scroll(int columns, int rows) override {
        m_leftColumn = std::max(0, std::min(m_columns - 1, m_leftColumn + columns));
        m_topRow = std::max(0, m_topRow + rows);
    }
    void setCurrentRow(int row) override {
        if (row < 0) return;
        while (row >= static_cast<int>(m_cells.size()))
            m_cells.emplace_back(m_columns);
        m_row = row;
    }
    const std::string& cell(int row, int column) const { return m_cells.at(row).at(column); }
    int leftColumn() const { return m_leftColumn; }

private:
    int m_columns;
    int m_row = 0;
    int m_column = 0;
    int m_leftColumn = 0;
    int m_topRow = 0;
    std::vector<std::vector<std::string>> m_cells;
};

} // namespace qv
