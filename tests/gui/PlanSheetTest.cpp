// The plan sheet without a window: snapping a release to a grid node, the dispatch to the
// element units by input mode, button and click step, the axis clicks, the layer order, the
// scale and the sheet's extent.
#include "mainwin/PlanSheet.h"
#include "mainwin/GridAxes.h"
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Writes down every call the dispatch makes.
class RecordingUnits final : public PlanInputUnits {
public:
    std::vector<std::string> calls;
    int repaints = 0, refreshes = 0, gridChanges = 0;
    int editAxisResult = 0;

    int inputColumn(int x, int y) override { return note("column", {x, y}); }
    int inputWall(int x1, int y1, int x2, int y2) override {
        return note("wall", {x1, y1, x2, y2});
    }
    int inputRoofFloorRect(int x1, int y1, int x2, int y2) override {
        return note("areaRect", {x1, y1, x2, y2});
    }
    int inputRoofFloorTriangle(int x1, int y1, int x2, int y2, int x3, int y3) override {
        return note("areaTri", {x1, y1, x2, y2, x3, y3});
    }
    int inputFloorSpecRect(int x1, int y1, int x2, int y2) override {
        return note("specRect", {x1, y1, x2, y2});
    }
    int inputFloorSpecTriangle(int x1, int y1, int x2, int y2, int x3, int y3) override {
        return note("specTri", {x1, y1, x2, y2, x3, y3});
    }
    int inputRoomName(int x1, int y1, int x2, int y2) override {
        return note("text", {x1, y1, x2, y2});
    }
    int inputFoundation(int x1, int y1, int x2, int y2) override {
        return note("foundation", {x1, y1, x2, y2});
    }
    int inputFreeLine(int x1, int y1, int x2, int y2) override {
        return note("freeLine", {x1, y1, x2, y2});
    }
    int editAxis(int ix, int iy, int, int) override {
        note("editAxis", {ix, iy});
        return editAxisResult;
    }
    void refreshToolDialog() override { ++refreshes; }
    void repaint() override { ++repaints; }
    void gridChanged() override { ++gridChanges; }

private:
    int note(const char* what, std::initializer_list<int> nodes) {
        std::string s = what;
        for (int v : nodes) s += " " + std::to_string(v);
        calls.push_back(s);
        return 1;
    }
};

// On the 1 m grid of the test houses at 1/75 (53 pixels per metre) node i lies at pixel 53 i.
constexpr int Ppm = 53;

class PlanSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        houses::ResetDocument();
        PlanInput = PlanInputState{};
        App.HoverState = 0;
    }
    // A release a few pixels right of and below node (ix, iy).
    void click(SheetButton b, int ix, int iy) {
        DispatchSheetMouseUp(units, b, ix * Ppm + 3, iy * Ppm + 3);
    }
    RecordingUnits units;
};

// ---- Snapping ----

struct SnapCase {
    const char* name;
    double metres;
    int axis;
};

class CatchmentTest : public ::testing::TestWithParam<SnapCase> {};

// On the 1 m grid the catchment of axis i runs from i - 0.5 (exclusive) to i + 0.5.
TEST_P(CatchmentTest, TakesTheAxisWhoseCatchmentHoldsThePoint) {
    houses::ResetDocument();
    EXPECT_EQ(CatchmentAxis(Doc.AxisX, GetParam().metres), GetParam().axis);
}

INSTANTIATE_TEST_SUITE_P(
    Snapping, CatchmentTest,
    ::testing::Values(
        SnapCase{"LeftOfTheGrid", -3.0, 1}, SnapCase{"OnAxisZero", 0.0, 1},
        SnapCase{"LeftOfTheFirstMidpoint", 0.2, 1}, SnapCase{"OnTheFirstMidpoint", 0.5, 1},
        SnapCase{"JustPastTheFirstMidpoint", 0.51, 1},
        SnapCase{"OnAnInnerMidpointTakesTheLowerAxis", 1.5, 1},
        SnapCase{"JustPastAnInnerMidpoint", 1.501, 2}, SnapCase{"NearAnInnerAxis", 41.2, 41},
        SnapCase{"OnTheLastMidpoint", 98.5, 98}, SnapCase{"PastTheLastMidpoint", 98.51, 99},
        SnapCase{"RightOfTheGrid", 500.0, 99},
        SnapCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlanSheetTest, UnevenGridSnapsByMidpoints) {
    // Axes 0, 0.91, 1.365 (a 0.455 sub interval), 2.275: the midpoint of axes 1 and 2 is
    // 1.1375, of axes 2 and 3 1.82.
    Doc.AxisX[0] = 0, Doc.AxisX[1] = 0.91, Doc.AxisX[2] = 1.365, Doc.AxisX[3] = 2.275;
    for (int i = 4; i < 100; ++i) Doc.AxisX[i] = 2.275 + (i - 3) * 0.91;
    EXPECT_EQ(CatchmentAxis(Doc.AxisX, 1.13), 1);
    EXPECT_EQ(CatchmentAxis(Doc.AxisX, 1.14), 2);
    EXPECT_EQ(CatchmentAxis(Doc.AxisX, 1.81), 2);
    EXPECT_EQ(CatchmentAxis(Doc.AxisX, 1.83), 3);
}

TEST_F(PlanSheetTest, GapsAndNearAxes) {
    EXPECT_EQ(GapAxis(Doc.AxisX, 2.4), 3);      // between axes 2 and 3
    EXPECT_EQ(GapAxis(Doc.AxisX, 0.3), 1);      // between axes 0 and 1
    EXPECT_EQ(GapAxis(Doc.AxisX, 2.0), NoAxis); // on an axis line
    EXPECT_EQ(GapAxis(Doc.AxisX, -0.5), NoAxis);
    EXPECT_EQ(GapAxis(Doc.AxisX, 99.5), NoAxis);
    // At 1/75: 0.000025 x 53 x 75 = 0.099375 m.
    EXPECT_NEAR(AxisPickTolerance(), 0.099375, 1e-12);
    EXPECT_EQ(NearAxis(Doc.AxisX, 7.09, 0.099375), 7);
    EXPECT_EQ(NearAxis(Doc.AxisX, 6.91, 0.099375), 7);
    EXPECT_EQ(NearAxis(Doc.AxisX, 6.9, 0.099375), NoAxis);
    EXPECT_EQ(NearAxis(Doc.AxisX, 7.1, 0.099375), NoAxis);
}

TEST_F(PlanSheetTest, ReleaseLeftOfTheFirstMidpointTakesAxisOneNeverAxisZero) {
    App.InputMode = 1;
    DispatchSheetMouseUp(units, SheetButton::Left, 0, 0);       // on axis 0 itself
    DispatchSheetMouseUp(units, SheetButton::Left, 26, 20);     // 0.49 m, 0.38 m
    DispatchSheetMouseUp(units, SheetButton::Left, 5300, 5300); // past the last axis
    EXPECT_EQ(units.calls, (std::vector<std::string>{"column 1 1", "column 1 1", "column 99 99"}));
    EXPECT_EQ(units.refreshes, 3); // the palette comes to the front first
}

// ---- Dispatch ----

struct Click {
    SheetButton button;
    int x, y;
};

struct DispatchCase {
    const char* name;
    int mode;
    int shape; // CurAreaShape
    std::vector<Click> clicks;
    std::vector<std::string> calls;
    int clickStepAfter;
    int modifiedAfter;
};

class DispatchTest : public PlanSheetTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTest, HandsTheNodesToTheUnitOfTheMode) {
    const DispatchCase& c = GetParam();
    App.InputMode = c.mode;
    App.CurAreaShape = c.shape;
    App.Modified = 0;
    for (const Click& k : c.clicks) click(k.button, k.x, k.y);
    EXPECT_EQ(units.calls, c.calls);
    EXPECT_EQ(App.ClickStep, c.clickStepAfter);
    EXPECT_EQ(App.Modified, c.modifiedAfter);
}

constexpr SheetButton L = SheetButton::Left;
constexpr SheetButton R = SheetButton::Right;
constexpr SheetButton M = SheetButton::Middle;

INSTANTIATE_TEST_SUITE_P(
    ByModeAndButton, DispatchTest,
    ::testing::Values(
        DispatchCase{"ColumnLeft", 1, 0, {{L, 3, 4}}, {"column 3 4"}, 0, 1},
        DispatchCase{"ColumnMiddle", 1, 0, {{M, 3, 4}}, {"column 3 4"}, 0, 1},
        DispatchCase{"ColumnRightWithNothingMarkedChangesNothing", 1, 0, {{R, 3, 4}}, {}, 0, 0},
        DispatchCase{"WallFirstNodeOnly", 2, 0, {{L, 2, 2}}, {}, 1, 0},
        DispatchCase{"WallTwoNodes", 2, 0, {{L, 2, 2}, {L, 6, 2}}, {"wall 2 2 6 2"}, 0, 1},
        DispatchCase{
            "WallSameNodeTwicePlacesAColumn", 2, 0, {{L, 2, 2}, {L, 2, 2}}, {"column 2 2"}, 0, 1},
        DispatchCase{"WallMiddleCompletes", 2, 0, {{L, 2, 2}, {M, 2, 5}}, {"wall 2 2 2 5"}, 0, 1},
        DispatchCase{"MiddleDoesNotStartAFigure", 2, 0, {{M, 2, 2}}, {}, 0, 0},
        DispatchCase{
            "RightDropsTheHalfEnteredWall", 2, 0, {{L, 2, 2}, {R, 6, 2}, {L, 3, 3}}, {}, 1, 0},
        DispatchCase{"AreaRectangle", 3, 0, {{L, 1, 1}, {L, 9, 7}}, {"areaRect 1 1 9 7"}, 0, 1},
        DispatchCase{
            "AreaTriangle", 3, 1, {{L, 1, 1}, {L, 9, 1}, {L, 1, 7}}, {"areaTri 1 1 9 1 1 7"}, 0, 1},
        DispatchCase{"AreaTriangleTwoNodes", 3, 1, {{L, 1, 1}, {L, 9, 1}}, {}, 2, 0},
        DispatchCase{"SpecRectangle", 4, 0, {{L, 1, 1}, {L, 9, 7}}, {"specRect 1 1 9 7"}, 0, 1},
        DispatchCase{
            "SpecTriangle", 4, 1, {{L, 1, 1}, {L, 9, 1}, {L, 1, 7}}, {"specTri 1 1 9 1 1 7"}, 0, 1},
        DispatchCase{"Text", 5, 0, {{L, 2, 3}, {L, 4, 5}}, {"text 2 3 4 5"}, 0, 1},
        DispatchCase{"Foundation", 6, 0, {{L, 1, 1}, {L, 9, 1}}, {"foundation 1 1 9 1"}, 0, 1},
        DispatchCase{"FreeLine", 7, 0, {{L, 1, 1}, {L, 9, 7}}, {"freeLine 1 1 9 7"}, 0, 1},
        DispatchCase{"NoModeOnlyStepsAndWraps", -1, 0, {{L, 1, 1}, {L, 2, 2}, {L, 3, 3}}, {}, 0, 0},
        DispatchCase{"ZoningOnlySteps", 10, 0, {{L, 1, 1}, {L, 2, 2}}, {}, 2, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlanSheetTest, ClickedNodesFeedTheRubberBand) {
    App.InputMode = 3;
    App.CurAreaShape = 1;
    click(L, 2, 3);
    EXPECT_EQ(PlanInput.ClickNode1X, 2);
    EXPECT_EQ(PlanInput.ClickNode1Y, 3);
    EXPECT_EQ(App.HoverState, 0);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(PlanInput.RubberBandPixels[2 * k], 2 * Ppm);
        EXPECT_EQ(PlanInput.RubberBandPixels[2 * k + 1], 3 * Ppm);
    }
    click(L, 5, 6);
    EXPECT_EQ(PlanInput.ClickNode2X, 5);
    EXPECT_EQ(PlanInput.ClickNode2Y, 6);
    EXPECT_EQ(PlanInput.RubberBandPixels[0], 2 * Ppm);
    EXPECT_EQ(PlanInput.RubberBandPixels[2], 5 * Ppm);
    EXPECT_EQ(PlanInput.RubberBandPixels[5], 6 * Ppm);
    click(L, 5, 1);
    EXPECT_EQ(units.calls, (std::vector<std::string>{"areaTri 2 3 5 6 5 1"}));
    EXPECT_EQ(App.HoverState, 2); // the mark waits for the pointer to move
}

TEST_F(PlanSheetTest, RightClickHandsTheMarkedElementBackWithItsOwnNodes) {
    HouseBuilder(0, 0).wall(1, 1, 4, 1).wall(2, 2, 2, 6);
    HouseBuilder(0, 0).roofFloorTri(1, 1, 5, 1, 1, 4);
    App.InputMode = 2;
    App.HoverState = 1;
    PlanInput.HoverIndex = 1;
    click(R, 30, 30); // where the pointer is does not matter: the mark does
    App.InputMode = 3;
    App.HoverState = 3;
    PlanInput.HoverTriangleIndex = 0;
    click(R, 30, 30);
    EXPECT_EQ(units.calls, (std::vector<std::string>{"wall 2 2 2 6", "areaTri 1 1 5 1 1 4"}));
    EXPECT_EQ(App.HoverState, 2);
}

TEST_F(PlanSheetTest, RightClickWithAStaleMarkCallsNothing) {
    HouseBuilder(0, 0).wall(1, 1, 4, 1);
    App.InputMode = 2;
    App.HoverState = 1;
    for (int index : {1, 200, -1}) {
        PlanInput.HoverIndex = index;
        App.HoverState = 1;
        click(R, 1, 1);
    }
    EXPECT_TRUE(units.calls.empty());
    EXPECT_EQ(App.Modified, 0);
}

// ---- Axis mode ----

TEST_F(PlanSheetTest, AxisAddAndChangeClicksPickTheGapAfterThePoint) {
    App.InputMode = 0;
    App.AxisEditMode = AxisModeAddX;
    units.editAxisResult = 1;
    DispatchSheetMouseUp(units, L, 130, 400); // 2.45 m, 7.55 m: the gaps before axes 3 and 8
    EXPECT_EQ(units.calls, (std::vector<std::string>{"editAxis 3 8"}));
    EXPECT_EQ(units.gridChanges, 1);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(App.ClickStep, 0);
    EXPECT_EQ(App.HoverState, 2);
    // Exactly on an axis line: no gap.
    DispatchSheetMouseUp(units, L, 106, 400);
    EXPECT_EQ(units.calls.back(), "editAxis 100 8");
    // The right button in an add or change mode edits nothing.
    DispatchSheetMouseUp(units, R, 130, 400);
    EXPECT_EQ(units.calls.size(), 2u);
}

TEST_F(PlanSheetTest, AxisDeleteModeLeftStepsKindsRightDeletes) {
    App.InputMode = 0;
    App.AxisEditMode = AxisModeDelete;
    // 4 px right of axis 5 (5.075 m) and far from any Y axis (3.4 m).
    const int px = 5 * Ppm + 4, py = 180;
    for (int expected : {SubAxis, HiddenAxis, MainAxis}) {
        DispatchSheetMouseUp(units, L, px, py);
        EXPECT_EQ(Doc.AxisKindX[5], expected);
    }
    EXPECT_EQ(Doc.AxisKindY[3], MainAxis);
    EXPECT_EQ(units.gridChanges, 3);
    DispatchSheetMouseUp(units, R, px, py);
    EXPECT_EQ(units.calls, (std::vector<std::string>{"editAxis 5 100"}));
    // A damaged kind steps on from the kind it is read as.
    Doc.AxisKindX[5] = 77;
    DispatchSheetMouseUp(units, L, px, py);
    EXPECT_EQ(Doc.AxisKindX[5], MainAxis);
}

TEST_F(PlanSheetTest, ClicksOutsideTheGridInAxisModeChangeNothing) {
    App.InputMode = 0;
    App.AxisEditMode = AxisModeAddY;
    ScriptedMessages none; // the real axis edit: no dialog and no message
    PlanInputUnits real;
    const uint64_t before = DocumentGeneration();
    DispatchSheetMouseUp(real, L, 6000, 6000);
    EXPECT_EQ(PlanInput.PickedAxisY, NoAxis);
    EXPECT_EQ(Doc.AxisY[99], 99.0);
    EXPECT_GT(DocumentGeneration(), before); // counts as handled all the same
}

// ---- Layers ----

struct LayerCase {
    const char* name;
    int uniformFoundation, showOtherStoreyWalls, method, inputMode, storey;
    std::vector<PlanLayer> order;
};

class LayerOrderTest : public ::testing::TestWithParam<LayerCase> {};

using PL = PlanLayer;

TEST_P(LayerOrderTest, FollowsThePaintOrder) {
    const LayerCase& c = GetParam();
    houses::ResetDocument();
    Doc.FoundationFloorSpec.uniformFoundation = c.uniformFoundation;
    App.Options.ShowOtherStoreyWalls = c.showOtherStoreyWalls;
    Doc.DiagnosisMethod = c.method;
    App.InputMode = c.inputMode;
    App.CurrentStorey = c.storey;
    PlanLayer out[MaxPlanLayers];
    const int n = PlanLayerOrder(out);
    EXPECT_EQ(std::vector<PlanLayer>(out, out + n), c.order);
}

INSTANTIATE_TEST_SUITE_P(
    Layers, LayerOrderTest,
    ::testing::Values(
        LayerCase{"Plain",
                  1,
                  1,
                  1,
                  2,
                  0,
                  {PL::RoofFloorAreas, PL::OtherStoreyWalls, PL::OtherStoreyColumns, PL::Walls,
                   PL::Columns, PL::GravityCentres, PL::RoomNames, PL::FreeLines, PL::FloorSpecs}},
        LayerCase{"FoundationsFirstWhenNotUniformAndNoOtherStoreyWalls",
                  0,
                  0,
                  1,
                  2,
                  0,
                  {PL::Foundations, PL::RoofFloorAreas, PL::OtherStoreyWalls,
                   PL::OtherStoreyColumns, PL::Walls, PL::Columns, PL::GravityCentres,
                   PL::RoomNames, PL::FreeLines, PL::FloorSpecs}},
        LayerCase{"ApproximateMethodDrawsNoCentres",
                  1,
                  1,
                  2,
                  2,
                  0,
                  {PL::RoofFloorAreas, PL::OtherStoreyWalls, PL::OtherStoreyColumns, PL::Walls,
                   PL::Columns, PL::RoomNames, PL::FreeLines, PL::FloorSpecs}},
        LayerCase{"AreasOnTopWhileEntered",
                  1,
                  1,
                  1,
                  3,
                  1,
                  {PL::RoofFloorAreas, PL::OtherStoreyWalls, PL::OtherStoreyColumns, PL::Walls,
                   PL::Columns, PL::GravityCentres, PL::RoomNames, PL::FreeLines,
                   PL::RoofFloorAreas, PL::FloorSpecs}},
        LayerCase{"FirstStoreyFoundationsLast",
                  1,
                  1,
                  1,
                  6,
                  0,
                  {PL::RoofFloorAreas, PL::OtherStoreyWalls, PL::OtherStoreyColumns, PL::Walls,
                   PL::Columns, PL::GravityCentres, PL::RoomNames, PL::FreeLines, PL::FloorSpecs,
                   PL::Foundations, PL::OtherStoreyWalls, PL::OtherStoreyColumns}},
        LayerCase{"UpperStoreyFoundationModeDrawsNothingOnTop",
                  1,
                  1,
                  1,
                  6,
                  1,
                  {PL::RoofFloorAreas, PL::OtherStoreyWalls, PL::OtherStoreyColumns, PL::Walls,
                   PL::Columns, PL::GravityCentres, PL::RoomNames, PL::FreeLines, PL::FloorSpecs}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Scale and sheet ----

struct ScaleCase {
    const char* name;
    const char* text;
    bool accepted;
    int denominator;
};

class ScaleTextTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleTextTest, AcceptsWholeScalesFrom30To200) {
    int n = -1;
    EXPECT_EQ(ParseScale(GetParam().text, n), GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(n, GetParam().denominator);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scale, ScaleTextTest,
    ::testing::Values(ScaleCase{"Item30", "30", true, 30}, ScaleCase{"Item200", "200", true, 200},
                      ScaleCase{"TypedWithBlanks", " 120 ", true, 120},
                      ScaleCase{"BelowRange", "20", false, 0},
                      ScaleCase{"AboveRange", "201", false, 0}, ScaleCase{"Zero", "0", false, 0},
                      ScaleCase{"Empty", "", false, 0}, ScaleCase{"Fraction", "7.5", false, 0},
                      ScaleCase{"Words", "1/75", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlanSheetTest, ScaleOutsideItsRangeChangesNothing) {
    ASSERT_TRUE(SetScale(30));
    EXPECT_EQ(App.PixelsPerMetre, 133.0); // 4000 div 30
    EXPECT_FALSE(SetScale(20));
    EXPECT_FALSE(SetScale(0));
    EXPECT_EQ(App.ScaleDenominator, 30);
    EXPECT_EQ(App.PixelsPerMetre, 133.0);
    ASSERT_TRUE(SetScale(200));
    EXPECT_EQ(App.PixelsPerMetre, 20.0);
}

TEST_F(PlanSheetTest, ScrollPositionsStayProportionalWithoutDividingByZero) {
    EXPECT_EQ(ProportionalScroll(50, 100, 300), 150);
    EXPECT_EQ(ProportionalScroll(50, 0, 300), 150); // nothing to scroll before: the middle
    EXPECT_EQ(ProportionalScroll(50, -20, 300), 150);
    EXPECT_EQ(ProportionalScroll(50, 100, 0), 0);
    EXPECT_EQ(ProportionalScroll(500, 100, 300), 300); // a stale position stays in range
    EXPECT_EQ(ProportionalScroll(2000000000, 2000000000, 2000000000), 2000000000);
}

TEST_F(PlanSheetTest, WholeGridStaysOnTheSheetWhenAxisZeroLiesBeforeZero) {
    // Deleting axis 10 moves axes 0..9 up and adds a new axis 0 one module before them.
    ASSERT_TRUE(DeleteAxis(AxisDir::X, 10));
    ASSERT_EQ(Doc.AxisX[0], -1.0);
    EXPECT_EQ(SheetPixelX(Doc.AxisX[0]), 0);
    EXPECT_EQ(NodePixelX(1), Ppm);
    EXPECT_EQ(SheetWidthPixels(), 100 * Ppm); // (99 - (-1)) x 53
    EXPECT_EQ(SheetHeightPixels(), 99 * Ppm);
    // Every node is reached by a click on it.
    for (int i = 1; i < 100; ++i)
        EXPECT_EQ(CatchmentAxis(Doc.AxisX, SheetMetresX(NodePixelX(i) + 1)), i) << i;
    // An origin right of 0 m keeps the positions where they were.
    for (double& a : Doc.AxisX) a += 3.0;
    EXPECT_EQ(SheetOriginX(), 0.0);
    EXPECT_EQ(NodePixelX(0), 2 * Ppm);
}

TEST_F(PlanSheetTest, DamagedGridGivesABoundedSheet) {
    Doc.AxisX[99] = 1e300;
    Doc.AxisY[99] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(SheetWidthPixels(), 16777215);
    EXPECT_GE(SheetHeightPixels(), 1);
}

} // namespace
