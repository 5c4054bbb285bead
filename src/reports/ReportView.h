#pragma once
// A report as a window shows it: built once from the results of the last recalculation, with
// the size its lines need known before anything is drawn, and drawn part by part as the parts
// come into view (the painter leaves out what the canvas cannot show). Qt-free.
#include "ports/Canvas.h"
#include "reports/ReportLines.h"

#include <functional>

struct ReportView {
    // To the last line (or the key plans' last band, whichever is lower) with a margin: the
    // page ends there, not in blank paper. At least the page's width, and wider where a line
    // runs past it.
    CanvasSize size;
    std::function<void(Canvas&)> paint;
};

// How far a list of lines moves the line position down.
int ReportLinesHeight(const std::vector<ReportLine>& lines);
// How far right the widest of a list of lines reaches when written at x. The faces are
// fixed-pitch: every CP932 byte is one cell of its font's width (a double-byte character two).
int ReportLinesWidth(const std::vector<ReportLine>& lines, int x);
