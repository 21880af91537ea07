// The format editor window: its two modes, the save into a user slot and
// what a failed save leaves behind.
#include "app/capture_tick.h"
#include "app/format_selection.h"
#include "windows/catalogue/form_time.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using qvtest::catalogueRow;
using qvtest::TestSession;

namespace {

// What the editor shows, by control name.
std::map<std::string, std::string> shown(const qv::Session& s) {
    std::map<std::string, std::string> out = s.editor.box;
    for (const auto& [name, on] : s.editor.check)
        out[name] = on ? "checked" : "unchecked";
    return out;
}

// Chooses a slot the way a user does: arrow keys on the drop-down list.
void chooseSlot(qv::FormTime& w, const QString& slot) {
    auto* c = w.findChild<QComboBox*>(QStringLiteral("cAddFmt"));
    QVERIFY(c);
    c->setFocus();
    for (int i = 0; i < c->count() && c->currentText() != slot; ++i)
        QTest::keyClick(c, Qt::Key_Down);
    QCOMPARE(c->currentText(), slot);
}

void typeInto(qv::FormTime& w, const char* box, const QString& text) {
    auto* e = w.findChild<QLineEdit*>(QString::fromLatin1(box));
    QVERIFY2(e, box);
    e->selectAll();
    if (text.isEmpty())
        QTest::keyClick(e, Qt::Key_Delete);
    else
        QTest::keyClicks(e, text);
    QCOMPARE(e->text(), text);
}

void clickSave(qv::FormTime& w) {
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("bAddFmt")), Qt::LeftButton);
}

void setCheck(qv::FormTime& w, const char* name, bool on) {
    auto* c = w.findChild<QCheckBox*>(QString::fromLatin1(name));
    QVERIFY2(c, name);
    if (c->isChecked() != on) QTest::mouseClick(c, Qt::LeftButton);
    QCOMPARE(c->isChecked(), on);
}

const char* const kRepeatBoxes[] = {"cHead", "cData", "cEndbit", "cGroup", "c2ndB", "cG2RptB"};

} // namespace

class FormatEditorTest : public QObject {
    Q_OBJECT
private slots:
    void readOnlyModeShowsNoSlotChooser();
    void editableModeShowsSlotControls();
    void escapeClosesAndHidesSlotControls();
    void saveCopiesEveryParameterIntoTheSlot();
    void repeatBoxesSurviveTheRoundTrip_data();
    void repeatBoxesSurviveTheRoundTrip();
    void highBitBoxesWriteConvert_data();
    void highBitBoxesWriteConvert();
    void emptyRemarkAndGroupsKeepTheStoredValues();
    void saveWithoutSlotWritesNothing();
    void failedSaveLeavesTheCatalogueUnchanged_data();
    void failedSaveLeavesTheCatalogueUnchanged();
    void nextCaptureDecodesAgainstTheSavedSlot();
};

void FormatEditorTest::readOnlyModeShowsNoSlotChooser() {
    TestSession t;
    qv::FormTime w(t.s);
    w.open(false);
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Form016(NEC N-8) standard time parameter"));
    // Read-only but not greyed out: enabled controls that take no change.
    auto* head = w.findChild<QLineEdit*>(QStringLiteral("tHeadOsc"));
    auto* repeat = w.findChild<QCheckBox*>(QStringLiteral("cHead"));
    QVERIFY(head->isEnabled() && repeat->isEnabled());
    head->setFocus();
    QTest::keyClicks(head, QStringLiteral("1"));
    QTest::mouseClick(repeat, Qt::LeftButton);
    QCOMPARE(head->text(), QStringLiteral("9000"));
    QVERIFY(repeat->isChecked()); // Form016 repeats its head
    QVERIFY(t.s.editor.check.at("cHead"));
    QVERIFY(w.findChild<QComboBox*>(QStringLiteral("cAddFmt"))->isHidden());
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("lAddFmt"))->isHidden());
    QVERIFY(w.findChild<QPushButton*>(QStringLiteral("bAddFmt"))->isHidden());
    QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("tHeadOsc"))->text(), QStringLiteral("9000"));
    QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("tType"))->currentText(), QStringLiteral("IB"));
}

void FormatEditorTest::editableModeShowsSlotControls() {
    TestSession t;
    qv::FormTime w(t.s);
    w.open(true);
    QCOMPARE(w.windowTitle(), QStringLiteral("Add or Modify the New IR Format"));
    QVERIFY(w.findChild<QGroupBox*>(QStringLiteral("Frame1"))->isEnabled());
    auto* chooser = w.findChild<QComboBox*>(QStringLiteral("cAddFmt"));
    QVERIFY(chooser->isVisible());
    QCOMPARE(chooser->currentIndex(), -1);
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items << chooser->itemText(i);
    QCOMPARE(items,
             QStringList({"Form155", "Form156", "Form157", "Form158", "Form159", "Form160"}));
    QVERIFY(w.findChild<QPushButton*>(QStringLiteral("bAddFmt"))->isVisible());
}

void FormatEditorTest::escapeClosesAndHidesSlotControls() {
    TestSession t;
    qv::FormTime w(t.s);
    w.open(true);
    chooseSlot(w, QStringLiteral("Form156"));
    QTest::keyClick(w.findChild<QComboBox*>(QStringLiteral("cAddFmt")), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QVERIFY(!t.s.editor.slotControlsVisible);
    w.open(false);
    QVERIFY(w.findChild<QComboBox*>(QStringLiteral("cAddFmt"))->isHidden());
    // A window opened again has no slot chosen.
    w.open(true);
    QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("cAddFmt"))->currentIndex(), -1);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Cmd_close")), Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void FormatEditorTest::saveCopiesEveryParameterIntoTheSlot() {
    TestSession t;
    qv::FormTime w(t.s);
    w.open(true);
    const auto form016 = shown(t.s);
    chooseSlot(w, QStringLiteral("Form157"));
    clickSave(w);
    QVERIFY(t.s.messages.empty());
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lSaved"))->text(),
             QStringLiteral("Form157 saved."));
    // The cursor stands on the written row; the selection still names Form016.
    QCOMPARE(QString::fromStdString(t.s.CurFormat->key()), QStringLiteral("Form157"));
    QCOMPARE(QString::fromStdString(t.s.irtype), QStringLiteral("Form016(NEC N-8)"));

    // Every stored field but the key is now Form016's.
    auto source = catalogueRow(t.catalogue(), "Form016");
    auto copy = catalogueRow(t.catalogue(), "Form157");
    source.erase("Format");
    copy.erase("Format");
    QCOMPARE(copy, source);

    // Reloading both shows the same parameters.
    qv::setIrtype(t.s, "Form157");
    auto reloaded = shown(t.s);
    qv::setIrtype(t.s, "Form016(NEC N-8)");
    QCOMPARE(shown(t.s), form016);
    QCOMPARE(reloaded, form016);
}

void FormatEditorTest::repeatBoxesSurviveTheRoundTrip_data() {
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("none") << QStringList();
    QTest::newRow("head and end bit") << QStringList({"cHead", "cEndbit"});
    QTest::newRow("whole group alone") << QStringList({"cGroup"});
    QTest::newRow("2 end bit and G2 repeat code") << QStringList({"c2ndB", "cG2RptB"});
    QTest::newRow("all six") << QStringList(
        {"cHead", "cData", "cEndbit", "cGroup", "c2ndB", "cG2RptB"});
}

void FormatEditorTest::repeatBoxesSurviveTheRoundTrip() {
    QFETCH(QStringList, checked);
    TestSession t;
    qv::FormTime w(t.s);
    w.open(true);
    for (const char* box : kRepeatBoxes)
        setCheck(w, box, checked.contains(QLatin1String(box)));
    chooseSlot(w, QStringLiteral("Form156"));
    clickSave(w);
    QVERIFY(t.s.messages.empty());

    qv::setIrtype(t.s, "Form016(NEC N-8)");
    qv::setIrtype(t.s, "Form156");
    for (const char* box : kRepeatBoxes)
        QVERIFY2(t.s.editor.check.at(box) == checked.contains(QLatin1String(box)), box);
}

void FormatEditorTest::highBitBoxesWriteConvert_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("no");
    QTest::addColumn<QString>("stored");
    QTest::newRow("only No gives N") << false << true << "text:N";
    QTest::newRow("both give Y") << true << true << "text:Y";
    QTest::newRow("only Yes gives Y") << true << false << "text:Y";
    QTest::newRow("neither gives N") << false << false << "text:N";
}

void FormatEditorTest::highBitBoxesWriteConvert() {
    QFETCH(bool, yes);
    QFETCH(bool, no);
    QFETCH(QString, stored);
    TestSession t;
    qv::FormTime w(t.s);
    w.open(true);
    setCheck(w, "cCYes", yes);
    setCheck(w, "cCNo", no);
    chooseSlot(w, QStringLiteral("Form160"));
    clickSave(w);
    QCOMPARE(QString::fromStdString(catalogueRow(t.catalogue(), "Form160").at("convert")), stored);
}

void FormatEditorTest::emptyRemarkAndGroupsKeepTheStoredValues() {
    TestSession t;
    qvtest::execSql(t.catalogue(), "UPDATE \"Type\" SET \"G_count\" = 3, \"Remark\" = 'old remark' "
                                   "WHERE \"Format\" = 'Form157'");
    const auto before = catalogueRow(t.catalogue(), "Form157");
    qv::FormTime w(t.s);
    w.open(true);
    typeInto(w, "tRemark", QString());
    typeInto(w, "tGroups", QString());
    typeInto(w, "tAlias", QStringLiteral("My remote"));
    chooseSlot(w, QStringLiteral("Form157"));
    clickSave(w);
    const auto after = catalogueRow(t.catalogue(), "Form157");
    QCOMPARE(after.at("Remark"), before.at("Remark"));
    QCOMPARE(after.at("G_count"), before.at("G_count"));
    QCOMPARE(after.at("Alias"), std::string("text:My remote"));
}

void FormatEditorTest::saveWithoutSlotWritesNothing() {
    TestSession t;
    const QByteArray before = qvtest::fileBytes(t.path(QStringLiteral("IRTime.db")));
    qv::FormTime w(t.s);
    w.open(true);
    typeInto(w, "tHeadOsc", QStringLiteral("8000"));
    clickSave(w);
    QCOMPARE(qvtest::fileBytes(t.path(QStringLiteral("IRTime.db"))), before);
    // Said, not silently ignored.
    QCOMPARE(t.s.messages.size(), size_t(1));
    QVERIFY(QString::fromStdString(t.s.messages.front()).contains(QStringLiteral("Form155")));
    // The selected format stays usable for decoding.
    QVERIFY(t.s.CurFormat->hasRow());
    QCOMPARE(QString::fromStdString(t.s.CurFormat->key()), QStringLiteral("Form016"));
}

void FormatEditorTest::failedSaveLeavesTheCatalogueUnchanged_data() {
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("deleteRow");
    QTest::newRow("refused head time names slot and caption") << "Form157"
                                                              << "tHeadOsc"
                                                              << "9k" << false;
    QTest::newRow("refused bit time names slot and caption") << "Form158"
                                                             << "t0Idle"
                                                             << "x" << false;
    QTest::newRow("missing slot row names the slot") << "Form159" << QString() << QString() << true;
}

void FormatEditorTest::failedSaveLeavesTheCatalogueUnchanged() {
    QFETCH(QString, slot);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, deleteRow);
    TestSession t;
    if (deleteRow)
        qvtest::execSql(t.catalogue(),
                        "DELETE FROM \"Type\" WHERE \"Format\" = '" + slot.toStdString() + "'");
    const QByteArray before = qvtest::fileBytes(t.path(QStringLiteral("IRTime.db")));
    qv::FormTime w(t.s);
    w.open(true);
    // A field written before the refused one must not land either.
    typeInto(w, "tStru", QStringLiteral("H,D,X"));
    QStringList named = {slot};
    if (!box.isEmpty()) {
        typeInto(w, box.toLatin1().constData(), typed);
        // The message names the box by the caption the user sees beside it.
        QString caption;
        for (QLabel* l : w.findChildren<QLabel*>())
            if (l->buddy() && l->buddy()->objectName() == box) caption = l->text();
        QVERIFY(!caption.isEmpty());
        named << caption.remove(':').simplified() << '"' + typed + '"';
    }
    chooseSlot(w, slot);
    clickSave(w);

    QCOMPARE(qvtest::fileBytes(t.path(QStringLiteral("IRTime.db"))), before);
    QCOMPARE(t.s.messages.size(), size_t(1));
    for (const QString& word : named)
        QVERIFY2(QString::fromStdString(t.s.messages.front()).contains(word),
                 t.s.messages.front().c_str());
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("lSaved"))->text().isEmpty());
    QCOMPARE(QString::fromStdString(t.s.CurFormat->key()), QStringLiteral("Form016"));
}

void FormatEditorTest::nextCaptureDecodesAgainstTheSavedSlot() {
    TestSession t;
    qv::MemoryPort port;
    port.open(1);
    t.s.port = &port;
    auto capture = [&] {
        port.receive(qvtest::necSample());
        qv::captureTick(t.s);
    };
    capture();
    QVERIFY2(!t.s.tHCode.empty(), "the sample decodes against Form016");

    // Form158 gets Form016's parameters with a head burst the sample does not have.
    qv::FormTime w(t.s);
    w.open(true);
    typeInto(w, "tHeadOsc", QStringLiteral("5000"));
    chooseSlot(w, QStringLiteral("Form158"));
    clickSave(w);
    QVERIFY(t.s.messages.empty());

    capture();
    QCOMPARE(QString::fromStdString(t.s.irtype), QStringLiteral("Form016(NEC N-8)"));
    QVERIFY(t.s.tHCode.empty());
    const std::vector<std::string>& errors = t.s.ErrRcd;
    QVERIFY(std::find(errors.begin(), errors.end(), "The head's Osc standard time:5000") !=
            errors.end());
}

QTEST_MAIN(FormatEditorTest)
#include "format_editor_test.moc"
