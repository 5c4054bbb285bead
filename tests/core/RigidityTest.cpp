#include "calc/Rigidity.h"
#include "calc/FloorReduction.h"
#include "calc/MethodTables.h"
#include "calc/WallClassify.h"
#include "calc/WallElementTables.h"
#include "calc/WallStrength.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "support/RigidityFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

using namespace rigfix;

constexpr double Tol = 1e-4;
RigidityResults& R = RigidityRes;

double SumLineShearX(int storey, int n, int scenario = 0) {
    double s = 0;
    for (int line = 0; line < GridLines; ++line) s += R.LineShearX[scenario][storey][line][n];
    return s;
}
double SumLineShearY(int storey, int n, int scenario = 0) {
    double s = 0;
    for (int line = 0; line < GridLines; ++line) s += R.LineShearY[scenario][storey][line][n];
    return s;
}

class RigidityTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAll(); }
};

// An L-shaped distribution of walls on a 6 m x 4 m one-storey plan, axes 1..7 by 1..5, frame
// origin at axis X1 and the bottom line Y5 (Y upward), so a wall on Y axis j stands at Y = 5 - j:
//   W0 Y-wall x=1 (X 0), y 1..5, Ly 4      W1 Y-wall x=7 (X 6), y 3..5, Ly 2
//   W2 X-wall y=5 (Y 0), x 1..7, Lx 6      W3 X-wall y=1 (Y 4), x 1..4, Lx 3
// centre of gravity (3, 2), Qr 10 kN.
//   ΣLy = 6, ΣLy·X = 4·0 + 2·6 = 12, Xs = 2;   ΣLx = 9, ΣLx·Y = 6·0 + 3·4 = 12, Ys = 4/3
//   ex = |3 - 2| = 1;   ey = |2 - 4/3| = 2/3
//   Ix = 4·(0-2)² + 2·(6-2)² = 16 + 32 = 48;   Iy = 6·(0-4/3)² + 3·(4-4/3)² = 96/9 + 192/9 = 32
//   Kr = 80;  rex = sqrt(80/9) = 2.98142;  rey = sqrt(80/6) = 3.65148
//   Rex = (2/3) / 2.98142 = 0.22361;  Rey = 1 / 3.65148 = 0.27386
//   FeX = 1 / (3.33·0.22361 + 0.5) = 1 / 1.24462 = 0.80346;  FeY = 1 / 1.41195 = 0.70824
//   αX = 0.22361·10/3 + 0.5 = 1.24536;  αY = 0.27386·10/3 + 0.5 = 1.41287
//   line shears: Y5 6/9·αX·10 = 8.30240, Y1 3/9·αX·10 = 4.15120; X1 4/6·αY·10 = 9.41913,
//   X7 2/6·αY·10 = 4.70957
void BuildEccentricHouse() {
    SetOrigin(1, 5);
    SetStorey(0, 3.0, 2.0, 10.0);
    SetExtent(0, 1, 1, 7, 5);
    AddWall(0, 1, 1, 1, 5, 0, 4.0);
    AddWall(0, 7, 3, 7, 5, 0, 2.0);
    AddWall(0, 1, 5, 7, 5, 6.0, 0);
    AddWall(0, 1, 1, 4, 1, 3.0, 0);
}

TEST_F(RigidityTest, EccentricOneStoreyHouseWorkedByHand) {
    BuildEccentricHouse();
    RunRigidity();
    for (int n = 0; n < StrengthVariants; ++n) {
        SCOPED_TRACE(n);
        EXPECT_NEAR(R.StiffnessSumX[0][0][n], 9.0, Tol);
        EXPECT_NEAR(R.StiffnessSumY[0][0][n], 6.0, Tol);
        EXPECT_NEAR(R.WallStrengthSumX[0][0][n], 18.0, Tol); // strength = 2 x stiffness
        EXPECT_NEAR(R.WallStrengthSumY[0][0][n], 12.0, Tol);
        EXPECT_NEAR(R.StiffnessMomentYX[0][0][n], 12.0, Tol);
        EXPECT_NEAR(R.StiffnessMomentXY[0][0][n], 12.0, Tol);
        EXPECT_NEAR(R.RigidityCentreX[0][0][n], 2.0, Tol);
        EXPECT_NEAR(R.RigidityCentreY[0][0][n], 4.0 / 3.0, Tol);
        EXPECT_NEAR(R.EccentricityX[0][0][n], 1.0, Tol);
        EXPECT_NEAR(R.EccentricityY[0][0][n], 2.0 / 3.0, Tol);
        EXPECT_NEAR(R.TorsionTermX[0][0][n], 48.0, Tol);
        EXPECT_NEAR(R.TorsionTermY[0][0][n], 32.0, Tol);
        EXPECT_NEAR(R.TorsionalStiffness[0][0][n], 80.0, Tol);
        EXPECT_NEAR(R.ElasticRadiusX[0][0][n], 2.98142, Tol);
        EXPECT_NEAR(R.ElasticRadiusY[0][0][n], 3.65148, Tol);
        EXPECT_NEAR(R.EccentricityRatioX[0][0][n], 0.22361, Tol);
        EXPECT_NEAR(R.EccentricityRatioY[0][0][n], 0.27386, Tol);
        EXPECT_NEAR(R.EccentricityReductionX[0][0][n], 0.80346, Tol);
        EXPECT_NEAR(R.EccentricityReductionY[0][0][n], 0.70824, Tol);
        EXPECT_NEAR(R.TorsionFactorX[0][0][n], 1.24536, Tol);
        EXPECT_NEAR(R.TorsionFactorY[0][0][n], 1.41287, Tol);
        EXPECT_NEAR(R.LineShearX[0][0][5][n], 8.30240, Tol);
        EXPECT_NEAR(R.LineShearX[0][0][1][n], 4.15120, Tol);
        EXPECT_NEAR(R.LineShearY[0][0][1][n], 9.41913, Tol);
        EXPECT_NEAR(R.LineShearY[0][0][7][n], 4.70957, Tol);
        EXPECT_NEAR(R.LineShearY[0][0][4][n], 0.0, Tol);
    }
    // Quarter lines Y 2 and 4, X 2.5 and 5.5: W3 (Y axis 1) low Y, W2 (axis 5) high Y, W0 (X
    // axis 1) low X, W1 (axis 7) high X, each with its strength 2 x stiffness.
    EXPECT_NEAR(R.QuarterWallStrength[StripYLow][0][0], 6.0, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripYHigh][0][0], 12.0, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripXLow][0][0], 8.0, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripXHigh][0][0], 4.0, Tol);
    // rs = ΣL / Qr; one storey: the mean is its own drift, Rs 1, Fsr 1.
    EXPECT_NEAR(R.StoreyDriftX[0][0][0], 0.9, Tol);
    EXPECT_NEAR(R.StoreyDriftY[0][0][0], 0.6, Tol);
    for (int col = 0; col < ResultColumns; ++col) {
        EXPECT_NEAR(R.MeanStoreyDriftX[0][col], 0.9, Tol);
        EXPECT_NEAR(R.StiffnessRatioX[0][0][col], 1.0, Tol);
        EXPECT_NEAR(R.StiffnessReductionY[0][0][col], 1.0, Tol);
    }
}

TEST_F(RigidityTest, WallResultsCarryEndPositionsAndTorsionTerms) {
    BuildEccentricHouse();
    RunRigidity();
    // W1 from (7,3) to (7,5): X 6, Y 2 and 0; Ly 2, Xs 2: X' = 4, Ly·X = 12, Ly·X'² = 32.
    const WallResultRecord& w1 = WallEval.WallResult[0][0][1][0];
    EXPECT_NEAR(w1.startOffsetX, 6.0, Tol);
    EXPECT_NEAR(w1.startOffsetY, 2.0, Tol);
    EXPECT_NEAR(w1.endOffsetY, 0.0, Tol);
    EXPECT_NEAR(w1.momentYXStart, 12.0, Tol);
    EXPECT_NEAR(w1.startDistanceX, 4.0, Tol);
    EXPECT_NEAR(w1.torsionXStart, 32.0, Tol);
    EXPECT_NEAR(w1.originDistanceX, 6.0, Tol);
    EXPECT_NEAR(w1.momentYX, 12.0, Tol);
    EXPECT_NEAR(w1.centreDistanceX, 4.0, Tol);
    EXPECT_NEAR(w1.torsionTermX, 32.0, Tol);
    // W3 from (1,1) to (4,1): Y 4, Lx 3, Ys 4/3: Y' = 8/3, Lx·Y = 12, Lx·Y'² = 3·64/9 = 21.333.
    const WallResultRecord& w3 = WallEval.WallResult[0][0][3][4];
    EXPECT_NEAR(w3.momentXY, 12.0, Tol);
    EXPECT_NEAR(w3.centreDistanceY, 8.0 / 3.0, Tol);
    EXPECT_NEAR(w3.torsionTermY, 64.0 / 3.0, Tol);
}

// The five loading cases take brace variant CaseSubBlockX[n] along X and CaseSubBlockY[n]
// along Y: variant k of an X wall 2 m up carries Lx = k + 1, of a Y wall 2 m right Ly = 10 (k + 1);
// a wall of stiffness 1 in every variant stands on each axis of the origin. With L the case's
// stiffness of a direction: moment 2L, centre of rigidity 2L / (L + 1), torsion term
// L (2 - centre)² + centre² = 4L / (L + 1).
class LoadingCaseTest : public RigidityTest, public ::testing::WithParamInterface<int> {};

TEST_P(LoadingCaseTest, CaseTakesItsBraceVariants) {
    const int n = GetParam();
    const double lx = CaseSubBlockX[n] + 1.0, ly = 10.0 * (CaseSubBlockY[n] + 1);
    SetOrigin(1, 5);
    SetStorey(0, 0, 0, 1.0);
    const int wx = AddWall(0, 1, 3, 3, 3, 0, 0);
    const int wy = AddWall(0, 3, 1, 3, 5, 0, 0);
    AddWall(0, 1, 5, 3, 5, 1.0, 0);
    AddWall(0, 1, 1, 1, 5, 0, 1.0);
    for (int k = 0; k < WallResultBlocks; ++k) {
        SetVariant(0, wx, k, k + 1.0, 0);
        SetVariant(0, wy, k, 0, 10.0 * (k + 1));
    }
    RunRigidity();
    EXPECT_NEAR(R.StiffnessSumX[0][0][n], lx + 1, Tol);
    EXPECT_NEAR(R.StiffnessSumY[0][0][n], ly + 1, Tol);
    EXPECT_NEAR(R.WallStrengthSumX[0][0][n], 2 * (lx + 1), Tol);
    EXPECT_NEAR(R.WallStrengthSumY[0][0][n], 2 * (ly + 1), Tol);
    EXPECT_NEAR(R.LineStiffnessX[0][0][3][n], lx, Tol);
    EXPECT_NEAR(R.LineStiffnessY[0][0][3][n], ly, Tol);
    EXPECT_NEAR(WallEval.WallResult[0][0][wx][n].momentXY, 2 * lx, Tol);
    EXPECT_NEAR(WallEval.WallResult[0][0][wy][n].momentYX, 2 * ly, Tol);
    EXPECT_NEAR(R.RigidityCentreY[0][0][n], 2 * lx / (lx + 1), Tol);
    EXPECT_NEAR(R.TorsionTermY[0][0][n], 4 * lx / (lx + 1), Tol);
    EXPECT_NEAR(R.TorsionTermX[0][0][n], 4 * ly / (ly + 1), Tol);
}
INSTANTIATE_TEST_SUITE_P(Cases, LoadingCaseTest, ::testing::Range(0, StrengthVariants));

// A direction without stiffness (X walls only on 1F, no walls on 2F) has no elastic radius;
// its eccentricity ratio follows the option: 99.99 (Fe 0.5) or 0 (Fe 1.0).
struct NoStiffnessCase {
    int option;
    double ratio;
    double reduction;
};
void PrintTo(const NoStiffnessCase& c, std::ostream* os) {
    *os << "option " << c.option;
}
class NoStiffnessTest : public RigidityTest,
                        public ::testing::WithParamInterface<NoStiffnessCase> {};

TEST_P(NoStiffnessTest, RatioFollowsTheOption) {
    const NoStiffnessCase c = GetParam();
    App.Options.ZeroStrengthEccentricity = c.option;
    Doc.StoreyData.topStorey[0] = 1;
    SetOrigin(1, 5);
    // 1F: Lx 6 on Y 0 and Y 4, gravity (3, 2), Qr 10:
    //   Ys = 6·4 / 12 = 2, ey = 0; Xs = 0 (no ΣLy), ex = 3;
    //   Iy = 6·2² + 6·2² = 48, Ix = 0, Kr = 48, rex = sqrt(48/12) = 2, Rex = 0, FeX = 1/0.5 -> 1.0
    SetStorey(0, 3.0, 2.0, 10.0);
    AddWall(0, 1, 5, 7, 5, 6.0, 0);
    AddWall(0, 1, 1, 7, 1, 6.0, 0);
    SetStorey(1, 3.0, 2.0, 4.0);
    RunRigidity();
    for (int n = 0; n < StrengthVariants; ++n) {
        SCOPED_TRACE(n);
        EXPECT_NEAR(R.RigidityCentreX[0][0][n], 0.0, Tol);
        EXPECT_NEAR(R.RigidityCentreY[0][0][n], 2.0, Tol);
        EXPECT_NEAR(R.EccentricityX[0][0][n], 3.0, Tol);
        EXPECT_NEAR(R.ElasticRadiusX[0][0][n], 2.0, Tol);
        EXPECT_NEAR(R.ElasticRadiusY[0][0][n], 0.0, Tol);
        EXPECT_NEAR(R.EccentricityRatioX[0][0][n], 0.0, Tol);
        EXPECT_NEAR(R.EccentricityReductionX[0][0][n], 1.0, Tol);
        EXPECT_NEAR(R.EccentricityRatioY[0][0][n], c.ratio, Tol);
        EXPECT_NEAR(R.EccentricityReductionY[0][0][n], c.reduction, Tol);
        // Symmetric along X: the lines share Qr without torsion, 5 kN each; nothing along Y.
        EXPECT_NEAR(R.LineShearX[0][0][1][n], 5.0, Tol);
        EXPECT_NEAR(R.LineShearX[0][0][5][n], 5.0, Tol);
        EXPECT_NEAR(SumLineShearY(0, n), 0.0, Tol);
        // The storey without walls gets the option's ratio in both directions.
        EXPECT_NEAR(R.EccentricityRatioX[0][1][n], c.ratio, Tol);
        EXPECT_NEAR(R.EccentricityRatioY[0][1][n], c.ratio, Tol);
        EXPECT_NEAR(R.EccentricityReductionX[0][1][n], c.reduction, Tol);
        EXPECT_NEAR(R.EccentricityReductionY[0][1][n], c.reduction, Tol);
        EXPECT_NEAR(SumLineShearX(1, n), 0.0, Tol);
    }
}
INSTANTIATE_TEST_SUITE_P(Options, NoStiffnessTest,
                         ::testing::Values(NoStiffnessCase{1, 99.99, 0.5},
                                           NoStiffnessCase{0, 0.0, 1.0}));

TEST_F(RigidityTest, SymmetricPlanLineShearsSumToStoreyShear) {
    // Equal walls on both sides in both directions: centre of rigidity on the centre of
    // gravity (3, 2), no eccentricity, α 1, and the lines share Qr = 12 kN exactly.
    SetOrigin(1, 5);
    SetStorey(0, 3.0, 2.0, 12.0);
    AddWall(0, 1, 1, 1, 5, 0, 4.0);
    AddWall(0, 7, 1, 7, 5, 0, 4.0);
    AddWall(0, 4, 2, 4, 4, 0, 1.0); // on the centre line: no moment about it
    AddWall(0, 1, 5, 7, 5, 0.0 + 6.0, 0);
    AddWall(0, 1, 1, 7, 1, 6.0, 0);
    RunRigidity();
    for (int n = 0; n < StrengthVariants; ++n) {
        EXPECT_NEAR(R.RigidityCentreX[0][0][n], 3.0, Tol);
        EXPECT_NEAR(R.RigidityCentreY[0][0][n], 2.0, Tol);
        EXPECT_NEAR(R.EccentricityRatioX[0][0][n], 0.0, Tol);
        EXPECT_NEAR(R.EccentricityRatioY[0][0][n], 0.0, Tol);
        EXPECT_NEAR(R.EccentricityReductionX[0][0][n], 1.0, Tol); // 1 / 0.5 = 2, capped
        EXPECT_NEAR(SumLineShearX(0, n), 12.0, Tol);
        EXPECT_NEAR(SumLineShearY(0, n), 12.0, Tol);
        // Ly 4 : 1 : 4 of ΣLy 9.
        EXPECT_NEAR(R.LineShearY[0][0][4][n], 12.0 / 9.0, Tol);
    }
}

TEST_F(RigidityTest, EccentricPlanLineShearsSumToRaisedStoreyShear) {
    BuildEccentricHouse();
    AddWall(0, 2, 1, 4, 5, 2.0, 4.0); // an oblique wall as well
    RunRigidity();
    for (int n = 0; n < StrengthVariants; ++n) {
        EXPECT_GT(R.TorsionFactorX[0][0][n], 1.0);
        EXPECT_NEAR(SumLineShearX(0, n), R.TorsionFactorX[0][0][n] * 10.0, 1e-9);
        EXPECT_NEAR(SumLineShearY(0, n), R.TorsionFactorY[0][0][n] * 10.0, 1e-9);
    }
}

TEST_F(RigidityTest, ObliqueWallHalvesOnBothEndLines) {
    // Oblique wall from (2,1) to (4,5), Lx 2, Ly 4, origin X1/Y5: ends at X 1 and 3, Y 4 and 0.
    //   Y lines 1 and 5 get Lx/2 = 1 each, X lines 2 and 4 get Ly/2 = 2 each;
    //   ΣLy·X = 2·1 + 2·3 = 8, ΣLx·Y = 1·4 + 1·0 = 4: Xs = 8/4 = 2, Ys = 4/2 = 2;
    //   Ix = 2·(1-2)² + 2·(3-2)² = 4, Iy = 1·(4-2)² + 1·(0-2)² = 8.
    SetOrigin(1, 5);
    SetStorey(0, 2.0, 2.0, 1.0);
    AddWall(0, 2, 1, 4, 5, 2.0, 4.0);
    RunRigidity();
    EXPECT_NEAR(R.LineStiffnessX[0][0][1][0], 1.0, Tol);
    EXPECT_NEAR(R.LineStiffnessX[0][0][5][0], 1.0, Tol);
    EXPECT_NEAR(R.LineStiffnessY[0][0][2][0], 2.0, Tol);
    EXPECT_NEAR(R.LineStiffnessY[0][0][4][0], 2.0, Tol);
    EXPECT_NEAR(R.StiffnessMomentYX[0][0][0], 8.0, Tol);
    EXPECT_NEAR(R.StiffnessMomentXY[0][0][0], 4.0, Tol);
    EXPECT_NEAR(R.RigidityCentreX[0][0][0], 2.0, Tol);
    EXPECT_NEAR(R.RigidityCentreY[0][0][0], 2.0, Tol);
    EXPECT_NEAR(R.TorsionTermX[0][0][0], 4.0, Tol);
    EXPECT_NEAR(R.TorsionTermY[0][0][0], 8.0, Tol);
    const WallResultRecord& w = WallEval.WallResult[0][0][0][0];
    EXPECT_NEAR(w.momentYXStart, 2.0, Tol);
    EXPECT_NEAR(w.momentYXEnd, 6.0, Tol);
    EXPECT_NEAR(w.torsionYStart, 4.0, Tol);
    EXPECT_NEAR(w.torsionYEnd, 4.0, Tol);
}

// Quarter strips of a plan from axis 1 to 7 (X) and 1 to 5 (Y): quarter lines Y 2 and 4, X 2.5
// and 5.5. A wall on a quarter line counts in its strip; a plan of one line has both strips on
// that line.
struct QuarterCase {
    const char* name;
    int x1, y1, x2, y2;
    double yMin, yMax; // extent along Y
    double lowY, highY, lowX, highX;
};
void PrintTo(const QuarterCase& c, std::ostream* os) {
    *os << c.name;
}
class QuarterStripTest : public RigidityTest, public ::testing::WithParamInterface<QuarterCase> {};

TEST_P(QuarterStripTest, WallCountsInItsStrips) {
    const QuarterCase c = GetParam();
    SetOrigin(1, 5);
    SetStorey(0, 0, 0, 1.0);
    SetExtent(0, 1, c.yMin, 7, c.yMax);
    // Strength 2 kN per unit of stiffness: Lx 3 -> 6 kN along X, Ly 5 -> 10 kN along Y.
    AddWall(0, c.x1, c.y1, c.x2, c.y2, c.x1 != c.x2 ? 3.0 : 0, c.y1 != c.y2 ? 5.0 : 0);
    RunRigidity();
    EXPECT_NEAR(R.QuarterWallStrength[StripYLow][0][0], c.lowY, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripYHigh][0][0], c.highY, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripXLow][0][0], c.lowX, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripXHigh][0][0], c.highX, Tol);
}
INSTANTIATE_TEST_SUITE_P(
    Strips, QuarterStripTest,
    ::testing::Values(QuarterCase{"OnLowQuarterLine", 1, 2, 4, 2, 1, 5, 6, 0, 0, 0},
                      QuarterCase{"Middle", 1, 3, 4, 3, 1, 5, 0, 0, 0, 0},
                      QuarterCase{"OnHighQuarterLine", 1, 4, 4, 4, 1, 5, 0, 6, 0, 0},
                      QuarterCase{"YWallLowX", 2, 1, 2, 5, 1, 5, 0, 0, 10, 0},
                      QuarterCase{"YWallHighX", 6, 1, 6, 5, 1, 5, 0, 0, 0, 10},
                      QuarterCase{"OneLinePlanBothStrips", 1, 3, 4, 3, 3, 3, 6, 6, 0, 0},
                      // Each end of an oblique wall carries half, judged on its own line,
                      // whichever end was drawn first.
                      QuarterCase{"ObliqueForward", 1, 1, 3, 5, 1, 5, 3, 3, 5, 0},
                      QuarterCase{"ObliqueReversed", 3, 5, 1, 1, 1, 5, 3, 3, 5, 0}),
    [](const ::testing::TestParamInfo<QuarterCase>& i) { return i.param.name; });

TEST_F(RigidityTest, TwoStoreyDriftAndStiffnessRatio) {
    // 1F ΣLx = ΣLy = 20, Qr 10: rs = 2.0; 2F ΣLx = ΣLy = 2.5, Qr 5: rs = 0.5.
    // Mean (2.0 + 0.5) / 2 = 1.25; Rs 1.6 and 0.4; Fsr 1F 1.0, 2F 1 / (2 - 0.4/0.6) = 0.75.
    Doc.StoreyData.topStorey[0] = 1;
    SetOrigin(1, 5);
    SetStorey(0, 0, 0, 10.0);
    SetStorey(1, 0, 0, 5.0);
    AddWall(0, 1, 5, 3, 5, 20.0, 0);
    AddWall(0, 1, 1, 1, 5, 0, 20.0);
    AddWall(1, 1, 5, 3, 5, 2.5, 0);
    AddWall(1, 1, 1, 1, 5, 0, 2.5);
    RunRigidity();
    EXPECT_NEAR(R.StoreyDriftX[0][0][0], 2.0, Tol);
    EXPECT_NEAR(R.StoreyDriftX[0][1][0], 0.5, Tol);
    for (int col = 0; col < ResultColumns; ++col) {
        SCOPED_TRACE(col);
        EXPECT_NEAR(R.MeanStoreyDriftX[0][col], 1.25, Tol);
        EXPECT_NEAR(R.MeanStoreyDriftY[0][col], 1.25, Tol);
        EXPECT_NEAR(R.StiffnessRatioX[0][0][col], 1.6, Tol);
        EXPECT_NEAR(R.StiffnessRatioX[0][1][col], 0.4, Tol);
        EXPECT_NEAR(R.StiffnessRatioY[0][1][col], 0.4, Tol);
        EXPECT_NEAR(R.StiffnessReductionX[0][0][col], 1.0, Tol);
        EXPECT_NEAR(R.StiffnessReductionX[0][1][col], 0.75, Tol);
        EXPECT_NEAR(R.StiffnessReductionY[0][1][col], 0.75, Tol);
    }
}

TEST_F(RigidityTest, ResultColumnsCombineCasesPerStorey) {
    // X wall variant k: 1F Lx = k + 1, 2F Lx = 10 (k + 1); Qr 1 on both, so rs = ΣLx of the case.
    // Column 3 gives 1F case 1 (variant 1: rs 2) and 2F case 2 (variant 2: rs 30): mean 16.
    // Rs takes every storey in the first storey's case (1): 1F 2/16 = 0.125, 2F 20/16 = 1.25;
    // Fsr 1F = 1 / (2 - 0.125/0.6) = 0.55814.
    Doc.StoreyData.topStorey[0] = 1;
    SetOrigin(1, 5);
    SetStorey(0, 0, 0, 1.0);
    SetStorey(1, 0, 0, 1.0);
    const int a = AddWall(0, 1, 5, 3, 5, 0, 0);
    const int b = AddWall(1, 1, 5, 3, 5, 0, 0);
    for (int k = 0; k < WallResultBlocks; ++k) {
        SetVariant(0, a, k, k + 1.0, 0);
        SetVariant(1, b, k, 10.0 * (k + 1), 0);
    }
    RunRigidity();
    EXPECT_NEAR(R.MeanStoreyDriftX[0][3], 16.0, Tol);
    EXPECT_NEAR(R.StiffnessRatioX[0][0][3], 0.125, Tol);
    EXPECT_NEAR(R.StiffnessRatioX[0][1][3], 1.25, Tol);
    EXPECT_NEAR(R.StiffnessReductionX[0][0][3], 0.55814, Tol);
    // Column 0: both storeys case 0 (variant 0): rs 1 and 10, mean 5.5.
    EXPECT_NEAR(R.MeanStoreyDriftX[0][0], 5.5, Tol);
    EXPECT_NEAR(R.StiffnessRatioX[0][1][0], 10.0 / 5.5, Tol);
}

TEST_F(RigidityTest, WithoutDriftStiffnessRatioIsOneNotStale) {
    // Values an earlier run left; a plan without walls and with Qr 0 has no drift at all.
    for (int col = 0; col < ResultColumns; ++col) {
        R.StiffnessRatioX[0][0][col] = 0.3;
        R.StiffnessReductionX[0][0][col] = 0.6;
        R.StiffnessRatioY[0][0][col] = 0.3;
        R.StiffnessReductionY[0][0][col] = 0.6;
    }
    R.StoreyDriftX[0][0][0] = 4.0;
    AddWall(0, 1, 5, 3, 5, 5.0, 0); // stiff, but Qr is 0: drift 0
    RunRigidity();
    EXPECT_EQ(R.StoreyDriftX[0][0][0], 0.0);
    for (int col = 0; col < ResultColumns; ++col) {
        EXPECT_EQ(R.MeanStoreyDriftX[0][col], 0.0);
        EXPECT_EQ(R.StiffnessRatioX[0][0][col], 1.0);
        EXPECT_EQ(R.StiffnessReductionX[0][0][col], 1.0);
        EXPECT_EQ(R.StiffnessRatioY[0][0][col], 1.0);
        EXPECT_EQ(R.StiffnessReductionY[0][0][col], 1.0);
    }
}

TEST_F(RigidityTest, StoreyWithoutExtentHasNoStrips) {
    SetOrigin(1, 5);
    SetStorey(0, 0, 0, 1.0);
    ReqResult.StoreyExtentFlag[0][0] = 0; // walls but no roof/floor area
    for (double& line : ReqResult.QuarterLines[0][0]) line = 0.0;
    AddWall(0, 1, 3, 4, 3, 3.0, 0);
    AddWall(0, 2, 1, 2, 5, 0, 5.0);
    RunRigidity();
    for (int k = 0; k < QuarterStrips; ++k) EXPECT_EQ(R.QuarterWallStrength[k][0][0], 0.0) << k;
}

TEST_F(RigidityTest, WhatARunClearsAndWhatItKeeps) {
    Doc.StoreyData.topStorey[0] = 2; // a run of three storeys before
    RunRigidity();
    Doc.StoreyData.topStorey[0] = 0;
    R.StiffnessSumX[1][0][0] = 7.0;   // another scenario's last run
    R.RigidityCentreX[0][2][0] = 5.0; // a storey above the top: cleared
    R.QuarterWallStrength[StripXLow][0][2] = 3.0;
    R.StoreyDriftX[0][2][0] = 3.0; // its drift and ratio as the run before left them: cleared
    R.StiffnessRatioX[0][2][0] = 0.5;
    R.WallStrengthSumX[0][0][1] = 99.0; // a storey of the house: written afresh, not added to
    R.QuarterWallStrength[StripXLow][0][0] = 99.0;
    R.LineShearX[2][1][40][3] = 6.0; // line tables: cleared in every scenario
    R.LineStiffnessY[1][0][99][4] = 6.0;
    BuildEccentricHouse();
    RunRigidity();
    EXPECT_NEAR(R.WallStrengthSumX[0][0][1], 18.0, Tol);
    EXPECT_NEAR(R.QuarterWallStrength[StripXLow][0][0], 8.0, Tol);
    EXPECT_EQ(R.StiffnessSumX[1][0][0], 7.0);
    EXPECT_EQ(R.RigidityCentreX[0][2][0], 0.0);
    EXPECT_EQ(R.QuarterWallStrength[StripXLow][0][2], 0.0);
    EXPECT_EQ(R.StoreyDriftX[0][2][0], 0.0);
    EXPECT_EQ(R.StiffnessRatioX[0][2][0], 0.0);
    EXPECT_EQ(R.LineShearX[2][1][40][3], 0.0);
    EXPECT_EQ(R.LineStiffnessY[1][0][99][4], 0.0);
}

TEST_F(RigidityTest, RerunGivesTheSameResults) {
    // Nothing accumulates from one repaint to the next.
    BuildEccentricHouse();
    RunRigidity();
    const double shear = R.LineShearX[0][0][5][2];
    const double ratio = R.EccentricityRatioY[0][0][2];
    const double quarter = R.QuarterWallStrength[StripYHigh][0][0];
    RunRigidity();
    EXPECT_EQ(R.LineShearX[0][0][5][2], shear);
    EXPECT_EQ(R.EccentricityRatioY[0][0][2], ratio);
    EXPECT_EQ(R.QuarterWallStrength[StripYHigh][0][0], quarter);
    EXPECT_NEAR(R.StiffnessSumX[0][0][0], 9.0, Tol);
}

TEST_F(RigidityTest, DamagedWallIndicesStayInsideTheTables) {
    SetOrigin(1, 5);
    SetStorey(0, 0, 0, 1.0);
    AddWall(0, -3, 150, 250, -7, 1.0, 1.0);
    Doc.WallCount[0][0] = 5000; // bounded to the capacity; the other records are empty
    RunRigidity();
    EXPECT_TRUE(std::isfinite(R.EccentricityRatioX[0][0][0]));
    EXPECT_TRUE(std::isfinite(R.EccentricityRatioY[0][0][0]));
}

struct FactorCase {
    double ratio;
    double fe, alpha, fsr;
};
void PrintTo(const FactorCase& c, std::ostream* os) {
    *os << "ratio " << c.ratio;
}
class FactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(FactorTest, ReductionAndTorsionFactors) {
    const FactorCase c = GetParam();
    EXPECT_NEAR(EccentricityReductionOf(c.ratio), c.fe, Tol);
    EXPECT_NEAR(TorsionFactorOf(c.ratio), c.alpha, Tol);
    EXPECT_NEAR(StiffnessReductionOf(c.ratio), c.fsr, Tol);
}
// Fe = 1 / (3.33 Re + 0.5) in 0.5..1.0; α = Re·10/3 + 0.5 in 1.0..1.5;
// Fsr = 1 / (2 - Rs/0.6) below 0.6, else 1.
INSTANTIATE_TEST_SUITE_P(
    Table, FactorTest,
    ::testing::Values(FactorCase{0.0, 1.0, 1.0, 0.5},       // Fsr 1 / 2
                      FactorCase{0.09, 1.0, 1.0, 1 / 1.85}, // α 0.8 -> 1.0
                      FactorCase{0.15, 1.0, 1.0, 1 / 1.75}, // Fe 1 / 0.9995 -> 1.0
                      FactorCase{0.2, 1 / 1.166, 1.16667, 1 / (2 - 0.2 / 0.6)},
                      FactorCase{0.3, 1 / 1.499, 1.5, 1 / 1.5},
                      FactorCase{0.45, 1 / 1.9985, 1.5, 1 / 1.25},    // α 2.0 -> 1.5
                      FactorCase{0.5, 0.5, 1.5, 1 / (2 - 0.5 / 0.6)}, // Fe 0.4619 -> 0.5
                      FactorCase{0.6, 0.5, 1.5, 1.0}, FactorCase{1.6, 0.5, 1.5, 1.0},
                      FactorCase{99.99, 0.5, 1.5, 1.0}));

TEST(RigidityBinding, FloorEngineReadsTheseArrays) {
    const FloorRigidityView v = FloorRigidityViewOf(RigidityRes);
    EXPECT_EQ(&v.EccentricityRatioX, &RigidityRes.EccentricityRatioX);
    EXPECT_EQ(&v.EccentricityReductionY, &RigidityRes.EccentricityReductionY);
    EXPECT_EQ(&v.QuarterWallStrength, &RigidityRes.QuarterWallStrength);
}

// The whole wall evaluation on a drawn house: walls only on the left and at the bottom, so the
// centre of rigidity lies left of and below the centre of gravity, and the line shears of every
// case add up to the storey shear raised by the torsion factor.
TEST_F(RigidityTest, DrawnHouseThroughTheWallEvaluation) {
    reqfix::AddRect(0, 0, 1, 1, 7, 5, reqfix::LightRoof);
    for (int x = 1; x <= 7; ++x)
        for (int y = 1; y <= 5; ++y) {
            if (x != 1 && x != 7 && y != 1 && y != 5) continue;
            int32_t& n = Doc.ColumnCount[0][0];
            Doc.Columns[0][0][n++] = {x, y, 1, 2, 0}; // 管柱, 告示 hardware
        }
    auto wall = [](int x1, int y1, int x2, int y2) {
        int32_t& n = Doc.WallCount[0][0];
        WallRecord w{};
        w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
        w.bracing = 67; // 45x90 cross brace
        w.deterioration = 2;
        Doc.Walls[0][0][n++] = w;
    };
    for (int y = 1; y < 5; ++y) wall(1, y, 1, y + 1); // left side, X 0
    wall(7, 4, 7, 5);                                 // one wall on the right
    for (int x = 1; x < 5; ++x) wall(x, 5, x + 1, 5); // bottom, Y 0
    wall(6, 1, 7, 1);                                 // one wall at the top

    CheckAxesAndExtent();
    BuildAxisLabels();
    SelectWallElementTables();
    CalcRequiredStrength();
    BuildWallLineLists();
    ClassifyWalls();
    EvaluateWallStrengths();
    CalcRigidity();

    const double qr = ReqResult.RequiredStrength[0][0];
    ASSERT_GT(qr, 0.0);
    for (int n = 0; n < StrengthVariants; ++n) {
        SCOPED_TRACE(n);
        ASSERT_GT(R.StiffnessSumX[0][0][n], 0.0);
        ASSERT_GT(R.StiffnessSumY[0][0][n], 0.0);
        EXPECT_LT(R.RigidityCentreX[0][0][n], ReqResult.GravityCentreX[0][0]);
        EXPECT_LT(R.RigidityCentreY[0][0][n], ReqResult.GravityCentreY[0][0]);
        EXPECT_NEAR(R.EccentricityRatioX[0][0][n],
                    R.EccentricityY[0][0][n] / R.ElasticRadiusX[0][0][n], 1e-12);
        EXPECT_GT(R.EccentricityRatioY[0][0][n], 0.15);
        EXPECT_NEAR(SumLineShearX(0, n), R.TorsionFactorX[0][0][n] * qr, 1e-9);
        EXPECT_NEAR(SumLineShearY(0, n), R.TorsionFactorY[0][0][n] * qr, 1e-9);
        EXPECT_NEAR(R.StoreyDriftX[0][0][n], R.StiffnessSumX[0][0][n] / qr, 1e-12);
    }
}

} // namespace
