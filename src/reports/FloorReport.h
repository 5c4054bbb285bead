#pragma once
// The floor report (床倍率の算定) of the current scenario: per storey the floor ratio of every
// floor-spec area with its board and brace, the totals and the mean floor ratio; then
// the floor strength check (床耐力の検定) of every storey, grid line by grid line. Built from
// the results of the last recalculation; the only arithmetic is the shear of each strip.
// Qt-free.
#include "reports/KeyPlanReport.h"

// `printed`: the floor-ratio tables' second header reads 床倍率 (the printed pages) instead of
// 床耐力, and the floor check has the printed pages' storey column.
KeyPlanReport BuildFloorReport(bool printed = false);
CanvasSize PaintFloorReport(Canvas& canvas);

// The floor check of one storey: its storey line (Title), a gap, the X direction (two Header
// lines, a Row per grid line with the check 1, strip and check 2 rows of the strip to the next
// line between them, all Strip), a Blank, the Y direction likewise and a Blank. `printed`: the
// headers and line rows lead with a storey column, the strip and check rows two places further
// right.
ReportLines FloorCheckStoreyLines(int storey, bool printed = false);

// A strength ratio as the check rows show it: within -999.999 .. 999.999.
double ShownStrengthRatio(double ratio);
