#include "print/PrintWallTable.h"

#include "calc/CalcCommon.h"
#include "print/PrintReportPages.h"
#include "reports/WallReports.h"

namespace {

constexpr double LineX = 20;
constexpr double TopMm = 20;
constexpr double TableHeightMm = 3.0;
// A wall row goes to a continuation page once the line position is below this.
constexpr double RowLimitMm = 260;

CanvasFont TableFont(double d) {
    return MmFont(d, TableHeightMm, 1.2);
}

} // namespace

bool PrintWallTableHeader(PrintDevice& device, double d, LineCursor& cursor,
                          const std::string& header1, const std::string& header2) {
    if (!device.newPage()) return false;
    PrintPageHeader(device, d);
    device.canvas().setFont(TableFont(d));
    cursor.moveTo(TruncPixel(TopMm * d));
    PrintLineAt(device, d, LineX, cursor.advance(4), header1);
    PrintLineAt(device, d, LineX, cursor.advance(3.5), header2);
    return true;
}

void PrintWallStrengthTable(PrintDevice& device, double d) {
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    Canvas& canvas = device.canvas();
    BlackTextOnClearBrush(canvas);
    const std::string scenario = ReportText(PrintedScenarioTitle(s));
    for (int i = 0; i <= top; ++i) {
        if (i > 0 && !device.newPage()) return;
        PrintPageHeader(device, d);
        PrintReportTitle(device, d, 20, 10,
                         ReportFormat("%s壁耐力剛性（%2i階）", scenario.c_str(), i + 1));
        canvas.setFont(TableFont(d));

        const ReportLines lines = WallStrengthStoreyLines(i, true);
        std::string headers[2];
        for (int h = 0; h < 2 && h < int(lines.lines.size()); ++h)
            if (lines.lines[h].kind == ReportLineKind::Header) headers[h] = lines.lines[h].text;
        const auto continuation = [&](LineCursor& c) {
            return PrintWallTableHeader(device, d, c, headers[0], headers[1]);
        };
        const auto rowBreak = [d](int y) { return y > RowLimitMm * d; };

        LineCursor cursor(d, TruncPixel(TopMm * d));
        int headerCount = 0, blankCount = 0;
        for (const ReportLine& line : lines.lines) {
            double pitch = 4;
            switch (line.kind) {
            case ReportLineKind::Header:
                pitch = headerCount++ == 0 ? 4 : 3.5;
                break;
            case ReportLineKind::Rule:
                pitch = 6;
                break;
            // After the X list 6 mm, after the Y list 4 mm.
            case ReportLineKind::Blank:
                pitch = blankCount++ == 0 ? 6 : 4;
                break;
            default:
                break;
            }
            if (line.kind == ReportLineKind::Blank) {
                cursor.advance(pitch);
                continue;
            }
            // Only wall rows take the table's page test; every line keeps to the page.
            if (!cursor.ensureRoom(
                    pitch + TableHeightMm,
                    line.kind == ReportLineKind::Row ? std::function<bool(int)>(rowBreak) : nullptr,
                    continuation))
                return;
            PrintLineAt(device, d, LineX, cursor.advance(pitch), line.text);
        }
    }
}
