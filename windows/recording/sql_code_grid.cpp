#include "windows/recording/sql_code_grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

#include <algorithm>

namespace qv {

CodeTableModel::CodeTableModel(QObject* parent, const QSqlDatabase& db)
    : QSqlTableModel(parent, db) {}

bool CodeTableModel::selectAll() {
    if (!select()) return false;
    while (canFetchMore())
        fetchMore();
    return true;
}

bool CodeTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return QSqlTableModel::setData(index, value, role);
    QSqlDatabase db = database();
    if (!db.transaction()) {
        emit storeFailed(db.lastError().text());
        return false;
    }
    bool ok = QSqlTableModel::setData(index, value, role);
    QString why;
    if (!ok)
        why = lastError().text();
    else if (!db.commit()) {
        ok = false;
        why = db.lastError().text();
    }
    if (!ok) {
        db.rollback();
        // Show what the file holds, not the refused text.
        revertAll();
        selectAll();
        emit storeFailed(why);
    }
    return ok;
}

QString SqlCodeGrid::createTableSql() {
    // Column numbers in the names are the ones the window's "Col:" box shows.
    QStringList columns;
    for (int c = 0; c < kColumns; ++c) {
        QString name;
        switch (c) {
        case 0:
            name = QStringLiteral("Model");
            break;
        case 3:
            name = QStringLiteral("Format");
            break;
        case 4:
            name = QStringLiteral("Tolerance");
            break;
        default:
            name = QStringLiteral("Col_%1").arg(c + 1, 3, 10, QLatin1Char('0'));
        }
        columns << QStringLiteral("\"%1\" TEXT").arg(name);
    }
    columns << QStringLiteral("\"id\" INTEGER PRIMARY KEY");
    return QStringLiteral("CREATE TABLE \"%1\" (%2)")
        .arg(tableName(), columns.join(QStringLiteral(", ")));
}

SqlCodeGrid::SqlCodeGrid(const QString& path, QObject* parent) : QObject(parent), m_path(path) {
    m_connection = QStringLiteral("qv_code_grid_%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // Another program holding the file locked must not freeze the window:
    // a write waits as long as a catalogue write does, then fails and is
    // reported.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
    if (!db.open()) {
        m_error = path + QStringLiteral(": ") + db.lastError().text();
        return;
    }
    if (!db.tables().contains(tableName())) {
        QSqlQuery create(db);
        if (!create.exec(createTableSql())) {
            m_error = path + QStringLiteral(": ") + create.lastError().text();
            return;
        }
    }
    auto* model = new CodeTableModel(this, db);
    model->setTable(tableName());
    model->setEditStrategy(QSqlTableModel::OnFieldChange);
    const QSqlIndex key = model->primaryKey();
    const QSqlRecord record = model->record();
    for (int i = 0; i < record.count(); ++i)
        if (!key.contains(record.fieldName(i))) m_columns << i;
    if (!key.isEmpty()) model->setSort(record.indexOf(key.fieldName(0)), Qt::AscendingOrder);
    if (!model->selectAll()) {
        m_error = path + QStringLiteral(": ") + model->lastError().text();
        delete model;
        return;
    }
    m_model = model;
    connect(m_model, &CodeTableModel::storeFailed, this, &SqlCodeGrid::storeFailed);
}

SqlCodeGrid::~SqlCodeGrid() {
    if (m_view) m_view->setModel(nullptr);
    delete m_model;
    m_model = nullptr;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

int SqlCodeGrid::rowCount() const {
    return m_model ? m_model->rowCount() : 0;
}

void SqlCodeGrid::attachView(QTableView* view) {
    m_view = view;
    if (!m_model) return;
    view->setModel(m_model);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The grid's own scroll steps place the view; the current cell does not.
    view->setAutoScroll(false);
    for (int i = 0; i < m_model->columnCount(); ++i)
        if (!m_columns.contains(i)) view->hideColumn(i);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { takeCurrentFromView(current); });
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { takeScrollFromView(); });
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { takeScrollFromView(); });
    // A model read again (also after a refused edit) keeps the grid's place.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        showCurrentInView();
        applyScroll();
    });
    showCurrentInView();
    applyScroll();
}

void SqlCodeGrid::setCurrentColumn(int column) {
    if (column < 0 || column >= columnCount()) return;
    m_column = column;
    showCurrentInView();
}

void SqlCodeGrid::setCurrentRow(int row) {
    if (row < 0 || !m_model) return;
    if (row >= rowCount() && !appendRows(row - rowCount() + 1)) return;
    m_row = row;
    showCurrentInView();
}

std::string SqlCodeGrid::currentText() const {
    if (!m_model || m_row >= rowCount()) return {};
    return m_model->data(m_model->index(m_row, modelColumn(m_column))).toString().toStdString();
}

void SqlCodeGrid::setCurrentText(const std::string& text) {
    if (!m_model) return;
    if (m_row >= rowCount()) {
        if (text.empty()) return;
        if (!appendRows(m_row - rowCount() + 1)) return;
    }
    if (currentText() == text) return;
    m_model->setData(m_model->index(m_row, modelColumn(m_column)), QString::fromStdString(text));
    showCurrentInView();
}

void SqlCodeGrid::nextRow() {
    setCurrentRow(m_row + 1);
}

void SqlCodeGrid::scroll(int columns, int rows) {
    m_leftColumn = std::clamp(m_leftColumn + columns, 0, std::max(0, columnCount() - 1));
    m_topRow = std::clamp(m_topRow + rows, 0, std::max(0, rowCount() - 1));
    applyScroll();
}

void SqlCodeGrid::refresh() {
    if (!m_model) return;
    m_model->selectAll();
    showCurrentInView();
    applyScroll();
}

bool SqlCodeGrid::appendRows(int count) {
    QSqlDatabase db = m_model->database();
    const QString table = db.driver()->escapeIdentifier(tableName(), QSqlDriver::TableName);
    QString why;
    if (!db.transaction()) {
        emit storeFailed(db.lastError().text());
        return false;
    }
    QSqlQuery insert(db);
    bool ok = insert.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table));
    for (int i = 0; ok && i < count; ++i)
        ok = insert.exec();
    if (!ok)
        why = insert.lastError().text();
    else if (!db.commit()) {
        ok = false;
        why = db.lastError().text();
    }
    if (!ok) {
        db.rollback();
        emit storeFailed(why);
        return false;
    }
    m_model->selectAll();
    return true;
}

void SqlCodeGrid::applyScroll() {
    if (!m_view) return;
    m_syncing = true;
    m_view->doItemsLayout();
    m_view->horizontalScrollBar()->setValue(m_leftColumn);
    m_view->verticalScrollBar()->setValue(m_topRow);
    m_syncing = false;
}

void SqlCodeGrid::showCurrentInView() {
    if (!m_view || !m_model || m_row >= rowCount()) return;
    m_syncing = true;
    m_view->selectionModel()->setCurrentIndex(m_model->index(m_row, modelColumn(m_column)),
                                              QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

void SqlCodeGrid::takeCurrentFromView(const QModelIndex& current) {
    if (m_syncing || !current.isValid()) return;
    const int column = m_columns.indexOf(current.column());
    if (column < 0) return;
    m_row = current.row();
    m_column = column;
}

void SqlCodeGrid::takeScrollFromView() {
    // Only what the user does to a shown view; a hidden view's bars are
    // not laid out and would clamp the grid's place.
    if (m_syncing || !m_view || !m_view->isVisible()) return;
    m_leftColumn = m_view->horizontalScrollBar()->value();
    m_topRow = m_view->verticalScrollBar()->value();
}

} // namespace qv
