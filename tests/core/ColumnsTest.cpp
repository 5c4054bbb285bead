// Column input driven by grid nodes: new columns, through-column partners, the change dialog's
// choices (scripted as the dialog makes them), capacity, and the undo ring after each click.
#include "mainwin/Columns.h"
#include "model/AppState.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/Slots.h"

#include "support/HouseBuilder.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Stands in for the change dialog: records what it was shown with and answers as the user
// would, taking the snapshot for a change or deletion as the dialog does.
class ScriptedColumnView final : public ColumnInputView {
public:
    struct Choice {
        int32_t result, hardware, corner;
    };
    struct Shown {
        int32_t warning, hardware, corner;
    };
    ScriptedColumnView() { SetColumnInputView(this); }
    ~ScriptedColumnView() override {
        SetColumnInputView(nullptr);
        EXPECT_TRUE(script.empty());
    }
    void showColumnChangeDialog() override {
        shown.push_back({ColumnDlgResult, ColumnHardware, ColumnCornerMode});
        ASSERT_FALSE(script.empty()) << "dialog not expected";
        const Choice c = script.front();
        script.pop_front();
        if (c.result == ColumnDlgChange || c.result == ColumnDlgDelete) PushUndo();
        ColumnDlgResult = c.result;
        ColumnHardware = c.hardware;
        ColumnCornerMode = c.corner;
    }
    void repaintSheet() override { ++repaints; }

    std::deque<Choice> script;
    std::vector<Shown> shown;
    int repaints = 0;
};

class ColumnsTest : public testing::Test {
protected:
    void SetUp() override {
        ResetModelState();
        InitModel(InitStartup);
    }
    static const ColumnRecord& At(int storey, int i) { return Doc.Columns[0][storey][i]; }
    static int Count(int storey) { return Doc.ColumnCount[0][storey]; }
    static void Fill(int storey) {
        for (int i = 0; i < MaxColumns; ++i) HouseBuilder(0, storey).column(1 + i % 50, 1 + i / 50);
    }
    ScriptedColumnView view;
};

TEST_F(ColumnsTest, NewColumnsAndTheirThroughPartners) {
    struct Case {
        const char* what;
        int storey, kind;
        int upperKind;     // a column already on the partner storey at the node (0: none)
        int partnerStorey; // -1: no partner
        int32_t partnerJoint;
    };
    const Case cases[] = {
        {"管柱", 0, 1, 0, -1, 0},
        {"通し柱(1-2) on 1F marks 2F's 管柱, keeping its joint", 0, 2, 1, 1, 5},
        {"通し柱(1-2) on 2F adds 1F with the hardware only", 1, 2, 0, 0, 1},
        {"通し柱(1-2) on 3F pairs with 1F", 2, 2, 0, 0, 1},
        {"通し柱(2-3) on 1F adds 3F, above the top storey", 0, 3, 0, 2, 1},
        {"通し柱(2-3) on 3F pairs with 2F", 2, 3, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.upperKind) HouseBuilder(0, c.partnerStorey).column(4, 3, c.upperKind, 5);
        App.CurrentStorey = c.storey;
        App.CurColumnKind = c.kind, App.CurColumnHardware = 1, App.CurColumnCorner = 2;

        EXPECT_EQ(InputColumn(4, 3), 1);
        ASSERT_EQ(Count(c.storey), 1);
        EXPECT_EQ(At(c.storey, 0), (ColumnRecord{4, 3, c.kind, 2 * 4 + 1, 0}));
        for (int f = 0; f < Storeys; ++f) {
            if (f == c.storey) continue;
            if (f != c.partnerStorey) {
                EXPECT_EQ(Count(f), 0) << f;
                continue;
            }
            ASSERT_EQ(Count(f), 1) << f;
            EXPECT_EQ(At(f, 0), (ColumnRecord{4, 3, c.kind, c.partnerJoint, 0}));
        }
        // One step back undoes the column and its partner.
        ASSERT_TRUE(UndoStep());
        EXPECT_EQ(Count(c.storey), 0);
        if (c.partnerStorey >= 0) {
            EXPECT_EQ(Count(c.partnerStorey), c.upperKind ? 1 : 0);
            if (c.upperKind) {
                EXPECT_EQ(At(c.partnerStorey, 0).kind, c.upperKind);
            }
        }
        EXPECT_FALSE(CanUndo());
    }
}

TEST_F(ColumnsTest, FullStoreysRefuseWithoutMessageAndPartnersFallBack) {
    // The 201st column: refused, nothing written, no step to undo.
    Fill(0);
    const std::string before = WholeSlot(0);
    EXPECT_EQ(InputColumn(60, 60), 0);
    EXPECT_EQ(WholeSlot(0), before);
    EXPECT_FALSE(CanUndo());
    EXPECT_EQ(view.repaints, 0);

    // A through column whose partner storey is full stays as an ordinary column.
    SetUp();
    Fill(1);
    App.CurColumnKind = 2;
    EXPECT_EQ(InputColumn(60, 60), 0);
    ASSERT_EQ(Count(0), 1);
    EXPECT_EQ(At(0, 0).kind, 1);
    EXPECT_EQ(Count(1), MaxColumns);
    EXPECT_TRUE(CanUndo());
}

TEST_F(ColumnsTest, TheDialogChangesDeletesOrCancels) {
    // 1F: a 通し柱(1-2) between two 管柱, its partner on 2F.
    HouseBuilder(0, 0).column(1, 1).column(2, 2, 2, 4 * 1 + 2).column(3, 3);
    HouseBuilder(0, 1).column(2, 2, 2, 1);
    Doc.DiagnosisMethod = 1;
    HouseBuilder(0, 0).wall(2, 2, 5, 2, 0, 0, 0, /*type*/ 4);

    // Cancel: the dialog shows the column's joint; nothing changes, no snapshot.
    view.script = {{ColumnDlgCancel, 0, 0}};
    const std::string before = AllScenarios();
    EXPECT_EQ(InputColumn(2, 2), 1);
    EXPECT_EQ(AllScenarios(), before);
    EXPECT_FALSE(CanUndo());
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].hardware, 2);
    EXPECT_EQ(view.shown[0].corner, 1);
    EXPECT_EQ(view.shown[0].warning, 0); // a partition wall under the general method

    // Change: the joint follows the dialog, the kind stays; one step back restores it.
    view.script = {{ColumnDlgChange, 1, 0}};
    EXPECT_EQ(InputColumn(2, 2), 1);
    EXPECT_EQ(At(0, 1), (ColumnRecord{2, 2, 2, 1, 0}));
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(At(0, 1).joint, 6);

    // Delete: the others keep their order, the partner becomes a 管柱 and stays.
    view.script = {{ColumnDlgDelete, 2, 1}};
    EXPECT_EQ(InputColumn(2, 2), 1);
    ASSERT_EQ(Count(0), 2);
    EXPECT_EQ(At(0, 0).x, 1);
    EXPECT_EQ(At(0, 1).x, 3);
    EXPECT_EQ(At(1, 0), (ColumnRecord{2, 2, 1, 1, 0}));
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(Count(0), 3);
    EXPECT_EQ(At(1, 0).kind, 2);
    EXPECT_EQ(view.repaints, 3);
}

TEST_F(ColumnsTest, WarningWhenABearingWallEndsAtTheColumn) {
    struct Case {
        int32_t method, type, warning;
    };
    const Case cases[] = {{1, 0, 1}, {1, 4, 0}, {3, 14, 1}, {0, 4, 1}, {0, 14, 0}};
    for (const Case& c : cases) {
        SetUp();
        Doc.DiagnosisMethod = c.method;
        HouseBuilder(0, 0).column(5, 2).wall(1, 2, 5, 2, 0, 0, 0, c.type).wall(5, 3, 5, 6);
        view.script = {{ColumnDlgCancel, 0, 0}};
        InputColumn(5, 2);
        ASSERT_EQ(view.shown.size(), 1u);
        EXPECT_EQ(view.shown[0].warning, c.warning) << c.method << " " << c.type;
        view.shown.clear();
    }
}

} // namespace
