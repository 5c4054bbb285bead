// The recompute step: when it runs, what it fills, and its notices, each told once.
#include "calc/Diagnosis.h"
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace {

class RecomputeTest : public ::testing::Test {
protected:
    void SetUp() override {
        houses::ResetDocument();
        MarkDocumentReplaced();
    }
};

TEST_F(RecomputeTest, RecomputeRunsWhenSomethingItReadsHasChanged) {
    EXPECT_TRUE(EnsureRecomputed());
    EXPECT_FALSE(EnsureRecomputed());
    MarkDocumentChanged();
    EXPECT_TRUE(EnsureRecomputed());
    // A storey switch, an option and the method are noticed even when nobody marks them.
    App.CurrentStorey = 1;
    EXPECT_TRUE(EnsureRecomputed());
    App.Options.CountNonBearingWalls = 1;
    EXPECT_TRUE(EnsureRecomputed());
    Doc.DiagnosisMethod = 0;
    EXPECT_TRUE(EnsureRecomputed());
    App.DeteriorationFactor = 0.8;
    EXPECT_TRUE(EnsureRecomputed());
    EXPECT_FALSE(EnsureRecomputed());
}

TEST_F(RecomputeTest, AnEditNobodyMarkedIsNoticedAllTheSame) {
    houses::BuildSymmetricOneStorey();
    MarkDocumentChanged();
    ASSERT_TRUE(EnsureRecomputed());
    // The run writes derived words into the walls; a second look finds nothing changed.
    EXPECT_FALSE(RecomputeNeeded());
    Doc.Walls[0][0][0].bracing = 0; // an edit that forgot to say so
    EXPECT_TRUE(EnsureRecomputed());
    EXPECT_FALSE(RecomputeNeeded());
    Doc.StoreyData.weightClass[0] = 2; // so does the overview
    EXPECT_TRUE(EnsureRecomputed());
    Doc.AxisX[50] += 0.1; // and the grid
    EXPECT_TRUE(EnsureRecomputed());
    // Undo snapshots are not diagnosed.
    Doc.ColumnCount[5][0] = 3;
    EXPECT_FALSE(RecomputeNeeded());
}

TEST_F(RecomputeTest, RecomputeFillsLabelsExtentsAndThePanel) {
    houses::BuildSymmetricOneStorey();
    MarkDocumentChanged();
    ASSERT_TRUE(EnsureRecomputed());
    EXPECT_EQ(Grid.DataMinX, 1);
    EXPECT_EQ(Grid.DataMaxX, 9);
    EXPECT_STREQ(Grid.AxisLabelX[1], "X 0");
    EXPECT_STRNE(LastDiagnosis().Panel.ScoreX[0].text, "");
}

TEST_F(RecomputeTest, RepairedGridIsToldOnceNotOncePerRepaint) {
    Doc.AxisX[40] = Doc.AxisX[39]; // not increasing
    EnsureRecomputed();
    EXPECT_EQ(Doc.AxisX[40], 40.0); // laid out afresh at the module
    ASSERT_TRUE(RecomputeNoticesPending());
    {
        ScriptedMessages messages;
        messages.expect("通り芯のデータが壊れていますので初期化します。", MsgAnswer::Ok);
        ShowRecomputeNotices();
        EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::Stop);
    }
    for (int paint = 0; paint < 3; ++paint) {
        MarkDocumentChanged();
        EnsureRecomputed();
        EXPECT_FALSE(RecomputeNoticesPending());
    }
}

TEST_F(RecomputeTest, CalculationNoticeIsToldOnceWhileItPersists) {
    houses::BuildSymmetricOneStorey();
    Doc.DiagnosisMethod = 3; // storey weights, which need the storey height
    Doc.StoreyData.storeyHeight[0][0] = 0.0;
    MarkDocumentChanged();
    EnsureRecomputed();
    ASSERT_TRUE(RecomputeNoticesPending());
    {
        ScriptedMessages messages;
        messages.expect("建物階高を入力して下さい。", MsgAnswer::Ok);
        ShowRecomputeNotices();
    }
    MarkDocumentChanged(); // another edit: the notice still holds, and is not told again
    EnsureRecomputed();
    EXPECT_FALSE(RecomputeNoticesPending());
    Doc.StoreyData.storeyHeight[0][0] = 2.9; // mended
    MarkDocumentChanged();
    EnsureRecomputed();
    EXPECT_FALSE(RecomputeNoticesPending());
    Doc.StoreyData.storeyHeight[0][0] = 0.0; // broken again: told again
    MarkDocumentChanged();
    EnsureRecomputed();
    EXPECT_TRUE(RecomputeNoticesPending());
    MarkDocumentReplaced(); // a new document with the same fault is told too
    {
        ScriptedMessages messages;
        messages.expect("建物階高", MsgAnswer::Ok);
        ShowRecomputeNotices();
    }
}

} // namespace
