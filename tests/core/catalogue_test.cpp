#include "app/format_selection.h"
#include "catalogue/format_menus.h"
#include "test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

using namespace qv;

namespace {

struct Selected {
    qvtest::TempDir dir;
    Session s;
    Selected() { s.format.cataloguePath = qvtest::freshCatalogue(dir); }
    // Changes the row of key ("field = value, ...") and selects it.
    void select(const std::string& key, const std::string& set) {
        Database::open(s.format.cataloguePath)
            ->exec("UPDATE Type SET " + set + " WHERE Format = '" + key + "'");
        setIrtype(s, key);
    }
    std::string stored(const std::string& key, const std::string& field) const {
        auto c = openCatalogue(s.format.cataloguePath);
        return c->seek(key) ? c->field(field).toText() : "(no row)";
    }
};

} // namespace

TEST(Catalogue, HoldsEveryMenuKeyOnceInKeyOrder) {
    const auto& entries = formatMenuEntries();
    ASSERT_EQ(entries.size(), 164u);
    std::set<std::string> names;
    int separators = 0;
    for (const auto& e : entries)
        names.insert(e.objectName), separators += e.separatorBefore;
    EXPECT_EQ(names.size(), 164u);
    EXPECT_EQ(separators, 7); // every format menu but the last
    EXPECT_EQ(findFormatEntry("Form030(RC-5)")->caption, "Form030(&RC-5)");
    EXPECT_FALSE(findFormatEntry("HL")->available);
    EXPECT_EQ(findFormatEntry("Form161"), nullptr);

    Selected c;
    auto cursor = openCatalogue(c.s.format.cataloguePath);
    for (const auto& e : entries)
        EXPECT_TRUE(cursor->seek(e.key())) << e.key();
    ASSERT_TRUE(cursor->moveFirst());
    for (std::string previous = cursor->key(); cursor->moveNext(); previous = cursor->key())
        EXPECT_LT(previous, cursor->key());
    EXPECT_FALSE(cursor->hasRow());
    // A build never overwrites an existing file.
    c.select("Form157", "Remark = 'mine'");
    EXPECT_FALSE(buildCatalogueIfMissing(qvtest::sourcePath("data/catalogue.sql"),
                                         c.s.format.cataloguePath));
    EXPECT_EQ(c.stored("Form157", "Remark"), "mine");
}

TEST(LoadFormat, FillsTheEditorFromTheRow) {
    Selected c;
    c.s.decoding.timeTolerance = 0.05f;
    setIrtype(c.s, "Form016(NEC N-8)");
    const auto& box = c.s.editor.box;
    EXPECT_EQ(c.s.editor.caption, "Form016(NEC N-8) standard time parameter");
    EXPECT_TRUE(c.s.editor.check.at("cCYes"));
    EXPECT_FALSE(c.s.format.readOrder);
    EXPECT_EQ(toleranceText(c.s.decoding.timeTolerance), "5%");
    // The second cycle box shows T1 when G2_T is empty or zero.
    for (auto [g2t, shown] : {std::pair{"0", "110000"}, {"NULL", "110000"}, {"96000", "96000"}}) {
        c.select("Form016", std::string("T1 = 110000, G2_T = ") + g2t);
        EXPECT_EQ(box.at("tT2"), shown);
    }
    c.select("Form016", "convert = 'N', Remark = '', stru = NULL, G_count = 3");
    EXPECT_TRUE(c.s.format.readOrder);
    EXPECT_FALSE(c.s.editor.check.at("cCYes") || c.s.editor.check.at("cCNo"));
    EXPECT_EQ(box.at("tRemark") + "|" + box.at("tStru") + "|" + box.at("tGroups"), "||3");
}

TEST(LoadFormat, RepeatLettersCheckTheirBoxesBothWays) {
    const std::vector<std::string> boxes = {"cHead",  "cData", "cEndbit",
                                            "cGroup", "c2ndB", "cG2RptB"};
    const std::pair<const char*, std::set<std::string>> cases[] = {{"H&T", {"cHead", "cEndbit"}},
                                                                   {"H&E", {"cHead", "cEndbit"}},
                                                                   {"G", {"cGroup"}},
                                                                   {"D&", {"cData"}},
                                                                   {"2T&B0", {"c2ndB"}},
                                                                   {"Y", {"cG2RptB"}},
                                                                   {"", {}},
                                                                   {"Q&HH", {}}};
    Selected c;
    for (const auto& [repeat, checked] : cases) {
        c.select("Form016", std::string("Repeat = '") + repeat + "'");
        for (const auto& b : boxes)
            EXPECT_EQ(c.s.editor.check.at(b), checked.count(b) == 1) << repeat << " " << b;
        EXPECT_EQ(c.s.format.repeat, repeat);
    }
    for (unsigned mask = 0; mask < 64; ++mask) {
        EditorModel written, read;
        for (size_t i = 0; i < boxes.size(); ++i)
            written.check[boxes[i]] = (mask >> i) & 1;
        applyRepeatText(read, repeatText(written));
        EXPECT_EQ(read.check, written.check) << mask;
        EXPECT_TRUE(mask != 5 || repeatText(written) == "H&E");
    }
}

TEST(LoadFormat, AMissingRowOrABrokenCatalogueKeepsWhatWasThere) {
    Selected c;
    setIrtype(c.s, "Form016(NEC N-8)");
    Database::open(c.s.format.cataloguePath)->exec("DELETE FROM Type WHERE Format = 'Form079'");
    setIrtype(c.s, "Form079");
    EXPECT_EQ(c.s.editor.box.at("tHeadOsc"), "0");
    EXPECT_EQ(c.s.editor.caption, "Form016(NEC N-8) standard time parameter");
    EXPECT_FALSE(c.s.format.cursor->hasRow());
    EXPECT_THROW(c.s.format.cursor->field("H_Osc"), FieldError);
    ASSERT_EQ(c.s.out.messages.size(), 1u);
    EXPECT_NE(c.s.out.messages[0].find("the catalogue has no row Form079 (to get the shipped"),
              std::string::npos);
    setIrtype(c.s, "Form016");
    c.s.format.cataloguePath = c.dir.file("missing.db");
    setIrtype(c.s, "Form030(&RC-5)");
    c.s.format.cataloguePath = c.dir.file("garbage.db");
    std::ofstream(c.s.format.cataloguePath) << "this is not a database, only text of some length";
    setIrtype(c.s, "Form030(&RC-5)");
    ASSERT_EQ(c.s.out.messages.size(), 3u);
    EXPECT_NE(c.s.out.messages[1].find("missing.db"), std::string::npos) << c.s.out.messages[1];
    EXPECT_NE(c.s.out.messages[2].find("garbage.db"), std::string::npos) << c.s.out.messages[2];
    EXPECT_EQ(c.s.format.cursor->key(), "Form016");
}

// A locked file: see the transaction tests (tests/fuzz).
TEST(TableCursorWrites, ARefusedValueChangesNothingNumbersAreStoredAsNumbers) {
    Selected c;
    TableCursor cursor(Database::open(c.s.format.cataloguePath), "Type", "Format");
    ASSERT_TRUE(cursor.seek("Form157"));
    cursor.edit();
    cursor.setField("Remark", FieldValue::text("changed"));
    try {
        cursor.setField("H_Osc", FieldValue::text("nine thousand"));
        ADD_FAILURE() << "accepted a text in a numeric field";
    } catch (const RefusedValue& e) {
        EXPECT_EQ(e.field(), "H_Osc");
    }
    cursor.cancelEdit();
    EXPECT_NE(c.stored("Form157", "Remark"), "changed");

    // Numeric fields take numbers; empty text is Null, dashes stay text.
    cursor.edit();
    cursor.setField("H_Osc", FieldValue::text(" 8999.5 "));
    cursor.setField("G2_T", FieldValue::text(""));
    cursor.setField("E_Osc", FieldValue::text("---"));
    cursor.update();
    auto fresh = openCatalogue(c.s.format.cataloguePath);
    ASSERT_TRUE(fresh->seek("Form157"));
    EXPECT_TRUE(fresh->field("H_Osc").isNumber());
    EXPECT_EQ(fresh->field("H_Osc").toText(), "8999.5");
    EXPECT_TRUE(fresh->field("G2_T").isNull());
    EXPECT_EQ(fresh->field("E_Osc").toText(), "---");
}
