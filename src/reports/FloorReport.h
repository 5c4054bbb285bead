#pragma once
// The floor report (床倍率の算定) of the current scenario: per storey the floor ratio of every
// floor-specification area with its board and brace, the totals and the mean floor ratio; then
// the floor strength check (床耐力の検定) of every storey, grid line by grid line. Built from
// the results of the last recalculation; the only arithmetic is the shear of each strip.
// Qt-free.
#include "reports/KeyPlanReport.h"

KeyPlanReport BuildFloorReport();
CanvasSize PaintFloorReport(Canvas& canvas);

// A strength ratio as the check rows show it: within -999.999 .. 999.999.
double ShownStrengthRatio(double ratio);
