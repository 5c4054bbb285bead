// Required strength and centre of gravity, checked against values worked out by hand from the
// method's formulas on a 1 m grid (axis i at i metres). Plan Y grows downward; centroids are
// measured upward from the first main Y axis.
#include "calc/RequiredStrength.h"
#include "calc/FloorCheck.h"
#include "calc/MethodTables.h"
#include "model/Cp932.h"
#include "reports/RequiredReport.h"
#include "support/RequiredStrengthFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace reqfix;

namespace {

constexpr double Tol = 1e-9;

class RequiredStrengthTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetHouse();
        Grid.FirstMainAxisX = 0;
        Grid.FirstMainAxisY = 10; // y = 10 m is the origin; y below it (on the plan) is upward
    }
    CalcNoticeList Run() {
        CalcNoticeList notices;
        CalcRequiredStrength(notices);
        return notices;
    }
    const RequiredStrengthResults& R = ReqResult;
};

// ---------------------------------------------------------------- areas and sums

TEST_F(RequiredStrengthTest, RectangleAreasByKind) {
    AddRect(0, 0, 0, 0, 4, 3, Floor);   // 4 x 3 = 12
    AddRect(0, 0, 6, 0, 4, 1, Balcony); // corners unsorted: 2 x 1 = 2
    AddRect(0, 0, 0, 0, 2, 2, Attic);   // 2 x 2 = 4
    Run();
    const auto& floor = R.RoofFloorRectResult[0][0][0];
    EXPECT_NEAR(floor.area, 12.0, Tol);
    EXPECT_NEAR(floor.floorArea, 12.0, Tol);
    EXPECT_NEAR(floor.factoredArea, 12.0, Tol);
    EXPECT_NEAR(floor.cityWeightedArea, 42.0, Tol); // 12 x 3.5
    EXPECT_NEAR(floor.centroidX, 2.0, Tol);         // (0 + 4) / 2 - 0
    EXPECT_NEAR(floor.centroidY, 8.5, Tol);         // 10 - (0 + 3) / 2
    EXPECT_NEAR(floor.momentX, 24.0, Tol);          // 12 x 2
    EXPECT_NEAR(floor.cityMomentY, 357.0, Tol);     // 42 x 8.5

    const auto& balcony = R.RoofFloorRectResult[0][0][1];
    EXPECT_NEAR(balcony.area, 2.0, Tol);
    EXPECT_NEAR(balcony.floorArea, 2.0, Tol);
    EXPECT_NEAR(balcony.factoredArea, 0.8, Tol);     // 2 x 0.4
    EXPECT_NEAR(balcony.cityWeightedArea, 2.8, Tol); // 2 x 1.4
    EXPECT_NEAR(balcony.centroidX, 5.0, Tol);

    const auto& attic = R.RoofFloorRectResult[0][0][2];
    EXPECT_NEAR(attic.floorArea, 0.0, Tol);
    EXPECT_NEAR(attic.factoredArea, 2.68, Tol); // 4 x 0.67

    EXPECT_NEAR(R.PlanFloorArea[0][0], 14.0, Tol);    // 12 + 2 + 0
    EXPECT_NEAR(R.DesignFloorArea[0][0], 15.48, Tol); // 12 + 0.8 + 2.68
    EXPECT_NEAR(R.WeightedAreaSum[0][0], 15.48, Tol);
    EXPECT_NEAR(R.CityWeightedAreaSum[0][0], 49.6, Tol); // 42 + 2.8 + 4.8
    // A0 no roofs; A1 = floor 12 + attic floor area 0; A2 = 12 + 0.8 + 2.68.
    EXPECT_NEAR(R.WeightAreaSums[0][0][WeightRoofArea], 0.0, Tol);
    EXPECT_NEAR(R.WeightAreaSums[0][0][WeightWallArea], 12.0, Tol);
    EXPECT_NEAR(R.WeightAreaSums[0][0][WeightFloorArea], 15.48, Tol);
}

TEST_F(RequiredStrengthTest, ApproximateMethodCountsBalconyWholeAndAtticNot) {
    Doc.DiagnosisMethod = 2;
    AddRect(0, 0, 0, 0, 4, 3, Floor);
    AddRect(0, 0, 4, 0, 6, 1, Balcony);
    AddRect(0, 0, 0, 0, 2, 2, Attic);
    Run();
    // 12 + 2 x 1.0 + 4 x 0
    EXPECT_NEAR(R.DesignFloorArea[0][0], 14.0, Tol);
    // The floor check's strips still use the general factors: the balcony's band between
    // Y axes 0 and 1 is 1 x 2 x 0.4 = 0.8, plus the floor's 1 x 4 and attic's 1 x 2 x 0.67.
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaX][0][0][0], 0.8 + 4.0 + 1.34, Tol);
}

TEST_F(RequiredStrengthTest, TriangleAreaCentroidAndRoofSums) {
    // Right triangle with legs 4 (X) and 3 (Y): area 6, centroid (4/3, 1) on the plan.
    AddTri(0, 0, 0, 0, 4, 0, 0, 3, Floor);
    // Roof triangle with legs 2 and 2: area 2; roof rectangle 2 x 3 = 6.
    AddTri(0, 0, 5, 0, 7, 0, 5, 2, LightRoof);
    AddRect(0, 0, 8, 0, 10, 3, HeavyRoof);
    Run();
    const auto& tri = R.RoofFloorTriResult[0][0][0];
    EXPECT_NEAR(tri.area, 6.0, Tol);
    EXPECT_NEAR(tri.centroidX, 4.0 / 3.0, Tol);
    EXPECT_NEAR(tri.centroidY, 9.0, Tol); // 10 - 1
    EXPECT_NEAR(R.RoofFloorTriResult[0][0][1].area, 2.0, Tol);
    // A0 = roof triangle 2 + roof rectangle 6; A1 = floor triangle 6 + roof rectangle 6 (the
    // roof triangle carries no walls); A2 = floor triangle 6.
    EXPECT_NEAR(R.WeightAreaSums[0][0][WeightRoofArea], 8.0, Tol);
    EXPECT_NEAR(R.WeightAreaSums[0][0][WeightWallArea], 12.0, Tol);
    EXPECT_NEAR(R.WeightAreaSums[0][0][WeightFloorArea], 6.0, Tol);
    EXPECT_NEAR(R.PlanFloorArea[0][0], 14.0, Tol);
}

TEST_F(RequiredStrengthTest, FloorCheckBandsSplitTrianglesBetweenAxes) {
    // Triangle x + y <= 4 (vertices (0,0), (4,0), (0,4)). Between X axes i and i+1 it holds
    // the integral of (4 - x) over [i, i+1] = 4 - (i + 0.5): 3.5, 2.5, 1.5, 0.5; by symmetry
    // the same between Y axes.
    AddTri(0, 1, 0, 0, 4, 0, 0, 4, Floor);
    // Balcony 2 x 3 at X 10..12, Y 0..3: each Y band 1 x 2 x 0.4 = 0.8, each X band
    // 1 x 3 x 0.4 = 1.2.
    AddRect(0, 1, 10, 0, 12, 3, Balcony);
    Doc.StoreyData.topStorey[0] = 1;
    Run();
    const double expectedTri[4] = {3.5, 2.5, 1.5, 0.5};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaY][0][1][i], expectedTri[i], Tol)
            << i;
    }
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaX][0][1][0], 3.5 + 0.8, Tol);
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaX][0][1][3], 0.5, Tol);
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaY][0][1][10], 1.2, Tol);
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaY][0][1][11], 1.2, Tol);
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaY][0][1][12], 0.0, Tol);
    // Band Y 2..3: triangle 1.5 + balcony 0.8.
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaX][0][1][2], 2.3, Tol);
}

TEST_F(RequiredStrengthTest, EveryRunStartsTheFloorCheckTablesAfresh) {
    // A bigger plan in another scenario and storey, then a smaller one: nothing of the bigger
    // one's strips is left, and two runs do not add up (1 x 2 once).
    AddRect(1, 2, 0, 0, 60, 50, Floor);
    AddTri(2, 1, 0, 0, 70, 0, 0, 40, Floor);
    Run();
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaY][1][2][59], 50.0, Tol);
    Doc.RoofFloorRectCount[1][2] = 0;
    Doc.RoofFloorTriCount[2][1] = 0;
    AddRect(0, 0, 0, 0, 2, 1, Floor);
    Run();
    Run();
    for (int s = 1; s < 3; ++s)
        for (const auto& member : FloorCheck.FloorCheckLineTables)
            for (const auto& storey : member[s])
                for (double v : storey) EXPECT_EQ(v, 0.0);
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaX][0][0][0], 2.0, Tol);
}

TEST_F(RequiredStrengthTest, AreaPhaseRunsForEveryScenario) {
    App.CurrentScenario = 0;
    AddRect(2, 0, 0, 0, 3, 3, Floor);
    ReqResult.RequiredStrength[2][0] = 0.0; // not what an earlier test's diagnosis left
    Run();
    EXPECT_NEAR(R.PlanFloorArea[2][0], 9.0, Tol);
    EXPECT_NEAR(R.GravityCentreX[2][0], 1.5, Tol);
    EXPECT_NEAR(FloorCheck.FloorCheckLineTables[LineStripAreaX][2][0][1], 3.0, Tol);
    // The required strength is only for the scenario on screen.
    EXPECT_EQ(R.RequiredStrength[2][0], 0.0);
}

// ---------------------------------------------------------------- centre of gravity

class GravityCentreTest : public RequiredStrengthTest {
protected:
    void SetUp() override {
        RequiredStrengthTest::SetUp();
        Doc.StoreyData.topStorey[0] = 1;
        AddRect(0, 0, 0, 0, 6, 4, Floor); // 1F: 24 m2, centroid (3, 10 - 2 = 8)
        AddRect(0, 1, 0, 0, 4, 2, Floor); // 2F: 8 m2, centroid (2, 10 - 1 = 9)
    }
};

TEST_F(GravityCentreTest, TwoStoreysWeightedByTheTable) {
    // Light building, two storeys: q = 2.15 for the 1F, 1.43 for the 2F.
    // 1F: Xg = (24 x 3 x 2.15 + 8 x 2 x 1.43) / (24 x 2.15 + 8 x 1.43)
    //        = (154.8 + 22.88) / (51.6 + 11.44) = 177.68 / 63.04 = 2.8185279
    //     Yg = (24 x 8 x 2.15 + 8 x 9 x 1.43) / 63.04 = (412.8 + 102.96) / 63.04 = 8.1814721
    Run();
    EXPECT_NEAR(R.GravityCentreX[0][0], 177.68 / 63.04, 1e-9);
    EXPECT_NEAR(R.GravityCentreY[0][0], 515.76 / 63.04, 1e-9);
    // 2F alone: its own centroid.
    EXPECT_NEAR(R.GravityCentreX[0][1], 2.0, Tol);
    EXPECT_NEAR(R.GravityCentreY[0][1], 9.0, Tol);
    EXPECT_EQ(R.GravityCentreX[0][2], 0.0);
}

TEST_F(GravityCentreTest, CityWeightingIgnoresAreasAboveTheTopStorey) {
    App.Options.CityCentreOfGravity = 1;
    AddRect(0, 2, 20, 0, 22, 2, Floor); // left on the 3F of a two-storey house
    // Floors weigh 3.5 per m2: 1F Xg = (84 x 3 + 28 x 2) / (84 + 28) = 308 / 112 = 2.75,
    // Yg = (84 x 8 + 28 x 9) / 112 = 924 / 112 = 8.25.
    Run();
    EXPECT_NEAR(R.GravityCentreX[0][0], 2.75, Tol);
    EXPECT_NEAR(R.GravityCentreY[0][0], 8.25, Tol);
    EXPECT_EQ(R.GravityCentreX[0][2], 0.0);
}

TEST_F(RequiredStrengthTest, StoreyWithoutAreasHasNoCentreAndNoStrength) {
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 1, 0, 0, 4, 4, Floor); // 2F only: centre (2, 10 - 2 = 8)
    Run();
    EXPECT_EQ(R.PlanFloorArea[0][0], 0.0);
    // The 1F has no element of its own: it gets no centre of gravity, (0, 0) meaning none,
    // although the 2F above it has one.
    EXPECT_EQ(R.GravityCentreX[0][0], 0.0);
    EXPECT_EQ(R.GravityCentreY[0][0], 0.0);
    EXPECT_NEAR(R.GravityCentreX[0][1], 2.0, Tol);
    EXPECT_NEAR(R.GravityCentreY[0][1], 8.0, Tol);
    EXPECT_EQ(R.RequiredStrength[0][0], 0.0); // K factors 0 with no 1F area
    EXPECT_EQ(R.RequiredStrengthFactors.k1, 0.0);

    // An element of any kind makes the storey count: a largest rectangle alone (factored area
    // 0) leaves the 1F sum of the 2F's 16 m2 x 1.43 over 16 m2 x 1.43: centre (2, 8).
    AddRect(0, 0, 0, 0, 6, 6, Largest);
    Run();
    EXPECT_NEAR(R.GravityCentreX[0][0], 2.0, Tol);
    EXPECT_NEAR(R.GravityCentreY[0][0], 8.0, Tol);
}

// ---------------------------------------------------------------- extents and shape factors

TEST_F(RequiredStrengthTest, QuarterLinesFromTheExtent) {
    AddRect(0, 0, 2, 3, 10, 7, Floor);            // X 2..10, Y 3..7
    AddTri(0, 0, 10, 3, 14, 3, 10, 7, HeavyRoof); // widens X to 14
    AddRect(0, 0, 0, 0, 20, 20, Balcony);         // balconies never count
    AddRect(0, 0, 30, 30, 31, 31, Attic);         // nor attic storage
    Run();
    const double* l = R.QuarterLines[0][0];
    // dx = 12, dy = 4
    EXPECT_NEAR(l[LineYMin], 3.0, Tol);
    EXPECT_NEAR(l[LineYMinQuarter], 4.0, Tol);
    EXPECT_NEAR(l[LineYMaxQuarter], 6.0, Tol);
    EXPECT_NEAR(l[LineYMax], 7.0, Tol);
    EXPECT_NEAR(l[LineXMin], 2.0, Tol);
    EXPECT_NEAR(l[LineXMinQuarter], 5.0, Tol);
    EXPECT_NEAR(l[LineXMaxQuarter], 11.0, Tol);
    EXPECT_NEAR(l[LineXMax], 14.0, Tol);
    EXPECT_NEAR(R.ShortSideLength[0][0], 4.0, Tol);
}

TEST_F(RequiredStrengthTest, LargestRectangleGivesTheShortSideAndNoArea) {
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 0, 0, 0, 10, 10, Floor);
    AddRect(0, 1, 0, 0, 10, 10, Floor);
    AddRect(0, 1, 8, 0, 5, 5, Largest); // 3 x 5: short side 3
    Run();
    EXPECT_EQ(R.LargestRectangleFlag[0][1], 1);
    EXPECT_EQ(R.LargestRectangleFlag[0][0], 0);
    EXPECT_NEAR(R.ShortSideLength[0][1], 3.0, Tol);
    EXPECT_NEAR(R.PlanFloorArea[0][1], 100.0, Tol);
    EXPECT_NEAR(R.DesignFloorArea[0][1], 100.0, Tol);
    // 3 < 4 gives 1.3 on the 2F, which the 1F takes over.
    EXPECT_NEAR(R.ShapeFactor[0][0], 1.3, Tol);
    EXPECT_NEAR(R.ShapeFactor[0][1], 1.0, Tol);
}

struct ShapeCase {
    const char* name;
    int method;
    int edition;
    int top;
    int side[3]; // square storeys of this side (0: no areas)
    double expected[3];
};

class ShapeFactorTest : public RequiredStrengthTest,
                        public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapeFactorTest, OwnFactorAndHandDown) {
    const ShapeCase& c = GetParam();
    Doc.DiagnosisMethod = c.method;
    Doc.CriteriaEdition = c.edition;
    Doc.StoreyData.topStorey[0] = c.top;
    for (int f = 0; f < 3; ++f)
        if (c.side[f] > 0) AddRect(0, f, 0, 0, c.side[f], c.side[f], Floor);
    Run();
    for (int f = 0; f < 3; ++f) EXPECT_NEAR(R.ShapeFactor[0][f], c.expected[f], Tol) << f;
}

// Methods 0, 1: own factor 1.3 below 4 m, 1.15 below 6 m. Method 2: 1.13 below 4 m (1.2 in the
// 2012 revision). Storeys above the top keep 1.0.
INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeFactorTest,
    ::testing::Values(
        // One storey: always 1.0 under methods 0 and 1.
        ShapeCase{"OneStoreyNarrow", 0, 0, 0, {3, 0, 0}, {1.0, 1.0, 1.0}},
        // Two storeys: the 1F takes the 2F's factor, whatever its own.
        ShapeCase{"TwoUpperNarrow", 0, 0, 1, {10, 5, 0}, {1.15, 1.0, 1.0}},
        ShapeCase{"TwoLowerNarrowOnly", 1, 0, 1, {3, 10, 0}, {1.0, 1.0, 1.0}},
        ShapeCase{"FourMetresIsNotBelowFour", 0, 0, 1, {10, 4, 0}, {1.15, 1.0, 1.0}},
        ShapeCase{"SixMetresIsNotBelowSix", 0, 0, 1, {10, 6, 0}, {1.0, 1.0, 1.0}},
        // An empty 2F has no short side: factor 1.0, handed down as 1.0.
        ShapeCase{"TwoUpperEmpty", 0, 0, 1, {10, 0, 0}, {1.0, 1.0, 1.0}},
        ShapeCase{"TwoUpperEmptyLowerNarrow", 0, 0, 1, {3, 0, 0}, {1.0, 1.0, 1.0}},
        // Three storeys: 3F 1.3 raises the 2F to max(1.15, 1.3) and the 1F follows; the 2F
        // keeps it.
        ShapeCase{"ThreeTopNarrow", 0, 0, 2, {10, 5, 3}, {1.3, 1.3, 1.0}},
        // 3F 1.0: the 1F takes the 2F's 1.15, the 2F drops to 1.0.
        ShapeCase{"ThreeMiddleNarrow", 0, 0, 2, {3, 5, 10}, {1.15, 1.0, 1.0}},
        // Neither upper storey raised: the 1F keeps its own factor.
        ShapeCase{"ThreeOnlyLowerNarrow", 0, 0, 2, {3, 10, 10}, {1.3, 1.0, 1.0}},
        // Method 2: own factors, only the top storey set to 1.0.
        ShapeCase{"ApproxTwo", 2, 0, 1, {3, 3, 0}, {1.13, 1.0, 1.0}},
        ShapeCase{"Approx2012", 2, 4, 1, {3, 3, 0}, {1.2, 1.0, 1.0}},
        ShapeCase{"ApproxFiveMetres", 2, 0, 1, {5, 3, 0}, {1.0, 1.0, 1.0}},
        // Method 3: own factors (methods-0 thresholds), top storey 1.0.
        ShapeCase{"WeightsThree", 3, 0, 2, {5, 3, 3}, {1.15, 1.3, 1.0}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- general method

struct KCase {
    const char* name;
    int weightClass;
    int side1X, side1Y, side2X, side2Y; // rectangles of the 1F and 2F
    double k1, k2, rf1;
};

class TwoStoreyKTest : public RequiredStrengthTest, public ::testing::WithParamInterface<KCase> {};

TEST_P(TwoStoreyKTest, FactorsAndUnits) {
    const KCase& c = GetParam();
    Doc.StoreyData.topStorey[0] = 1;
    Doc.StoreyData.weightClass[0] = c.weightClass;
    if (c.side1X > 0) AddRect(0, 0, 0, 0, c.side1X, c.side1Y, Floor);
    AddRect(0, 1, 0, 0, c.side2X, c.side2Y, Floor);
    Run();
    const auto& k = R.RequiredStrengthFactors;
    EXPECT_NEAR(k.rf1, c.rf1, Tol);
    EXPECT_NEAR(k.k1, c.k1, Tol);
    EXPECT_NEAR(k.k2, c.k2, Tol);
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], ReqStrengthBaseTwoStorey[0][c.weightClass] * c.k1,
                Tol);
    EXPECT_NEAR(R.UnitRequiredStrength[0][1], ReqStrengthBaseTwoStorey[1][c.weightClass] * c.k2,
                Tol);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwoStoreyKTest,
    ::testing::Values(
        // rf1 = 8 / 24 = 1/3: K1 = 0.6 / 3 + 0.4 = 0.6, K2 = 0.11 x 3 + 1.19 = 1.52.
        KCase{"Light", 0, 6, 4, 4, 2, 0.6, 1.52, 1.0 / 3.0},
        // Very heavy, rf1 = 12 / 24 = 0.5: K1 = 0.47 x 0.5 + 0.53 = 0.765,
        // K2 = 0.15 / 0.5 + 1.06 = 1.36.
        KCase{"VeryHeavy", 2, 6, 4, 4, 3, 0.765, 1.36, 0.5},
        // rf1 = 4 / 100 = 0.04, raised to 0.1: K1 = 0.06 + 0.4 = 0.46, K2 = 1.1 + 1.19 = 2.29.
        KCase{"SmallUpperRaised", 1, 10, 10, 2, 2, 0.46, 2.29, 0.1},
        // No 1F area: K1 = K2 = 0, nothing divided.
        KCase{"NoFirstStorey", 0, 0, 0, 4, 2, 0.0, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequiredStrengthTest, TwoStoreyRequiredStrength) {
    // 1F 6 x 4 = 24, 2F 4 x 2 = 8, light: K1 0.6, K2 1.52 (see the K cases).
    // Shape: 1F short side 4 -> 1.15, 2F 2 -> 1.3; the 1F takes 1.3, the 2F gets 1.0.
    // Qr 1F = 0.72 x 0.6 x 1.3 x 24 = 13.4784; Qr 2F = 0.28 x 1.52 x 1.0 x 8 = 3.4048.
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 0, 0, 0, 6, 4, Floor);
    AddRect(0, 1, 0, 0, 4, 2, Floor);
    Run();
    EXPECT_NEAR(R.RequiredStrength[0][0], 13.4784, 1e-9);
    EXPECT_NEAR(R.RequiredStrength[0][1], 3.4048, 1e-9);
    EXPECT_EQ(R.RequiredStrength[0][2], 0.0);
}

TEST_F(RequiredStrengthTest, SnowZoneSoftGroundAndMixedStructureMultiply) {
    // One storey 10 x 10, heavy: unit 0.40; snow 0.26, Z 0.9, markedly soft (8 -> row 1),
    // steel mixed structure (2). Qr = (0.40 + 0.26) x 0.9 x soft x mixed x 100.
    Doc.StoreyData.weightClass[0] = 1;
    Doc.BuildingData.snowLoadTerm = 0.26;
    Doc.BuildingData.zoneFactorZ = 0.9;
    Doc.GroundFoundationSurvey.groundClass = 8;
    Doc.BuildingData.mixedStructure = 2;
    AddRect(0, 0, 0, 0, 10, 10, Floor);
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 0.40, Tol);
    EXPECT_NEAR(R.RequiredStrength[0][0],
                0.66 * 0.9 * SoftGroundFactors[1] * MixedStructureFactors[2] * 100.0, 1e-9);
}

struct ThreeKCase {
    const char* name;
    int weightClass;
    double k3, k4, k5, k6;
    // The K4 formula as the report prints it: K4 = a + b Rf2.
    double k4a, k4b;
};

// The number at the end of the first line of the required-strength report that starts with
// `start` (NaN when there is none).
double PrintedValue(const std::string& start) {
    for (const ReportLine& line : BuildRequiredReport().after.lines) {
        const std::string text = cp932::toUtf8(line.text);
        if (text.compare(0, start.size(), start) != 0) continue;
        const std::size_t last = text.find_last_of(" 　＝") + 1;
        return std::strtod(text.c_str() + last, nullptr);
    }
    return std::nan("");
}

class ThreeStoreyKTest : public RequiredStrengthTest,
                         public ::testing::WithParamInterface<ThreeKCase> {};

TEST_P(ThreeStoreyKTest, FactorsAndUnits) {
    // 1F 10 x 10 = 100, 2F 10 x 5 = 50, 3F 5 x 2 = 10: rf1 = 0.5, rf2 = 0.2 (unequal, so a
    // swap of the two shows).
    const ThreeKCase& c = GetParam();
    Doc.StoreyData.topStorey[0] = 2;
    Doc.StoreyData.weightClass[0] = c.weightClass;
    AddRect(0, 0, 0, 0, 10, 10, Floor);
    AddRect(0, 1, 0, 0, 10, 5, Floor);
    AddRect(0, 2, 0, 0, 5, 2, Floor);
    Run();
    const auto& k = R.RequiredStrengthFactors;
    EXPECT_NEAR(k.rf1, 0.5, Tol);
    EXPECT_NEAR(k.rf2, 0.2, Tol);
    EXPECT_NEAR(k.k3, c.k3, Tol);
    EXPECT_NEAR(k.k4, c.k4, Tol);
    EXPECT_NEAR(k.k5, c.k5, Tol);
    EXPECT_NEAR(k.k6, c.k6, Tol);
    const int w = c.weightClass;
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], ReqStrengthBaseThreeStorey[0][w] * c.k3, Tol);
    EXPECT_NEAR(R.UnitRequiredStrength[0][1], ReqStrengthBaseThreeStorey[1][w] * c.k4 * c.k5, Tol);
    EXPECT_NEAR(R.UnitRequiredStrength[0][2], ReqStrengthBaseThreeStorey[2][w] * c.k6, Tol);

    // The report prints what the calculation used: its K4 line is its own formula applied to
    // the Rf2 it prints, and the 2F's unit is the table times the K4 and K5 it prints.
    const double rf2 = PrintedValue("　　　　　　　　　 Ｒf2 ＝");
    const double k4 = PrintedValue("　　　　　　　　　　Ｋ4 ＝");
    const double k5 = PrintedValue("　　　　　　　　　　Ｋ5 ＝");
    EXPECT_NEAR(rf2, 0.2, 1e-12);
    EXPECT_NEAR(k4, c.k4a + c.k4b * rf2, 0.0005);
    EXPECT_NEAR(k4, c.k4, 0.0005);
    EXPECT_NEAR(PrintedValue("床面積当り必要耐力　２階"),
                ReqStrengthBaseThreeStorey[1][w] * k4 * k5,
                0.0005 * ReqStrengthBaseThreeStorey[1][w] * (k4 + k5) + 0.0005);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThreeStoreyKTest,
                         ::testing::Values(
                             // K3 = (0.25 + 0.375)(0.65 + 0.07) = 0.45; K4 = 0.4 + 0.6 Rf2 =
                             // 0.52; K5 = 1.03 + 0.2 + 0.4 = 1.63; K6 = 1.23 + 0.2 + 1.15 = 2.58.
                             ThreeKCase{"Light", 0, 0.45, 0.52, 1.63, 2.58, 0.40, 0.60},
                             // K3 = (0.36 + 0.32)(0.68 + 0.064) = 0.50592; K4 = 0.53 + 0.47 Rf2
                             // = 0.624; K5 = 0.98 + 0.2 + 0.25 = 1.43; K6 = 1.04 + 0.26 + 1.2 =
                             // 2.5.
                             ThreeKCase{"VeryHeavy", 2, 0.50592, 0.624, 1.43, 2.5, 0.53, 0.47}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- quarter strips

TEST_F(RequiredStrengthTest, QuarterStripsTwoStoreysUpperOnHalf) {
    // Method 2, light. 1F 8 x 8 (lines Y 0, 2, 6, 8; X 0, 2, 6, 8); the 2F covers Y 0..4 only.
    // The 1F's Y-high strip (Y 6..8) lies beyond the 2F's Y max 4: it takes the one-storey
    // value 0.28; the others keep the 1F's 0.83. All shape factors 1.0 (short sides 8 and 4).
    Doc.DiagnosisMethod = 2;
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 8, 4, Floor);
    Run();
    for (int q = 0; q < 4; ++q) EXPECT_NEAR(R.QuarterFloorArea[0][0][q], 16.0, Tol) << q;
    EXPECT_NEAR(R.QuarterFloorArea[0][1][StripYLow], 8.0, Tol);  // 8 x 1
    EXPECT_NEAR(R.QuarterFloorArea[0][1][StripXHigh], 8.0, Tol); // 2 x 4
    const double* unit = R.QuarterUnitRequiredStrength[0][0];
    EXPECT_NEAR(unit[StripYLow], 0.83, Tol);
    EXPECT_NEAR(unit[StripYHigh], 0.28, Tol);
    EXPECT_NEAR(unit[StripXLow], 0.83, Tol);
    EXPECT_NEAR(unit[StripXHigh], 0.83, Tol);
    // Qr 1F = 0.83 x 64 = 53.12; strips 0.83 x 16 = 13.28 and 0.28 x 16 = 4.48.
    EXPECT_NEAR(R.RequiredStrength[0][0], 53.12, 1e-9);
    EXPECT_NEAR(R.QuarterRequiredStrength[0][0][StripYHigh], 4.48, 1e-9);
    EXPECT_NEAR(R.QuarterRequiredStrength[0][0][StripXLow], 13.28, 1e-9);
    // 2F: 0.37 x 32 = 11.84; strips 0.37 x 8 = 2.96.
    EXPECT_NEAR(R.RequiredStrength[0][1], 11.84, 1e-9);
    EXPECT_NEAR(R.QuarterRequiredStrength[0][1][StripYLow], 2.96, 1e-9);
    // Method 2 has no K factors.
    EXPECT_EQ(R.RequiredStrengthFactors.k1, 0.0);
}

TEST_F(RequiredStrengthTest, QuarterStripsThreeStoreys) {
    // Method 2, light. 1F and 2F 8 x 8, the 3F covers Y 0..4. 2F Y-high strip lies beyond the
    // 3F: 2F value of two storeys 0.37 (others 0.98). 1F Y-high: the 2F strip above it is
    // beyond the 3F, so the 1F value of two storeys 0.83; not beyond the 2F. Others 1.34.
    Doc.DiagnosisMethod = 2;
    Doc.StoreyData.topStorey[0] = 2;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 8, 8, Floor);
    AddRect(0, 2, 0, 0, 8, 4, Floor);
    Run();
    EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][1][StripYHigh], 0.37, Tol);
    EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][1][StripYLow], 0.98, Tol);
    EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][0][StripYHigh], 0.83, Tol);
    EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][0][StripXLow], 1.34, Tol);
    EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][2][StripYHigh], 0.43, Tol);
}

TEST_F(RequiredStrengthTest, UpperStoreyWithoutAreasLeavesEveryStripOneStorey) {
    Doc.DiagnosisMethod = 2;
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    Run();
    for (int q = 0; q < 4; ++q) EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][0][q], 0.28, Tol) << q;
    EXPECT_EQ(R.RequiredStrength[0][1], 0.0);
}

TEST_F(RequiredStrengthTest, QuarterAreasOnlyForEnclosedAreasAndWholeTriangles) {
    // Extent X 0..8, Y 0..8: strips 2 m deep.
    AddRect(0, 0, 0, 0, 8, 8, NotEnclosed + Floor); // counts in the extent only
    AddTri(0, 0, 0, 0, 2, 0, 0, 2, Floor);          // inside Y-low and X-low: area 2 each
    AddTri(0, 0, 4, 1, 6, 1, 4, 3, Floor);          // straddles Y 2: no strip
    AddRect(0, 0, 3, 7, 5, 8, Balcony);             // 2 x 1 inside Y-high
    Run();
    EXPECT_NEAR(R.PlanFloorArea[0][0], 64.0 + 2.0 + 2.0 + 2.0, Tol);
    EXPECT_NEAR(R.QuarterLines[0][0][LineYMax], 8.0, Tol);
    EXPECT_NEAR(R.QuarterFloorArea[0][0][StripYLow], 2.0, Tol);
    EXPECT_NEAR(R.QuarterFloorArea[0][0][StripXLow], 2.0, Tol);
    EXPECT_NEAR(R.QuarterFloorArea[0][0][StripYHigh], 2.0, Tol);
    EXPECT_NEAR(R.QuarterFloorArea[0][0][StripXHigh], 0.0, Tol);
}

// ---------------------------------------------------------------- weight index

TEST_F(RequiredStrengthTest, VeryHeavyWithAtticStaysVeryHeavy) {
    Doc.DiagnosisMethod = 2;
    Doc.StoreyData.weightClass[0] = 2;
    Doc.StoreyData.atticStorage[0] = 1;
    AddRect(0, 0, 0, 0, 10, 10, Floor);
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 0.64, Tol);
    // Heavy with attic storage counts as very heavy.
    Doc.StoreyData.weightClass[0] = 1;
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 0.64, Tol);
}

TEST_F(RequiredStrengthTest, CityEditionTables) {
    Doc.CriteriaEdition = 2;
    Doc.StoreyData.roofWallClass[0] = 3;
    Doc.StoreyData.weightClass[0] = 1;
    AddRect(0, 0, 0, 0, 10, 10, Floor);
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 0.40, Tol); // city row 1, class 3

    // Two storeys, 1F 10 x 10, 2F 10 x 5: rf1 0.5, heavy: K1 = 0.7, K2 = 0.22 + 1.19 = 1.41.
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 1, 0, 0, 10, 5, Floor);
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 0.91 * 0.7, Tol);
    EXPECT_NEAR(R.UnitRequiredStrength[0][1], 0.40 * 1.41, Tol);
    // The 1F strips reaching beyond the 2F (Y-high: 7.5 > 5) take the one-storey value of the
    // national table, by the weight class since class 3 has no national column.
    EXPECT_NEAR(R.QuarterUnitRequiredStrength[0][0][StripYHigh], 0.40, Tol);

    // Three storeys, 3F 5 x 5: the national base table by the weight class (heavy):
    // K3 = (0.25 + 0.375)(0.65 + 0.175) = 0.515625.
    Doc.StoreyData.topStorey[0] = 2;
    AddRect(0, 2, 0, 0, 5, 5, Floor);
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 1.44 * 0.515625, Tol);

    // Roof/wall class 1 indexes the national table's column 1 as the city edition always did.
    Doc.StoreyData.roofWallClass[0] = 1;
    Doc.StoreyData.weightClass[0] = 0;
    Run();
    EXPECT_NEAR(R.UnitRequiredStrength[0][0], 1.44 * 0.515625, Tol);
}

// ---------------------------------------------------------------- method 3

TEST_F(RequiredStrengthTest, StoreyWeightsAndShearDistribution) {
    // Light (u = 0.95, 0.95, 1.2), no snow. 1F: floor 10 x 8 = 80 (A0 0, A1 80, A2 80);
    // 2F: light roof 10 x 8 (A0 80, A1 80, A2 0). Shape factors 1.0 (short side 8; top).
    // W2F = 0.95 x 80 + 80 x 0.95 x 0.5 = 76 + 38 = 114
    // W1F = 80 x 0.95 x 0.5 + 80 x 0.95 x 0.5 (the 2F's walls) + 80 x 1.2 + 114
    //     = 38 + 38 + 96 + 114 = 286
    // alpha2F = 114 / 286 = 0.3986014; H = 2.8 + 2.8 = 5.6, T = 0.168; normal ground Tc 0.6,
    // T < Tc: Rt 1.
    // Ai2F = 1 + (1 / sqrt(0.3986014) - 0.3986014) x 0.336 / 1.504
    //      = 1 + (1.5839103 - 0.3986014) x 0.2234043 = 1.2648031
    // Qr2F = 0.2 x 1.2648031 x 114 = 28.837510; Qr1F = 0.2 x 1 x 286 = 57.2.
    Doc.DiagnosisMethod = 3;
    Doc.StoreyData.topStorey[0] = 1;
    Doc.StoreyData.storeyHeight[0][0] = 2.8;
    Doc.StoreyData.storeyHeight[0][1] = 2.8;
    AddRect(0, 0, 0, 0, 10, 8, Floor);
    AddRect(0, 1, 0, 0, 10, 8, LightRoof);
    const CalcNoticeList notices = Run();
    EXPECT_EQ(notices.count, 0);
    EXPECT_NEAR(R.StoreyWeight[0][1], 114.0, 1e-9);
    EXPECT_NEAR(R.StoreyWeight[0][0], 286.0, 1e-9);
    EXPECT_NEAR(R.WeightRatio[0][0], 1.0, Tol);
    EXPECT_NEAR(R.WeightRatio[0][1], 0.3986014, 1e-7);
    EXPECT_NEAR(R.BuildingHeight[0], 5.6, Tol);
    EXPECT_NEAR(R.NaturalPeriod[0], 0.168, Tol);
    EXPECT_NEAR(R.GroundPeriod, 0.6, Tol);
    EXPECT_NEAR(R.VibrationCharacteristic[0], 1.0, Tol);
    EXPECT_NEAR(R.ShearDistributionFactor[0][0], 1.0, Tol);
    EXPECT_NEAR(R.ShearDistributionFactor[0][1], 1.2648031, 1e-7);
    EXPECT_NEAR(R.ShearCoefficient[0][1], 0.25296061, 1e-7);
    EXPECT_NEAR(R.RequiredStrength[0][1], 28.83751, 1e-5);
    EXPECT_NEAR(R.RequiredStrength[0][0], 57.2, 1e-9);
    // No per-area values under method 3.
    EXPECT_EQ(R.UnitRequiredStrength[0][0], 0.0);
    EXPECT_EQ(R.QuarterRequiredStrength[0][0][StripYLow], 0.0);
}

TEST_F(RequiredStrengthTest, StoreyWeightWithSnowAndShapeFactor) {
    // One storey, heavy (u = 1.3, 1.4, 1.2), snow 0.26: roof 4 x 3 = 12 (A0 12, A1 12) and
    // floor 4 x 3 = 12 (A1 12, A2 12). Short side 3 but the top storey's factor is 1.0.
    // W = (0.26 x 5 + 1.3) x 12 + 24 x 1.4 x 0.5 + 12 x 1.2 = 31.2 + 16.8 + 14.4 = 62.4.
    Doc.DiagnosisMethod = 3;
    Doc.StoreyData.weightClass[0] = 1;
    Doc.BuildingData.snowLoadTerm = 0.26;
    AddRect(0, 0, 0, 0, 4, 3, HeavyRoof);
    AddRect(0, 0, 0, 0, 4, 3, Floor);
    Run();
    EXPECT_NEAR(R.StoreyWeight[0][0], 62.4, 1e-9);
    EXPECT_NEAR(R.ShapeFactor[0][0], 1.0, Tol);
}

struct PeriodCase {
    const char* name;
    int groundClass;
    double h1, h2;
    int mixed;
    double period, tc, rt;
};

class PeriodTest : public RequiredStrengthTest, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(PeriodTest, PeriodAndVibrationCharacteristic) {
    const PeriodCase& c = GetParam();
    Doc.DiagnosisMethod = 3;
    Doc.StoreyData.topStorey[0] = 1;
    Doc.StoreyData.storeyHeight[0][0] = c.h1;
    Doc.StoreyData.storeyHeight[0][1] = c.h2;
    Doc.GroundFoundationSurvey.groundClass = c.groundClass;
    Doc.BuildingData.mixedStructure = c.mixed;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 8, 8, LightRoof);
    Run();
    EXPECT_NEAR(R.NaturalPeriod[0], c.period, Tol);
    EXPECT_NEAR(R.GroundPeriod, c.tc, Tol);
    EXPECT_NEAR(R.VibrationCharacteristic[0], c.rt, Tol);
}

INSTANTIATE_TEST_SUITE_P(Cases, PeriodTest,
                         ::testing::Values(
                             // H 10: T 0.3 < Tc 0.4: Rt 1.
                             PeriodCase{"GoodShort", 0, 5, 5, 0, 0.3, 0.4, 1.0},
                             // H 20: T 0.6, 0.4 <= T < 0.8: Rt = 1 - 0.2 (0.6 / 0.4 - 1)^2 = 0.95.
                             PeriodCase{"GoodMiddle", 0, 10, 10, 0, 0.6, 0.4, 0.95},
                             // H 30: T 0.9 >= 0.8: Rt = 1.6 x 0.4 / 0.9 = 0.7111111.
                             PeriodCase{"GoodLong", 0, 15, 15, 0, 0.9, 0.4, 1.6 * 0.4 / 0.9},
                             PeriodCase{"Normal", 1, 5, 5, 0, 0.3, 0.6, 1.0},
                             PeriodCase{"Poor", 2, 5, 5, 0, 0.3, 0.8, 1.0},
                             // Markedly soft good ground (8): Tc 0.8.
                             PeriodCase{"SoftGood", 8, 5, 5, 0, 0.3, 0.8, 1.0},
                             // Mixed structure, H = 3 + 2: T = 5 (0.02 + 0.01 x 2 / 5) = 0.12.
                             PeriodCase{"Mixed", 1, 3, 2, 1, 0.12, 0.6, 1.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequiredStrengthTest, MissingBuildingHeightIsANoticeNotAStop) {
    Doc.DiagnosisMethod = 3;
    Doc.StoreyData.topStorey[0] = 1;
    Doc.StoreyData.storeyHeight[0][0] = 0.0;
    Doc.StoreyData.storeyHeight[0][1] = 0.0;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 8, 8, LightRoof);
    const CalcNoticeList notices = Run();
    ASSERT_EQ(notices.count, 1);
    EXPECT_EQ(notices.items[0].id, CalcNoticeId::BuildingHeightMissing);
    EXPECT_STREQ(notices.items[0].text, "建物階高を入力して下さい。");
    EXPECT_STREQ(notices.items[0].caption, "建物階高");
    EXPECT_EQ(R.NaturalPeriod[0], 0.0);
    EXPECT_EQ(R.VibrationCharacteristic[0], 1.0);
    EXPECT_EQ(R.ShearDistributionFactor[0][1], 1.0);
    EXPECT_GT(R.RequiredStrength[0][0], 0.0);
}

TEST_F(RequiredStrengthTest, NegativeStoreyHeightIsRefused) {
    // Taken as it stands, H = -11.111 m would give T = -1/3 and 1 + 3T = 0.
    Doc.DiagnosisMethod = 3;
    Doc.StoreyData.topStorey[0] = 1;
    Doc.StoreyData.storeyHeight[0][0] = -11.1111111111;
    Doc.StoreyData.storeyHeight[0][1] = 0.0;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 8, 8, LightRoof);
    const CalcNoticeList notices = Run();
    EXPECT_TRUE(notices.contains(CalcNoticeId::BuildingHeightMissing));
    EXPECT_EQ(R.BuildingHeight[0], 0.0);
    EXPECT_EQ(R.NaturalPeriod[0], 0.0);
    EXPECT_TRUE(std::isfinite(R.RequiredStrength[0][1]));
}

TEST_F(RequiredStrengthTest, NoNoticeOutsideMethodThree) {
    Doc.StoreyData.storeyHeight[0][0] = 0.0;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    EXPECT_EQ(Run().count, 0);
}

TEST_F(RequiredStrengthTest, EmptyBuildingUnderMethodThreeGivesTinyRatios) {
    Doc.DiagnosisMethod = 3;
    Doc.StoreyData.topStorey[0] = 1;
    Run();
    EXPECT_EQ(R.StoreyWeight[0][0], 0.0);
    EXPECT_EQ(R.WeightRatio[0][0], 1e-7);
    EXPECT_EQ(R.WeightRatio[0][1], 1e-7);
    EXPECT_TRUE(std::isfinite(R.ShearDistributionFactor[0][0]));
    EXPECT_EQ(R.RequiredStrength[0][0], 0.0);
}

// ---------------------------------------------------------------- what a run clears

TEST_F(RequiredStrengthTest, RoadNotTakenAndStoreysAboveTheTopAreCleared) {
    Doc.StoreyData.topStorey[0] = 2;
    Doc.DiagnosisMethod = 3;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 8, 8, Floor);
    AddRect(0, 2, 0, 0, 3, 3, LightRoof);
    Run();
    ASSERT_GT(R.StoreyWeight[0][0], 0.0);

    // Now general method, two storeys: weights gone, the 3F's values gone.
    Doc.DiagnosisMethod = 0;
    Doc.StoreyData.topStorey[0] = 1;
    Run();
    EXPECT_EQ(R.StoreyWeight[0][0], 0.0);
    EXPECT_EQ(R.WeightRatio[0][1], 0.0);
    EXPECT_EQ(R.NaturalPeriod[0], 0.0);
    EXPECT_EQ(R.GroundPeriod, 0.0);
    EXPECT_EQ(R.RequiredStrength[0][2], 0.0);
    EXPECT_EQ(R.ShapeFactor[0][2], 1.0);
    EXPECT_EQ(R.ShortSideLength[0][2], 0.0);
    EXPECT_EQ(R.QuarterLines[0][2][LineXMax], 0.0);
    EXPECT_GT(R.RequiredStrength[0][1], 0.0);

    // And back to method 3: per-area values and K factors gone.
    Doc.DiagnosisMethod = 3;
    Run();
    EXPECT_EQ(R.UnitRequiredStrength[0][0], 0.0);
    EXPECT_EQ(R.QuarterUnitRequiredStrength[0][0][StripXLow], 0.0);
    EXPECT_EQ(R.RequiredStrengthFactors.k1, 0.0);
}

TEST_F(RequiredStrengthTest, RemovedElementsLeaveNoResults) {
    AddRect(0, 0, 0, 0, 4, 4, Floor);
    AddRect(0, 0, 4, 0, 6, 4, Floor);
    Run();
    ASSERT_GT(R.RoofFloorRectResult[0][0][1].area, 0.0);
    Doc.RoofFloorRectCount[0][0] = 1;
    Run();
    EXPECT_EQ(R.RoofFloorRectResult[0][0][1].area, 0.0);
    EXPECT_NEAR(R.PlanFloorArea[0][0], 16.0, Tol);
}

// A storey whose areas were all removed since the last run is left as a run from nothing
// leaves it: no sums, extent, lines or strips of what it held.
TEST_F(RequiredStrengthTest, AStoreyEmptiedSinceTheLastRunKeepsNothingOfIt) {
    // Only this test's runs may have written the results: fields of other methods that an
    // earlier test left are no run's to clear.
    std::memset(&ReqResult, 0, sizeof ReqResult);
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 0, 0, 0, 8, 8, Floor);
    AddRect(0, 1, 0, 0, 4, 4, Floor);
    AddTri(0, 1, 0, 4, 4, 4, 0, 6, LightRoof);
    Run();
    ASSERT_GT(R.QuarterFloorArea[0][1][StripYLow], 0.0);
    Doc.RoofFloorRectCount[0][1] = Doc.RoofFloorTriCount[0][1] = 0;
    Run();
    const auto bytes = [&] { return std::string(reinterpret_cast<const char*>(&R), sizeof R); };
    const std::string emptied = bytes();
    std::memset(&ReqResult, 0, sizeof ReqResult);
    Run();
    EXPECT_TRUE(bytes() == emptied);
}

// ---------------------------------------------------------------- damaged input

TEST_F(RequiredStrengthTest, DamagedCodesCountsAndIndicesAreBounded) {
    Doc.RoofFloorRectCount[0][0] = 1000; // beyond the list: only the 30 slots are read
    Doc.RoofFloorTriCount[0][1] = -4;
    Doc.RoofFloorRectCount[1][0] = 2;
    Doc.RoofFloorRects[1][0][0] = {0, 0, 2, 2, -3}; // no kind: ignored
    Doc.RoofFloorRects[1][0][1] = {0, 0, 2, 2, 7};  // kind 7: ignored
    Doc.RoofFloorTriCount[1][0] = 1;
    Doc.RoofFloorTris[1][0][0] = {-50, 0, 500, 0, 0, 2, Floor}; // indices clamped to the grid
    Doc.StoreyData.topStorey[0] = 17;
    Doc.StoreyData.weightClass[0] = -2;
    Doc.StoreyData.roofWallClass[0] = 40;
    Doc.StoreyData.atticStorage[0] = 9;
    Doc.GroundFoundationSurvey.groundClass = -9;
    Doc.BuildingData.mixedStructure = 77;
    Doc.DiagnosisMethod = 9;
    App.CurrentScenario = 5;
    Grid.FirstMainAxisX = 300;
    Grid.FirstMainAxisY = -1;
    Run();
    EXPECT_EQ(R.PlanFloorArea[1][0], R.RoofFloorTriResult[1][0][0].area);
    // Triangle (0,0), (99,0), (0,2): 99 x 2 / 2.
    EXPECT_NEAR(R.RoofFloorTriResult[1][0][0].area, 99.0, Tol);
    EXPECT_EQ(R.RoofFloorRectResult[1][0][0].area, 0.0);
    EXPECT_EQ(R.RoofFloorRectResult[1][0][1].area, 0.0);
    for (int sc = 0; sc < 3; ++sc)
        for (int f = 0; f < 3; ++f) EXPECT_TRUE(std::isfinite(R.RequiredStrength[sc][f]));
}

} // namespace
