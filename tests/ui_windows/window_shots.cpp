// Pictures of the secondary windows for the README: each window is filled
// as a user would see it and saved as a PNG into the directory given; with
// a size ("640x480") every window is first made that size, to check how a
// small screen shows them.
#include "app/main_state.h"
#include "windows/catalogue/form_time.h"
#include "windows/errorlog/form_help.h"
#include "windows/recording/form_code.h"
#include "windows/recording/sql_code_grid.h"
#include "window_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdio>

namespace {

QSize g_size;

bool save(QWidget& w, const QString& file) {
    if (g_size.isValid()) w.resize(g_size);
    w.show();
    QTest::qWait(300);
    const bool ok = w.grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvel-window-shots DIRECTORY [WIDTHxHEIGHT]\n");
        return 2;
    }
    if (argc > 2) {
        const QStringList size = QString::fromLatin1(argv[2]).split('x');
        if (size.size() == 2) g_size = QSize(size[0].toInt(), size[1].toInt());
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    qvtest::TestSession t;
    qv::Session& s = t.s;
    bool ok = true;

    qv::FormCode code(s, t.path(QStringLiteral("IR_CODE_DB.db")));
    qv::startUp(s);
    {
        qv::FormTime editor(s);
        editor.open(true);
        auto* chooser = editor.findChild<QComboBox*>(QStringLiteral("cAddFmt"));
        chooser->setCurrentText(QStringLiteral("Form157"));
        ok = save(editor, out.filePath(QStringLiteral("window-format-editor.png"))) && ok;
    }

    code.open();
    qv::SqlCodeGrid& grid = *code.grid();
    const char* models[] = {"TV remote A", "DVD remote", "Set-top box"};
    for (int row = 0; row < 3; ++row) {
        grid.setCurrentRow(row);
        grid.setCurrentColumn(0);
        grid.setCurrentText(models[row]);
        grid.setCurrentColumn(1);
        grid.setCurrentText("00 FF 12 ED");
        grid.setCurrentColumn(2);
        grid.setCurrentText("00 FF 13 EC");
        grid.setCurrentColumn(3);
        grid.setCurrentText("Form016");
        grid.setCurrentColumn(4);
        grid.setCurrentText("0.03");
    }
    grid.setCurrentRow(2);
    s.RecordCol = 5;
    grid.setCurrentColumn(5);
    s.code.cIrRec = true;
    s.code.lDspRslt = "Record success!";
    s.code.lDspRsltColor = "red";
    s.code.tHexCode = "00000000 11111111 01001000 10110111 ";
    s.code.Lblcarr_wid = "26.0416";
    s.code.Lblcarr_h = "8.68055";
    s.code.Lblcarr_f = "38.4000";
    s.code.lGCyc = {"Group 1:Cycle's test time:67500", "Group 2:Cycle's test time:108000"};
    s.code.tRow = "3";
    s.code.tCol = "6";
    s.changed();
    ok = save(code, out.filePath(QStringLiteral("window-code-recording.png"))) && ok;

    {
        QFile record(t.path(QStringLiteral("Error record.txt")));
        if (record.open(QIODevice::WriteOnly))
            record.write("Group 1:The head's Osc time is error!\r\n"
                         "The head's Osc standard time:9000\r\n"
                         "The head's Osc test time:8120\r\n\r\n\r\n"
                         "Group 2:Cycle's time is error!\r\n"
                         "Group 2:Cycle's standard time:108000\r\n"
                         "Group 2:Cycle's test time:109870\r\n\r\n\r\n");
    }
    qv::FormHelp viewer(s);
    viewer.viewErrorMessage();
    ok = save(viewer, out.filePath(QStringLiteral("window-error-record.png"))) && ok;
    return ok ? 0 : 1;
}
