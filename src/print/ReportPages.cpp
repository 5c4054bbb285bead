#include "print/ReportPages.h"

#include "calc/CalcCommon.h"
#include "calc/LabelTables.h"
#include "calc/WallLines.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "print/PlanForPrint.h"
#include "print/PrintFrame.h"
#include "print/PrintReportPages.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/RequiredReport.h"
#include "reports/WallReports.h"

#include <string>
#include <vector>

bool ReportPageSafetyBreak = true;

namespace {

using Kind = ReportLineKind;

constexpr double LeftMm = 20;
constexpr double TableTopMm = 142;       // below the key plan
constexpr double ContinuationTopMm = 20; // below the header of a further page

CanvasFont TableFont(double d) {
    return MmFont(d, 3.0, 1.5);
}
CanvasFont BodyFont(double d) {
    return MmFont(d, 2.5, 1.25);
}

// The scenario word of the titles, blank included.
std::string ScenarioWord() {
    return ReportText(PrintedScenarioTitle(CalcScenario()));
}

// "%s...（%2i階...）": the scenario word and the storey number.
std::string PageTitle(const char* utf8Format, int storey) {
    return ReportFormat(utf8Format, ScenarioWord().c_str(), storey + 1);
}

// How a page continues on the next one: the printer's new page with the report header, or
// NewReportPage; the lines below then start at 20 mm.
enum class Continuation { PageWithHeader, ReportPage };

// The lines of a page in whole printer dots: each advances first and is then written at
// x = 20 mm in its font. The pages' own break tests start their continuation; besides, a text
// that would end below the design page starts it first, so that no line is lost. Once the
// printer refused a new page, nothing more is drawn.
class PageFlow {
public:
    PageFlow(PrintDevice& device, double d, Continuation how)
        : device_(device), d_(d), how_(how), cursor_(d) {}

    bool ok() const { return ok_; }
    void at(double mm) { cursor_.moveTo(TruncPixel(mm * d_)); }
    void shiftDots(int dots) { cursor_.moveTo(cursor_.y() + dots); }

    bool continueOnNextPage() {
        if (!ok_) return false;
        if (how_ == Continuation::ReportPage) {
            ok_ = NewReportPage(device_, d_);
        } else {
            ok_ = device_.newPage();
            if (ok_) PrintPageHeader(device_, d_);
        }
        if (ok_) at(ContinuationTopMm);
        return ok_;
    }

    // The break test of a table: the next page when the line position lies below `mm`.
    void breakBelow(double mm) {
        if (cursor_.y() > mm * d_) continueOnNextPage();
    }

    // Advances `mm`, then writes `text` (nothing for an empty one, a gap).
    void line(double mm, const std::string& text, const CanvasFont& font) {
        if (!ok_) return;
        if (!text.empty() && ReportPageSafetyBreak)
            cursor_.ensureRoom(mm + font.height / d_, nullptr,
                               [this](LineCursor&) { return continueOnNextPage(); });
        if (!ok_) return;
        cursor_.advance(mm);
        if (text.empty()) return;
        Canvas& canvas = device_.canvas();
        canvas.setFont(font);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.textOut(TruncPixel(LeftMm * d_), cursor_.y(), text);
    }

private:
    PrintDevice& device_;
    double d_;
    Continuation how_;
    LineCursor cursor_;
    bool ok_ = true;
};

void Title(PrintDevice& device, double d, const std::string& title) {
    device.canvas().setBrushStyle(BrushStyle::Clear);
    PrintReportTitle(device, d, LeftMm, 10, title);
}

// The top of a storey page: header, the storey's plan in `mode` and the title.
void StoreyPageTop(PrintDevice& device, double d, int mode, int storey, const std::string& title) {
    PrintPageHeader(device, d);
    BlackTextOnClearBrush(device.canvas());
    DrawPlanForPrint(device, mode, storey, d);
    BlackTextOnClearBrush(device.canvas());
    Title(device, d, title);
}

// The area kinds beside the plan, 5 mm apart from 100 mm at x = 150 mm; the largest rectangle
// as the seventh line when asked for. Leaves the table font selected.
void AreaLegend(PrintDevice& device, double d, bool largestRectangle) {
    device.canvas().setFont(TableFont(d));
    for (int kind = 0; kind < 6; ++kind)
        TextOutMm(device, d, 150, 100 + 5 * kind,
                  ReportFormat("(%i):%s", kind, AreaKindNameOf(kind)));
    if (largestRectangle) TextOutMm(device, d, 150, 130, ReportFormat("( ):%s", AreaKindNameOf(6)));
}

// A storey of the required-strength report: its area tables, the total and the quarter block,
// with the triangle table on a page of its own when the storey has more than 25 areas.
void RequiredStoreyLines(PageFlow& flow, const ReportLines& body, int storey, double d) {
    const int s = CalcScenario();
    const int rects = LiveCount(Doc.RoofFloorRectCount[s][storey], MaxRoofFloorRects);
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][storey], MaxRoofFloorTris);
    // The header pair that opens the triangle table.
    const int triangleTable = tris > 0 ? (rects > 0 ? 1 : 0) : -1;
    const CanvasFont table = TableFont(d);
    int tables = 0;
    Kind previous = Kind::Blank;
    for (const ReportLine& line : body.lines) {
        double mm = 4;
        if (line.kind == Kind::Header) {
            const bool first = previous != Kind::Header;
            if (first && tables++ == triangleTable && rects + tris > 25) flow.continueOnNextPage();
            mm = first ? 5 : 3.5;
        } else if (line.kind == Kind::Blank && previous == Kind::Header) {
            mm = 1;
        }
        flow.line(mm, line.text, table);
        previous = line.kind;
    }
}

} // namespace

void PrintRequiredStrength(PrintDevice& device, double d) {
    const KeyPlanReport rep = BuildRequiredReport(true);
    PageFlow flow(device, d, Continuation::PageWithHeader);
    for (int f = 0; f <= rep.top; ++f) {
        if (f > 0 && !device.newPage()) return;
        StoreyPageTop(device, d, PrintPlanRequired, f, PageTitle("%s必要耐力（%2i階床面積）", f));
        AreaLegend(device, d, true);
        flow.at(TableTopMm);
        RequiredStoreyLines(flow, rep.blocks[f].body, f, d);
        if (!flow.ok()) return;
    }

    // The calculation on a page of its own.
    if (!device.newPage()) return;
    PrintPageHeader(device, d);
    BlackTextOnClearBrush(device.canvas());
    Title(device, d, ReportFormat("%s必要耐力", ScenarioWord().c_str()));
    flow.at(ContinuationTopMm);
    const CanvasFont table = TableFont(d);
    bool first = true;
    for (const ReportLine& line : rep.after.lines) {
        if (first) {
            // "［必要耐力の算出］" 30 printer dots down, whatever the resolution.
            flow.shiftDots(30);
            flow.line(0, line.text, table);
            first = false;
        } else {
            flow.line(6, line.text, table);
        }
    }
}

void PrintCentreOfGravity(PrintDevice& device, double d) {
    const KeyPlanReport rep = BuildGravityReport();
    PageFlow flow(device, d, Continuation::PageWithHeader);
    const CanvasFont table = TableFont(d);
    for (int i = 0; i <= rep.top; ++i) {
        if (i > 0 && !device.newPage()) return;
        StoreyPageTop(device, d, PrintPlanGravity, i, PageTitle("%s重心（%2i階）", i));
        AreaLegend(device, d, false);
        flow.at(TableTopMm);
        // The rule stands at the line position of the blank before it.
        for (const ReportLine& line : rep.blocks[i].body.lines)
            flow.line(line.kind == Kind::Rule ? 0 : 4, line.text, table);
        if (!flow.ok()) return;
    }
}

void PrintAverageFloorRatio(PrintDevice& device, double d) {
    const KeyPlanReport rep = BuildFloorReport(true);
    PageFlow flow(device, d, Continuation::ReportPage);
    for (int i = 0; i <= rep.top; ++i) {
        if (i > 0 && !device.newPage()) return;
        StoreyPageTop(device, d, PrintPlanFloorSpecs, i, PageTitle("%s平均床倍率（%2i階）", i));
        flow.at(TableTopMm);
        // Every line in the body font, also on a storey without areas: in the title font the
        // rule would run past the printable width.
        const CanvasFont body = BodyFont(d);
        for (const ReportLine& line : rep.blocks[i].body.lines) {
            flow.line(4, line.text, body);
            if (line.kind == Kind::Row) flow.breakBelow(270);
        }
        if (!flow.ok()) return;
    }
}

void PrintFloorCheck(PrintDevice& device, double d) {
    const int top = TopStoreyOf();
    PageFlow flow(device, d, Continuation::ReportPage);
    const CanvasFont body = BodyFont(d);
    for (int i = 0; i <= top; ++i) {
        if (i > 0 && !device.newPage()) return;
        PrintPageHeader(device, d);
        BlackTextOnClearBrush(device.canvas());
        Title(device, d, PageTitle("%s床耐力検定（%2i階）", i));
        flow.at(ContinuationTopMm);
        // The storey line, a gap, X, the gap between the directions, Y, a gap the page leaves.
        int gaps = 0, strips = 0;
        Kind previous = Kind::Blank;
        for (const ReportLine& line : FloorCheckStoreyLines(i, true).lines) {
            switch (line.kind) {
            case Kind::Title:
                flow.line(2.0, line.text, body);
                break;
            case Kind::Blank:
                if (gaps == 1) flow.breakBelow(250);
                if (gaps++ < 2) flow.line(4.0, {}, body);
                break;
            case Kind::Header:
                flow.line(previous == Kind::Header ? 3.2 : 3.6, line.text, body);
                break;
            case Kind::Strip:
                flow.line(1.8, line.text, body);
                // After the check 2 row of a strip.
                if (++strips % 3 == 0) flow.breakBelow(270);
                break;
            default:
                flow.line(3.6, line.text, body);
                strips = 0;
                break;
            }
            previous = line.kind;
        }
        if (!flow.ok()) return;
    }
}

void PrintRigidityEccentricity(PrintDevice& device, double d) {
    const int top = TopStoreyOf();
    PageFlow flow(device, d, Continuation::ReportPage);
    const CanvasFont table = TableFont(d);
    for (int i = 0; i <= top; ++i) {
        if (i > 0 && !device.newPage()) return;
        StoreyPageTop(device, d, PrintPlanWalls, i, PageTitle("%s剛心･偏心率（%2i階）", i));
        flow.at(TableTopMm);
        const std::vector<ReportLine> lines = RigidityStoreyLines(i).lines;
        if (lines.size() < 4) continue;
        const std::size_t kr = lines.size() - 2; // the two Kr lines end the block
        const bool walls = WallCountOf(i) != 0;
        // The screen's heading and the gap down to its body are the page's title and plan.
        Kind previous = Kind::Blank;
        for (std::size_t n = 2; n < lines.size(); ++n) {
            const ReportLine& line = lines[n];
            double mm = 3.5; // headers, rows, the gap between the directions, the Kr lines
            if (n >= kr) {
                if (n == kr && walls) flow.line(4.0, {}, table);
            } else if (line.kind == Kind::Rule || line.kind == Kind::Total) {
                mm = 2.0;
            }
            // After a row that the next wall line follows, not after a direction's last.
            if (line.kind == Kind::Row && previous == Kind::Row) flow.breakBelow(270);
            flow.line(mm, line.text, table);
            previous = line.kind;
        }
        if (!flow.ok()) return;
    }
}
