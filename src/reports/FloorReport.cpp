#include "reports/FloorReport.h"

#include "calc/CalcCommon.h"
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/LabelTables.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "reports/KeyPlans.h"

#include <algorithm>

namespace {

constexpr ReportFont CheckFont{12, 6};

// Name and ratings of a floor-spec code, read as the floor calculation reads it, so that the
// printed ratio times the area is the stored ratioArea.
std::string FloorSpecName(int32_t code) {
    const int board = floorcalc::FloorBoardIndex(code);
    const int brace = floorcalc::FloorBraceIndex(code);
    const double b = FloorBoardRatings[board], k = FloorBraceRatings[brace];
    return ReportFormat("%-24s+%-24s %3.2f+%3.2f = %3.2f", FloorBoardSpecNames[board],
                        FloorBraceSpecNames[brace], b, k, b + k);
}

void Storey(KeyPlanReport& rep, int s, int i, bool printed) {
    ReportLines& r = BeginStoreyBlock(rep, i, ReportFormat("%2i階床倍率", i + 1));
    const auto header = [&](int advance, const char* text) {
        r.add(ReportLineKind::Header, advance, ReportText(text));
    };
    const int rects = LiveCount(Doc.FloorSpecRectCount[s][i], MaxFloorSpecRects);
    if (rects > 0) {
        r.setFont(ReportTableFont);
        header(18, "矩形                                                            単位       左下"
                   "     左下     右上     右上      矩形      面積*");
        header(16,
               printed
                   ? "No.  床仕様                                                     床倍率     "
                     "(X)      (Y)      (X)      (Y)       面積      係数 "
                   : "No.  床仕様                                                     床耐力     "
                     "(X)      (Y)      (X)      (Y)       面積      係数 ");
        for (int n = 0; n < rects; ++n) {
            const FloorSpecRectRecord& e = Doc.FloorSpecRects[s][i][n];
            const FloorSpecAreaResult& a = FloorRes.FloorSpecRectResult[s][i][n];
            const RectCorners c = RectCornersOf(e.x1, e.y1, e.x2, e.y2);
            r.add(18, ReportFormat("%2i   %s    %-6s   %-6s   %-6s   %-6s %8.3f  %8.3f", n + 1,
                                   FloorSpecName(e.code).c_str(), c.lowerLeftX.c_str(),
                                   c.lowerLeftY.c_str(), c.upperRightX.c_str(),
                                   c.upperRightY.c_str(), a.area, a.ratioArea));
        }
    }
    const int tris = LiveCount(Doc.FloorSpecTriCount[s][i], MaxFloorSpecTris);
    if (tris > 0) {
        // In the font selected last.
        header(18, "三角                                                            単位     No.1"
                   "  No.1  No.2  No.2  No.3  No.3     矩形      面積*");
        header(16, printed
                       ? "No.  床仕様                                                     床倍率   "
                         "(X)   (Y)   (X)   (Y)   (X)   (Y)      面積      係数 "
                       : "No.  床仕様                                                     床耐力   "
                         "(X)   (Y)   (X)   (Y)   (X)   (Y)      面積      係数 ");
        for (int n = 0; n < tris; ++n) {
            const FloorSpecTriRecord& e = Doc.FloorSpecTris[s][i][n];
            const FloorSpecAreaResult& a = FloorRes.FloorSpecTriResult[s][i][n];
            r.add(18, ReportFormat("%2i   %s  %-6s%-6s%-6s%-6s%-6s%-6s%8.3f  %8.3f", n + 1,
                                   FloorSpecName(e.code).c_str(), AxisLabelOfX(e.x1).c_str(),
                                   AxisLabelOfY(e.y1).c_str(), AxisLabelOfX(e.x2).c_str(),
                                   AxisLabelOfY(e.y2).c_str(), AxisLabelOfX(e.x3).c_str(),
                                   AxisLabelOfY(e.y3).c_str(), a.area, a.ratioArea));
        }
        r.add(ReportLineKind::Blank, 20, {});
    }
    r.add(ReportLineKind::Rule, 20,
          ReportText("────────────────────────────────────────────────────────────────"));
    r.add(ReportLineKind::Total, 20,
          ReportFormat("　計                                                                     "
                       "                                    %8.3f  %8.3f",
                       FloorRes.FloorSpecAreaSum[s][i], FloorRes.FloorRatioAreaSum[s][i]));
    r.add(ReportLineKind::Total, 20,
          ReportFormat("           %i階平均床倍率=%8.3f", i + 1, FloorRes.MeanFloorRatio[s][i]));
}

// The members of the check arrays of one direction.
struct Direction {
    const char* lineRow;    // below the top storey
    const char* topLineRow; // on the top storey
    int stripArea, hold1, hold2;
    int low1, low2, high1, high2; // members of the span, ratio and flag arrays
    const double (&shear)[Scenarios][Storeys][GridLines][StrengthVariants];
    int32_t from, to;
    std::string (*label)(int32_t);
};

// The printed page adds a storey column: the headers and line rows lead with it, and the strip
// and check rows move two places right with them.
struct CheckLayout {
    std::string header1, header2, lineLead, stripIndent;
};

void CheckRow(ReportLines& r, int s, int i, int j, int hold, int low, int high,
              const CheckLayout& l) {
    const FloorCheckResults& F = FloorCheck;
    std::string row =
        l.stripIndent +
        ReportFormat(
            "                                              %8.3f  %8.3f  %8.3f      %8.3f  %8.3f",
            F.FloorCheckLineTables[hold][s][i][j], F.FloorCheckSpanTables[low][s][i][j][0],
            ShownStrengthRatio(F.FloorCheckRatios[low][s][i][j]),
            F.FloorCheckSpanTables[high][s][i][j][0],
            ShownStrengthRatio(F.FloorCheckRatios[high][s][i][j]));
    if (F.FloorCheckFlags[low][s][i][j] == 0 || F.FloorCheckFlags[high][s][i][j] == 0)
        row += "  <-- NG";
    r.add(ReportLineKind::Strip, 9, std::move(row));
}

void CheckDirection(ReportLines& r, int s, int i, bool topStorey, const Direction& d,
                    const CheckLayout& l) {
    r.add(ReportLineKind::Header, 18,
          l.header1 + ReportText("方　　　　 負担せん断力Ｐ　　　　　　 軸間層 　         "
                                 "下(Ｘ)左(Ｙ)より加算　　上(Ｘ)右(Ｙ)より加算"));
    r.add(
        ReportLineKind::Header, 16,
        l.header2 +
            ReportText("向　軸名　　下階　  上階 　軸間面積　せん断力　保有耐力　必要耐力　 耐力比 "
                       "　　　必要耐力　 耐力比"));
    const int from = std::max<int32_t>(d.from, 0), to = std::min<int32_t>(d.to, GridLines - 1);
    for (int j = from; j <= to; ++j) {
        const std::string label = d.label(j);
        if (topStorey)
            r.add(18, l.lineLead + ReportFormat(d.topLineRow, label.c_str(), d.shear[s][i][j][0]));
        else
            r.add(18, l.lineLead + ReportFormat(d.lineRow, label.c_str(), d.shear[s][i][j][0],
                                                d.shear[s][i + 1][j][0]));
        // The strip to the next line sits between the two line rows.
        if (j == to) break;
        const double area = FloorCheck.FloorCheckLineTables[d.stripArea][s][i][j];
        CheckRow(r, s, i, j, d.hold1, d.low1, d.high1, l);
        r.add(ReportLineKind::Strip, 9,
              l.stripIndent + ReportFormat("                          %8.3f  %8.3f", area,
                                           area * FloorCheck.UnitStoreyShear[s][i]));
        CheckRow(r, s, i, j, d.hold2, d.low2, d.high2, l);
    }
}

} // namespace

ReportLines FloorCheckStoreyLines(int storey, bool printed) {
    const RequiredStrengthResults& R = ReqResult;
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    const int i = ClampIndex(storey, top + 1);
    const CheckLayout layout = printed ? CheckLayout{ReportText("　　"), ReportText("階　"),
                                                     ReportFormat("%2i  ", i + 1), "  "}
                                       : CheckLayout{};
    ReportLines r;
    r.setFont(CheckFont);
    const bool topStorey = i == top;
    std::string line = ReportFormat("%2i階　(必要耐力%8.3f", i + 1, R.RequiredStrength[s][i]);
    if (!topStorey) line += ReportFormat("－上階必要耐力%8.3f", R.RequiredStrength[s][i + 1]);
    line += ReportFormat(")／(床面積%8.3f)＝(単位面積あたりの層せん断力%8.3f)",
                         R.DesignFloorArea[s][i], FloorCheck.UnitStoreyShear[s][i]);
    r.add(ReportLineKind::Title, 20, std::move(line));
    r.add(ReportLineKind::Blank, 10, {});
    CheckDirection(r, s, i, topStorey,
                   {"Ｘ  %-5s%8.3f%8.3f", "Ｘ  %-5s%8.3f  ------", LineStripAreaX, LineHoldCheck1X,
                    LineHoldCheck2X, 0, 1, 2, 3, RigidityRes.LineShearX, Grid.PlanMinY[s][i],
                    Grid.PlanMaxY[s][i], AxisLabelOfY},
                   layout);
    r.add(ReportLineKind::Blank, 20, {});
    CheckDirection(r, s, i, topStorey,
                   {"Ｙ  %-5s%8.3f%8.3f", "Ｙ  %-5s%8.3f  ------", LineStripAreaY, LineHoldCheck1Y,
                    LineHoldCheck2Y, 4, 5, 6, 7, RigidityRes.LineShearY, Grid.PlanMinX[s][i],
                    Grid.PlanMaxX[s][i], AxisLabelOfX},
                   layout);
    r.add(ReportLineKind::Blank, 20, {});
    return r;
}

double ShownStrengthRatio(double ratio) {
    return std::clamp(ratio, -999.999, 999.999);
}

KeyPlanReport BuildFloorReport(bool printed) {
    KeyPlanReport rep;
    const int s = CalcScenario();
    rep.top = TopStoreyOf(s);
    for (int i = 0; i <= rep.top; ++i) Storey(rep, s, i, printed);
    ReportLines& r = rep.after;
    r.setFont(ReportTitleFont);
    r.add(ReportLineKind::Section, 20, ReportText("床耐力の検定"));
    r.add(ReportLineKind::Blank, 10, {});
    for (int i = 0; i <= rep.top; ++i) {
        ReportLines storey = FloorCheckStoreyLines(i, printed);
        r.lines.insert(r.lines.end(), storey.lines.begin(), storey.lines.end());
    }
    return rep;
}

CanvasSize PaintFloorReport(Canvas& canvas) {
    return PaintKeyPlanReport(canvas, KeyPlanFloorSpecs, BuildFloorReport());
}
