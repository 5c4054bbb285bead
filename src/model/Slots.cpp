#include "model/Slots.h"

#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr int FirstUndoSlot = Scenarios; // entry e keeps scenario 0 in slot e + 3

std::unique_ptr<UndoScenarioStore> undoExtra = std::make_unique<UndoScenarioStore>();

// Calls f(countsA, recordsA, countsB, recordsB, capacity) for every element kind in kind
// order, on the same kind of two stores.
template <typename A, typename B, typename F>
void ForEachElementKindPair(A& a, B& b, F&& f) {
    f(a.ColumnCount, a.Columns, b.ColumnCount, b.Columns, MaxColumns);
    f(a.WallCount, a.Walls, b.WallCount, b.Walls, MaxWalls);
    f(a.RoofFloorRectCount, a.RoofFloorRects, b.RoofFloorRectCount, b.RoofFloorRects,
      MaxRoofFloorRects);
    f(a.RoofFloorTriCount, a.RoofFloorTris, b.RoofFloorTriCount, b.RoofFloorTris, MaxRoofFloorTris);
    f(a.FloorSpecRectCount, a.FloorSpecRects, b.FloorSpecRectCount, b.FloorSpecRects,
      MaxFloorSpecRects);
    f(a.FloorSpecTriCount, a.FloorSpecTris, b.FloorSpecTriCount, b.FloorSpecTris, MaxFloorSpecTris);
    f(a.RoomTextCount, a.RoomTexts, b.RoomTextCount, b.RoomTexts, MaxRoomTexts);
    f(a.FoundationCount, a.Foundations, b.FoundationCount, b.Foundations, MaxFoundations);
    f(a.FreeLineCount, a.FreeLines, b.FreeLineCount, b.FreeLines, MaxFreeLines);
    f(a.ReservedCount, a.ReservedRecords, b.ReservedCount, b.ReservedRecords, MaxReserved);
}

int32_t BoundedCount(int32_t count, int capacity) {
    return std::clamp<int32_t>(count, 0, capacity);
}

// Live records of the selected storeys from slot sa of store a to slot sb of store b; the
// records of b beyond the count keep what they held.
template <typename A, typename B>
void CopyLists(const A& a, int sa, B& b, int sb, int storeyMask) {
    ForEachElementKindPair(
        a, b, [&](auto& countsA, auto& recsA, auto& countsB, auto& recsB, int capacity) {
            for (int s = 0; s < Storeys; ++s) {
                if (!(storeyMask & (1 << s))) continue;
                const int32_t n = BoundedCount(countsA[sa][s], capacity);
                countsB[sb][s] = n;
                std::copy(recsA[sa][s], recsA[sa][s] + n, recsB[sb][s]);
            }
        });
}

void SwapLists(Document& d, int sa, int sb, int storeyMask) {
    ForEachElementKind(d, [&](auto& counts, auto& recs, int capacity, ElementKind) {
        for (int s = 0; s < Storeys; ++s) {
            if (!(storeyMask & (1 << s))) continue;
            std::swap(counts[sa][s], counts[sb][s]);
            std::swap_ranges(recs[sa][s], recs[sa][s] + capacity, recs[sb][s]);
        }
    });
}

int NextEntry(int e) {
    return (e + 1) % UndoEntries;
}
int PrevEntry(int e) {
    return (e + UndoEntries - 1) % UndoEntries;
}
int Position() {
    return ClampIndex(App.UndoPosition, UndoEntries);
}
bool Filled(int e) {
    return App.UndoEntryState[e] != -1;
}

static_assert(sizeof(App.UndoEntryState) / sizeof(App.UndoEntryState[0]) == UndoEntries);

// The whole plan of every scenario into entry e, which is marked filled.
void SaveEntry(int e) {
    App.UndoEntryState[e] = e;
    CopyLists(Doc, 0, Doc, FirstUndoSlot + e, AllStoreys);
    for (int sc = 1; sc < Scenarios; ++sc)
        CopyLists(Doc, sc, *undoExtra, e * 2 + sc - 1, AllStoreys);
}

void RestoreEntry(int e) {
    CopyLists(Doc, FirstUndoSlot + e, Doc, 0, AllStoreys);
    for (int sc = 1; sc < Scenarios; ++sc)
        CopyLists(*undoExtra, e * 2 + sc - 1, Doc, sc, AllStoreys);
}

} // namespace

UndoScenarioStore& UndoScenarios() {
    return *undoExtra;
}

void CopyStoreyDataScenario(int dst, int src) {
    if (!InRange(dst, Scenarios) || !InRange(src, Scenarios) || dst == src) return;
    StoreyDataRecord& r = Doc.StoreyData;
    r.topStorey[dst] = r.topStorey[src];
    r.atticStorage[dst] = r.atticStorage[src];
    r.weightClass[dst] = r.weightClass[src];
    r.roofWallClass[dst] = r.roofWallClass[src];
    r.buildingArea[dst] = r.buildingArea[src];
    for (int f = 0; f < Storeys; ++f) r.floorArea[f][dst] = r.floorArea[f][src];
    r.totalFloorArea[dst] = r.totalFloorArea[src];
    for (int f = 0; f < Storeys; ++f) r.storeyHeight[dst][f] = r.storeyHeight[src][f];
}

void SwapStoreyDataScenario(int a, int b) {
    if (!InRange(a, Scenarios) || !InRange(b, Scenarios) || a == b) return;
    StoreyDataRecord& r = Doc.StoreyData;
    std::swap(r.topStorey[a], r.topStorey[b]);
    std::swap(r.atticStorage[a], r.atticStorage[b]);
    std::swap(r.weightClass[a], r.weightClass[b]);
    std::swap(r.roofWallClass[a], r.roofWallClass[b]);
    std::swap(r.buildingArea[a], r.buildingArea[b]);
    for (int f = 0; f < Storeys; ++f) std::swap(r.floorArea[f][a], r.floorArea[f][b]);
    std::swap(r.totalFloorArea[a], r.totalFloorArea[b]);
    for (int f = 0; f < Storeys; ++f) std::swap(r.storeyHeight[a][f], r.storeyHeight[b][f]);
}

RgbColour ScenarioRadioColour(int scenario) {
    const int sc = ClampIndex(scenario, Scenarios);
    const StoreyDataRecord& r = Doc.StoreyData;
    if (Doc.CriteriaEdition != EditionNational2004)
        return BoundedAt(ScenarioRoofWallColours, r.roofWallClass[sc]);
    return BoundedAt(ScenarioWeightColours, r.weightClass[sc]);
}

void UpdateScenarioColours() {
    for (int sc = 0; sc < Scenarios; ++sc) Hooks().setScenarioColour(sc, ScenarioRadioColour(sc));
}

void CopyModelSlot(int32_t src, int32_t dst, int32_t mode, int32_t storeyMask) {
    if (!InRange(src, ModelSlots) || !InRange(dst, ModelSlots) || !InRange(mode, 4)) return;
    const bool swap = mode == SwapWithSettings || mode == SwapElementsOnly;
    const bool settings = mode == CopyWithSettings || mode == SwapWithSettings;

    if (src < Scenarios && dst < Scenarios && settings) {
        if (swap)
            SwapStoreyDataScenario(dst, src);
        else
            CopyStoreyDataScenario(dst, src);
        UpdateScenarioColours();
    }

    if (src == dst) return;
    if (swap)
        SwapLists(Doc, src, dst, storeyMask & AllStoreys);
    else
        CopyLists(Doc, src, Doc, dst, storeyMask & AllStoreys);
}

void ClearStoreyData() {
    const int sc = App.CurrentScenario, st = App.CurrentStorey;
    if (!InRange(sc, Scenarios) || !InRange(st, Storeys)) return;
    ForEachElementKind(Doc, [&](auto& counts, auto&, int, ElementKind) { counts[sc][st] = 0; });
}

void ClearStoreyWallElements() {
    const int sc = App.CurrentScenario, st = App.CurrentStorey;
    if (!InRange(sc, Scenarios) || !InRange(st, Storeys)) return;
    const int32_t n = BoundedCount(Doc.WallCount[sc][st], MaxWalls);
    for (int i = 0; i < n; ++i) {
        WallRecord& w = Doc.Walls[sc][st][i];
        w.bracing = 0;
        w.panelL = 0;
        w.panelR = 0;
    }
}

namespace {
uint64_t undoPushes = 0;

// The ring's position and entry states. Taking back a push restores them as the push found
// them; the entry it saved needs no copy, as the present it wrote there is what the entry held
// if it was filled (the state a step had restored).
struct RingState {
    int32_t position = 0;
    int32_t states[UndoEntries] = {};
    bool operator==(const RingState&) const = default;
};
RingState Ring() {
    RingState r;
    r.position = App.UndoPosition;
    std::copy(std::begin(App.UndoEntryState), std::end(App.UndoEntryState), r.states);
    return r;
}
// The last push can be taken back while the ring is as it left it: no step, no new document.
bool pushValid = false;
RingState beforePush, afterPush;
} // namespace

uint64_t UndoPushCount() {
    return undoPushes;
}

void PushUndo() {
    ++undoPushes;
    beforePush = Ring();
    int pos = Position();
    SaveEntry(pos);
    pos = NextEntry(pos);
    App.UndoPosition = pos;
    // The two empty entries bound the history and end any redo steps.
    App.UndoEntryState[pos] = -1;
    App.UndoEntryState[NextEntry(pos)] = -1;
    Hooks().setUndoEnabled(true);
    Hooks().setRedoEnabled(false);
    afterPush = Ring();
    pushValid = true;
}

bool TakeBackUndo() {
    if (!pushValid || !(Ring() == afterPush)) return false;
    pushValid = false;
    --undoPushes;
    App.UndoPosition = beforePush.position;
    std::copy(std::begin(beforePush.states), std::end(beforePush.states), App.UndoEntryState);
    Hooks().setUndoEnabled(CanUndo());
    Hooks().setRedoEnabled(CanRedo());
    return true;
}

bool CanUndo() {
    return Filled(PrevEntry(Position()));
}

bool CanRedo() {
    return Filled(NextEntry(Position()));
}

bool UndoStep() {
    if (!CanUndo()) return false;
    pushValid = false;
    int pos = Position();
    // Keeps the present so that a step forward returns to it.
    SaveEntry(pos);
    pos = PrevEntry(pos);
    App.UndoPosition = pos;
    RestoreEntry(pos);
    if (!Filled(PrevEntry(pos))) Hooks().setUndoEnabled(false);
    Hooks().setRedoEnabled(true);
    return true;
}

bool RedoStep() {
    if (!CanRedo()) return false;
    pushValid = false;
    const int pos = NextEntry(Position());
    App.UndoPosition = pos;
    RestoreEntry(pos);
    if (!Filled(NextEntry(pos))) Hooks().setRedoEnabled(false);
    Hooks().setUndoEnabled(true);
    return true;
}
