// The "Also fits" hint under the format name: shown after a capture that
// another real format decodes cleanly, never selecting by itself; a click
// selects it as its menu entry does.
#include "windows/main/form_main.h"
#include "catalogue/catalogue_build.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

class AlsoFitsTest : public QObject {
    Q_OBJECT

private slots:
    void aHintNeverSelectsAndAClickDoes() {
        const QString source = QStringLiteral(QV_SOURCE_DIR);
        QTemporaryDir dir;
        Session s;
        MemoryPort port;
        buildCatalogueIfMissing((source + "/data/catalogue.sql").toStdString(),
                                dir.filePath("IRTime.db").toStdString());
        s.cataloguePath = dir.filePath("IRTime.db").toStdString();
        s.errorRecord.setPath(dir.filePath("Error record.txt").toStdString());
        s.port = &port;
        Form_main w(s);
        w.startUp();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* hint = w.findChild<QLabel*>("lAlsoFits");
        auto* irtype = w.findChild<QLineEdit*>("irtype");
        QVERIFY(hint && irtype);
        const QString nec = source + "/data/samples/nec-00-12.txt";

        QVERIFY(w.openCapture(nec));
        QVERIFY(hint->isHidden()); // the selected format is the best fit

        w.findChild<QAction*>("mnuform001")->trigger();
        QVERIFY(w.openCapture(nec));
        QCOMPARE(irtype->text(), QString("Form001(AIWA*SANYO)"));
        QVERIFY(!hint->isHidden());
        QCOMPARE(hint->text(), QString("Also fits: <a href=\"select\">Form016(NEC N-8)</a>"));

        emit hint->linkActivated("select");
        QCOMPARE(irtype->text(), QString("Form016(NEC N-8)"));
        QCOMPARE(w.findChild<QPlainTextEdit*>("tHCode")->toPlainText().trimmed(),
                 QString("00 FF 12 ED"));
        QVERIFY(hint->isHidden());
    }
};

QTEST_MAIN(AlsoFitsTest)
#include "also_fits_test.moc"
