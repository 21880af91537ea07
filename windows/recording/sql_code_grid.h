// The code grid over the code database: table "IR_Table" of an SQLite file,
// shown by a table view. Every change is stored at once, in a transaction
// that is rolled back when the database refuses it.
#pragma once

#include "platform/code_grid.h"

#include <QObject>
#include <QSqlTableModel>
#include <QString>
#include <QVector>

class QTableView;

namespace qv {

// Stores each edit of a cell in its own transaction; a refused edit is
// rolled back, the cells read again and storeFailed announced.
class CodeTableModel : public QSqlTableModel {
    Q_OBJECT
public:
    CodeTableModel(QObject* parent, const QSqlDatabase& db);
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Reads every row (the model fetches lazily otherwise).
    bool selectAll();

signals:
    void storeFailed(const QString& why);
};

class SqlCodeGrid : public QObject, public CodeGrid {
    Q_OBJECT
public:
    static constexpr int kColumns = 120;
    static QString tableName() { return QStringLiteral("IR_Table"); }
    // The table made when the file has none: the grid's columns in order,
    // then the row key.
    static QString createTableSql();

    // Opens the file, creating it and the table when missing. isOpen()
    // tells whether that worked; errorText() says why not.
    explicit SqlCodeGrid(const QString& path, QObject* parent = nullptr);
    ~SqlCodeGrid() override;

    bool isOpen() const { return m_model != nullptr; }
    const QString& errorText() const { return m_error; }
    const QString& path() const { return m_path; }
    CodeTableModel* model() const { return m_model; }

    // Shows the grid in the view (the view's current cell follows the grid's
    // and the other way round).
    void attachView(QTableView* view);
    // Scroll position of the view as the grid keeps it.
    int leftColumn() const { return m_leftColumn; }
    int topRow() const { return m_topRow; }
    int rowCount() const;
    // Model column of a grid column.
    int modelColumn(int column) const { return m_columns.value(column, -1); }

    int columnCount() const override { return static_cast<int>(m_columns.size()); }
    int currentRow() const override { return m_row; }
    int currentColumn() const override { return m_column; }
    void setCurrentColumn(int column) override;
    void setCurrentRow(int row) override;
    std::string currentText() const override;
    void setCurrentText(const std::string& text) override;
    void nextRow() override;
    void scroll(int columns, int rows) override;
    void refresh() override;

    // Puts the view's scroll bars where the grid keeps them.
    void applyScroll();

signals:
    void storeFailed(const QString& why);

private:
    bool appendRows(int count);
    void showCurrentInView();
    void takeCurrentFromView(const QModelIndex& index);
    void takeScrollFromView();

    QString m_path;
    QString m_connection;
    QString m_error;
    CodeTableModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QVector<int> m_columns; // model columns shown as grid columns 0, 1, ...
    int m_row = 0;
    int m_column = 0;
    int m_leftColumn = 0;
    int m_topRow = 0;
    bool m_syncing = false;
};

} // namespace qv
