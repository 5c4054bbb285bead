#pragma once
// The N-value report (柱Ｎ値の算定) of the current scenario: every column of every storey in
// report order with the terms of its column-base joint check, the upper columns that bear on
// it and the joint hardware the check calls for, by the N-value method or the converted
// N-value method (`NValueMethod`). On screen the report stands on light grey page frames that
// preview the printed pages. Built from the results of the last recalculation; Qt-free.
#include "ports/Canvas.h"
#include "reports/ReportLines.h"
#include "reports/ReportView.h"

#include <string>
#include <vector>

// The title of a storey: " %i 階 柱変換Ｎ値" or " %i 階 柱Ｎ値".
std::string NValueTitle(int storey);
// The two column-header lines of a storey, with a group for each storey above it.
std::string NValueHeader1(int storey);
std::string NValueHeader2(int storey);
// The lines of the column at report position r of a storey: its first line, then the
// continuation lines of the entries from the storeys above. None for a position without a
// column, and none under a method other than the two.
std::vector<std::string> NValueColumnLines(int storey, int position);

// The screen report with its page frames.
struct NValueReport {
    ReportLines lines; // from y 0; a jump to a new frame is a Blank line
    int frames = 5;    // page frames to draw, five at the least
};
NValueReport BuildNValueReport();
// The frames and the lines at x 40; returns the size the page needs (at least 5151 px high, and
// as wide as the widest line where that runs past the frames).
CanvasSize PaintNValueReport(Canvas& canvas);
// The report for a window: the page ends below the last line, its frames cut there.
ReportView NValueReportView();

// The bottom of page frame n (1-based): n x 294 mm at 3.504 px/mm.
int NValueFrameBottom(int n);
