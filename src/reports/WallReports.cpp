#include "reports/WallReports.h"

#include "calc/CalcCommon.h"
#include "calc/LabelTables.h"
#include "calc/Rigidity.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "reports/KeyPlans.h"
#include "reports/ScoreReports.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int ReportLeft = 40;
// Below the last line: its own height and a margin.
constexpr int PageBottomMargin = 16 + 10;
constexpr int WallStrengthPageHeight = 6196;

constexpr ReportFont TitleFont{16, 8};
constexpr ReportFont WallTableFont{12, 4};
constexpr ReportFont RigidityTableFont{12, 5};

// The label of a grid axis; an index from a damaged file takes the nearest axis.
std::string AxisLabel(const char (&labels)[100][8], long long axis) {
    const char(&label)[8] = BoundedAt(labels, axis);
    return std::string(label, strnlen(label, sizeof label));
}
std::string LabelX(long long axis) {
    return AxisLabel(Grid.AxisLabelX, axis);
}
std::string LabelY(long long axis) {
    return AxisLabel(Grid.AxisLabelY, axis);
}

int WallCountOf(int s, int storey) {
    return ClampIndex(Doc.WallCount[s][storey], MaxWalls + 1);
}

// One counted entry of a wall list.
struct WallLineStep {
    const WallRecord& wall;
    const WallResultRecord& result; // block 0, the basic case
    int line;                       // axis index of the wall's line
    double share;                   // 1, or 0.5 for an oblique wall (it stands twice)
};

// Walks the X list (xList) or the Y list of a storey in its order. An entry counts when
// `counts` says so of its wall's result; its line is the wall's own Y (X list) or X index, or
// for an oblique wall the axis of the entry, which then carries half the wall. Before a counted
// entry whose line differs from the last counted one, `close` gets the last line; every counted
// entry goes to `take`. Returns whether any entry counted, and the last line in `last`.
template <typename Counts, typename Close, typename Take>
bool WalkWallLines(int s, int storey, bool xList, Counts counts, Close close, Take take,
                   int& last) {
    const WallLineList& list =
        xList ? WallEval.WallLineLists[s][storey].x : WallEval.WallLineLists[s][storey].y;
    const int n = ClampIndex(list.count, MaxWallLineEntries + 1);
    bool open = false;
    last = 0;
    for (int j = 0; j < n; ++j) {
        const WallLineEntry& e = list.entries[j];
        if (!InRange(e.wall, MaxWalls)) continue;
        const WallRecord& w = Doc.Walls[s][storey][e.wall];
        const WallResultRecord& res = WallEval.WallResult[s][storey][e.wall][0];
        if (!counts(res)) continue;
        const bool oblique = xList ? w.y1 != w.y2 : w.x1 != w.x2;
        const int line = oblique ? e.axis : (xList ? w.y1 : w.x1);
        if (open && line != last) close(last);
        open = true;
        last = line;
        take(WallLineStep{w, res, line, oblique ? 0.5 : 1.0});
    }
    return open;
}

// ---- 壁耐力・剛性の算定 ----

std::string Symbol(const WallElementSpec& spec) {
    return std::string(spec.symbolText());
}

// The element symbols, each right-aligned in four columns: left face, bracing, (mud wall,)
// right face. The word is taken apart by remainder and quotient, not by BraceRowOf and
// MudWallOf: both agree on every word a read leaves (never negative), but a negative word left
// in memory shows here as bracing row 0 and, from -128 down, an empty mud-wall column, where
// the bit fields would name the last rows of the tables.
std::string ElementSymbols(const WallRecord& w) {
    const int word = w.bracing % RetrofitWallBit;
    const int row = word % MudWallUnit;
    const int mud = word / MudWallUnit;
    const std::string left = Symbol(BoundedAt(PanelSpecs, w.panelL));
    const std::string brace = Symbol(BoundedAt(BraceSpecs, row));
    const std::string right = Symbol(BoundedAt(PanelSpecs, w.panelR));
    if (mud == 0) return ReportFormat("%4s%4s%4s", left.c_str(), brace.c_str(), right.c_str());
    return ReportFormat("%4s%4s%4s%4s", left.c_str(), brace.c_str(),
                        Symbol(BoundedAt(MudWallSpecs, mud)).c_str(), right.c_str());
}

std::string WallRow(const WallLineStep& step, bool xList, double strength, double stiffness) {
    const WallRecord& w = step.wall;
    const WallResultRecord& r = step.result;
    const std::string retrofit = w.retrofitNo != 0 ? ReportFormat("(%2i)", w.retrofitNo) : "  ";
    const std::string line = xList ? LabelY(step.line) : LabelX(step.line);
    const std::string from = xList ? LabelX(w.x1) : LabelY(w.y1);
    const std::string to = xList ? LabelX(w.x2) : LabelY(w.y2);
    const std::string symbols = ElementSymbols(w);
    const int cls = r.strengthClass + 1;
    return ReportFormat(
        xList ? " Ｘ %4s %-6s %-6s %-6s %-13s%-16s  %-6.3f %-5.2f%5.0f%5.2f %-6.3f%4s%1i%5s%5.2f "
                "%4s%1i%5.2f %5.2f   %-6.3f %-6.3f%6.3f %5.0f"
              : " Ｙ %4s %-6s %-6s %-6s %-13s%-16s  %-6.3f %-5.2f%5.0f%5.2f %-6.3f%4s%1i%5s%5.2f "
                "%4s%1i%5.2f %5.2f   %-6.3f %-6.3f%6.3f %5.0f",
        retrofit.c_str(), line.c_str(), from.c_str(), to.c_str(),
        BoundedAt(WallKindShortNames, w.type), symbols.c_str(), r.wallLength, r.baseStrength,
        r.baseStiffness, r.openingFactor, r.baseStrength * r.openingFactor,
        BoundedAt(JointSpecShortNames, w.jointSpec), cls,
        BoundedAt(FoundationShortNames, w.foundationClass), r.jointReductionFactor,
        BoundedAt(DeteriorationNames, w.deterioration), cls, r.deteriorationFactor,
        r.minReductionFactor, r.reducedStrength, r.effectiveLength, strength, stiffness);
}

// One list: its rows with a subtotal after each wall line, the last subtotal always; on paper
// the direction's total follows.
void WallStrengthList(ReportLines& out, int s, int storey, bool xList, bool printed) {
    double strengthSum = 0, stiffnessSum = 0;
    const auto subtotal = [&](int) {
        out.add(ReportLineKind::Total, 15, WallStrengthSubtotal(strengthSum, stiffnessSum));
        strengthSum = stiffnessSum = 0;
    };
    const auto row = [&](const WallLineStep& step) {
        const double strength =
            (xList ? step.result.strengthX : step.result.strengthY) * step.share;
        const double stiffness =
            (xList ? step.result.stiffnessX : step.result.stiffnessY) * step.share;
        out.add(ReportLineKind::Row, 15, WallRow(step, xList, strength, stiffness));
        strengthSum += strength;
        stiffnessSum += stiffness;
    };
    // A wall that counts for nothing keeps its per-metre strength and so gets a row; only an
    // exact 0 leaves it out.
    const auto counts = [](const WallResultRecord& r) { return r.baseStrength != 0.0; };
    int last;
    WalkWallLines(s, storey, xList, counts, subtotal, row, last);
    subtotal(last);
    if (printed) {
        const RigidityResults& g = RigidityRes;
        // Its numbers end in the columns of a row's 耐力 and 剛性, as the subtotals do.
        out.add(ReportLineKind::Total, 15,
                std::string(125, ' ') +
                    (xList
                         ? ReportFormat("Ｘ方向　計= %7.3f %5.0f", g.WallStrengthSumX[s][storey][0],
                                        g.StiffnessSumX[s][storey][0])
                         : ReportFormat("Ｙ方向　計= %7.3f %5.0f", g.WallStrengthSumY[s][storey][0],
                                        g.StiffnessSumY[s][storey][0])));
    }
    out.add(ReportLineKind::Blank, 20, {});
}

// ---- 剛心の算定 ----

struct Direction {
    bool xList;
    const char* row;
    const char* header1;
    const char* header2;
    const char* total;
};

constexpr Direction RigidityX{
    true, " Ｘ   %-6s %10.3f  %8.3f %10.3f                                   %8.3f %10.3f",
    "方向  通り名     剛性　   　原点からの距離                                        "
    "剛心からの距離",
    "                  Lx 　      Y        LxY                                          Y'      "
    "LxY'Y'",
    "    計  ΣLx=%10.3f     ΣLxY=%10.3f      Ys=%7.3f    ey=%7.3f          Iy=%11.3f"};
constexpr Direction RigidityY{
    false, " Ｙ   %-6s %10.3f  %8.3f %10.3f                                   %8.3f %10.3f",
    "方向  通り名     剛性　   　原点からの距離                                        "
    "剛心からの距離",
    "                  Ly   　    X        LyX                                          X'      "
    "LyX'X'",
    "    計  ΣLy=%10.3f     ΣLyX=%10.3f      Xs=%7.3f    ex=%7.3f          Ix=%11.3f"};

const char* const RigidityRule = "───────────────────────────────────"
                                 "──────────────";

void RigidityBlock(ReportLines& out, int s, int storey, const Direction& d) {
    out.add(ReportLineKind::Header, 15, ReportText(d.header1));
    out.add(ReportLineKind::Header, 15, ReportText(d.header2));
    // The pending line: Lx (or Ly), the moment and torsion sums, Y and Y' of its last wall.
    double stiffness = 0, moment = 0, torsion = 0, distance = 0, centreDistance = 0;
    const auto label = [&](int line) { return d.xList ? LabelY(line) : LabelX(line); };
    const auto write = [&](int line) {
        out.add(ReportLineKind::Row, 20,
                ReportFormat(d.row, label(line).c_str(), stiffness, distance, moment,
                             centreDistance, torsion));
        stiffness = moment = torsion = 0;
    };
    const auto take = [&](const WallLineStep& step) {
        const WallResultRecord& r = step.result;
        stiffness += (d.xList ? r.stiffnessX : r.stiffnessY) * step.share;
        moment += d.xList ? r.momentXY : r.momentYX;
        torsion += d.xList ? r.torsionTermY : r.torsionTermX;
        distance = d.xList ? r.originDistanceY : r.originDistanceX;
        centreDistance = d.xList ? r.centreDistanceY : r.centreDistanceX;
    };
    const auto counts = [&](const WallResultRecord& r) {
        return (d.xList ? r.stiffnessX : r.stiffnessY) != 0.0;
    };
    int last;
    // A direction without stiffness still gets its row, of zeros under the first main axis.
    if (!WalkWallLines(s, storey, d.xList, counts, write, take, last))
        last = d.xList ? Grid.FirstMainAxisY : Grid.FirstMainAxisX;
    write(last);
    out.add(ReportLineKind::Rule, 10, ReportText(RigidityRule));
    const RigidityResults& g = RigidityRes;
    out.add(ReportLineKind::Total, 10,
            d.xList
                ? ReportFormat(d.total, g.StiffnessSumX[s][storey][0],
                               g.StiffnessMomentXY[s][storey][0], g.RigidityCentreY[s][storey][0],
                               g.EccentricityY[s][storey][0], g.TorsionTermY[s][storey][0])
                : ReportFormat(d.total, g.StiffnessSumY[s][storey][0],
                               g.StiffnessMomentYX[s][storey][0], g.RigidityCentreX[s][storey][0],
                               g.EccentricityX[s][storey][0], g.TorsionTermX[s][storey][0]));
}

CanvasSize PageSize(int bottom) {
    return {ReportPageWidth, bottom + PageBottomMargin};
}

void SetTextCanvas(Canvas& canvas) {
    canvas.setFontColour(ReportBlack);
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
}

} // namespace

std::string WallStrengthSubtotal(double strength, double stiffness) {
    return std::string(132, ' ') + ReportFormat("小計- %6.3f %5.0f", strength, stiffness);
}

ReportLines WallStrengthStoreyLines(int storey, bool printed) {
    const int s = CalcScenario();
    storey = ClampIndex(storey, Storeys);
    ReportLines out;
    out.setFont(WallTableFont);
    if (WallCountOf(s, storey) != 0) {
        out.add(
            ReportLineKind::Header, 20,
            ReportText(" 方 補強 通り   始点   終点  　　　　　　　　 　    　　　   　     基準 "
                       " 基準 開口  修正   柱脚接合部　　　劣化　　 最小低 低減修  耐力"));
        out.add(
            ReportLineKind::Header, 13,
            ReportText(" 向 番号  名    座標   座標   壁タイプ　     仕様記号      　 壁長  耐力 "
                       " 剛性 係数  耐力 仕様  基礎 低減　程度 係数 減係数 正耐力 有効長  "
                       "耐力   剛性"));
        WallStrengthList(out, s, storey, true, printed);
        WallStrengthList(out, s, storey, false, printed);
    }
    std::string rule;
    for (int i = 0; i < (printed ? 75 : 74); ++i) rule += ReportText("─");
    out.add(ReportLineKind::Rule, 20, printed ? rule : rule + "-");
    const RigidityResults& g = RigidityRes;
    out.add(
        ReportLineKind::Total, 15,
        ReportFormat("　  Ｘ方向耐力計＝ %8.3f      Ｙ方向耐力計＝ %8.3f　  Ｘ方向剛性計＝ %8.3f "
                     "     Ｙ方向剛性計＝ %8.3f",
                     g.WallStrengthSumX[s][storey][0], g.WallStrengthSumY[s][storey][0],
                     g.StiffnessSumX[s][storey][0], g.StiffnessSumY[s][storey][0]));
    return out;
}

ReportLines BuildWallStrengthReport() {
    const int top = TopStoreyOf(CalcScenario());
    ReportLines r;
    for (int i = 0; i <= top; ++i) {
        r.add(ReportLineKind::Blank, 30, {});
        r.setFont(TitleFont);
        r.add(ReportLineKind::Header, 20, ReportFormat("%2i階 壁耐力剛性", i + 1));
        ReportLines storey = WallStrengthStoreyLines(i);
        r.lines.insert(r.lines.end(), storey.lines.begin(), storey.lines.end());
    }
    return r;
}

CanvasSize PaintWallStrengthReport(Canvas& canvas) {
    SetTextCanvas(canvas);
    const int last = PaintReportLines(canvas, BuildWallStrengthReport().lines, ReportLeft, 0);
    const CanvasSize size = PageSize(last);
    return {size.width, std::max(size.height, WallStrengthPageHeight)};
}

ReportView WallStrengthReportView() {
    ReportLines report = BuildWallStrengthReport();
    const CanvasSize size = PageSize(ReportLinesHeight(report.lines));
    return {size, [report = std::move(report)](Canvas& canvas) {
                SetTextCanvas(canvas);
                PaintReportLines(canvas, report.lines, ReportLeft, 0);
            }};
}

ReportLines RigidityStoreyLines(int storey) {
    const int s = CalcScenario();
    storey = ClampIndex(storey, Storeys);
    ReportLines out;
    out.setFont(TitleFont);
    out.add(ReportLineKind::Header, 20,
            ReportFormat(" %i 階 剛心　ねじり剛性　偏心率", storey + 1));
    out.add(ReportLineKind::Blank, KeyPlanBodyTop - 20, {});
    int afterBlocks = 0;
    if (WallCountOf(s, storey) != 0) {
        out.setFont(RigidityTableFont);
        RigidityBlock(out, s, storey, RigidityX);
        out.add(ReportLineKind::Blank, 10, {});
        RigidityBlock(out, s, storey, RigidityY);
        afterBlocks = 20;
    }
    // In the font selected last: the heading's for a storey without walls.
    const RigidityResults& g = RigidityRes;
    out.add(ReportLineKind::Total, afterBlocks + 20,
            ReportFormat("ねじり剛性 Kr=(Iy+Ix)=%11.3f  rex=(Kr/ΣLx)**1/2=%6.3f   偏心率 "
                         "Rex=(ey/rex)=%6.3f   Fep=%6.3f",
                         g.TorsionalStiffness[s][storey][0], g.ElasticRadiusX[s][storey][0],
                         g.EccentricityRatioX[s][storey][0],
                         g.EccentricityReductionX[s][storey][0]));
    out.add(ReportLineKind::Total, 20,
            ReportFormat("                                   rey=(Kr/ΣLy)**1/2=%6.3f   偏心率 "
                         "Rey=(ex/rey)=%6.3f   Fep=%6.3f",
                         g.ElasticRadiusY[s][storey][0], g.EccentricityRatioY[s][storey][0],
                         g.EccentricityReductionY[s][storey][0]));
    return out;
}

namespace {

struct RigidityReport {
    int top = 0;
    int pitch = KeyPlanPitch;
    ReportLines blocks[Storeys];
};

RigidityReport BuildRigidityReport() {
    RigidityReport r;
    r.top = TopStoreyOf(CalcScenario());
    int tallest = 0;
    for (int i = 0; i <= r.top; ++i) {
        r.blocks[i] = RigidityStoreyLines(i);
        tallest = std::max(tallest, ReportLinesHeight(r.blocks[i].lines));
    }
    r.pitch = KeyPlanPitchFor(tallest);
    return r;
}

// The bands with their outline, or the last line with its margin.
CanvasSize RigidityPageSize(int bands, int last) {
    return {ReportPageWidth, std::max(bands + 3, PageSize(last).height)};
}

CanvasSize PaintRigidity(Canvas& canvas, const RigidityReport& r) {
    SetTextCanvas(canvas);
    const int bands = DrawResultPlans(canvas, KeyPlanWalls, r.pitch);
    SetTextCanvas(canvas);
    int last = 0;
    for (int i = 0; i <= r.top; ++i)
        last = std::max(last, PaintReportLines(canvas, r.blocks[i].lines, ReportLeft, i * r.pitch));
    return RigidityPageSize(bands, last);
}

} // namespace

CanvasSize PaintRigidityReport(Canvas& canvas) {
    return PaintRigidity(canvas, BuildRigidityReport());
}

ReportView RigidityReportView() {
    RigidityReport report = BuildRigidityReport();
    int last = 0;
    for (int i = 0; i <= report.top; ++i)
        last = std::max(last, i * report.pitch + ReportLinesHeight(report.blocks[i].lines));
    const CanvasSize size = RigidityPageSize((report.top + 1) * report.pitch, last);
    return {size, [report = std::move(report)](Canvas& canvas) { PaintRigidity(canvas, report); }};
}
