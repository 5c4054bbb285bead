#include "reports/NValueReport.h"

#include "calc/CalcCommon.h"
#include "calc/NValues.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "reports/ScoreReports.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int ReportLeft = 40;
constexpr ReportFont TitleFont{16, 8};
constexpr ReportFont TableFont{12, 4};
constexpr ColorRef FrameGrey = 0xC0C0C0;
constexpr double PixelsPerMm = 1.46 * 2.4;
constexpr int MinFrames = 5;
// Storeys start at the top of a frame (1030 px apart); a storey that runs on continues at
// 1031 px a frame, and a column starts the next frame once the line is 890 px into its frame.
constexpr int StoreyPitch = 1030;
constexpr int ContinuationPitch = 1031;
constexpr int FrameFill = 890;
// The page frames are 204 mm wide, a pixel less than the page.
static_assert(static_cast<int>(204 * PixelsPerMm) == ReportPageWidth - 1);

bool Converted() {
    return App.Options.NValueMethod == NValueMethodConverted;
}
bool KnownMethod() {
    return App.Options.NValueMethod == NValueMethodNValue ||
           App.Options.NValueMethod == NValueMethodConverted;
}

int StoreysAbove(int s, int storey) {
    return TopStoreyOf(s) - storey;
}

std::string Label(const char (&labels)[100][8], long long axis) {
    const char(&label)[8] = BoundedAt(labels, axis);
    return std::string(label, strnlen(label, sizeof label));
}

// A text of the program with any control character as one blank.
std::string Blanked(const char* utf8) {
    std::string t = ReportText(utf8);
    for (char& c : t)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return t;
}

double Ratio(double a, double b) {
    return a + b == 0 ? 0.0 : b / (a + b);
}

// An upper-column entry in one of the formats (they differ only in what stands before).
std::string UpperEntry(const char* format, int no, double x, double y, double a, double b,
                       double shareX, double shareY, double factor) {
    return ReportFormat(format, no == -1 ? 0 : no, x, y, a, b, Ratio(a, b), shareX, shareY, factor);
}

std::string Upper1(const char* format, const ColumnJointRecord& c, int k, bool converted) {
    return UpperEntry(format, c.upper1No[k], converted ? c.upper1PwX[k] : c.upper1AX[k],
                      converted ? c.upper1PwY[k] : c.upper1AY[k], c.upper1DistA[k],
                      c.upper1DistB[k], converted ? c.pw2X[k] : c.a2X[k],
                      converted ? c.pw2Y[k] : c.a2Y[k], c.b2[k]);
}
std::string Upper2(const char* format, const ColumnJointRecord& c, int k, bool converted) {
    return UpperEntry(format, c.upper2No[k], converted ? c.upper2PwX[k] : c.upper2AX[k],
                      converted ? c.upper2PwY[k] : c.upper2AY[k], c.upper2DistA[k],
                      c.upper2DistB[k], converted ? c.pw3X[k] : c.a3X[k],
                      converted ? c.pw3Y[k] : c.a3Y[k], c.b3[k]);
}

constexpr const char* UpperFormat = "    %3i%8.3f%8.3f%8.3f%8.3f%8.3f %8.3f%8.3f %6.3f";
constexpr const char* UpperLineFormat = "    %3i%8.3f%8.3f%8.3f%8.3f%8.3f %8.3f%8.3f %6.3f\r\n";
constexpr const char* Upper1ContinuedFormat =
    "                                             %3i%8.3f%8.3f%8.3f%8.3f%8.3f %8.3f%8.3f %6.3f";
constexpr const char* Upper2AloneFormat =
    "                                                                    "
    "%3i%8.3f%8.3f%8.3f%8.3f%8.3f %8.3f%8.3f %6.3f\r\n";

} // namespace

std::string NValueTitle(int storey) {
    return ReportFormat(Converted() ? " %i 階 柱変換Ｎ値" : " %i 階 柱Ｎ値", storey + 1);
}

std::string NValueHeader1(int storey) {
    const int above = StoreysAbove(CalcScenario(), ClampIndex(storey, Storeys));
    const bool cv = Converted();
    std::string h = ReportText(cv ? " 柱     通り　           PW1" : " 柱     通り　           A1");
    if (above >= 1)
        h += ReportText(
            cv ? "                  上柱   上柱PW1                       分配         PW2"
               : "                   上柱   上柱A1                        分配         A2");
    if (above >= 2)
        h += ReportText(
            cv ? "                  上柱   上柱PW1                       分配         PW3"
               : "                   上柱   上柱A1                        分配         A3");
    return h;
}

std::string NValueHeader2(int storey) {
    const int above = StoreysAbove(CalcScenario(), ClampIndex(storey, Storeys));
    std::string h = ReportText(" No.   X     Y        X       Y      b1");
    if (above >= 1)
        h += ReportText("       No.   X       Y       a       b     b/(a+b)    X       Y      b2");
    if (above >= 2)
        h += ReportText("       No.   X       Y       a       b     b/(a+b)    X       Y      b3");
    return h + Blanked(Converted() ? "\t       L       Tox     Toy" : "      L       Nx      Ny");
}

std::vector<std::string> NValueColumnLines(int storey, int position) {
    std::vector<std::string> lines;
    const int s = CalcScenario();
    storey = ClampIndex(storey, Storeys);
    if (!KnownMethod() || !InRange(position, MaxColumns) ||
        position >= NValueRes.ColumnOrderCount[s][storey])
        return lines;
    const int j = NValueRes.ColumnOrder[s][storey][position];
    if (!InRange(j, MaxColumns)) return lines;
    const ColumnRecord& col = Doc.Columns[s][storey][j];
    const ColumnJointRecord& c = NValueRes.ColumnJointResult[s][storey][j];
    const bool cv = Converted();
    const int above = StoreysAbove(s, storey);
    const int n1 = ClampIndex(c.upper1Count, FirstLevelEntries + 1);
    const int n2 = ClampIndex(c.upper2Count, SecondLevelEntries + 1);

    std::string first = ReportFormat(
        "%3i   %-5s %-5s %8.3f%8.3f %6.3f", position + 1, Label(Grid.AxisLabelX, col.x).c_str(),
        Label(Grid.AxisLabelY, col.y).c_str(), cv ? c.pw1X : c.a1X, cv ? c.pw1Y : c.a1Y, c.b1);
    if (above >= 1) first += Upper1(UpperFormat, c, 0, cv);
    if (above >= 2) first += Upper2(UpperFormat, c, 0, cv);
    const int cls = ColumnHardwareClass(c, App.Options.NValueMethod);
    first += ReportFormat("  %6.3f %8.3f%8.3f %-18s", c.lValue, cv ? c.pullOutX : c.nValueX,
                          cv ? c.pullOutY : c.nValueY, JointHardwareNameOf(cls));
    lines.push_back(std::move(first));

    for (int k = 1; k < n1; ++k) {
        std::string line = Upper1(Upper1ContinuedFormat, c, k, cv);
        if (above >= 2) line += Upper2(UpperLineFormat, c, k, cv);
        lines.push_back(std::move(line));
    }
    for (int k = n1; k < n2; ++k) lines.push_back(Upper2(Upper2AloneFormat, c, k, cv));
    return lines;
}

int NValueFrameBottom(int n) {
    return static_cast<int>(n * 294 * PixelsPerMm);
}

NValueReport BuildNValueReport() {
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    NValueReport report;
    ReportLines& r = report.lines;
    int y = 0, p = 0;
    const auto add = [&](ReportLineKind kind, int advance, std::string text) {
        r.add(kind, advance, std::move(text));
        y += advance;
    };
    // The frames start at fixed places; a line already below one (a long column at the foot of
    // the frame before) is not written back over.
    const auto jumpTo = [&](int frameTop) {
        add(ReportLineKind::Blank, std::max(0, frameTop - y), {});
    };
    const auto titleAndHeaders = [&](int i, bool headers) {
        r.setFont(TitleFont);
        add(ReportLineKind::Header, 20, NValueTitle(i));
        r.setFont(TableFont);
        if (!headers) return;
        add(ReportLineKind::Header, 30, NValueHeader1(i));
        add(ReportLineKind::Header, 14, NValueHeader2(i));
    };
    for (int i = 0; i <= top; ++i) {
        jumpTo(p * StoreyPitch);
        ++p;
        const int count = ClampIndex(Doc.ColumnCount[s][i], MaxColumns + 1);
        titleAndHeaders(i, count != 0);
        if (count == 0) continue;
        const int positions = std::min(count, NValueRes.ColumnOrderCount[s][i]);
        for (int pos = 0; pos < positions; ++pos) {
            std::vector<std::string> lines = NValueColumnLines(i, pos);
            if (lines.empty()) continue;
            if (y > (p - 1) * ContinuationPitch + FrameFill) {
                jumpTo(p * ContinuationPitch);
                ++p;
                titleAndHeaders(i, true);
            }
            for (std::string& line : lines) add(ReportLineKind::Row, 14, std::move(line));
        }
    }
    while (NValueFrameBottom(report.frames) < y + TableFont.height) ++report.frames;
    report.frames = std::max({report.frames, p, MinFrames});
    return report;
}

namespace {

// As wide as the page frame, or as the widest line where one runs past it: a first-storey
// line of a three-storey house carries the upper columns of two storeys and reaches far beyond
// the frame. A margin, as below the last line: a glyph may stand a little beyond its cell.
int NValuePageWidth(const NValueReport& report) {
    return std::max(ReportPageWidth, ReportLinesWidth(report.lines.lines, ReportLeft) + 10);
}

// Whether a written line of the report stands across the pixel row y.
bool LineAcross(const NValueReport& report, int y) {
    int top = 0;
    for (const ReportLine& line : report.lines.lines) {
        top += line.advance;
        if (!line.text.empty() && top <= y && y < top + std::abs(line.font.height)) return true;
    }
    return false;
}

CanvasSize PaintNValues(Canvas& canvas, const NValueReport& report) {
    canvas.setPen(FrameGrey, 1);
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFontColour(ReportBlack);
    // The frames' right edge stands at the page's own (204 mm), or, where lines run past that,
    // at the right end of the widened page, beyond every line. The foot of a frame that a long
    // column runs across is left out; the last frame's lies below every line. A rectangle
    // leaves out its right and bottom pixel: its edges are drawn inside them.
    const int right = NValuePageWidth(report) - 1;
    for (int n = 1; n <= report.frames; ++n) {
        const int bottom = NValueFrameBottom(n);
        if (n < report.frames && LineAcross(report, bottom - 1)) continue;
        canvas.rectangle(0, 0, right, bottom);
    }
    PaintReportLines(canvas, report.lines.lines, ReportLeft, 0);
    return {NValuePageWidth(report), NValueFrameBottom(report.frames) + 1};
}

} // namespace

CanvasSize PaintNValueReport(Canvas& canvas) {
    return PaintNValues(canvas, BuildNValueReport());
}

ReportView NValueReportView() {
    NValueReport report = BuildNValueReport();
    // Below the last line: its own height and a margin.
    const CanvasSize size{NValuePageWidth(report),
                          ReportLinesHeight(report.lines.lines) + TableFont.height + 10};
    return {size, [report = std::move(report)](Canvas& canvas) { PaintNValues(canvas, report); }};
}
