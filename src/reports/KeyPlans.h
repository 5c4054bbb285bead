#pragma once
// The key plans at the top of the storey blocks of four result dialogs: a small plan of every
// storey of the current scenario with its grid, and by mode the roof and floor areas (1 centre
// of gravity, 2 required strength), the floor specifications (4) or the walls with the centres
// of gravity and rigidity (6): a configuration of the plan painter (plan/PlanPainter.h) at a
// drawing unit of about two pixels a millimetre. Qt-free.
#include "model/ColorRef.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"
#include "ports/Canvas.h"

#include <cstdint>
#include <string>

enum KeyPlanMode : int {
    KeyPlanGravity = 1,
    KeyPlanRequired = 2,
    KeyPlanFloorSpecs = 4,
    KeyPlanWalls = 6,
};

// The storey pitch of the key-plan dialogs: each storey's block starts at f x pitch.
inline constexpr int KeyPlanPitch = 1030;
// Where the body of a block starts, below its key plan.
inline constexpr int KeyPlanBodyTop = 438;

// The pitch for blocks whose text runs down to `tallestBlock` pixels below their top: 1030 while
// every block fits, else enough that no block's text runs into the next storey's key plan.
int KeyPlanPitchFor(int tallestBlock);

// Draws the key plans of every storey of the current scenario, storey f in the band from
// y = f x pitch (pitch at least 1030), with the block outlines. Returns the bottom of the last
// band.
int DrawResultPlans(Canvas& canvas, int mode, int pitch = KeyPlanPitch);
