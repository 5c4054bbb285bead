#include "support/DiagnosisCapacityModel.h"
#include "support/DiagnosisFixture.h"
#include "support/HouseBuilder.h"

#include "calc/Diagnosis.h"

#include "model/Cp932.h"

#include <cmath>
#include <cstring>
#include <ostream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------------------------------------
// Ranks and the shown score

struct RankCase {
    double value;
    int rank;
};
void PrintTo(const RankCase& c, std::ostream* os) {
    *os << c.value;
}

class ScoreRankTest : public ::testing::TestWithParam<RankCase> {};
TEST_P(ScoreRankTest, ClassesWithTolerance) {
    EXPECT_EQ(ScoreRank(GetParam().value), GetParam().rank);
}
INSTANTIATE_TEST_SUITE_P(Scores, ScoreRankTest,
                         ::testing::Values(RankCase{0.0, 3}, RankCase{0.69, 3}, RankCase{0.699, 3},
                                           RankCase{0.7, 2},
                                           RankCase{0.1 * 7, 2},     // 0.7000000000000001
                                           RankCase{0.7 - 1e-12, 2}, // noise below 0.7
                                           RankCase{0.99, 2}, RankCase{1.0, 1}, RankCase{1.49, 1},
                                           RankCase{1.5, 0}, RankCase{3.0, 0}, RankCase{-0.5, 3},
                                           RankCase{std::nan(""), 3}));

class EccentricityRankTest : public ::testing::TestWithParam<RankCase> {};
TEST_P(EccentricityRankTest, ClassesWithTolerance) {
    EXPECT_EQ(EccentricityRank(GetParam().value), GetParam().rank);
}
INSTANTIATE_TEST_SUITE_P(Ratios, EccentricityRankTest,
                         ::testing::Values(RankCase{0.0, 0}, RankCase{0.15, 0},
                                           RankCase{0.15 + 1e-12, 0}, RankCase{0.151, 1},
                                           RankCase{0.3, 1},
                                           RankCase{0.1 + 0.2, 1}, // 0.30000000000000004
                                           RankCase{0.31, 2}, RankCase{99.99, 2},
                                           RankCase{std::nan(""), 2}));

struct TruncCase {
    double score, shown;
};
void PrintTo(const TruncCase& c, std::ostream* os) {
    *os << c.score;
}
class TruncatedScoreTest : public ::testing::TestWithParam<TruncCase> {};
TEST_P(TruncatedScoreTest, TwoDecimalsDown) {
    EXPECT_DOUBLE_EQ(TruncatedScore(GetParam().score), GetParam().shown);
}
INSTANTIATE_TEST_SUITE_P(Scores, TruncatedScoreTest,
                         ::testing::Values(TruncCase{0.699, 0.69}, TruncCase{0.7, 0.7},
                                           TruncCase{0.69999999999, 0.7}, // 0.7 with noise
                                           TruncCase{0.56 * 1.25, 0.7},   // 0.7000000000000001
                                           TruncCase{1.239, 1.23}, TruncCase{1.5, 1.5},
                                           TruncCase{2.0 / 3.0, 0.66}, TruncCase{0.0, 0.0}));

// ---------------------------------------------------------------------------------------------
// Retained strength and scores

struct ScoreCase {
    const char* name;
    int method, edition, scenario, ignoreDeterioration;
    double retained;
};
void PrintTo(const ScoreCase& c, std::ostream* os) {
    *os << c.name;
}

class ScoreFormulaTest : public SummaryFixture, public ::testing::WithParamInterface<ScoreCase> {};

// Qr = 20 kN, wall strength 30 kN, E = 0.8, deterioration factor 0.9.
TEST_P(ScoreFormulaTest, RetainedStrengthAndScore) {
    const ScoreCase& c = GetParam();
    Doc.DiagnosisMethod = c.method;
    Doc.CriteriaEdition = c.edition;
    App.CurrentScenario = c.scenario;
    App.Options.IgnoreDeterioration = c.ignoreDeterioration;
    App.DeteriorationFactor = 0.9;
    SetStorey(0, 20.0, 30.0, 30.0, 0.8, 0.8);
    CalcResultSummary();
    for (int col = 0; col < ResultColumns; ++col) {
        EXPECT_NEAR(ScoreRes.RetainedStrengthX[c.scenario][0][col], c.retained, 1e-12);
        EXPECT_NEAR(ScoreRes.RetainedStrengthY[c.scenario][0][col], c.retained, 1e-12);
        EXPECT_NEAR(ScoreRes.StoreyScoreX[c.scenario][0][col], c.retained / 20.0, 1e-12);
        EXPECT_NEAR(ScoreRes.BuildingScore[c.scenario][col], c.retained / 20.0, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Methods, ScoreFormulaTest,
    ::testing::Values(
        // general method: (0.25 x 20 + 30) x 0.8 x 0.9 = 25.2; the current state keeps D
        ScoreCase{"GeneralDetailedCurrentState", 1, 0, 0, 1, 25.2},
        ScoreCase{"GeneralApproxCurrentState", 2, 0, 0, 1, 25.2},
        ScoreCase{"GeneralCityEdition", 1, 2, 0, 1, 25.2},
        // 2012 revision: no share of Qr: 30 x 0.8 x 0.9 = 21.6
        ScoreCase{"General2012", 1, 4, 0, 1, 21.6},
        // a retrofit plan ignores the deterioration: 35 x 0.8 = 28
        ScoreCase{"GeneralRetrofitPlan", 1, 0, 1, 1, 28.0},
        // ... unless the option is off: 35 x 0.8 x 0.9 = 25.2
        ScoreCase{"GeneralRetrofitPlanDeterioration", 1, 0, 2, 0, 25.2},
        // precise method: 30 x 0.8 = 24 with the option, x 0.9 = 21.6 without
        ScoreCase{"PreciseIgnoringDeterioration", 0, 0, 0, 1, 24.0},
        ScoreCase{"PreciseSimplifiedWithDeterioration", 3, 0, 0, 0, 21.6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SummaryFixture, NoRequiredStrengthScoresZeroAndRetainsNothing) {
    Doc.StoreyData.topStorey[0] = 1;
    SetStorey(0, 20.0, 30.0, 30.0);
    SetStorey(1, 0.0, 30.0, 30.0);
    ScoreRes.RetainedStrengthX[0][1][0] = 77.0; // left from an earlier run
    CalcResultSummary();
    EXPECT_EQ(ScoreRes.RetainedStrengthX[0][1][0], 0.0);
    EXPECT_EQ(ScoreRes.RetainedStrengthY[0][1][0], 0.0);
    EXPECT_EQ(ScoreRes.StoreyScoreX[0][1][0], 0.0);
    EXPECT_DOUBLE_EQ(ScoreRes.StoreyScoreX[0][0][0], 1.5); // 30 / 20
    EXPECT_EQ(ScoreRes.BuildingScore[0][0], 0.0);          // the 2F pulls it down
}

TEST_F(SummaryFixture, BuildingScoreIsTheLeastOfEveryStoreyAndDirection) {
    Doc.StoreyData.topStorey[0] = 2;
    SetStorey(0, 10.0, 15.0, 12.0); // 1.5, 1.2
    SetStorey(1, 10.0, 11.0, 14.0); // 1.1, 1.4
    SetStorey(2, 10.0, 13.0, 13.0); // 1.3, 1.3
    CalcResultSummary();
    EXPECT_DOUBLE_EQ(ScoreRes.BuildingScore[0][0], 1.1);

    // A storey above the top keeps nothing from a taller building.
    Doc.StoreyData.topStorey[0] = 1;
    CalcResultSummary();
    EXPECT_EQ(ScoreRes.StoreyScoreX[0][2][0], 0.0);
    EXPECT_EQ(ScoreRes.RetainedStrengthY[0][2][0], 0.0);
}

// ---------------------------------------------------------------------------------------------
// Score and eccentricity panel

TEST_F(SummaryFixture, ScorePanelTruncatesAndColoursByRow) {
    Doc.StoreyData.topStorey[0] = 1;
    App.CurrentStorey = 1;
    SetStorey(0, 10.0, 6.99, 15.0); // 0.699 -> "  0.69" red; 1.5 -> blue
    SetStorey(1, 10.0, 7.0, 10.0);  // 0.7 -> "  0.70" dark yellow; 1.0 -> green
    const ResultPanel p = CalcResultSummary();
    EXPECT_STREQ(p.ScoreX[0].text, "  0.69");
    EXPECT_EQ(p.ScoreX[0].font, ScoreColoursMuted[3]);
    EXPECT_STREQ(p.ScoreY[0].text, "  1.50");
    EXPECT_EQ(p.ScoreY[0].font, ScoreColoursMuted[0]);
    EXPECT_STREQ(p.ScoreX[1].text, "  0.70");
    EXPECT_EQ(p.ScoreX[1].font, ScoreColours[2]);
    EXPECT_EQ(p.ScoreX[1].font, Rgb(183, 165, 0));
    EXPECT_STREQ(p.ScoreY[1].text, "  1.00");
    EXPECT_EQ(p.ScoreY[1].font, ScoreColours[1]);
    EXPECT_STREQ(p.ScoreX[2].text, "  0.00"); // no third storey
}

// Wall strength along X by variant 30, 25, 20, 15, 10 kN with Qr = 10 kN and E = 1: the
// result columns score 3.0 (col 0), 2.5 (1-4), 2.0 (5-8), 1.5 (9-12) and 1.0 (13-16).
class BraceDirectionTest : public SummaryFixture {
protected:
    void SetUp() override {
        SummaryFixture::SetUp();
        App.Options.ConsiderBraceDirection = 1;
        for (int f = 0; f < Storeys; ++f) {
            SetStorey(f, 10.0, 0.0, 50.0);
            for (int v = 0; v < StrengthVariants; ++v)
                RigidityRes.WallStrengthSumX[0][f][v] = 30.0 - 5.0 * v;
        }
    }
};

TEST_F(BraceDirectionTest, OneStoreyScansResultColumnsOneToFour) {
    const ResultPanel p = CalcResultSummary();
    EXPECT_STREQ(p.ScoreX[0].text, "  2.50");
    EXPECT_EQ(ScoreRes.GoverningColumnX[0][0], 1); // the first of the equal columns 1-4
    EXPECT_EQ(ScoreRes.GoverningColumnY[0][0], 0); // Y is the same in every column
    // The building score scans every column: 1.0 first in column 13.
    EXPECT_EQ(ScoreRes.GoverningColumn[0], 13);
}

TEST_F(BraceDirectionTest, ColumnsEqualButForRoundingTheFirstGoverns) {
    // The same four walls summed in another order: 25.200000000000003 and 25.2 kN.
    const double tensionFirst = 5.2 + 5.2 + 7.4 + 7.4, compressionFirst = 7.4 + 7.4 + 5.2 + 5.2;
    ASSERT_GT(tensionFirst, compressionFirst);
    for (int v : {1, 3}) RigidityRes.WallStrengthSumX[0][0][v] = tensionFirst;
    for (int v : {2, 4}) RigidityRes.WallStrengthSumX[0][0][v] = compressionFirst;
    CalcResultSummary();
    EXPECT_EQ(ScoreRes.GoverningColumnX[0][0], 1);
    EXPECT_EQ(ScoreRes.GoverningColumn[0], 1);
}

TEST_F(BraceDirectionTest, TwoStoreysScanResultColumnsOneToEight) {
    Doc.StoreyData.topStorey[0] = 1;
    const ResultPanel p = CalcResultSummary();
    EXPECT_STREQ(p.ScoreX[0].text, "  2.00");
    EXPECT_EQ(ScoreRes.GoverningColumnX[0][0], 5);
    EXPECT_EQ(ScoreRes.GoverningColumnX[0][1], 5);
}

TEST_F(BraceDirectionTest, WithoutTheOptionColumnZeroGoverns) {
    App.Options.ConsiderBraceDirection = 0;
    const ResultPanel p = CalcResultSummary();
    EXPECT_STREQ(p.ScoreX[0].text, "  3.00");
    EXPECT_EQ(ScoreRes.GoverningColumnX[0][0], 0);
    EXPECT_EQ(ScoreRes.GoverningColumn[0], 0);
}

TEST_F(SummaryFixture, EccentricityPanelShowsRatiosOrTheQuarterMethod) {
    App.CurrentStorey = 0;
    for (int v = 0; v < StrengthVariants; ++v) {
        RigidityRes.EccentricityRatioX[0][0][v] = 0.1 * v; // 0, 0.1, 0.2, 0.3, 0.4
        RigidityRes.EccentricityRatioY[0][0][v] = 0.436;
        RigidityRes.EccentricityRatioX[0][1][v] = 0.2;
    }
    ResultPanel p = CalcResultSummary();
    EXPECT_EQ(cp932::toUtf8(p.EccentricityCaption[0].text), "偏心率");
    EXPECT_STREQ(p.EccentricityX[0].text, "  0.00");
    EXPECT_EQ(p.EccentricityX[0].font, EccentricityColours[0]);
    EXPECT_STREQ(p.EccentricityY[0].text, "  0.44"); // rounded, not truncated
    EXPECT_EQ(p.EccentricityY[0].font, Rgb(183, 0, 0));
    EXPECT_STREQ(p.EccentricityX[1].text, "  0.20");
    EXPECT_EQ(p.EccentricityX[1].font, EccentricityColoursMuted[1]);

    App.Options.ConsiderBraceDirection = 1; // the largest of variants 1..4
    p = CalcResultSummary();
    EXPECT_STREQ(p.EccentricityX[0].text, "  0.40");

    Doc.DiagnosisMethod = 2;
    p = CalcResultSummary();
    for (int j = 0; j < Storeys; ++j) {
        EXPECT_EQ(cp932::toUtf8(p.EccentricityCaption[j].text), "４分割法");
        EXPECT_STREQ(p.EccentricityX[j].text, "  -.--");
        EXPECT_EQ(p.EccentricityY[j].font, PanelBlack);
    }
}

// ---------------------------------------------------------------------------------------------
// Floor-diaphragm check

// One storey, X direction over the Y lines 1..3 (two 1 m bands of 3 m2); the X extent is a
// single line, so the Y direction has no band and is not checked. Qr = 12 kN on a design
// area of 6 m2: q = 2 kN/m2, q A = 6 kN per band. Line shares L(1) = 8, L(2) = 0, L(3) = 4.
//   from the low side:  S0[1] = 8, S1[1] = 8 - 6 = 2, S0[2] = 2 + 0 = 2, S1[2] = 2 - 6 = -4
//   from the high side: S3[2] = 4, S2[2] = 4 - 6 = -2, S3[1] = -2 + 0 = -2, S2[1] = -2 - 6 = -8
// Holding measures: check 1 (rows 0, 2) 2.0 m, check 2 (rows 1, 3) 1.0 m on both bands.
class FloorCheckTest : public SummaryFixture {
protected:
    void SetUp() override {
        SummaryFixture::SetUp();
        SetStorey(0, 12.0, 20.0, 20.0);
        ReqResult.DesignFloorArea[0][0] = 6.0;
        SetExtent(0, 4, 4, 1, 3);
        for (int i = 1; i <= 2; ++i) {
            FloorCheck.FloorCheckLineTables[LineStripAreaX][0][0][i] = 3.0;
            FloorCheck.FloorCheckLineTables[LineHoldCheck1X][0][0][i] = 2.0;
            FloorCheck.FloorCheckLineTables[LineHoldCheck2X][0][0][i] = 1.0;
        }
        RigidityRes.LineShearX[0][0][1][0] = 8.0;
        RigidityRes.LineShearX[0][0][3][0] = 4.0;
    }
    static double Span(int row, int i) { return FloorCheck.FloorCheckSpanTables[row][0][0][i][0]; }
    static double Ratio(int row, int i) { return FloorCheck.FloorCheckRatios[row][0][0][i]; }
    static int Flag(int row, int i) { return FloorCheck.FloorCheckFlags[row][0][0][i]; }
};

TEST_F(FloorCheckTest, SweepsFromBothSidesWorkedByHand) {
    const ResultPanel p = CalcResultSummary();
    EXPECT_DOUBLE_EQ(FloorCheck.UnitStoreyShear[0][0], 2.0);
    const double spans[4][2] = {{8, 2}, {2, -4}, {-8, -2}, {-2, 4}};
    // ratio = holding x 1.96 / shear
    const double ratios[4][2] = {{0.49, 1.96}, {0.98, -0.49}, {-0.49, -1.96}, {-0.98, 0.49}};
    const int flags[4][2] = {{0, -1}, {0, 0}, {0, -1}, {0, 0}};
    for (int row = 0; row < 4; ++row) {
        for (int b = 0; b < 2; ++b) {
            SCOPED_TRACE(testing::Message() << "row " << row << " band " << b + 1);
            EXPECT_NEAR(Span(row, b + 1), spans[row][b], 1e-12);
            EXPECT_NEAR(Ratio(row, b + 1), ratios[row][b], 1e-12);
            EXPECT_EQ(Flag(row, b + 1), flags[row][b]);
        }
        EXPECT_EQ(Flag(row, 0), -1);
        EXPECT_EQ(Flag(row, 3), -1);
        EXPECT_EQ(Flag(row + 4, 4), -1); // Y not checked
    }
    // Least failing value |trunc(0.49 x 1000)| = 489 or 490: level 4 of the scale.
    EXPECT_STREQ(p.FloorCheckState.text, "NG ");
    EXPECT_EQ(p.FloorCheckState.font, Rgb(255, 0, 0));
    EXPECT_STREQ(p.FloorCheckStorey[0].text, "1FX");
    EXPECT_EQ(p.FloorCheckStorey[0].background, JudgementScale[10 - 4]);
    EXPECT_EQ(p.FloorCheckStorey[0].font, PanelBlack);
    EXPECT_STREQ(p.FloorCheckStorey[1].text, "");
    EXPECT_EQ(p.FloorCheckStorey[1].background, Rgb(228, 228, 228));
}

TEST_F(FloorCheckTest, RatiosOfExactlyOneInSizePass) {
    // S0[1] = 8 and S2[1] = -8 with a holding measure of 8 / 1.96: ratios 1.0 and -1.0 (up
    // to rounding), neither is NG; the ratio 0.5 of S1 on band 1 is.
    FloorCheck.FloorCheckLineTables[LineHoldCheck1X][0][0][1] = 8.0 / 1.96;
    FloorCheck.FloorCheckLineTables[LineHoldCheck2X][0][0][1] = 1.0 / 1.96;
    CalcResultSummary();
    EXPECT_NEAR(Ratio(0, 1), 1.0, 1e-12);
    EXPECT_EQ(Flag(0, 1), -1);
    EXPECT_NEAR(Ratio(2, 1), -1.0, 1e-12);
    EXPECT_EQ(Flag(2, 1), -1);
    EXPECT_NEAR(Ratio(1, 1), 0.5, 1e-12);
    EXPECT_EQ(Flag(1, 1), 0);
}

TEST_F(FloorCheckTest, ShearsZeroButForRoundingFormNoRatio) {
    // q = 0.6 / 6 and q A = 0.3 against a line share of 0.1 + 0.2: the floor carries nothing
    // behind line 1 (5.6e-17 in binary), and nothing in front of line 3 either.
    SetStorey(0, 0.6, 20.0, 20.0);
    RigidityRes.LineShearX[0][0][1][0] = 0.1 + 0.2;
    RigidityRes.LineShearX[0][0][3][0] = 0.3;
    CalcResultSummary();
    for (const auto& [row, band] : {std::pair{1, 1}, {0, 2}, {2, 2}, {3, 1}}) {
        SCOPED_TRACE(testing::Message() << "row " << row << " band " << band);
        EXPECT_EQ(Span(row, band), 0.0);
        EXPECT_EQ(Ratio(row, band), 0.0);
        EXPECT_EQ(Flag(row, band), -1);
    }
    EXPECT_NEAR(Ratio(1, 2), 1.0 * 1.96 / -0.3, 1e-12);
}

TEST_F(FloorCheckTest, PanelLevelOfARatioOnAClassBoundary) {
    // q A = 1.2 / 6 x 3 = 0.6; L(1) = 4.9, nothing on line 3; check 2 holds plenty. Check 1
    // fails at S0[1] = 4.9 with 1.96 / 4.9 = 0.4 (0.39999999999999997 in binary) and at
    // S0[2] = 4.3 with 0.4558: the least value is 400, level 4, not 399 and level 3.
    SetStorey(0, 1.2, 20.0, 20.0);
    RigidityRes.LineShearX[0][0][1][0] = 4.9;
    RigidityRes.LineShearX[0][0][3][0] = 0.0;
    for (int i = 1; i <= 2; ++i) {
        FloorCheck.FloorCheckLineTables[LineHoldCheck1X][0][0][i] = 1.0;
        FloorCheck.FloorCheckLineTables[LineHoldCheck2X][0][0][i] = 100.0;
    }
    const ResultPanel p = CalcResultSummary();
    EXPECT_EQ(Flag(0, 1), 0);
    EXPECT_EQ(Flag(0, 2), 0);
    EXPECT_STREQ(p.FloorCheckStorey[0].text, "1FX");
    EXPECT_EQ(p.FloorCheckStorey[0].background, JudgementScale[10 - 4]);
}

TEST_F(FloorCheckTest, BothDirectionsFailingOnTheSecondStorey) {
    // The floor of the fixture moved to the 2F of a two-storey building, and the same numbers
    // along Y over the X lines 1..3, with a weaker check 2 (0.3 m). The 1F has no extent.
    Doc.StoreyData.topStorey[0] = 1;
    SetStorey(1, 12.0, 20.0, 20.0);
    SetStorey(0, 24.0, 40.0, 40.0);
    ReqResult.DesignFloorArea[0][0] = 0.0;
    ReqResult.DesignFloorArea[0][1] = 6.0;
    SetExtent(0, 99, 0, 99, 0);
    SetExtent(1, 1, 3, 1, 3);
    for (int i = 1; i <= 2; ++i) {
        FloorCheck.FloorCheckLineTables[LineStripAreaX][0][1][i] = 3.0;
        FloorCheck.FloorCheckLineTables[LineHoldCheck1X][0][1][i] = 2.0;
        FloorCheck.FloorCheckLineTables[LineHoldCheck2X][0][1][i] = 1.0;
        FloorCheck.FloorCheckLineTables[LineStripAreaY][0][1][i] = 3.0;
        FloorCheck.FloorCheckLineTables[LineHoldCheck1Y][0][1][i] = 2.0;
        FloorCheck.FloorCheckLineTables[LineHoldCheck2Y][0][1][i] = 0.3;
    }
    for (int k : {1, 3}) {
        RigidityRes.LineShearX[0][1][k][0] = k == 1 ? 8.0 : 4.0;
        RigidityRes.LineShearY[0][1][k][0] = k == 1 ? 8.0 : 4.0;
    }
    const ResultPanel p = CalcResultSummary();
    // Y, check 2: 0.3 x 1.96 / S1 with S1 = 2 and -4 on bands 1 and 2: 0.294 and -0.147;
    // the least value |trunc(-0.147 x 1000)| = 147 gives level 1, below the 4 of X.
    EXPECT_NEAR(FloorCheck.FloorCheckRatios[5][0][1][1], 0.294, 1e-12);
    EXPECT_NEAR(FloorCheck.FloorCheckRatios[5][0][1][2], -0.147, 1e-12);
    EXPECT_STREQ(p.FloorCheckState.text, "NG ");
    EXPECT_STREQ(p.FloorCheckStorey[1].text, "2FXY");
    EXPECT_EQ(p.FloorCheckStorey[1].background, JudgementScale[10 - 1]);
    EXPECT_STREQ(p.FloorCheckStorey[0].text, "");
    // (24 - 12) kN, not divided by a design area of 0
    EXPECT_DOUBLE_EQ(FloorCheck.UnitStoreyShear[0][0], 12.0);
}

TEST_F(FloorCheckTest, EmptyOrOneLineStoreysAreNotSwept) {
    for (int row = 0; row < 8; ++row) FloorCheck.FloorCheckFlags[row][0][0][1] = 0; // stale
    SetExtent(0, 99, 0, 99, 0); // a storey without elements
    ResultPanel p = CalcResultSummary();
    for (int row = 0; row < 8; ++row)
        for (int i = 0; i < GridLines; ++i) {
            EXPECT_EQ(FloorCheck.FloorCheckFlags[row][0][0][i], -1);
            EXPECT_EQ(FloorCheck.FloorCheckRatios[row][0][0][i], 0.0);
        }
    EXPECT_STREQ(p.FloorCheckState.text, "OK");
    EXPECT_EQ(p.FloorCheckState.font, PanelBlack);
    for (const PanelLabel& l : p.FloorCheckStorey) {
        EXPECT_STREQ(l.text, "");
        EXPECT_EQ(l.background, PanelNeutral);
    }

    SetExtent(0, 2, 2, 3, 3); // one line each way
    p = CalcResultSummary();
    EXPECT_STREQ(p.FloorCheckState.text, "OK");
    EXPECT_EQ(Span(0, 3), 0.0);
}

// The moment values, against their definition summed term by term.
TEST_F(FloorCheckTest, FloorMomentsFollowTheirDefinition) {
    Doc.StoreyData.topStorey[0] = 1;
    SetStorey(1, 5.0, 1.0, 1.0);
    SetExtent(0, 2, 8, 1, 6);
    const int a = 2, b = 8;
    for (int i = 0; i < GridLines; ++i) {
        Doc.AxisX[i] = i * 0.91 + (i % 3) * 0.05; // uneven spacing
        RigidityRes.LineShearY[0][0][i][0] = (i >= a && i <= b) ? 1.0 + (i % 4) : 0.0;
        RigidityRes.LineShearY[0][1][i][0] = (i >= a && i <= b) ? 0.5 * (i % 3) : 0.0;
        FloorCheck.FloorCheckLineTables[LineStripAreaY][0][0][i] =
            (i >= a && i < b) ? 2.0 + 0.25 * i : 0.0;
    }
    FloorCheck.FloorCheckLineTables[LineStripAreaY][0][0][5] = 0.0; // a band without area
    ReqResult.DesignFloorArea[0][0] = 30.0;
    CalcResultSummary();
    const double q = (12.0 - 5.0) / 30.0;
    EXPECT_DOUBLE_EQ(FloorCheck.UnitStoreyShear[0][0], q);

    const auto y = [](int i) { return Doc.AxisX[i]; };
    const auto m = [&](int i) { return 0.5 * (y(i) + y(i + 1)); };
    const auto L = [](int i) {
        return RigidityRes.LineShearY[0][0][i][0] + RigidityRes.LineShearY[0][1][i][0];
    };
    const auto A = [](int i) { return FloorCheck.FloorCheckLineTables[LineStripAreaY][0][0][i]; };
    const auto work = [](int row, int k) { return ScoreRes.FloorCheckWork[row][0][0][k][0]; };
    const auto mark = [](int row, int k) { return ScoreRes.FloorStrengthMarks[row][0][0][k][0]; };
    const auto perBand = [&](double v, int band) {
        return (band < a || band >= b || A(band) == 0.0) ? 0.0
                                                         : v / A(band) * (y(band + 1) - y(band));
    };
    for (int k = a; k <= b; ++k) {
        double low = 0, high = 0;
        for (int i = a; i <= k - 1; ++i) low += (y(i) - y(k)) * L(i) - q * A(i) * (m(i) - y(k));
        for (int i = k + 1; i <= b; ++i) high += (y(i) - y(k)) * L(i);
        for (int i = k; i <= b - 1; ++i) high -= q * A(i) * (m(i) - y(k));
        EXPECT_NEAR(work(2, k), low, 1e-9) << "line " << k;
        EXPECT_NEAR(work(6, k), high, 1e-9) << "line " << k;
        EXPECT_NEAR(mark(2, k), perBand(low, k - 1), 1e-9);
        EXPECT_NEAR(mark(6, k), perBand(high, k), 1e-9);
        if (k == b) continue;
        double lowBand = 0, highBand = 0;
        for (int i = a; i <= k; ++i) lowBand += (y(i) - m(k)) * L(i) - q * A(i) * (m(i) - m(k));
        for (int i = k + 1; i <= b; ++i) highBand += (y(i) - m(k)) * L(i);
        for (int i = k; i <= b - 1; ++i) highBand -= q * A(i) * (m(i) - m(k));
        EXPECT_NEAR(work(3, k), lowBand, 1e-9) << "band " << k;
        EXPECT_NEAR(work(7, k), highBand, 1e-9) << "band " << k;
        EXPECT_NEAR(mark(3, k), perBand(lowBand, k), 1e-9);
    }
    EXPECT_EQ(mark(3, 5), 0.0); // the band without area
}

// The plan's floor drawing reads the moment rows 0, 1, 4, 5 along the Y axes (the X direction)
// and rows 2, 3, 6, 7 along the X axes (the Y direction).
TEST_F(FloorCheckTest, FloorMomentRowsAsThePlanReadsThem) {
    // The fixture's X direction over the Y lines 1..3; its X extent is a single line.
    CalcResultSummary();
    const auto work = [](int row, int k) { return ScoreRes.FloorCheckWork[row][0][0][k][0]; };
    // About line 3 from the low side: (1 - 3) x 8 - 6 x (1.5 - 3) - 6 x (2.5 - 3) = -4.
    EXPECT_NEAR(work(0, 3), -4.0, 1e-12);
    // About the middle of band 1 from the low side: (1 - 1.5) x 8 - 6 x 0 = -4.
    EXPECT_NEAR(work(1, 1), -4.0, 1e-12);
    // About line 1 from the high side: (3 - 1) x 4 - 6 x 0.5 - 6 x 1.5 = -4.
    EXPECT_NEAR(work(4, 1), -4.0, 1e-12);
    // About the middle of band 2 from the high side: (3 - 2.5) x 4 - 6 x 0 = 2.
    EXPECT_NEAR(work(5, 2), 2.0, 1e-12);
    for (int row : {2, 3, 6, 7})
        for (int k = 0; k < GridLines; ++k) EXPECT_EQ(work(row, k), 0.0) << row << " " << k;
}

// The check clears only what changed since a storey's last run: storeys that drop out of the
// checked ones (a lower top storey, another scenario) and come back, then a smaller house, hold
// exactly what its runs give from blank tables.
TEST_F(SummaryFixture, StoreysLeftOutAndCheckedAgainKeepNothingOfEarlierRuns) {
    const auto tables = [] {
        return std::string(reinterpret_cast<const char*>(&FloorCheck), sizeof FloorCheck) +
               std::string(reinterpret_cast<const char*>(&ScoreRes), sizeof ScoreRes);
    };
    capacity::BuildFullCapacityHouse();
    RunDiagnosis();
    Doc.StoreyData.topStorey[0] = 1;
    RunDiagnosis();
    Doc.StoreyData.topStorey[0] = 2;
    App.CurrentScenario = 1;
    RunDiagnosis();
    App.CurrentScenario = 0;
    RunDiagnosis();
    capacity::BuildSmallHouse();
    RunDiagnosis();
    const std::string kept = tables();

    std::memset(&FloorCheck, 0, sizeof FloorCheck);
    std::memset(&ScoreRes, 0, sizeof ScoreRes);
    capacity::BuildSmallHouse();
    App.CurrentScenario = 1;
    RunDiagnosis();
    App.CurrentScenario = 0;
    RunDiagnosis();
    EXPECT_TRUE(tables() == kept);
}

// ---------------------------------------------------------------------------------------------
// Caution bit 2

TEST_F(SummaryFixture, UpperWallsOverAWeakerLineAreMarked) {
    Doc.StoreyData.topStorey[0] = 1;
    HouseBuilder(0, 0).wall(1, 3, 4, 3);
    Doc.Walls[0][0][0].cautionFlags = 8; // left from an earlier run
    HouseBuilder(0, 1).wall(1, 3, 4, 3).wall(2, 1, 2, 4).wall(3, 1, 6, 4).wall(150, 3, 150, 7);
    RigidityRes.LineShearX[0][1][3][0] = 5.0; // 2F line y = 3 bears more than the 1F's 4.0
    RigidityRes.LineShearX[0][0][3][0] = 4.0;
    RigidityRes.LineShearY[0][1][2][0] = 4.0; // 2F line x = 2 bears as much as the 1F's
    RigidityRes.LineShearY[0][0][2][0] = 4.0;
    RigidityRes.LineShearY[0][1][6][0] = 1.0; // x = 6 of an oblique wall: more than nothing
    CalcResultSummary();
    EXPECT_EQ(Doc.Walls[0][0][0].cautionFlags, 0); // 1F: cleared, never marked
    EXPECT_EQ(Doc.Walls[0][1][0].cautionFlags, 2); // along X on y = 3
    EXPECT_EQ(Doc.Walls[0][1][1].cautionFlags, 0); // along Y on x = 2, not greater
    EXPECT_EQ(Doc.Walls[0][1][2].cautionFlags, 2); // oblique, its second end on x = 6
    EXPECT_EQ(Doc.Walls[0][1][3].cautionFlags, 0); // off the grid: no line to compare
}

TEST_F(SummaryFixture, LinesEqualButForRoundingMarkNoUpperWall) {
    // The 2F line bears 1/9 of 13.5 kN, the 1F line 5/11 of 3.3 kN: 1.5 kN both, the 1F's
    // 1.4999999999999998 in binary.
    Doc.StoreyData.topStorey[0] = 1;
    HouseBuilder(0, 0).wall(1, 3, 4, 3);
    HouseBuilder(0, 1).wall(1, 3, 4, 3);
    RigidityRes.LineShearX[0][1][3][0] = 1.0 / 9.0 * 1.0 * 13.5;
    RigidityRes.LineShearX[0][0][3][0] = 5.0 / 11.0 * 1.0 * 3.3;
    ASSERT_GT(RigidityRes.LineShearX[0][1][3][0], RigidityRes.LineShearX[0][0][3][0]);
    CalcResultSummary();
    EXPECT_EQ(Doc.Walls[0][1][0].cautionFlags, 0);
}

// ---------------------------------------------------------------------------------------------
// Direct-below and partition ratios

TEST_F(SummaryFixture, ColumnDirectBelowCountsColumnsStandingOnColumns) {
    App.CurrentStorey = 1;
    Doc.StoreyData.topStorey[0] = 1;
    HouseBuilder b(0, 1);
    b.column(1, 1).column(2, 1).column(3, 1).column(4, 1).column(150, 1);
    WallEval.GridNodeMap[0][0][1][1] = 9;   // a column
    WallEval.GridNodeMap[0][0][2][1] = -25; // a corner column under a floor
    WallEval.GridNodeMap[0][0][3][1] = 16;  // a floor but no column
    // (4, 1) nothing; (150, 1) off the grid
    EXPECT_DOUBLE_EQ(summary::ColumnDirectBelowRatio(1), 40.0); // 2 of 5
    EXPECT_DOUBLE_EQ(summary::ColumnDirectBelowRatio(0), 100.0);
    EXPECT_DOUBLE_EQ(summary::ColumnDirectBelowRatio(2), 100.0); // no columns there

    App.CurrentStorey = 0;
    const ResultPanel p = CalcResultSummary();
    EXPECT_STREQ(p.ColumnDirectBelow.text, "100.00 %");
    EXPECT_STREQ(p.WallDirectBelow.text, "100.00 %");
}

TEST_F(SummaryFixture, WallDirectBelowMergesTheLowerWalls) {
    // 1F: the line y = 1 from x = 1 to 7 drawn as three pieces out of order and a duplicate;
    // an oblique wall from (1, 1) to (4, 4); a non-bearing wall along y = 5.
    HouseBuilder(0, 0)
        .wall(5, 1, 7, 1)
        .wall(1, 1, 3, 1)
        .wall(3, 1, 5, 1)
        .wall(3, 1, 1, 1)
        .wall(1, 1, 4, 4)
        .wall(1, 5, 7, 5, 0, 0, 0, 14);
    // 2F: on the merged line (6 m, supported); on the oblique wall ((2,2)-(3,3), supported);
    // beside it ((1,2)-(2,3), not); past the end of the line ((8,1)-(9,1), not); over the
    // non-bearing wall ((2,5)-(4,5), 2 m, a non-bearing wall itself).
    HouseBuilder(0, 1)
        .wall(1, 1, 7, 1)
        .wall(2, 2, 3, 3)
        .wall(1, 2, 2, 3)
        .wall(8, 1, 9, 1)
        .wall(2, 5, 4, 5, 0, 0, 0, 14);
    const double r2 = std::sqrt(2.0);
    // without non-bearing walls: (6 + sqrt2) / (6 + sqrt2 + sqrt2 + 1)
    EXPECT_NEAR(summary::WallDirectBelowRatio(1), (6 + r2) / (7 + 2 * r2) * 100.0, 1e-9);
    // with them the 2 m wall counts and stands on the lower one: (8 + sqrt2) / (9 + 2 sqrt2)
    App.Options.CountNonBearingWalls = 1;
    EXPECT_NEAR(summary::WallDirectBelowRatio(1), (8 + r2) / (9 + 2 * r2) * 100.0, 1e-9);
    EXPECT_DOUBLE_EQ(summary::WallDirectBelowRatio(0), 100.0);
    EXPECT_DOUBLE_EQ(summary::WallDirectBelowRatio(2), 100.0); // no walls there
}

TEST_F(SummaryFixture, WallDirectBelowMergesUntilNothingChanges) {
    // 1F: the line y = 1 from x = 1 to 5 drawn as four pieces in the order 1-2, 4-5, 3-4, 2-3.
    // One pass over the pairs joins 2-3 into 1-2 (1-3) and 3-4 into 4-5 (3-5), and leaves the
    // line as two walls, neither of which holds both ends of the 2F wall 1-5: 0 %. The next
    // pass joins them into one, on which the 2F wall stands: 100 %.
    HouseBuilder(0, 0).wall(1, 1, 2, 1).wall(4, 1, 5, 1).wall(3, 1, 4, 1).wall(2, 1, 3, 1);
    HouseBuilder(0, 1).wall(1, 1, 5, 1);
    EXPECT_DOUBLE_EQ(summary::WallDirectBelowRatio(1), 100.0);
}

TEST_F(SummaryFixture, WallDirectBelowOfNothingCountedIsZero) {
    HouseBuilder(0, 1).wall(1, 1, 4, 1, 0, 0, 0, 14);
    EXPECT_DOUBLE_EQ(summary::WallDirectBelowRatio(1), 0.0);
}

TEST_F(SummaryFixture, PartitionRatioComparesPartitionAndOuterLengths) {
    HouseBuilder(0, 0)
        .wall(1, 1, 5, 1, 0, 0, 0, 0)                       // outer 4 m
        .wall(1, 2, 3, 2, 0, 0, 0, 7)                       // partition 2 m
        .wall(1, 3, 2, 3, 0, 0, 0, 9)                       // partition with a window 1 m
        .wall(1, 4, 2, 4, 0, 0, 0, 14);                     // non-bearing 1 m
    EXPECT_DOUBLE_EQ(summary::PartitionWallRatio(0), 75.0); // 3 / 4
    App.Options.CountNonBearingWalls = 1;
    EXPECT_DOUBLE_EQ(summary::PartitionWallRatio(0), 100.0); // 4 / 4
    EXPECT_DOUBLE_EQ(summary::PartitionWallRatio(1), 100.0); // no walls
    HouseBuilder(0, 1).wall(1, 1, 2, 1, 0, 0, 0, 8);
    EXPECT_DOUBLE_EQ(summary::PartitionWallRatio(1), 100.0); // no outer wall
}

TEST_F(SummaryFixture, PartitionRatioIsShownWhole) {
    Doc.AxisX[1] = 0.001; // a 1 mm axis step under the outer wall
    HouseBuilder(0, 0)
        .wall(0, 1, 1, 1, 0, 0, 0, 0)   // outer 1 mm
        .wall(2, 1, 2, 73, 0, 0, 0, 7); // partition 72 m
    EXPECT_STREQ(CalcResultSummary().PartitionRatio.text, "7200000.00 %");
    // 8106479329266892800 % needs more digits than the label holds: written with an exponent.
    Doc.AxisX[1] = std::ldexp(1.0, -50);
    EXPECT_STREQ(CalcResultSummary().PartitionRatio.text, "8.11e+18 %");
}

} // namespace
