// What the window tests share: a session on a fresh catalogue copy in a
// temporary folder, the started main window, a control table read from a
// data file, and direct reads of the files the windows write.
#pragma once

#include "app/session.h"
#include "platform/serial_port.h"
#include "windows/main/form_main.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>
#include <string>
#include <vector>

namespace qvtest {

inline const QString kSource = QStringLiteral(QV_SOURCE_DIR);
inline const QString kNecSample = kSource + "/data/samples/nec-00-12.txt";

class TestSession {
public:
    // A copy of the catalogue built once from data/catalogue.sql, the error
    // record beside it, "Form016(NEC N-8)" selected.
    TestSession();
    qv::Session s;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    std::string catalogue() const { return s.format.cataloguePath; }

private:
    QTemporaryDir m_dir;
};

QString textOf(const QObject* control);

// The main window started as the program starts it, on a memory port (or
// made, to be started once the test has wired it).
struct MainWindow : TestSession {
    explicit MainWindow(int missingPort = 0, bool started = true);
    void start();
    qv::MemoryPort port;
    std::unique_ptr<qv::Form_main> w;
    QObject* find(const QString& name) const;
    template <class T> T* get(const QString& name) const {
        T* c = qobject_cast<T*>(find(name));
        if (!c) qFatal("no control %s", qPrintable(name));
        return c;
    }
    // The text a control shows, whatever its kind.
    QString text(const QString& name) const { return textOf(find(name)); }
    QStringList errorLines() const;
    QMessageBox* messageBox() const { return w->findChild<QMessageBox*>(); }
    void trigger(const QString& action);
    // Does what a user does to change a control: triggers an action, clicks
    // a button on its indicator, or types into a box and presses Enter.
    void operate(const QString& name, const QString& typed = {});
};

// Compares the controls under root with a table in tests/data/ui: each line
// "object name|text|shortcut|enabled" ("*": any text; shortcut and enabled
// only where given), a "label:" name meaning some label with that text. Returns the mismatches.
QStringList controlMismatches(const QObject& root, const QString& table);

// The rows of a table in tests/data/ui, each line split at "|"; "#" lines
// and empty lines left out.
QList<QStringList> rowsOf(const QString& table);
// Runs SQL on a database file: every row of the result, each cell as text
// ("" for Null), with its storage class in front ("text:...") when typed.
std::vector<std::vector<std::string>> query(const std::string& dbPath, const std::string& sql,
                                            bool typed = false);
QByteArray fileBytes(const QString& path);
QString writeFile(const QString& path, const QByteArray& bytes);
// The receiver message of the NEC sample capture (address 0x00, command 0x12).
std::vector<uint8_t> necSample();

} // namespace qvtest
