#include "window_test_support.h"

#include "app/format_selection.h"
#include "capture/capture_reader.h"
#include "catalogue/catalogue_build.h"

#include <sqlite3.h>

namespace qvtest {

TestSession::TestSession() {
    static QTemporaryDir built;
    static const QString source = [] {
        const QString db = built.filePath("IRTime.db");
        qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", db.toStdString());
        return db;
    }();
    if (!m_dir.isValid() || !QFile::copy(source, path("IRTime.db"))) qFatal("no catalogue copy");
    s.format.cataloguePath = path("IRTime.db").toStdString();
    s.env.errorRecord.setPath(path("Error record.txt").toStdString());
    qv::setIrtype(s, "Form016(NEC N-8)");
}

MainWindow::MainWindow(int missingPort, bool started) {
    s.code.databasePath = path("IR_CODE_DB.db").toStdString();
    port.setMissingPort(missingPort);
    s.env.port = &port;
    w = std::make_unique<qv::Form_main>(s);
    if (started) start();
}

void MainWindow::start() {
    w->startUp();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) qFatal("the main window was not shown");
}

QObject* MainWindow::find(const QString& name) const {
    return w->findChild<QObject*>(name);
}

QStringList MainWindow::errorLines() const {
    QStringList out;
    auto* list = get<QListWidget>("ErrRcd");
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void MainWindow::trigger(const QString& action) {
    get<QAction>(action)->trigger();
}

void MainWindow::operate(const QString& name, const QString& typed) {
    QObject* c = find(name);
    if (auto* a = qobject_cast<QAction*>(c)) {
        a->trigger();
    } else if (auto* box = qobject_cast<QLineEdit*>(c)) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
    } else if (auto* b = qobject_cast<QAbstractButton*>(c)) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    } else {
        qFatal("cannot operate %s", qPrintable(name));
    }
}

QString textOf(const QObject* c) {
    if (auto* e = qobject_cast<const QLineEdit*>(c)) return e->text();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(c)) return p->toPlainText();
    if (auto* l = qobject_cast<const QLabel*>(c)) return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(c)) return b->text();
    if (auto* a = qobject_cast<const QAction*>(c)) return a->text();
    if (auto* cb = qobject_cast<const QComboBox*>(c)) return cb->currentText();
    if (auto* g = qobject_cast<const QGroupBox*>(c)) return g->title();
    if (auto* w = qobject_cast<const QWidget*>(c)) return w->windowTitle();
    return QStringLiteral("<no control>");
}

QStringList controlMismatches(const QObject& root, const QString& table) {
    QStringList wrong;
    for (const QStringList& f : rowsOf(table)) {
        if (f[0] == "label:") {
            bool found = false;
            for (const QLabel* l : root.findChildren<QLabel*>())
                found = found || l->text() == f[1];
            if (!found) wrong << f.join('|');
            continue;
        }
        const QObject* c = root.findChild<QObject*>(f[0]);
        const auto* a = qobject_cast<const QAction*>(c);
        if (!c || (f[1] != "*" && textOf(c) != f[1]) ||
            (f.size() > 2 && a && a->shortcut() != QKeySequence(f[2])) ||
            (f.size() > 3 && a && a->isEnabled() != (f[3] == "1")))
            wrong << f.join('|');
    }
    return wrong;
}

QList<QStringList> rowsOf(const QString& table) {
    QList<QStringList> rows;
    for (const QByteArray& line : fileBytes(kSource + "/tests/data/ui/" + table).split('\n'))
        if (!line.isEmpty() && !line.startsWith('#')) rows << QString::fromUtf8(line).split('|');
    if (rows.isEmpty()) qFatal("no rows in %s", qPrintable(table));
    return rows;
}

std::vector<std::vector<std::string>> query(const std::string& dbPath, const std::string& sql,
                                            bool typed) {
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open(dbPath.c_str(), &db) != SQLITE_OK ||
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        qFatal("%s: %s", sql.c_str(), sqlite3_errmsg(db));
    static const char* kinds[] = {"?", "integer:", "real:", "text:", "blob:", "null:"};
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        rows.emplace_back();
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            rows.back().push_back((typed ? kinds[sqlite3_column_type(st, i)] : "") +
                                  std::string(p ? p : ""));
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

std::vector<uint8_t> necSample() {
    return qv::readCaptureFile(kNecSample.toStdString());
}

} // namespace qvtest
