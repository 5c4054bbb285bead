#include "document/WallMarking.h"

#include "calc/NValues.h"
#include "calc/Tolerance.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int CurrentState = 0;

// The parts of a bracing word the comparison looks at.
struct BracingParts {
    int32_t row, size, hardware, direction, mud;
};

BracingParts PartsOf(int32_t bracing) {
    const int32_t row = BraceRowOf(bracing);
    return {row, BraceSizeOf(row), BraceHardwareOf(row), BraceDirectionOf(row), MudWallOf(bracing)};
}

bool SameNodes(const WallRecord& a, const WallRecord& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}
bool ReversedNodes(const WallRecord& a, const WallRecord& b) {
    return a.x1 == b.x2 && a.y1 == b.y2 && a.x2 == b.x1 && a.y2 == b.y1;
}

// What differs between wall w and current-state wall v that joins the same two nodes.
int32_t Differences(const WallRecord& w, const BracingParts& pw, const WallRecord& v,
                    bool reversed) {
    const BracingParts pv = PartsOf(v.bracing);
    int32_t flags = 0;
    if (w.type != v.type) flags |= WallChangedType;
    if (pw.mud != pv.mud) flags |= WallChangedBracing;
    if (w.jointSpec != v.jointSpec) flags |= WallChangedJoint;
    // The hardware index itself is taken off the row, not four times it, so a change of
    // hardware that the direction makes up for goes unseen; kept, as plans have always been
    // marked this way.
    if (pw.row - pw.hardware != pv.row - pv.hardware) flags |= WallChangedBracing;
    if (w.panelL != v.panelL) flags |= WallChangedPanelL;
    if (w.panelR != v.panelR) flags |= WallChangedPanelR;
    if (w.deterioration != v.deterioration) flags |= WallChangedDeterioration;
    if (w.foundationClass != v.foundationClass) flags |= WallChangedFoundation;
    // A single brace works one way round: turning the wall turns the brace.
    if (pw.row != 0 && pw.direction < BraceCross && reversed) flags |= WallChangedBracing;
    return flags;
}

// ---- Scratch (static storage: the marking allocates nothing) ----

// The current-state walls of one storey by their first end: 1 + the first wall starting at a
// node, and per wall 1 + the next one starting there; 0 ends a chain. Walls starting off the
// grid (a damaged file) are listed apart and compared with every wall.
int16_t TwinHead[AxisCountX][AxisCountY];
int16_t TwinNext[MaxWalls];
int16_t OffGridTwins[MaxWalls];
int OffGridTwinCount = 0;

// Per scenario, storey and node: a column stands there (1) and, on the first storey, one that
// needs reinforcement (2). Columns off the grid are looked up in their lists.
constexpr uint8_t HasColumn = 1;
constexpr uint8_t NeedsWork = 2;
uint8_t NodeColumns[Scenarios][Storeys][AxisCountX][AxisCountY];

void IndexTwins(int storey) {
    const int n = LiveCount(Doc.WallCount[CurrentState][storey], MaxWalls);
    OffGridTwinCount = 0;
    for (int i = n - 1; i >= 0; --i) {
        const WallRecord& v = Doc.Walls[CurrentState][storey][i];
        if (OnGrid(v.x1, v.y1)) {
            TwinNext[i] = TwinHead[v.x1][v.y1];
            TwinHead[v.x1][v.y1] = static_cast<int16_t>(i + 1);
        } else {
            OffGridTwins[OffGridTwinCount++] = static_cast<int16_t>(i);
        }
    }
}

void ClearTwins(int storey) {
    const int n = LiveCount(Doc.WallCount[CurrentState][storey], MaxWalls);
    for (int i = 0; i < n; ++i) {
        const WallRecord& v = Doc.Walls[CurrentState][storey][i];
        if (OnGrid(v.x1, v.y1)) TwinHead[v.x1][v.y1] = 0;
    }
}

int32_t ChangeFlags(const WallRecord& w, int storey) {
    const BracingParts pw = PartsOf(w.bracing);
    const WallRecord* twins = Doc.Walls[CurrentState][storey];
    int32_t flags = 0;
    bool found = false;
    const auto compare = [&](int i) {
        const WallRecord& v = twins[i];
        const bool same = SameNodes(w, v);
        const bool reversed = !same && ReversedNodes(w, v);
        if (!same && !reversed) return;
        found = true;
        flags |= Differences(w, pw, v, reversed);
    };
    // A twin in the same order starts at w's first end, a reversed one at its second.
    if (OnGrid(w.x1, w.y1))
        for (int i = TwinHead[w.x1][w.y1]; i != 0; i = TwinNext[i - 1]) compare(i - 1);
    if (OnGrid(w.x2, w.y2) && (w.x2 != w.x1 || w.y2 != w.y1))
        for (int i = TwinHead[w.x2][w.y2]; i != 0; i = TwinNext[i - 1]) compare(i - 1);
    for (int k = 0; k < OffGridTwinCount; ++k) compare(OffGridTwins[k]);
    return found ? flags : WallNew;
}

bool NeedsReinforcement(const ColumnJointRecord& r, int32_t nValueMethod) {
    switch (nValueMethod) {
    case NValueMethodNValue:
        return tolerance::Above(r.nValueX, 1.800001) || tolerance::Above(r.nValueY, 1.800001);
    case NValueMethodConverted:
        return tolerance::Above(r.pullOutX, 9.53) || tolerance::Above(r.pullOutY, 9.53);
    default:
        return false;
    }
}

// Fills (set) or empties (clear) the column map of one scenario's storeys. The columns that need
// reinforcement are marked from the scenario's column-joint results only where a run of this
// document wrote them (`ownJoints`): before its first run they hold another document's.
void MapColumns(int scenario, bool set, bool ownJoints) {
    const int top = TopStoreyOf(scenario);
    const int method = App.Options.NValueMethod;
    for (int f = 0; f <= top; ++f) {
        const int n = LiveCount(Doc.ColumnCount[scenario][f], MaxColumns);
        for (int c = 0; c < n; ++c) {
            const ColumnRecord& col = Doc.Columns[scenario][f][c];
            if (!OnGrid(col.x, col.y)) continue;
            uint8_t& node = NodeColumns[scenario][f][col.x][col.y];
            if (!set) {
                node = 0;
                continue;
            }
            node |= HasColumn;
            if (f == 0 && ownJoints &&
                NeedsReinforcement(NValueRes.ColumnJointResult[scenario][0][c], method))
                node |= NeedsWork;
        }
    }
}

// What the columns at a node of a storey give: HasColumn, NeedsWork (as MapColumns).
uint8_t ColumnsAt(int scenario, int storey, int32_t x, int32_t y, bool ownJoints) {
    if (OnGrid(x, y)) return NodeColumns[scenario][storey][x][y];
    uint8_t found = 0;
    const int n = LiveCount(Doc.ColumnCount[scenario][storey], MaxColumns);
    for (int c = 0; c < n; ++c) {
        const ColumnRecord& col = Doc.Columns[scenario][storey][c];
        if (col.x != x || col.y != y) continue;
        found |= HasColumn;
        if (storey == 0 && ownJoints &&
            NeedsReinforcement(NValueRes.ColumnJointResult[scenario][0][c],
                               App.Options.NValueMethod))
            found |= NeedsWork;
    }
    return found;
}

// The wall's length in metres, from the grid: the same as the evaluation's wallLength, and
// fresh for the scenarios whose evaluation did not run in this recompute.
double WallLength(const WallRecord& w) {
    const double dx = AxisPosX(w.x2) - AxisPosX(w.x1);
    const double dy = AxisPosY(w.y2) - AxisPosY(w.y1);
    return std::sqrt(dx * dx + dy * dy);
}

int32_t Cautions(const WallRecord& w, int scenario, int storey, bool ownJoints) {
    const BracingParts p = PartsOf(w.bracing);
    int32_t cautions = 0;
    // 45x90 or 90x90 under notified hardware: which hardware is for the engineer to choose.
    if (p.size >= 5 && p.hardware == 2 && tolerance::Above(WallLength(w), 1.5))
        cautions |= WallCautionChooseHardware;
    if (storey > 0) {
        if (!(ColumnsAt(scenario, storey - 1, w.x1, w.y1, ownJoints) & HasColumn) ||
            !(ColumnsAt(scenario, storey - 1, w.x2, w.y2, ownJoints) & HasColumn))
            cautions |= WallCautionNoColumnsBelow;
    } else if ((ColumnsAt(scenario, 0, w.x1, w.y1, ownJoints) |
                ColumnsAt(scenario, 0, w.x2, w.y2, ownJoints)) &
               NeedsWork) {
        cautions |= WallCautionFoundation;
    }
    return cautions;
}

// Numbers the walls of one pass that have none yet and are changed or retrofitted.
template <typename Pick>
void NumberPass(const WallLineList& list, WallRecord* walls,
                const WallResultRecord (*results)[WallResultBlocks], int wallCount, int& counter,
                Pick pick) {
    const int n = LiveCount(list.count, MaxWallLineEntries);
    for (int i = 0; i < n; ++i) {
        const int32_t index = list.entries[i].wall;
        if (!InRange(index, wallCount)) continue;
        WallRecord& w = walls[index];
        if (w.retrofitNo != 0 || !pick(w)) continue;
        const bool retrofit = w.bracing >= RetrofitWallBit; // the whole word, as ever
        const bool counts = results[index][0].baseStrength != 0 || retrofit;
        if (counts && (w.changeFlags != 0 || retrofit)) w.retrofitNo = ++counter;
    }
}

void NumberRetrofitWalls() {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int top = TopStoreyOf(s);
    int counter = 0;
    for (int f = 0; f <= top; ++f) {
        const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
        if (n == 0) continue;
        WallRecord* walls = Doc.Walls[s][f];
        for (int w = 0; w < n; ++w) walls[w].retrofitNo = 0;
        const StoreyWallLines& lists = WallEval.WallLineLists[s][f];
        const auto* results = WallEval.WallResult[s][f];
        NumberPass(lists.x, walls, results, n, counter,
                   [](const WallRecord& w) { return w.y1 == w.y2; });
        NumberPass(lists.y, walls, results, n, counter,
                   [](const WallRecord& w) { return w.x1 == w.x2; });
        NumberPass(lists.x, walls, results, n, counter,
                   [](const WallRecord& w) { return IsOblique(w); });
    }
}

} // namespace

void MarkWallChanges(const bool (&runForThisDocument)[Scenarios]) {
    constexpr int32_t MarkedHere =
        WallCautionNoColumnsBelow | WallCautionChooseHardware | WallCautionFoundation;
    for (int s = 0; s < Scenarios; ++s) MapColumns(s, true, runForThisDocument[s]);
    for (int f = 0; f < Storeys; ++f) {
        IndexTwins(f);
        for (int s = 0; s < Scenarios; ++s) {
            if (f > TopStoreyOf(s)) continue;
            const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
            for (int i = 0; i < n; ++i) {
                WallRecord& w = Doc.Walls[s][f][i];
                w.changeFlags = ChangeFlags(w, f);
                // The result summary clears the word of the current scenario only; the bits
                // of this unit are renewed for every scenario, so none outlives its cause.
                w.cautionFlags =
                    (w.cautionFlags & ~MarkedHere) | Cautions(w, s, f, runForThisDocument[s]);
            }
        }
        ClearTwins(f);
    }
    for (int s = 0; s < Scenarios; ++s) MapColumns(s, false, false);
    NumberRetrofitWalls();
}
