#include "reports/KeyPlanReport.h"

#include "calc/LabelTables.h"
#include "calc/RequiredStrength.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "reports/KeyPlans.h"
#include "reports/ScoreReports.h"

#include <algorithm>
#include <cstring>

namespace {

// Below the last line: its own height and a margin.
constexpr int PageBottomMargin = 16 + 10;

int BodyHeight(const ReportLines& body) {
    return ReportLinesHeight(body.lines);
}

std::string Label(const char (&label)[8]) {
    return std::string(label, strnlen(label, sizeof label));
}

} // namespace

ReportLines& BeginStoreyBlock(KeyPlanReport& report, int storey, std::string title) {
    StoreyBlock& block = report.blocks[ClampIndex(storey, Storeys)];
    block.title.setFont(ReportTitleFont);
    block.title.add(ReportLineKind::Title, 20, std::move(title));
    block.body.setFont(ReportTitleFont);
    return block.body;
}

int KeyPlanReportPitch(const KeyPlanReport& report) {
    int tallest = 0;
    for (int f = 0; f <= ClampIndex(report.top, Storeys); ++f)
        tallest = std::max(tallest, KeyPlanBodyTop + BodyHeight(report.blocks[f].body));
    return KeyPlanPitchFor(tallest);
}

CanvasSize PaintKeyPlanReport(Canvas& canvas, int mode, const KeyPlanReport& report) {
    const int top = ClampIndex(report.top, Storeys);
    const int pitch = KeyPlanReportPitch(report);
    DrawResultPlans(canvas, mode, pitch);
    canvas.setFontColour(ReportBlack);
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
    for (int f = 0; f <= top; ++f) {
        const StoreyBlock& block = report.blocks[f];
        PaintReportLines(canvas, block.title.lines, KeyPlanReportLeft, f * pitch);
        PaintReportLines(canvas, block.body.lines, KeyPlanReportLeft, f * pitch + KeyPlanBodyTop);
    }
    const int last =
        PaintReportLines(canvas, report.after.lines, KeyPlanReportLeft, (top + 1) * pitch);
    return {ReportPageWidth, last + PageBottomMargin};
}

ReportView KeyPlanReportView(int mode, KeyPlanReport report) {
    const int top = ClampIndex(report.top, Storeys);
    const int last = (top + 1) * KeyPlanReportPitch(report) + ReportLinesHeight(report.after.lines);
    return {{ReportPageWidth, last + PageBottomMargin},
            [mode, report = std::move(report)](Canvas& canvas) {
                PaintKeyPlanReport(canvas, mode, report);
            }};
}

std::string AxisLabelOfX(int32_t index) {
    return Label(BoundedAt(Grid.AxisLabelX, index));
}

std::string AxisLabelOfY(int32_t index) {
    return Label(BoundedAt(Grid.AxisLabelY, index));
}

RectCorners RectCornersOf(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int ax1 = ClampIndex(x1, AxisCountX), ax2 = ClampIndex(x2, AxisCountX);
    const int ay1 = ClampIndex(y1, AxisCountY), ay2 = ClampIndex(y2, AxisCountY);
    return {AxisLabelOfX(std::min(ax1, ax2)), AxisLabelOfY(std::max(ay1, ay2)),
            AxisLabelOfX(std::max(ax1, ax2)), AxisLabelOfY(std::min(ay1, ay2))};
}

const char* AreaKindNameOf(int kind) {
    return kind < 0 ? "" : BoundedAt(AreaKindNames, kind);
}

double AreaFactorOf(int kind) {
    return reqcalc::FactoredAreaFactor(kind);
}
