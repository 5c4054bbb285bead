#pragma once
// The reduction-factor and score report (低減係数・上部構造評点) and the judgement report
// (上部構造評点の算定) of the current scenario, built from the results of the last
// recalculation as report lines. The screen paints them; the printed pages place the same lines.
// Qt-free; nothing of the diagnosis is computed here.
#include "ports/Canvas.h"
#include "reports/ReportLines.h"
#include "reports/ReportView.h"

// Colours of the score report's lines.
inline constexpr ColorRef ReportBlack = 0x000000;
inline constexpr ColorRef ReportBlue = 0xFF0000;
inline constexpr ColorRef ReportDarkRed = 0x000080;

// Width of the report pages on screen, pixels.
inline constexpr int ReportPageWidth = 715;

// `printed`: the lines of the printed pages. The score page shows the precise methods' first
// heading in blue, labels the precise block's mean floor ratio 平均床耐力 and its second Fsr
// row 低減係数(Fsr), and the building score with three places. The retained-strength sheet
// opens with 保有耐力診断書 alone for the current state, labels the mean floor ratio
// 平均床倍率, shows the building score with three places and, under the general methods, the
// wall strength with the other elements and the rows E and D instead of Fef and Fep.
ReportLines BuildScoreReport(bool printed = false);
ReportLines BuildJudgementReport(bool printed = false);

// The screen pages: the lines written at x 10 from y 0. Return the size the page needs.
CanvasSize PaintScoreReport(Canvas& canvas);
CanvasSize PaintJudgementReport(Canvas& canvas);

// Writes report lines on a screen page (font colour black, clear brush, x 10, y 0) and returns
// the size the page needs to show all of them.
CanvasSize PaintReportPage(Canvas& canvas, const ReportLines& report);
// The same page for a window.
ReportView ReportPageView(ReportLines report);
