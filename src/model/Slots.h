#pragma once
// Moving whole element lists between model slots (the scenario copy dialog), clearing the
// current storey, and the undo ring.
//
// The undo ring has ten entries. Each entry holds the element lists of all three scenarios, so
// that a step restores exactly what the document held before the edit, whichever scenario is
// on screen at the time of the step and also across a copy or swap between two scenarios.
// Entry e keeps scenario 0 in model slot e + 3 and scenarios 1 and 2 in a store of its own,
// allocated once at start-up; nothing here allocates afterwards. Entries hold element lists
// only: the storey data, the overview, the axes and the module are never part of one.
#include "model/Model.h"
#include "model/ModelHooks.h"

#include <cstdint>

inline constexpr int CopyWithSettings = 0;
inline constexpr int SwapWithSettings = 1;
inline constexpr int CopyElementsOnly = 2;
inline constexpr int SwapElementsOnly = 3;
inline constexpr int AllStoreys = 7;

// Scenario radio colours by StoreyData.weightClass (national edition) and by
// StoreyData.roofWallClass (other editions).
inline constexpr RgbColour ScenarioWeightColours[3] = {
    {208, 255, 255}, {208, 255, 208}, {255, 208, 208}};
inline constexpr RgbColour ScenarioRoofWallColours[4] = {
    {208, 255, 255}, {170, 208, 208}, {208, 255, 208}, {170, 208, 170}};

// The element lists of N slots, laid out and named as in the document, so that
// ForEachElementKind walks them as it walks the document.
template <int N>
struct ElementSlots {
    int32_t ColumnCount[N][Storeys];
    ColumnRecord Columns[N][Storeys][MaxColumns];
    int32_t WallCount[N][Storeys];
    WallRecord Walls[N][Storeys][MaxWalls];
    int32_t RoofFloorRectCount[N][Storeys];
    RoofFloorRectRecord RoofFloorRects[N][Storeys][MaxRoofFloorRects];
    int32_t RoofFloorTriCount[N][Storeys];
    RoofFloorTriRecord RoofFloorTris[N][Storeys][MaxRoofFloorTris];
    int32_t FloorSpecRectCount[N][Storeys];
    FloorSpecRectRecord FloorSpecRects[N][Storeys][MaxFloorSpecRects];
    int32_t FloorSpecTriCount[N][Storeys];
    FloorSpecTriRecord FloorSpecTris[N][Storeys][MaxFloorSpecTris];
    int32_t RoomTextCount[N][Storeys];
    RoomTextRecord RoomTexts[N][Storeys][MaxRoomTexts];
    int32_t FoundationCount[N][Storeys];
    FoundationRecord Foundations[N][Storeys][MaxFoundations];
    int32_t FreeLineCount[N][Storeys];
    FreeLineRecord FreeLines[N][Storeys][MaxFreeLines];
    int32_t ReservedCount[N][Storeys];
    ReservedRecord ReservedRecords[N][Storeys][MaxReserved];
};

// Scenarios 1 and 2 of every undo entry: entry e, scenario s at index e * 2 + s - 1. The
// grid edits renumber its elements together with those of the model slots, so that a step
// back over an axis edit puts every scenario on the axes it stood on.
inline constexpr int UndoScenarioSlots = UndoEntries * (Scenarios - 1);
using UndoScenarioStore = ElementSlots<UndoScenarioSlots>;
UndoScenarioStore& UndoScenarios();

// Copies (mode 0, 2) or swaps (mode 1, 3) the element lists of the storeys selected by
// storeyMask (bit s for storey s) from model slot src to dst. Between two scenarios, modes 0
// and 1 also copy or swap the scenario's whole StoreyData, whatever the mask, and recolour the
// scenario radios. Slots outside 0..12 and unknown modes are ignored.
void CopyModelSlot(int32_t src, int32_t dst, int32_t mode, int32_t storeyMask);

// The StoreyData of one scenario (every per-scenario member) onto or exchanged with another.
void CopyStoreyDataScenario(int dst, int src);
void SwapStoreyDataScenario(int a, int b);

// The radio colour of a scenario under the current criteria edition, and all three radios set.
RgbColour ScenarioRadioColour(int scenario);
void UpdateScenarioColours();

// Empties the current storey of the current scenario (records stay as stale data).
void ClearStoreyData();
// Strips bracing, mud wall, retrofit mark and face panels from the walls of the current storey
// of the current scenario; position, type and deterioration stay.
void ClearStoreyWallElements();

// The snapshot of the element lists right before an edit changes them; the edits take it
// through UndoableEdit (document/UndoableEdit.h), which also marks the document changed.
void PushUndo();
// Takes back the snapshot the last PushUndo took, for an edit that changed nothing after all:
// the ring, its buttons and the redo steps it ended are as they were before it. Only right
// after the push, before any step or other snapshot; false (and nothing done) otherwise.
bool TakeBackUndo();
// How many snapshots PushUndo has taken in this run, less those taken back: a unit whose
// dialog may or may not have edited (the wall-change dialog) tells from it whether the click
// changed the document.
uint64_t UndoPushCount();
// One step back or forward. A step with nothing to step to changes nothing and returns false.
bool UndoStep();
bool RedoStep();
// What the two buttons show.
bool CanUndo();
bool CanRedo();
