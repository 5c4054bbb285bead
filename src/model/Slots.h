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

// Called by every element edit right before it changes the element lists.
void PushUndo();
// One step back or forward. A step with nothing to step to changes nothing and returns false.
bool UndoStep();
bool RedoStep();
// What the two buttons show.
bool CanUndo();
bool CanRedo();
