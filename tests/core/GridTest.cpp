#include "model/Grid.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "model/Slots.h"
#include "support/ScriptedMessages.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <ostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr double M = 0.91;
constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

void ResetDocument() {
    ForEachElementKind(
        Doc, [](auto& counts, auto&, int, ElementKind) { std::memset(counts, 0, sizeof counts); });
    Doc.Module = M;
    for (int i = 0; i < 100; ++i) {
        Doc.AxisX[i] = Doc.AxisY[i] = i * M;
        Doc.AxisKindX[i] = Doc.AxisKindY[i] = MainAxis;
    }
    Grid = GridState{};
}

template <typename R, std::size_t Cap>
R& Add(int32_t (&counts)[ModelSlots][Storeys], R (&records)[ModelSlots][Storeys][Cap], int slot,
       int storey, const R& record) {
    R& r = records[slot][storey][counts[slot][storey]++];
    r = record;
    return r;
}

ColumnRecord Column(int x, int y) {
    return {x, y, 1, 0, 0};
}
WallRecord Wall(int x1, int y1, int x2, int y2) {
    WallRecord w{};
    w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
    return w;
}
FreeLineRecord FreeLine(int x1, int y1, int x2, int y2) {
    return {x1, y1, x2, y2, 0.1, 0.2, 0.3, 0.4, 1, 0xFF};
}

// One element of each of the nine kinds with nodes, all X indices `x` and all Y indices `y`,
// plus a reserved record, in the given slot and storey.
void AddOneOfEach(int slot, int storey, int x, int y) {
    Add(Doc.ColumnCount, Doc.Columns, slot, storey, Column(x, y));
    Add(Doc.WallCount, Doc.Walls, slot, storey, Wall(x, y, x, y));
    Add(Doc.RoofFloorRectCount, Doc.RoofFloorRects, slot, storey, {x, y, x, y, 3});
    Add(Doc.RoofFloorTriCount, Doc.RoofFloorTris, slot, storey, {x, y, x, y, x, y, 4});
    Add(Doc.FloorSpecRectCount, Doc.FloorSpecRects, slot, storey, {x, y, x, y, 12});
    Add(Doc.FloorSpecTriCount, Doc.FloorSpecTris, slot, storey, {x, y, x, y, x, y, 13});
    Add(Doc.RoomTextCount, Doc.RoomTexts, slot, storey, {x, y, x, y, FixedText<40>("room")});
    Add(Doc.FoundationCount, Doc.Foundations, slot, storey, {x, y, x, y, 2});
    Add(Doc.FreeLineCount, Doc.FreeLines, slot, storey, FreeLine(x, y, x, y));
    Add(Doc.ReservedCount, Doc.ReservedRecords, slot, storey, {{x, x, x, x, x}});
}

// Every node of the nine kinds of that slot and storey is at (x, y), the reserved record
// unchanged from `reserved`.
void ExpectOneOfEachAt(int slot, int storey, int x, int y, int reserved, const char* where) {
    SCOPED_TRACE(where);
    ASSERT_EQ(Doc.ColumnCount[slot][storey], 1);
    EXPECT_EQ(Doc.Columns[slot][storey][0], Column(x, y));
    EXPECT_EQ(Doc.Walls[slot][storey][0], Wall(x, y, x, y));
    EXPECT_EQ(Doc.RoofFloorRects[slot][storey][0], (RoofFloorRectRecord{x, y, x, y, 3}));
    EXPECT_EQ(Doc.RoofFloorTris[slot][storey][0], (RoofFloorTriRecord{x, y, x, y, x, y, 4}));
    EXPECT_EQ(Doc.FloorSpecRects[slot][storey][0], (FloorSpecRectRecord{x, y, x, y, 12}));
    EXPECT_EQ(Doc.FloorSpecTris[slot][storey][0], (FloorSpecTriRecord{x, y, x, y, x, y, 13}));
    EXPECT_EQ(Doc.RoomTexts[slot][storey][0], (RoomTextRecord{x, y, x, y, FixedText<40>("room")}));
    EXPECT_EQ(Doc.Foundations[slot][storey][0], (FoundationRecord{x, y, x, y, 2}));
    EXPECT_EQ(Doc.FreeLines[slot][storey][0], FreeLine(x, y, x, y));
    // The reserved kind has no nodes: nothing in it is an axis index.
    EXPECT_EQ(Doc.ReservedRecords[slot][storey][0],
              (ReservedRecord{{reserved, reserved, reserved, reserved, reserved}}));
}

int TotalCount(int slot, int storey) {
    int total = 0;
    ForEachElementKind(
        Doc, [&](auto& counts, auto&, int, ElementKind) { total += counts[slot][storey]; });
    return total;
}

// Short names for the parameter tables in test output.
template <typename Case>
requires requires(Case c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDocument(); }
    void TearDown() override {
        ResetDocument();
        App.Modified = 0;
    }
};

// ---- Repair ----

struct BrokenGrid {
    const char* name;
    void (*breakIt)();
    double moduleAfter;
    const char* noticePart;
    bool axesReset;
};

// The axes are checked in pairs: a fault between any two neighbours, a NaN or an infinity on any
// axis, is found wherever it lies.
TEST(AxesSoundTest, FindsAFaultAtEveryAxis) {
    double axes[100];
    for (int i = 0; i < 100; ++i) axes[i] = i * 0.91;
    ASSERT_TRUE(AxesAreSound(axes));
    for (int i = 0; i < 100; ++i)
        for (const double bad : {std::nan(""), HUGE_VAL, i > 0 ? axes[i - 1] : axes[1]}) {
            const double kept = axes[i];
            axes[i] = bad;
            EXPECT_FALSE(AxesAreSound(axes)) << i << " " << bad;
            axes[i] = kept;
        }
}

class GridRepairTest : public GridTest, public ::testing::WithParamInterface<BrokenGrid> {};

TEST_P(GridRepairTest, RepairsOnceWithOneNotice) {
    const BrokenGrid& c = GetParam();
    Doc.AxisX[30] = 27.0; // a custom interval that only a reset of the axes loses
    c.breakIt();
    ScriptedMessages messages;
    // The repaint path: repair without a box, then one notice outside the paint.
    EXPECT_TRUE(CheckAxesAndExtent());
    EXPECT_TRUE(CheckAxesAndExtent() == false) << "a repaired grid needs no second repair";
    ASSERT_TRUE(GridResetNoticePending());
    messages.expect(c.noticePart, MsgAnswer::Ok);
    ShowGridResetNotice();
    EXPECT_FALSE(GridResetNoticePending());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "データエラー");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);

    EXPECT_DOUBLE_EQ(Doc.Module, c.moduleAfter);
    EXPECT_TRUE(AxesAreSound(Doc.AxisX));
    EXPECT_TRUE(AxesAreSound(Doc.AxisY));
    if (c.axesReset) {
        for (int i : {0, 1, 30, 99}) {
            EXPECT_DOUBLE_EQ(Doc.AxisX[i], i * c.moduleAfter);
            EXPECT_DOUBLE_EQ(Doc.AxisY[i], i * c.moduleAfter);
        }
    } else {
        EXPECT_DOUBLE_EQ(Doc.AxisX[30], 27.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grids, GridRepairTest,
    ::testing::Values(
        // Axis 40 placed beyond axis 41 (an insertion accepted "as it is").
        BrokenGrid{"NonIncreasingX", [] { Doc.AxisX[40] = Doc.AxisX[41]; }, M,
                   "全ての通り芯間隔を[0.910]に設定します。", true},
        BrokenGrid{"DecreasingY", [] { Doc.AxisY[99] = 0.0; }, M, "通り芯のデータが壊れています",
                   true},
        BrokenGrid{"NaNPosition", [] { Doc.AxisY[3] = Nan; }, M, "通り芯のデータが壊れています",
                   true},
        BrokenGrid{"InfinitePosition", [] { Doc.AxisX[99] = Inf; }, M,
                   "通り芯のデータが壊れています", true},
        // A zero module with a broken grid would lay out every axis at 0 and break again on
        // every repaint; the module is repaired first, so one reset is enough.
        BrokenGrid{"ZeroModuleAndAllAxesZero",
                   [] {
                       Doc.Module = 0.0;
                       for (double& a : Doc.AxisX) a = 0.0;
                   },
                   M, "[0.910]", true},
        // A damaged module alone does not cost the user the spacing of the axes.
        BrokenGrid{"NegativeModuleOnly", [] { Doc.Module = -1.0; }, M,
                   "モジュール寸法のデータが壊れていますので[0.910]", false},
        BrokenGrid{"NaNModuleOnly", [] { Doc.Module = Nan; }, M, "モジュール寸法", false},
        // The reset spacing is the document's module, and the notice says so.
        BrokenGrid{"ResetToOtherModule",
                   [] {
                       Doc.Module = 1.0;
                       Doc.AxisX[5] = -3.0;
                   },
                   1.0, "全ての通り芯間隔を[1.000]に設定します。", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, SoundGridIsLeftAloneAndNoticeWithNothingPending) {
    ScriptedMessages messages;
    Doc.AxisX[10] = 9.2;
    EXPECT_FALSE(CheckAxesAndExtentWithNotice());
    EXPECT_FALSE(GridResetNoticePending());
    EXPECT_DOUBLE_EQ(Doc.AxisX[10], 9.2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GridTest, LoadPathShowsTheNoticeItself) {
    ScriptedMessages messages;
    messages.expect("通り芯のデータが壊れていますので初期化します。", MsgAnswer::Ok);
    Doc.AxisX[1] = 0.0;
    EXPECT_TRUE(CheckAxesAndExtentWithNotice());
    EXPECT_FALSE(CheckAxesAndExtentWithNotice());
}

// ---- Extents ----

TEST_F(GridTest, ExtentsCountOnlyStructuralKinds) {
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(10, 12));
    Add(Doc.WallCount, Doc.Walls, 0, 0, Wall(10, 12, 14, 12));
    Add(Doc.RoofFloorTriCount, Doc.RoofFloorTris, 0, 1, {11, 20, 13, 9, 12, 15, 0});
    Add(Doc.FoundationCount, Doc.Foundations, 2, 0, {5, 30, 6, 30, 0});
    Add(Doc.RoofFloorRectCount, Doc.RoofFloorRects, 1, 2, {40, 41, 42, 43, 0});
    // Texts, floor specifications and free lines do not widen any extent.
    Add(Doc.RoomTextCount, Doc.RoomTexts, 0, 0, {0, 0, 99, 99, FixedText<40>("x")});
    Add(Doc.FloorSpecRectCount, Doc.FloorSpecRects, 0, 0, {1, 1, 98, 98, 0});
    Add(Doc.FreeLineCount, Doc.FreeLines, 0, 1, FreeLine(2, 2, 90, 90));
    // Undo snapshots do not count.
    Add(Doc.ColumnCount, Doc.Columns, 5, 0, Column(0, 0));

    CheckAxesAndExtent();
    EXPECT_EQ(Grid.PlanMinX[0][0], 10);
    EXPECT_EQ(Grid.PlanMaxX[0][0], 14);
    EXPECT_EQ(Grid.PlanMinY[0][0], 12);
    EXPECT_EQ(Grid.PlanMaxY[0][0], 12);
    EXPECT_EQ(Grid.PlanMinX[0][1], 11);
    EXPECT_EQ(Grid.PlanMaxX[0][1], 13);
    EXPECT_EQ(Grid.PlanMinY[0][1], 9);
    EXPECT_EQ(Grid.PlanMaxY[0][1], 20);
    EXPECT_EQ(Grid.PlanMinX[1][2], 40);
    EXPECT_EQ(Grid.PlanMaxY[1][2], 43);
    EXPECT_EQ(Grid.PlanMinX[2][0], 5);
    EXPECT_EQ(Grid.DataMinX, 5);
    EXPECT_EQ(Grid.DataMaxX, 42);
    EXPECT_EQ(Grid.DataMinY, 9);
    EXPECT_EQ(Grid.DataMaxY, 43);

    EXPECT_FALSE(PlanIsEmpty(0, 0));
    EXPECT_FALSE(PlanIsEmpty(2, 0));
    // Storey 2 of scenario 0 holds nothing, storey 1 of scenario 1 nothing counted.
    for (auto [s, f] : {std::pair{0, 2}, {1, 0}, {1, 1}, {2, 2}}) {
        EXPECT_TRUE(PlanIsEmpty(s, f)) << s << "/" << f;
        EXPECT_EQ(Grid.PlanMinX[s][f], 99);
        EXPECT_EQ(Grid.PlanMaxX[s][f], 0);
    }
    EXPECT_TRUE(PlanIsEmpty(3, 0));
    EXPECT_TRUE(PlanIsEmpty(0, -1));
    EXPECT_FALSE(DataIsEmpty());
}

TEST_F(GridTest, EmptyModelAndOnlyTextsHaveAnEmptyExtent) {
    EXPECT_TRUE(PlanIsEmpty(1, 2)) << "empty before the first computation too";
    Add(Doc.RoomTextCount, Doc.RoomTexts, 0, 0, {3, 3, 5, 5, FixedText<40>("x")});
    CheckAxesAndExtent();
    EXPECT_TRUE(DataIsEmpty());
    EXPECT_EQ(Grid.DataMinX, 99);
    EXPECT_EQ(Grid.DataMaxX, 0);
    EXPECT_EQ(Grid.DataMinY, 99);
    EXPECT_EQ(Grid.DataMaxY, 0);
    BuildAxisLabels();
    for (int i = 0; i < 100; ++i) {
        EXPECT_STREQ(Grid.AxisLabelX[i], "");
        EXPECT_STREQ(Grid.AxisLabelY[i], "");
    }
}

TEST_F(GridTest, DamagedIndicesAndCountsStayOnTheGrid) {
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(150, -4));
    Doc.WallCount[0][1] = 100000; // far past the capacity: only the table is scanned
    Doc.FoundationCount[0][2] = -7;
    CheckAxesAndExtent();
    EXPECT_EQ(Grid.PlanMinX[0][0], 99);
    EXPECT_EQ(Grid.PlanMaxX[0][0], 99);
    EXPECT_EQ(Grid.PlanMinY[0][0], 0);
    EXPECT_GE(Grid.DataMinX, 0);
    EXPECT_LE(Grid.DataMaxX, 99);
    BuildAxisLabels();
}

// ---- Labels ----

TEST_F(GridTest, LabelsOfMainSubAndHiddenAxes) {
    // X axes 2..8: sub, main, sub, hidden, main, sub, sub. Y axes 20 (bottom) .. 14 (top):
    // hidden, main, main, sub, ... counted from the bottom of the screen.
    Add(Doc.WallCount, Doc.Walls, 1, 1, Wall(2, 14, 8, 20));
    const int32_t kx[] = {SubAxis, MainAxis, SubAxis, HiddenAxis, MainAxis, SubAxis, SubAxis};
    for (int i = 0; i < 7; ++i) Doc.AxisKindX[2 + i] = kx[i];
    const int32_t ky[] = {HiddenAxis, MainAxis, MainAxis, SubAxis, SubAxis, MainAxis, SubAxis};
    for (int i = 0; i < 7; ++i) Doc.AxisKindY[20 - i] = ky[i];

    CheckAxesAndExtent();
    BuildAxisLabels();
    const char* wantX[] = {"XX-1", "X 0", "X 0-1", "X 0-2", "X 1", "X 1-1", "X 1-2"};
    for (int i = 0; i < 7; ++i) EXPECT_STREQ(Grid.AxisLabelX[2 + i], wantX[i]) << 2 + i;
    const char* wantY[] = {"YY-1", "Y 0", "Y 1", "Y 1-1", "Y 1-2", "Y 2", "Y 2-1"};
    for (int i = 0; i < 7; ++i) EXPECT_STREQ(Grid.AxisLabelY[20 - i], wantY[i]) << 20 - i;
    EXPECT_STREQ(Grid.AxisLabelX[1], "");
    EXPECT_STREQ(Grid.AxisLabelX[9], "");
    EXPECT_STREQ(Grid.AxisLabelY[13], "");
    EXPECT_STREQ(Grid.AxisLabelY[21], "");
    EXPECT_EQ(Grid.FirstMainAxisX, 3);
    EXPECT_EQ(Grid.FirstMainAxisY, 19);
}

TEST_F(GridTest, LabelsNeverOverflow) {
    // Axis 0 main, then 98 sub axes, axis 99 main: the sub numbers go past 9 and past 99.
    Add(Doc.WallCount, Doc.Walls, 0, 0, Wall(0, 0, 99, 99));
    for (int i = 1; i < 99; ++i) Doc.AxisKindX[i] = SubAxis;
    for (int i = 0; i < 100; ++i) Doc.AxisKindY[i] = HiddenAxis;
    CheckAxesAndExtent();
    BuildAxisLabels();
    EXPECT_STREQ(Grid.AxisLabelX[0], "X 0");
    EXPECT_STREQ(Grid.AxisLabelX[9], "X 0-9");
    EXPECT_STREQ(Grid.AxisLabelX[10], "X 0-10");
    EXPECT_STREQ(Grid.AxisLabelX[98], "X 0-98");
    EXPECT_STREQ(Grid.AxisLabelX[99], "X 1");
    EXPECT_STREQ(Grid.AxisLabelY[99], "YY-1");
    EXPECT_STREQ(Grid.AxisLabelY[0], "YY-99"); // the 100th hidden axis keeps two digits
    // All main: the counter reaches 99 in five characters at most.
    for (int i = 0; i < 100; ++i) Doc.AxisKindX[i] = MainAxis;
    BuildAxisLabels();
    EXPECT_STREQ(Grid.AxisLabelX[99], "X99");
    EXPECT_STREQ(Grid.AxisLabelX[10], "X10");
    for (const auto& label : Grid.AxisLabelX) EXPECT_LE(std::strlen(label), 6u);
}

TEST_F(GridTest, FirstMainAxesFallBackToTheDataEdge) {
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(4, 7));
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(9, 12));
    for (int i = 0; i < 100; ++i) Doc.AxisKindX[i] = Doc.AxisKindY[i] = SubAxis;
    Doc.AxisKindX[2] = MainAxis; // outside the data: not drawn, not the origin
    CheckAxesAndExtent();
    Grid.FirstMainAxisX = Grid.FirstMainAxisY = -1;
    BuildAxisLabels();
    EXPECT_EQ(Grid.FirstMainAxisX, 4);  // DataMinX
    EXPECT_EQ(Grid.FirstMainAxisY, 12); // DataMaxY, the bottom of the plan
    EXPECT_STREQ(Grid.AxisLabelX[4], "XX-1");
    EXPECT_STREQ(Grid.AxisLabelY[12], "YY-1");

    // With no data at all the origins still name an axis of the grid.
    ResetDocument();
    Grid.FirstMainAxisX = Grid.FirstMainAxisY = -1;
    CheckAxesAndExtent();
    BuildAxisLabels();
    EXPECT_EQ(Grid.FirstMainAxisX, 0);
    EXPECT_EQ(Grid.FirstMainAxisY, 99);
}

// ---- Insert ----

TEST_F(GridTest, InsertFromTheOtherSideRenumbersEveryKindInEverySlot) {
    ScriptedMessages messages;
    // Old distance 0.91, entered -0.303: the new axis lies 0.91 - 0.303 = 0.607 right of
    // axis 4 (3.64 + 0.607 = 4.247). Entered -0.303 is not above 0.91 - 0.1 and not below
    // 0.1: no question.
    for (int slot : {0, 1, 2, 3, 12}) {
        AddOneOfEach(slot, slot % 3, 5, 3); // on the axis that moves
        AddOneOfEach(slot, (slot + 1) % 3, 4, 4);
    }
    const AxisEditProposal p = ProposeAxisEdit(AxisModeAddX, 5, 0);
    ASSERT_TRUE(p.valid);
    EXPECT_NEAR(p.oldDistance, 0.91, 1e-12);
    EXPECT_NEAR(p.newDistance, 0.455, 1e-12);
    Doc.AxisKindX[98] = HiddenAxis;
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddX, 5, 0, AxisDlgSub, -0.303), 1);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_NEAR(Doc.AxisX[5], 4 * M + 0.607, 1e-12);
    EXPECT_EQ(Doc.AxisKindX[5], SubAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisX[4], 4 * M);
    EXPECT_DOUBLE_EQ(Doc.AxisX[6], 5 * M);
    EXPECT_DOUBLE_EQ(Doc.AxisX[99], 98 * M); // the old axis 99 is dropped
    EXPECT_EQ(Doc.AxisKindX[99], HiddenAxis);
    for (int slot : {0, 1, 2, 3, 12}) {
        ExpectOneOfEachAt(slot, slot % 3, 6, 3, 5, "moved");
        ExpectOneOfEachAt(slot, (slot + 1) % 3, 4, 4, 4, "left of the new axis");
    }
}

TEST_F(GridTest, InsertYIsMeasuredUpwardFromTheAxisBelow) {
    ScriptedMessages messages;
    AddOneOfEach(1, 2, 3, 10);
    AddOneOfEach(7, 0, 3, 9);
    // Gap between axes 9 and 10; 0.2 up from axis 10 (9.1 - 0.2 = 8.9); a hidden axis.
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddY, 0, 10, AxisDlgHidden, 0.2), 1);
    EXPECT_NEAR(Doc.AxisY[10], 8.9, 1e-12);
    EXPECT_EQ(Doc.AxisKindY[10], HiddenAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisY[11], 10 * M);
    ExpectOneOfEachAt(1, 2, 3, 11, 3, "on the axis below");
    ExpectOneOfEachAt(7, 0, 3, 9, 3, "above");
    // A main axis from the dialog's first choice.
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddY, 0, 20, AxisDlgMain, 0.3), 1);
    EXPECT_EQ(Doc.AxisKindY[20], MainAxis);
}

TEST_F(GridTest, InsertNeverPushesScenarioDataOffTheGrid) {
    ScriptedMessages messages;
    Add(Doc.FreeLineCount, Doc.FreeLines, 2, 1, FreeLine(40, 40, 99, 40));
    const double before = Doc.AxisX[50];
    messages.expect("最後の通り芯にデータが在るため", MsgAnswer::Ok);
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddX, 50, 0, AxisDlgMain, 0.3), 0);
    EXPECT_DOUBLE_EQ(Doc.AxisX[50], before);
    EXPECT_EQ(Doc.FreeLines[2][1][0].x2, 99);
    // In Y the same line is not on axis 99: that insert is fine.
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddY, 0, 50, AxisDlgMain, 0.3), 1);
    EXPECT_EQ(Doc.FreeLines[2][1][0].y1, 40);
}

TEST_F(GridTest, InsertDropsOnlyUndoSnapshotElementsPushedOffTheGrid) {
    ScriptedMessages messages;
    Add(Doc.ColumnCount, Doc.Columns, 4, 0, Column(99, 1));
    Add(Doc.ColumnCount, Doc.Columns, 4, 0, Column(98, 1));
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddX, 10, 0, AxisDlgMain, 0.3), 1);
    ASSERT_EQ(Doc.ColumnCount[4][0], 1);
    EXPECT_EQ(Doc.Columns[4][0][0], Column(99, 1));
}

// ---- Checks on the entered distance ----

struct DistanceCase {
    const char* name;
    int mode;
    double entered;
    // Scripted answers, in order: text part and answer; empty text ends the list.
    const char* q1;
    MsgAnswer a1;
    const char* q2;
    MsgAnswer a2;
    int result;
};

class AxisDistanceTest : public GridTest, public ::testing::WithParamInterface<DistanceCase> {};

TEST_P(AxisDistanceTest, ChecksAndQuestions) {
    const DistanceCase& c = GetParam();
    ScriptedMessages messages;
    if (*c.q1) messages.expect(c.q1, c.a1);
    if (*c.q2) messages.expect(c.q2, c.a2);
    double before[100];
    std::memcpy(before, Doc.AxisX, sizeof before);
    const int at = 20; // gap between axes 19 and 20, 0.91 wide
    EXPECT_EQ(ApplyAxisEdit(c.mode, at, 0, AxisDlgSub, c.entered), c.result);
    EXPECT_TRUE(AxesAreSound(Doc.AxisX));
    if (c.result == 0) {
        EXPECT_EQ(std::memcmp(before, Doc.AxisX, sizeof before), 0);
    }
    for (const auto& shown : messages.shown) EXPECT_EQ(shown.caption, "入力値確認");
}

constexpr auto Yes = MsgAnswer::Yes;
constexpr auto No = MsgAnswer::No;
constexpr auto Ok = MsgAnswer::Ok;
const char* const TooLarge = "入力値が大きすぎです。";
const char* const TooSmall = "入力値が小さすぎです。";
const char* const Order = "通り芯の順序が入れ替わる";
const char* const CentreQuestion = "データ位置が偏っています。中央付近に移動しますか？";

INSTANTIATE_TEST_SUITE_P(
    Entries, AxisDistanceTest,
    ::testing::Values(
        DistanceCase{"ZeroOrEmpty", AxisModeAddX, 0.0, "入力値（＝０ or 空白）は無効です。", Ok, "",
                     Ok, 0},
        DistanceCase{"NotANumber", AxisModeChangeX, Nan, "入力値が数値ではありません。", Ok, "", Ok,
                     0},
        DistanceCase{"Infinite", AxisModeAddX, -Inf, "入力値が数値ではありません。", Ok, "", Ok, 0},
        DistanceCase{"ChangeHugeCorrected", AxisModeChangeX, 4.0, TooLarge, Yes, "", Ok, 0},
        DistanceCase{"ChangeHugeKept", AxisModeChangeX, 4.0, TooLarge, No, "", Ok, 1},
        DistanceCase{"ChangeNegative", AxisModeChangeX, -0.5, "マイナス値は入力出来ません。", Ok,
                     "", Ok, 0},
        DistanceCase{"ChangeTinyCorrected", AxisModeChangeX, 0.05, TooSmall, Yes, "", Ok, 0},
        DistanceCase{"ChangeTinyKept", AxisModeChangeX, 0.05, TooSmall, No, "", Ok, 1},
        DistanceCase{"ChangePlain", AxisModeChangeX, 1.2, "", Ok, "", Ok, 1},
        // 0.85 > 0.91 - 0.1: asked; kept, it still lies inside the gap.
        DistanceCase{"AddNearRightKept", AxisModeAddX, 0.85, TooLarge, No, "", Ok, 1},
        // Kept beyond the right axis: refused instead of breaking the grid.
        DistanceCase{"AddBeyondRightKept", AxisModeAddX, 0.95, TooLarge, No, Order, Ok, 0},
        // -1.0 from the right is 0.91 - 1.0 = -0.09, left of the left axis.
        DistanceCase{"AddBeyondLeftKept", AxisModeAddX, -1.0, TooSmall, No, Order, Ok, 0},
        DistanceCase{"AddTinyKept", AxisModeAddX, 0.05, TooSmall, No, "", Ok, 1},
        DistanceCase{"AddPlain", AxisModeAddX, 0.455, "", Ok, "", Ok, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, CancelledDialogAndClicksOutsideAGapChangeNothing) {
    ScriptedMessages messages;
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddX, 20, 0, AxisDlgCancelled, 0.3), 0);
    EXPECT_FALSE(ProposeAxisEdit(AxisModeAddX, 0, 0).valid);
    EXPECT_FALSE(ProposeAxisEdit(AxisModeChangeY, 0, 100).valid);
    EXPECT_EQ(ApplyAxisEdit(AxisModeAddX, 0, 0, AxisDlgMain, 0.3), 0);
    EXPECT_EQ(ApplyAxisEdit(AxisModeChangeY, 0, 100, AxisDlgMain, 0.3), 0);
    EXPECT_EQ(ApplyAxisEdit(7, 20, 20, AxisDlgMain, 0.3), 0);
    EXPECT_TRUE(messages.shown.empty());
}

// ---- Re-space ----

TEST_F(GridTest, RespaceMovesTheSmallerSide) {
    ScriptedMessages messages;
    AddOneOfEach(0, 0, 10, 60);
    AddOneOfEach(9, 1, 10, 60);
    // Gap 19..20 from 0.91 to 1.5: delta = 0.91 - 1.5 = -0.59; axes 0..19 move by -0.59.
    EXPECT_EQ(ApplyAxisEdit(AxisModeChangeX, 0 + 20, 0, AxisDlgSub, 1.5), 1);
    EXPECT_NEAR(Doc.AxisX[0], -0.59, 1e-12);
    EXPECT_NEAR(Doc.AxisX[19], 19 * M - 0.59, 1e-12);
    EXPECT_DOUBLE_EQ(Doc.AxisX[20], 20 * M);
    EXPECT_NEAR(Doc.AxisX[20] - Doc.AxisX[19], 1.5, 1e-12);
    // Gap 69..70 of Y to 0.5: delta = 0.41; axes 70..99 move by -0.41.
    EXPECT_EQ(ApplyAxisEdit(AxisModeChangeY, 0, 70, AxisDlgSub, 0.5), 1);
    EXPECT_DOUBLE_EQ(Doc.AxisY[69], 69 * M);
    EXPECT_NEAR(Doc.AxisY[70], 70 * M - 0.41, 1e-12);
    EXPECT_NEAR(Doc.AxisY[99], 99 * M - 0.41, 1e-12);
    // The kind of an existing axis and every element index stay.
    EXPECT_EQ(Doc.AxisKindX[20], MainAxis);
    ExpectOneOfEachAt(0, 0, 10, 60, 10, "scenario");
    ExpectOneOfEachAt(9, 1, 10, 60, 10, "undo");
}

TEST_F(GridTest, RespaceRefusesWhatWouldBreakTheGrid) {
    ScriptedMessages messages;
    messages.expect("入力値が数値ではありません。", Ok).expect(Order, Ok).expect(Order, Ok);
    EXPECT_FALSE(RespaceAxisInterval(AxisDir::X, 20, Nan));
    EXPECT_FALSE(RespaceAxisInterval(AxisDir::X, 20, 0.0));
    EXPECT_FALSE(RespaceAxisInterval(AxisDir::Y, 80, -0.2));
    EXPECT_FALSE(RespaceAxisInterval(AxisDir::Y, 0, 0.5)); // no gap before axis 0
    EXPECT_DOUBLE_EQ(Doc.AxisX[0], 0.0);
    EXPECT_DOUBLE_EQ(Doc.AxisY[99], 99 * M);
}

// Random edits in both directions, distances on half-way thousandths and counted from either
// axis of a gap: the session holds, to the bit, what a save and a reopen give back, and a
// changed gap is the typed distance to the thousandth. So do a centring and a module change
// after the walk.
TEST_F(GridTest, EveryAxisEditHoldsWhatTheFileGivesBack) {
    ScriptedMessages messages; // nothing in this walk asks
    std::mt19937 random(80);
    auto back = std::make_unique<Document>();
    auto reopen = [&] { return ReadModelFileV8(WriteModelFile(Doc, 0), *back).ok; };
    auto holds = [&] {
        return reopen() && std::memcmp(Doc.AxisX, back->AxisX, sizeof Doc.AxisX) == 0 &&
               std::memcmp(Doc.AxisY, back->AxisY, sizeof Doc.AxisY) == 0;
    };
    ASSERT_TRUE(reopen()); // the walk starts from a house as a reopen gives it
    std::memcpy(Doc.AxisX, back->AxisX, sizeof Doc.AxisX);
    std::memcpy(Doc.AxisY, back->AxisY, sizeof Doc.AxisY);
    for (int step = 0; step < 200; ++step) {
        const int mode = static_cast<int>(random() % 5), at = 1 + static_cast<int>(random() % 99);
        const double gap = ProposeAxisEdit(mode, at, at).oldDistance;
        double d = (100 + random() % 3800 + 0.5) / 1000;
        if (mode == AxisModeAddX || mode == AxisModeAddY) {
            if (gap < 0.25) continue;
            d = 0.101 + std::fmod(d, gap - 0.202) - (random() % 2 ? gap : 0.0);
        }
        const int iy = mode == AxisModeDelete && random() % 2 ? 100 : at;
        ASSERT_EQ(ApplyAxisEdit(mode, at, iy, AxisDlgMain, d), 1) << step;
        ASSERT_TRUE(holds()) << step;
        using modelfile::RealToThousandths;
        const double(&axes)[100] = mode == AxisModeChangeX ? Doc.AxisX : Doc.AxisY;
        if (mode == AxisModeChangeX || mode == AxisModeChangeY) {
            EXPECT_EQ(RealToThousandths(axes[at]) - RealToThousandths(axes[at - 1]),
                      RealToThousandths(d));
        }
    }
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(2, 2));
    messages.expect(CentreQuestion, Yes);
    ASSERT_EQ(CentreData(), CentreOutcome::Moved);
    EXPECT_TRUE(holds());
    ASSERT_TRUE(ChangeModule(1.2345, ModuleRespacing::Proportional));
    EXPECT_TRUE(holds());
    EXPECT_EQ(Doc.Module, back->Module);
}

// ---- Delete ----

TEST_F(GridTest, DeleteAxis60ShiftsTheUpperAxesDown) {
    ScriptedMessages messages;
    for (int slot : {0, 2, 6}) {
        AddOneOfEach(slot, 0, 61, 61);
        AddOneOfEach(slot, 1, 59, 59);
    }
    Doc.AxisKindX[61] = SubAxis;
    EXPECT_EQ(ApplyAxisEdit(AxisModeDelete, 60, 100, 0, 0.0), 1);
    EXPECT_DOUBLE_EQ(Doc.AxisX[59], 59 * M);
    EXPECT_DOUBLE_EQ(Doc.AxisX[60], 61 * M);
    EXPECT_EQ(Doc.AxisKindX[60], SubAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisX[98], 99 * M);
    EXPECT_NEAR(Doc.AxisX[99], 99 * M + M, 1e-12); // one module after axis 98
    EXPECT_EQ(Doc.AxisKindX[99], MainAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisY[60], 60 * M); // iy 100: no Y axis deleted
    for (int slot : {0, 2, 6}) {
        ExpectOneOfEachAt(slot, 0, 60, 61, 61, "above the axis");
        ExpectOneOfEachAt(slot, 1, 59, 59, 59, "below the axis");
    }
}

TEST_F(GridTest, DeleteLowAxisShiftsTheLowerAxesUp) {
    ScriptedMessages messages;
    AddOneOfEach(1, 2, 9, 12);
    AddOneOfEach(11, 2, 9, 12);
    Doc.AxisKindY[9] = HiddenAxis;
    // X axis 100 (none), Y axis 10.
    EXPECT_EQ(DeleteAxes(100, 10), 1);
    EXPECT_DOUBLE_EQ(Doc.AxisY[10], 9 * M);
    EXPECT_EQ(Doc.AxisKindY[10], HiddenAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisY[1], 0.0);
    EXPECT_NEAR(Doc.AxisY[0], -M, 1e-12);
    EXPECT_EQ(Doc.AxisKindY[0], MainAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisY[11], 11 * M);
    ExpectOneOfEachAt(1, 2, 9, 12, 9, "Y above unchanged");
    EXPECT_EQ(Doc.Columns[11][2][0], Column(9, 12));
    // Both at once: X 30 and Y 70.
    AddOneOfEach(0, 0, 29, 71);
    EXPECT_EQ(DeleteAxes(30, 70), 1);
    EXPECT_EQ(Doc.Columns[0][0][0], Column(30, 70));
}

// The axis holds one element of one kind: deleting it is refused, and the Y axis of the
// same click is then left alone too.
class DeleteRefusalTest : public GridTest, public ::testing::WithParamInterface<int> {};

TEST_P(DeleteRefusalTest, AxisWithDataIsKept) {
    const int kind = GetParam();
    const int slot = kind % 3;
    const int st = (kind / 3) % 3;
    switch (kind) {
    case 0:
        Add(Doc.ColumnCount, Doc.Columns, slot, st, Column(33, 1));
        break;
    case 1:
        Add(Doc.WallCount, Doc.Walls, slot, st, Wall(1, 1, 33, 1));
        break;
    case 2:
        Add(Doc.RoofFloorRectCount, Doc.RoofFloorRects, slot, st, {1, 1, 33, 2, 0});
        break;
    case 3:
        Add(Doc.RoofFloorTriCount, Doc.RoofFloorTris, slot, st, {1, 1, 2, 2, 33, 1, 0});
        break;
    case 4:
        Add(Doc.FloorSpecRectCount, Doc.FloorSpecRects, slot, st, {33, 1, 34, 2, 0});
        break;
    case 5:
        Add(Doc.FloorSpecTriCount, Doc.FloorSpecTris, slot, st, {1, 1, 2, 2, 33, 3, 0});
        break;
    case 6:
        Add(Doc.RoomTextCount, Doc.RoomTexts, slot, st, {1, 1, 33, 2, FixedText<40>("t")});
        break;
    case 7:
        Add(Doc.FoundationCount, Doc.Foundations, slot, st, {33, 1, 34, 1, 0});
        break;
    case 8:
        Add(Doc.FreeLineCount, Doc.FreeLines, slot, st, FreeLine(2, 2, 33, 2));
        break;
    }
    ScriptedMessages messages;
    messages.expect("データの在る軸は消去出来ません。", Ok);
    EXPECT_TRUE(AxisHoldsData(AxisDir::X, 33));
    EXPECT_EQ(DeleteAxes(33, 50), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "データ確認");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_DOUBLE_EQ(Doc.AxisX[33], 33 * M);
    EXPECT_DOUBLE_EQ(Doc.AxisY[50], 50 * M);
    EXPECT_EQ(TotalCount(slot, st), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DeleteRefusalTest, ::testing::Range(0, 9));

TEST_F(GridTest, DeleteDropsUndoSnapshotElementsOnTheDeletedAxis) {
    ScriptedMessages messages;
    // Only an undo snapshot (slot 8) uses axis 40: the axis may go, the snapshot's wall on it
    // cannot stay on the grid and is dropped; its neighbours are kept in order.
    Add(Doc.WallCount, Doc.Walls, 8, 1, Wall(10, 1, 20, 1));
    Add(Doc.WallCount, Doc.Walls, 8, 1, Wall(39, 1, 40, 1));
    Add(Doc.WallCount, Doc.Walls, 8, 1, Wall(30, 5, 39, 5));
    EXPECT_FALSE(AxisHoldsData(AxisDir::X, 40));
    EXPECT_EQ(DeleteAxes(40, 100), 1);
    ASSERT_EQ(Doc.WallCount[8][1], 2);
    EXPECT_EQ(Doc.Walls[8][1][0], Wall(11, 1, 21, 1));
    EXPECT_EQ(Doc.Walls[8][1][1], Wall(31, 5, 40, 5));
}

TEST_F(GridTest, DeleteKeepsTheGridSoundWithADamagedModule) {
    ScriptedMessages messages;
    Doc.Module = 0.0;
    EXPECT_EQ(DeleteAxes(70, 10), 1);
    EXPECT_TRUE(AxesAreSound(Doc.AxisX));
    EXPECT_TRUE(AxesAreSound(Doc.AxisY));
}

// ---- Centring ----

class RecordingHooks : public GridViewHooks {
public:
    void centreScrollBox() override { ++centred; }
    void repaintPlan() override { ++repainted; }
    int centred = 0, repainted = 0;
};

TEST_F(GridTest, CentringMovesEveryKindOfEverySlot) {
    // Data over X 2..10 and Y 2..10: cx = (1.82 + 9.10) / 2 = 5.46, gx = (0 + 90.09) / 2 =
    // 45.045, dx = 39.585; the smallest span over it is 44 steps (40.04 > 39.585 > 39.13).
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(2, 2));
    Add(Doc.WallCount, Doc.Walls, 1, 1, Wall(2, 10, 10, 10));
    // Kinds outside the extent still fit after the move and move with it.
    Add(Doc.RoomTextCount, Doc.RoomTexts, 2, 2, {0, 15, 1, 14, FixedText<40>("t")});
    Add(Doc.FloorSpecTriCount, Doc.FloorSpecTris, 2, 1, {0, 0, 1, 1, 0, 1, 12});
    Add(Doc.FreeLineCount, Doc.FreeLines, 0, 2, FreeLine(1, 1, 30, 1));
    AddOneOfEach(3, 0, 5, 5);                               // an undo snapshot moves too
    Add(Doc.ColumnCount, Doc.Columns, 3, 1, Column(99, 0)); // would leave: dropped
    Doc.AxisKindX[1] = SubAxis;

    RecordingHooks hooks;
    ScriptedMessages messages;
    messages.expect(CentreQuestion, Yes);
    EXPECT_EQ(CentreData(&hooks), CentreOutcome::Moved);
    EXPECT_EQ(hooks.centred, 1);
    EXPECT_EQ(hooks.repainted, 1);
    EXPECT_EQ(messages.shown[0].caption, "データ位置の問い合わせ");

    EXPECT_EQ(Doc.Columns[0][0][0], Column(46, 46));
    EXPECT_EQ(Doc.Walls[1][1][0], Wall(46, 54, 54, 54));
    EXPECT_EQ(Doc.RoomTexts[2][2][0], (RoomTextRecord{44, 59, 45, 58, FixedText<40>("t")}));
    EXPECT_EQ(Doc.FloorSpecTris[2][1][0], (FloorSpecTriRecord{44, 44, 45, 45, 44, 45, 12}));
    EXPECT_EQ(Doc.FreeLines[0][2][0], FreeLine(45, 45, 74, 45));
    ExpectOneOfEachAt(3, 0, 49, 49, 5, "undo snapshot");
    EXPECT_EQ(Doc.ColumnCount[3][1], 0);
    // The axes moved with their data: the metres of the data are the same.
    EXPECT_DOUBLE_EQ(Doc.AxisX[46], 2 * M);
    EXPECT_EQ(Doc.AxisKindX[45], SubAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisX[44], 0.0);
    EXPECT_NEAR(Doc.AxisX[43], -M, 1e-12);
    EXPECT_NEAR(Doc.AxisX[0], -44 * M, 1e-9);
    EXPECT_EQ(Doc.AxisKindX[0], MainAxis);
    EXPECT_DOUBLE_EQ(Doc.AxisX[99], 55 * M);
    EXPECT_TRUE(AxesAreSound(Doc.AxisX));
    EXPECT_TRUE(AxesAreSound(Doc.AxisY));
    EXPECT_EQ(Grid.DataMinX, 46);
    EXPECT_EQ(Grid.DataMaxY, 54);

    // Now centred within 2 m: not asked again.
    EXPECT_EQ(CentreData(&hooks), CentreOutcome::AlreadyCentred);
    EXPECT_EQ(hooks.repainted, 1);
}

TEST_F(GridTest, CentringTowardTheStartOfTheGrid) {
    // X 89..97: cx = (80.99 + 88.27) / 2 = 84.63, dx = -39.585: 44 steps back from the end.
    // Y 40..50: cy = 45 × 0.91 = 40.95, dy = 4.095: 5 steps (4.55 > 4.095 > 3.64).
    Add(Doc.WallCount, Doc.Walls, 0, 1, Wall(89, 40, 97, 50));
    ScriptedMessages messages;
    messages.expect(CentreQuestion, Yes);
    EXPECT_EQ(CentreData(), CentreOutcome::Moved);
    EXPECT_EQ(Doc.Walls[0][1][0].x1, 45);
    EXPECT_EQ(Doc.Walls[0][1][0].x2, 53);
    EXPECT_DOUBLE_EQ(Doc.AxisX[45], 89 * M);
    EXPECT_NEAR(Doc.AxisX[99], 99 * M + 44 * M, 1e-9);
    EXPECT_EQ(Doc.Walls[0][1][0].y1, 45);
    EXPECT_EQ(Doc.Walls[0][1][0].y2, 55);
}

TEST_F(GridTest, CentringDeclinedOrImpossibleChangesNothing) {
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(2, 2));
    Add(Doc.ColumnCount, Doc.Columns, 0, 0, Column(10, 10));
    {
        ScriptedMessages messages;
        messages.expect(CentreQuestion, No);
        EXPECT_EQ(CentreData(), CentreOutcome::Declined);
        EXPECT_EQ(Doc.Columns[0][0][0], Column(2, 2));
    }
    // A free line far to the right does not count in the extent but would leave the grid
    // with the shift of 44: nothing moves.
    Add(Doc.FreeLineCount, Doc.FreeLines, 1, 2, FreeLine(3, 3, 60, 3));
    ScriptedMessages messages;
    messages.expect(CentreQuestion, Yes)
        .expect("データの範囲が大き過ぎて位置の移動が出来ません。", Ok);
    EXPECT_EQ(CentreData(), CentreOutcome::TooLarge);
    EXPECT_EQ(messages.shown[1].caption, "データ移動不可");
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Stop);
    EXPECT_EQ(Doc.FreeLines[1][2][0], FreeLine(3, 3, 60, 3));
    EXPECT_EQ(Doc.Columns[0][0][1], Column(10, 10));
    EXPECT_DOUBLE_EQ(Doc.AxisX[0], 0.0);
}

TEST_F(GridTest, CentringAnEmptyModelAsksNothing) {
    ScriptedMessages messages;
    RecordingHooks hooks;
    Add(Doc.RoomTextCount, Doc.RoomTexts, 0, 0, {1, 1, 2, 2, FixedText<40>("t")});
    EXPECT_EQ(CentreData(&hooks), CentreOutcome::NothingToMove);
    EXPECT_EQ(hooks.centred, 1);
    EXPECT_EQ(Doc.RoomTexts[0][0][0].x1, 1);
}

// ---- Undo entries across grid edits ----

struct UndoAcrossEdit {
    const char* name;
    void (*edit)(ScriptedMessages&);
};

class UndoAcrossGridEditTest : public GridTest,
                               public ::testing::WithParamInterface<UndoAcrossEdit> {};

// An undo entry holds all three scenarios; a grid edit renumbers every one of them, so that
// a step back puts each scenario's elements on the axes they stood on, not on the axes that
// now carry their old numbers.
TEST_P(UndoAcrossGridEditTest, EveryScenarioOfAnEntryIsRenumbered) {
    App.UndoPosition = 0;
    for (auto& e : App.UndoEntryState) e = -1;
    for (int sc = 0; sc < Scenarios; ++sc)
        Add(Doc.ColumnCount, Doc.Columns, sc, 0, Column(1 + sc, 1));
    PushUndo();
    for (int sc = 0; sc < Scenarios; ++sc) Add(Doc.ColumnCount, Doc.Columns, sc, 0, Column(9, 9));

    ScriptedMessages messages;
    GetParam().edit(messages);
    ColumnRecord moved[Scenarios];
    for (int sc = 0; sc < Scenarios; ++sc) moved[sc] = Doc.Columns[sc][0][0];
    ASSERT_NE(moved[1], Column(2, 1)) << "the edit must move the scenario's columns";

    ASSERT_TRUE(UndoStep());
    for (int sc = 0; sc < Scenarios; ++sc) {
        SCOPED_TRACE(sc);
        ASSERT_EQ(Doc.ColumnCount[sc][0], 1);
        EXPECT_EQ(Doc.Columns[sc][0][0], moved[sc]);
    }
    App.UndoPosition = 0;
    for (auto& e : App.UndoEntryState) e = -1;
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoAcrossGridEditTest,
    ::testing::Values(
        UndoAcrossEdit{"InsertX",
                       [](ScriptedMessages&) {
                           ASSERT_EQ(ApplyAxisEdit(AxisModeAddX, 1, 0, AxisDlgMain, 0.455), 1);
                       }},
        UndoAcrossEdit{"DeleteY", // below axis 51: the axes under it move up one place
                       [](ScriptedMessages&) { ASSERT_EQ(DeleteAxes(100, 5), 1); }},
        UndoAcrossEdit{"Centre",
                       [](ScriptedMessages& messages) {
                           messages.expect(CentreQuestion, Yes);
                           ASSERT_EQ(CentreData(), CentreOutcome::Moved);
                       }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Module ----

struct ModuleCase {
    const char* name;
    double module;
    ModuleRespacing respacing;
    const char* refusal; // empty: accepted
    double standardAfter;
    double halfAfter; // the 0.455 interval before axis 11
};

class ModuleTest : public GridTest, public ::testing::WithParamInterface<ModuleCase> {};

TEST_P(ModuleTest, ChangesOrRefuses) {
    const ModuleCase& c = GetParam();
    // Axis 10 moved half a module back: interval 9..10 is 0.455, 10..11 is 1.365.
    Doc.AxisX[10] -= 0.455;
    Doc.AxisY[5] = 5.0;
    ScriptedMessages messages;
    if (*c.refusal) messages.expect(c.refusal, Ok);
    App.Modified = 0;
    EXPECT_EQ(ChangeModule(c.module, c.respacing), !*c.refusal);
    EXPECT_EQ(App.Modified, *c.refusal ? 0 : 1);
    if (*c.refusal) {
        EXPECT_DOUBLE_EQ(Doc.Module, M);
        EXPECT_DOUBLE_EQ(Doc.AxisX[99], 99 * M);
        EXPECT_EQ(messages.shown[0].caption, "入力値確認");
        return;
    }
    EXPECT_DOUBLE_EQ(Doc.Module, c.module);
    EXPECT_DOUBLE_EQ(Doc.AxisX[0], 0.0);
    EXPECT_NEAR(Doc.AxisX[1], c.standardAfter, 1e-12);
    EXPECT_NEAR(Doc.AxisX[10] - Doc.AxisX[9], c.halfAfter, 1e-12);
    EXPECT_NEAR(Doc.AxisX[50] - Doc.AxisX[49], c.standardAfter, 1e-12);
    EXPECT_TRUE(AxesAreSound(Doc.AxisX));
    EXPECT_TRUE(AxesAreSound(Doc.AxisY));
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ModuleTest,
    ::testing::Values(
        // 0.91 -> 1.0: standard intervals become 1.0; 0.455 stays, or scales to
        // 0.455 × 1.0 / 0.91 = 0.5, or becomes 1.0.
        ModuleCase{"KeepOthers", 1.0, ModuleRespacing::KeepOthers, "", 1.0, 0.455},
        ModuleCase{"Proportional", 1.0, ModuleRespacing::Proportional, "", 1.0, 0.5},
        ModuleCase{"ToModule", 1.0, ModuleRespacing::ToModule, "", 1.0, 1.0},
        ModuleCase{"Lowest", 0.6, ModuleRespacing::KeepOthers, "", 0.6, 0.455},
        ModuleCase{"Highest", 1.82, ModuleRespacing::Proportional, "", 1.82, 0.91},
        ModuleCase{"TooSmall", 0.599, ModuleRespacing::KeepOthers, "'0.600'以上", 0, 0},
        ModuleCase{"TooLarge", 1.821, ModuleRespacing::KeepOthers, "'1.820'以下", 0, 0},
        ModuleCase{"NotANumber", Nan, ModuleRespacing::ToModule, "'0.600'以上", 0, 0},
        ModuleCase{"Infinite", Inf, ModuleRespacing::ToModule, "'0.600'以上", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, ModuleChangeKeepsElementIndicesAndNeedsASoundOldModule) {
    ScriptedMessages messages;
    AddOneOfEach(0, 0, 7, 8);
    Doc.Module = 0.0; // damaged: nothing can be scaled by it
    EXPECT_TRUE(ChangeModule(1.0, ModuleRespacing::Proportional));
    EXPECT_NEAR(Doc.AxisX[99], 99.0, 1e-9);
    ExpectOneOfEachAt(0, 0, 7, 8, 7, "module change");
    // A gap scaled below a thousandth is none: the grid is laid out afresh, never left broken.
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * 1.82 - (i > 4 ? 1.819 : 0.0);
    Doc.Module = 1.82;
    EXPECT_TRUE(ChangeModule(0.6, ModuleRespacing::Proportional));
    EXPECT_TRUE(AxesAreSound(Doc.AxisX));
}

TEST(AxisDistancePresets, SixthsOfTheModule) {
    double presets[10];
    AxisDistancePresets(0.91, presets);
    const char* want[] = {" 0.758", " 0.607", " 0.455", " 0.303", " 0.152",
                          "-0.152", "-0.303", "-0.455", "-0.607", "-0.758"};
    for (int k = 0; k < 10; ++k) {
        char text[16];
        std::snprintf(text, sizeof text, "%6.3f", presets[k]);
        EXPECT_STREQ(text, want[k]) << k;
    }
}

} // namespace
