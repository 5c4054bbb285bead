#include "calc/Tables.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Cp932.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The selection reads the document and the options: every test starts from the defaults of a
// new document and puts back what it found.
class WallElementTables : public ::testing::Test {
protected:
    void SetUp() override {
        savedEdition_ = Doc.CriteriaEdition;
        savedOptions_ = App.Options;
        std::copy(std::begin(Doc.CustomPanels), std::end(Doc.CustomPanels), savedPanels_);
        Doc.CriteriaEdition = 0;
        App.Options = DisplayOptions{};
        ResetPanelElements();
    }
    void TearDown() override {
        Doc.CriteriaEdition = savedEdition_;
        App.Options = savedOptions_;
        std::copy(std::begin(savedPanels_), std::end(savedPanels_), Doc.CustomPanels);
        SelectWallElementTables();
    }
    // Runs the selection with the given edition and options.
    void select(int edition, bool city, bool ratioFromStrength) {
        Doc.CriteriaEdition = edition;
        App.Options.CityWallBaseStrength = city ? 1 : 0;
        App.Options.WallRatioFromBaseStrength = ratioFromStrength ? 1 : 0;
        SelectWallElementTables();
    }

private:
    int32_t savedEdition_ = 0;
    DisplayOptions savedOptions_;
    CustomPanelRecord savedPanels_[CustomPanelCount];
};

std::string Utf8(std::string_view cp932Bytes) {
    return cp932::toUtf8(cp932Bytes);
}

} // namespace

TEST_F(WallElementTables, SizesMatchTheRowNumbersOfTheWallRecord) {
    EXPECT_EQ(BraceSpecs.size(), 84u);
    EXPECT_EQ(MudWallSpecs.size(), 6u);
    EXPECT_EQ(PanelSpecs.size(), 70u);
    EXPECT_EQ(std::size(BraceNames), 84u);
    EXPECT_EQ(std::size(MudWallNames), 6u);
    EXPECT_EQ(PanelNames.size(), 70u);
}

TEST_F(WallElementTables, StandardSpotValues) {
    select(0, false, false);
    // Bracing code 63 = 45x90 (size 5) * 12 + no hardware * 4 + cross.
    const WallElementSpec& b4w = BraceSpecs[5 * 12 + 0 * 4 + BraceCross];
    EXPECT_EQ(b4w.symbolText(), "B4W");
    EXPECT_DOUBLE_EQ(b4w.strength, 5.15);
    EXPECT_DOUBLE_EQ(b4w.stiffness, 1048);
    EXPECT_DOUBLE_EQ(b4w.ratio, 4);
    EXPECT_EQ(BraceSpecs[0].symbolText(), "");
    EXPECT_EQ(BraceSpecs[12].symbolText(), "??");
    EXPECT_EQ(BraceSpecs[82].symbolText(), "B9");
    EXPECT_DOUBLE_EQ(BraceSpecs[82].strength, 4.8);
    // Rows 56-59 (30x90 per notice) repeat rows 52-55.
    EXPECT_EQ(BraceSpecs[57].symbolText(), "B3T");
    EXPECT_DOUBLE_EQ(BraceSpecs[57].strength, 1.8);

    EXPECT_EQ(MudWallSpecs[2].symbolText(), "T1");
    EXPECT_DOUBLE_EQ(MudWallSpecs[5].strength, 3.9);

    EXPECT_EQ(PanelSpecs[7].symbolText(), "(P1)");
    EXPECT_DOUBLE_EQ(PanelSpecs[7].stiffness, 381.7);
    EXPECT_EQ(PanelSpecs[59].symbolText(), "(P5)");
    EXPECT_DOUBLE_EQ(PanelSpecs[59].strength, 0);
    EXPECT_DOUBLE_EQ(PanelSpecs[59].stiffness, 370.46);
}

TEST_F(WallElementTables, CityBracingOnlyChangesOneWayAndCrossCells) {
    select(0, true, false);
    EXPECT_EQ(BraceSpecs[38].symbolText(), "B1"); // 15x90 none, one-way
    EXPECT_EQ(BraceSpecs[39].symbolText(), "B3");
    EXPECT_DOUBLE_EQ(BraceSpecs[39].strength, 3.2);
    EXPECT_EQ(BraceSpecs[66].symbolText(), "b9"); // 45x90 "1.5", one-way
    EXPECT_EQ(BraceSpecs[83].symbolText(), "B16");
    EXPECT_DOUBLE_EQ(BraceSpecs[83].stiffness, 1660);
    // Compression and tension cells and rows below 36 stay standard.
    for (int row : {0, 12, 24, 27, 36, 37, 60, 61, 80, 81}) {
        EXPECT_EQ(BraceSpecs[row].symbolText(), BraceSpecsStandard[row].symbolText()) << row;
        EXPECT_EQ(BraceSpecs[row].strength, BraceSpecsStandard[row].strength) << row;
    }
    // The city bracing goes with the older editions, the city edition or not, mud walls and
    // panels staying standard.
    select(2, true, false);
    EXPECT_EQ(BraceSpecs[39].symbolText(), "B3");
    EXPECT_DOUBLE_EQ(MudWallSpecs[2].strength, 1.7);
}

TEST_F(WallElementTables, Revision2012WinsOverTheCityOption) {
    for (bool city : {false, true}) {
        select(4, city, false);
        // Symbols stay standard; values are those of the revision.
        EXPECT_EQ(BraceSpecs[63].symbolText(), "B4W");
        EXPECT_DOUBLE_EQ(BraceSpecs[63].strength, 3.0);
        EXPECT_DOUBLE_EQ(BraceSpecs[63].stiffness, 660);
        // 15x90: compression differs from tension and one-way.
        EXPECT_DOUBLE_EQ(BraceSpecs[36].strength, 1.7);
        EXPECT_DOUBLE_EQ(BraceSpecs[38].strength, 1.3);
        EXPECT_DOUBLE_EQ(BraceSpecs[39].strength, 2.6);
        EXPECT_DOUBLE_EQ(MudWallSpecs[2].strength, 3.6);
        EXPECT_DOUBLE_EQ(PanelSpecs[6].stiffness, 860); // P1
    }
}

TEST_F(WallElementTables, Revision2012PanelsWithoutValues) {
    select(4, false, false);
    // AP, CM, PS (both), (P2), Q3, PB, K2, Q4, L2 (both), (P5): no strength, no stiffness.
    for (int row : {14, 15, 18, 19, 20, 21, 35, 38, 39, 40, 41, 44, 45, 52, 53, 56, 57, 59}) {
        EXPECT_EQ(PanelSpecs[row].strength, 0) << row;
        EXPECT_EQ(PanelSpecs[row].stiffness, 0) << row;
    }
    EXPECT_DOUBLE_EQ(PanelSpecs[14].ratio, 2); // "AP" keeps its listed ratio
    EXPECT_DOUBLE_EQ(PanelSpecs[20].ratio, 1.5);
}

TEST_F(WallElementTables, WallRatioFromBaseStrength) {
    select(0, false, true);
    EXPECT_DOUBLE_EQ(BraceSpecs[63].ratio, 5.15 / 1.96); // B4W
    EXPECT_DOUBLE_EQ(BraceSpecs[24].ratio, 0);           // BTC, no strength
    EXPECT_DOUBLE_EQ(MudWallSpecs[2].ratio, 1.7 / 1.96); // T1 although its listed ratio is 0
    EXPECT_DOUBLE_EQ(PanelSpecs[59].ratio, 0);           // (P5): stiffness only
    EXPECT_DOUBLE_EQ(PanelSpecs[6].ratio, 5.2 / 1.96);   // P1
    // Off: the listed ratios stay.
    select(0, false, false);
    EXPECT_DOUBLE_EQ(BraceSpecs[63].ratio, 4);
    EXPECT_DOUBLE_EQ(MudWallSpecs[2].ratio, 0);
    // Whatever was written into a working table lasts only until the next selection.
    BraceSpecs[63].strength = 99;
    select(0, false, false);
    EXPECT_DOUBLE_EQ(BraceSpecs[63].strength, 5.15);
}

TEST_F(WallElementTables, UserPanelsFillRows60To69) {
    Doc.CustomPanels[3].symbol.set("(Z)");
    Doc.CustomPanels[3].strength = 2.5;
    Doc.CustomPanels[3].stiffness = 400;
    Doc.CustomPanels[3].ratio = 1.2;
    Doc.CustomPanels[3].name.set("\x8E\x8E"); // 試
    for (int edition : {0, 4}) {
        select(edition, false, false);
        EXPECT_EQ(PanelSpecs[63].symbolText(), "(Z)");
        EXPECT_DOUBLE_EQ(PanelSpecs[63].strength, 2.5);
        EXPECT_DOUBLE_EQ(PanelSpecs[63].stiffness, 400);
        EXPECT_DOUBLE_EQ(PanelSpecs[63].ratio, 1.2);
        EXPECT_EQ(PanelSpecs[60].symbolText(), "X1");
        EXPECT_DOUBLE_EQ(PanelSpecs[60].strength, 0);
    }
    // The ratio rule covers the user rows too.
    select(0, false, true);
    EXPECT_DOUBLE_EQ(PanelSpecs[63].ratio, 2.5 / 1.96);
    // Names follow the document without a new selection.
    EXPECT_EQ(PanelNames[63], "\x8E\x8E");
    Doc.CustomPanels[3].name.set("AB");
    EXPECT_EQ(PanelNames[63], "AB");
    // After a reset a new document's "X1" carries nothing.
    ResetPanelElements();
    select(0, false, false);
    EXPECT_EQ(PanelSpecs[63].symbolText(), "(X2)");
    EXPECT_DOUBLE_EQ(PanelSpecs[63].strength, 0);
    EXPECT_EQ(Utf8(PanelNames[63]), "その他2（胴縁）");
}

TEST_F(WallElementTables, NamesSpotTexts) {
    EXPECT_EQ(Utf8(BraceNames[12]), "不明");
    EXPECT_EQ(Utf8(BraceNames[24]), "9mmφ 圧縮筋かい");
    EXPECT_EQ(Utf8(BraceNames[31]), "BTW");
    EXPECT_EQ(Utf8(BraceNames[48]), "30x90圧縮筋かい金物無し");
    EXPECT_EQ(Utf8(BraceNames[54]), "30x90一方向筋かい金物1.5");
    EXPECT_EQ(Utf8(BraceNames[83]), "90x90たすき掛け筋かい金物告示");
    EXPECT_EQ(Utf8(MudWallNames[5]), "土塗壁厚9cm以上");
    EXPECT_EQ(Utf8(PanelNames[2]), "心材面材全て不明");
    EXPECT_EQ(Utf8(PanelNames[10]), "硬質木片ｾﾒﾝﾄ板");
    EXPECT_EQ(Utf8(PanelNames[11]), "硬質木片ｾﾒﾝﾄ板（胴縁）");
    EXPECT_EQ(Utf8(PanelNames[58]), "構造用合板受材仕様");
    // A row from a damaged file stays inside the table.
    EXPECT_EQ(PanelNames[-5], "");
    EXPECT_EQ(PanelNames[1000], PanelNames[69]);
    EXPECT_EQ(BoundedAt(BraceSpecs, 500).symbolText(), BraceSpecs[83].symbolText());
}

TEST_F(WallElementTables, EveryTextIsValidCp932) {
    auto valid = [](std::string_view bytes) {
        return cp932::toUtf8(bytes).find("\xEF\xBF\xBD") == std::string::npos;
    };
    for (const char* name : BraceNames) EXPECT_TRUE(valid(name)) << name;
    for (const char* name : MudWallNames) EXPECT_TRUE(valid(name)) << name;
    for (std::size_t i = 0; i < PanelNames.size(); ++i) EXPECT_TRUE(valid(PanelNames[i])) << i;
    for (const BraceSpecTable* t : {&BraceSpecsStandard, &BraceSpecsCity, &BraceSpecs2012}) {
        for (const WallElementSpec& row : *t) EXPECT_LT(row.symbolText().size(), 8u);
    }
}

TEST_F(WallElementTables, ResetPanelElementsRestoresTheDefaults) {
    Doc.CustomPanels[0].strength = 4.0;
    Doc.CustomPanels[9].symbol.set("Q");
    Doc.CustomPanels[5].name.set("x");
    ResetPanelElements();
    for (int k = 0; k < CustomPanelCount; ++k) {
        EXPECT_EQ(Doc.CustomPanels[k], CustomPanelDefaults[k]) << k;
        EXPECT_EQ(Doc.CustomPanels[k].strength, 0) << k;
        EXPECT_EQ(Doc.CustomPanels[k].stiffness, 0) << k;
        EXPECT_EQ(Doc.CustomPanels[k].ratio, 0) << k;
    }
    EXPECT_EQ(CustomPanelDefaults[0].symbol.view(), "X1");
    EXPECT_EQ(Utf8(CustomPanelDefaults[0].name.view()), "その他1");
    EXPECT_EQ(CustomPanelDefaults[9].symbol.view(), "(X5)");
    EXPECT_EQ(Utf8(CustomPanelDefaults[9].name.view()), "その他5（胴縁）");
}
