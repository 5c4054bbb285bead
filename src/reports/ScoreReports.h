#pragma once
// The reduction-factor and score report (低減係数・上部構造評点) and the judgement report
// (上部構造評点の算定) of the current scenario, built from the results of the last
// recalculation as report lines. The screen paints them; the printed pages place the same lines.
// Qt-free; nothing of the diagnosis is computed here.
#include "reports/ReportLines.h"
#include "ui/Canvas.h"

// Colours of the score report's lines.
inline constexpr ColorRef ReportBlack = 0x000000;
inline constexpr ColorRef ReportBlue = 0xFF0000;
inline constexpr ColorRef ReportDarkRed = 0x000080;

// Width of the report pages on screen, pixels.
inline constexpr int ReportPageWidth = 715;

ReportLines BuildScoreReport();
ReportLines BuildJudgementReport();

// The screen pages: the lines written at x 10 from y 0. Return the size the page needs.
CanvasSize PaintScoreReport(Canvas& canvas);
CanvasSize PaintJudgementReport(Canvas& canvas);

// Writes report lines on a screen page (font colour black, clear brush, x 10, y 0) and returns
// the size the page needs to show all of them.
CanvasSize PaintReportPage(Canvas& canvas, const ReportLines& report);
