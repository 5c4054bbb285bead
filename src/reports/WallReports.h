#pragma once
// The wall strength and stiffness report (壁耐力・剛性の算定) and the rigidity and eccentricity
// report (剛心の算定) of the current scenario, built from the results of the last recalculation
// as report lines. Both list the walls by wall line, walking the X and Y wall lists of the
// storey with one routine; they differ in which walls count and what a line sums. The screen
// paints the lines; the printed pages place the same lines. Qt-free.
#include "ports/Canvas.h"
#include "reports/ReportLines.h"
#include "reports/ReportView.h"

// ---- 壁耐力・剛性の算定 ----

// The lines of one storey below its title, in the 12 x 4 font: the two column headers, the X
// rows with their line subtotals, the Y rows likewise, the rule and the storey totals. A storey
// without walls has the rule and the totals only. Kinds: Header for the column headers, Row for
// a wall, Total for a subtotal and for the storey totals, Blank after each list, Rule.
// `printed`: the lines of the printed table, where each list ends with its direction total (a
// Total line after the last subtotal) and the rule has 75 box-drawing characters and no hyphen.
ReportLines WallStrengthStoreyLines(int storey, bool printed = false);
// The whole screen report: per storey a gap, the title "%2i階 壁耐力剛性" (16 x 8) and the
// storey lines.
ReportLines BuildWallStrengthReport();
// The page at x 40 from y 0; returns the size the page needs (at least 6196 px high).
CanvasSize PaintWallStrengthReport(Canvas& canvas);
// The report for a window: the page ends below the last line, however short.
ReportView WallStrengthReportView();

// The subtotal line of a wall line: its numbers end in the columns of a row's 耐力 and 剛性.
std::string WallStrengthSubtotal(double strength, double stiffness);

// ---- 剛心の算定 ----

// The lines of one storey's block, from the block's top: the heading (16 x 8) 20 px down, the
// X and Y blocks from 438 px down (12 x 5; only when the storey has walls) and the two Kr lines.
ReportLines RigidityStoreyLines(int storey);
// The key plans in mode 6 and every storey's block, at a storey pitch that grows when a block
// runs longer than 1030 px; returns the size the page needs.
CanvasSize PaintRigidityReport(Canvas& canvas);
ReportView RigidityReportView();
