#pragma once
// The wall-change marking of the plan: after the diagnosis of the current scenario, every wall
// of every scenario is compared with the current-state scenario and gets its change flags, the
// retrofit cautions that depend on columns and lengths, and the walls of the current scenario
// that were changed or retrofitted are numbered. Runs on every recompute, before anything is
// drawn; Qt-free and allocation-free.
#include "model/Model.h"

#include <cstdint>

// Change flags of WallRecord.changeFlags.
inline constexpr int32_t WallChangedJoint = 1;
inline constexpr int32_t WallChangedBracing = 2; // bracing or mud wall, or a one-way brace turned
inline constexpr int32_t WallChangedPanelL = 4;
inline constexpr int32_t WallChangedPanelR = 8;
inline constexpr int32_t WallChangedFoundation = 16;
inline constexpr int32_t WallChangedDeterioration = 32;
inline constexpr int32_t WallChangedType = 64;
inline constexpr int32_t WallNew = 255; // no current-state wall joins the same two nodes

// Caution flags of WallRecord.cautionFlags (bit 2, the weaker lower storey, is the result
// summary's).
inline constexpr int32_t WallCautionNoColumnsBelow = 1;
inline constexpr int32_t WallCautionWeakerBelow = 2;
inline constexpr int32_t WallCautionChooseHardware = 4;
inline constexpr int32_t WallCautionFoundation = 8;

// Rewrites changeFlags and the cautions 1, 4 and 8 of every wall of every scenario (storeys up
// to each scenario's top storey), and the retrofit numbers of the current scenario. The
// foundation caution (8) reads the column-joint results of a scenario only where
// `runForThisDocument` says a run of this document wrote them: a scenario not run since the
// document was made or opened holds another document's results, and its walls get none.
void MarkWallChanges(const bool (&runForThisDocument)[Scenarios]);
// For callers whose results of every scenario are this document's.
inline constexpr bool EveryScenarioRun[Scenarios] = {true, true, true};
