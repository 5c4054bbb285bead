// Column-joint N-values and pull-out forces, checked against values worked out by hand on a
// 1 m grid (axis i at i metres). N = A·B + Σ share·B − L; pull-out T = (Pw·B + Σ share·B −
// 1.96·L) × 2.7 kN. Panel K1 has wall ratio 0.5, P1 2.5.
#include "calc/NValues.h"

#include "calc/Diagnosis.h"
#include "calc/Tables.h"
#include "calc/WallClassify.h"
#include "calc/WallLines.h"
#include "calc/WallStrength.h"
#include "model/Grid.h"

#include "../support/DiagnosisCapacityModel.h"
#include "../support/NValueFixtures.h"
#include "../support/RandomHouses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace nvfix;

constexpr double Tol = 1e-9;

// ---- One storey: corner and middle columns ----

// Plan: columns on (1,1) (3,1) (5,1) (1,3) (3,3) (5,3). Walls:
//   A (1,1)-(3,1) P1: ratio 2.5, Pw 4.0 kN/m
//   B (3,1)-(5,1) K1: ratio 0.5, Pw 1.0
//   C (1,1)-(1,3) K1: ratio 0.5, Pw 1.5
// The four outer columns have an empty quadrant (corner, B 0.8, L 0.4 with no floor above);
// (3,1) and (3,3) see columns in all four quadrants (B 0.5, L 0.6).
void BuildOneStorey() {
    ResetHouse(0);
    AddColumn(0, 1, 1);
    AddColumn(0, 3, 1);
    AddColumn(0, 5, 1);
    AddColumn(0, 1, 3);
    AddColumn(0, 3, 3);
    AddColumn(0, 5, 3);
    AddWall(0, 1, 1, 3, 1, PanelP1, 4.0);
    AddWall(0, 3, 1, 5, 1, PanelK1, 1.0);
    AddWall(0, 1, 1, 1, 3, PanelK1, 1.5);
}

struct OneStoreyCase {
    int x, y;
    double b, l;
    double pwX, aX, pwY, aY;
    double nX, nY, tX, tY;
    int classN, classT; // hardware class under the N-value and the converted method
};

class OneStoreyColumns : public ::testing::TestWithParam<OneStoreyCase> {};

TEST_P(OneStoreyColumns, MatchHandWorkedValues) {
    BuildOneStorey();
    const NValueStatus st = RunCheck();
    EXPECT_TRUE(st.ok);
    EXPECT_STREQ(st.text, "OK");
    EXPECT_EQ(st.colour, NValueStatusBlack);

    const OneStoreyCase& c = GetParam();
    const ColumnJointRecord& r = At(0, c.x, c.y);
    EXPECT_NEAR(r.b1, c.b, Tol);
    EXPECT_NEAR(r.lValue, c.l, Tol);
    EXPECT_NEAR(r.pw1X, c.pwX, Tol);
    EXPECT_NEAR(r.a1X, c.aX, Tol);
    EXPECT_NEAR(r.pw1Y, c.pwY, Tol);
    EXPECT_NEAR(r.a1Y, c.aY, Tol);
    EXPECT_NEAR(r.nValueX, c.nX, Tol);
    EXPECT_NEAR(r.nValueY, c.nY, Tol);
    EXPECT_NEAR(r.pullOutX, c.tX, Tol);
    EXPECT_NEAR(r.pullOutY, c.tY, Tol);
    EXPECT_EQ(r.upper1Count, 0);
    EXPECT_EQ(r.upper1No[0], -1);
    // Both forms are always computed; the method only picks the one classified.
    EXPECT_EQ(ColumnHardwareClass(r, 0), c.classN);
    EXPECT_EQ(ColumnHardwareClass(r, 2), c.classN);
    EXPECT_EQ(ColumnHardwareClass(r, 1), c.classT);
}

INSTANTIATE_TEST_SUITE_P(
    NValues, OneStoreyColumns,
    ::testing::Values(
        // (1,1) corner: A +4.0/+2.5 (wall A on its +X side), C +1.5/+0.5 on +Y.
        //   Nx = 2.5·0.8 − 0.4 = 1.6 (on the bound 1.6: class 4); Ny = 0.5·0.8 − 0.4 = 0.
        //   Tx = (4.0·0.8 − 0.784)·2.7 = 2.416·2.7 = 6.5232 (> 5.29, ≤ 7.41: class 3)
        //   Ty = (1.5·0.8 − 0.784)·2.7 = 0.416·2.7 = 1.1232
        OneStoreyCase{1, 1, 0.8, 0.4, 4.0, 2.5, 1.5, 0.5, 1.6, 0.0, 6.5232, 1.1232, 4, 3},
        // (3,1) middle: −A + B = −4.0 + 1.0 → 3.0; −2.5 + 0.5 → 2.0.
        //   Nx = 2.0·0.5 − 0.6 = 0.4; Tx = (1.5 − 1.176)·2.7 = 0.8748; Ny = −0.6,
        //   Ty = −1.176·2.7 = −3.1752.
        OneStoreyCase{3, 1, 0.5, 0.6, 3.0, 2.0, 0.0, 0.0, 0.4, -0.6, 0.8748, -3.1752, 1, 1},
        // (5,1) corner: −B → 1.0/0.5. Nx = 0.4 − 0.4 = 0 (class 0);
        //   Tx = (0.8 − 0.784)·2.7 = 0.0432 (> 0: class 1).
        OneStoreyCase{5, 1, 0.8, 0.4, 1.0, 0.5, 0.0, 0.0, 0.0, -0.4, 0.0432, -2.1168, 0, 1},
        // (1,3) corner: −C → 1.5/0.5 along Y.
        OneStoreyCase{1, 3, 0.8, 0.4, 0.0, 0.0, 1.5, 0.5, -0.4, 0.0, -2.1168, 1.1232, 0, 1},
        // (3,3) middle without walls: N = −L = −0.6, T = −0.6·1.96·2.7 = −3.1752.
        OneStoreyCase{3, 3, 0.5, 0.6, 0, 0, 0, 0, -0.6, -0.6, -3.1752, -3.1752, 0, 0},
        // (5,3) corner without walls: N = −0.4, T = −0.784·2.7 = −2.1168.
        OneStoreyCase{5, 3, 0.8, 0.4, 0, 0, 0, 0, -0.4, -0.4, -2.1168, -2.1168, 0, 0}));

TEST(NValues, ColumnOrderIsAscendingXThenDescendingY) {
    BuildOneStorey();
    RunCheck();
    // Records 0..5: (1,1) (3,1) (5,1) (1,3) (3,3) (5,3) → (1,3) (1,1) (3,3) (3,1) (5,3) (5,1).
    const int expected[6] = {3, 0, 4, 1, 5, 2};
    EXPECT_EQ(NValueRes.ColumnOrderCount[0][0], 6);
    for (int p = 0; p < 6; ++p) EXPECT_EQ(NValueRes.ColumnOrder[0][0][p], expected[p]) << p;
    EXPECT_EQ(NValueRes.ColumnOrder[0][0][6], -1);
}

// The plain sort must give exactly the exchange sort's order wherever no two columns share a
// node, and refuse wherever two do: crowded and sparse plans, columns off the grid.
TEST(NValues, ReportOrderBySortIsThatOfTheExchangeSort) {
    std::mt19937 rng(61);
    ColumnRecord cols[MaxColumns];
    int32_t plain[MaxColumns], sorted[MaxColumns];
    for (int round = 0; round < 100; ++round) {
        const int n = 1 + static_cast<int>(rng() % MaxColumns);
        const int spread = round % 2 == 0 ? 15 : 110; // nodes -5 .. spread - 6 each way
        std::vector<std::pair<int32_t, int32_t>> nodes;
        for (int x = 0; x < spread; ++x)
            for (int y = 0; y < spread; ++y) nodes.emplace_back(x - 5, y - 5);
        std::shuffle(nodes.begin(), nodes.end(), rng);
        for (int i = 0; i < n; ++i) cols[i] = {nodes[i].first, nodes[i].second, 1, 0, 0};
        const bool shared = round % 3 == 0 && n > 1;
        if (shared) cols[rng() % (n - 1)] = cols[n - 1];
        ExchangeSortColumns(plain, n, cols);
        ASSERT_EQ(SortColumnsOnOwnNodes(sorted, n, cols), !shared) << "round " << round;
        if (shared) continue;
        ASSERT_EQ(std::memcmp(plain, sorted, n * sizeof plain[0]), 0) << "round " << round;
    }
}

TEST(NValues, WallThatCarriesNothingAndObliqueWall) {
    ResetHouse(0);
    AddColumn(0, 1, 1);
    AddColumn(0, 3, 3);
    AddColumn(0, 1, 3);
    // Oblique (1,1)-(3,3), K1, Pw 1.0: both ends collect +1.0 / +0.5 in both directions.
    AddWall(0, 1, 1, 3, 3, PanelK1, 1.0);
    // A wall with no effective length adds nothing, whatever its strength per metre.
    AddWall(0, 1, 1, 1, 3, PanelP1, 9.0, false);
    RunCheck();
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{3, 3}}) {
        const ColumnJointRecord& r = At(0, x, y);
        EXPECT_NEAR(r.pw1X, 1.0, Tol);
        EXPECT_NEAR(r.pw1Y, 1.0, Tol);
        EXPECT_NEAR(r.a1X, 0.5, Tol);
        EXPECT_NEAR(r.a1Y, 0.5, Tol);
    }
    const ColumnJointRecord& r = At(0, 1, 3);
    EXPECT_EQ(r.pw1Y, 0.0);
    EXPECT_EQ(r.a1Y, 0.0);
}

// ---- Corner marking ----

TEST(NValues, CornerRulesOverrideTheAutomaticResultAndMarkTheNodeMap) {
    BuildOneStorey();
    // (1,1) rule 2 (ordinary column), (3,3) rule 1 with hardware 2, (5,1) rule 3 (damaged:
    // automatic), (5,3) a negative joint word (damaged: automatic).
    Doc.Columns[0][0][0].joint = 2 * 4;
    Doc.Columns[0][0][4].joint = 1 * 4 + 2;
    Doc.Columns[0][0][2].joint = 3 * 4;
    Doc.Columns[0][0][5].joint = -7;
    // Three columns on the corner (1,3), with rules corner, ordinary and automatic: each acts
    // in record order, so the ordinary holds for all three.
    Doc.Columns[0][0][3].joint = 1 * 4;
    const int second = AddColumn(0, 1, 3, 2 * 4), third = AddColumn(0, 1, 3, 0);
    Prepare();
    CalcNValues();
    const auto& map = WallEval.GridNodeMap[0][0];
    EXPECT_EQ(map[1][3], 1);
    for (const int i : {3, second, third})
        EXPECT_NEAR(NValueRes.ColumnJointResult[0][0][i].b1, 0.5, Tol) << i;
    EXPECT_EQ(map[1][1], 1);  // ordinary by rule
    EXPECT_EQ(map[3][3], -9); // corner by rule: hardware 2 × 4 + kind 1
    EXPECT_EQ(map[5][1], -1); // automatic corner
    EXPECT_EQ(map[5][3], -5); // the damaged word still gives hardware 1 in the node map
    EXPECT_EQ(map[3][1], 1);  // automatic middle
    // (1,1) as an ordinary column: B 0.5, L 0.6; Nx = 2.5·0.5 − 0.6 = 0.65.
    EXPECT_NEAR(At(0, 1, 1).b1, 0.5, Tol);
    EXPECT_NEAR(At(0, 1, 1).lValue, 0.6, Tol);
    EXPECT_NEAR(At(0, 1, 1).nValueX, 0.65, Tol);
    EXPECT_NEAR(At(0, 3, 3).b1, 0.8, Tol);
    EXPECT_NEAR(At(0, 3, 3).lValue, 0.4, Tol);

    // A second run over the same node map (no wall evaluation in between) gives the same
    // signs and values: the signs are set, not toggled.
    CalcNValues();
    EXPECT_EQ(map[1][1], 1);
    EXPECT_EQ(map[3][3], -9);
    EXPECT_EQ(map[5][1], -1);
    EXPECT_NEAR(At(0, 1, 1).nValueX, 0.65, Tol);
}

// The spans must mark every map as the search of every quadrant does: scattered columns, plans
// of a few rooms with columns missing, staircases (where most quadrants are empty), codes of
// either sign with and without the floor above, nodes under a floor alone, and columns outside
// the extent, which neither count nor change.
TEST(NValues, CornerNodesBySpansAreThoseOfTheQuadrantSearch) {
    std::mt19937 rng(66);
    const auto pick = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    static NodeCodes plain, spans;
    int corners = 0, inner = 0;
    for (int round = 0; round < 300; ++round) {
        NodeCodes& map = plain;
        const int shape = round % 3;
        const double density = std::uniform_real_distribution<double>(0.002, 0.6)(rng);
        const auto columnCode = [&] {
            const int code = pick(1, 15) + (pick(0, 1) ? FloorAboveBit : 0);
            return pick(0, 3) == 0 ? -code : code;
        };
        for (int x = 0; x < AxisCountX; ++x)
            for (int y = 0; y < AxisCountY; ++y) map[x][y] = pick(0, 2) == 0 ? FloorAboveBit : 0;
        if (shape == 0) { // scattered
            for (int x = 0; x < AxisCountX; ++x)
                for (int y = 0; y < AxisCountY; ++y)
                    if (std::bernoulli_distribution(density)(rng)) map[x][y] = columnCode();
        } else if (shape == 1) { // rooms, some of their columns missing
            for (int room = pick(1, 4); room > 0; --room) {
                const int x0 = pick(0, 90), y0 = pick(0, 90);
                const int x1 = pick(x0, std::min(99, x0 + 30)),
                          y1 = pick(y0, std::min(99, y0 + 30));
                for (int x = x0; x <= x1; ++x)
                    for (int y = y0; y <= y1; ++y)
                        if (!std::bernoulli_distribution(density / 2)(rng))
                            map[x][y] = columnCode();
            }
        } else { // a staircase down from the upper left, one or two columns wide
            int x = pick(0, 20), y = pick(80, 99);
            const int width = pick(1, 2);
            while (x < AxisCountX && y >= 0) {
                for (int w = 0; w < width && y + w < AxisCountY; ++w) map[x][y + w] = columnCode();
                if (pick(0, 1))
                    ++x;
                else
                    --y;
            }
        }
        int minX = pick(0, 99), maxX = pick(0, 99), minY = pick(0, 99), maxY = pick(0, 99);
        if (round % 5 == 0) minX = minY = 0, maxX = maxY = 99;
        if (round % 7 != 0) { // an empty extent now and then
            if (minX > maxX) std::swap(minX, maxX);
            if (minY > maxY) std::swap(minY, maxY);
        }
        std::memcpy(spans, plain, sizeof plain);
        MarkCornerNodesByQuadrants(plain, minX, maxX, minY, maxY);
        MarkCornerNodesBySpans(spans, minX, maxX, minY, maxY);
        ASSERT_EQ(std::memcmp(plain, spans, sizeof plain), 0) << "round " << round;
        for (int x = minX; x <= maxX; ++x)
            for (int y = minY; y <= maxY; ++y) {
                const int32_t code = plain[x][y];
                if (code != 0 && code != FloorAboveBit) ++(code < 0 ? corners : inner);
            }
    }
    // Both kinds of node were there to be told apart.
    EXPECT_GT(corners, 1000);
    EXPECT_GT(inner, 1000);
}

// Records started with their entries kept come out as records started blank, whatever the house
// before left in them: random houses in a row, the full-capacity house (whose columns keep many
// entries) now and then before a smaller one, every scenario on screen.
TEST(NValues, RecordsStartedWithTheirEntriesKeptAreThoseStartedBlank) {
    static ColumnJointResults kept;
    const auto same = [](const ColumnJointResults& a, const ColumnJointResults& b, int sc) {
        return std::memcmp(a.ColumnJointResult[sc], b.ColumnJointResult[sc],
                           sizeof a.ColumnJointResult[sc]) == 0 &&
               std::memcmp(a.FailingColumn[sc], b.FailingColumn[sc], sizeof a.FailingColumn[sc]) ==
                   0 &&
               std::memcmp(a.FailingColumnCount[sc], b.FailingColumnCount[sc],
                           sizeof a.FailingColumnCount[sc]) == 0 &&
               std::memcmp(&a.Status, &b.Status, sizeof a.Status) == 0;
    };
    int entries = 0;
    for (int i = 0; i < 120; ++i) {
        if (i % 10 == 0) {
            capacity::BuildFullCapacityHouse();
            RunDiagnosis();
        }
        randomhouse::Build(67, i);
        App.CurrentScenario = i % Scenarios;
        RunDiagnosis();
        const int sc = CalcScenario();
        kept = NValueRes;
        CalcNValues(RecordStart::Blank);
        ASSERT_TRUE(same(kept, NValueRes, sc)) << "house " << i;
        for (const auto& storey : NValueRes.ColumnJointResult[sc])
            for (const ColumnJointRecord& r : storey) entries += r.upper1Count + r.upper2Count;
    }
    // Houses that hand entries down were among them.
    EXPECT_GT(entries, 100);
}

TEST(NValues, FloorAboveRaisesLAndFloorOnlyNodesAreNotColumns) {
    BuildOneStorey();
    Doc.StoreyData.topStorey[0] = 1;
    // "２階床" over (0,0)-(6,4): every column node gets 16; the nodes around them carry 16
    // alone and must not fill the corner columns' empty quadrants.
    AddUpperFloor(0, 0, 0, 6, 4);
    RunCheck();
    EXPECT_EQ(WallEval.GridNodeMap[0][0][1][1], -17);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][3][1], 17);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][0][0], 16);
    // Corner under a floor: L 1.0; middle: L 1.6. (1,1): Nx = 2.5·0.8 − 1.0 = 1.0;
    // (3,1): Nx = 2.0·0.5 − 1.6 = −0.6, Tx = (1.5 − 3.136)·2.7 = −4.4172.
    EXPECT_NEAR(At(0, 1, 1).lValue, 1.0, Tol);
    EXPECT_NEAR(At(0, 1, 1).nValueX, 1.0, Tol);
    EXPECT_NEAR(At(0, 3, 1).lValue, 1.6, Tol);
    EXPECT_NEAR(At(0, 3, 1).nValueX, -0.6, Tol);
    EXPECT_NEAR(At(0, 3, 1).pullOutX, -4.4172, Tol);
}

TEST(NValues, BraceEndCorrectionsAndDamagedCodesStayInTheTables) {
    BuildOneStorey();
    Prepare();
    // (3,3) middle column without walls: −X 0 / +X 14 adds +2.0; −Y 13 / +Y 0 adds −2.0,
    // whose magnitude counts. Nx = Ny = 2.0·0.5 − 0.6 = 0.4.
    int32_t(&c33)[4] = WallEval.GridCellWalls[0][0][3][3];
    c33[0] = 0, c33[1] = 14, c33[2] = 13, c33[3] = 0;
    // (5,3): damaged codes are brought into 0..15: 99 → 15 and 6 give +0.5; −4 → 0 and 1000
    // → 15 give 0.
    int32_t(&c53)[4] = WallEval.GridCellWalls[0][0][5][3];
    c53[0] = 99, c53[1] = 6, c53[2] = -4, c53[3] = 1000;
    CalcNValues();
    EXPECT_NEAR(At(0, 3, 3).a1X, 2.0, Tol);
    EXPECT_NEAR(At(0, 3, 3).a1Y, 2.0, Tol);
    EXPECT_NEAR(At(0, 3, 3).nValueX, 0.4, Tol);
    EXPECT_NEAR(At(0, 3, 3).nValueY, 0.4, Tol);
    EXPECT_EQ(At(0, 3, 3).pw1X, 0.0); // the correction is for the ratios only
    EXPECT_NEAR(At(0, 5, 3).a1X, 0.5, Tol);
    EXPECT_NEAR(At(0, 5, 3).a1Y, 0.0, Tol);
}

TEST(NValues, DamagedWallRowsAndCountsAreBounded) {
    BuildOneStorey();
    // Rows from a damaged file: every look-up is brought into its table.
    Doc.Walls[0][0][0].panelL = 5000;
    Doc.Walls[0][0][0].panelR = -3;
    Doc.Walls[0][0][1].bracing = -1;
    Prepare();
    Doc.ColumnCount[0][0] = 100000;
    Doc.WallCount[0][0] = -5;
    const NValueStatus st = CalcNValues();
    EXPECT_TRUE(st.ok);
    EXPECT_EQ(NValueRes.ColumnOrderCount[0][0], MaxColumns);
    for (int i = 0; i < MaxColumns; ++i) {
        EXPECT_TRUE(std::isfinite(NValueRes.ColumnJointResult[0][0][i].nValueX));
        EXPECT_TRUE(std::isfinite(NValueRes.ColumnJointResult[0][0][i].pullOutY));
    }
}

TEST(NValues, RowsOutsideTheTablesAddNoRatio) {
    // Wall A (1,1)-(3,1) with its P1 panel replaced by codes outside every table (a damaged
    // file): bracing row 100 (the table has 84), mud class 7 (of 6), panels 5000 and -3. The
    // wall's strength counts none of them, and neither does its ratio: A of (1,1) in X is 0
    // (no brace end codes either), so Nx = 0·0.8 − 0.4 = −0.4; B adds only its K1 0.5 at
    // (3,1): |−0 + 0.5| = 0.5.
    BuildOneStorey();
    Doc.Walls[0][0][0].bracing = 7 * 128 + 100;
    Doc.Walls[0][0][0].panelL = 5000;
    Doc.Walls[0][0][0].panelR = -3;
    RunCheck();
    EXPECT_NEAR(At(0, 1, 1).a1X, 0.0, Tol);
    EXPECT_NEAR(At(0, 1, 1).nValueX, -0.4, Tol);
    EXPECT_NEAR(At(0, 3, 1).a1X, 0.5, Tol);
}

// ---- Hand-down ----

// Storey 1 columns U (2,2) and W (4,2) joined by a P1 wall (Pw 4.0, A 2.5), both corners
// (B 0.8). Storey 0 has columns only on (1,2) and (5,2), under a "２階床" (1,1)-(5,3): both
// corners with L 1.0. U and W stand between them on their Y line.
TEST(NValues, LeverSplitBetweenTwoSupportingColumns) {
    ResetHouse(1);
    AddColumn(0, 1, 2);
    AddColumn(0, 5, 2);
    AddUpperFloor(0, 1, 1, 5, 3);
    AddColumn(1, 2, 2);
    AddColumn(1, 4, 2);
    AddWall(1, 2, 2, 4, 2, PanelP1, 4.0);
    const NValueStatus st = RunCheck();
    EXPECT_TRUE(st.ok);
    EXPECT_EQ(NumberOf(1, 2, 2), 1);
    EXPECT_EQ(NumberOf(1, 4, 2), 2);

    // U: a = 2 − 1 = 1, b = 5 − 2 = 3. (1,2) takes b/(a+b) = 3/4: Pw 3.0, A 1.875, (a, b) =
    // (1, 3); (5,2) takes 1/4: Pw 1.0, A 0.625, (3, 1). W: a = 3, b = 1, the reverse.
    const ColumnJointRecord& left = At(0, 1, 2);
    ASSERT_EQ(left.upper1Count, 2);
    EXPECT_EQ(left.upper1No[0], 1);
    EXPECT_NEAR(left.pw2X[0], 3.0, Tol);
    EXPECT_NEAR(left.a2X[0], 1.875, Tol);
    EXPECT_NEAR(left.upper1PwX[0], 4.0, Tol);
    EXPECT_NEAR(left.upper1AX[0], 2.5, Tol);
    EXPECT_NEAR(left.upper1DistA[0], 1.0, Tol);
    EXPECT_NEAR(left.upper1DistB[0], 3.0, Tol);
    EXPECT_NEAR(left.b2[0], 0.8, Tol);
    EXPECT_EQ(left.upper1No[1], 2);
    EXPECT_NEAR(left.pw2X[1], 1.0, Tol);
    EXPECT_NEAR(left.a2X[1], 0.625, Tol);
    EXPECT_NEAR(left.upper1DistA[1], 3.0, Tol);
    EXPECT_NEAR(left.upper1DistB[1], 1.0, Tol);
    EXPECT_EQ(left.upper1No[2], -1);
    // Nx = (1.875 + 0.625)·0.8 − 1.0 = 1.0; Tx = ((3.0 + 1.0)·0.8 − 1.96)·2.7 = 3.348.
    // Y: no wall anywhere: Ny = −1.0, Ty = −1.96·2.7 = −5.292.
    EXPECT_NEAR(left.nValueX, 1.0, Tol);
    EXPECT_NEAR(left.pullOutX, 3.348, Tol);
    EXPECT_NEAR(left.nValueY, -1.0, Tol);
    EXPECT_NEAR(left.pullOutY, -5.292, Tol);

    const ColumnJointRecord& right = At(0, 5, 2);
    ASSERT_EQ(right.upper1Count, 2);
    EXPECT_NEAR(right.pw2X[0], 1.0, Tol);
    EXPECT_NEAR(right.upper1DistA[0], 3.0, Tol);
    EXPECT_NEAR(right.pw2X[1], 3.0, Tol);
    EXPECT_NEAR(right.upper1DistA[1], 1.0, Tol);
    // The two shares of one upper column add up to its whole value.
    EXPECT_NEAR(left.pw2X[0] + right.pw2X[0], 4.0, Tol);
    EXPECT_NEAR(left.a2X[1] + right.a2X[1], 2.5, Tol);
    EXPECT_NEAR(right.nValueX, 1.0, Tol);

    // U itself: Nx = 2.5·0.8 − 0.4 = 1.6 (no floor above the second storey).
    EXPECT_NEAR(At(1, 2, 2).nValueX, 1.6, Tol);
}

// Storey 1 columns (2,2) and (2,4) joined by a P1 wall along Y (Pw 4.0, A 2.5). Storey 0 has
// columns only on (2,1) and (2,5): on their X line below and above them, none left or right.
TEST(NValues, YValuesLeverBetweenTheColumnsBelowAndAbove) {
    ResetHouse(1);
    AddColumn(0, 2, 1);
    AddColumn(0, 2, 5);
    AddColumn(1, 2, 2);
    AddColumn(1, 2, 4);
    AddWall(1, 2, 2, 2, 4, PanelP1, 4.0);
    EXPECT_TRUE(RunCheck().ok);
    // Report order (2,4), (2,2). (2,4): a = 3 to (2,1), b = 1 to (2,5); (2,1) takes b/(a+b) =
    // 1/4: Pw 1.0, A 0.625; (2,5) 3/4. (2,2): a = 1, b = 3, the reverse.
    const ColumnJointRecord& below = At(0, 2, 1);
    ASSERT_EQ(below.upper1Count, 2);
    EXPECT_NEAR(below.pw2Y[0], 1.0, Tol);
    EXPECT_NEAR(below.a2Y[0], 0.625, Tol);
    EXPECT_NEAR(below.upper1DistA[0], 3.0, Tol);
    EXPECT_NEAR(below.upper1DistB[0], 1.0, Tol);
    EXPECT_NEAR(below.pw2Y[1], 3.0, Tol);
    EXPECT_EQ(below.pw2X[0], 0.0);
    const ColumnJointRecord& above = At(0, 2, 5);
    ASSERT_EQ(above.upper1Count, 2);
    EXPECT_NEAR(above.pw2Y[0], 3.0, Tol);
    EXPECT_NEAR(above.a2Y[0], 1.875, Tol);
    EXPECT_NEAR(above.upper1DistA[0], 1.0, Tol);
    EXPECT_NEAR(above.pw2Y[1], 1.0, Tol);
}

TEST(NValues, LeverSharesAreTheirOwnQuotients) {
    // Upper column U (2,2) at the end of a wall (1,2)-(2,2) of Pw 5.0 on storey 1: Pw of U in
    // X is 5.0. Storey 0 has columns on (1,2) and (6,2) only: a = 1, b = 4. The left column
    // takes 5·b/(a+b) = 4.0, the right one 5·a/(a+b) = 5·1/5 = 1.0 exactly (5·(1 − 4/5) would
    // leave 0.9999999999999998).
    ResetHouse(1);
    AddColumn(0, 1, 2);
    AddColumn(0, 6, 2);
    AddColumn(1, 2, 2);
    AddWall(1, 1, 2, 2, 2, PanelP1, 5.0);
    RunCheck();
    ASSERT_EQ(At(0, 6, 2).upper1Count, 1);
    EXPECT_EQ(At(0, 1, 2).pw2X[0], 4.0);
    EXPECT_EQ(At(0, 6, 2).pw2X[0], 1.0);
}

// Storey 1 columns (6,7) and (6,5) joined by a K1 wall along Y (Pw 2.0); storey 0 has columns
// only on (1,1) and (3,1), on neither of their grid lines.
TEST(NValues, ColumnThatHandsItsLoadToNothingIsReported) {
    ResetHouse(1);
    AddColumn(0, 1, 1);
    AddColumn(0, 3, 1);
    AddColumn(1, 6, 5);
    AddColumn(1, 6, 7);
    AddWall(1, 6, 5, 6, 7, PanelK1, 2.0);
    const NValueStatus st = RunCheck();

    // Report order (6,7), (6,5): the last failing one is (6,5) = 6 × 128 + 5. Neither has an
    // X difference, so each fails once (Y only).
    EXPECT_EQ(NValueRes.FailingColumn[0][1], 6 * 128 + 5);
    EXPECT_EQ(NValueRes.FailingColumnCount[0][1], 2);
    EXPECT_EQ(NValueRes.FailingColumnCount[0][0], 0);
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(st.colour, NValueStatusRed);
    // Data from X 1..6 and Y 1..7, all main axes: X axis 6 is "X 5"; Y is counted from the
    // bottom of the screen (axis 7 "Y 0"), so Y axis 5 is "Y 2".
    EXPECT_STREQ(Grid.AxisLabelX[6], "X 5");
    EXPECT_STREQ(Grid.AxisLabelY[5], "Y 2");
    EXPECT_STREQ(st.text, "NG   X 5-  Y 2");
    EXPECT_STREQ(NValueRes.Status.text, st.text);
    // The lost tension reaches no column below.
    EXPECT_EQ(At(0, 1, 1).upper1Count, 0);
    EXPECT_EQ(At(0, 3, 1).upper1Count, 0);
}

TEST(NValues, RatioWithoutStrengthIsNotHandedDownAndFailsNothing) {
    ResetHouse(1);
    AddColumn(0, 1, 1);
    AddColumn(1, 5, 5);
    Prepare();
    // A brace-end code gives the upper column a ratio difference (0 / 14: +2.0) but no
    // strength difference; the hand-down follows the strength, so nothing goes down.
    WallEval.GridCellWalls[0][1][5][5][1] = 14;
    const NValueStatus st = CalcNValues();
    EXPECT_NEAR(At(1, 5, 5).a1X, 2.0, Tol);
    EXPECT_TRUE(st.ok);
    EXPECT_EQ(NValueRes.FailingColumnCount[0][1], 0);
    EXPECT_EQ(At(0, 1, 1).upper1Total, 0);
}

// Storey 1: (0,0) and (3,0) joined by a K1 wall along X (Pw 1.0); storey 0: one column on
// (3,3). (3,0) finds (3,3) on its X line; (0,0) finds nothing.
TEST(NValues, FailingColumnOnTheOriginNodeIsStillReported) {
    ResetHouse(1);
    AddColumn(0, 3, 3);
    // Axis 0 is never used by the editor, but a file can put a column there.
    AddColumn(1, 0, 0);
    AddColumn(1, 3, 0);
    AddWall(1, 0, 0, 3, 0, PanelK1, 1.0);
    const NValueStatus st = RunCheck();
    EXPECT_EQ(NValueRes.FailingColumn[0][1], 0); // node code of axes 0 and 0
    EXPECT_EQ(NValueRes.FailingColumnCount[0][1], 1);
    EXPECT_FALSE(st.ok);
    // Data X 0..3, Y 0..3: X axis 0 is "X 0", Y axis 0 (the top of the screen) "Y 3".
    EXPECT_STREQ(st.text, "NG   X 0-  Y 3");
    // (3,0) hands its whole X values to (3,3): Pw 1.0, A 0.5.
    ASSERT_EQ(At(0, 3, 3).upper1Count, 1);
    EXPECT_NEAR(At(0, 3, 3).pw2X[0], 1.0, Tol);
}

// Three storeys. Storey 2: T (3,2) and T' (5,2) joined by a K1 wall (Pw 2.0, A 0.5), both
// corners (B 0.8). Storey 1: columns (1,2) (3,2) (5,2) without walls under a "２階床"
// (1,1)-(5,3). Storey 0: columns (1,2) and (5,2) under a "２階床" (1,1)-(5,3).
TEST(NValues, ThreeStoreyChainReachesTheFirstStoreyAsSecondLevelEntries) {
    ResetHouse(2);
    AddColumn(0, 1, 2);
    AddColumn(0, 5, 2);
    AddUpperFloor(0, 1, 1, 5, 3);
    AddColumn(1, 1, 2);
    AddColumn(1, 3, 2);
    AddColumn(1, 5, 2);
    AddUpperFloor(1, 1, 1, 5, 3);
    AddColumn(2, 3, 2);
    AddColumn(2, 5, 2);
    AddWall(2, 3, 2, 5, 2, PanelK1, 2.0);
    const NValueStatus st = RunCheck();
    EXPECT_TRUE(st.ok);

    // T stands on the second-storey column (3,2): one entry with its whole values.
    const ColumnJointRecord& v = At(1, 3, 2);
    ASSERT_EQ(v.upper1Count, 1);
    EXPECT_EQ(v.upper1No[0], 1);
    EXPECT_NEAR(v.pw2X[0], 2.0, Tol);
    EXPECT_NEAR(v.a2X[0], 0.5, Tol);
    EXPECT_NEAR(v.b2[0], 0.8, Tol);
    EXPECT_EQ(v.upper1DistA[0], 0.0);
    // (3,2) on storey 1 is a middle column under a floor: B 0.5, L 1.6;
    // Nx = 0.5·0.8 − 1.6 = −1.2.
    EXPECT_NEAR(v.b1, 0.5, Tol);
    EXPECT_NEAR(v.nValueX, -1.2, Tol);

    // Storey 1 numbers: (1,2) 1, (3,2) 2, (5,2) 3. (3,2) has no column below: its share of
    // T goes to (1,2) and (5,2) by the lever a = b = 2: Pw 1.0, A 0.25 each. (5,2) passes T'
    // straight down. Storey-1 columns with no difference of their own still make an entry
    // on the column directly below.
    const ColumnJointRecord& l = At(0, 1, 2);
    ASSERT_EQ(l.upper1Count, 1);
    EXPECT_EQ(l.upper1No[0], 1);
    EXPECT_EQ(l.pw2X[0], 0.0);
    ASSERT_EQ(l.upper2Count, 1);
    EXPECT_EQ(l.upper2No[0], 2);
    EXPECT_NEAR(l.pw3X[0], 1.0, Tol);
    EXPECT_NEAR(l.a3X[0], 0.25, Tol);
    EXPECT_NEAR(l.upper2PwX[0], 2.0, Tol);
    EXPECT_NEAR(l.upper2AX[0], 0.5, Tol);
    EXPECT_NEAR(l.upper2DistA[0], 2.0, Tol);
    EXPECT_NEAR(l.upper2DistB[0], 2.0, Tol);
    EXPECT_NEAR(l.b3[0], 0.8, Tol); // the third-storey column's B, not the second's 0.5

    const ColumnJointRecord& r = At(0, 5, 2);
    ASSERT_EQ(r.upper2Count, 2);
    EXPECT_EQ(r.upper2No[0], 2);
    EXPECT_NEAR(r.pw3X[0], 1.0, Tol);
    EXPECT_EQ(r.upper2No[1], 3);
    EXPECT_NEAR(r.pw3X[1], 2.0, Tol);
    EXPECT_NEAR(r.a3X[1], 0.5, Tol);
    EXPECT_EQ(r.upper2DistA[1], 0.0);

    // First storey of three, corner under a floor, a second-storey column above carrying the
    // third: L 1.6. (1,2): Nx = 0.25·0.8 − 1.6 = −1.4, Tx = (1.0·0.8 − 3.136)·2.7 = −6.3072.
    // (5,2): Nx = (0.25 + 0.5)·0.8 − 1.6 = −1.0, Tx = (3.0·0.8 − 3.136)·2.7 = −1.9872.
    EXPECT_NEAR(l.lValue, 1.6, Tol);
    EXPECT_NEAR(l.nValueX, -1.4, Tol);
    EXPECT_NEAR(l.pullOutX, -6.3072, Tol);
    EXPECT_NEAR(r.lValue, 1.6, Tol);
    EXPECT_NEAR(r.nValueX, -1.0, Tol);
    EXPECT_NEAR(r.pullOutX, -1.9872, Tol);
}

// Three storeys, with failures on two storeys. Storey 2: (3,2)-(3,4) K1 wall along Y (Pw
// 2.0) standing on second-storey columns (3,2) and (3,4); and (10,3)-(10,5) along Y, with
// nothing below on storey 1. Storey 0: one column on (8,8).
TEST(NValues, ThreeStoreyFailuresAndTheHighestStoreyIsNamed) {
    ResetHouse(2);
    AddColumn(0, 8, 8);
    AddColumn(1, 3, 2);
    AddColumn(1, 3, 4);
    AddColumn(2, 3, 2);
    AddColumn(2, 3, 4);
    AddWall(2, 3, 2, 3, 4, PanelK1, 2.0);
    AddColumn(2, 10, 3);
    AddColumn(2, 10, 5);
    AddWall(2, 10, 3, 10, 5, PanelK1, 2.0);
    const NValueStatus st = RunCheck();

    // The second-storey columns pass the shares on and find nothing on storey 0: the failure
    // belongs to storey 0, with the second-storey column's node; report order (3,4), (3,2).
    EXPECT_EQ(NValueRes.FailingColumn[0][0], 3 * 128 + 2);
    EXPECT_EQ(NValueRes.FailingColumnCount[0][0], 2);
    // Storey 2: report order (3,4) (3,2) (10,5) (10,3); the last failing one is (10,3).
    EXPECT_EQ(NValueRes.FailingColumn[0][2], 10 * 128 + 3);
    EXPECT_EQ(NValueRes.FailingColumnCount[0][1], 0);
    // The label names the highest storey's column.
    char expected[24];
    std::snprintf(expected, sizeof expected, "NG %5s-%5s", Grid.AxisLabelX[10], Grid.AxisLabelY[3]);
    EXPECT_STREQ(st.text, expected);
    EXPECT_EQ(st.colour, NValueStatusRed);
}

// Twenty second-storey columns (1,k) and (3,k), k = 2..11, each pair joined by a K1 wall
// along X (Pw 1.0, A 0.5). Storey 0 has only (1,1) and (3,1): every upper column finds a
// column below it on its X line only, and hands its whole X values down.
TEST(NValues, EveryEntrySumsAndTheFirstEightAreKept) {
    ResetHouse(1);
    AddColumn(0, 1, 1);
    AddColumn(0, 3, 1);
    for (int k = 2; k <= 11; ++k) {
        AddColumn(1, 1, k);
        AddColumn(1, 3, k);
        AddWall(1, 1, k, 3, k, PanelK1, 1.0);
    }
    EXPECT_TRUE(RunCheck().ok);

    // (1,1) receives from (1,11) (corner, B 0.8), (1,10)..(1,3) (B 0.5) and (1,2) (corner,
    // B 0.8), in report order. ΣA·B = 0.5·(0.8 + 8·0.5 + 0.8) = 2.8; Nx = 2.8 − 0.4 = 2.4.
    // ΣPw·B = 5.6; Tx = (5.6 − 0.784)·2.7 = 13.0032. Keeping only eight entries would give
    // Nx = 0.5·(0.8 + 7·0.5) − 0.4 = 1.75.
    const ColumnJointRecord& r = At(0, 1, 1);
    EXPECT_EQ(r.upper1Total, 10);
    EXPECT_EQ(r.upper1Count, FirstLevelEntries);
    for (int k = 0; k < FirstLevelEntries; ++k) EXPECT_EQ(r.upper1No[k], k + 1) << k;
    EXPECT_NEAR(r.b2[0], 0.8, Tol);
    EXPECT_NEAR(r.b2[7], 0.5, Tol); // the eighth entry is (1,4), not the last handed down
    EXPECT_NEAR(r.upper1SumAX, 2.8, Tol);
    EXPECT_NEAR(r.nValueX, 2.4, Tol);
    EXPECT_NEAR(r.pullOutX, 13.0032, Tol);
    EXPECT_EQ(ColumnHardwareClass(r, 0), 6); // 2.4: above 1.8, not above 2.8: (と)
    EXPECT_EQ(ColumnHardwareClass(r, 1), 6); // 13.0032 kN: above 9.53, not above 14.82
}

// The same through three storeys: 28 third-storey columns (1,k) and (3,k), k = 2..15, each
// pair joined by a K1 wall along X; the second storey and the first have only (1,1) and
// (3,1). Each (1,k) hands its whole X values to V = (1,1) of the second storey (14 entries),
// and V passes all 14 on to the first-storey column on its node, as second-level entries.
TEST(NValues, EverySecondLevelEntrySumsAndTheFirstTwelveAreKept) {
    ResetHouse(2);
    for (int f = 0; f < 2; ++f) {
        AddColumn(f, 1, 1);
        AddColumn(f, 3, 1);
    }
    for (int k = 2; k <= 15; ++k) {
        AddColumn(2, 1, k);
        AddColumn(2, 3, k);
        AddWall(2, 1, k, 3, k, PanelK1, 1.0);
    }
    EXPECT_TRUE(RunCheck().ok);
    EXPECT_EQ(At(1, 1, 1).upper1Total, 14);

    // First-storey (1,1), corner without a floor above (B 0.8, L 0.4), no wall of its own: from
    // V one entry of nothing, and the shares of (1,15) (corner, B 0.8), (1,14)..(1,3) (B 0.5)
    // and (1,2) (corner, B 0.8) in report order. ΣA·B = 0.5·(0.8 + 12·0.5 + 0.8) = 3.8;
    // Nx = 3.8 − 0.4 = 3.4. ΣPw·B = 7.6; Tx = (7.6 − 0.784)·2.7 = 18.4032. Passing on only
    // the eight entries V keeps would give Nx = 0.5·(0.8 + 7·0.5) − 0.4 = 1.75, and summing
    // only the twelve entries kept here 0.5·(0.8 + 11·0.5) − 0.4 = 2.75.
    const ColumnJointRecord& r = At(0, 1, 1);
    EXPECT_EQ(r.upper1Total, 1);
    EXPECT_EQ(r.upper2Total, 14);
    EXPECT_EQ(r.upper2Count, SecondLevelEntries);
    for (int k = 0; k < SecondLevelEntries; ++k) EXPECT_EQ(r.upper2No[k], 1) << k;
    EXPECT_NEAR(r.b3[0], 0.8, Tol);
    EXPECT_NEAR(r.b3[11], 0.5, Tol); // the twelfth entry is (1,4), not the last handed down
    EXPECT_NEAR(r.upper2SumAX, 3.8, Tol);
    EXPECT_NEAR(r.nValueX, 3.4, Tol);
    EXPECT_NEAR(r.pullOutX, 18.4032, Tol);
}

// The check reads the wall evaluation's results as that evaluation leaves them: block 0 of
// the reduced strength, nothing of a wall without effective length.
TEST(NValues, ReadsTheWallEvaluationOfTheSameRun) {
    BuildOneStorey();
    Doc.RoofFloorRects[0][0][0] = {1, 1, 5, 3, 3}; // light roof over the house
    Doc.RoofFloorRectCount[0][0] = 1;
    App.CurrentScenario = 0;
    ComputeExtents();
    BuildAxisLabels();
    SelectWallElementTables();
    BuildWallLineLists();
    ClassifyWalls();
    EvaluateWallStrengths();
    CalcNValues();
    const WallResultRecord& a = WallEval.WallResult[0][0][0][0];
    const WallResultRecord& b = WallEval.WallResult[0][0][1][0];
    ASSERT_GT(a.effectiveLength, 0.0);
    ASSERT_GT(a.reducedStrength, 0.0);
    // (3,1) collects wall B on its +X side and wall A on its -X side.
    EXPECT_NEAR(At(0, 1, 1).pw1X, a.reducedStrength, Tol);
    EXPECT_NEAR(At(0, 3, 1).pw1X, std::fabs(b.reducedStrength - a.reducedStrength), Tol);
    EXPECT_NEAR(At(0, 3, 1).a1X, 2.0, Tol); // |0.5 - 2.5|
}

// Columns sharing a node each take every wall ending there. A run keeps nothing of a bigger
// house before it: the same small house gives the same results whatever ran first.
TEST(NValues, SharedNodesTakeTheSameWallsAndNothingOfAnEarlierHouseRemains) {
    const auto buildSmall = [] {
        ResetHouse(1);
        AddColumn(0, 1, 1);
        AddColumn(0, 3, 1);
        AddColumn(1, 1, 1);
        AddColumn(1, 1, 1);
        AddColumn(1, 2, 1); // nothing below it here, a column below it in the bigger house
        AddColumn(1, 3, 1);
        AddWall(1, 1, 1, 3, 1, PanelP1, 4.0);
    };
    buildSmall();
    RunCheck();
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(NValueRes.ColumnJointResult[0][1][i].pw1X, 4.0, Tol) << i;
        EXPECT_NEAR(NValueRes.ColumnJointResult[0][1][i].a1X, 2.5, Tol) << i;
    }
    EXPECT_EQ(At(0, 1, 1).upper1Total, 2);
    EXPECT_EQ(At(0, 3, 1).upper1Total, 1);
    const auto first = std::make_unique<ColumnJointResults>(NValueRes);

    ResetHouse(2);
    for (int f = 0; f < Storeys; ++f)
        for (int x = 1; x <= 6; ++x)
            for (int y = 1; y <= 4; ++y) AddColumn(f, x, y, (x * y) % 12);
    for (int f = 0; f < Storeys; ++f) AddWall(f, 1, 2, 6, 2, PanelK1, 1.0);
    RunCheck();
    buildSmall();
    RunCheck();
    // The small house's own records as in its first run; the bigger house's records past them
    // blank. (Records no run reached may hold what a test wrote from outside.)
    ColumnJointRecord blank{};
    for (int32_t& no : blank.upper1No) no = -1;
    for (int32_t& no : blank.upper2No) no = -1;
    for (int f = 0; f < Storeys; ++f) {
        const int n = Doc.ColumnCount[0][f];
        for (int i = 0; i < 24; ++i) {
            const ColumnJointRecord& expected = i < n ? first->ColumnJointResult[0][f][i] : blank;
            EXPECT_EQ(std::memcmp(&NValueRes.ColumnJointResult[0][f][i], &expected, sizeof blank),
                      0)
                << f << ' ' << i;
        }
    }
    EXPECT_EQ(
        std::memcmp(NValueRes.ColumnOrder[0], first->ColumnOrder[0], sizeof first->ColumnOrder[0]),
        0);
}

// ---- Hardware classes ----

struct ClassCase {
    double value;
    int32_t method;
    int32_t cls;
};

class HardwareClasses : public ::testing::TestWithParam<ClassCase> {};

TEST_P(HardwareClasses, AtTheirBoundaries) {
    const ClassCase& c = GetParam();
    EXPECT_EQ(JointHardwareClass(c.value, c.method), c.cls) << c.value << " method " << c.method;
}

// A value on a bound stays in the lower class, also with binary noise on it; the smallest
// step above the tolerance moves it up.
INSTANTIATE_TEST_SUITE_P(
    NValues, HardwareClasses,
    ::testing::Values(
        ClassCase{-1.0, 0, 0}, ClassCase{0.0, 0, 0}, ClassCase{1e-12, 0, 0}, ClassCase{1e-6, 0, 1},
        ClassCase{0.65, 0, 1}, ClassCase{0.1 + 0.55, 0, 1}, // 0.6500000000000001
        ClassCase{0.651, 0, 2}, ClassCase{1.0, 0, 2}, ClassCase{1.4, 0, 3}, ClassCase{1.6, 0, 4},
        ClassCase{1.8, 0, 5}, ClassCase{2.8, 0, 6}, ClassCase{3.7, 0, 7}, ClassCase{4.7, 0, 8},
        ClassCase{5.6, 0, 9}, ClassCase{5.6 + 1e-6, 0, 10}, ClassCase{100.0, 0, 10},
        // the middle classes held at both of their bounds
        ClassCase{1.8 + 1e-6, 0, 6}, ClassCase{2.8 + 1e-6, 0, 7}, ClassCase{3.7 + 1e-6, 0, 8},
        // method 2 is classified as the N-value method
        ClassCase{1.0, 2, 2}, ClassCase{1.01, 2, 3},
        // converted method, kN
        ClassCase{0.0, 1, 0}, ClassCase{0.01, 1, 1}, ClassCase{3.44, 1, 1}, ClassCase{3.45, 1, 2},
        ClassCase{5.29, 1, 2}, ClassCase{7.41, 1, 3}, ClassCase{8.47, 1, 4}, ClassCase{9.53, 1, 5},
        ClassCase{14.82, 1, 6}, ClassCase{19.58, 1, 7}, ClassCase{24.87, 1, 8},
        ClassCase{29.64, 1, 9}, ClassCase{29.65, 1, 10},
        // the converted bounds are not the N-value bounds
        ClassCase{3.0, 0, 7}, ClassCase{3.0, 1, 1}));

TEST(NValues, HardwareNamesAndMarksAreBounded) {
    EXPECT_STREQ(JointHardwareNameOf(0), JointHardwareNames[0]);
    EXPECT_STREQ(JointHardwareNameOf(10), JointHardwareNames[10]);
    EXPECT_STREQ(JointHardwareNameOf(-3), JointHardwareNames[0]);
    EXPECT_STREQ(JointHardwareNameOf(99), JointHardwareNames[10]);
    EXPECT_STREQ(JointHardwareMarkOf(10), "(\x81\x7E)"); // (×)
    EXPECT_STREQ(JointHardwareMarkOf(1234), "(\x81\x7E)");
}

TEST(NValues, ColumnClassUsesTheLargerDirection) {
    ColumnJointRecord r{};
    r.nValueX = 0.5;
    r.nValueY = 1.5; // class 4 → governs
    r.pullOutX = 10.0;
    r.pullOutY = -3.0; // 10.0: above 9.53, class 6 → governs
    EXPECT_NEAR(ColumnGoverningValue(r, 0), 1.5, Tol);
    EXPECT_EQ(ColumnHardwareClass(r, 0), 4);
    EXPECT_NEAR(ColumnGoverningValue(r, 1), 10.0, Tol);
    EXPECT_EQ(ColumnHardwareClass(r, 1), 6);
    // The window's option picks the form.
    App.Options.NValueMethod = 1;
    EXPECT_EQ(ColumnHardwareClass(r), 6);
    App.Options.NValueMethod = 0;
    EXPECT_EQ(ColumnHardwareClass(r), 4);
}

} // namespace
