#include "support/FloorFixture.h"

#include <cmath>
#include <ostream>

#include <gtest/gtest.h>

using namespace floorcalc;

namespace {

constexpr int Brace(int brace, int board) {
    return brace * 32 + board;
}

// ---------------------------------------------------------------------------------------------
// Floor ratings

struct RatingCase {
    int code;
    double rating;
};
void PrintTo(const RatingCase& c, std::ostream* os) {
    *os << "code " << c.code;
}
class FloorRatingTest : public ::testing::TestWithParam<RatingCase> {};

TEST_P(FloorRatingTest, BoardPlusBrace) {
    EXPECT_DOUBLE_EQ(FloorRating(GetParam().code), GetParam().rating);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FloorRatingTest,
    ::testing::Values(RatingCase{0, 0.0},              // 吹抜, no brace
                      RatingCase{1, 2.0},              // 床合板12mm根太落込@340
                      RatingCase{Brace(17, 7), 3.8},   // 24 mm plywood 3.0 + brace 0.8
                      RatingCase{Brace(23, 16), 0.34}, // 0.1 + 0.24
                      RatingCase{Brace(20, 0), 0.48},  // brace alone over a void
                      RatingCase{Brace(16, 1), 2.0},   // brace 16 is no brace
                      RatingCase{Brace(24, 12), 0.24}, // nor is 24
                      RatingCase{17, 0.1},             // board beyond the table: last row
                      RatingCase{-5, 0.0}));           // damaged code

// ---------------------------------------------------------------------------------------------
// Floor classes

struct OverviewCase {
    int floorMaterial, horizontalBrace, largeVoid, uniformFloor;
    bool voidFound;
    int floorClass;
};
void PrintTo(const OverviewCase& c, std::ostream* os) {
    *os << "material " << c.floorMaterial << " brace " << c.horizontalBrace << " largeVoid "
        << c.largeVoid << " uniform " << c.uniformFloor << " void " << c.voidFound;
}
class FloorClassOverviewTest : public ::testing::TestWithParam<OverviewCase> {};

TEST_P(FloorClassOverviewTest, FromSettingsAndVoids) {
    const OverviewCase& c = GetParam();
    FoundationFloorSpecRecord spec;
    spec.floorMaterial = c.floorMaterial;
    spec.horizontalBrace = c.horizontalBrace;
    spec.largeVoid = c.largeVoid;
    spec.uniformFloor = c.uniformFloor;
    EXPECT_EQ(FloorClassFromOverview(spec, c.voidFound), c.floorClass);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, FloorClassOverviewTest,
    ::testing::Values(
        // All plywood is class I whatever the brace says.
        OverviewCase{0, 0, 0, 0, false, 0}, OverviewCase{0, 2, 0, 0, false, 0},
        // Other boards: II with a horizontal brace, III without or not visible.
        OverviewCase{1, 1, 0, 0, false, 1}, OverviewCase{1, 0, 0, 0, false, 2},
        OverviewCase{2, 2, 0, 0, false, 2},
        // A void raises the class by one, at most to III.
        OverviewCase{0, 0, 0, 0, true, 1}, OverviewCase{0, 0, 1, 0, false, 1},
        OverviewCase{1, 1, 1, 0, true, 2}, OverviewCase{1, 0, 1, 0, true, 2},
        // One spec for the whole building: only the setting counts.
        OverviewCase{0, 0, 0, 1, true, 0}, OverviewCase{1, 1, 1, 1, false, 2}));

TEST(FloorClassMeanRatio, BoundariesBelongToTheBetterClass) {
    EXPECT_EQ(FloorClassFromMeanRatio(1.2), 0);
    EXPECT_EQ(FloorClassFromMeanRatio(1.0), 0);
    EXPECT_EQ(FloorClassFromMeanRatio(0.3 + 0.7), 0); // 0.99999999999999989 in binary
    EXPECT_EQ(FloorClassFromMeanRatio(0.999), 1);
    EXPECT_EQ(FloorClassFromMeanRatio(0.5), 1);
    EXPECT_EQ(FloorClassFromMeanRatio(0.499), 2);
    EXPECT_EQ(FloorClassFromMeanRatio(0.0), 2);
}

TEST(EccentricityClassTest, ThresholdsAtPointThreeAndPointSix) {
    EXPECT_EQ(EccentricityClass(0.0), 0);
    EXPECT_EQ(EccentricityClass(0.299), 0);
    EXPECT_EQ(EccentricityClass(0.1 * 3), 1); // 0.30000000000000004
    EXPECT_EQ(EccentricityClass(0.3), 1);
    EXPECT_EQ(EccentricityClass(0.599), 1);
    EXPECT_EQ(EccentricityClass(0.6), 2);
    EXPECT_EQ(EccentricityClass(99.99), 2); // a storey without walls in that direction
}

// ---------------------------------------------------------------------------------------------
// E of the 2012 revision

TEST(ReductionFactor2012Test, HandWorkedValues) {
    // Re = 0.15: 1 / (0.4995 + 0.5) = 1.0005, capped to 1.0.
    EXPECT_DOUBLE_EQ(ReductionFactor2012(0.15, 1.2), 1.0);
    // Re = 0.2: 1 / (0.666 + 0.5) = 0.857633
    EXPECT_NEAR(ReductionFactor2012(0.2, 0.3), 1.0 / 1.166, 1e-12);
    // Re = 0.3, every floor: 1 / 1.499 = 0.667111
    for (double m : {1.2, 0.7, 0.3}) EXPECT_NEAR(ReductionFactor2012(0.3, m), 1.0 / 1.499, 1e-12);
    // Re = 0.35, m < 0.5: (3.6 - 0.7) / (3 x (1.1655 + 0.5)) = 2.9 / 4.9965 = 0.580406
    EXPECT_NEAR(ReductionFactor2012(0.35, 0.3), 2.9 / 4.9965, 1e-12);
    // Re = 0.35, m 0.7: (2.3 - 0.35) / (2 x 1.6655) = 1.95 / 3.331 = 0.585410
    EXPECT_NEAR(ReductionFactor2012(0.35, 0.7), 1.95 / 3.331, 1e-12);
    // Re = 0.5: m >= 1 (3.3 - 0.5) / 6 = 0.466667; m 0.7 (1.8 x 0.25) = 0.45;
    // m < 0.5 (3.6 - 1.0) / 6 = 0.433333
    EXPECT_NEAR(ReductionFactor2012(0.5, 1.0), 2.8 / 6, 1e-12);
    EXPECT_NEAR(ReductionFactor2012(0.5, 0.7), 0.45, 1e-12);
    EXPECT_NEAR(ReductionFactor2012(0.5, 0.3), 2.6 / 6, 1e-12);
    // From Re = 0.6 on: 0.45, 0.425, 0.4 by floor.
    EXPECT_DOUBLE_EQ(ReductionFactor2012(0.6, 1.0), 0.45);
    EXPECT_DOUBLE_EQ(ReductionFactor2012(0.6, 0.5), 0.425);
    EXPECT_DOUBLE_EQ(ReductionFactor2012(0.6, 0.49), 0.4);
    EXPECT_DOUBLE_EQ(ReductionFactor2012(99.99, 0.0), 0.4);
}

class ReductionFactor2012Continuity : public ::testing::TestWithParam<double> {};

// For every floor the factor only falls as the eccentricity grows and never jumps: the step
// from Re to Re + 0.0005 moves E by less than 0.002 (the steepest slope, 1 / (3.33 Re + 0.5)
// at Re = 0.15, gives 0.0017), and at 0.3 and 0.6 the branches meet exactly.
TEST_P(ReductionFactor2012Continuity, FallsWithoutJumps) {
    const double m = GetParam();
    const double h = 0.0005;
    double previous = ReductionFactor2012(0.0, m);
    for (int n = 1; n <= 2000; ++n) {
        const double re = n * h;
        const double e = ReductionFactor2012(re, m);
        EXPECT_LE(e, previous + 1e-12) << "Re " << re;
        EXPECT_LT(previous - e, 0.002) << "Re " << re;
        EXPECT_LE(e, 1.0);
        previous = e;
    }
    EXPECT_NEAR(ReductionFactor2012(0.3 - 1e-7, m), ReductionFactor2012(0.3, m), 1e-6);
    EXPECT_NEAR(ReductionFactor2012(0.6 - 1e-7, m), ReductionFactor2012(0.6, m), 1e-6);
    // At 0.45 the two forms differ only by 3.33 standing for 10/3: less than 0.0004.
    EXPECT_NEAR(ReductionFactor2012(0.45 - 1e-7, m), ReductionFactor2012(0.45, m), 4e-4);
}

INSTANTIATE_TEST_SUITE_P(MeanFloorRatios, ReductionFactor2012Continuity,
                         ::testing::Values(1.5, 1.0, 0.7, 0.5, 0.3, 0.0));

// ---------------------------------------------------------------------------------------------
// Quarter method

TEST(QuarterReduction2012Test, HandWorked) {
    // Ratios 0.8 and 0.4: E1 = ((0.4 + 0.8) / 0.8) x 0.5 = 0.75, E2 = 0.4 x 1.5 = 0.6.
    EXPECT_DOUBLE_EQ(QuarterReduction2012(0.8, 0.4, 0), 0.75);
    EXPECT_DOUBLE_EQ(QuarterReduction2012(0.4, 0.8, 1), (0.75 + 0.6) / 2);
    EXPECT_DOUBLE_EQ(QuarterReduction2012(0.4, 0.8, 2), 0.6);
    // E2 is capped at 1.0: ratios 1.0 and 0.9 give E1 0.95, E2 1.0.
    EXPECT_DOUBLE_EQ(QuarterReduction2012(1.0, 0.9, 1), (0.95 + 1.0) / 2);
    // No wall in either strip: E1 = 1.0 and E2 = 0.
    EXPECT_DOUBLE_EQ(QuarterReduction2012(0.0, 0.0, 0), 1.0);
    EXPECT_DOUBLE_EQ(QuarterReduction2012(0.0, 0.0, 1), 0.5);
    EXPECT_DOUBLE_EQ(QuarterReduction2012(0.0, 0.0, 2), 0.0);
}

// Strip wall strengths for a required strength of 100 kN per strip; the ratio of the other
// editions is (25 + Qw) / 100.
struct QuarterCase {
    double qwLow, qwHigh;               // strips 0 and 1 (X direction)
    int floorMaterial, horizontalBrace; // floor class 0, 1 or 2 from the settings
    double e;
};

void PrintTo(const QuarterCase& c, std::ostream* os) {
    *os << "Qw " << c.qwLow << " / " << c.qwHigh << " material " << c.floorMaterial << " brace "
        << c.horizontalBrace;
}
class QuarterMethodTest : public FloorFixture, public ::testing::WithParamInterface<QuarterCase> {};

TEST_P(QuarterMethodTest, TableByStripClassesAndFloorClass) {
    const QuarterCase& c = GetParam();
    Doc.DiagnosisMethod = 2;
    Doc.FoundationFloorSpec.floorMaterial = c.floorMaterial;
    Doc.FoundationFloorSpec.horizontalBrace = c.horizontalBrace;
    for (int k = 0; k < QuarterStrips; ++k) ReqResult.QuarterRequiredStrength[0][0][k] = 100.0;
    rig.QuarterWallStrength[StripYLow][0][0] = c.qwLow;
    rig.QuarterWallStrength[StripYHigh][0][0] = c.qwHigh;
    rig.QuarterWallStrength[StripXLow][0][0] = 75.0; // Y direction balanced: classes 3 and 3
    rig.QuarterWallStrength[StripXHigh][0][0] = 75.0;
    Calc();
    for (int col = 0; col < ResultColumns; ++col) {
        EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorX[0][0][col], c.e) << "column " << col;
        EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorY[0][0][col], 1.0) << "column " << col;
    }
    EXPECT_DOUBLE_EQ(FloorRes.QuarterWallRatio[0][0][StripYLow], (25.0 + c.qwLow) / 100.0);
}

INSTANTIATE_TEST_SUITE_P(
    Strips, QuarterMethodTest,
    ::testing::Values(
        // Classes 0 (ratio 0.25) and 3 (1.0): 0.6, 0.45, 0.3 by floor class.
        QuarterCase{0.0, 75.0, 0, 0, 0.6}, QuarterCase{0.0, 75.0, 1, 1, 0.45},
        QuarterCase{0.0, 75.0, 1, 0, 0.3},
        // The same the other way round.
        QuarterCase{75.0, 0.0, 1, 1, 0.45},
        // Ratio 0.33 exactly is class 1, 0.329 class 0: against class 2 (0.66).
        QuarterCase{8.0, 41.0, 0, 0, 0.8}, QuarterCase{7.9, 41.0, 0, 0, 0.6},
        QuarterCase{8.0, 41.0, 1, 0, 0.75},
        // Equal classes on both sides: no reduction.
        QuarterCase{0.0, 0.0, 1, 0, 1.0}, QuarterCase{8.0, 9.0, 1, 1, 1.0},
        // Ratio 1.0 against 0.999 (classes 3 and 2).
        QuarterCase{75.0, 74.9, 1, 1, 1.0}));

TEST_F(FloorFixture, QuarterMethodWithoutStripRequiredStrengthGivesNoReduction) {
    Doc.DiagnosisMethod = 2;
    Doc.StoreyData.topStorey[0] = 1;
    // Values an earlier run left must not survive.
    for (int col = 0; col < ResultColumns; ++col) {
        FloorRes.ReductionFactorX[0][1][col] = 0.3;
        FloorRes.ReductionFactorY[0][1][col] = 0.3;
    }
    ReqResult.QuarterRequiredStrength[0][1][StripYLow] = 50.0; // the others are 0
    Calc();
    for (int f = 0; f < 2; ++f)
        for (int col = 0; col < ResultColumns; ++col) {
            EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorX[0][f][col], 1.0);
            EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorY[0][f][col], 1.0);
        }
}

TEST_F(FloorFixture, QuarterMethod2012ReadsTheStripWallStrengths) {
    Doc.DiagnosisMethod = 2;
    Doc.CriteriaEdition = 4;
    Doc.FoundationFloorSpec.floorMaterial = 1;
    Doc.FoundationFloorSpec.horizontalBrace = 1; // class II
    for (int k = 0; k < QuarterStrips; ++k) ReqResult.QuarterRequiredStrength[0][0][k] = 50.0;
    // X strips 20 and 40 kN -> ratios 0.4 and 0.8 -> E 0.675 (see QuarterReduction2012Test);
    // Y strips 0 and 0 -> E1 1.0, E2 0 -> 0.5.
    rig.QuarterWallStrength[StripYLow][0][0] = 20.0;
    rig.QuarterWallStrength[StripYHigh][0][0] = 40.0;
    Calc();
    EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorX[0][0][0], 0.675);
    EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorX[0][0][16], 0.675);
    EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorY[0][0][0], 0.5);
    EXPECT_DOUBLE_EQ(FloorRes.QuarterWallRatio[0][0][StripYHigh], 0.8);
}

// ---------------------------------------------------------------------------------------------
// Areas, sums and floor-check rows

TEST_F(FloorFixture, RatingsSumsAndMeanFloorRatio) {
    Doc.StoreyData.topStorey[0] = 1;
    // 1F: 3 x 2 m of rating 1.0 and 2 x 2 m of rating 0.3 (sugi boards):
    // area 10 m2, ratio area 6 + 1.2 = 7.2, mean 0.72.
    AddRect(0, 0, 0, 3, 2, 3);
    AddRect(0, 5, 2, 3, 0, 10); // corners in any order
    // 2F: a right triangle with 2 m legs, rating 2.0: area 2, ratio area 4.
    AddTri(1, 0, 0, 2, 0, 0, 2, 1);
    Calc();
    EXPECT_DOUBLE_EQ(FloorRes.FloorSpecRectResult[0][0][0].area, 6.0);
    EXPECT_DOUBLE_EQ(FloorRes.FloorSpecRectResult[0][0][1].ratioArea, 1.2);
    EXPECT_DOUBLE_EQ(FloorRes.FloorSpecAreaSum[0][0], 10.0);
    EXPECT_DOUBLE_EQ(FloorRes.FloorRatioAreaSum[0][0], 7.2);
    EXPECT_DOUBLE_EQ(FloorRes.MeanFloorRatio[0][0], 0.72);
    EXPECT_DOUBLE_EQ(FloorRes.FloorSpecTriResult[0][1][0].area, 2.0);
    EXPECT_DOUBLE_EQ(FloorRes.MeanFloorRatio[0][1], 2.0);
    // Precise method: 0.72 is class II, 2.0 class I.
    EXPECT_EQ(FloorRes.FloorClass[0][0], 1);
    EXPECT_EQ(FloorRes.FloorClass[0][1], 0);
}

TEST_F(FloorFixture, StoreyWithoutAreasIsClassThreeUnderThePreciseMethods) {
    FloorRes.MeanFloorRatio[0][0] = 1.5; // left from an earlier run
    Calc();
    EXPECT_EQ(FloorRes.FloorSpecAreaSum[0][0], 0.0);
    EXPECT_EQ(FloorRes.MeanFloorRatio[0][0], 0.0);
    EXPECT_EQ(FloorRes.FloorClass[0][0], 2);
    // The general methods take the class from the settings alone (all plywood: I).
    Doc.DiagnosisMethod = 1;
    Doc.FoundationFloorSpec.floorMaterial = 0;
    Calc();
    EXPECT_EQ(FloorRes.FloorClass[0][0], 0);
}

TEST_F(FloorFixture, RectangleLinesLowSideInBothRowsHighSideInNeither) {
    // x 1..4 (3 m), y 2..4 (2 m), rating 2.0.
    AddRect(0, 4, 4, 1, 2, 1);
    Calc();
    // Y lines 2 and 3 carry 2.0 x 3 m = 6 in rows 2 and 3; line 4 nothing.
    for (int member : {LineHoldCheck1X, LineHoldCheck2X}) {
        EXPECT_DOUBLE_EQ(Line(member, 0, 1), 0.0);
        EXPECT_DOUBLE_EQ(Line(member, 0, 2), 6.0);
        EXPECT_DOUBLE_EQ(Line(member, 0, 3), 6.0);
        EXPECT_DOUBLE_EQ(Line(member, 0, 4), 0.0);
    }
    // X lines 1, 2, 3 carry 2.0 x 2 m = 4 in rows 4 and 5; line 4 nothing.
    for (int member : {LineHoldCheck1Y, LineHoldCheck2Y}) {
        EXPECT_DOUBLE_EQ(Line(member, 0, 0), 0.0);
        EXPECT_DOUBLE_EQ(Line(member, 0, 1), 4.0);
        EXPECT_DOUBLE_EQ(Line(member, 0, 3), 4.0);
        EXPECT_DOUBLE_EQ(Line(member, 0, 4), 0.0);
    }
}

TEST_F(FloorFixture, TriangleEdgeOnAGridLineCountsInTheRowOfItsSide) {
    // Rating 2.0, legs of 2 m on x = 0 and y = 0, hypotenuse from (2, 0) to (0, 2).
    // Cuts along X lines: x = 0 is the leg, 2 m long; x = 1 cuts 1 m; x = 2 only the vertex.
    // The leg is the low side: row 4 gets 2 x 2 = 4 at line 0 and row 5 nothing there; line 1
    // counts in both rows (2 x 1 = 2).
    // Along Y lines the same by symmetry: y = 0 leg in row 2 only, y = 1 in both.
    AddTri(0, 0, 0, 2, 0, 0, 2, 1);
    // A second triangle, rating 1.0, the mirror with its vertical leg on the high side x = 9,
    // from (7, 5) to (9, 5) and (9, 3): x = 8 cuts 1 m (both rows), x = 9 the 2 m leg (row 5
    // only). Along Y its horizontal leg y = 5 is the high side: row 3 only; y = 4 cuts 1 m.
    AddTri(0, 7, 5, 9, 5, 9, 3, 3);
    Calc();
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1Y, 0, 0), 4.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2Y, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1Y, 0, 1), 2.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2Y, 0, 1), 2.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1Y, 0, 2), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2Y, 0, 2), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1X, 0, 0), 4.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2X, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1X, 0, 1), 2.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2X, 0, 1), 2.0);

    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1Y, 0, 7), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1Y, 0, 8), 1.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2Y, 0, 8), 1.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1Y, 0, 9), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2Y, 0, 9), 2.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1X, 0, 4), 1.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2X, 0, 4), 1.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck1X, 0, 5), 0.0);
    EXPECT_DOUBLE_EQ(Line(LineHoldCheck2X, 0, 5), 2.0);
}

TEST_F(FloorFixture, TriangleCutsOnUnevenGrid) {
    // Axes X 0, 0.91, 2.73 (a wide bay), 3.64; triangle (0, 0), (3, 0), (0, 1) on Y 0 / 1.82.
    Doc.AxisX[1] = 0.91;
    Doc.AxisX[2] = 2.73;
    Doc.AxisX[3] = 3.64;
    Doc.AxisY[1] = 1.82;
    AddTri(0, 0, 0, 3, 0, 0, 1, 1); // rating 2.0
    Calc();
    // The hypotenuse falls from 1.82 at x = 0 to 0 at x = 3.64: height 1.82 (1 - x / 3.64).
    // x = 0.91: 1.365 -> 2.73 in both rows; x = 2.73: 0.455 -> 0.91 in both rows.
    EXPECT_NEAR(Line(LineHoldCheck1Y, 0, 1), 2.73, 1e-12);
    EXPECT_NEAR(Line(LineHoldCheck2Y, 0, 2), 0.91, 1e-12);
    // Area 3.64 x 1.82 / 2 = 3.3124.
    EXPECT_NEAR(FloorRes.FloorSpecTriResult[0][0][0].area, 3.3124, 1e-12);
}

// ---------------------------------------------------------------------------------------------
// The void rule

struct VoidCase {
    const char* what;
    int code;
    int width; // m along X of a rectangle on the 2F, 2 m deep, or of a triangle's base
    int uniformFloor;
    int classBelow;           // class of both storeys
    int apexX = 0, apexY = 0; // the triangle's third corner; none: the rectangle
};
void PrintTo(const VoidCase& c, std::ostream* os) {
    *os << c.what;
}
class VoidRuleTest : public FloorFixture, public ::testing::WithParamInterface<VoidCase> {};

TEST_P(VoidRuleTest, VoidOnTheUpperStoreyRaisesItAndTheStoreysBelow) {
    const VoidCase& c = GetParam();
    Doc.DiagnosisMethod = 1;
    Doc.StoreyData.topStorey[0] = 1;
    Doc.FoundationFloorSpec.floorMaterial = 1;
    Doc.FoundationFloorSpec.horizontalBrace = 1; // base class II
    Doc.FoundationFloorSpec.uniformFloor = c.uniformFloor;
    AddRect(0, 0, 0, 10, 8, 1);
    if (c.apexY == 0)
        AddRect(1, 0, 0, c.width, 2, c.code);
    else
        AddTri(1, 0, 0, c.width, 0, c.apexX, c.apexY, c.code);
    Calc();
    EXPECT_EQ(FloorRes.FloorClass[0][1], c.classBelow) << c.what;
    EXPECT_EQ(FloorRes.FloorClass[0][0], c.classBelow) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Voids, VoidRuleTest,
                         ::testing::Values(VoidCase{"4 m void", 0, 4, 0, 2},
                                           VoidCase{"3 m void", 0, 3, 0, 1},
                                           VoidCase{"braced void", Brace(17, 0), 4, 0, 1},
                                           VoidCase{"one floor spec", 0, 4, 1, 1},
                                           // legs 3 m, hypotenuse 4.24 m
                                           VoidCase{"triangle with a long side", 0, 3, 0, 2, 0, 3},
                                           // sides 4 m, 2.24 m and 2.24 m
                                           VoidCase{"triangle with a 4 m side", 0, 4, 0, 2, 2, 1}));

TEST_F(FloorFixture, VoidOnTheFirstStoreyLeavesTheUpperStorey) {
    Doc.DiagnosisMethod = 1;
    Doc.StoreyData.topStorey[0] = 1;
    Doc.FoundationFloorSpec.floorMaterial = 0; // base class I
    AddRect(0, 0, 0, 4, 1, 0);
    Calc();
    EXPECT_EQ(FloorRes.FloorClass[0][1], 0);
    EXPECT_EQ(FloorRes.FloorClass[0][0], 1);
}

// ---------------------------------------------------------------------------------------------
// E by method and edition

TEST_F(FloorFixture, PreciseMethodFefTimesFep) {
    // Mean floor ratio 0.72 (see RatingsSumsAndMeanFloorRatio): class II.
    AddRect(0, 0, 0, 3, 2, 3);
    AddRect(0, 3, 0, 5, 2, 10);
    // Variant 0: ReX 0.35 (class 1) -> Fef 0.925, Fep 0.6 -> E = 0.555; ReY 0.1 -> Fef 1.0,
    // Fep 1.0 -> E 1.0. Variant 1 (columns 1..4): ReX 0.65 (class 2) -> Fef 0.85, Fep 0.5 ->
    // E 0.425. Variant 3 (columns 9..12): ReY 0.3 exactly (class 1) -> 0.925 x 0.8 = 0.74.
    SetEccentricity(0, 0.1, 0.1);
    rig.EccentricityRatioX[0][0][0] = 0.35;
    rig.EccentricityReductionX[0][0][0] = 0.6;
    rig.EccentricityRatioX[0][0][1] = 0.65;
    rig.EccentricityReductionX[0][0][1] = 0.5;
    rig.EccentricityRatioY[0][0][3] = 0.3;
    rig.EccentricityReductionY[0][0][3] = 0.8;
    for (int method : {0, 3}) {
        Doc.DiagnosisMethod = method;
        Calc();
        EXPECT_DOUBLE_EQ(FloorRes.FloorReductionX[0][0][0], 0.925);
        EXPECT_NEAR(FloorRes.ReductionFactorX[0][0][0], 0.555, 1e-12);
        EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorY[0][0][0], 1.0);
        EXPECT_DOUBLE_EQ(FloorRes.FloorReductionX[0][0][1], 0.85);
        for (int col = 1; col <= 4; ++col)
            EXPECT_NEAR(FloorRes.ReductionFactorX[0][0][col], 0.425, 1e-12);
        EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorX[0][0][5], 1.0); // variant 2: ReX 0.1
        EXPECT_DOUBLE_EQ(FloorRes.FloorReductionY[0][0][3], 0.925);
        EXPECT_NEAR(FloorRes.ReductionFactorY[0][0][12], 0.74, 1e-12);
    }
}

TEST_F(FloorFixture, GeneralDetailedMethodTableA) {
    Doc.DiagnosisMethod = 1;
    Doc.FoundationFloorSpec.floorMaterial = 1;
    Doc.FoundationFloorSpec.horizontalBrace = 0; // class III
    SetEccentricity(0, 0.45, 0.6);
    Calc();
    EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorX[0][0][7], 0.3); // III, class 1
    EXPECT_DOUBLE_EQ(FloorRes.ReductionFactorY[0][0][7], 0.3); // III, class 2
    EXPECT_DOUBLE_EQ(FloorRes.FloorReductionX[0][0][0], 0.0);  // no Fef in this method
}

TEST_F(FloorFixture, Revision2012AppliesToBothPreciseVariantsAndTheDetailedMethod) {
    Doc.CriteriaEdition = 4;
    AddRect(0, 0, 0, 2, 2, 6); // rating 0.7: mean 0.7
    // ReX 0.35 with 0.5 <= m < 1: (2.3 - 0.35) / (2 x 1.6655) = 0.585410; ReY 0.5: 0.45.
    SetEccentricity(0, 0.35, 0.5, 0.3, 0.3);
    for (int method : {0, 1, 3}) {
        Doc.DiagnosisMethod = method;
        FloorRes.FloorReductionX[0][0][0] = 0.9; // left by a run under another edition
        Calc();
        EXPECT_NEAR(FloorRes.ReductionFactorX[0][0][0], 1.95 / 3.331, 1e-12) << method;
        EXPECT_NEAR(FloorRes.ReductionFactorY[0][0][16], 0.45, 1e-12) << method;
        EXPECT_DOUBLE_EQ(FloorRes.FloorReductionX[0][0][0], 0.0) << method;
    }
}

// A run writes the storeys of the current scenario and clears those above its top that a run
// before wrote; the other scenarios keep theirs.
TEST_F(FloorFixture, OnlyTheCurrentScenarioAndItsStoreysAreWritten) {
    App.CurrentScenario = 1;
    Doc.StoreyData.topStorey[1] = 1; // a run of two storeys before
    Calc();
    Doc.StoreyData.topStorey[1] = 0;
    AddRect(0, 0, 0, 1, 1, 1, 1);
    FloorRes.MeanFloorRatio[0][0] = 7.0;
    FloorRes.MeanFloorRatio[1][1] = 7.0; // as the run before might have left it
    Calc();
    EXPECT_DOUBLE_EQ(FloorRes.MeanFloorRatio[1][0], 2.0);
    EXPECT_DOUBLE_EQ(FloorRes.MeanFloorRatio[0][0], 7.0);
    EXPECT_DOUBLE_EQ(FloorRes.MeanFloorRatio[1][1], 0.0);
}

TEST_F(FloorFixture, DamagedCountsAndIndicesStayInsideTheTables) {
    Doc.FloorSpecRectCount[0][0] = 5000;
    Doc.FloorSpecTriCount[0][0] = -3;
    for (int n = 0; n < MaxFloorSpecRects; ++n)
        Doc.FloorSpecRects[0][0][n] = {-7, 250, 1000, -1, 1 << 30};
    Calc();
    EXPECT_TRUE(std::isfinite(FloorRes.MeanFloorRatio[0][0]));
    EXPECT_TRUE(std::isfinite(FloorRes.ReductionFactorX[0][0][0]));
}

} // namespace
