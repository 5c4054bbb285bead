#pragma once
// The grid on the plan sheet: the drawing of the grid lines and of the axes (plan/SheetPlan.h)
// and the window side of axis editing (the axis dialog and the kind
// clicks); the sheet's coordinates, scale and snapping come with it (SheetCoordinates.h). The
// grid itself, its check, labels and edits are the model's (model/Grid.h). Free of Qt apart
// from EditAxis, which shows the axis dialog.
#include "document/SheetCoordinates.h"
#include "model/Grid.h"
#include "plan/SheetPlan.h"

// ---- Axis editing ----
// Insert, re-space or delete axes for a click in axis mode (App.AxisEditMode): in the add and
// change modes the axis dialog asks for the distance first; the model checks and applies it.
// ix, iy: the gap (or, deleting, the axis) picked; px, py: the pixel clicked. Returns 1 when
// the grid changed.
int EditAxis(int ix, int iy, int px, int py);
// The kind click: the kind of X axis ix and of Y axis iy (where below 100) steps main -> sub
// -> hidden -> main. Returns true when a kind changed.
bool StepAxisKinds(int ix, int iy);
