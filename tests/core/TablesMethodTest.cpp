#include "calc/Tables.h"
#include "model/Bounded.h"
#include "model/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace {
std::string Utf8(const char* cp932Bytes) {
    return cp932::toUtf8(cp932Bytes);
}
template <typename T, std::size_t N>
bool SameRow(const T (&a)[N], const T (&b)[N]) {
    return std::equal(std::begin(a), std::end(a), std::begin(b));
}
} // namespace

TEST(MethodTables, RequiredStrengthSpotValues) {
    EXPECT_DOUBLE_EQ(ReqStrengthOneStorey[2], 0.64);
    EXPECT_DOUBLE_EQ(ReqStrengthTwoStoreyApprox[0][1], 1.06); // 1F, heavy
    EXPECT_DOUBLE_EQ(ReqStrengthThreeStoreyApprox[2][2], 0.91);
    EXPECT_DOUBLE_EQ(ReqStrengthBaseTwoStorey[0][2], 1.22);
    EXPECT_DOUBLE_EQ(ReqStrengthBaseThreeStorey[0][2], 1.80);
    EXPECT_DOUBLE_EQ(ReqStrengthCity[0][3], 0.91);
    EXPECT_DOUBLE_EQ(ReqStrengthCity[1][0], 0.26);
    // The top storey of every building carries the one-storey values.
    EXPECT_TRUE(SameRow(ReqStrengthBaseTwoStorey[1], ReqStrengthOneStorey));
    EXPECT_TRUE(SameRow(ReqStrengthBaseThreeStorey[2], ReqStrengthOneStorey));
}

TEST(MethodTables, AreaKindAndWeightTables) {
    EXPECT_EQ(std::size(FloorAreaFactors), 7u);
    EXPECT_DOUBLE_EQ(FloorAreaFactors[2], 0.4);  // 跳出ﾊﾞﾙｺﾆｰ
    EXPECT_DOUBLE_EQ(FloorAreaFactors[5], 0.67); // 小屋裏収納
    EXPECT_DOUBLE_EQ(FloorAreaFactorsApprox[5], 0);
    EXPECT_DOUBLE_EQ(GravityWeightFactors[0], 3.5);
    EXPECT_DOUBLE_EQ(UnitWeights[2][1], 1.65);
    EXPECT_DOUBLE_EQ(WeightTableCoefficients[2][1][1], 3.23);
    // Storeys above the top storey weigh nothing.
    for (int w = 0; w < 3; ++w) {
        for (int top = 0; top < 3; ++top) {
            for (int s = top + 1; s < 3; ++s) EXPECT_EQ(WeightTableCoefficients[w][top][s], 0);
        }
    }
    EXPECT_DOUBLE_EQ(OtherElementsShare, 0.25);
}

TEST(MethodTables, SoftGroundAndMixedStructureCoverEveryStoredValue) {
    // groundClass / 8 is 0 or 1; mixedStructure is 0 none, 1 reinforced concrete, 2 steel.
    ASSERT_EQ(std::size(SoftGroundFactors), 2u);
    ASSERT_EQ(std::size(MixedStructureFactors), 3u);
    EXPECT_DOUBLE_EQ(SoftGroundFactors[8 / 8], 1.5);
    EXPECT_DOUBLE_EQ(SoftGroundFactors[2 / 8], 1.0);
    EXPECT_DOUBLE_EQ(MixedStructureFactors[1], 1.2);
    EXPECT_DOUBLE_EQ(MixedStructureFactors[2], 1.2);
    EXPECT_DOUBLE_EQ(BoundedAt(MixedStructureFactors, 7), 1.2);
}

TEST(MethodTables, LoadingCasesAndResultColumnsAgree) {
    // The 1F row of StoreyCaseMap is the strength variant of each result column.
    EXPECT_TRUE(SameRow(StoreyCaseMap[0], ResultColumnVariant));
    // Columns 1..8 and 9..16 pair every combination of cases of the three storeys.
    for (int col = 1; col <= 16; ++col) {
        for (int s = 0; s < 3; ++s) {
            int c = StoreyCaseMap[s][col];
            EXPECT_TRUE(col <= 8 ? (c == 1 || c == 2) : (c == 3 || c == 4)) << s << "," << col;
        }
    }
    EXPECT_EQ(CaseSubBlockX[3], 1);
    EXPECT_EQ(CaseSubBlockY[3], 4);
}

TEST(MethodTables, BraceClassMapFollowsSizeAndDirection) {
    for (int row = 24; row < 84; ++row) {
        int size = row / 12;
        int group = size <= 3 ? 0 : size - 3;
        int expected = 2 * group + (row % 4 == 3 ? 1 : 0);
        EXPECT_EQ(BraceClassMap[row - 24], expected) << row;
    }
}

TEST(MethodTables, BraceCorrectionRowsThatRepeatOthers) {
    EXPECT_TRUE(SameRow(BraceCorrections[2], BraceCorrections[1]));
    for (int r : {4, 8, 12}) EXPECT_TRUE(SameRow(BraceCorrections[r], BraceCorrections[0])) << r;
    EXPECT_TRUE(SameRow(BraceCorrections[9], BraceCorrections[5]));
    EXPECT_TRUE(SameRow(BraceCorrections[10], BraceCorrections[6]));
    EXPECT_TRUE(SameRow(BraceCorrections[15], BraceCorrections[3]));
    EXPECT_DOUBLE_EQ(BraceCorrections[13][0], -2.0);
    EXPECT_DOUBLE_EQ(BraceCorrections[14][13], 4.0);
    EXPECT_DOUBLE_EQ(BraceCorrections[11][1], 0.5);
    EXPECT_TRUE(std::all_of(std::begin(BraceCorrections[7]), std::end(BraceCorrections[7]),
                            [](double v) { return v == 0; }));
}

TEST(MethodTables, JointAndDeteriorationReductionSpotValues) {
    // [strength class][jointSpec 0 告示 .. 3 釘打][foundation 基Ⅰ..基Ⅲ]
    EXPECT_DOUBLE_EQ(JointReductionTopStandard[1][2][1], 0.5); // 釘通 基Ⅱ
    EXPECT_DOUBLE_EQ(JointReductionTopStandard[3][1][0], 0.5); // ＶＰ 基Ⅰ
    EXPECT_DOUBLE_EQ(JointReductionTop2012Multi[2][1][2], 0.65);
    EXPECT_DOUBLE_EQ(JointReductionTop2012Single[1][0][0], 0.9);
    EXPECT_DOUBLE_EQ(JointReductionTop2012Single[3][2][2], 0.4);
    EXPECT_DOUBLE_EQ(JointReductionLowerStandard[2][1][0], 0.9);
    EXPECT_EQ(std::memcmp(JointReductionLowerStandard, JointReductionLower2012,
                          sizeof(JointReductionTable)),
              0);
    EXPECT_DOUBLE_EQ(WallDeteriorationFactors[0][0][2], 0.25);
    EXPECT_DOUBLE_EQ(WallDeteriorationFactors[1][1][3], 0.8);
}

TEST(MethodTables, OpeningTablesByWallType) {
    EXPECT_EQ(std::size(OpeningFactorByKind), 15u);
    // Exterior and partition walls of the same opening share their factors; type 14 carries
    // nothing.
    for (int t = 0; t < 7; ++t) {
        EXPECT_EQ(OpeningFactorByKind[t], OpeningFactorByKind[t + 7]) << t;
        EXPECT_EQ(OpeningFactorPrecise2012[t], OpeningFactorPrecise2012[t + 7]) << t;
    }
    EXPECT_DOUBLE_EQ(OpeningFactorByKind[5], 0.15);
    EXPECT_DOUBLE_EQ(OpeningFactorByKind[14], 0);
    EXPECT_DOUBLE_EQ(OpeningWallStrength2012[0], 0);
    EXPECT_DOUBLE_EQ(OpeningWallStrength2012[7], 1);
    EXPECT_DOUBLE_EQ(OpeningWallStrength2012[4], 0.3);
}

TEST(MethodTables, FloorTables) {
    EXPECT_EQ(std::size(FloorBoardRatings), 17u);
    EXPECT_EQ(std::size(FloorBraceRatings), 8u);
    EXPECT_DOUBLE_EQ(FloorBoardRatings[7], 3.0);
    EXPECT_DOUBLE_EQ(FloorBoardRatings[16], 0.1);
    EXPECT_DOUBLE_EQ(FloorBraceRatings[4], 0.48);
    EXPECT_EQ(Utf8(FloorBoardSpecNames[9]), "杉12*180根太落込半欠@340");
    EXPECT_EQ(Utf8(FloorBraceSpecNames[1]), "火打負担面積2.5㎡梁成240");
    EXPECT_EQ(Utf8(FloorBraceSpecNames[7]), "火打負担面積5.0㎡以下");
    // Equal strip classes on both sides reduce nothing.
    for (int c = 0; c < 4; ++c) {
        for (int f = 0; f < 3; ++f) EXPECT_EQ(QuarterMethodReduction[c][f][c], 1.0);
    }
    EXPECT_DOUBLE_EQ(QuarterMethodReduction[0][1][3], 0.45);
    EXPECT_DOUBLE_EQ(QuarterMethodReduction[3][2][0], 0.3);
    EXPECT_DOUBLE_EQ(FloorEccentricityReductionA[1][2], 0.45);
    EXPECT_DOUBLE_EQ(FloorEccentricityReductionB[1][1], 0.925);
}

TEST(LabelTables, SpotTexts) {
    EXPECT_EQ(Utf8(AreaKindNames[2]), "跳出ﾊﾞﾙｺﾆｰ");
    EXPECT_EQ(Utf8(WeightClassNames[2]), "非常に重い建物");
    EXPECT_EQ(Utf8(RoofWallClassNames[1]), "軽い屋根 重い外壁");
    EXPECT_EQ(Utf8(StoreyCountNames[1]), "２階建");
    EXPECT_EQ(Utf8(WallKindNames[3]), "外周壁マド>2m");
    EXPECT_EQ(Utf8(WallKindShortNames[14]), "耐力無");
    EXPECT_EQ(Utf8(JointSpecShortNames[1]), "ＶＰ");
    EXPECT_EQ(Utf8(FoundationShortNames[2]), "基Ⅲ");
    EXPECT_EQ(Utf8(DeteriorationNames[0]), "劣化");
    EXPECT_EQ(Utf8(JointHardwareNames[9]), "(ぬ)Ｓ－ＨＤ１５×２");
    EXPECT_EQ(Utf8(JointHardwareNames[10]), "不可");
    EXPECT_EQ(Utf8(JointHardwareMarks[10]), "(×)");
    // Every mark but the last opens its hardware name.
    for (int c = 0; c < 10; ++c) {
        std::string name = JointHardwareNames[c], mark = JointHardwareMarks[c];
        EXPECT_EQ(name.substr(0, mark.size()), mark) << c;
    }
    EXPECT_EQ(JudgementScale[1], 0xF6CF6Du); // RGB(109, 207, 246) as 0x00BBGGRR
}

TEST(LabelTables, EveryTextIsValidCp932) {
    auto check = [](const char* const* names, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(cp932::toUtf8(names[i]).find("\xEF\xBF\xBD"), std::string::npos) << i;
            EXPECT_TRUE(cp932::fromUtf8(cp932::toUtf8(names[i])) == std::string(names[i]));
        }
    };
    check(AreaKindNames, 7);
    check(WeightClassNames, 3);
    check(RoofWallClassNames, 4);
    check(StoreyCountNames, 3);
    check(WallKindNames, 15);
    check(WallKindShortNames, 15);
    check(JointSpecShortNames, 4);
    check(FoundationShortNames, 3);
    check(DeteriorationNames, 3);
    check(JointHardwareNames, 11);
    check(JointHardwareMarks, 11);
    check(FloorBoardSpecNames, 17);
    check(FloorBraceSpecNames, 8);
    // Widths of the fixed fields the reports print them into.
    for (const char* n : WeightClassNames) EXPECT_LT(std::strlen(n), 16u);
    for (const char* n : RoofWallClassNames) EXPECT_LT(std::strlen(n), 20u);
    for (const char* n : StoreyCountNames) EXPECT_LT(std::strlen(n), 8u);
}
