#pragma once
// The reports drawn under key plans (centre of gravity, required strength, floor ratios): one
// block per storey, its title 20 px below the block's top and its body from 438 px below it,
// then the lines that follow the last block. Long bodies push the later blocks down, so that
// no text runs over the next storey's key plan. And what their area tables share: the corner
// labels, the kind of a roof/floor area and its factor as the calculation reads them. Qt-free.
#include "model/Model.h"
#include "ports/Canvas.h"
#include "reports/ReportLines.h"
#include "reports/ReportView.h"

#include <cstdint>
#include <string>

inline constexpr ReportFont ReportTitleFont{16, 8};
inline constexpr ReportFont ReportTableFont{12, 5};
// Where the lines of these reports start.
inline constexpr int KeyPlanReportLeft = 40;

struct StoreyBlock {
    ReportLines title; // from the block's top
    ReportLines body;  // from KeyPlanBodyTop below it
};

struct KeyPlanReport {
    int top = 0; // the top storey: blocks 0..top
    StoreyBlock blocks[Storeys];
    ReportLines after; // from the top of the block after the last one
};

// Starts a storey block with its title in the title font. The body continues in the font
// selected last: the title's until a table selects its own.
ReportLines& BeginStoreyBlock(KeyPlanReport& report, int storey, std::string title);

// The block pitch the report needs: 1030 px, or more when a body runs further.
int KeyPlanReportPitch(const KeyPlanReport& report);

// Draws the key plans in `mode`, the blocks and the lines after them; returns the page's size.
CanvasSize PaintKeyPlanReport(Canvas& canvas, int mode, const KeyPlanReport& report);
// The same page for a window.
ReportView KeyPlanReportView(int mode, KeyPlanReport report);

// The label of a grid axis as the plan shows it (an index off the grid reads as its edge, as
// the calculation reads it).
std::string AxisLabelOfX(int32_t index);
std::string AxisLabelOfY(int32_t index);

// The corners of a rectangle as the tables list them: lower left is the X label of the smaller
// X index with the Y label of the larger Y index, upper right the larger X with the smaller Y,
// whichever way the rectangle was drawn.
struct RectCorners {
    std::string lowerLeftX, lowerLeftY, upperRightX, upperRightY;
};
RectCorners RectCornersOf(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The kind name of a roof/floor area by the calculation's kind (empty for a code that names
// none), and the factor of its factored area (FloorAreaFactors, or FloorAreaFactorsApprox
// under the general approximate method).
const char* AreaKindNameOf(int kind);
double AreaFactorOf(int kind);
