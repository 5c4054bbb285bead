#include "model/Grid.h"

#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/ModelFileFields.h"
#include "model/Slots.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

GridState Grid;

namespace {

constexpr int LastAxis = AxisCountX - 1; // 99, the same in both directions
static_assert(AxisCountX == AxisCountY);

constexpr const char* CaptionInput = "入力値確認";
constexpr const char* CaptionData = "データ確認";

MsgAnswer Show(const char* text, const char* caption, MsgButtons buttons, MsgIcon icon) {
    return Messages().ask(text, caption, buttons, icon);
}

void InputNotice(const char* text) {
    Show(text, CaptionInput, MsgButtons::Ok, MsgIcon::Information);
}

double (&AxesOf(AxisDir dir))[100] {
    return dir == AxisDir::X ? Doc.AxisX : Doc.AxisY;
}
int32_t (&KindsOf(AxisDir dir))[100] {
    return dir == AxisDir::X ? Doc.AxisKindX : Doc.AxisKindY;
}

// The module new axes are spaced by; a damaged module must never build a broken grid.
double SoundModule() {
    return std::isfinite(Doc.Module) && Doc.Module > 0.0 ? Doc.Module : DefaultModule;
}

// Calls f(x, y) with references to the X and Y index of every node of the record.
template <typename R, typename F>
void VisitNodes(R& r, F&& f) {
    using T = std::remove_const_t<R>;
    if constexpr (std::is_same_v<T, ReservedRecord>) {
        // The reserved kind carries no nodes.
    } else if constexpr (std::is_same_v<T, ColumnRecord>) {
        f(r.x, r.y);
    } else if constexpr (requires { r.x3; }) {
        f(r.x1, r.y1);
        f(r.x2, r.y2);
        f(r.x3, r.y3);
    } else {
        f(r.x1, r.y1);
        f(r.x2, r.y2);
    }
}

// The kinds whose nodes make the extent of a plan.
constexpr bool CountsForExtent(ElementKind kind) {
    return kind == ElementKind::Column || kind == ElementKind::Wall ||
           kind == ElementKind::RoofFloorRect || kind == ElementKind::RoofFloorTri ||
           kind == ElementKind::Foundation;
}

struct Extent {
    int minX = LastAxis, maxX = 0, minY = LastAxis, maxY = 0;
    void add(int x, int y) {
        minX = MinInt(minX, x);
        maxX = MaxInt(maxX, x);
        minY = MinInt(minY, y);
        maxY = MaxInt(maxY, y);
    }
};

// Calls f(x, y) for every node of the live elements of the scenario slots (all storeys);
// `countedOnly` restricts it to the kinds of the extent.
template <typename F>
void ForEachScenarioNode(int slotFrom, int slotTo, int storeyFrom, int storeyTo, bool countedOnly,
                         F&& f) {
    ForEachElementKind(Doc, [&](auto& counts, auto& records, int capacity, ElementKind kind) {
        if (countedOnly && !CountsForExtent(kind)) return;
        for (int s = slotFrom; s <= slotTo; ++s) {
            for (int st = storeyFrom; st <= storeyTo; ++st) {
                const int n = LiveCount(counts[s][st], capacity);
                for (int i = 0; i < n; ++i)
                    VisitNodes(records[s][st][i], [&](int32_t x, int32_t y) { f(x, y); });
            }
        }
    });
}

// Moves the indices of one direction of every element of the first `slots` slots of `store`
// through `map` (a valid index in, the new index or -1 out). Indices outside the grid are left
// as they are. An element with a node mapped to -1 is dropped; callers make sure that this can
// only happen in the undo snapshots, where nothing else keeps the element on the grid.
template <typename Store, typename Map>
void RemapStore(Store& store, int slots, AxisDir dir, Map& map) {
    ForEachElementKind(store, [&](auto& counts, auto& records, int capacity, ElementKind) {
        for (int s = 0; s < slots; ++s) {
            for (int st = 0; st < Storeys; ++st) {
                const int n = LiveCount(counts[s][st], capacity);
                int kept = 0;
                for (int i = 0; i < n; ++i) {
                    auto record = records[s][st][i];
                    bool onGrid = true;
                    VisitNodes(record, [&](int32_t& x, int32_t& y) {
                        int32_t& v = dir == AxisDir::X ? x : y;
                        if (!InRange(v, AxisCountX)) return;
                        const int moved = map(static_cast<int>(v));
                        if (InRange(moved, AxisCountX))
                            v = moved;
                        else
                            onGrid = false;
                    });
                    if (onGrid) records[s][st][kept++] = record;
                }
                if (kept != counts[s][st]) counts[s][st] = kept;
            }
        }
    });
}

// Every model slot and the scenarios 1 and 2 of every undo entry.
template <typename Map>
void RemapElements(AxisDir dir, Map&& map) {
    RemapStore(Doc, ModelSlots, dir, map);
    RemapStore(UndoScenarios(), UndoScenarioSlots, dir, map);
}

// True when `map` would take a node of a scenario off the grid.
template <typename Map>
bool ScenarioNodeLeavesGrid(AxisDir dir, Map&& map) {
    bool leaves = false;
    ForEachScenarioNode(0, Scenarios - 1, 0, Storeys - 1, false, [&](int x, int y) {
        const int v = dir == AxisDir::X ? x : y;
        if (InRange(v, AxisCountX) && !InRange(map(v), AxisCountX)) leaves = true;
    });
    return leaves;
}

// Brings every position of a grid being edited to what a save and a reopen give back, so the
// session never computes on a position the file cannot hold: a number on a rounding half-way
// point would print otherwise after the reopen. A broken position is left for the grid check.
void KeepAsSaved(double (&axes)[100]) {
    for (double& a : axes)
        if (std::isfinite(a)) a = modelfile::AsSavedReal(a);
}

void OrderNotice() {
    InputNotice("この値では通り芯の順序が入れ替わるため入力出来ません。");
}

} // namespace

// ---- Check, extents and labels ----

bool AxesAreSound(const double (&axes)[100]) {
    // Strictly rising between two finite ends, every axis is finite too (a NaN fails every
    // comparison).
    if (!std::isfinite(axes[0]) || !std::isfinite(axes[99])) return false;
    return EveryAxisStep(axes, [](auto lo, auto hi) { return lo < hi; });
}

namespace {
constexpr int ModuleRepaired = 1;
constexpr int AxesRepaired = 2;
// What was repaired since the notice was last shown.
int pendingRepair = 0;

int RepairGridFlags() {
    int flags = 0;
    if (!std::isfinite(Doc.Module) || Doc.Module <= 0.0) {
        Doc.Module = DefaultModule;
        flags |= ModuleRepaired;
    }
    if (!AxesAreSound(Doc.AxisX) || !AxesAreSound(Doc.AxisY)) {
        for (int i = 0; i < 100; ++i) {
            Doc.AxisX[i] = i * Doc.Module;
            Doc.AxisY[i] = i * Doc.Module;
        }
        flags |= AxesRepaired;
    }
    return flags;
}
} // namespace

bool RepairGrid() {
    const int flags = RepairGridFlags();
    pendingRepair |= flags;
    return flags != 0;
}

bool GridResetNoticePending() {
    return pendingRepair != 0;
}

void ComputeExtents() {
    Grid.DataMinX = Grid.DataMinY = LastAxis;
    Grid.DataMaxX = Grid.DataMaxY = 0;
    for (int s = 0; s < Scenarios; ++s) {
        for (int f = 0; f < Storeys; ++f) {
            // A node off the grid (a damaged file) counts where the grid ends.
            Extent plan;
            ForEachScenarioNode(s, s, f, f, true, [&](int x, int y) {
                plan.add(ClampIndex(x, AxisCountX), ClampIndex(y, AxisCountY));
            });
            Grid.PlanMinX[s][f] = plan.minX;
            Grid.PlanMaxX[s][f] = plan.maxX;
            Grid.PlanMinY[s][f] = plan.minY;
            Grid.PlanMaxY[s][f] = plan.maxY;
            Grid.DataMinX = MinInt(Grid.DataMinX, plan.minX);
            Grid.DataMaxX = MaxInt(Grid.DataMaxX, plan.maxX);
            Grid.DataMinY = MinInt(Grid.DataMinY, plan.minY);
            Grid.DataMaxY = MaxInt(Grid.DataMaxY, plan.maxY);
        }
    }
}

bool CheckAxesAndExtent() {
    const bool repaired = RepairGrid();
    ComputeExtents();
    return repaired;
}

void ShowGridResetNotice() {
    char text[256];
    const int repaired = pendingRepair;
    pendingRepair = 0;
    if (repaired & AxesRepaired || repaired == 0) {
        std::snprintf(text, sizeof text,
                      "通り芯のデータが壊れていますので初期化します。\n\n"
                      "全ての通り芯間隔を[%5.3f]に設定します。\n\n間隔を設定し直して下さい。",
                      SoundModule());
    } else {
        std::snprintf(text, sizeof text,
                      "モジュール寸法のデータが壊れていますので[%5.3f]に設定します。",
                      SoundModule());
    }
    Show(text, "データエラー", MsgButtons::Ok, MsgIcon::Stop);
}

bool CheckAxesAndExtentWithNotice() {
    const bool repaired = CheckAxesAndExtent();
    if (repaired) ShowGridResetNotice();
    return repaired;
}

bool PlanIsEmpty(int scenario, int storey) {
    if (!InRange(scenario, Scenarios) || !InRange(storey, Storeys)) return true;
    return Grid.PlanMinX[scenario][storey] > Grid.PlanMaxX[scenario][storey] ||
           Grid.PlanMinY[scenario][storey] > Grid.PlanMaxY[scenario][storey];
}

bool DataIsEmpty() {
    return Grid.DataMinX > Grid.DataMaxX || Grid.DataMinY > Grid.DataMaxY;
}

namespace {

// "X%2i" for a main axis, "X%2i-%1i" for an axis after it, "XX-%1i" before any main axis;
// a sub number of 10 or more takes two places ("X 1-10"), at most 6 characters in all.
void WriteLabel(char (&out)[8], char letter, int main, int sub) {
    main = MinInt(main, 99);
    sub = MinInt(sub, 99);
    int n = 0;
    out[n++] = letter;
    if (main < 0) {
        out[n++] = letter;
    } else {
        out[n++] = main < 10 ? ' ' : static_cast<char>('0' + main / 10);
        out[n++] = static_cast<char>('0' + main % 10);
    }
    if (sub > 0) {
        out[n++] = '-';
        if (sub >= 10) out[n++] = static_cast<char>('0' + sub / 10);
        out[n++] = static_cast<char>('0' + sub % 10);
    }
    out[n] = 0;
}

// Names the axes from `from` to `to` (both inside the grid) in that order and returns the
// first main axis among them, or `fallback` when none is main. With `labels` null only the
// first main axis is looked for.
int NameAxes(const int32_t (&kinds)[100], int from, int to, char letter, char (*labels)[8],
             int fallback) {
    const int step = from <= to ? 1 : -1;
    int first = -1;
    int main = -1;
    int sub = 0;
    for (int i = from;; i += step) {
        if (kinds[i] == MainAxis) {
            if (first < 0) first = i;
            ++main;
            sub = 0;
        } else {
            ++sub;
        }
        if (labels) WriteLabel(labels[i], letter, main, sub);
        if (i == to) break;
    }
    return first < 0 ? fallback : first;
}

} // namespace

void BuildAxisLabels() {
    std::memset(Grid.AxisLabelX, 0, sizeof Grid.AxisLabelX);
    std::memset(Grid.AxisLabelY, 0, sizeof Grid.AxisLabelY);
    if (DataIsEmpty()) {
        // Nothing is labelled; the origins still name a real axis.
        Grid.FirstMainAxisX = NameAxes(Doc.AxisKindX, 0, LastAxis, 'X', nullptr, 0);
        Grid.FirstMainAxisY = NameAxes(Doc.AxisKindY, LastAxis, 0, 'Y', nullptr, LastAxis);
        return;
    }
    const int minX = ClampIndex(Grid.DataMinX, AxisCountX);
    const int maxX = ClampIndex(Grid.DataMaxX, AxisCountX);
    const int minY = ClampIndex(Grid.DataMinY, AxisCountY);
    const int maxY = ClampIndex(Grid.DataMaxY, AxisCountY);
    Grid.FirstMainAxisX = NameAxes(Doc.AxisKindX, minX, maxX, 'X', Grid.AxisLabelX, minX);
    Grid.FirstMainAxisY = NameAxes(Doc.AxisKindY, maxY, minY, 'Y', Grid.AxisLabelY, maxY);
}

// ---- Axis edits ----

bool AxisHoldsData(AxisDir dir, int index) {
    bool holds = false;
    ForEachScenarioNode(0, Scenarios - 1, 0, Storeys - 1, false, [&](int x, int y) {
        if ((dir == AxisDir::X ? x : y) == index) holds = true;
    });
    return holds;
}

AxisEditProposal ProposeAxisEdit(int mode, int ix, int iy) {
    AxisEditProposal p;
    if (mode < AxisModeAddX || mode > AxisModeChangeY) return p;
    const AxisDir dir = mode <= AxisModeChangeX ? AxisDir::X : AxisDir::Y;
    const int at = dir == AxisDir::X ? ix : iy;
    if (at < 1 || at > LastAxis) return p;
    const double(&axes)[100] = AxesOf(dir);
    const bool add = mode == AxisModeAddX || mode == AxisModeAddY;
    p.valid = true;
    p.oldDistance = axes[at] - axes[at - 1];
    p.newDistance = add ? SoundModule() / 2 : SoundModule();
    return p;
}

int ApplyAxisEdit(int mode, int ix, int iy, int dialogResult, double d) {
    if (mode == AxisModeDelete) return DeleteAxes(ix, iy);
    const AxisEditProposal p = ProposeAxisEdit(mode, ix, iy);
    if (!p.valid || dialogResult == AxisDlgCancelled) return 0;
    const bool add = mode == AxisModeAddX || mode == AxisModeAddY;
    const AxisDir dir = mode <= AxisModeChangeX ? AxisDir::X : AxisDir::Y;

    if (!std::isfinite(d)) {
        InputNotice("入力値が数値ではありません。");
        return 0;
    }
    // The distance counts to the thousandth, as the file keeps positions; one that rounds to
    // nothing is empty.
    d = modelfile::AsSavedReal(d);
    if (d == 0.0) {
        InputNotice("入力値（＝０ or 空白）は無効です。");
        return 0;
    }
    if (add && d < 0.0) d = p.oldDistance + d; // counted from the other axis of the gap

    auto askTooLarge = [] {
        return Show("入力値が大きすぎです。\n\n入力値を直します　－－　はい\n\n"
                    "このまま入力する　－－　いいえ",
                    CaptionInput, MsgButtons::YesNo, MsgIcon::Information) == MsgAnswer::Yes;
    };
    if (!add && d >= 4.0 && askTooLarge()) return 0;
    if (add && d > p.oldDistance - 0.1 && askTooLarge()) return 0;
    if (!add && d < 0.0) {
        InputNotice("マイナス値は入力出来ません。");
        return 0;
    }
    if (d < 0.1 && Show("入力値が小さすぎです。\n\n入力値を直します　－－　はい\n\n"
                        "このまま入力する　－－　いいえ",
                        CaptionInput, MsgButtons::YesNo, MsgIcon::Information) == MsgAnswer::Yes)
        return 0;

    if (add) {
        const int32_t kind = ClampIndex(dialogResult - 1, 3);
        // X is measured from the left axis of the gap, Y upward from the axis below it.
        const double position = dir == AxisDir::X ? Doc.AxisX[ix - 1] + d : Doc.AxisY[iy] - d;
        return InsertAxis(dir, dir == AxisDir::X ? ix : iy, position, kind) ? 1 : 0;
    }
    return RespaceAxisInterval(dir, dir == AxisDir::X ? ix : iy, d) ? 1 : 0;
}

bool InsertAxis(AxisDir dir, int at, double position, int32_t kind) {
    if (at < 1 || at > LastAxis) return false;
    double(&axes)[100] = AxesOf(dir);
    int32_t(&kinds)[100] = KindsOf(dir);

    auto map = [at](int v) { return v >= at ? v + 1 : v; };
    if (ScenarioNodeLeavesGrid(dir, map)) {
        Show("最後の通り芯にデータが在るため、通り芯を追加出来ません。", CaptionData,
             MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    double next[100];
    std::memcpy(next, axes, sizeof next);
    for (int j = LastAxis; j > at; --j) next[j] = axes[j - 1];
    next[at] = position;
    KeepAsSaved(next);
    if (!AxesAreSound(next)) {
        OrderNotice();
        return false;
    }
    std::memcpy(axes, next, sizeof next);
    for (int j = LastAxis; j > at; --j) kinds[j] = kinds[j - 1];
    kinds[at] = ClampIndex(kind, 3);
    RemapElements(dir, map);
    return true;
}

bool RespaceAxisInterval(AxisDir dir, int at, double width) {
    if (at < 1 || at > LastAxis) return false;
    if (!std::isfinite(width)) {
        InputNotice("入力値が数値ではありません。");
        return false;
    }
    double(&axes)[100] = AxesOf(dir);
    const double delta = (axes[at] - axes[at - 1]) - width;
    double next[100];
    std::memcpy(next, axes, sizeof next);
    // The smaller side of the grid moves.
    if (at < 51)
        for (int j = 0; j < at; ++j) next[j] += delta;
    else
        for (int j = at; j <= LastAxis; ++j) next[j] -= delta;
    KeepAsSaved(next);
    if (!AxesAreSound(next)) {
        OrderNotice();
        return false;
    }
    std::memcpy(axes, next, sizeof next);
    return true;
}

bool DeleteAxis(AxisDir dir, int at) {
    if (!InRange(at, AxisCountX)) return false;
    if (AxisHoldsData(dir, at)) {
        Show("データの在る軸は消去出来ません。", CaptionData, MsgButtons::Ok, MsgIcon::Question);
        return false;
    }
    double(&axes)[100] = AxesOf(dir);
    int32_t(&kinds)[100] = KindsOf(dir);
    const double module = SoundModule();
    if (at < 51) {
        // The axes before it move up one place and a new first axis is added.
        for (int j = at; j > 0; --j) {
            axes[j] = axes[j - 1];
            kinds[j] = kinds[j - 1];
        }
        axes[0] = axes[1] - module;
        kinds[0] = MainAxis;
        RemapElements(dir, [at](int v) { return v < at ? v + 1 : v == at ? -1 : v; });
    } else {
        for (int j = at; j < LastAxis; ++j) {
            axes[j] = axes[j + 1];
            kinds[j] = kinds[j + 1];
        }
        axes[LastAxis] = axes[LastAxis - 1] + module;
        kinds[LastAxis] = MainAxis;
        RemapElements(dir, [at](int v) { return v > at ? v - 1 : v == at ? -1 : v; });
    }
    KeepAsSaved(axes);
    return true;
}

int DeleteAxes(int ix, int iy) {
    int changed = 0;
    if (InRange(ix, AxisCountX)) {
        if (!DeleteAxis(AxisDir::X, ix)) return changed;
        changed = 1;
    }
    if (InRange(iy, AxisCountY)) {
        if (!DeleteAxis(AxisDir::Y, iy)) return changed;
        changed = 1;
    }
    return changed;
}

// ---- Centring ----

namespace {

// The smallest number of axis steps whose span exceeds |dx|: from the start of the grid when
// dx >= 0, from its end (negative) otherwise.
int ShiftSteps(const double (&axes)[100], double dx) {
    for (int s = 0; s <= LastAxis; ++s) {
        if (dx >= 0.0 && axes[s] - axes[0] > dx) return s;
        if (dx < 0.0 && axes[LastAxis] - axes[LastAxis - s] > -dx) return -s;
    }
    return dx >= 0.0 ? LastAxis : -LastAxis;
}

void ShiftAxes(AxisDir dir, int s) {
    double(&axes)[100] = AxesOf(dir);
    int32_t(&kinds)[100] = KindsOf(dir);
    const double module = SoundModule();
    if (s > 0) {
        for (int j = LastAxis; j >= s; --j) {
            axes[j] = axes[j - s];
            kinds[j] = kinds[j - s];
        }
        for (int j = s - 1; j >= 0; --j) {
            axes[j] = axes[j + 1] - module;
            kinds[j] = MainAxis;
        }
    } else if (s < 0) {
        for (int j = 0; j <= LastAxis + s; ++j) {
            axes[j] = axes[j - s];
            kinds[j] = kinds[j - s];
        }
        for (int j = LastAxis + s + 1; j <= LastAxis; ++j) {
            axes[j] = axes[j - 1] + module;
            kinds[j] = MainAxis;
        }
    }
    KeepAsSaved(axes); // the added axes, stepped by the module, as a reopen reads them
}

} // namespace

CentreOutcome CentreData(GridViewHooks* hooks) {
    if (hooks) hooks->centreScrollBox();
    ComputeExtents();
    if (DataIsEmpty() || !AxesAreSound(Doc.AxisX) || !AxesAreSound(Doc.AxisY))
        return CentreOutcome::NothingToMove;

    const double(&X)[100] = Doc.AxisX;
    const double(&Y)[100] = Doc.AxisY;
    const double cx = (X[Grid.DataMinX] + X[Grid.DataMaxX]) / 2;
    const double cy = (Y[Grid.DataMinY] + Y[Grid.DataMaxY]) / 2;
    const double gx = (X[0] + X[LastAxis]) / 2;
    const double gy = (Y[0] + Y[LastAxis]) / 2;
    if (gx - 2 < cx && cx < gx + 2 && gy - 2 < cy && cy < gy + 2)
        return CentreOutcome::AlreadyCentred;

    if (hooks) hooks->repaintPlan();
    if (Show("データ位置が偏っています。中央付近に移動しますか？\n\n移動する --- はい\n\n"
             "そのまま続ける --- いいえ\n\n注）'はい'で表示位置がずれる場合は、\n\n"
             "   読み直して'いいえ'を押して下さい。",
             "データ位置の問い合わせ", MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return CentreOutcome::Declined;

    const int sx = ShiftSteps(X, gx - cx);
    const int sy = ShiftSteps(Y, gy - cy);

    // Every kind must stay on the grid, also those that do not make the extent (texts,
    // floor specifications, free lines).
    Extent all;
    ForEachScenarioNode(0, Scenarios - 1, 0, Storeys - 1, false,
                        [&](int x, int y) { all.add(x, y); });
    if (!(all.minX + sx >= 0 && all.maxX + sx <= LastAxis && all.minY + sy >= 0 &&
          all.maxY + sy <= LastAxis)) {
        Show("データの範囲が大き過ぎて位置の移動が出来ません。\n\n移動しないで続けます。",
             "データ移動不可", MsgButtons::Ok, MsgIcon::Stop);
        return CentreOutcome::TooLarge;
    }
    ShiftAxes(AxisDir::X, sx);
    ShiftAxes(AxisDir::Y, sy);
    RemapElements(AxisDir::X, [sx](int v) { return v + sx; });
    RemapElements(AxisDir::Y, [sy](int v) { return v + sy; });
    ComputeExtents();
    BuildAxisLabels();
    return CentreOutcome::Moved;
}

// ---- Module ----

bool ChangeModule(double module, ModuleRespacing respacing) {
    if (!std::isfinite(module) || module < MinModule) {
        InputNotice("モジュール値は'0.600'以上にして下さい。");
        return false;
    }
    if (module > MaxModule) {
        InputNotice("モジュール値は'1.820'以下にして下さい。");
        return false;
    }
    // To the thousandth, as the file keeps it: the next module change must find the same
    // intervals standard in the session as in the reopened house.
    module = modelfile::AsSavedReal(module);
    const double old = Doc.Module;
    // Without a sound old module nothing can be compared with it or scaled by it.
    if (!std::isfinite(old) || old <= 0.0) respacing = ModuleRespacing::ToModule;
    Doc.Module = module;

    for (AxisDir dir : {AxisDir::X, AxisDir::Y}) {
        double(&axes)[100] = AxesOf(dir);
        double next[100];
        next[0] = std::isfinite(axes[0]) ? axes[0] : 0.0;
        for (int i = 0; i < LastAxis; ++i) {
            const double w = axes[i + 1] - axes[i];
            const bool standard = std::fabs(w - old) <= 1e-9;
            double width = module;
            if (respacing == ModuleRespacing::Proportional && !standard)
                width = w * module / old;
            else if (respacing == ModuleRespacing::KeepOthers && !standard)
                width = w;
            next[i + 1] = next[i] + width;
        }
        // Scaled and summed intervals as a reopen reads them: a gap scaled below a thousandth
        // is no gap, and, as a grid broken before, lays the grid out afresh.
        KeepAsSaved(next);
        if (!AxesAreSound(next)) {
            for (int i = 1; i <= LastAxis; ++i) next[i] = next[i - 1] + module;
            KeepAsSaved(next);
        }
        std::memcpy(axes, next, sizeof next);
    }
    // The grid is part of the file: closing without saving must ask first.
    App.Modified = 1;
    return true;
}

void AxisDistancePresets(double module, double (&out)[10]) {
    static constexpr int sixths[10] = {5, 4, 3, 2, 1, -1, -2, -3, -4, -5};
    for (int k = 0; k < 10; ++k) out[k] = sixths[k] / 6.0 * module;
}
