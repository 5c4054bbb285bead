#pragma once
// The wall strength and stiffness table of the calculation report: one storey a page, with
// continuation pages under the two column-header lines when a storey's walls run long. The
// lines are those of the screen report, with each list's direction total and the full rule.
#include "ports/PrintDevice.h"
#include "print/PrintFrame.h"

#include <string>

void PrintWallStrengthTable(PrintDevice& device, double dotsPerMm);

// Starts a continuation page of a storey's table: new page, page header, the table font, then
// the two header lines from 20 mm down (pitches 4 and 3.5 mm), leaving the cursor on the second.
// False when the printer refused the page.
bool PrintWallTableHeader(PrintDevice& device, double dotsPerMm, LineCursor& cursor,
                          const std::string& header1, const std::string& header2);
