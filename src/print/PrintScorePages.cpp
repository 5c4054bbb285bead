#include "print/PrintScorePages.h"

#include "calc/CalcCommon.h"
#include "print/PrintFrame.h"
#include "print/PrintReportPages.h"
#include "reports/ScoreReports.h"

#include <functional>

namespace {

constexpr double BodyX = 20;
constexpr double TopMm = 20;

// The page's header and title, then the lines in the body font (4.0 x 2.0 mm) in their own
// colours from 20 mm down, each advance in mm as `advanceMm` gives it for the screen's pixels.
void PrintLinesPage(PrintDevice& device, double d, double titleX, const std::string& title,
                    const ReportLines& report, const std::function<double(int)>& advanceMm) {
    Canvas& canvas = device.canvas();
    BlackTextOnClearBrush(canvas);
    PrintPageHeader(device, d);
    PrintReportTitle(device, d, titleX, 10, title);
    canvas.setFont(MmFont(d, 4.0, 2.0));
    LineCursor cursor(d, TruncPixel(TopMm * d));
    for (const ReportLine& line : report.lines) {
        cursor.advance(advanceMm(line.advance));
        canvas.setFontColour(line.colour);
        PrintLineAt(device, d, BodyX, cursor.y(), line.text);
    }
    canvas.setFontColour(0x000000);
}

std::string Scenario() {
    return ReportText(PrintedScenarioTitle(CalcScenario()));
}

} // namespace

void PrintReductionAndScore(PrintDevice& device, double d) {
    // The screen's 25-pixel steps become 7 mm, its 20, 30 and 40 pixels 10 mm.
    PrintLinesPage(device, d, 10, ReportFormat("%s低減係数･上部構造評点", Scenario().c_str()),
                   BuildScoreReport(true), [](int px) { return px == 25 ? 7.0 : 10.0; });
}

void PrintRetainedStrengthSheet(PrintDevice& device, double d) {
    PrintLinesPage(device, d, 20, ReportFormat("%s保有耐力診断書", Scenario().c_str()),
                   BuildJudgementReport(true), [](int) { return 10.0; });
}
