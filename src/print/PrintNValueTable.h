#pragma once
// The N-value tables of the calculation report: one storey a page, with continuation pages
// under the title and the two header lines when a storey's columns run long. The lines are
// those of the screen report.
#include "ports/PrintDevice.h"
#include "print/PrintFrame.h"

void PrintNValueTable(PrintDevice& device, double dotsPerMm);

// Starts a continuation page of storey i: new page, page header, title, the table font
// `tableFont`, then the two header lines from 20 mm down (pitches 4 and 3.5 mm). False when the
// printer refused the page.
bool PrintNValueHeader(PrintDevice& device, double dotsPerMm, int storey,
                       const CanvasFont& tableFont, LineCursor& cursor);

// The half-width column width of a storey's table, mm: 1.2, or less where the widest of its
// lines (n columns from 16 mm) would run past the design page.
double NValueColumnWidthMm(int widestColumns);
