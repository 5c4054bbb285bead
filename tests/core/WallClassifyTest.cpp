#include "calc/ResultSummary.h"
#include "support/WallFixture.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

namespace {

class WallClassify : public WallFixture {
protected:
    // A house outline (1, 1)-(20, 10) of a light roof with columns at every node along y = 1
    // and y = 5 from x 1 to 12.
    static void Outline() {
        AddRect(0, 1, 1, 20, 10, 3);
        for (int x = 1; x <= 12; ++x) {
            AddColumn(0, x, 1);
            AddColumn(0, x, 5);
        }
    }
};

TEST_F(WallClassify, WallOnTheOutlineIsExteriorAndInsideIsPartition) {
    Outline();
    AddWall(0, 1, 1, 3, 1, 7);  // entered as partition, lies on the outline
    AddWall(0, 1, 5, 3, 5, 0);  // entered as exterior, lies inside
    AddWall(0, 1, 1, 1, 4, 0);  // on the left edge
    AddWall(0, 5, 1, 7, 1, 14); // 耐力無し is never classified
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 0);
    EXPECT_EQ(Wall(0, 1).type, 7);
    EXPECT_EQ(Wall(0, 2).type, 0);
    EXPECT_EQ(Wall(0, 3).type, 14);
    EXPECT_EQ(Result(0, 3).effectiveLength, 0.0);
    EXPECT_EQ(Result(0, 0).runKind, 0);
    EXPECT_EQ(Result(0, 1).runKind, 7);
}

// A level wall that starts at the corner of the outline and runs on past the end of its edge
// lies off the outline: both of its ends must lie within the edge, not only the first. Its
// type, the kind of its run and the storey's partition ratio all follow.
TEST_F(WallClassify, LevelWallRunningPastTheEndOfAnEdgeIsAPartition) {
    AddRect(0, 9, 4, 17, 10, 3);
    AddWall(0, 9, 4, 17, 4, 0);    // on the edge y = 4: exterior, 8 m
    AddWall(0, 17, 10, 19, 10, 0); // from the corner (17, 10) 2 m past the edge y = 10
    AddWall(0, 19, 4, 17, 4, 0);   // the same past the corner (17, 4), drawn towards it
    Evaluate();
    EXPECT_EQ(Wall(0, 0).type, 0);
    EXPECT_EQ(Wall(0, 1).type, 7);
    EXPECT_EQ(Wall(0, 2).type, 7);
    EXPECT_EQ(Result(0, 0).runKind, 0);
    EXPECT_EQ(Result(0, 1).runKind, 7);
    EXPECT_EQ(Result(0, 2).runKind, 7);
    EXPECT_DOUBLE_EQ(summary::PartitionWallRatio(0), 4.0 / 8.0 * 100.0);
}

// A wall along a grid line lies on an edge of another line only where two axes coincide (a
// damaged file): both ends of the edge then lie on the wall's line.
TEST_F(WallClassify, EdgeOfAnotherLineHoldsAWallOnlyWhereAxesCoincide) {
    AddTri(0, 1, 5, 10, 6, 1, 8);
    AddWall(0, 2, 5, 4, 5, 0);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 7);
    Doc.AxisY[6] = Doc.AxisY[5];
    Wall(0, 0).type = 0;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 0);
}

// An oblique wall lies on the sloped edge of a triangle and not on a parallel line inside; the
// same when the plan lies kilometres from the origin.
TEST_F(WallClassify, ObliqueWallOnTheSlopedEdgeOfATriangleIsExterior) {
    AddTri(0, 2, 2, 8, 2, 2, 6);
    AddWall(0, 5, 4, 8, 2, 7); // on the edge (8, 2)-(2, 6)
    AddWall(0, 2, 5, 5, 3, 0); // parallel, inside
    for (double offset : {0.0, 5000.0}) {
        for (double& a : Doc.AxisX) a += offset;
        for (double& a : Doc.AxisY) a += offset;
        Wall(0, 0).type = 7;
        Wall(0, 1).type = 0;
        ClassifyWalls();
        EXPECT_EQ(Wall(0, 0).type, 0) << offset;
        EXPECT_EQ(Wall(0, 1).type, 7) << offset;
    }
}

// An edge's end counts as on the wall's line within a side value of 1e-7: a wall whose end lies
// a hundredth of a millimetre off the sloped edge is a partition (side value 6e-5), one a
// millionth of a millimetre off it still lies on the edge (6e-9).
TEST_F(WallClassify, SlopedEdgeHoldsAWallWithinTheSideTolerance) {
    AddTri(0, 2, 2, 8, 2, 2, 6);
    AddWall(0, 5, 4, 8, 2, 0); // along the edge (8, 2)-(2, 6)
    const double y4 = Doc.AxisY[4];
    Doc.AxisY[4] = y4 + 1e-9;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 0);
    Doc.AxisY[4] = y4 + 1e-5;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 7);
}

TEST_F(WallClassify, StoreyWithoutEnclosedAreasHasPartitionsOnly) {
    AddRect(0, 1, 1, 20, 10, 8 + 3); // not enclosed
    AddWall(0, 1, 1, 3, 1, 0);
    AddWall(0, 1, 1, 1, 3, 2);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 7);
    EXPECT_EQ(Wall(0, 1).type, 9);
}

TEST_F(WallClassify, DamagedTypeCarriesNothing) {
    Outline();
    AddWall(0, 1, 1, 3, 1, 42);
    AddWall(0, 3, 1, 5, 1, -3);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 14);
    EXPECT_EQ(Wall(0, 1).type, 14);
    EXPECT_EQ(Result(0, 0).effectiveLength, 0.0);
}

TEST_F(WallClassify, LengthsAndMissingEndColumns) {
    Outline();
    AddWall(0, 1, 1, 4, 1, 0);   // columns at both ends
    AddWall(0, 12, 1, 14, 1, 0); // no column at x = 14
    AddWall(0, 13, 2, 16, 6, 0); // oblique, 3 by 4 m, no columns
    ClassifyWalls();
    EXPECT_DOUBLE_EQ(Result(0, 0).wallLength, 3.0);
    EXPECT_DOUBLE_EQ(Result(0, 0).effectiveLength, 3.0);
    EXPECT_DOUBLE_EQ(Result(0, 0).projectedLengthX, 3.0);
    EXPECT_DOUBLE_EQ(Result(0, 0).projectedLengthY, 0.0);
    EXPECT_DOUBLE_EQ(Result(0, 1).wallLength, 2.0);
    EXPECT_EQ(Result(0, 1).effectiveLength, 0.0);
    EXPECT_EQ(Result(0, 1).projectedLengthX, 0.0);
    EXPECT_EQ(Result(0, 1).lowerStorey, 0);
    EXPECT_DOUBLE_EQ(Result(0, 2).wallLength, 5.0);
}

TEST_F(WallClassify, LowerStoreyNeedsColumnsAndAFloorAboveAtBothEnds) {
    Doc.StoreyData.topStorey[0] = 1;
    AddRect(0, 1, 1, 4, 4, 0); // "２階床" marks nodes 1..4 x 1..4
    AddColumns(0, 1, 1, 3, 1);
    AddColumn(0, 6, 1);
    AddWall(0, 1, 1, 3, 1, 0);
    AddWall(0, 3, 1, 6, 1, 0); // (6, 1) lies outside the floor
    ClassifyWalls();
    EXPECT_EQ(WallEval.GridNodeMap[0][0][1][1], 16 + 1);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][2][2], 16);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][6][1], 1);
    EXPECT_EQ(Result(0, 0).lowerStorey, 1);
    EXPECT_EQ(Result(0, 1).lowerStorey, 0);
}

TEST_F(WallClassify, FloorTriangleMarksTheNodesInsideAndOnItsEdges) {
    AddTri(0, 1, 1, 5, 1, 1, 5, 0);
    BuildNodeMap(0);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][1][1], 16);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][3][3], 16); // on the hypotenuse x + y = 6
    EXPECT_EQ(WallEval.GridNodeMap[0][0][2][2], 16);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][4][3], 0); // outside
}

TEST_F(WallClassify, NodeCodeIsHardwareTimesFourPlusKind) {
    AddColumn(0, 2, 2, 1, 2); // 告示 管柱: 9
    AddColumn(0, 3, 2, 3, 1); // ＶＰ 通し柱(2-3): 7
    AddColumn(0, 4, 2, 1, 0);
    AddColumn(0, 4, 2, 2, 0); // a later column on the same node replaces the earlier
    BuildNodeMap(0);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][2][2], 9);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][3][2], 7);
    EXPECT_EQ(WallEval.GridNodeMap[0][0][4][2], 2);
}

TEST_F(WallClassify, BraceEndCodes) {
    // Single 45x90 brace (group 2, m = 4): e1 = 9, e2 = 2 x (4 / 2 + 1) + 4 = 10.
    AddWall(0, 5, 3, 3, 3, 0, Brace(5, 0, 2));
    // Cross 45x90 (m = 5): e1 = 11, e2 = 2 x (5 / 2 + 1) + 5 = 11.
    AddWall(0, 5, 6, 3, 6, 0, Brace(5, 0, 3));
    // Vertical single 90x90 drawn upwards (m = 6): e1 = 13 in slot 3 of the first end,
    // e2 = 2 x 4 + 6 = 14 in slot 2 of the second.
    AddWall(0, 8, 1, 8, 4, 0, Brace(6, 2, 2));
    // Unidentified size and no bracing store nothing.
    AddWall(0, 10, 1, 12, 1, 0, Brace(1, 0, 2));
    BuildNodeMap(0);
    const auto& c = WallEval.GridCellWalls[0][0];
    EXPECT_EQ(c[5][3][0], 9);
    EXPECT_EQ(c[3][3][1], 10);
    EXPECT_EQ(c[5][6][0], 11);
    EXPECT_EQ(c[3][6][1], 11);
    EXPECT_EQ(c[8][1][3], 13);
    EXPECT_EQ(c[8][4][2], 14);
    EXPECT_EQ(c[10][1][1], 0);
    EXPECT_EQ(c[12][1][0], 0);
}

// A column, two floors above and a braced wall far apart, each outside the box of the others,
// all gone when the map is built again.
TEST_F(WallClassify, NodeMapBuiltAgainKeepsNothingOfWhatWent) {
    AddColumn(0, 5, 50);
    AddRect(0, 50, 1, 54, 3, 0);
    AddTri(0, 50, 90, 54, 90, 50, 94, 0);
    AddWall(0, 90, 50, 92, 50, 0, Brace(5, 0, 2));
    BuildNodeMap(0);
    const auto& map = WallEval.GridNodeMap[0][0];
    const auto& cells = WallEval.GridCellWalls[0][0];
    ASSERT_TRUE(map[5][50] && map[52][2] && map[51][91] && cells[90][50][1] && cells[92][50][0]);
    Doc.ColumnCount[0][0] = Doc.RoofFloorRectCount[0][0] = 0;
    Doc.RoofFloorTriCount[0][0] = Doc.WallCount[0][0] = 0;
    BuildNodeMap(0);
    EXPECT_EQ(map[5][50], 0);
    EXPECT_EQ(map[52][2], 0);
    EXPECT_EQ(map[51][91], 0);
    EXPECT_EQ(cells[90][50][1], 0);
    EXPECT_EQ(cells[92][50][0], 0);
}

// A build clears only the box of nodes the storey's last build marked; its plain twin, which
// clears the whole map first, must leave the same map and end codes, byte for byte, from the
// same start: over a run of builds of houses near the origin and far from it, of columns, floors
// above and braced walls, some off the grid, on every storey of two scenarios, with corner marks
// set between them as the column-joint check sets them. Each build starts from what the last
// build of the storey and the marks left.
TEST_F(WallClassify, NodeMapClearedByTheLastBoxIsThatOfAMapClearedWhole) {
    std::mt19937 rng(3);
    const auto at = [&rng](int n) { return static_cast<int>(rng() % n); };
    constexpr std::size_t MapBytes = sizeof WallEval.GridNodeMap[0][0];
    constexpr std::size_t EndCodeBytes = sizeof WallEval.GridCellWalls[0][0];
    std::vector<char> startMap(MapBytes), startEndCodes(EndCodeBytes);
    std::vector<char> boxMap(MapBytes), boxEndCodes(EndCodeBytes);
    for (int round = 0; round < 200; ++round) {
        App.CurrentScenario = at(2);
        const int storey = at(Storeys);
        Doc.WallCount[Slot()][storey] = Doc.ColumnCount[Slot()][storey] = 0;
        Doc.RoofFloorRectCount[Slot()][storey] = Doc.RoofFloorTriCount[Slot()][storey] = 0;
        const int x0 = at(2) == 0 ? 0 : at(90), y0 = at(2) == 0 ? 0 : at(90);
        const auto node = [&](int spread) { return std::pair{x0 + at(spread), y0 + at(spread)}; };
        for (int c = at(20); c > 0; --c) {
            const auto [x, y] = node(at(8) == 0 ? 130 : 10);
            AddColumn(storey, x, y, 1 + at(3), at(3));
        }
        for (int r = at(4); r > 0; --r) {
            const auto [x, y] = node(10);
            AddRect(storey, x, y, x + at(4), y + at(4), at(3) == 0 ? 3 : 0);
        }
        for (int t = at(4); t > 0; --t) {
            const auto [x, y] = node(10);
            AddTri(storey, x, y, x + 1 + at(4), y, x, y + 1 + at(4), at(3) == 0 ? 8 : 0);
        }
        for (int w = at(30); w > 0; --w) {
            const auto [x, y] = node(at(8) == 0 ? 130 : 10);
            AddWall(storey, x, y, x + at(3), y + at(3), 0, at(5) == 0 ? 0 : 24 + at(60));
        }

        auto& map = WallEval.GridNodeMap[Slot()][storey];
        auto& endCodes = WallEval.GridCellWalls[Slot()][storey];
        std::memcpy(startMap.data(), map, MapBytes);
        std::memcpy(startEndCodes.data(), endCodes, EndCodeBytes);
        BuildNodeMap(storey, NodeMapStart::LastBoxCleared);
        std::memcpy(boxMap.data(), map, MapBytes);
        std::memcpy(boxEndCodes.data(), endCodes, EndCodeBytes);
        std::memcpy(map, startMap.data(), MapBytes);
        std::memcpy(endCodes, startEndCodes.data(), EndCodeBytes);
        BuildNodeMap(storey, NodeMapStart::ClearedWhole);
        ASSERT_EQ(std::memcmp(boxMap.data(), map, MapBytes), 0) << round;
        ASSERT_EQ(std::memcmp(boxEndCodes.data(), endCodes, EndCodeBytes), 0) << round;
        for (int c = 0; c < Doc.ColumnCount[Slot()][storey]; ++c) {
            const ColumnRecord& column = Doc.Columns[Slot()][storey][c];
            if (OnGrid(column.x, column.y) && at(2) == 0) {
                int32_t& code = WallEval.GridNodeMap[Slot()][storey][column.x][column.y];
                code = -std::abs(code);
            }
        }
    }
}

// Precise method, 0.6 m grid: openings between solid walls on the exterior line y = 1.
class OpeningRuns : public WallClassify {
protected:
    void SetUp() override {
        WallClassify::SetUp();
        SetModule(0.6);
        Outline();
    }
};

TEST_F(OpeningRuns, ShortWindowBetweenSolidWalls) {
    SetModule(0.45); // the window spans two axes: 0.9 m
    AddWall(0, 1, 1, 3, 1, 0);
    AddWall(0, 3, 1, 5, 1, 2); // entered as "under 2 m"
    AddWall(0, 5, 1, 7, 1, 0);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 1).type, 1);
    EXPECT_DOUBLE_EQ(Result(0, 1).effectiveLength, 0.9);
    EXPECT_DOUBLE_EQ(Result(0, 1).runLength, 0.9);
}

TEST_F(OpeningRuns, TwoWindowsFormOneRun) {
    AddWall(0, 1, 1, 3, 1, 0);
    AddWall(0, 3, 1, 5, 1, 1); // 1.2 m each, a 2.4 m run
    AddWall(0, 5, 1, 7, 1, 1);
    AddWall(0, 7, 1, 9, 1, 0);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 1).type, 3);
    EXPECT_EQ(Wall(0, 2).type, 3);
    EXPECT_DOUBLE_EQ(Result(0, 1).runLength, 2.4);
    EXPECT_DOUBLE_EQ(Result(0, 1).effectiveLength, 1.2);
    EXPECT_DOUBLE_EQ(Result(0, 2).effectiveLength, 1.2);
}

TEST_F(OpeningRuns, PartitionRunLongerThanThreeMetres) {
    AddWall(0, 1, 5, 3, 5, 0);
    AddWall(0, 3, 5, 5, 5, 1);
    AddWall(0, 5, 5, 7, 5, 1);
    AddWall(0, 7, 5, 9, 5, 1);
    AddWall(0, 9, 5, 11, 5, 0);
    ClassifyWalls();
    // 3.6 m: partition window over 2 m; each wall counts 1.2 x 3 / 3.6 = 1.0 m.
    for (int w = 1; w <= 3; ++w) {
        EXPECT_EQ(Wall(0, w).type, 10);
        EXPECT_DOUBLE_EQ(Result(0, w).effectiveLength, 1.0);
        EXPECT_DOUBLE_EQ(Result(0, w).projectedLengthX, 1.0);
        EXPECT_DOUBLE_EQ(Result(0, w).runLength, 3.0);
    }
}

// The diagonal bends by a third of a percent at (3, 3): each window's run goes on along the
// links collinear with the window itself, up to the solid walls at both ends.
TEST_F(OpeningRuns, ObliqueRunAcrossSlightlyDifferentSlopes) {
    Doc.AxisY[3] += 0.002;
    AddWall(0, 1, 1, 2, 2, 0);
    AddWall(0, 2, 2, 3, 3, 1);
    AddWall(0, 3, 3, 4, 4, 1);
    AddWall(0, 4, 4, 5, 5, 0);
    for (int k = 2; k <= 4; ++k) AddColumn(0, k, k);
    ClassifyWalls();
    const double run = Result(0, 1).wallLength + Result(0, 2).wallLength;
    for (int w = 1; w <= 2; ++w) {
        EXPECT_EQ(Wall(0, w).type, 9);
        EXPECT_DOUBLE_EQ(Result(0, w).runLength, run);
        EXPECT_EQ(Result(0, w).effectiveLength, Result(0, w).wallLength);
    }
}

TEST_F(OpeningRuns, RunWithoutSolidNeighbourCarriesNothing) {
    AddWall(0, 3, 1, 5, 1, 1);
    AddWall(0, 5, 1, 7, 1, 1);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).type, 3);
    EXPECT_EQ(Result(0, 0).effectiveLength, 0.0);
    EXPECT_EQ(Result(0, 1).effectiveLength, 0.0);
}

TEST_F(OpeningRuns, GeneralMethodKeepsTheEnteredWidthAndOpeningsCarryNothing) {
    Doc.DiagnosisMethod = 1;
    AddWall(0, 1, 1, 3, 1, 0);
    AddWall(0, 3, 1, 5, 1, 13); // partition door entered, lies on the outline
    AddWall(0, 5, 1, 7, 1, 0);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 1).type, 6);
    EXPECT_EQ(Result(0, 1).effectiveLength, 0.0);
    EXPECT_DOUBLE_EQ(Result(0, 1).wallLength, 1.2);
}

TEST_F(OpeningRuns, WidthClassBoundariesUseTheSharedTolerance) {
    // Axes every 0.1 m: 24 x 0.1 - 4 x 0.1 is 2.0000000000000004 and 12 x 0.1 - 2 x 0.1 is
    // 1.0000000000000002 in binary; both are the boundary itself and stay in the lower class.
    SetModule(0.1);
    AddWall(0, 2, 3, 4, 3, 0);
    AddWall(0, 4, 3, 24, 3, 1);
    AddWall(0, 24, 3, 26, 3, 0);
    AddWall(0, 1, 7, 2, 7, 0);
    AddWall(0, 2, 7, 12, 7, 1);
    AddWall(0, 12, 7, 13, 7, 0);
    for (int x : {2, 4, 24, 26}) AddColumn(0, x, 3);
    for (int x : {1, 2, 12, 13}) AddColumn(0, x, 7);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 1).type, 9); // partition window over 1 m, not over 2 m
    EXPECT_EQ(Wall(0, 4).type, 8); // partition window not over 1 m
    EXPECT_DOUBLE_EQ(Result(0, 1).effectiveLength, 2.0);
}

TEST_F(OpeningRuns, RunKindFollowsTheWidestKindOfTheRunAndRepeatsExactly) {
    // A window entered with a stale width next to a door: the run of 2.4 m makes them types 3
    // and 6, and the window's run kind is the door's type 6, on the first run as on every
    // later one.
    AddWall(0, 1, 1, 3, 1, 0);
    AddWall(0, 3, 1, 5, 1, 3);
    AddWall(0, 5, 1, 7, 1, 4);
    AddWall(0, 7, 1, 9, 1, 0);
    Evaluate();
    EXPECT_EQ(Wall(0, 1).type, 3);
    EXPECT_EQ(Wall(0, 2).type, 6);
    EXPECT_EQ(Result(0, 1).runKind, 6);
    EXPECT_EQ(Result(0, 2).runKind, 6);

    auto first = std::make_unique<WallEvaluationResults>();
    std::memcpy(first.get(), &WallEval, sizeof WallEval);
    WallRecord walls[4];
    std::memcpy(walls, Doc.Walls[0][0], sizeof walls);
    Evaluate();
    EXPECT_EQ(std::memcmp(first.get(), &WallEval, sizeof WallEval), 0);
    EXPECT_EQ(std::memcmp(walls, Doc.Walls[0][0], sizeof walls), 0);
}

TEST_F(WallClassify, ZeroLengthAndDuplicateWallsDoNotHang) {
    Outline();
    AddWall(0, 3, 1, 3, 1, 1);
    AddWall(0, 3, 1, 3, 1, 1);
    AddWall(0, 3, 1, 5, 1, 2);
    AddWall(0, 3, 1, 5, 1, 2);
    Evaluate();
    EXPECT_EQ(Result(0, 0).effectiveLength, 0.0);
}

// Joint spec.
struct JointCase {
    int hardware1, hardware2;
    int kind1, kind2; // column kinds at the wall's ends (0: no column)
    int expected;
};
std::ostream& operator<<(std::ostream& o, const JointCase& c) {
    return o << "hardware " << c.hardware1 << "/" << c.hardware2 << " kinds " << c.kind1 << "/"
             << c.kind2;
}
class JointSpec : public WallFixture, public ::testing::WithParamInterface<JointCase> {};
TEST_P(JointSpec, FromTheWeakerEndColumn) {
    const JointCase& c = GetParam();
    if (c.kind1) AddColumn(0, 3, 2, c.kind1, c.hardware1);
    if (c.kind2) AddColumn(0, 6, 2, c.kind2, c.hardware2);
    AddWall(0, 3, 2, 6, 2);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Ends, JointSpec,
    ::testing::Values(JointCase{2, 2, 1, 1, 0},   // 告示 both: 0
                      JointCase{2, 1, 1, 1, 1},   // 告示 and ＶＰ: 1
                      JointCase{1, 1, 1, 1, 1},   // ＶＰ both: 1
                      JointCase{2, 0, 1, 1, 3},   // 釘打ち at one end, no through column: 3
                      JointCase{2, 0, 0, 1, 3},   // no column at one end
                      JointCase{0, 0, 2, 3, 2},   // both ends through columns: 釘通
                      JointCase{2, 0, 2, 1, 3})); // one side ordinary

// The joint comes from the columns at the wall's own ends, also where two axes coincide and the
// runs take the wall with its Y put in order alone (a damaged file).
TEST_F(WallClassify, JointFromTheWallsOwnEndsWhereAxesCoincide) {
    Doc.AxisX[4] = Doc.AxisX[3];
    AddColumn(0, 3, 5, 1, 2);
    AddColumn(0, 4, 2, 1, 2);
    AddWall(0, 3, 5, 4, 2);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 0);
}

class ThroughColumnJudgement : public WallFixture {
protected:
    // Nailed wall (4, 2)-(6, 2) with ordinary nailed columns at its ends.
    void SetUp() override {
        WallFixture::SetUp();
        AddColumns(0, 4, 2, 6, 2);
        AddWall(0, 4, 2, 6, 2);
    }
};

TEST_F(ThroughColumnJudgement, OutermostMarkedNodesDecideUnderTheStandardJudgement) {
    AddColumn(0, 1, 2, 2);
    AddColumn(0, 9, 2, 3);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 2);
}

TEST_F(ThroughColumnJudgement, OrdinaryOutermostColumnGivesNailedUnlessCityJudgement) {
    AddColumn(0, 1, 2, 1); // outermost on the left: ordinary
    AddColumn(0, 2, 2, 2); // a through column between it and the wall
    AddColumn(0, 9, 2, 2);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 3);
    App.Options.CityJointJudgement = 1;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 2);
}

TEST_F(ThroughColumnJudgement, ScanStaysWithinThePlanExtents) {
    AddColumn(0, 1, 2, 2);
    AddColumn(0, 9, 2, 2);
    Grid.PlanMinX[0][0] = 3; // the left through column lies outside the scanned range
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 3);
}

TEST_F(WallClassify, VerticalWallLooksAlongItsLine) {
    AddColumns(0, 2, 3, 2, 5);
    AddColumn(0, 2, 1, 2);
    AddColumn(0, 2, 8, 2);
    AddWall(0, 2, 5, 2, 3);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 2);
}

TEST_F(WallClassify, ObliqueWallFollowsCollinearChainsToThroughColumns) {
    AddWall(0, 3, 3, 5, 5);
    AddWall(0, 1, 1, 3, 3);
    AddWall(0, 5, 5, 7, 7);
    AddColumns(0, 3, 3, 5, 5);
    AddColumn(0, 1, 1, 2);
    AddColumn(0, 7, 7, 3);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 2);
    Doc.Columns[0][0][3].kind = 1; // (7, 7) becomes an ordinary column
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 3);
}

// Four walls along one diagonal with a through column only at its upper end: every wall's search
// backwards ends at (1, 1) without one.
TEST_F(WallClassify, ObliqueChainWithoutThroughColumnBehindNailsEveryWall) {
    for (int k = 1; k <= 4; ++k) {
        AddColumn(0, k, k);
        AddWall(0, k, k, k + 1, k + 1);
    }
    AddColumn(0, 5, 5, 2);
    ClassifyWalls();
    for (int w = 0; w < 4; ++w) EXPECT_EQ(Wall(0, w).jointSpec, 3) << w;
}

// Across two coinciding Y axes (a damaged file) a wall between different Y indices is level: its
// chain follows no level link, though the one at its end reaches a through column.
TEST_F(WallClassify, ObliqueWallOfNoSlopeFollowsNoLevelLink) {
    Doc.AxisY[3] = Doc.AxisY[2];
    AddColumn(0, 2, 2, 2);
    AddColumn(0, 4, 3);
    AddColumn(0, 6, 3, 2);
    AddWall(0, 2, 2, 4, 3);
    AddWall(0, 4, 3, 6, 3);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).jointSpec, 3);
}

// The runs and joints search indexed: the walls meeting at a node come from the node lists, and
// a chain search takes the answer of a wall an earlier search passed. The plain search, among
// all the walls and every chain to its end, must give every wall the same words and results,
// byte for byte: on crowded storeys of walls along X and Y, rising and falling, in chains through
// nodes with and without through columns, of every type, with duplicate walls, and now and then
// zero-length walls, an end off the grid or two axes a micron apart (where the index keeps no
// answers or reads no lists).
TEST_F(WallClassify, RunsAndJointsOfTheIndexedSearchAreThoseOfThePlain) {
    std::mt19937 rng(66);
    const auto at = [&rng](int n) { return static_cast<int>(rng() % n); };
    auto walls = std::make_unique<WallRecord[]>(MaxWalls);
    auto results = std::make_unique<WallResultRecord[][WallResultBlocks]>(MaxWalls);
    auto plainWalls = std::make_unique<WallRecord[]>(MaxWalls);
    auto plainResults = std::make_unique<WallResultRecord[][WallResultBlocks]>(MaxWalls);
    constexpr std::size_t wallBytes = MaxWalls * sizeof(WallRecord);
    constexpr std::size_t resultBytes = sizeof WallEval.WallResult[0][0];
    int byLists = 0, keepingAnswers = 0;
    for (int round = 0; round < 200; ++round) {
        SetModule(1.0);
        Doc.WallCount[0][0] = Doc.ColumnCount[0][0] = Doc.RoofFloorRectCount[0][0] = 0;
        Doc.DiagnosisMethod = at(4) == 0 ? 1 : 0;
        App.Options.CityJointJudgement = at(2);
        const int spread = 3 + at(10);
        AddRect(0, 3, 3, 3 + spread, 3 + spread);
        // Through columns (kinds 2 and 3) at one node in six; weak hardware, so that most walls
        // take the through-column step.
        for (int c = at(80); c > 0; --c)
            AddColumn(0, 3 + at(spread), 3 + at(spread), at(3) == 0 ? 2 + at(2) : 1,
                      at(4) == 0 ? at(3) : 0);
        // Two walls in three go on from the end of the last while it lies in the house, entered
        // either way round.
        int x = 3, y = 3;
        for (int n = 20 + at(181); n > 0; --n) {
            if (at(3) == 0 || x > 3 + spread || y < 3 || y > 3 + spread)
                x = 3 + at(spread), y = 3 + at(spread);
            const int d = 1 + at(2), k = at(5);
            const int dx[] = {d, 0, d, d, 2 * d}, dy[] = {0, d, d, -d, d};
            const int type = at(15), bracing = 24 + at(60);
            if (at(2) == 0)
                AddWall(0, x, y, x + dx[k], y + dy[k], type, bracing);
            else
                AddWall(0, x + dx[k], y + dy[k], x, y, type, bracing);
            x += dx[k], y += dy[k];
            WallRecord& w = Wall(0, Doc.WallCount[0][0] - 1);
            if (round % 4 == 0 && at(40) == 0) w.x2 = w.x1, w.y2 = w.y1;
            if (at(40) == 0) w = Wall(0, 0);
        }
        if (round % 20 == 7) Wall(0, at(Doc.WallCount[0][0])).x2 = 150;
        if (round % 20 == 17) Doc.AxisX[3] = Doc.AxisX[2] + 1e-6;

        ClearWallResults(0, 0);
        BuildNodeMap(0);
        BuildStoreyOutline(0);
        ClassifyExteriorWalls(0);
        std::memcpy(walls.get(), Doc.Walls[0][0], wallBytes);
        std::memcpy(results.get(), WallEval.WallResult[0][0], resultBytes);
        const auto runsAndJoints = [&](WallSearch search) {
            std::memcpy(Doc.Walls[0][0], walls.get(), wallBytes);
            std::memcpy(WallEval.WallResult[0][0], results.get(), resultBytes);
            const StoreyWallIndex& index = IndexStoreyWalls(0, search);
            MeasureWallRuns(index);
            for (int w = 0; w < index.count; ++w) JudgeJointSpec(index, w);
            byLists += index.readsNodeLists;
            keepingAnswers += index.keepsChainAnswers;
        };
        runsAndJoints(WallSearch::Plain);
        std::memcpy(plainWalls.get(), Doc.Walls[0][0], wallBytes);
        std::memcpy(plainResults.get(), WallEval.WallResult[0][0], resultBytes);
        runsAndJoints(WallSearch::Indexed);
        ASSERT_EQ(std::memcmp(Doc.Walls[0][0], plainWalls.get(), wallBytes), 0) << round;
        ASSERT_EQ(std::memcmp(WallEval.WallResult[0][0], plainResults.get(), resultBytes), 0)
            << round;
    }
    EXPECT_GT(byLists, 150);
    EXPECT_GT(keepingAnswers, 120);
}

// Foundation class.
class Foundation : public WallFixture {
protected:
    void SetUp() override {
        WallFixture::SetUp();
        Doc.StoreyData.topStorey[0] = 1;
        Doc.StoreyData.topStorey[1] = 1;
        Doc.FoundationFloorSpec.foundationClass = 1;
        AddWall(0, 2, 2, 5, 2);
        AddWall(0, 5, 2, 8, 2);
        AddWall(1, 2, 2, 5, 2);
        AddFoundation(1, 2, 6, 2, 2); // 基礎Ⅲ under wall 0, half under wall 1
    }
};

TEST_F(Foundation, FoundationRecordsDecideOnTheFirstStorey) {
    // An oblique foundation from (9, 4) to (13, 8) takes the walls on its line only. Axis 12
    // lies 5 cm off the module, so that the wall ending on it runs 3.5 cm off that line (a side
    // value of 0.2 m², where a node of the 1 m grid lies 1 m² off a line through two nodes).
    Doc.AxisX[12] = 12.05;
    AddWall(0, 10, 5, 11, 6);
    AddWall(0, 10, 5, 12, 7);
    AddFoundation(9, 4, 13, 8, 2);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 2);
    EXPECT_EQ(Wall(0, 1).foundationClass, 1); // only half on it: the overview default
    EXPECT_EQ(Wall(1, 0).foundationClass, 0);
    EXPECT_EQ(Wall(0, 2).foundationClass, 2);
    EXPECT_EQ(Wall(0, 3).foundationClass, 1);
}

TEST_F(Foundation, FirstRecordUnderTheWallWins) {
    AddFoundation(2, 2, 5, 2, 0);
    AddFoundation(5, 2, 8, 2, 0);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 2);
    EXPECT_EQ(Wall(0, 1).foundationClass, 0);
}

TEST_F(Foundation, UniformFoundationUnderTheGeneralMethodInTheCurrentState) {
    Doc.FoundationFloorSpec.uniformFoundation = 1;
    Doc.DiagnosisMethod = 2;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 1);
    EXPECT_EQ(Wall(0, 1).foundationClass, 1);

    // In a retrofit plan the records still decide.
    App.CurrentScenario = 1;
    AddWall(0, 2, 2, 5, 2);
    AddFoundation(1, 2, 6, 2, 2);
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 2);

    // Precise method: the records decide in the current state too.
    App.CurrentScenario = 0;
    Doc.DiagnosisMethod = 0;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 2);
}

TEST_F(Foundation, DamagedFoundationTypeIsBounded) {
    Doc.Foundations[0][0][0].type = 9;
    Doc.FoundationFloorSpec.foundationClass = -4;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 2);
    EXPECT_EQ(Wall(0, 1).foundationClass, 0);
}

TEST_F(Foundation, DamagedFoundationCornerFarOffTheGrid) {
    // A corner at the far end of the integer range (a damaged file): wall 0's x indices 2 and 5
    // still lie between INT32_MIN and 6, and the corner's position is brought onto axis 0, so
    // the foundation runs along y = 2 from 0 m to 6 m under wall 0 (class 2); wall 1 reaches
    // x = 8 and keeps the overview class 1. The index-box test must not overflow.
    Doc.Foundations[0][0][0].x1 = INT32_MIN;
    ClassifyWalls();
    EXPECT_EQ(Wall(0, 0).foundationClass, 2);
    EXPECT_EQ(Wall(0, 1).foundationClass, 1);
}

TEST_F(WallClassify, WallsOutsideTheGridDoNotReachOutsideTheMaps) {
    AddWall(0, -5, 2, 150, 2, 0, Brace(5, 0, 2));
    AddColumn(0, 300, -2);
    Doc.WallCount[0][0] = 1;
    Evaluate();
    EXPECT_EQ(Result(0, 0).effectiveLength, 0.0);
}

} // namespace
