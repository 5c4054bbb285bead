#pragma once
// The columns of the plan: placing, changing and deleting them by clicks on grid nodes. A through column (通し柱) stands on two storeys: placing it places or marks its
// partner on the other storey, deleting it turns the partner back into an ordinary column.
//
// The input is free of Qt and built with the core; the column change dialog and the repaint
// are reached through ColumnInputView, which the window installs and tests script. The plan
// painter (plan/) draws them.
#include <cstdint>

// ---- Exchange with the column change dialog ----
// In: 1 when a bearing wall ends at the column (the dialog shows its warning), else 0.
// Out: 2 delete, 5 change, 9 cancel; closing the dialog otherwise leaves the in-value.
extern int32_t ColumnDlgResult;
// In and out: the clicked column's hardware (0 釘打ち, 1 ＶＰ, 2 告示) and corner rule
// (0 自動, 1 出隅柱, 2 一般柱).
extern int32_t ColumnHardware;
extern int32_t ColumnCornerMode;

inline constexpr int32_t ColumnDlgDelete = 2;
inline constexpr int32_t ColumnDlgChange = 5;
inline constexpr int32_t ColumnDlgCancel = 9;

// The column change dialog's buttons. 変更 takes the dialog's hardware and corner radios (a
// negative value, no radio checked, keeps the code) and 消去 asks for the deletion; each takes
// the click's one undo snapshot. キャンセル takes none.
void ColumnChangeOk(int32_t hardware, int32_t corner);
void ColumnChangeDelete();
void ColumnChangeCancel();

// What the column input needs of the window.
class ColumnInputView {
public:
    virtual ~ColumnInputView() = default;
    // Shows the column change dialog modally; its choice is left in the exchange variables.
    virtual void showColumnChangeDialog() {}
    // The columns changed: repaint the plan, which recomputes the diagnosis.
    virtual void repaintSheet() {}
};

// The installed view; until one is installed the dialog is never shown (the click changes
// nothing) and repaints are dropped.
ColumnInputView& ColumnView();
void SetColumnInputView(ColumnInputView* view);

// The storey a through column of `kind` (2: storeys 1-2, 3: storeys 2-3) pairs with when it is
// placed on `storey`; -1 for other kinds. A 通し柱(1-2) on the third storey pairs with the
// first, a 通し柱(2-3) on the first with the third.
int ThroughColumnPartner(int32_t kind, int storey);

// A click on grid node (x, y) of the current scenario and storey: a new column from the
// current-input variables, or the change dialog for the column standing there. Returns 1 when
// the click was handled (a cancelled dialog too, and a through column whose partner storey is
// full: the column stays, as an ordinary column, and the document is marked) and 0 when a new
// column was refused because the storey is full or the node is off the grid (nothing changes).
int InputColumn(int x, int y);
