// The undo step every edit takes, and the edits the plan's dialogs make in the document: the
// column change dialog's buttons, the bulk copy, swap and clears, and the clear of a storey's
// texts; each is one undo step or none.
#include "document/BulkEdit.h"
#include "document/Columns.h"
#include "document/Foundations.h"
#include "document/Recompute.h"
#include "document/UndoableEdit.h"
#include "model/InitModel.h"
#include "model/Slots.h"

#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

struct PressingColumnView final : ColumnInputView {
    PressingColumnView() { SetColumnInputView(this); }
    ~PressingColumnView() override { SetColumnInputView(nullptr); }
    void showColumnChangeDialog() override { press(); }
    std::function<void()> press;
};

void Reset() {
    ResetModelState();
    InitModel(InitStartup);
}

TEST(DialogEdits, AnEditMarksTheDocumentAtItsEndOrTakesItsSnapshotBack) {
    Reset();
    HouseBuilder(0, 0).column(1, 1);
    uint64_t generation = DocumentGeneration();
    {
        UndoableEdit edit;
        Doc.ColumnCount[0][0] = 0;
        EXPECT_EQ(DocumentGeneration(), generation) << "marked at the end";
    }
    EXPECT_GT(DocumentGeneration(), generation);
    ASSERT_TRUE(UndoStep()); // a redo step now waits
    generation = DocumentGeneration();
    const uint64_t pushes = UndoPushCount();
    const int32_t position = App.UndoPosition;
    {
        UndoableEdit edit;
        EXPECT_FALSE(CanRedo());
        edit.nothingChanged();
    }
    EXPECT_EQ(std::tuple(DocumentGeneration(), UndoPushCount(), App.UndoPosition, CanUndo()),
              std::tuple(generation, pushes, position, false));
    ASSERT_TRUE(RedoStep()) << "the redo step it had ended is back";
    EXPECT_EQ(Doc.ColumnCount[0][0], 0);
}

TEST(DialogEdits, ColumnChangeButtonsTakeTheClicksOneSnapshot) {
    Reset();
    PressingColumnView view;
    HouseBuilder(0, 0).column(1, 1, 1, 2 * 4 + 1);
    view.press = [] { ColumnChangeOk(2, -1); }; // 告示, the corner radio unchecked
    EXPECT_EQ(InputColumn(1, 1), 1);
    EXPECT_EQ(Doc.Columns[0][0][0].joint, 2 * 4 + 2);
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(Doc.Columns[0][0][0].joint, 2 * 4 + 1);
    EXPECT_FALSE(CanUndo());

    view.press = [] { ColumnChangeCancel(); };
    EXPECT_EQ(InputColumn(1, 1), 0);
    EXPECT_FALSE(CanUndo());
    view.press = [] { ColumnChangeDelete(); };
    EXPECT_EQ(InputColumn(1, 1), 1);
    EXPECT_EQ(Doc.ColumnCount[0][0], 0);
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
}

TEST(DialogEdits, BulkEditsAndTheTextClearAreOneUndoStepEach) {
    Reset();
    HouseBuilder(0, 0).column(1, 1).wall(1, 1, 4, 1, 14, 3);
    HouseBuilder(1, 0).column(2, 2).wall(2, 2, 5, 2, 14, 3).roomText(1, 1, 1, 1, "A");
    App.CurrentScenario = 1;
    const std::string before = LivePlan(1);

    // Only onto the scenario on screen, and not from itself.
    EXPECT_FALSE(BulkCopyOntoCurrent(1, 0, CopyElementsOnly, 7));
    EXPECT_FALSE(BulkCopyOntoCurrent(1, 1, CopyElementsOnly, 7));
    EXPECT_FALSE(CanUndo() || App.Modified);
    ASSERT_TRUE(BulkCopyOntoCurrent(0, 1, CopyElementsOnly, 7));
    EXPECT_EQ(LivePlan(1), LivePlan(0));
    EXPECT_EQ(App.Modified, 1);
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(LivePlan(1), before);
    App.Modified = 0;

    ScriptedMessages messages;
    messages.expect("この階の全てのデータを消去します。", MsgAnswer::No)
        .expect("この階の壁耐力要素を全て消去します。", MsgAnswer::Yes)
        .expect("本当に消去しますか？", MsgAnswer::Yes)
        .expect("本当に消去しますか？", MsgAnswer::Yes)
        .expect("この階の全てのデータを消去します。", MsgAnswer::Yes);
    EXPECT_FALSE(BulkDeleteStoreyData());
    EXPECT_FALSE(CanUndo() || App.Modified);
    EXPECT_TRUE(BulkDeleteWallElements());
    EXPECT_EQ(Doc.Walls[1][0][0].bracing + Doc.Walls[1][0][0].panelL, 0);
    EXPECT_EQ(Doc.Walls[0][0][0].bracing, 14);
    EXPECT_TRUE(ClearStoreyRoomTexts());
    EXPECT_EQ(Doc.RoomTextCount[1][0], 0);
    EXPECT_FALSE(ClearStoreyRoomTexts()) << "nothing left to clear: no step";
    EXPECT_TRUE(BulkDeleteStoreyData());
    EXPECT_EQ(Doc.ColumnCount[1][0] + Doc.WallCount[1][0], 0);
    for (int step = 0; step < 3; ++step) ASSERT_TRUE(UndoStep());
    EXPECT_EQ(LivePlan(1), before);
    EXPECT_FALSE(CanUndo());
}

} // namespace
