#include "print/PrintNValueTable.h"

#include "calc/CalcCommon.h"
#include "calc/NValues.h"
#include "print/PrintReportPages.h"
#include "reports/NValueReport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr double LineX = 16;
constexpr double TopMm = 20;
constexpr double TableHeightMm = 3.0;
constexpr double ColumnWidthMm = 1.2;
// A column goes to a continuation page once the line position is below this.
constexpr double ColumnLimitMm = 260;

std::string Title(int storey) {
    const int s = CalcScenario();
    const std::string scenario = ReportText(PrintedScenarioTitle(s));
    return ReportFormat(App.Options.NValueMethod == NValueMethodConverted ? "%s柱変換Ｎ値（%2i階）"
                                                                          : "%s柱Ｎ値（%2i階）",
                        scenario.c_str(), storey + 1);
}

void TitleAndFont(PrintDevice& device, double d, int storey, const CanvasFont& tableFont) {
    PrintPageHeader(device, d);
    PrintReportTitle(device, d, 20, 10, Title(storey));
    device.canvas().setFont(tableFont);
}

} // namespace

double NValueColumnWidthMm(int widestColumns) {
    // A three-storey house's 1F lines run to 227 columns: 288 mm at 1.2 mm a column.
    if (widestColumns <= 0) return ColumnWidthMm;
    return std::min(ColumnWidthMm, (DesignPageWidthMm - LineX) / widestColumns);
}

bool PrintNValueHeader(PrintDevice& device, double d, int storey, const CanvasFont& tableFont,
                       LineCursor& cursor) {
    if (!device.newPage()) return false;
    TitleAndFont(device, d, storey, tableFont);
    cursor.moveTo(TruncPixel(TopMm * d));
    PrintLineAt(device, d, LineX, cursor.advance(4), NValueHeader1(storey));
    PrintLineAt(device, d, LineX, cursor.advance(3.5), NValueHeader2(storey));
    return true;
}

void PrintNValueTable(PrintDevice& device, double d) {
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    Canvas& canvas = device.canvas();
    BlackTextOnClearBrush(canvas);
    for (int i = 0; i <= top; ++i) {
        if (i > 0 && !device.newPage()) return;
        const int count = ClampIndex(Doc.ColumnCount[s][i], MaxColumns + 1);
        const int positions = std::min(count, int(NValueRes.ColumnOrderCount[s][i]));
        std::vector<std::vector<std::string>> columns;
        std::size_t widest = std::max(NValueHeader1(i).size(), NValueHeader2(i).size());
        for (int pos = 0; pos < positions; ++pos) {
            columns.push_back(NValueColumnLines(i, pos));
            for (const std::string& line : columns.back()) widest = std::max(widest, line.size());
        }
        // CP932 bytes are half-width columns; the storey's widest line sets its font.
        const CanvasFont tableFont =
            MmFont(d, TableHeightMm, NValueColumnWidthMm(static_cast<int>(widest)));

        TitleAndFont(device, d, i, tableFont);
        if (count == 0) continue;
        LineCursor cursor(d, TruncPixel(TopMm * d));
        PrintLineAt(device, d, LineX, cursor.advance(4), NValueHeader1(i));
        PrintLineAt(device, d, LineX, cursor.advance(3.5), NValueHeader2(i));
        const auto continuation = [&](LineCursor& c) {
            return PrintNValueHeader(device, d, i, tableFont, c);
        };
        const auto columnBreak = [d](int y) { return y > ColumnLimitMm * d; };
        for (const auto& lines : columns) {
            for (std::size_t k = 0; k < lines.size(); ++k) {
                // Only a column's first line takes the table's page test; its continuation
                // lines keep to the page.
                if (!cursor.ensureRoom(4 + TableHeightMm,
                                       k == 0 ? std::function<bool(int)>(columnBreak) : nullptr,
                                       continuation))
                    return;
                PrintLineAt(device, d, LineX, cursor.advance(4), lines[k]);
            }
        }
    }
}
