#pragma once
// What the program derives from the grid axes before every diagnosis: the data extents, the
// axis labels and the first main axes; and the edits of the grid itself (inserting, re-spacing
// and deleting single axes, centring the data, changing the module). The axes themselves live
// in the document (`Doc.AxisX` and the others).
#include <cstdint>

struct GridState {
    char AxisLabelX[100][8] = {}; // "X 1", "X 1-2", "XX-3"; empty outside the data range
    char AxisLabelY[100][8] = {};
    int32_t FirstMainAxisX = 0;
    int32_t FirstMainAxisY = 0;
    // Over all scenarios and storeys; an empty model has min 99 and max 0.
    int32_t DataMinX = 99, DataMaxX = 0, DataMinY = 99, DataMaxY = 0;
    // Per scenario and storey; an empty plan has min 99 and max 0 (test with PlanIsEmpty).
    int32_t PlanMinX[3][3] = {{99, 99, 99}, {99, 99, 99}, {99, 99, 99}};
    int32_t PlanMaxX[3][3] = {};
    int32_t PlanMinY[3][3] = {{99, 99, 99}, {99, 99, 99}, {99, 99, 99}};
    int32_t PlanMaxY[3][3] = {};
};

extern GridState Grid;

inline int MinInt(int a, int b) {
    return a < b ? a : b;
}
inline int MaxInt(int a, int b) {
    return a > b ? a : b;
}

enum class AxisDir { X, Y };

inline constexpr double DefaultModule = 0.91;
inline constexpr double MinModule = 0.6;
inline constexpr double MaxModule = 1.82;

// Axis kinds of `Doc.AxisKindX` / `Doc.AxisKindY`.
inline constexpr int32_t MainAxis = 0;
inline constexpr int32_t SubAxis = 1;
inline constexpr int32_t HiddenAxis = 2;

// ---- Check, extents and labels (run before every diagnosis) ----

// True when the 100 positions are finite and strictly increasing.
bool AxesAreSound(const double (&axes)[100]);

// Whether `holds(lo, hi)` is true of every two neighbouring positions.
template <typename Holds>
bool EveryAxisStep(const double (&axes)[100], Holds holds) {
    for (int i = 0; i + 1 < 100; ++i)
        if (!holds(axes[i], axes[i + 1])) return false;
    return true;
}

// Brings a broken grid back to the module spacing: a module that is not a finite positive
// number becomes 0.91, and when either direction is not finite and strictly increasing both
// are laid out at i × module. Returns true when anything was repaired. Shows nothing.
bool RepairGrid();

// Recomputes DataMin/Max and PlanMin/Max from the columns, walls, roof/floor areas and
// foundations of the three scenarios. Allocation-free.
void ComputeExtents();

// RepairGrid, then ComputeExtents. Returns true when the grid was repaired; the caller then
// shows ShowGridResetNotice once, outside any paint. A repaired grid is sound, so the notice
// comes once per breakage, never once per repaint.
bool CheckAxesAndExtent();

// True while a repair has not been told to the user yet.
bool GridResetNoticePending();

// The notice for a grid that had to be repaired (stop icon); it names what the repairs since
// the last notice did and clears the pending state.
void ShowGridResetNotice();

// CheckAxesAndExtent followed by the notice when it repaired; for callers outside a paint
// (after a load).
bool CheckAxesAndExtentWithNotice();

// An empty plan (no counted element on the storey of the scenario): its extent must not be
// used to index anything.
bool PlanIsEmpty(int scenario, int storey);
bool DataIsEmpty();

// Fills AxisLabelX/Y and FirstMainAxisX/Y from the extents and the axis kinds (the labels
// the drawing of the axes also shows). Run after CheckAxesAndExtent. Labels outside the data
// range are empty; with no main axis in the range the first main axis falls back to the edge
// of the data (DataMinX, DataMaxY). Allocation-free.
void BuildAxisLabels();

// ---- Axis edits (axis mode) ----
// Each edit leaves the direction it edits as a save and a reopen give it back (thousandths),
// so that the session and the file never compute on different positions.

inline constexpr int AxisModeAddX = 0;
inline constexpr int AxisModeChangeX = 1;
inline constexpr int AxisModeAddY = 2;
inline constexpr int AxisModeChangeY = 3;
inline constexpr int AxisModeDelete = 4;

// Axis dialog results.
inline constexpr int AxisDlgCancelled = 0;
inline constexpr int AxisDlgMain = 1;
inline constexpr int AxisDlgSub = 2;
inline constexpr int AxisDlgHidden = 3;

struct AxisEditProposal {
    bool valid = false;       // false: the click lies in no gap of the grid
    double oldDistance = 0.0; // the interval before the clicked axis
    double newDistance = 0.0; // what the dialog proposes
};

// What the axis dialog shows for a click on gap ix (X modes) or iy (Y modes).
AxisEditProposal ProposeAxisEdit(int mode, int ix, int iy);

// Everything after the axis dialog: the checks and questions on the entered distance and the
// edit itself. `dialogResult` is the dialog's result (ignored in the delete mode, which shows
// no dialog), `newDistance` the entered distance. Returns 1 when the grid changed, else 0.
int ApplyAxisEdit(int mode, int ix, int iy, int dialogResult, double newDistance);

// Inserts an axis of `kind` at index `at` (1..99) at `position` metres, which must lie
// strictly between the axes at-1 and at. Every element index >= at in every model slot and
// every scenario of the undo entries goes up by one. Refused with a message when a scenario has
// data on axis 99 or the position would break the order.
bool InsertAxis(AxisDir dir, int at, double position, int32_t kind);

// Gives the interval between axes at-1 and at (at 1..99) the width `width`, moving the
// smaller side of the grid. Element indices stay. Refused with a message when the width is
// not a finite positive number or the grid would not stay strictly increasing.
bool RespaceAxisInterval(AxisDir dir, int at, double width);

// Deletes axis `at` (0..99), refusing with "データの在る軸は消去出来ません。" when an element
// of a scenario lies on it. Elements of undo snapshots that lie on it are dropped from their
// snapshot, the only way to keep them on the grid.
bool DeleteAxis(AxisDir dir, int at);

// The delete mode: the X axis ix (when ix is 0..99), then the Y axis iy (when iy is 0..99);
// a refusal stops. Returns 1 when anything was deleted.
int DeleteAxes(int ix, int iy);

// True when an element of a scenario (slots 0..2) has a node on that axis.
bool AxisHoldsData(AxisDir dir, int index);

// ---- Centring after a load ----

// What CentreData needs of the window; both default to nothing.
class GridViewHooks {
public:
    virtual ~GridViewHooks() = default;
    // Scroll the plan so that the middle of the sheet is shown.
    virtual void centreScrollBox() {}
    // Repaint the plan, so that the user sees the data before being asked to move it.
    virtual void repaintPlan() {}
};

enum class CentreOutcome { NothingToMove, AlreadyCentred, Declined, Moved, TooLarge };

// Offers to move the data into the middle of the grid and moves it (axes and every element of
// every model slot and undo entry) when the user agrees and every element of every kind fits. The
// extents are recomputed afterwards.
CentreOutcome CentreData(GridViewHooks* hooks = nullptr);

// ---- Module ----

enum class ModuleRespacing {
    ToModule,     // every interval becomes the module
    Proportional, // intervals equal to the old module become the new one, others scale
    KeepOthers    // intervals equal to the old module become the new one, others stay
};

// The module dialog's OK: refuses a module outside 0.600..1.820 (or not a number) with a
// message; otherwise sets `Doc.Module`, re-spaces both directions from axis 0 and marks the
// document modified. Returns true when it changed the grid. Element indices stay; the module and
// the positions are kept as a save and a reopen give them back.
bool ChangeModule(double module, ModuleRespacing respacing);

// The ten distances the axis dialog offers: 5/6 .. 1/6 and -1/6 .. -5/6 of the module.
void AxisDistancePresets(double module, double (&out)[10]);
