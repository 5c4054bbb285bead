// The wall-change marking: change flags and cautions against the current state, the order of
// the retrofit numbers, and the marking after edits made through another scenario.
#include "document/WallMarking.h"
#include "calc/Diagnosis.h"
#include "calc/NValues.h"
#include "calc/WallEvaluation.h"
#include "document/Recompute.h"
#include "support/HouseBuilder.h"

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace {

class WallMarkingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModelState();
        std::memset(&WallEval, 0, sizeof WallEval);
        static const auto blankJoints = std::make_unique<ColumnJointResults>();
        NValueRes = *blankJoints;
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 1.0;
        for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    }
};

// One wall of retrofit plan 1 against its current-state twin from (1, 1) to (3, 1) with a
// crossed 9 mm rebar brace, both on `storey`; the plan has columns under both ends on 1F.
struct FlagCase {
    const char* name;
    int storey;
    void (*edit)(WallRecord& plan);
    int32_t flags;
    int32_t cautions;
};

constexpr int OneWay45Notified = 5 * 12 + 2 * 4 + 2; // 45x90, 告示, one way
const FlagCase FlagCases[] = {
    {"equal", 0, [](WallRecord&) {}, 0, 0},
    {"ends swapped", 0, [](WallRecord& w) { std::swap(w.x1, w.x2); }, 0, 0},
    {"type", 0, [](WallRecord& w) { w.type = 7; }, WallChangedType, 0},
    {"mud wall", 0, [](WallRecord& w) { w.bracing = 27 + 3 * 128; }, WallChangedBracing, 0},
    {"joint", 0, [](WallRecord& w) { w.jointSpec = 1; }, WallChangedJoint, 0},
    {"hardware", 0, [](WallRecord& w) { w.bracing = 31; }, WallChangedBracing, 0},
    // The hardware index is taken off the row once: a cross brace with 釘打ち and a
    // compression brace with ＶＰ compare equal, as the program has always marked them.
    {"hardware made up by direction", 0, [](WallRecord& w) { w.bracing = 28; }, 0, 0},
    {"retrofit bit alone", 0, [](WallRecord& w) { w.bracing |= RetrofitWallBit; }, 0, 0},
    {"left panel", 0, [](WallRecord& w) { w.panelL = 6; }, WallChangedPanelL, 0},
    {"right panel", 0, [](WallRecord& w) { w.panelR = 6; }, WallChangedPanelR, 0},
    {"deterioration", 0, [](WallRecord& w) { w.deterioration = 0; }, WallChangedDeterioration, 0},
    {"foundation", 0, [](WallRecord& w) { w.foundationClass = 2; }, WallChangedFoundation, 0},
    {"new wall", 0, [](WallRecord& w) { w.y1 = w.y2 = 2; }, WallNew, 0},
    {"one-way brace turned round", 0,
     [](WallRecord& w) { std::swap(w.x1, w.x2), w.bracing = Doc.Walls[0][0][0].bracing = 26; },
     WallChangedBracing, 0},
    // Every twin on the same nodes is compared, not only the first.
    {"second twin differs", 0, [](WallRecord&) { HouseBuilder(0, 0).wall(1, 1, 3, 1, 27, 6); },
     WallChangedPanelL, 0},
    // 45x90 under notified hardware asks for its hardware only beyond 1.5 m.
    {"long notified 45x90", 0,
     [](WallRecord& w) { w.bracing = OneWay45Notified, Doc.AxisX[3] = 2.51; }, WallChangedBracing,
     WallCautionChooseHardware},
    {"notified 45x90 of 1.5 m", 0,
     [](WallRecord& w) { w.bracing = OneWay45Notified, Doc.AxisX[3] = 2.5; }, WallChangedBracing,
     0},
    {"column missing below", 1, [](WallRecord&) { Doc.ColumnCount[1][0] = 1; }, 0,
     WallCautionNoColumnsBelow},
    {"columns below", 1, [](WallRecord&) {}, 0, 0},
    {"end column to reinforce", 0,
     [](WallRecord&) { NValueRes.ColumnJointResult[1][0][1].nValueY = 1.81; }, 0,
     WallCautionFoundation},
    {"end column on the bound", 0,
     [](WallRecord&) { NValueRes.ColumnJointResult[1][0][1].nValueY = 1.800001; }, 0, 0},
    {"pull-out under the N-value method", 0,
     [](WallRecord&) { NValueRes.ColumnJointResult[1][0][1].pullOutX = 20; }, 0, 0},
    {"pull-out under the converted method", 0,
     [](WallRecord&) {
         App.Options.NValueMethod = 1, NValueRes.ColumnJointResult[1][0][0].pullOutX = 9.54;
     },
     0, WallCautionFoundation},
    {"no reinforcement under allowable stress", 0,
     [](WallRecord&) {
         App.Options.NValueMethod = 2, NValueRes.ColumnJointResult[1][0][0].nValueX = 5;
     },
     0, 0},
};

TEST_F(WallMarkingTest, FlagsAndCautionsForEachDifference) {
    for (const FlagCase& c : FlagCases) {
        SetUp();
        HouseBuilder(0, c.storey).wall(1, 1, 3, 1, 27);
        HouseBuilder(1, 0).column(1, 1).column(3, 1);
        HouseBuilder(1, c.storey).wall(1, 1, 3, 1, 27);
        WallRecord& plan = Doc.Walls[1][c.storey][Doc.WallCount[1][c.storey] - 1];
        plan.cautionFlags = WallCautionWeakerBelow; // the result summary's bit stays
        c.edit(plan);
        MarkWallChanges(EveryScenarioRun);
        EXPECT_EQ(plan.changeFlags, c.flags) << c.name;
        EXPECT_EQ(plan.cautionFlags, c.cautions | WallCautionWeakerBelow) << c.name;
        if (Doc.WallCount[0][c.storey] == 1) { // the current state equals itself
            EXPECT_EQ(Doc.Walls[0][c.storey][0].changeFlags, 0) << c.name;
        }
    }
}

// The foundation caution reads the column joints of a plan only once a run of this document has
// worked them out: after a document whose plan 1 had an end column to reinforce, the next
// document's plan 1, not yet on screen, carries no caution of it.
TEST_F(WallMarkingTest, APlanNotRunForThisDocumentReadsNoColumnJointsOfTheOneBefore) {
    for (int s : {0, 1}) HouseBuilder(s, 0).column(1, 1).column(3, 1).wall(1, 1, 3, 1, 27);
    const WallRecord& plan = Doc.Walls[1][0][0];
    MarkDocumentReplaced();
    App.CurrentScenario = 1;
    Recompute();
    NValueRes.ColumnJointResult[1][0][1].nValueY = 1.81; // as if plan 1's run had found it
    App.CurrentScenario = 0;
    MarkDocumentChanged();
    Recompute();
    EXPECT_EQ(plan.cautionFlags & WallCautionFoundation, WallCautionFoundation);

    MarkDocumentReplaced(); // the same house opened again
    Recompute();
    EXPECT_EQ(plan.cautionFlags & WallCautionFoundation, 0);
}

TEST_F(WallMarkingTest, RetrofitNumbersRunAlongXThenYThenObliquePerStoreyUpwards) {
    constexpr int Brace = 27; // 9 mm rebar, crossed: carries strength
    HouseBuilder(0, 0).wall(1, 1, 3, 1, Brace);
    HouseBuilder(1, 0)
        .wall(1, 1, 2, 2, Brace)                    // 0 oblique
        .wall(1, 1, 1, 3, Brace)                    // 1 along Y on x = 1
        .wall(1, 1, 3, 1, Brace)                    // 2 along X, as in the current state
        .wall(1, 4, 3, 4, Brace)                    // 3 along X on y = 4
        .wall(3, 4, 5, 4, Brace)                    // 4 along X on y = 4, further right
        .wall(4, 1, 4, 3, 0)                        // 5 changed, carries nothing
        .wall(5, 1, 5, 3, RetrofitWallBit)          // 6 retrofit, carries nothing
        .wall(6, 1, 6, 3, Brace | RetrofitWallBit); // 7 retrofit
    HouseBuilder(1, 1).wall(1, 1, 3, 1, Brace);
    HouseBuilder(1, 2).wall(1, 1, 3, 1, Brace); // above the top storey: left alone
    Doc.Walls[1][2][0].changeFlags = 77;
    Doc.Walls[1][0][5].retrofitNo = 9; // from an earlier run
    App.CurrentScenario = 1;
    RunDiagnosis();
    MarkWallChanges(EveryScenarioRun);

    // X lines from the largest Y axis, left to right; Y lines from the smallest X axis.
    const int expected[] = {6, 3, 0, 1, 2, 0, 4, 5};
    for (int w = 0; w < 8; ++w) EXPECT_EQ(Doc.Walls[1][0][w].retrofitNo, expected[w]) << w;
    EXPECT_EQ(Doc.Walls[1][1][0].retrofitNo, 7);
    EXPECT_EQ(Doc.Walls[1][2][0].changeFlags, 77);
    EXPECT_EQ(Doc.Walls[1][2][0].retrofitNo, 0);
    EXPECT_EQ(Doc.Walls[0][0][0].retrofitNo, 0);
}

TEST_F(WallMarkingTest, MarkingFollowsEditsMadeThroughAnotherScenario) {
    constexpr int Notified = 2;
    HouseBuilder(0, 0).column(1, 1, 1, Notified).column(3, 1, 1, Notified).wall(1, 1, 3, 1, 27);
    for (int to : {1, 2}) {
        Doc.ColumnCount[to][0] = Doc.ColumnCount[0][0];
        Doc.WallCount[to][0] = Doc.WallCount[0][0];
        std::memcpy(Doc.Columns[to], Doc.Columns[0], sizeof Doc.Columns[0]);
        std::memcpy(Doc.Walls[to], Doc.Walls[0], sizeof Doc.Walls[0]);
    }
    for (int s : {0, 2, 1}) {
        App.CurrentScenario = s;
        RunDiagnosis();
    }
    MarkWallChanges(EveryScenarioRun);
    for (int s = 0; s < Scenarios; ++s) EXPECT_EQ(Doc.Walls[s][0][0].changeFlags, 0) << s;

    // The current state's columns lose their hardware (an edit made while it was on screen,
    // not recomputed since) and plan 2 gets a panel, all while plan 1 is on screen.
    Doc.Columns[0][0][0].joint = Doc.Columns[0][0][1].joint = 0;
    Doc.Walls[2][0][0].panelL = 6;
    RunDiagnosis();
    MarkWallChanges(EveryScenarioRun);
    EXPECT_EQ(Doc.Walls[0][0][0].changeFlags, 0);
    EXPECT_EQ(Doc.Walls[1][0][0].changeFlags, WallChangedJoint);
    // Plan 2 is compared with what its own last run left in its words.
    EXPECT_TRUE(Doc.Walls[2][0][0].changeFlags & WallChangedPanelL);
    EXPECT_EQ(Doc.Walls[1][0][0].retrofitNo, 1);
}

} // namespace
