// Pictures of the secondary windows for the README: each window is filled
// as a user would see it and saved as a PNG into the directory given; with
// a size ("640x480") every window is first made that size, to check how a
// small screen shows them.
#include "app/format_selection.h"
#include "app/main_state.h"
#include "app/session.h"
#include "catalogue/catalogue_build.h"
#include "windows/catalogue/form_time.h"
#include "windows/errorlog/form_help.h"
#include "windows/main/form_analyse.h"
#include "windows/main/protocol_views.h"
#include "windows/recording/form_code.h"
#include "windows/recording/sql_code_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

#include <cstdio>

namespace {

QSize g_size;
QDir g_out;

bool save(QWidget& w, const char* file) {
    if (g_size.isValid()) w.resize(g_size);
    w.show();
    QTest::qWait(300);
    const bool ok = w.grab().save(g_out.filePath(file));
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(g_out.filePath(file)));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library too; files, IRP and
    // reports keep the point in their numbers (12.5, never 12,5).
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvel-window-shots DIRECTORY [WIDTHxHEIGHT]\n");
        return 2;
    }
    const QStringList size = QString::fromLatin1(argc > 2 ? argv[2] : "").split('x');
    if (size.size() == 2) g_size = QSize(size[0].toInt(), size[1].toInt());
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    // A catalogue of its own in a scratch folder, "Form016(NEC N-8)" selected.
    QTemporaryDir scratch;
    qv::Session s;
    s.format.cataloguePath = scratch.filePath("IRTime.db").toStdString();
    s.env.errorRecord.setPath(scratch.filePath("Error record.txt").toStdString());
    qv::buildCatalogueIfMissing(QV_SOURCE_DIR "/data/catalogue.sql", s.format.cataloguePath);
    qv::setIrtype(s, "Form016(NEC N-8)");
    qv::FormCode code(s, scratch.filePath("IR_CODE_DB.db"));
    qv::startUp(s);
    bool ok = true;
    {
        qv::FormTime editor(s);
        editor.open(true);
        editor.findChild<QComboBox*>("cAddFmt")->setCurrentText("Form157");
        ok = save(editor, "window-format-editor.png");
    }
    code.open();
    qv::SqlCodeGrid& grid = *code.grid();
    const char* models[] = {"TV remote A", "DVD remote", "Set-top box"};
    for (int row = 0; row < 3; ++row) {
        const char* cells[] = {models[row], "00 FF 12 ED", "00 FF 13 EC", "Form016", "0.03"};
        grid.setCurrentRow(row);
        for (int column = 0; column < 5; ++column) {
            grid.setCurrentColumn(column);
            grid.setCurrentText(cells[column]);
        }
    }
    grid.setCurrentRow(2);
    s.code.recordCol = 5;
    grid.setCurrentColumn(5);
    s.code.cIrRec = true;
    s.code.lDspRslt = "Record success!";
    s.code.lDspRsltColor = "red";
    s.last.decode.binary = "00000000 11111111 01001000 10110111 ";
    ++s.last.decodes;
    s.code.Lblcarr_wid = "26.0416";
    s.code.Lblcarr_h = "8.68055";
    s.code.Lblcarr_f = "38.4000";
    s.code.lGCyc = {"Group 1:Cycle's test time:67500", "Group 2:Cycle's test time:108000"};
    s.code.tRow = "3";
    s.code.tCol = "6";
    s.changed();
    ok = save(code, "window-code-recording.png") && ok;

    QFile record(scratch.filePath("Error record.txt"));
    ok = record.open(QIODevice::WriteOnly) &&
         record.write("Group 1:The head's Osc time is error!\r\n"
                      "The head's Osc standard time:9000\r\n"
                      "The head's Osc test time:8120\r\n\r\n\r\n"
                      "Group 2:Cycle's time is error!\r\n"
                      "Group 2:Cycle's standard time:108000\r\n"
                      "Group 2:Cycle's test time:109870\r\n\r\n\r\n") > 0 &&
         ok;
    record.close();
    qv::FormHelp viewer(s);
    viewer.viewErrorMessage();
    ok = save(viewer, "window-error-record.png") && ok;

    // An air conditioner's remote: its state bytes, fields and check.
    qv::Form_analyse analyse;
    ok = analyse.openFile(QV_SOURCE_DIR
                          "/tests/data/exchange/remotes/ACs__Toshiba__Toshiba_RAS13SKV2E.ir") &&
         ok;
    ok = save(analyse, "window-analyse.png") && ok;
    qv::ProtocolsWindow protocols(nullptr);
    protocols.findChild<QLineEdit*>("tSearch")->setText("NEC");
    ok = save(protocols, "window-protocols.png") && ok;
    return ok ? 0 : 1;
}
