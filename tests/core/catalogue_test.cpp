#include "catalogue/format_menus.h"
#include "catalogue/format_selection.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <set>
#include <sqlite3.h>

using namespace qv;

namespace {

struct Selected {
    qvtest::TempDir dir;
    Session s;
    Selected() { s.cataloguePath = qvtest::freshCatalogue(dir); }

    // Changes fields of one stored row.
    void setFields(const std::string& key,
                   const std::vector<std::pair<std::string, FieldValue>>& values) {
        TableCursor c(Database::open(s.cataloguePath), "Type", "Format");
        ASSERT_TRUE(c.seek(key));
        c.edit();
        for (const auto& [name, v] : values)
            c.setField(name, v);
        c.update();
    }
};

FieldValue text(const char* t) {
    return FieldValue::text(t);
}
FieldValue num(double v) {
    return FieldValue::number(v);
}

} // namespace

TEST(FormatMenus, HoldEveryKeyOnceWithItsShortcutsAndSeparators) {
    const auto& entries = formatMenuEntries();
    ASSERT_EQ(entries.size(), 164u);
    std::set<std::string> keys, names;
    int separators = 0;
    for (const auto& e : entries) {
        keys.insert(e.key());
        names.insert(e.objectName);
        separators += e.separatorBefore;
    }
    EXPECT_EQ(keys.size(), 164u);
    EXPECT_EQ(names.size(), 164u);
    EXPECT_EQ(separators, 7); // every format menu but the last
    EXPECT_EQ(entries[15].caption, "Form016(NEC N-8)");
    EXPECT_EQ(entries[15].shortcut, "F6");
    EXPECT_EQ(entries[41].objectName, "mnuform042");
    EXPECT_EQ(entries[42].objectName, "mnuForm043");
    EXPECT_EQ(entries[78].caption, "Form079");
    EXPECT_EQ(findFormatEntry("Form031")->shortcut, "Ctrl+F11");
    EXPECT_EQ(findFormatEntry("Form030(RC-5)")->caption, "Form030(&RC-5)");
    EXPECT_FALSE(findFormatEntry("HL")->available);
    EXPECT_TRUE(findFormatEntry("RIB")->available);
    EXPECT_EQ(findFormatEntry("Form161"), nullptr);
    EXPECT_EQ(formatMenuCaptions().size(), 9u);
}

TEST(Catalogue, HasARowForEveryMenuKey) {
    qvtest::TempDir dir;
    auto cursor = openCatalogue(qvtest::freshCatalogue(dir));
    for (const auto& e : formatMenuEntries())
        EXPECT_TRUE(cursor->seek(e.key())) << e.key();
    EXPECT_EQ(cursor->rowCount(), 164u);
}

TEST(Catalogue, BuildNeverOverwritesAnExistingFile) {
    Selected c;
    c.setFields("Form157", {{"Remark", text("mine")}});
    EXPECT_FALSE(
        buildCatalogueIfMissing(qvtest::sourcePath("data/catalogue.sql"), c.s.cataloguePath));
    auto cursor = openCatalogue(c.s.cataloguePath);
    ASSERT_TRUE(cursor->seek("Form157"));
    EXPECT_EQ(cursor->field("Remark").toText(), "mine");
}

TEST(Catalogue, MovesInKeyOrder) {
    qvtest::TempDir dir;
    auto cursor = openCatalogue(qvtest::freshCatalogue(dir));
    ASSERT_TRUE(cursor->moveFirst());
    std::string previous = cursor->key();
    int n = 1;
    while (cursor->moveNext()) {
        EXPECT_LT(previous, cursor->key());
        previous = cursor->key();
        ++n;
    }
    EXPECT_EQ(n, 164);
    EXPECT_FALSE(cursor->hasRow());
}

TEST(LoadFormat, SelectingForm016FillsTheEditor) {
    Selected c;
    setIrtype(c.s, "Form016(NEC N-8)");
    ASSERT_TRUE(c.s.CurFormat && c.s.CurFormat->hasRow());
    EXPECT_EQ(c.s.CurFormat->key(), "Form016");
    const auto& box = c.s.editor.box;
    EXPECT_EQ(c.s.editor.caption, "Form016(NEC N-8) standard time parameter");
    EXPECT_EQ(box.at("tStru"), "H,C,~C,D,~D,B0,X,H2,B0,X");
    EXPECT_EQ(box.at("tHeadOsc"), "9000");
    EXPECT_EQ(box.at("tHead1Idle"), "2250");
    EXPECT_EQ(box.at("tHBits"), "1");
    EXPECT_EQ(box.at("t1Idle"), "1688");
    EXPECT_EQ(box.at("tCF"), "26.37");
    EXPECT_EQ(box.at("tEOsc"), "---");
    EXPECT_EQ(box.at("tAddrBit"), "0");
    EXPECT_EQ(box.at("cTole"), "3");
    EXPECT_EQ(box.at("tTTole"), "500");
    EXPECT_EQ(box.at("tXtime"), "15000");
    EXPECT_EQ(box.at("tRemark"), "NEC N-8");
    EXPECT_EQ(box.at("tGroups"), "");
    EXPECT_TRUE(c.s.editor.check.at("cCYes"));
    EXPECT_FALSE(c.s.ReadOrder);
    EXPECT_EQ(c.s.tTole, "3%");
}

TEST(LoadFormat, ClearsTheDecodedCodeStrings) {
    Selected c;
    c.s.decode.CustomerBits = "1010";
    c.s.decode.HexText = "A ";
    c.s.decode.ToggleBits = "1";
    setIrtype(c.s, "Form016");
    EXPECT_EQ(c.s.decode.CustomerBits, "");
    EXPECT_EQ(c.s.decode.HexText, "");
    EXPECT_EQ(c.s.decode.ToggleBits, "1"); // not one of the six
}

struct T2Case {
    const char* name;
    FieldValue g2t;
    const char* shown;
};
class SecondCycleBox : public ::testing::TestWithParam<T2Case> {};

TEST_P(SecondCycleBox, ShowsT1WhenG2TIsEmptyOrZero) {
    Selected c;
    c.setFields("Form016", {{"T1", num(110000)}, {"G2_T", GetParam().g2t}});
    setIrtype(c.s, "Form016");
    EXPECT_EQ(c.s.editor.box.at("tT2"), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Values, SecondCycleBox,
                         ::testing::Values(T2Case{"Zero", num(0), "110000"},
                                           T2Case{"Null", FieldValue(), "110000"},
                                           T2Case{"Other", num(96000), "96000"}),
                         [](const auto& info) { return info.param.name; });

struct RepeatCase {
    const char* name;
    const char* repeat;
    std::set<std::string> checked;
};
class RepeatBoxes : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatBoxes, CheckTheBoxesOfTheirLetters) {
    Selected c;
    c.setFields("Form016", {{"Repeat", text(GetParam().repeat)}});
    setIrtype(c.s, "Form016");
    for (const char* box : {"cHead", "cData", "cEndbit", "cGroup", "c2ndB", "cG2RptB"})
        EXPECT_EQ(c.s.editor.check.at(box), GetParam().checked.count(box) == 1) << box;
    EXPECT_EQ(c.s.RepeatSpec, GetParam().repeat);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, RepeatBoxes,
    ::testing::Values(RepeatCase{"HeadAndEndBitOldLetters", "H&T", {"cHead", "cEndbit"}},
                      RepeatCase{"HeadAndEndBitEditorLetters", "H&E", {"cHead", "cEndbit"}},
                      RepeatCase{"WholeGroupOnly", "G", {"cGroup"}},
                      RepeatCase{"TrailingAmpersand", "D&", {"cData"}},
                      RepeatCase{"SecondEndBitBothSpellings", "2T&B0", {"c2ndB"}},
                      RepeatCase{"G2Repeat", "Y", {"cG2RptB"}}, RepeatCase{"Empty", "", {}},
                      RepeatCase{"UnknownLetters", "Q&HH", {}}),
    [](const auto& info) { return info.param.name; });

TEST(RepeatLetters, WhatTheEditorWritesLoadsBackIntoTheSameBoxes) {
    const std::vector<std::string> boxes = {"cHead",  "cData", "cEndbit",
                                            "cGroup", "c2ndB", "cG2RptB"};
    for (unsigned mask = 0; mask < 64; ++mask) {
        EditorModel written;
        for (size_t i = 0; i < boxes.size(); ++i)
            written.check[boxes[i]] = (mask >> i) & 1;
        EditorModel read;
        applyRepeatText(read, repeatText(written));
        for (const auto& b : boxes)
            EXPECT_EQ(read.check[b], written.check[b]) << "mask " << mask << " " << b;
    }
    EditorModel headAndEnd;
    for (const auto& b : boxes)
        headAndEnd.check[b] = false;
    headAndEnd.check["cHead"] = headAndEnd.check["cEndbit"] = true;
    EXPECT_EQ(repeatText(headAndEnd), "H&E");
}

TEST(LoadFormat, ConvertNReadsInOrderWithNeitherBoxChecked) {
    Selected c;
    c.setFields("Form016", {{"convert", text("N")}});
    setIrtype(c.s, "Form016");
    EXPECT_TRUE(c.s.ReadOrder);
    EXPECT_FALSE(c.s.editor.check.at("cCYes"));
    EXPECT_FALSE(c.s.editor.check.at("cCNo"));
}

TEST(LoadFormat, EmptyRemarkAndNullFieldsShowEmptyBoxes) {
    Selected c;
    c.setFields("Form016", {{"Remark", text("")}, {"stru", FieldValue()}, {"G_count", num(3)}});
    setIrtype(c.s, "Form016");
    EXPECT_EQ(c.s.editor.box.at("tRemark"), "");
    EXPECT_EQ(c.s.editor.box.at("tStru"), "");
    EXPECT_EQ(c.s.editor.box.at("tGroups"), "3");
}

TEST(LoadFormat, AKeyWithoutARowLeavesZerosAndNoCurrentRow) {
    Selected c;
    setIrtype(c.s, "Form016(NEC N-8)");
    {
        auto db = Database::open(c.s.cataloguePath);
        db->exec("DELETE FROM \"Type\" WHERE Format = 'Form079'");
    }
    setIrtype(c.s, "Form079");
    EXPECT_EQ(c.s.editor.box.at("tHeadOsc"), "0");
    EXPECT_EQ(c.s.editor.box.at("tRemark"), "0");
    EXPECT_EQ(c.s.editor.caption, "Form016(NEC N-8) standard time parameter");
    ASSERT_TRUE(c.s.CurFormat);
    EXPECT_FALSE(c.s.CurFormat->hasRow());
    EXPECT_THROW(c.s.CurFormat->field("H_Osc"), FieldError);
    // A decode against no row said nothing at all.
    ASSERT_EQ(c.s.messages.size(), 1u);
    EXPECT_NE(c.s.messages[0].find("the catalogue has no row Form079 (to get the shipped"),
              std::string::npos);
}

TEST(LoadFormat, ToleranceBoxFollowsTheRunTimeTolerance) {
    Selected c;
    c.s.TimeTolerance = 0.05f;
    setIrtype(c.s, "Form016");
    EXPECT_EQ(c.s.tTole, "5%");
    EXPECT_EQ(c.s.editor.box.at("cTole"), "5");
}

TEST(LoadFormat, ABrokenCatalogueIsReportedAndKeepsThePreviousSelection) {
    Selected c;
    setIrtype(c.s, "Form016(NEC N-8)");
    c.s.cataloguePath = c.dir.file("missing.db");
    setIrtype(c.s, "Form030(&RC-5)");
    ASSERT_EQ(c.s.messages.size(), 1u);
    EXPECT_NE(c.s.messages[0].find("missing.db"), std::string::npos) << c.s.messages[0];
    EXPECT_EQ(c.s.CurFormat->key(), "Form016");

    const std::string garbage = c.dir.file("garbage.db");
    FILE* f = fopen(garbage.c_str(), "wb");
    fputs("this is not a database, only text of some length to look like a file", f);
    fclose(f);
    c.s.cataloguePath = garbage;
    setIrtype(c.s, "Form030(&RC-5)");
    ASSERT_EQ(c.s.messages.size(), 2u);
    EXPECT_NE(c.s.messages[1].find("garbage.db"), std::string::npos) << c.s.messages[1];
    EXPECT_EQ(c.s.CurFormat->key(), "Form016");
}

TEST(TableCursorWrites, ARefusedValueNamesTheFieldAndChangesNothing) {
    Selected c;
    TableCursor cursor(Database::open(c.s.cataloguePath), "Type", "Format");
    ASSERT_TRUE(cursor.seek("Form157"));
    cursor.edit();
    cursor.setField("Remark", text("changed"));
    try {
        cursor.setField("H_Osc", text("nine thousand"));
        FAIL() << "accepted a text in a numeric field";
    } catch (const RefusedValue& e) {
        EXPECT_EQ(e.field(), "H_Osc");
    }
    cursor.cancelEdit();
    auto fresh = openCatalogue(c.s.cataloguePath);
    ASSERT_TRUE(fresh->seek("Form157"));
    EXPECT_NE(fresh->field("Remark").toText(), "changed");
    EXPECT_EQ(fresh->field("H_Osc").toText(), "9000");
}

TEST(TableCursorWrites, NumericFieldsTakeNumbersEmptyAndDashesStayText) {
    Selected c;
    c.setFields("Form157",
                {{"H_Osc", text(" 8999.5 ")}, {"G2_T", text("")}, {"E_Osc", text("---")}});
    auto fresh = openCatalogue(c.s.cataloguePath);
    ASSERT_TRUE(fresh->seek("Form157"));
    EXPECT_TRUE(fresh->field("H_Osc").isNumber());
    EXPECT_EQ(fresh->field("H_Osc").toText(), "8999.5");
    EXPECT_TRUE(fresh->field("G2_T").isNull());
    EXPECT_EQ(fresh->field("E_Osc").toText(), "---");
}

TEST(TableCursorWrites, ALockedFileFailsWholeAndLeavesTheRowAsItWas) {
    Selected c;
    TableCursor cursor(Database::open(c.s.cataloguePath), "Type", "Format");
    ASSERT_TRUE(cursor.seek("Form157"));

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(c.s.cataloguePath.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    cursor.edit();
    cursor.setField("Remark", text("changed"));
    cursor.setField("H_Osc", num(1234));
    EXPECT_THROW(cursor.update(), DatabaseError);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_EQ(cursor.field("H_Osc").toText(), "9000"); // the cursor's row is as before too
    auto fresh = openCatalogue(c.s.cataloguePath);
    ASSERT_TRUE(fresh->seek("Form157"));
    EXPECT_EQ(fresh->field("H_Osc").toText(), "9000");
}
