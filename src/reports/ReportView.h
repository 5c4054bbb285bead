#pragma once
// A report as a window shows it: built once from the results of the last recalculation, with
// the size its lines need known before anything is drawn, and drawn part by part as the parts
// come into view (the painter leaves out what the canvas cannot show). Qt-free.
#include "ports/Canvas.h"
#include "reports/ReportLines.h"

#include <functional>

struct ReportView {
    // To the last line (or the key plans' last band, whichever is lower) with a margin: the
    // page ends there, not in blank paper.
    CanvasSize size;
    std::function<void(Canvas&)> paint;
};

// How far a list of lines moves the line position down.
int ReportLinesHeight(const std::vector<ReportLine>& lines);
