// Column input driven by grid nodes: new columns, through-column partners, the change dialog's
// choices (answered as the dialog answers), capacity, and the undo ring after each click.
#include "document/Columns.h"
#include "model/AppState.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/Slots.h"

#include "support/HouseBuilder.h"
#include "support/PlanInputChecks.h"

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <string>

namespace {

// Answers the change dialog with `choice`, taking the snapshot for a change or deletion as the
// dialog does; keeps the warning it was shown with.
struct ScriptedColumnView final : ColumnInputView {
    ScriptedColumnView() { SetColumnInputView(this); }
    ~ScriptedColumnView() override { SetColumnInputView(nullptr); }
    void showColumnChangeDialog() override {
        warning = ColumnDlgResult;
        if (choice.result == ColumnDlgChange || choice.result == ColumnDlgDelete) PushUndo();
        ColumnDlgResult = choice.result;
        ColumnHardware = choice.hardware, ColumnCornerMode = choice.corner;
    }
    struct Choice {
        int32_t result, hardware, corner;
    } choice{};
    int32_t warning = -1;
};

// Columns of scenario 0 as "x,y,kind,joint" per storey; a full storey shows as "full".
std::string Plan() {
    std::string out;
    for (int f = 0; f < Storeys; ++f) {
        const int n = Doc.ColumnCount[0][f];
        out += f ? " |" : "";
        out += n == MaxColumns ? "full" : "";
        for (const ColumnRecord& c : std::span(Doc.Columns[0][f], n < MaxColumns ? n : 0))
            out += " " + std::to_string(c.x) + "," + std::to_string(c.y) + "," +
                   std::to_string(c.kind) + "," + std::to_string(c.joint);
    }
    return out;
}

struct Case {
    const char* what;
    int storey, x, y, kind; // kind: CurColumnKind (hardware ＶＰ, corner 一般柱: joint 9)
    int fullStorey;         // -1: none
    ScriptedColumnView::Choice choice; // the dialog's answer
    int returns;
    const char* after; // "" when nothing changes and no snapshot is taken
};

// Before each click: 1F 管柱 (1,1) and 通し柱(1-2) (2,2); 2F its partner and a 管柱 at (4,3).
// clang-format off
const Case Cases[] = {
    {"管柱",                       0, 5, 5, 1, -1, {}, 1, " 1,1,1,6 2,2,2,9 5,5,1,9 | 2,2,2,1 4,3,1,5 |"},
    {"通し柱(1-2) on a 2F 管柱",   0, 4, 3, 2, -1, {}, 1, " 1,1,1,6 2,2,2,9 4,3,2,9 | 2,2,2,1 4,3,2,5 |"},
    {"通し柱(1-2) on 2F",          1, 5, 5, 2, -1, {}, 1, " 1,1,1,6 2,2,2,9 5,5,2,1 | 2,2,2,1 4,3,1,5 5,5,2,9 |"},
    {"通し柱(1-2) on 3F",          2, 5, 5, 2, -1, {}, 1, " 1,1,1,6 2,2,2,9 5,5,2,1 | 2,2,2,1 4,3,1,5 | 5,5,2,9"},
    {"通し柱(2-3) on 1F, partner above the top storey",
                                   0, 5, 5, 3, -1, {}, 1, " 1,1,1,6 2,2,2,9 5,5,3,9 | 2,2,2,1 4,3,1,5 | 5,5,3,1"},
    {"通し柱(2-3) on 3F",          2, 5, 5, 3, -1, {}, 1, " 1,1,1,6 2,2,2,9 | 2,2,2,1 4,3,1,5 5,5,3,1 | 5,5,3,9"},
    {"change keeps the kind",      0, 2, 2, 1, -1, {ColumnDlgChange, 2, 0}, 1, " 1,1,1,6 2,2,2,2 | 2,2,2,1 4,3,1,5 |"},
    {"delete frees the partner",   0, 2, 2, 1, -1, {ColumnDlgDelete, 0, 0}, 1, " 1,1,1,6 | 2,2,1,1 4,3,1,5 |"},
    {"cancel",                     0, 2, 2, 1, -1, {ColumnDlgCancel, 0, 0}, 0, ""},
    {"dialog closed",              0, 2, 2, 1, -1, {}, 0, ""},
    {"201st column",               1, 5, 5, 1,  1, {}, 0, ""},
    {"partner storey full",        0, 60, 60, 2, 1, {}, 1, " 1,1,1,6 2,2,2,9 60,60,1,9 |full |"},
};
// clang-format on

TEST(Columns, InputOnGridNodesWithUndo) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.what);
        ResetModelState();
        InitModel(InitStartup);
        ScriptedColumnView view;
        view.choice = c.choice;
        HouseBuilder(0, 0).column(1, 1, 1, 6).column(2, 2, 2, 9);
        HouseBuilder(0, 1).column(2, 2, 2, 1).column(4, 3, 1, 5);
        for (int i = 0; c.fullStorey >= 0 && Doc.ColumnCount[0][c.fullStorey] < MaxColumns; ++i)
            HouseBuilder(0, c.fullStorey).column(10 + i % 50, 10 + i / 50);
        const std::string before = Plan(), slot = WholeSlot(0);
        App.CurrentStorey = c.storey;
        App.CurColumnKind = c.kind, App.CurColumnHardware = 1, App.CurColumnCorner = 2;

        EXPECT_EQ(InputColumn(c.x, c.y), c.returns);
        ExpectUndoableClick(Plan, before, slot, c.after);
    }
}

TEST(Columns, WarningWhenABearingWallEndsAtTheColumn) {
    // method, wall type, warning
    for (auto [method, type, warning] :
         {std::array{1, 0, 1}, {1, 4, 0}, {3, 14, 1}, {0, 4, 1}, {0, 14, 0}}) {
        ResetModelState();
        ScriptedColumnView view;
        Doc.DiagnosisMethod = method;
        HouseBuilder(0, 0).column(5, 2).wall(1, 2, 5, 2, 0, 0, 0, type).wall(5, 3, 5, 6);
        InputColumn(5, 2);
        EXPECT_EQ(view.warning, warning) << method << " " << type;
    }
}

} // namespace
